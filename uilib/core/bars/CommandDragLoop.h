// CUXCommandDragLoop: the drag of a command between the customize dialog and tool bars, a tracking loop on the
// framework's message pump while the source window holds the mouse. Esc, a right click or the capture lost
// end it without a drop; Ctrl copies where both the drag and the target allow it.
#pragma once

#include "uilib/core/bars/CustomizeCenter.h"

#include <vector>

class CUXCommandDragLoop : public CMessageLoop
{
public:
    CUXCommandDragLoop(HWND source, BOOL allowCopy, const CUXCommandRecord& record,
                       const std::vector<CUXCommandDropTarget*>& targets);

    BOOL m_bMoved = FALSE;     // the result: the command left its place
    BOOL m_bDropped = FALSE;   // it was dropped (on a target or beside every target)

    // The cursor over the targets; called once before the loop with the cursor's position.
    void Step(CPoint point);

protected:
    BOOL ContinueLoop() override;
    BOOL PreTranslate(MSG* pMsg) override;

private:
    void SetMove(BOOL move);
    // Copying needs both the source's and the target's leave and Ctrl; anything else moves.
    BOOL IsMove() const { return m_bMove || !m_bAllowCopy || !m_bCopyAllowed; }
    void UpdateCursor();
    void Drop(CPoint point);
    void End(BOOL moved);

    HWND m_hWndSource;
    BOOL m_bAllowCopy;
    BOOL m_bCopyAllowed = TRUE;
    BOOL m_bMove = TRUE;
    BOOL m_bEnded = FALSE;
    const CUXCommandRecord& m_record;
    const std::vector<CUXCommandDropTarget*>& m_targets;
    CUXCommandDropTarget* m_pCurrent = nullptr;
    CPoint m_ptLast = CPoint(INT_MIN, INT_MIN);
};
