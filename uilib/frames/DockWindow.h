// CUXDockWindow: a resizable docking window that hosts one child window (a tree, a list, a tab control).
// Docked, it shows a caption band (at its left edge when it lies along the top or bottom of the frame, at its
// top edge when it lies along a side) with two buttons: hide (ID_UX_DOCK_HIDE) and expand or contract along
// its row (ID_UX_DOCK_EXPAND); a press on the band drags it. Along each side of the frame it keeps a size of
// its own (m_sizeDefault: top, bottom, left, right), floating another; the library's dock bars put it in rows
// with splitters that resize it. Its sizes and expansion are kept as the 44-byte "Bar Position" record.
//
// Extra bar style: kExtraCaption shows the caption band, kExtraButtons its buttons (both bits: the buttons
// exist).
//
// CUXTabCtrlBar is a docking window that hosts the library's tab control, with one tab per child of an MDI
// client that follows the children and their activation.
#pragma once

#include "uilib/core/dialogs/Button.h"
#include "uilib/core/bars/ControlBar.h"
#include "uilib/core/base/Helpers.h"
#include "uilib/core/dialogs/TabCtrl.h"

#include <cstdint>
#include <memory>

// The stored sizes of a docking window ("Bar Position"): fixed layout, 44 bytes.
struct CUXDockWindowPosition
{
    enum : uint32_t
    {
        kExpanded = 1
    };
    int32_t size[4][2];     // docked at the top, bottom, left, right: width, height
    int32_t floatSize[2];   // floating: width, height
    uint32_t flags;
};
static_assert(sizeof(CUXDockWindowPosition) == 44, "the stored position of a docking window is 44 bytes");

class CUXDockWindow;

// A caption button of a docking window: a 10 x 10 glyph on the face colour, or on the active caption colour
// in the flat look while its window is active.
class CUXBarButton : public CUXButton
{
    DECLARE_DYNAMIC(CUXBarButton)
public:
    explicit CUXBarButton(CUXDockWindow* pOwner) : m_pDockWindow(pOwner) {}
    CUXDockWindow* GetDockWindow() const { return m_pDockWindow; }
    void SetGlyph(HICON hGlyph) { m_hGlyph = hGlyph; }
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

protected:
    CUXDockWindow* m_pDockWindow;
    HICON m_hGlyph = nullptr;   // the window's
};

class CUXDockWindow : public CUXControlBar
{
    DECLARE_DYNAMIC(CUXDockWindow)
public:
    enum
    {
        kExtraCaption = 0x01,
        kExtraButtons = 0x20,
        kCaptionSize = 16,   // the caption band's thickness
        kButtonSize = 12,
        kButtonStep = 14,
        kMinSize = 24,   // neither side is made smaller
    };
    enum Side
    {
        kTop,
        kBottom,
        kLeft,
        kRight
    };

    CUXDockWindow();
    ~CUXDockWindow() override;

    // dwStyle: window style and bar style (the side it starts on: CBRS_ALIGN_ bits); the title is the
    // window's text.
    virtual BOOL Create(CWnd* pParentWnd, LPCSTR lpszTitle, UINT nID,
                        DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_LEFT | CBRS_SIZE_DYNAMIC);
    // The docking window of a bar, or null.
    static CUXDockWindow* FromBar(CControlBar* pBar);

    // The hosted child (a child window of this one): it fills the area beside the caption.
    void SetChild(CWnd* pChild);
    CWnd* GetChild() const { return m_pChild; }

    // The size kept for a side, and while floating.
    CSize GetDockedSize(Side side) const { return m_sizeDefault[side]; }
    void SetDockedSize(Side side, CSize size);
    CSize GetFloatingSize() const { return m_sizeFloat; }
    void SetFloatingSize(CSize size);
    // The side it is docked at now (the bar style's alignment); kTop when it has none.
    Side GetSide() const;

    // Expanded: it takes its row's whole length but what the other docking windows of the row need.
    BOOL IsExpanded() const { return m_bExpanded; }
    void SetExpanded(BOOL bExpanded);
    // Every docking window of its row back to its own length.
    void ResetRowExpansion();
    // Docks into pDockBar at lpRect (screen; null dock bar: its own side) after leaving the floating state.
    void DockInto(CDockBar* pDockBar, LPCRECT lpRect);
    // The focus is in this window or one of its children.
    BOOL IsActive() const;

    // The sizes and expansion as stored, and back. Load accepts exactly the stored record.
    virtual void GetBarPosition(CUXDockWindowPosition& position) const;
    virtual void SetBarPosition(const CUXDockWindowPosition& position);
    // "Bar Position" in a section of the settings store; nothing happens without a window.
    BOOL SaveBarPosition(LPCSTR lpszSection);
    BOOL LoadBarPosition(LPCSTR lpszSection);

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
    void DoPaint(CDC* pDC) override;
    BOOL IsCursorInGripper() const override;
    BarMenuGroup GetBarMenuGroup() const override { return kDockingWindows; }
    // Drags live (its contents move with the mouse) when the option to show them while dragging is on.
    BOOL OnReBarQuery() override { return TRUE; }
    INT_PTR OnToolHitTest(CPoint point, TOOLINFOA* pTI) const override;

    // The caption band in client coordinates (empty while floating or without kExtraCaption).
    CRect GetCaptionRect() const;

    CToolTipCtrl m_wndTip;
    CWnd* m_pChild = nullptr;
    BOOL m_bExpanded = FALSE;
    CUXIconHolder m_iconHide;
    CUXIconHolder m_iconExpand;
    CUXIconHolder m_iconContract;
    CSize m_sizeFloat = CSize(200, 150);
    // Last, so that they go first: before the glyphs they show and the tips that name them.
    std::unique_ptr<CUXBarButton> m_pHideButton;
    std::unique_ptr<CUXBarButton> m_pExpandButton;

protected:
    // Places the buttons and the hosted child for the present size and side.
    void LayoutContents();
    // Floated, docked or turned at the same size no size message comes: the caption band came or went.
    void OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle) override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnFirstInit(WPARAM wParam, LPARAM lParam);
    afx_msg void OnHide();
    afx_msg void OnExpand();
    DECLARE_MESSAGE_MAP()

    UINT m_nIdleUpdates = 0;
    BOOL m_bIdleAfterOwnPost = FALSE;   // this idle pass was started by our own posted message
    BOOL m_bWasActive = FALSE;
};

class CUXTabCtrlBar : public CUXDockWindow
{
    DECLARE_DYNAMIC(CUXTabCtrlBar)
public:
    enum
    {
        kTabCtrlId = 0x3020
    };

    CUXTabCtrl& GetTabCtrl() { return m_tab; }
    // Shows one tab per child of the MDI client from now on.
    void TrackMDIChildren(HWND hWndMDIClient);
    // The tabs again, when the client's children, their titles or the active one changed (UXM_TABBAR_UPDATE).
    virtual void UpdateTabs(WPARAM wParam, LPARAM lParam);
    // Asks every child shown to close (UXM_TABBAR_CLOSEALL).
    virtual void CloseAllTabs(WPARAM wParam, LPARAM lParam);
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    afx_msg LRESULT OnUpdateMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnCloseAllMsg(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    // What the tabs show: the children, their titles and the active one.
    CString ChildrenState() const;

    CUXTabCtrl m_tab;
    CString m_strShown;
};
