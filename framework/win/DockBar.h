// Dock bars and floating frames.
//
// CDockBar is a bar that holds other bars: one along each side of a frame that allows docking (ids
// AFX_IDW_DOCKBAR_TOP ... BOTTOM), and one inside each floating frame (AFX_IDW_DOCKBAR_FLOAT, m_bFloating).
// It keeps its bars in rows (columns on the left and right): m_arrBars lists them row by row, a null entry
// ends each row, and the list starts with a null. Within a row a bar keeps the place it was put at (its
// window's position), pushed along only so that it does not overlap the one before; a bar that no longer fits
// after the ones before it is laid out in a row of its own below them. The rows stack away from the frame's
// edge. The dock bar is as thick as its rows and as long as its side; an empty one is 0 thick.
//
// CMiniFrameWnd is a small-caption tool window owned by a frame. With MFS_SYNCACTIVE its owner keeps its
// active look while it is active; MFS_THICKFRAME gives it a sizing border, MFS_4THICKFRAME sizes from the
// four sides only.
//
// CMiniDockFrameWnd is the floating frame of bars: it holds a floating dock bar, takes the size of its bars
// and the text of its first bar as caption, and hides when it has no visible bar. A press on its caption
// drags the bar through the bar's dock context, a double click docks the bar again, a press on the sizing
// border of a bar of dynamic size resizes the bar; closing it hides its bars (an empty one goes). Its commands are those of the
// frame the bars belong to.
#pragma once

#include "framework/win/ControlBar.h"

#include <vector>

class CDockBar : public CControlBar
{
    DECLARE_DYNAMIC(CDockBar)
public:
    explicit CDockBar(BOOL bFloating = FALSE);
    ~CDockBar() override;

    // dwStyle: window style plus the side (CBRS_ALIGN_ bit; a floating dock bar: its bars' orientation).
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID);

    // Puts the bar here: at lpRect (screen coordinates) in the row under the rectangle's middle, or in a new
    // row before or after the rows; without a rectangle in a new row at the end. The bar leaves the dock bar
    // it was in, becomes a child of this one and takes its side (and CBRS_FLOATING when floating).
    virtual void DockControlBar(CControlBar* pBar, LPCRECT lpRect = nullptr);
    // Takes the bar out of the rows. A floating dock bar left without bars hides its frame, and destroys it
    // when the bar has gone to another parent.
    virtual BOOL RemoveControlBar(CControlBar* pBar);
    int FindBar(CControlBar* pBar) const;
    int GetDockedCount() const;
    int GetDockedVisibleCount() const;

    // The size of the rows (bStretch: as long as the side).
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    // Dock bars have no items: their bars update themselves.
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    // The record lists the bars' ids row by row (0 ends a row), and the floating frame's place.
    void GetBarInfo(CControlBarInfo* pInfo) override;
    // The rows become the record's list; ids the frame does not have are left out, and bars that were here
    // but are not listed stay, in a row at the end (a bar listed by another dock bar leaves for that one).
    void SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd) override;

    BOOL m_bFloating;
    CArray<CControlBar*, CControlBar*> m_arrBars;

protected:
    // Where each visible bar goes for a dock bar nLength long; the thickness of all rows comes back.
    struct VxPlace
    {
        CControlBar* pBar;
        int nRow;
        CRect rect;   // client coordinates
    };
    virtual int LayoutRows(int nLength, std::vector<VxPlace>& places);
    // Whether a bar that does not fit its row goes on in a row of its own (else its row packs it).
    virtual BOOL WrapsInRow(CControlBar*) const { return TRUE; }
    BOOL IsHorz() const { return (m_dwStyle & CBRS_ORIENT_HORZ) != 0; }
    // The mode a bar of this dock bar is measured in.
    DWORD BarLayoutMode(CControlBar* pBar) const;
    // One null at the start, one after each row, no empty rows.
    void NormalizeRows();
    // Makes the bar ours: our child, out of its old dock bar, on our side.
    void AttachBar(CControlBar* pBar);

    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg void OnDestroy();

    DECLARE_MESSAGE_MAP()
};

// Mini frame styles (in the window style's class-specific bits).
#define MFS_SYNCACTIVE 0x00000100L
#define MFS_4THICKFRAME 0x00000200L
#define MFS_THICKFRAME 0x00000400L

class CMiniFrameWnd : public CFrameWnd
{
    DECLARE_DYNCREATE(CMiniFrameWnd)
public:
    CMiniFrameWnd();
    // A pop-up owned by pParentWnd (screen coordinates).
    BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd = nullptr);
    // The window rectangle of a mini frame of dwStyle around the client rectangle.
    static void CalcBorders(LPRECT lpClientRect, DWORD dwStyle);

    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;

protected:
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    // The owner frame with MFS_SYNCACTIVE, else null.
    CFrameWnd* GetSyncOwner() const;

    DECLARE_MESSAGE_MAP()
};

class CMiniDockFrameWnd : public CMiniFrameWnd
{
    DECLARE_DYNCREATE(CMiniDockFrameWnd)
public:
    CMiniDockFrameWnd();
    // Owned by the top-level frame of pParent (the frame the bars belong to); dwBarStyle: the bars'
    // orientation (CBRS_ALIGN_TOP or CBRS_ALIGN_LEFT), CBRS_FLOAT_MULTI, CBRS_SIZE_DYNAMIC (sizing border).
    virtual BOOL Create(CWnd* pParent, DWORD dwBarStyle);
    // Fits the frame around its bars, lays them out, shows it when a bar is visible and hides it otherwise.
    void RecalcLayout(BOOL bNotify = TRUE) override;
    // The first bar (null when empty).
    CControlBar* GetFirstBar() const;
    // Commands and their updates go on to the frame the bars belong to.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    // The window style of a floating frame for bars of dwBarStyle.
    static DWORD FrameStyle(DWORD dwBarStyle);

    CDockBar m_wndDockBar;

protected:
    // Whether the frame's border sizes its bar (and the frame has a sizing border): a bar of dynamic size.
    virtual BOOL IsSizedByBorder(const CControlBar* pBar) const;

    afx_msg void OnClose();
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);

    DECLARE_MESSAGE_MAP()
};
