// The library's frame windows: CUXFrameWnd (a single-document frame), CUXMDIFrameWnd (an MDI frame) and
// CUXMDIChildWnd (a document window in it). Each is its framework frame plus CUXFrameImpl, whose operations
// it forwards with itself as the frame; all three can be made by class (document templates).
//
// The frames (not the document windows) answer the customize command (ID_UX_CUSTOMIZE), the user tools'
// commands, the full-menus command's update, and system colour and setting changes; they put the user's
// shortcuts into their menus and give keys to the menu bar before the framework. The MDI frame opens the
// window list for "More Windows..." (ID_UX_MORE_WINDOWS). A document window has a cool-menu hook of its own,
// runs the customize dialog for the program's main window, and makes its first view the active one before
// it is activated.
//
// A program on these frames (tests/uiframes/sample/ is the least one; the README says how to link it) does,
// in its frame's OnCreate after the base class's:
//  1. The user tools, when it offers them: GetToolsManager().SetEnabled(TRUE), SetMenuPositions (where the
//     "&Tools" pop-up goes), SetCoolMenu(&m_coolMenu) (their icons in the menus), Load(). Before the menu bar,
//     which puts the pop-up into the menu it takes over.
//  2. The bars: the menu bar (m_wndMenuBar.CreateEx(this), which puts its commands on the customize dialog's
//     Commands page; SetCustomizable(TRUE) makes it one of the dialog's bars); each tool bar
//     (SetCustomizable(TRUE) before its CreateEx, LoadToolBar, then SetWindowText: a bar's window text is its
//     name on the customize dialog and on its floating frame, which say "Toolbar" without it); each docking
//     window (Create, SetChild, SetDockedSize; it fills its side of the frame only when expanded,
//     SetExpanded(TRUE)); the status bar (its first pane shows the prompts, the idle prompt
//     AFX_IDS_IDLEMESSAGE from the program's strings).
//  3. Docking: the frame's EnableDocking (the library's; UXEnableDocking does the same), each bar's
//     EnableDocking, then DockControlBar or DockControlBarLeftOf where each bar starts.
//  4. Cool menus: m_coolMenu.LoadToolbar(&bar) for the bars whose images the menus show; AddHiddenCommand(s)
//     for the rarely used commands the personalized menus hide.
//  5. Shortcuts and options: GetKeyMapManager().Enable(this) (the frame's accelerators become the default
//     table, the user's stored table replaces them); GetOptionsStore().SetEnabled(TRUE), then Load().
//  6. The layout of the last run: LoadBarState(profile), last, once every bar exists (the user's own tool bars
//     are made there).
// None of it waits for the frame to be on the screen.
//
// At close the program saves the layout itself, in its frame's OnClose before the base class's:
// SaveBarState(profile) (the docking windows' sizes and the user's own tool bars with it). What saves itself:
// the user's shortcuts and tools as the frame goes, the options when the options page closes and at program
// end, the customize dialog its page and placement, the cool menus their recently used commands.
#pragma once

#include "uilib/frames/DockBar.h"
#include "uilib/frames/FrameImpl.h"

// The operations every library frame shares, on top of its framework frame TBase.
template <class TBase>
class CUXFrameOf : public TBase, public CUXFrameImpl
{
public:
    CUXFrameOf() { m_pImplFrame = this; }

    // The bar layout in the library's settings store (in place of the framework's profile).
    virtual void LoadBarState(LPCSTR lpszProfileName) { CUXFrameImpl::LoadBarState(this, lpszProfileName); }
    virtual void SaveBarState(LPCSTR lpszProfileName) { CUXFrameImpl::SaveBarState(this, lpszProfileName); }
    virtual void SetDockState(const CDockState& state) { CUXFrameImpl::SetDockState(this, state); }
    virtual void GetDockState(CDockState& state) { CUXFrameImpl::GetDockState(this, state); }

    // The library's docking (UXEnableDocking): its dock bars, with the docking windows' splitters, and its
    // floating frames. It hides the framework's, whose plain dock bars would lose the splitters.
    void EnableDocking(DWORD dwDockStyle) { UXEnableDocking(this, dwDockStyle); }

