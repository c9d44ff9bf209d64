// CDockContext: how a bar is dragged and resized by the mouse.
//
// A drag starts with StartDrag (a press on the bar, or on the caption of its floating frame) and runs its
// own message loop (Track, on the one message pump) while the bar holds the mouse: each move offsets four
// rectangles that follow the mouse (the bar docked horizontally and vertically, its floating frame
// horizontal and vertical) and asks CanDock which side the docked rectangle of the bar's orientation (Shift
// flips it, for bars that may dock both ways) would dock to: a dock bar of the frame on an allowed side whose
// window touches that rectangle (an empty one counts 4 pixels thick). Ctrl forces floating. The rectangle
// that applies is drawn on the screen (thin for docking, a thick halftone frame for floating); the button
// release docks or floats the bar there (EndDrag), Escape, the right button or a lost capture cancel.
//
// The context remembers where the bar was last docked (dock bar id and rectangle in its client coordinates)
// and last floated (style and position): a double click (ToggleDocking) goes back there. StartResize,
// Stretch and EndResize size a floating bar of dynamic size by its frame's border.
//
// Every step is a virtual operation so that a bar library can change parts of the drag.
#pragma once

#include "framework/win/DockBar.h"

class CDockContext
{
public:
    explicit CDockContext(CControlBar* pBar);
    virtual ~CDockContext();
    CDockContext(const CDockContext&) = delete;
    CDockContext& operator=(const CDockContext&) = delete;

    // point: the mouse in screen coordinates.
    virtual void StartDrag(CPoint point);
    virtual void StartResize(int nHitTest, CPoint point);
    virtual void ToggleDocking();
    // The tracking loop: TRUE when it ended with the button's release, FALSE when cancelled.
    virtual BOOL Track();
    virtual void Move(CPoint point);
    virtual void Stretch(CPoint point);
    virtual void EndDrag();
    virtual void EndResize();
    // The bar's size for the requested rectangle of a resize, whose width, height or both moved.
    virtual CSize StretchedSize(BOOL bWidthMoved, BOOL bHeightMoved);
    // The side (CBRS_ALIGN_ bit) the bar would dock to now, 0 to float.
    virtual DWORD CanDock();
    // The dock bar on one of the sides of dwOverDockStyle that the dragged rectangle of that orientation
    // touches (null when none).
    virtual CDockBar* GetDockBar(DWORD dwOverDockStyle);
    virtual void OnKey(int nChar, BOOL bDown);
    // Draws the rectangle that applies now, or only takes the last one away.
    virtual void DrawFocusRect(BOOL bRemoveRect = FALSE);
    virtual void InitLoop();
    virtual void CancelLoop();

    CControlBar* m_pBar;
    CFrameWnd* m_pDockSite = nullptr;
    DWORD m_dwDockStyle = 0;       // the sides the bar may dock to
    DWORD m_dwOverDockStyle = 0;   // the side it would dock to now
    DWORD m_dwStyle = 0;           // the bar's style when the drag began
    BOOL m_bFlip = FALSE;          // Shift: the other orientation
    BOOL m_bForceFrame = FALSE;    // Ctrl: never dock
    BOOL m_bDragging = FALSE;      // a drag, not a resize
    int m_nHitTest = 0;            // the border being dragged in a resize
    CPoint m_ptLast;               // the mouse at the last step
    CRect m_rectDragHorz;          // the bar docked horizontally
    CRect m_rectDragVert;          // the bar docked vertically
    CRect m_rectFrameDragHorz;     // the floating frame, horizontal
    CRect m_rectFrameDragVert;     // the floating frame, vertical
    CRect m_rectLast;              // the rectangle drawn last, with its border sizes
    CSize m_sizeLast;
    BOOL m_bDitherLast = FALSE;
    CDC* m_pDC = nullptr;   // the screen, while a loop runs
    // Resizing: the size asked for, the size the bar takes, its frame, and the frame's borders around it.
    CRect m_rectRequestedSize;
    CRect m_rectActualSize;
    CRect m_rectActualFrameSize;
    CRect m_rectFrameBorders;
    // Where the bar was docked and floated last.
    UINT m_uMRUDockID = 0;
    CRect m_rectMRUDockPos;
    DWORD m_dwMRUFloatStyle = 0;
    CPoint m_ptMRUFloatPos;

protected:
    // The orientation the bar would have now (its own, flipped with Shift).
    BOOL IsHorzNow() const;
    // The bar's size measured as it would be docked or floating (mode: LM_ bits).
    CSize CalcBarSize(DWORD dwMode, BOOL bFloating);
    // Remembers the present dock bar and rectangle, or the present floating frame's place.
    void RememberPlace();
    // The four rectangles for a drag that starts at point, each holding the point.
    void InitDragRects(CPoint point);
    // Moves rect the least so that it holds point.
    static void ContainPoint(CRect& rect, CPoint point);
    // Where a dock bar catches a dragged bar (screen): its window, an empty one 4 pixels either way, inside
    // its frame's client area.
    static CRect CatchRect(CDockBar* pDockBar);
    // The rectangle that applies now with its border size: TRUE for a floating frame's (drawn halftone), FALSE
    // for the bar docked.
    BOOL ChooseDragRect(CRect& rect, CSize& size) const;
    // Draws rect (border size; halftone with bDither) in place of the rectangle drawn last.
    void DrawDragRectangle(const CRect& rect, CSize size, BOOL bDither);
};

// The loop of one drag or resize: it runs while the bar holds the mouse and hands the mouse and the keys to
// the context. A library that pumps its own way takes each message to HandleTrackMessage first.
class CDockTrackLoop : public CMessageLoop
{
public:
    explicit CDockTrackLoop(CDockContext* pContext);

    BOOL m_bDone = FALSE;
    BOOL m_bEnded = FALSE;   // by the button's release

protected:
    BOOL ContinueLoop() override;
    BOOL PreTranslate(MSG* pMsg) override;   // only the drag's messages
    // TRUE when the message was a step of the drag: a move (a move without the left button cancels, one to
    // the same place is skipped), the release, a cancel (Escape, the right button) or a key for OnKey.
    BOOL HandleTrackMessage(MSG* pMsg);
    void Cancel();

    CDockContext* m_pContext;
    HWND m_hWndBar;

private:
    BOOL m_bMoved = FALSE;
    CPoint m_ptLastMove;
};
