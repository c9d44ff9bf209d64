#include "uilib/frames/FrameImpl.h"

#include "uilib/core/bars/CustomizeCenter.h"
#include "uilib/core/base/GlobalData.h"
#include "uilib/frames/CustomizeSheet.h"
#include "uilib/frames/DockState.h"
#include "uilib/frames/KeyMapManager.h"
#include "uilib/frames/ToolsManager.h"

UINT CUXFrameImpl::s_nCustomizePages = CUXCustomizeSheet::kAllPages;

CUXFrameImpl::CUXFrameImpl()
{
    // The frame saves the user's shortcuts and tools when it goes.
    GetKeyMapManager().SetSaveOnDestroy(FALSE);
    GetToolsManager().SetActive(FALSE);
}

CUXFrameImpl::~CUXFrameImpl()
{
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
