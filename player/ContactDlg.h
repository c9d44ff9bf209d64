// The contact dialog: the show's six contact lines and its web and mail addresses as links.
#pragma once

#include "framework/win/Framework.h"
#include "show/StaticLink.h"

class CContactDlg : public CDialog
{
public:
    explicit CContactDlg(CWnd* pParent = nullptr);

    // The link for an address as entered: prefix + text when the text does not hold the prefix (its case
    // kept), else the whole text lower-cased.
    static CString MakeLink(const CString& text, const char* prefix);

    CString m_strLine1;
    CString m_strLine2;
    CString m_strLine3;
    CString m_strLine4;
    CString m_strLine5;
    CString m_strLine6;
    CString m_strInternet;
    CString m_strEmail;
    CStaticLink m_wndInternet;
    CStaticLink m_wndEmail;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
};
