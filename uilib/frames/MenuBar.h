// CUXMenuBar: a frame's menu as a dockable bar. The top-level entries are flat items that the bar draws and
// hit-tests itself (its window is a common tool-bar control used as a canvas); it opens their pop-ups
// through the cool menus, moves between them with the mouse and the arrow keys while one is open, and has a
// keyboard mode of its own (Alt or F10 selects an entry, the arrows move, Enter opens). In an MDI frame whose
// active child is maximized it shows the child's icon (its system menu) at the left and the child's
// minimize, restore and close buttons at the right, and it lists the children in the window menu.
//
// While one of its pop-ups is open a message filter hook of the thread watches the menu's keys and mouse;
// two window hooks, on the frame and on the MDI client, follow the menu messages the bar has to know.
#pragma once

#include "uilib/core/bars/ControlBar.h"
#include "uilib/core/bars/CustomizeCenter.h"
#include "uilib/core/base/WndHook.h"

#include <memory>
#include <vector>

// The frame's control bar that is its menu bar.
#ifndef AFX_IDW_MENUBAR
#define AFX_IDW_MENUBAR 0xE858
#endif

class CUXMenuBar;
struct CUXBarDescriptor;

// One item of the bar: its place in the bar's client area, drawn and tracked by the bar.
class CUXMenuBarItem : public CObject
{
    DECLARE_DYNAMIC(CUXMenuBarItem)
public:
    explicit CUXMenuBarItem(CUXMenuBar* pBar) : m_pBar(pBar) {}

    virtual BOOL IsHidden() const { return FALSE; }
    virtual void Draw(CDC* pDC) = 0;
    // TRUE when the item has a mnemonic (upper-cased).
    virtual BOOL GetMnemonic(char& mnemonic) const;
    virtual CSize GetSize() const = 0;
    virtual BOOL CanWrap() const { return TRUE; }
    // Pixels after the item.
    virtual int GetGap() const { return 0; }
    virtual void Track() {}
    virtual void OnDblClick() {}

    CRect GetRect() const { return CRect(m_ptPos, GetSize()); }

    CUXMenuBar* m_pBar;
    CPoint m_ptPos;         // top-left corner in the bar's client area
    BOOL m_bWrap = FALSE;   // a new row (column) starts after the item
};

// The active MDI child's icon: opens the child's system menu.
class CUXMenuBarIconItem : public CUXMenuBarItem
{
    DECLARE_DYNAMIC(CUXMenuBarIconItem)
public:
    using CUXMenuBarItem::CUXMenuBarItem;
    BOOL IsHidden() const override;
    void Draw(CDC* pDC) override;
    CSize GetSize() const override;
    int GetGap() const override { return 2; }
    void Track() override;
    void OnDblClick() override;
};

// A top-level entry of the menu.
class CUXMenuBarTextItem : public CUXMenuBarItem
{
    DECLARE_DYNAMIC(CUXMenuBarTextItem)
public:
    CUXMenuBarTextItem(CUXMenuBar* pBar, const CString& text, int position);
    void Draw(CDC* pDC) override;
    BOOL GetMnemonic(char& mnemonic) const override;
    CSize GetSize() const override;
    void Track() override;

    CString m_strText;   // as the menu has it, with its '&'
    int m_nPosition;     // in the menu
    CSize m_size;        // measured in the bar's font
};

// One of the maximized child's caption buttons.
class CUXMenuBarMDIButton : public CUXMenuBarItem
{
    DECLARE_DYNAMIC(CUXMenuBarMDIButton)
public:
    enum Kind
    {
        kClose = 0,
        kMinimize = 1,
        kRestore = 3
    };
    CUXMenuBarMDIButton(CUXMenuBar* pBar, Kind kind, UINT command, int gap, UINT tipId);
    BOOL IsHidden() const override;
    void Draw(CDC* pDC) override;
    CSize GetSize() const override;
    BOOL CanWrap() const override { return FALSE; }
    int GetGap() const override { return m_nGap; }
    // The child's styles allow the button's command (close always).
    BOOL IsAvailable() const;

    Kind m_kind;
    UINT m_nCommand;   // SC_MINIMIZE, SC_RESTORE, SC_CLOSE
    int m_nGap;
    UINT m_nTipId;
};

// The hooks that tell the bar what happens to the frame's and the MDI client's menus.
class CUXMBarWndHook : public CUXWndHook
{
    DECLARE_DYNAMIC(CUXMBarWndHook)
public:
    explicit CUXMBarWndHook(CUXMenuBar* pBar) : m_pBar(pBar) {}
    using CUXWndHook::AttachWindow;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    CUXMenuBar* m_pBar;
};

class CUXMBarMDIWndHook : public CUXMBarWndHook
{
    DECLARE_DYNAMIC(CUXMBarMDIWndHook)
public:
    using CUXMBarWndHook::CUXMBarWndHook;
};