    using TBase::DockControlBar;
    virtual void DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = nullptr)
    {
        CUXFrameImpl::DockControlBar(this, pBar, pDockBar, lpRect);
    }
    virtual void DockControlBarLeftOf(CControlBar* pBar, CControlBar* pLeftOf)
    {
        CUXFrameImpl::DockControlBarLeftOf(this, pBar, pLeftOf);
    }

    virtual CMenu* GetMenu() const { return CUXFrameImpl::GetMenu(const_cast<CUXFrameOf*>(this)); }
    virtual BOOL AddHiddenCommands(const UINT* ids, int count)
    {
        return CUXFrameImpl::AddHiddenCommands(this, ids, count);
    }
    virtual BOOL AddHiddenCommand(UINT nID) { return CUXFrameImpl::AddHiddenCommand(this, nID); }

    using TBase::PreCreateWindow;
    // The framework's preparation, then the frame's own window class with the icon of nIconId.
    virtual BOOL PreCreateWindow(CREATESTRUCTA& cs, UINT nIconId)
    {
        return TBase::PreCreateWindow(cs) && CUXFrameImpl::UseFrameClass(cs, nIconId);
    }
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        return CUXFrameImpl::PreTranslateKeys(this, pMsg) || TBase::PreTranslateMessage(pMsg);
    }
    virtual CWnd* CreateViewInFrame(CRuntimeClass* pViewClass, CCreateContext* pContext)
    {
        return CUXFrameImpl::CreateViewInFrame(this, pViewClass, pContext);
    }

protected:
    afx_msg void OnSysColorChange()
    {
        TBase::OnSysColorChange();
        CUXFrameImpl::RefreshLook();
    }
    afx_msg void OnSettingChange(UINT uFlags, LPCSTR lpszSection)
    {
        TBase::OnSettingChange(uFlags, lpszSection);
        CUXFrameImpl::RefreshLook();
    }
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu)
    {
        CUXFrameImpl::ShowShortcuts(pPopupMenu, bSysMenu);
        TBase::OnInitMenuPopup(pPopupMenu, nIndex, bSysMenu);
    }
    afx_msg void OnCustomize() { CUXFrameImpl::OnCustomize(this); }
    afx_msg void OnToolsCommand(UINT nID);
    // The tools' entries stay enabled: the range has a command handler.
    afx_msg void OnUpdateTools(CCmdUI* pCmdUI) { pCmdUI->ContinueRouting(); }
    afx_msg void OnUpdateFullMenus(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }
    // The frame's cool-menu hook goes on with its window, and the frame keeps its windows above it.
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        if (TBase::OnCreate(lpCreateStruct) == -1)
            return -1;
        CUXFrameImpl::InstallCoolMenu(this);
        CUXFrameImpl::WatchFocus();
        return 0;
    }
    afx_msg LRESULT OnRaisePopups(WPARAM, LPARAM)
    {
        CUXFrameImpl::OnRaisePopupsRequest();
        return 0;
    }
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam)
    {
        LRESULT result = TBase::OnIdleUpdateCmdUI(wParam, lParam);
        CUXFrameImpl::OnFrameIdle();
        return result;
    }
};

class CUXFrameWnd : public CUXFrameOf<CFrameWnd>
{
    DECLARE_DYNCREATE(CUXFrameWnd)
public:
    CUXFrameWnd() = default;

    DECLARE_MESSAGE_MAP()
};

class CUXMDIFrameWnd : public CUXFrameOf<CMDIFrameWnd>
{
    DECLARE_DYNCREATE(CUXMDIFrameWnd)
public:
    CUXMDIFrameWnd() = default;

protected:
    // "More Windows...": the window list, modal.
    afx_msg void OnMoreWindows();
    DECLARE_MESSAGE_MAP()
};

class CUXMDIChildWnd : public CUXFrameOf<CMDIChildWnd>
{
    DECLARE_DYNCREATE(CUXMDIChildWnd)
public:
    CUXMDIChildWnd() = default;

    // Its first view becomes the active one (when it is not), then it is activated as usual.
    void ActivateFrame(int nCmdShow = -1) override;
    CUXCoolMenu& GetChildCoolMenu() { return m_childCoolMenu; }

protected:
    // Its own cool-menu hook, installed once the child exists.
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    // The customize dialog of the program's main window.
    afx_msg void OnCustomize();
    DECLARE_MESSAGE_MAP()

    CUXCoolMenu m_childCoolMenu;
};
