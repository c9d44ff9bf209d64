// CControlBar: the base of the bars along a frame's edges (tool bars, status bars, dialog bars).
//
// A bar keeps its bar style (CBRS_...) in m_dwStyle, apart from the window's style. The frame lays it out
// with WM_SIZEPARENT: the bar asks CalcDynamicLayout (by default CalcFixedLayout) for its size and takes it
// from the side it is aligned to. Borders and the gripper live in the non-client area (CalcInsideRect gives
// the insets), the client area is painted by DoPaint. At idle time a visible bar updates its items through
// OnUpdateCmdUI against its frame (the base updates the bar's child controls); a pending show or hide
// (DelayShow) is applied at the next layout or idle time. With CBRS_TOOLTIPS the items the bar answers in
// OnToolHitTest show their tips, with CBRS_FLYBY the frame shows their prompts while the mouse is over them.
//
// Docking: m_pDockSite is the frame the bar belongs to (its bar list holds it wherever the bar sits);
// m_pDockBar is the dock bar that holds it (one along a side of the frame, or the one in a floating frame),
// null while the bar is a plain child of the frame. EnableDocking gives the bar a dock context, through which
// a press on the bar outside its items drags it (to another side, or floating), and a double click docks or
// floats it. The non-client area (borders, gripper) answers as client area, so that those presses reach the
// bar.
#pragma once

#include "framework/win/Frame.h"

class CDockBar;
class CDockContext;
class CControlBarInfo;

// Bar styles
#define CBRS_ALIGN_LEFT 0x1000L
#define CBRS_ALIGN_TOP 0x2000L
#define CBRS_ALIGN_RIGHT 0x4000L
#define CBRS_ALIGN_BOTTOM 0x8000L
#define CBRS_ALIGN_ANY 0xF000L
#define CBRS_BORDER_LEFT 0x0100L
#define CBRS_BORDER_TOP 0x0200L
#define CBRS_BORDER_RIGHT 0x0400L
#define CBRS_BORDER_BOTTOM 0x0800L
#define CBRS_BORDER_ANY 0x0F00L
#define CBRS_TOOLTIPS 0x0010L
#define CBRS_FLYBY 0x0020L
#define CBRS_FLOAT_MULTI 0x0040L
#define CBRS_BORDER_3D 0x0080L
#define CBRS_HIDE_INPLACE 0x0008L
#define CBRS_SIZE_DYNAMIC 0x0004L
#define CBRS_SIZE_FIXED 0x0002L
#define CBRS_FLOATING 0x0001L
#define CBRS_GRIPPER 0x00400000L
#define CBRS_ORIENT_HORZ (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)
#define CBRS_ORIENT_VERT (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)
#define CBRS_ORIENT_ANY (CBRS_ORIENT_HORZ | CBRS_ORIENT_VERT)
#define CBRS_ALL 0x0040FFFFL
#define CBRS_NOALIGN 0x00000000L
#define CBRS_LEFT (CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT)
#define CBRS_TOP (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_RIGHT (CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT)
#define CBRS_BOTTOM (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)

// Layout modes of CalcDynamicLayout
#define LM_STRETCH 0x01    // stretch across the whole side
#define LM_HORZ 0x02       // horizontal
#define LM_MRUWIDTH 0x04   // the most recently used width
#define LM_HORZDOCK 0x08   // docked along a horizontal side
#define LM_VERTDOCK 0x10   // docked along a vertical side
#define LM_LENGTHY 0x20    // nLength is the height
#define LM_COMMIT 0x40     // the size is used: remember it

class CControlBar : public CWnd
{
    DECLARE_DYNAMIC(CControlBar)
public:
    CControlBar();
    ~CControlBar() override;

    // Sets the bar style (the CBRS_ bits of dwStyle) and tells OnBarStyleChange.
    void SetBarStyle(DWORD dwStyle);
    DWORD GetBarStyle() const { return m_dwStyle; }
    virtual void OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle);

    // The bar's whole size, insets included. Base: the insets alone, stretched across the side when asked.
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    // Base: CalcFixedLayout for the mode's stretch and orientation.
    virtual CSize CalcDynamicLayout(int nLength, DWORD dwMode);
    // Shrinks rect by the borders, the bar's margins and the gripper (turned for a vertical bar).
    virtual void CalcInsideRect(CRect& rect, BOOL bHorz) const;

    // Updates the bar's items against the target (the frame's command route). Base: the child controls.
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler);
    // Paints the client area (the background is painted already). Base: nothing.
    virtual void DoPaint(CDC* pDC);
    // Draws the borders the style asks for into rect (window coordinates) and shrinks rect by them.
    virtual void DrawBorders(CDC* pDC, CRect& rect);
    virtual void DrawGripper(CDC* pDC, const CRect& rect);

    // With CBRS_FLYBY: the frame shows the prompt of item nHit (-1: the idle prompt). TRUE when told.
    virtual BOOL SetStatusText(INT_PTR nHit);
    // Shows or hides the bar at the next layout or idle time.
    virtual void DelayShow(BOOL bShow);
    // Visible, counting a pending show or hide.
    virtual BOOL IsVisible() const;
    // The bar's own map, then its owner's route: the bar's items are commands of the frame.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    // Keeps the sides the bar may dock to (CBRS_ALIGN_ bits, CBRS_FLOAT_MULTI) and, for any, gives the bar a
    // dock context (owned) and the frame as owner (the commands of a floating bar still reach the frame).
    virtual void EnableDocking(DWORD dwDockStyle);
    // The frame the bar belongs to.
    CFrameWnd* GetDockingFrame() const;
    // In a floating frame.
    BOOL IsFloating() const;
    // Fills in the bar's record of a dock state; applies such a record to the bar (its place in its dock
    // bar, its visibility, where it was docked and floated last).
    virtual void GetBarInfo(CControlBarInfo* pInfo);
    virtual void SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd);

    int m_cxLeftBorder = 6;
    int m_cxRightBorder = 6;
    int m_cyTopBorder = 1;
    int m_cyBottomBorder = 1;
    int m_cxDefaultGap = 2;
    int m_nMRUWidth = 32767;
    DWORD m_dwStyle = 0;       // CBRS_ bits
    DWORD m_dwDockStyle = 0;   // sides it may dock to
    BOOL m_bAutoDelete = FALSE;
    enum StateFlags : UINT
    {
        delayHide = 1,
        delayShow = 2,
    };
    UINT m_nStateFlags = 0;
    CFrameWnd* m_pDockSite = nullptr;
    CDockBar* m_pDockBar = nullptr;
    CDockContext* m_pDockContext = nullptr;

protected:
    void PostNcDestroy() override;   // deletes the object with m_bAutoDelete
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    // The window style a pending show or hide will give.
    DWORD EffectiveStyle() const;
    // Applies a pending show or hide now.
    void ApplyDelayedShow();
    // Takes the bar's part of size from the free area of a layout (its side) and moves it there.
    void TakeSide(AFX_SIZEPARENTPARAMS* lpLayout, CSize size);
    friend class CDockBar;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnNcPaint();
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);

    DECLARE_MESSAGE_MAP()
};
