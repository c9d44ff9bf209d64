#include "player/ProductInfoDlg.h"

#include "resources/player/PlayerDialogs.h"

const char* const CProductInfoDlg::s_pszMakerWeb = "http://www.vexul.example/";
const char* const CProductInfoDlg::s_pszMakerMail = "mailto:info@vexul.example";

CProductInfoDlg::CProductInfoDlg(CWnd* pParent)
    : CDialog(IDD_PRODUCT_INFO, pParent), m_wndInternet(s_pszMakerWeb), m_wndEmail(s_pszMakerMail)
{
}

BOOL CProductInfoDlg::OnInitDialog()
{
    m_wndInternet.SetTransparent();
    m_wndInternet.SubclassDlgItem(IDC_LINK_INTERNET, this);
    m_wndEmail.SetTransparent();
    m_wndEmail.SubclassDlgItem(IDC_LINK_EMAIL, this);
    CDialog::OnInitDialog();
    return TRUE;
}
