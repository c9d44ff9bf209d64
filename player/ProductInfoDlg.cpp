#include "player/ProductInfoDlg.h"

#include "resources/player/PlayerDialogs.h"
#include "show/ShowText.h"

// The maker's addresses are the ones every show carries in its SHOW section.
CProductInfoDlg::CProductInfoDlg(CWnd* pParent)
    : CDialog(IDD_PRODUCT_INFO, pParent), m_wndInternet(ShowText::MAKER_WEB_1),
      m_wndEmail(CString("mailto:") + ShowText::MAKER_EMAIL)
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
