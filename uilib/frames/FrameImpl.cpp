#include "uilib/frames/FrameImpl.h"

#include "uilib/core/bars/CustomizeCenter.h"
#include "uilib/core/base/GlobalData.h"
#include "uilib/core/base/LibraryIds.h"
#include "uilib/frames/CustomizeSheet.h"
#include "uilib/frames/DockState.h"
#include "uilib/frames/KeyMapManager.h"
#include "uilib/frames/ToolsManager.h"

#include <algorithm>

UINT CUXFrameImpl::s_nCustomizePages = CUXCustomizeSheet::kAllPages;
std::vector<CUXFrameImpl*> CUXFrameImpl::s_watched;
HHOOK CUXFrameImpl::s_hFocusHook = nullptr;

CUXFrameImpl::CUXFrameImpl()
{
    // The frame saves the user's shortcuts and tools when it goes.
    GetKeyMapManager().SetSaveOnDestroy(FALSE);
    GetToolsManager().SetActive(FALSE);
}

CUXFrameImpl::~CUXFrameImpl()
{
    auto watched = std::find(s_watched.begin(), s_watched.end(), this);
    if (watched != s_watched.end())
        s_watched.erase(watched);
    if (s_watched.empty() && s_hFocusHook != nullptr)
    {
        ::UnhookWindowsHookEx(s_hFocusHook);
        s_hFocusHook = nullptr;
    }
    // Only the frame the shortcuts serve switches them off: a document window that closes leaves them alone.
    CUXKeyMapManager& keys = GetKeyMapManager();
    if (keys.IsEnabled() && m_pImplFrame != nullptr && keys.GetFrame() == m_pImplFrame)
        keys.Commit(TRUE);
    CUXToolsManager& tools = GetToolsManager();
    tools.WithdrawFrameCoolMenu(&m_coolMenu);
    if (tools.IsEnabled())
        tools.Save(0);
    // A customize dialog of this frame ends with it; the call that runs the dialog deletes it once its loop
    // has returned (deleting it here would pull it from under that loop).
    CUXCustomizeSheet* pSheet = GetCustomizeSheet();
    if (pSheet != nullptr && m_pImplFrame != nullptr && pSheet->GetFrame() == m_pImplFrame &&
        pSheet->m_hWnd != nullptr)
        pSheet->DestroyWindow();
}

void CUXFrameImpl::InstallCoolMenu(CWnd* pFrame)
{
    if (m_coolMenu.Install(pFrame) && !(pFrame->GetStyle() & WS_CHILD))
        GetToolsManager().OfferFrameCoolMenu(&m_coolMenu);
}

// ---- the bar layout ---------------------------------------------------------------------------------------

void CUXFrameImpl::LoadBarState(CFrameWnd* pFrame, LPCSTR lpszProfileName)
{
    if (pFrame == nullptr || pFrame->m_hWnd == nullptr || lpszProfileName == nullptr)
        return;
    GetCustomizeCenter().LoadCustomBars(pFrame, lpszProfileName);
    CUXDockState::LoadBarState(pFrame, lpszProfileName);
    RequestRaise();
}

void CUXFrameImpl::SaveBarState(CFrameWnd* pFrame, LPCSTR lpszProfileName)
{
    if (pFrame == nullptr || pFrame->m_hWnd == nullptr || lpszProfileName == nullptr)
        return;
    GetCustomizeCenter().SaveCustomBars(pFrame, lpszProfileName);
    CUXDockState::SaveBarState(pFrame, lpszProfileName);
}

void CUXFrameImpl::SetDockState(CFrameWnd* pFrame, const CDockState& state)
{
    if (pFrame != nullptr && pFrame->m_hWnd != nullptr)
        pFrame->CFrameWnd::SetDockState(state);
}

void CUXFrameImpl::GetDockState(CFrameWnd* pFrame, CDockState& state)
{
    state.Clear();
    if (pFrame != nullptr)
        pFrame->CFrameWnd::GetDockState(state);
}

// ---- docking ---------------------------------------------------------------------------------------------

void CUXFrameImpl::DockControlBar(CFrameWnd* pFrame, CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect)
{
    if (pFrame != nullptr)
        pFrame->CFrameWnd::DockControlBar(pBar, pDockBar, lpRect);
}

