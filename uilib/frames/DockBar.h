// CUXDockBar: the library's dock bar along a side of a frame. It holds bars in rows as the framework's does;
// rows with docking windows (CUXDockWindow) are packed from the row's start, each window as long as it keeps
// (an expanded one takes what the others leave), and get splitters: one between neighbouring docking windows
// (moving it trades length between them) and one along the row's edge towards the frame's middle (moving it
// makes the row's windows thicker or thinner). A splitter is dragged with the mouse (a line shows where it
// goes; Escape cancels). A right click offers the menu of the frame's bars when the look data allows it.
//
// UXEnableDocking gives a frame the library's docking: its dock bars (the library's when the look data's dock
// bar switch is on), its floating frames (CUXMiniDockFrameWnd) and its bars' dock context.
#pragma once

#include "uilib/core/bars/ControlBar.h"

#include <vector>

class CUXDockWindow;

void UXEnableDocking(CFrameWnd* pFrame, DWORD dwDockStyle);

class CUXDockBar : public CDockBar
{
    DECLARE_DYNAMIC(CUXDockBar)
public:
    enum
    {
        kSplitterSize = 4,
        kDocumentRoom = 120   // across a side, docking windows leave the document at least this much
    };
    // One splitter, in the dock bar's client coordinates.
    struct Splitter
    {
        CRect rect;
        BOOL bRowEdge;                         // along the row: moving it changes the row's thickness
        std::vector<CUXDockWindow*> windows;   // the row's docking windows (row edge), or the two it lies between
    };

    CUXDockBar();
    ~CUXDockBar() override;

    static CUXDockBar* FromBar(CControlBar* pBar);
    // As the framework's, but a bar never joins a row of docking windows, nor a docking window a row of
    // other bars: it gets a row of its own.
    void DockControlBar(CControlBar* pBar, LPCRECT lpRect = nullptr) override;

    // Every docking window of pWindow's row goes back to its own length but pWindow, which takes the rest.
    void ExpandWindow(CUXDockWindow* pWindow);
    void ContractRow(CUXDockWindow* pWindow);
    // The docking windows in pBar's row, in order.
    std::vector<CUXDockWindow*> RowWindows(CControlBar* pBar) const;

    const std::vector<Splitter>& GetSplitters() const { return m_splitters; }
    int GetHotSplitter() const { return m_nHotSplitter; }
    BOOL IsTrackingSplitter() const { return m_bTracking; }
    // Inverts a splitter's tracking line (rect: the parent frame's client coordinates); an empty rectangle
    // repaints the parent instead.
    void DrawSplitterTracker(const CRect& rect);

protected:
    int LayoutRows(int nLength, std::vector<VxPlace>& places) override;
    // Docking windows share their row (it packs them); other bars wrap.
    BOOL WrapsInRow(CControlBar* pBar) const override;
    // The frame's side this dock bar lies on (CBRS_ALIGN_ bit).
    DWORD Side() const { return m_dwStyle & CBRS_ALIGN_ANY; }
    // The splitter at a point (client coordinates), -1 when none.
    int SplitterAt(CPoint point) const;
    // The tracking line for the splitter moved by offset, in the parent frame's client coordinates.
    CRect TrackerRect(int offset) const;
    // The offset the splitter may move by (the windows it sizes keep their least size).
    int ClampOffset(int offset) const;
    void EndTracking(BOOL bApply);
    // How thick the docking windows of this side may be together: what the frame's layout left across,
    // less the document's room (INT_MAX while unknown).
    int WindowRoom() const;

    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnCancelMode();
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg void OnNcPaint();
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

    std::vector<Splitter> m_splitters;   // as the last layout made them
    int m_nHotSplitter = -1;
    BOOL m_bTracking = FALSE;
    HWND m_hWndFocusBefore = nullptr;
    Splitter m_tracked;      // the splitter being moved
    CPoint m_ptTrackStart;   // the mouse when the move began (screen)
    int m_nTrackOffset = 0;
    CRect m_rectTracker;   // the line drawn last (empty: none)
    int m_nAcross = -1;    // what the frame's last layout left across this side (-1: none yet)
};
