#include "uilib/core/bars/CustomToolBar.h"

#include "uilib/core/bars/CustomizeCenter.h"
#include "uilib/core/base/SettingsStore.h"

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
    GetCustomizeCenter().NotifyBarRenamed(this);
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
    descriptor.rename = [this](LPCSTR name) { Rename(name); };
    descriptor.remove = [this] { Delete(); };
}

int CUXCustomToolBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CUXToolBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    CUXCustomizeCenter& center = GetCustomizeCenter();
    m_customizeRegistration.Add(CUXCustomizeCenter::kReportCustomBars);
    if (center.IsCustomizeMode())
    {
        // Made while the customize dialog runs: it joins the dialog's bars at once.
        SwitchCustomizeMode(TRUE);
        center.NotifyAllowWindow(m_hWnd);
        CUXBarDescriptor descriptor;
        GetCustomizeDescriptor(descriptor);
        center.NotifyBarAdded(descriptor);
    }
    return 0;
}

void CUXCustomToolBar::OnReportCustomBars(CFrameWnd*, std::vector<CUXToolBar*>& bars)
{
    bars.push_back(this);   // the centre keeps the frame's own
}
