// The product information dialog: who made the program that plays this show, with a web and a mail link.
#pragma once

#include "framework/win/Framework.h"
#include "show/StaticLink.h"

class CProductInfoDlg : public CDialog
{
public:
    explicit CProductInfoDlg(CWnd* pParent = nullptr);

    CStaticLink m_wndInternet;
    CStaticLink m_wndEmail;

protected:
    BOOL OnInitDialog() override;
};
