// CFrameWnd's docking: dock bars along the sides, docking and floating bars, the dock state.
#include "framework/win/Framework.h"

#include <vector>

namespace
{
// The dock bars of a frame, in the order they are made (and so laid out).
const struct
{
    UINT nID;
    DWORD dwSide;
} kDockBars[] = {
    {AFX_IDW_DOCKBAR_TOP, CBRS_ALIGN_TOP},
    {AFX_IDW_DOCKBAR_BOTTOM, CBRS_ALIGN_BOTTOM},
    {AFX_IDW_DOCKBAR_LEFT, CBRS_ALIGN_LEFT},
    {AFX_IDW_DOCKBAR_RIGHT, CBRS_ALIGN_RIGHT},
};

CDockBar* AsDockBar(CControlBar* pBar)
{
    return pBar != nullptr && pBar->IsKindOf(RUNTIME_CLASS(CDockBar)) ? static_cast<CDockBar*>(pBar) : nullptr;
}
}   // namespace

void CFrameWnd::EnableDocking(DWORD dwDockStyle)
{
    for (const auto& side : kDockBars)
    {
        if (!(dwDockStyle & side.dwSide) || GetControlBar(side.nID) != nullptr)
            continue;
        CDockBar* pDockBar = new CDockBar;
        pDockBar->m_bAutoDelete = TRUE;   // also when its creation fails
        pDockBar->Create(this, WS_CHILD | WS_VISIBLE | side.dwSide, side.nID);
    }
}

void CFrameWnd::DockControlBar(CControlBar* pBar, UINT nDockBarID, LPCRECT lpRect)
{
    CDockBar* pDockBar = nDockBarID != 0 ? AsDockBar(GetControlBar(nDockBarID)) : nullptr;
    if (nDockBarID != 0 && pDockBar == nullptr)
        return;
    DockControlBar(pBar, pDockBar, lpRect);
}

void CFrameWnd::DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect)
{
    if (pBar == nullptr || pBar->m_hWnd == nullptr)
        return;
    if (pDockBar == nullptr)
    {
        // The bar's own side, else the first side it may dock to.
        const DWORD wishes[] = {pBar->m_dwStyle & CBRS_ALIGN_ANY, pBar->m_dwDockStyle & CBRS_ALIGN_ANY};
        for (DWORD wish : wishes)
        {
            for (const auto& side : kDockBars)
            {
                if (pDockBar == nullptr && (wish & side.dwSide))
                    pDockBar = AsDockBar(GetControlBar(side.nID));
            }
        }
        if (pDockBar == nullptr)
            return;
    }
    pDockBar->DockControlBar(pBar, lpRect);
    RecalcLayout();
}

void CFrameWnd::FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle)
{
    if (pBar == nullptr || pBar->m_hWnd == nullptr)
        return;
    CDockBar* pOld = pBar->m_pDockBar;
    if (pOld != nullptr && pOld->m_bFloating && pOld->GetDockedCount() == 1 &&
        (pOld->m_dwStyle & CBRS_ALIGN_ANY) == (dwStyle & CBRS_ALIGN_ANY))
    {
        // Alone in a floating frame of this kind: the frame moves.
        CWnd* pFrame = FromHandlePermanent(::GetParent(pOld->m_hWnd));
        if (pFrame != nullptr && pFrame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)))
        {
            pFrame->SetWindowPos(nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            static_cast<CMiniDockFrameWnd*>(pFrame)->RecalcLayout();
            return;
        }
    }
    CMiniDockFrameWnd* pFrame = CreateFloatingFrame(dwStyle | (pBar->m_dwStyle & CBRS_SIZE_DYNAMIC));
    if (pFrame == nullptr)
        return;
    pFrame->SetWindowPos(nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    pFrame->m_wndDockBar.DockControlBar(pBar);
    pFrame->RecalcLayout();
    RecalcLayout();
}

CMiniDockFrameWnd* CFrameWnd::CreateFloatingFrame(DWORD dwStyle)
{
    CMiniDockFrameWnd* pFrame = AfxCreateObjectOf<CMiniDockFrameWnd>(m_pFloatingFrameClass);
    if (pFrame == nullptr || !pFrame->Create(this, dwStyle))
        return nullptr;   // a frame that was not made is gone
    return pFrame;
}

// ---- the dock state ----------------------------------------------------------------------------------

void CFrameWnd::GetDockState(CDockState& state)
{
    state.Clear();
    state.m_sizeScreen = CSize(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != nullptr;)
    {
        CControlBar* pBar = m_listControlBars.GetNext(pos);
        if (pBar->m_hWnd == nullptr)
            continue;
        auto pInfo = std::make_unique<CControlBarInfo>();
        pBar->GetBarInfo(pInfo.get());
        state.m_arrBarInfo.push_back(std::move(pInfo));
    }
}

void CFrameWnd::SetDockState(const CDockState& state)
{
    // Each record finds its bar: a floating dock bar a new floating frame, the others the bar of their id
    // (none: the record is dropped).
    std::vector<CControlBarInfo*> dockBars, bars;
    for (const auto& record : state.m_arrBarInfo)
    {
        CControlBarInfo* pInfo = record.get();
        pInfo->m_pBar = nullptr;
        if (pInfo->m_bFloating)
        {
            CMiniDockFrameWnd* pFrame = CreateFloatingFrame(pInfo->m_bHorz ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT);
            if (pFrame == nullptr)
                continue;
            pFrame->SetWindowPos(nullptr, pInfo->m_pointPos.x, pInfo->m_pointPos.y, 0, 0,
                                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            pInfo->m_pBar = &pFrame->m_wndDockBar;
        }
        else
            pInfo->m_pBar = GetControlBar(pInfo->m_nBarID);
        if (pInfo->m_pBar == nullptr)
            continue;
        pInfo->m_pBar->m_nMRUWidth = static_cast<int>(pInfo->m_nMRUWidth);
        (AsDockBar(pInfo->m_pBar) != nullptr ? dockBars : bars).push_back(pInfo);
    }
    // The dock bars take their bars first, then each bar its place in its dock bar and its visibility.
    for (CControlBarInfo* pInfo : dockBars)
        pInfo->m_pBar->SetBarInfo(pInfo, this);
    for (CControlBarInfo* pInfo : bars)
        pInfo->m_pBar->SetBarInfo(pInfo, this);

    // Floating frames fit their bars and show when one is visible; a new one left empty goes.
    std::vector<HWND> floating;
    for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != nullptr;)
    {
        CDockBar* pDockBar = AsDockBar(m_listControlBars.GetNext(pos));
        if (pDockBar != nullptr && pDockBar->m_bFloating && pDockBar->m_hWnd != nullptr)
            floating.push_back(::GetParent(pDockBar->m_hWnd));
    }
    for (HWND hFrame : floating)
    {
        CWnd* pWnd = FromHandlePermanent(hFrame);
        if (pWnd == nullptr || !pWnd->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)))
            continue;
        CMiniDockFrameWnd* pFrame = static_cast<CMiniDockFrameWnd*>(pWnd);
        if (pFrame->m_wndDockBar.GetDockedCount() == 0)
            pFrame->DestroyWindow();
        else
            pFrame->RecalcLayout();
    }
    RecalcLayout();
}

void CFrameWnd::LoadBarState(LPCSTR lpszProfileName)
{
    CDockState state;
    state.LoadState(lpszProfileName);
    SetDockState(state);
}

void CFrameWnd::SaveBarState(LPCSTR lpszProfileName)
{
    CDockState state;
    GetDockState(state);
    state.SaveState(lpszProfileName);
}