void CUXFrameImpl::DockControlBarLeftOf(CFrameWnd* pFrame, CControlBar* pBar, CControlBar* pLeftOf)
{
    if (pFrame == nullptr || pBar == nullptr || pLeftOf == nullptr || pLeftOf->m_hWnd == nullptr)
        return;
    // Where the other bar is now, one pixel on: the dock bar puts the bar after it in its row.
    pFrame->RecalcLayout(TRUE);
    CRect rect;
    pLeftOf->GetWindowRect(&rect);
    rect.OffsetRect(1, 0);
    DWORD style = pLeftOf->GetBarStyle();
    UINT nDockBarID = AFX_IDW_DOCKBAR_RIGHT;
    if (style & CBRS_ALIGN_TOP)
        nDockBarID = AFX_IDW_DOCKBAR_TOP;
    else if (style & CBRS_ALIGN_BOTTOM)
        nDockBarID = AFX_IDW_DOCKBAR_BOTTOM;
    else if (style & CBRS_ALIGN_LEFT)
        nDockBarID = AFX_IDW_DOCKBAR_LEFT;
    pFrame->CFrameWnd::DockControlBar(pBar, nDockBarID, &rect);
}

// ---- menus -----------------------------------------------------------------------------------------------

CUXMenuBar* CUXFrameImpl::GetMenuBar(CFrameWnd* pFrame)
{
    return CUXMenuBar::FindMenuBar(pFrame);
}

CMenu* CUXFrameImpl::GetMenu(CFrameWnd* pFrame) const
{
    if (pFrame == nullptr || pFrame->m_hWnd == nullptr)
        return nullptr;
    // A document window shows its MDI frame's menu.
    CFrameWnd* pOwner = pFrame;
    if (pFrame->IsKindOf(RUNTIME_CLASS(CMDIChildWnd)))
    {
        if (CMDIFrameWnd* pMDIFrame = static_cast<CMDIChildWnd*>(pFrame)->GetMDIFrame())
            pOwner = pMDIFrame;
    }
    HMENU hMenu = ::GetMenu(pOwner->m_hWnd);
    if (hMenu == nullptr)
    {
        if (CUXMenuBar* pMenuBar = GetMenuBar(pOwner))
            hMenu = pMenuBar->GetCurrentMenu();
    }
    return hMenu != nullptr ? CMenu::FromHandle(hMenu) : nullptr;
}

BOOL CUXFrameImpl::AddHiddenCommands(CFrameWnd* pFrame, const UINT* ids, int count)
{
    if (ids == nullptr || count <= 0)
        return FALSE;
    if (m_coolMenu.IsAttached())
        m_coolMenu.AddHiddenCommands(ids, count);
    CUXMenuBar* pMenuBar = GetMenuBar(pFrame);
    return pMenuBar != nullptr && pMenuBar->AddHiddenCommands(ids, count);
}

BOOL CUXFrameImpl::AddHiddenCommand(CFrameWnd* pFrame, UINT nID)
{
    return AddHiddenCommands(pFrame, &nID, 1);
}

// ---- window class and keys -------------------------------------------------------------------------------

BOOL CUXFrameImpl::UseFrameClass(CREATESTRUCTA& cs, UINT nIconId)
{
    HICON hIcon = ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIconId));
    LPCSTR lpszClass = AfxRegisterWndClass(0, nullptr, nullptr, hIcon);
    if (lpszClass == nullptr)
        return FALSE;
    cs.lpszClass = lpszClass;
    return TRUE;
}

BOOL CUXFrameImpl::PreTranslateKeys(CFrameWnd* pFrame, MSG* pMsg)
{
    if (pMsg == nullptr)
        return FALSE;
    const CUXKeyMapManager& keys = GetKeyMapManager();
    if (keys.IsEnabled() && keys.IsShortcutKey(pMsg))
        return FALSE;
    CUXMenuBar* pMenuBar = GetMenuBar(pFrame);
    return pMenuBar != nullptr && pMenuBar->PreTranslateFrameMessage(pMsg);
}

void CUXFrameImpl::RefreshLook()
{
    uxAfxData.RefreshSystemColors();
    uxAfxData.RefreshMetrics();
}

void CUXFrameImpl::ShowShortcuts(CMenu* pPopupMenu, BOOL bSysMenu)
{
    const CUXKeyMapManager& keys = GetKeyMapManager();
    if (!bSysMenu && pPopupMenu != nullptr && keys.IsEnabled())
        keys.UpdateMenuShortcuts(pPopupMenu->GetSafeHmenu());
}

// ---- views -----------------------------------------------------------------------------------------------

CWnd* CUXFrameImpl::CreateViewInFrame(CFrameWnd* pFrame, CRuntimeClass* pViewClass, CCreateContext* pContext)
{
    if (pFrame == nullptr || pFrame->m_hWnd == nullptr || pViewClass == nullptr)
        return nullptr;
    CCreateContext context;
    if (pContext != nullptr)
        context = *pContext;
    context.m_pNewViewClass = pViewClass;
    context.m_pCurrentFrame = pFrame;
    CWnd* pWnd = pFrame->CreateView(&context, AFX_IDW_PANE_FIRST);
    if (pWnd == nullptr)
        return nullptr;
    pWnd->SendMessage(WM_INITIALUPDATE);
    if (pWnd->IsKindOf(RUNTIME_CLASS(CView)))
        pFrame->SetActiveView(static_cast<CView*>(pWnd));
    pFrame->RecalcLayout();
    return pWnd;
}

