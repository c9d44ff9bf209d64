#include "uilib/core/CustomToolBar.h"

#include "uilib/core/CustomizeCenter.h"
#include "uilib/core/SettingsStore.h"

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

void CUXCustomToolBar::Rename(LPCSTR lpszName)
{
    if (lpszName == nullptr || m_strTitle.CompareNoCase(lpszName) == 0)
        return;
    SetTitle(lpszName);
    if ((GetBarStyle() & CBRS_FLOATING) && m_hWnd != nullptr)
        if (CFrameWnd* floating = GetParentFrame())
            floating->SetWindowText(m_strTitle);
    GetCustomizeCenter().CallAll(CUXCustomizeCenter::kBarRenamed, reinterpret_cast<WPARAM>(this), 0);
}

void CUXCustomToolBar::Delete()
{
    CString entry = m_strStateEntry;
    CFrameWnd* frame = GetDockingFrame();
    if (m_hWnd != nullptr)
        DestroyWindow();   // the bar goes with its window
    if (!entry.IsEmpty())
        CUXSettingsStore().DeleteProfileValue("Settings", entry);
    if (frame != nullptr && frame->m_hWnd != nullptr)
        frame->RecalcLayout();
}

void CUXCustomToolBar::GetCustomizeDescriptor(CUXBarDescriptor& descriptor)
{
    CUXToolBar::GetCustomizeDescriptor(descriptor);
    descriptor.bCanHide = TRUE;
    descriptor.pRenameContext = this;
    descriptor.pfnRename = [](void* context, LPCSTR name)
    { static_cast<CUXCustomToolBar*>(context)->Rename(name); };
    descriptor.pDeleteContext = this;
    descriptor.pfnDelete = [](void* context) { static_cast<CUXCustomToolBar*>(context)->Delete(); };
}

int CUXCustomToolBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CUXToolBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    CUXCustomizeCenter& center = GetCustomizeCenter();
    center.Register(CUXCustomizeCenter::kReportCustomBars, this, &CUXCustomToolBar::ReportCustomBar);
    if (center.IsCustomizeMode())
    {
        // Made while the customize dialog runs: it joins the dialog's bars at once.
        SwitchCustomizeMode(TRUE);
        center.CallAll(CUXCustomizeCenter::kAllowWindow, reinterpret_cast<WPARAM>(m_hWnd), 0);
        CUXBarDescriptor descriptor;
        GetCustomizeDescriptor(descriptor);
        center.CallAll(CUXCustomizeCenter::kBarAdded, 0, reinterpret_cast<LPARAM>(&descriptor));
    }
    return 0;
}

LRESULT CUXCustomToolBar::ReportCustomBar(void* object, WPARAM, LPARAM lParam)
{
    if (CPtrArray* bars = reinterpret_cast<CPtrArray*>(lParam))
        bars->Add(static_cast<CUXCustomToolBar*>(object));
    return 0;
}