class CUXMenuBar : public CUXControlBar, private CUXCustomizeListener
{
    DECLARE_DYNAMIC(CUXMenuBar)
public:
    // Which items an enumeration takes.
    enum ItemMask
    {
        kMenuItems = 1,   // the icon and the entries
        kMDIButtons = 2,
        kAllItems = 3
    };
    enum Mode
    {
        kIdle = 0,
        kKeyboard = 1,   // an entry is selected by Alt or F10
        kTracking = 2    // a pop-up is open
    };
    enum
    {
        kHoverTimer = 1000,
        kHoverDelay = 4500,
    };

    CUXMenuBar();
    ~CUXMenuBar() override;

    // Makes the bar the frame's menu: the frame's menu becomes the bar's and the frame has none any more.
    virtual BOOL CreateEx(CWnd* pFrame, DWORD dwCtrlStyle = 0,
                          DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_TOOLTIPS,
                          CRect rcBorders = CRect(0, 0, 0, 0), UINT nID = AFX_IDW_MENUBAR);
    // The menu bar of a frame, or null.
    static CUXMenuBar* FindMenuBar(CFrameWnd* pFrame);

    // Shows a menu (both null: the frame's own) whose window menu lists the MDI children; the previous menu
    // back.
    HMENU LoadMenuItems(HMENU hMenu, HMENU hWindowMenu);
    HMENU GetCurrentMenu() const { return m_hMenu; }
    HMENU GetDefaultMenu() const { return m_hMenuDefault; }
    HMENU GetWindowMenu() const { return m_hWindowMenu; }
    // Puts the user tools' pop-up at the position (past the end: at 0) unless "&Tools" is there already.
    void InsertToolsMenu(int position);

    // Follows the MDI client's active child; with relayout the bar and the frame are laid out again when the
    // child's maximized state changed.
    void SyncActiveMDIChild(BOOL relayout);
    BOOL IsChildMaximized() const { return m_bChildMaximized; }
    // The active MDI child (null in an SDI frame or without children).
    HWND GetActiveMDIChild() const;

    // Opens the pop-up of an item and follows the mouse and the arrow keys to others until the user is done.
    void TrackPopup(int index);
    // The keyboard rules: TRUE when the bar took the message (the frame calls this before translation).
    virtual BOOL PreTranslateFrameMessage(MSG* pMsg);

    // Commands the personalized menus hide until every command is shown.
    BOOL AddHiddenCommand(UINT nID);
    BOOL AddHiddenCommands(const UINT* ids, int count);

    // ---- customization ----
    // Registers with the customize centre: the bar, and its entries' pop-ups by key.
    void SetCustomizable(BOOL on);
    BOOL IsCustomizable() const { return m_bCustomizable; }
    // Offers one command category per top-level entry to the customize dialog (from its creation on).
    void OfferCommands(BOOL on);
    void GetCustomizeDescriptor(CUXBarDescriptor& descriptor);
    // The key of a sub-entry that opens a pop-up: the checksum of the entry's and the sub-entry's texts.
    static DWORD GetPopupKey(const CString& entryText, const CString& subEntryText);
    // The pop-up of the current menu with that key; null when none.
    HMENU FindPopupByKey(DWORD key) const;

    // ---- state ----
    int GetMode() const { return m_nMode; }
    int GetHotItem() const { return m_nHot; }
    int GetTrackedItem() const { return m_nTracked; }
    int GetItemCount() const { return static_cast<int>(m_items.size()); }
    CUXMenuBarItem* GetItem(int index) const;
    // The visible item (of the mask) under a point of the client area, -1 when none.
    int HitTest(CPoint point, int mask = kAllItems) const;
    BOOL IsFrameActive() const { return m_bFrameActive; }
    BOOL IsPopupOpen() const { return m_hMenuTracked != nullptr; }
    BOOL ShowsMnemonics() const;
    // Whether a pop-up of any menu bar is open now (the message filter is installed exactly then).
    static BOOL IsMenuFilterInstalled();
    void ShowMoreWindows(BOOL show) { m_bMoreWindows = show ? 1 : 0; }
    void ShowMDIButtons(BOOL show) { m_bShowMDIButtons = show ? 1 : 0; }

    // ---- layout and drawing ----
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
    void DoPaint(CDC* pDC) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    void OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle) override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFOA* pTI) const override;
    void OnReBarNotify(LPARAM value, BOOL flag) override;
    BarMenuGroup GetBarMenuGroup() const override { return kNotListed; }
    // Drags live (its contents move with the mouse) when the option to show them while dragging is on.
    BOOL OnReBarQuery() override { return TRUE; }
    BOOL IsVerticalLayout() const;
    CFont* GetBarFont();

    // ---- used by the items and the hooks ----
    BOOL IsHotItem(const CUXMenuBarItem* pItem) const;
    BOOL IsTrackedItem(const CUXMenuBarItem* pItem) const;
    BOOL IsPressedButton(const CUXMenuBarItem* pItem) const;
    BOOL ShowsMDIButtons() const { return m_bShowMDIButtons; }
    // The dock side a pop-up opens from (CBRS_ALIGN_ bits; top when floating).
    UINT GetPopupSide() const;
    void TrackTextItem(CUXMenuBarTextItem* pItem);
    void TrackIconItem(CUXMenuBarIconItem* pItem);
    // The flat look's glyph of a caption button; FALSE when the glyphs are missing.
    BOOL DrawFlatButton(CDC* pDC, CUXMenuBarMDIButton* pButton, const CRect& rect, UINT state);
    // Lists the MDI children in the window menu: up to nine, the active one always.
    void BuildWindowList(HMENU hWindowMenu);
    BOOL IsWindowMenu(HMENU hMenu) const;
    // The menu position of the entry whose pop-up is open, -1 when none.
    int GetTrackedMenuPosition() const;
    void OnMenuSelect(UINT nFlags, HMENU hMenu);
    void OnFrameActivation(HWND hWnd, BOOL active);
    void OnMDISetMenu(HMENU hMenu, HMENU hWindowMenu);

    // The menu's text of the user tools' pop-up.
    static CString GetToolsMenuText();