// ---- customize dialog ------------------------------------------------------------------------------------

void CUXFrameImpl::OnCustomize(CFrameWnd* pFrame)
{
    if (GetCustomizeSheet() != nullptr || pFrame == nullptr || pFrame->m_hWnd == nullptr)
        return;
    // Nothing of the frame after the loop: it may have gone while the dialog ran.
    CUXCustomizeSheet sheet(pFrame, s_nCustomizePages);
    sheet.DoModal();
}

CUXCustomizeSheet* CUXFrameImpl::GetCustomizeSheet()
{
    return CUXCustomizeSheet::GetRunning();
}

// ---- window order ----------------------------------------------------------------------------------------

void CUXFrameImpl::WatchFocus()
{
    if (m_pImplFrame == nullptr || (m_pImplFrame->GetStyle() & WS_CHILD) ||
        std::find(s_watched.begin(), s_watched.end(), this) != s_watched.end())
        return;
    s_watched.push_back(this);
    if (s_hFocusHook == nullptr)
        s_hFocusHook = ::SetWindowsHookExA(WH_CBT, FocusHook, nullptr, ::GetCurrentThreadId());
}

LRESULT CALLBACK CUXFrameImpl::FocusHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    // Before the activation or the focus change: the raise comes after it, when its messages are handled.
    if ((nCode == HCBT_ACTIVATE || nCode == HCBT_SETFOCUS) && wParam != 0)
        RequestRaiseFor(::GetAncestor(reinterpret_cast<HWND>(wParam), GA_ROOT));
    return ::CallNextHookEx(s_hFocusHook, nCode, wParam, lParam);
}

void CUXFrameImpl::RequestRaiseFor(HWND hWnd)
{
    for (; hWnd != nullptr; hWnd = ::GetWindow(hWnd, GW_OWNER))
    {
        for (CUXFrameImpl* pImpl : s_watched)
        {
            if (pImpl->m_pImplFrame->m_hWnd == hWnd)
                pImpl->RequestRaise();
        }
    }
}

void CUXFrameImpl::RequestRaise()
{
    if (!m_bRaisePosted && m_pImplFrame != nullptr && m_pImplFrame->m_hWnd != nullptr &&
        !(m_pImplFrame->GetStyle() & WS_CHILD))
        m_bRaisePosted = m_pImplFrame->PostMessage(UXM_RAISE_POPUPS);
}

void CUXFrameImpl::OnRaisePopupsRequest()
{
    m_bRaisePosted = FALSE;
    m_bRaiseAtIdle = TRUE;
    RaiseOwnedPopups(m_pImplFrame->GetSafeHwnd());
}

void CUXFrameImpl::OnFrameIdle()
{
    // Once more when the program has nothing else to do: Wine reads the display's events only then, and one
    // of them, left from before the raise, may still put the frame over its windows.
    if (!m_bRaiseAtIdle)
        return;
    m_bRaiseAtIdle = FALSE;
    RaiseOwnedPopups(m_pImplFrame->GetSafeHwnd());
}

void CUXFrameImpl::RaiseOwnedPopups(HWND hWnd)
{
    HWND hFrame = hWnd != nullptr ? ::GetAncestor(hWnd, GA_ROOT) : nullptr;
    if (hFrame == nullptr)
        return;
    auto ownedByFrame = [hFrame](HWND hWnd)
    {
        for (HWND hOwner = ::GetWindow(hWnd, GW_OWNER); hOwner != nullptr; hOwner = ::GetWindow(hOwner, GW_OWNER))
        {
            if (hOwner == hFrame)
                return true;
        }
        return false;
    };
    HWND hForeground = ::GetForegroundWindow();
    if (hForeground != hFrame && !ownedByFrame(hForeground))
        return;   // another program's window is in front: the frame's windows stay behind it
    // From the top down; windows kept above all others are above the frame anyway.
    std::vector<HWND> owned;
    for (HWND hWnd = ::GetWindow(hFrame, GW_HWNDFIRST); hWnd != nullptr; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
    {
        if (::IsWindowVisible(hWnd) && !(::GetWindowLongA(hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST) &&
            ownedByFrame(hWnd))
            owned.push_back(hWnd);
    }
    // The lowest first, each just above its owner and then on top. Of the two moves one always changes the
    // order, and only a change reaches the display's own stacking: Wine without a window manager keeps one of
    // its own, and brings the frame up over its windows wherever that stacking shows the frame over them.
    const UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    for (auto it = owned.rbegin(); it != owned.rend(); ++it)
    {
        ::SetWindowPos(*it, ::GetWindow(*it, GW_OWNER), 0, 0, 0, 0, flags);
        ::SetWindowPos(*it, HWND_TOP, 0, 0, 0, 0, flags);
    }
}
