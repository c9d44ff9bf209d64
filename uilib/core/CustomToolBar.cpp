#include "uilib/core/CustomToolBar.h"

#include "uilib/core/CustomizeCenter.h"

IMPLEMENT_DYNCREATE(CUXCustomToolBar, CUXToolBar)

BEGIN_MESSAGE_MAP(CUXCustomToolBar, CUXToolBar)
    ON_WM_CREATE()
END_MESSAGE_MAP()

CUXCustomToolBar::CUXCustomToolBar()
{
    SetCustomizable(TRUE);
}

CUXCustomToolBar::~CUXCustomToolBar() = default;

void CUXCustomToolBar::SetTitle(LPCSTR lpszTitle)
{
    m_strTitle = lpszTitle != nullptr ? lpszTitle : "";
    if (m_hWnd != nullptr)
        SetWindowText(m_strTitle);
}

int CUXCustomToolBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CUXToolBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    GetCustomizeCenter().Register(CUXCustomizeCenter::kReportCustomBars, this, &CUXCustomToolBar::ReportCustomBar);
    return 0;
}

LRESULT CUXCustomToolBar::ReportCustomBar(void* object, WPARAM, LPARAM lParam)
{
    if (CPtrArray* bars = reinterpret_cast<CPtrArray*>(lParam))
        bars->Add(static_cast<CUXCustomToolBar*>(object));
    return 0;
}
