#include "player/ContactDlg.h"

#include "resources/player/PlayerDialogs.h"

CContactDlg::CContactDlg(CWnd* pParent) : CDialog(IDD_CONTACT, pParent)
{
}

CString CContactDlg::MakeLink(const CString& text, const char* prefix)
{
    CString lower = text;
    lower.MakeLower();
    if (lower.Find(prefix) < 0)
        return CString(prefix) + text;
    return lower;
}

void CContactDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_CONTACT_LINE1, m_strLine1);
    DDX_Text(pDX, IDC_CONTACT_LINE2, m_strLine2);
    DDX_Text(pDX, IDC_CONTACT_LINE3, m_strLine3);
    DDX_Text(pDX, IDC_CONTACT_LINE4, m_strLine4);
    DDX_Text(pDX, IDC_CONTACT_LINE5, m_strLine5);
    DDX_Text(pDX, IDC_CONTACT_LINE6, m_strLine6);
    DDX_Text(pDX, IDC_LINK_INTERNET, m_strInternet);
    DDX_Text(pDX, IDC_LINK_EMAIL, m_strEmail);
}

BOOL CContactDlg::OnInitDialog()
{
    if (!m_strInternet.IsEmpty())
    {
        m_wndInternet.m_link = MakeLink(m_strInternet, "http://");
        m_wndInternet.SetTransparent();
        m_wndInternet.SubclassDlgItem(IDC_LINK_INTERNET, this);
    }
    if (!m_strEmail.IsEmpty())
    {
        m_wndEmail.m_link = MakeLink(m_strEmail, "mailto:");
        m_wndEmail.SetTransparent();
        m_wndEmail.SubclassDlgItem(IDC_LINK_EMAIL, this);
    }
    CDialog::OnInitDialog();
    return TRUE;
}