protected:
    // Where the items go for a length along the bar: one rectangle per item (empty for hidden ones).
    struct Placement
    {
        std::vector<CRect> rects;
        CSize extent;
        int rows = 1;
    };

    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    // The message-filter side of tracking: TRUE eats the message.
    virtual BOOL FilterMenuMessage(MSG* pMsg);
    virtual void Beep();
    CFrameWnd* GetFrame() const;
    void SetMode(int mode);
    void SetHotItem(int index);
    // Ends the open pop-up and opens the item's (-1: none) next.
    void SwitchTo(int index);
    // The next visible icon or entry after (before) the index, wrapping; -1 when there is none.
    int NextMenuItem(int index, BOOL forward) const;
    int FirstTextItem() const;
    int FindMnemonic(char key) const;
    BOOL IsMenuItem(int index) const;
    BOOL IsVisibleItem(int index, int mask) const;
    BOOL CanPressButton(int index) const;
    void RebuildItems();
    void RemoveToolsMenu(HMENU hMenu);
    void InvalidateItem(int index);
    void ResetTrackingState();
    void SetShowUnderlines(BOOL show);
    CSize ItemSize(const CUXMenuBarItem* pItem, BOOL horizontal) const;
    Placement ComputePlacement(int length, BOOL horizontal, BOOL pushButtons) const;
    // Places the items in the window as it is.
    void PlaceItems();
    CSize CalcLayout(DWORD dwMode, int nLength);
    int AvailableLength(BOOL horizontal) const;

    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnSettingChange(UINT uFlags, LPCSTR lpszSection);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

    static LRESULT CALLBACK MessageFilterProc(int code, WPARAM wParam, LPARAM lParam);
    // The customize centre: customize mode only ends a keyboard selection; the bar offers its popups to
    // tool-bar buttons and its commands as categories.
    void OnCustomizeMode(BOOL on) override;
    HMENU OnCommandPopup(UINT nPopupID) override;
    void OnAddCommandCategories(CUXCommandCategories& categories) override;

    // The icon, one item per entry, the three buttons.
    std::vector<std::unique_ptr<CUXMenuBarItem>> m_items;
    std::vector<UINT> m_hiddenCommands;
    CUXMBarWndHook* m_pFrameHook = nullptr;
    CUXMBarMDIWndHook* m_pMDIHook = nullptr;
    CPoint m_ptLastMouse = CPoint(-1, -1);   // where the mouse was last seen while tracking
    BOOL m_bMouseKnown = FALSE;
    CPoint m_ptKeyMode = CPoint(-1, -1);   // where the mouse was when the keyboard took over
    int m_nPressedButton = -1;             // the MDI button pressed with the mouse
    int m_nHot = -1;
    int m_nLastTracked = -1;
    int m_nNext = -1;
    int m_nTracked = -1;
    int m_nFixedLength = -1;   // set by a hosting rebar
    BOOL m_bKeyboardCues = TRUE;
    BOOL m_bFrameActive = TRUE;
    BOOL m_bChildMaximized = FALSE;
    HWND m_hWndMDIClient = nullptr;
    HWND m_hWndMDIChild = nullptr;   // the active child last seen
    HMENU m_hMenuTracked = nullptr;
    HMENU m_hMenu = nullptr;
    HMENU m_hMenuDefault = nullptr;   // the frame's own menu, owned
    HMENU m_hWindowMenu = nullptr;
    int m_nMode = kIdle;
    BYTE m_bHoverTimer = 0;
    BYTE m_bMoreWindows = 1;
    BYTE m_bRightAlignButtons = 1;
    BYTE m_bMayLeaveLeft = 0;
    BYTE m_bMayLeaveRight = 0;
    BYTE m_bEscapePressed = 0;
    BYTE m_bMouseInside = 0;
    BYTE m_bShowMDIButtons = 1;
    BYTE m_bAltAlone = 0;       // Alt (or F10) went down and no other key since
    BYTE m_bKeyboardOpen = 0;   // the pop-up to open next was asked for with a key
    BOOL m_bCustomizable = FALSE;
    BOOL m_bOfferCommands = FALSE;
    CUXCustomizeRegistration m_customizeRegistration{this};
    CImageList m_buttonGlyphs;   // the flat look's caption glyphs
};
