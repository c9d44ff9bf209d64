// CUXBarDockContext: the dock context of the library's bars. Beside the framework's drag it
// - docks by where the cursor is (a dock bar must hold the cursor, not only touch the dragged rectangle),
// - can dock a bar into another frame window of the program (GetAlternateDockSite) when the bar allows it,
// - drags live when the look data's live-dragging option is on and the bar agrees (UXM_REBAR_QUERY): the bar
//   docks and floats along the way instead of a rectangle being drawn, and goes back where it was when the
//   drag is cancelled,
// - runs its own tracking loop, which repaints between steps, locks the dock site's updates while a docked
//   bar is dragged, and lays out the frames it touched after every message,
// - tells up to four callbacks when a loop starts and when it ends.
//
// Bars of the library get it through CUXControlBar::EnableDocking once this layer is linked.
#pragma once

#include "uilib/core/bars/ControlBar.h"

class CUXBarDockContext;

// Told at the start and at the end (normal or cancelled) of every tracking loop; IsTracking() tells which.
class CUXDockLoopListener
{
public:
    virtual ~CUXDockLoopListener() = default;
    virtual void OnDockLoop(CUXBarDockContext* pContext) = 0;
};

class CUXBarDockContext : public CDockContext
{
public:
    enum
    {
        kCallbackSlots = 4
    };

    explicit CUXBarDockContext(CControlBar* pBar);
    ~CUXBarDockContext() override;

    // Makes this the dock context of the library's bars (see CUXControlBar::SetDockContextFactory).
    static void Install();

    // A free slot (1 to 4) for the listener with the next cookie; 0 when every slot is taken. A listener in
    // several slots is told once for each.
    int AddCallback(CUXDockLoopListener* listener);
    // Clears every slot of the listener.
    void RemoveCallbacks(CUXDockLoopListener* listener);
    // The cookie the callback of a slot (1 to 4) was given; 0 for an empty slot.
    UINT GetCallbackCookie(int slot) const;

    void StartDrag(CPoint point) override;
    void StartResize(int nHitTest, CPoint point) override;
    void ToggleDocking() override;
    BOOL Track() override;
    void Stretch(CPoint point) override;
    // A docking window takes the size asked on both sides (every edge and corner sizes it) and keeps it.
    CSize StretchedSize(BOOL bWidthMoved, BOOL bHeightMoved) override;
    void EndResize() override;
    void EndDrag() override;
    CDockBar* GetDockBar(DWORD dwOverDockStyle) override;
    void DrawFocusRect(BOOL bRemoveRect = FALSE) override;
    void InitLoop() override;
    // Another frame window of the program (under the cursor) that the bar may dock into; null when none.
    virtual CFrameWnd* GetAlternateDockSite();

    BOOL IsTracking() const { return m_bTracking; }
    BOOL IsLiveDrag() const { return m_bLiveDrag; }
    // Marks a frame whose layout must be recalculated after the message being handled.
    void AddDirtyFrame(CFrameWnd* pFrame);
    // Lays out the dock site and the dirty frames, and empties the list.
    void RecalcDirtyFrames();

    CObArray m_arrDirtyFrames;   // frames laid out again after the current message of the loop
    BOOL m_bLiveDrag = FALSE;

protected:
    struct Callback
    {
        CUXDockLoopListener* listener;
        UINT cookie;
    };
    void RunCallbacks();
    // Docks or floats the bar where the drag is now; with bEndLoop the loop's drawing ends first.
    void DockOrFloat(BOOL bEndLoop);
    // The bar's place before the drag: where it goes back to when a live drag is cancelled.
    void RestoreStartPlace();
    // Moves the bar into the bar list of the frame it now docks into.
    void AdoptBar(CFrameWnd* pSite);
    CPoint CursorPos() const;
    BOOL QualifiesAt(CDockBar* pDockBar, DWORD dwOverDockStyle, const CPoint* pCursor) const;
    CDockBar* FindDockBarIn(CFrameWnd* pSite, DWORD dwOverDockStyle, const CPoint* pCursor) const;

    Callback m_callbacks[kCallbackSlots] = {};
    UINT m_nNextCookie = 1;
    BOOL m_bTracking = FALSE;
    BOOL m_bCursorKnown = FALSE;   // m_ptLast is where the cursor is (set by the loop's moves)
    CRect m_rectSwept;             // what the rectangles drawn in this loop covered (screen)
    // The bar's state when the drag began.
    BOOL m_bWasFloating = FALSE;
    CRect m_rectStart;   // its window (screen)
    CPoint m_ptStartFrame;
    UINT m_uStartDockID = 0;
    UINT m_uStartMRUDockID = 0;
    CRect m_rectStartMRUDockPos;
    DWORD m_dwStartMRUFloatStyle = 0;
    CPoint m_ptStartMRUFloatPos;
    DWORD m_dwStartFloatStyle = 0;
};
