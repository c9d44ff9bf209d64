#include "uilib/frames/DockState.h"

#include "uilib/core/base/SettingsStore.h"
#include "uilib/frames/DockWindow.h"

#include <algorithm>
#include <vector>

IMPLEMENT_DYNCREATE(CUXDockState, CDockState)

UINT CUXDockState::GetProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nDefault)
{
    CUXSettingsStore store(HKEY_CURRENT_USER);
    return store.GetProfileInt(lpszSection, lpszEntry, nDefault);
}

BOOL CUXDockState::WriteProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nValue)
{
    CUXSettingsStore store(HKEY_CURRENT_USER);
    return store.WriteProfileInt(lpszSection, lpszEntry, nValue);
}

BOOL CUXDockState::RemoveSection(LPCSTR lpszSection)
{
    CUXSettingsStore store(HKEY_CURRENT_USER);
    return store.WriteProfileString(lpszSection, nullptr, nullptr);
}

CString CUXDockState::FindBarSection(LPCSTR lpszProfileName, UINT nID)
{
    // Within the sections the summary counts (older ones may linger past them), up to the first one missing.
    CString summary;
    summary.Format("%s-Summary", lpszProfileName);
    UINT count = std::min<UINT>(GetProfileInt(summary, "Bars", 0), static_cast<UINT>(nMaxBarRecords));
    for (int i = 0; i < static_cast<int>(count); ++i)
    {
        CString section;
        section.Format("%s-Bar%d", lpszProfileName, i);
        UINT stored = GetProfileInt(section, "BarID", 0);
        if (stored == 0)
            break;
        if ((stored & 0xFFFF) == (nID & 0xFFFF))
            return section;
    }
    return CString();
}

namespace
{

// The frame's docking windows, in its bar list's order.
std::vector<CUXDockWindow*> DockWindowsOf(CFrameWnd* pFrame)
{
    std::vector<CUXDockWindow*> windows;
    for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != nullptr;)
    {
        if (CUXDockWindow* pWindow = CUXDockWindow::FromBar(pFrame->m_listControlBars.GetNext(pos)))
            windows.push_back(pWindow);
    }
    return windows;
}

}   // namespace

void CUXDockState::LoadBarState(CFrameWnd* pFrame, LPCSTR lpszProfileName, CUXDockState* pState)
{
    if (pFrame == nullptr || pFrame->m_hWnd == nullptr || lpszProfileName == nullptr)
        return;
    CUXDockState ownState;
    CUXDockState& state = pState != nullptr ? *pState : ownState;
    state.LoadState(lpszProfileName);

    // Only bars the frame has: ids are taken as 16 bits, unknown ones leave the lists, and a docked record of
    // an unknown bar goes.
    for (size_t i = state.m_arrBarInfo.size(); i-- > 0;)
    {
        CControlBarInfo* pInfo = state.m_arrBarInfo[i].get();
        for (INT_PTR j = pInfo->m_arrBarID.GetSize() - 1; j >= 0; --j)
        {
            UINT nID = pInfo->m_arrBarID[j];
            if (nID == 0)
                continue;   // the end of a row
            if (nID > 0xFFFF)
                nID &= 0xFFFF;
            if (pFrame->GetControlBar(nID) == nullptr)
                pInfo->m_arrBarID.RemoveAt(j);
            else
                pInfo->m_arrBarID[j] = nID;
        }
        if (!pInfo->m_bFloating && pFrame->GetControlBar(pInfo->m_nBarID & 0xFFFF) == nullptr)
            state.m_arrBarInfo.erase(state.m_arrBarInfo.begin() + static_cast<std::ptrdiff_t>(i));
    }

    // Each docking window takes the sizes of its own section; one without a section keeps what it has and
    // the others still get theirs.
    for (CUXDockWindow* pWindow : DockWindowsOf(pFrame))
    {
        CString section = state.FindBarSection(lpszProfileName, static_cast<UINT>(pWindow->GetDlgCtrlID()));
        if (!section.IsEmpty())
            pWindow->LoadBarPosition(section);
    }
    pFrame->SetDockState(state);
}

void CUXDockState::SaveBarState(CFrameWnd* pFrame, LPCSTR lpszProfileName, CUXDockState* pState)
{
    if (pFrame == nullptr || pFrame->m_hWnd == nullptr || lpszProfileName == nullptr)
        return;
    CUXDockState ownState;
    CUXDockState& state = pState != nullptr ? *pState : ownState;
    pFrame->GetDockState(state);
    state.SaveState(lpszProfileName);
    for (CUXDockWindow* pWindow : DockWindowsOf(pFrame))
    {
        CString section = state.FindBarSection(lpszProfileName, static_cast<UINT>(pWindow->GetDlgCtrlID()));
        if (!section.IsEmpty())
            pWindow->SaveBarPosition(section);
    }
}
