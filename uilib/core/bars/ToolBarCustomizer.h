// CUXToolBarCustomizer: a tool bar's customize mode. It takes the bar's mouse first: a click selects a button
// (framed in black), a drag on the selected button carries its command through the customize centre to
// another place, another bar, or off the bar (which removes it). As a drop target it shows where a dragged
// command would go (a black insertion mark) and inserts the command's button there.
#pragma once

#include "uilib/core/bars/CustomizeCenter.h"
#include "uilib/core/bars/ToolBar.h"

class CUXToolBarCustomizer : public CObject,
                             public CUXCommandDropTarget,
                             private CUXCustomizeListener,
                             private CUXToolBarPaintListener
{
public:
    explicit CUXToolBarCustomizer(CUXToolBar* pBar);
    ~CUXToolBarCustomizer() override;

    // A mouse message of the bar; TRUE when it was taken.
    BOOL HandleMouse(UINT message, WPARAM wParam, LPARAM lParam);
    int GetSelected() const { return m_nSelected; }
    // Selects a button (-1: none); the other windows with a selection are told.
    void Select(int index);
    // Where a command dropped at the point (client co-ordinates) would go: the index it is inserted before,
    // and the mark that shows it (empty when no mark is shown).
    int FindInsertion(CPoint point, CRect& mark) const;
    int GetInsertion() const { return m_nInsertAt; }
    const CRect& GetMark() const { return m_rcMark; }
    // Leaves any selection and drag (the layout changed under them).
    void Reset();

    // ---- CUXCommandDropTarget ----
    BOOL HitTest(CPoint point) override;
    BOOL OnDragEnter(const CUXCommandRecord& record, CPoint point, BOOL& copyAllowed) override;
    void OnDragOver(CPoint point) override;
    void OnDragLeave() override;
    void OnDrop(const CUXCommandRecord& record, CPoint point, BOOL move) override;

private:
    void StartDrag(int index);
    void SetMark(int insertAt, const CRect& mark);
    void Paint(CDC* dc);
    void InvalidateButton(int index);
    void OnBarPainted(CDC* dc) override { Paint(dc); }
    // Another window took the selection.
    void OnSelectionChange(int nID, HWND holder) override;
    void OnAddDropTargets(std::vector<CUXCommandDropTarget*>& targets) override;

    CUXToolBar* m_pBar;
    int m_nSelected = -1;
    CRect m_rcDrag;                // the dragged button's middle: no mark is shown over it
    BOOL m_bDragging = FALSE;      // a button of this bar is being dragged
    BOOL m_bDropping = FALSE;      // a drag is over the bar
    BOOL m_bDroppedHere = FALSE;   // the dragged button was dropped on its own place
    int m_nInsertedAt = -1;        // where a drop on this bar put the dragged command
    int m_nInsertAt = -1;
    CRect m_rcMark;
    CUXCustomizeRegistration m_customizeRegistration{this};
};
