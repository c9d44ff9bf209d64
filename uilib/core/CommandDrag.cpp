// The drag of a command between the customize dialog and tool bars: a tracking loop on the framework's
// message pump while the source window holds the mouse.
#include "uilib/core/CustomizeCenter.h"

#include "resources/uilib/UilibResources.h"
#include "uilib/core/GlobalData.h"

namespace
{

class CCommandDragLoop : public CMessageLoop
{
public:
    CCommandDragLoop(HWND source, BOOL allowCopy, const CUXCommandRecord& record,
                     const std::vector<CUXCommandDropTarget*>& targets)
        : m_hWndSource(source), m_bAllowCopy(allowCopy), m_record(record), m_targets(targets)
    {
        m_bMove = ::GetKeyState(VK_CONTROL) >= 0;
    }

    BOOL m_bMoved = FALSE;     // the result: the command left its place
    BOOL m_bDropped = FALSE;   // it was dropped (on a target or beside every target)

    // The cursor over the targets; called once before the loop with the cursor's position.
    void Step(CPoint point)
    {
        m_ptLast = point;
        if (m_pCurrent != nullptr && m_pCurrent->HitTest(point))
            m_pCurrent->OnDragOver(point);
        else
        {
            if (m_pCurrent != nullptr)
                m_pCurrent->OnDragLeave();
            m_pCurrent = nullptr;
            for (CUXCommandDropTarget* target : m_targets)
            {
                if (!target->HitTest(point))
                    continue;
                BOOL copyAllowed = m_bAllowCopy;
                if (target->OnDragEnter(m_record, point, copyAllowed))
                {
                    m_pCurrent = target;
                    m_bCopyAllowed = copyAllowed;
                    target->OnDragOver(point);
                }
                break;   // only the first target under the cursor is asked
            }
        }
        UpdateCursor();
    }

protected:
    BOOL ContinueLoop() override { return !m_bEnded && ::GetCapture() == m_hWndSource; }

    BOOL PreTranslate(MSG* pMsg) override
    {
        switch (pMsg->message)
        {
        case WM_CANCELMODE:
            if (pMsg->hwnd == m_hWndSource)
                End(FALSE);
            return FALSE;   // dispatched all the same
        case WM_KEYDOWN:
        case WM_KEYUP:
            if (pMsg->wParam == VK_ESCAPE)
            {
                if (pMsg->message == WM_KEYDOWN)
                    End(FALSE);
                return TRUE;
            }
            if (pMsg->wParam == VK_CONTROL)
            {
                SetMove(pMsg->message == WM_KEYUP);
                return TRUE;
            }
            return FALSE;
        case WM_MOUSEMOVE:
            SetMove((pMsg->wParam & MK_CONTROL) == 0);
            if ((pMsg->wParam & MK_LBUTTON) == 0)
            {
                Drop(pMsg->pt);
                return TRUE;
            }
            if (CPoint(pMsg->pt) != m_ptLast)
                Step(pMsg->pt);
            return TRUE;
        case WM_LBUTTONUP:
            SetMove((pMsg->wParam & MK_CONTROL) == 0);
            Drop(pMsg->pt);
            return TRUE;
        case WM_RBUTTONDOWN: End(FALSE); return TRUE;
        default: return FALSE;
        }
    }

private:
    void SetMove(BOOL move)
    {
        if (move == m_bMove)
            return;
        m_bMove = move;
        UpdateCursor();
    }
    // Copying needs both the source's and the target's leave and Ctrl; anything else moves.
    BOOL IsMove() const { return m_bMove || !m_bAllowCopy || !m_bCopyAllowed; }
    void UpdateCursor()
    {
        UINT cursor = IDC_UX_NODROP;
        if (m_pCurrent != nullptr)
            cursor = IsMove() ? IDC_UX_MOVE : IDC_UX_COPY;
        HCURSOR hCursor = uxAfxData.GetLibraryCursor(cursor);
        ::SetCursor(hCursor != nullptr ? hCursor : ::LoadCursorA(nullptr, IDC_ARROW));
    }
    void Drop(CPoint point)
    {
        if (point != m_ptLast)
            Step(point);
        BOOL move = IsMove();
        if (m_pCurrent != nullptr)
            m_pCurrent->OnDrop(m_record, point, move);
        m_pCurrent = nullptr;
        m_bDropped = TRUE;
        End(move);
    }
    void End(BOOL moved)
    {
        if (m_pCurrent != nullptr)
            m_pCurrent->OnDragLeave();
        m_pCurrent = nullptr;
        m_bMoved = moved;
        m_bEnded = TRUE;
    }

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

}   // namespace

BOOL CUXCustomizeCenter::TrackCommandDrag(CWnd* pSource, BOOL allowCopy, const CUXCommandRecord& record)
{
    if (pSource == nullptr || pSource->m_hWnd == nullptr || ::GetCapture() != nullptr || m_bDragging)
        return FALSE;
    HWND source = pSource->m_hWnd;
    HCURSOR previous = ::GetCursor();
    ::SetCapture(source);
    std::vector<CUXCommandDropTarget*> targets;
    ForEach(kDropTargets, [&](CUXCustomizeListener& l) { l.OnAddDropTargets(targets); return false; });
    targets.erase(std::remove(targets.begin(), targets.end(), nullptr), targets.end());
    ForEach(kDragStart, [&](CUXCustomizeListener& l) { l.OnCommandDragStart(record.m_nID, pSource); return false; });

    m_bDragging = TRUE;
    CCommandDragLoop loop(source, allowCopy, record, targets);
    CPoint cursor;
    ::GetCursorPos(&cursor);
    loop.Step(cursor);
    if (!loop.Run())
        ::PostQuitMessage(static_cast<int>(loop.LastMessage().wParam));   // the outer loop ends too
    m_bDragging = FALSE;

    ::SetCursor(previous);
    if (::GetCapture() == source)
        ::ReleaseCapture();
    BOOL dropped = loop.m_bDropped;
    ForEach(kDragEnd, [&](CUXCustomizeListener& l) { l.OnCommandDragEnd(dropped, record.m_nID); return false; });
    return loop.m_bMoved;
}
