// CUXFrameImpl: what the library's frame windows share. Each frame class (CUXFrameWnd, CUXMDIFrameWnd,
// CUXMDIChildWnd) derives from it besides its framework frame and forwards its operations here with itself
// as the frame: the bar layout kept in the library's settings store (with the user's own tool bars), docking
// next to another bar, the menu the menu bar shows, the menu bar's keys and the user's shortcuts, the shortcut
// texts in menus, the user tools' commands and the customize dialog.
//
// It holds a cool-menu hook and a menu bar object; the bar becomes a window only when the application creates
// it (m_wndMenuBar.CreateEx(frame)). The operations find the frame's menu bar among its control bars, so a
// frame may bring a menu bar of a class of its own.
//
// The keyboard-shortcut manager and the user-tools manager save what changed when the frame they serve goes,
// not at program end.
//
// A frame keeps the windows it owns (its floating frames, the customize dialog, the library's pop-ups) above
// itself: each time it or one of them is activated, the focus moves into it, its layout is loaded or one of
// its floating frames shows, they are raised once the messages waiting then are handled, and again at the
// frame's next idle update. (Wine without a window manager brings the frame up over them whenever its focus
// moves, and tells the program nothing.)
#pragma once

#include "uilib/core/bars/CoolMenu.h"
#include "uilib/frames/MenuBar.h"

#include <vector>

class CUXCustomizeSheet;

class CUXFrameImpl
{
public:
    CUXFrameImpl();
    virtual ~CUXFrameImpl();
    CUXFrameImpl(const CUXFrameImpl&) = delete;
    CUXFrameImpl& operator=(const CUXFrameImpl&) = delete;

    // ---- the bar layout ----
    // The user's own tool bars are made first (customize centre), then the dock state saved under the profile
    // name is applied: bars the frame no longer has are left out, each docking window takes the sizes of its
    // own section (one without a section keeps its own, and the others still get theirs). The floating frames
    // are raised after.
    void LoadBarState(CFrameWnd* pFrame, LPCSTR lpszProfileName);
    // The user's own tool bars, then the dock state and each docking window's sizes.
    void SaveBarState(CFrameWnd* pFrame, LPCSTR lpszProfileName);
    void SetDockState(CFrameWnd* pFrame, const CDockState& state);
    void GetDockState(CFrameWnd* pFrame, CDockState& state);

    // ---- docking ----
    // Without a dock bar: the first dock bar of the bar's own side (else of a side it may dock to).
    void DockControlBar(CFrameWnd* pFrame, CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect);
    // Docks the bar right after pLeftOf, in its row, on the dock bar of pLeftOf's side.
    void DockControlBarLeftOf(CFrameWnd* pFrame, CControlBar* pBar, CControlBar* pLeftOf);

    // ---- menus ----
    // The frame's menu bar (its control bar that is a CUXMenuBar); null when it has none.
    static CUXMenuBar* GetMenuBar(CFrameWnd* pFrame);
    // The menu the frame shows: its window's own, else the one its menu bar shows (an MDI child: its MDI
    // frame's).
    CMenu* GetMenu(CFrameWnd* pFrame) const;
    // Commands the personalized menus hide: to the menu bar and, while the cool-menu hook is installed, to the
    // hook. The menu bar's answer (FALSE without a menu bar).
    BOOL AddHiddenCommands(CFrameWnd* pFrame, const UINT* ids, int count);
    BOOL AddHiddenCommand(CFrameWnd* pFrame, UINT nID);
    CUXCoolMenu& GetCoolMenu() { return m_coolMenu; }
    // Puts the cool-menu hook on the frame's window; a main frame's shows the user tools' icons too.
    void InstallCoolMenu(CWnd* pFrame);

    // ---- window class and keys ----
    // Gives cs a window class of no class style, cursor or background, with the icon of that resource id.
    static BOOL UseFrameClass(CREATESTRUCTA& cs, UINT nIconId);
    // The library's keys before the framework's: TRUE when the menu bar took the message. A key that is one
    // of the user's shortcuts goes to the framework's translation at once (FALSE).
    static BOOL PreTranslateKeys(CFrameWnd* pFrame, MSG* pMsg);
    // The look data takes the system's colours and metrics again.
    static void RefreshLook();
    // Puts each command's first shortcut after a tab in the pop-up's texts, while the shortcut manager runs.
    static void ShowShortcuts(CMenu* pPopupMenu, BOOL bSysMenu);

    // ---- views ----
    // Makes a view of the class as the frame's pane (with the context's document), gives it its first
    // update, makes it the active view and lays the frame out. Null when it cannot be made.
    static CWnd* CreateViewInFrame(CFrameWnd* pFrame, CRuntimeClass* pViewClass, CCreateContext* pContext);

    // ---- customize dialog ----
    // Runs the customize dialog for the frame, one at a time in the program.
    static void OnCustomize(CFrameWnd* pFrame);
    // The dialog open now (null when none).
    static CUXCustomizeSheet* GetCustomizeSheet();
    // The pages the frames' customize dialogs show (CUXCustomizeSheet::PageFlags).
    static void SetCustomizePages(UINT pageFlags) { s_nCustomizePages = pageFlags; }
    static UINT GetCustomizePages() { return s_nCustomizePages; }

    // ---- window order ----
    // The visible windows the frame (the top-level window of hWnd) owns, and those these own, go on top of the
    // others in the order they had among themselves, when the frame or one of them is the foreground window;
    // nothing is activated.
    static void RaiseOwnedPopups(HWND hWnd);
    // The frame that the window is, or that owns it, raises its windows once the messages waiting now are
    // handled (a floating frame asks for it as it shows).
    static void RequestRaiseFor(HWND hWnd);

    CUXCoolMenu m_coolMenu;    // installed on the frame when its window is made
    CUXMenuBar m_wndMenuBar;   // a window only when the application makes it one

protected:
    // From the frame's creation on, its activations and the moves of the focus into it raise its windows
    // (UXM_RAISE_POPUPS, posted once per burst of moves); a document window is left alone.
    void WatchFocus();
    // Asks the frame's window for RaiseOwnedPopups once the messages waiting now are handled.
    void RequestRaise();
    // The frame's answer to UXM_RAISE_POPUPS: the raise now and again at the frame's next idle update.
    void OnRaisePopupsRequest();
    void OnFrameIdle();

    // The frame the destructor finishes for (set when the frame's window is made).
    CFrameWnd* m_pImplFrame = nullptr;

private:
    static LRESULT CALLBACK FocusHook(int nCode, WPARAM wParam, LPARAM lParam);

    BOOL m_bRaisePosted = FALSE;
    BOOL m_bRaiseAtIdle = FALSE;
    static UINT s_nCustomizePages;
    static std::vector<CUXFrameImpl*> s_watched;   // the frames whose focus the hook follows
    static HHOOK s_hFocusHook;                     // installed while there is one
};
