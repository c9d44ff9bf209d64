#include "uilib/core/bars/CommandDragLoop.h"

#include "resources/uilib/UilibResources.h"
#include "uilib/core/base/GlobalData.h"

CUXCommandDragLoop::CUXCommandDragLoop(HWND source, BOOL allowCopy, const CUXCommandRecord& record,
                                       const std::vector<CUXCommandDropTarget*>& targets)
    : m_hWndSource(source), m_bAllowCopy(allowCopy), m_record(record), m_targets(targets)
{
    m_bMove = ::GetKeyState(VK_CONTROL) >= 0;
}

void CUXCommandDragLoop::Step(CPoint point)
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

BOOL CUXCommandDragLoop::ContinueLoop()
{
    return !m_bEnded && ::GetCapture() == m_hWndSource;
}

BOOL CUXCommandDragLoop::PreTranslate(MSG* pMsg)
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

void CUXCommandDragLoop::SetMove(BOOL move)
{
    if (move == m_bMove)
        return;
    m_bMove = move;
    UpdateCursor();
}

void CUXCommandDragLoop::UpdateCursor()
{
    UINT cursor = IDC_UX_NODROP;
    if (m_pCurrent != nullptr)
        cursor = IsMove() ? IDC_UX_MOVE : IDC_UX_COPY;
    HCURSOR hCursor = uxAfxData.GetLibraryCursor(cursor);
    ::SetCursor(hCursor != nullptr ? hCursor : ::LoadCursorA(nullptr, IDC_ARROW));
}

void CUXCommandDragLoop::Drop(CPoint point)
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

void CUXCommandDragLoop::End(BOOL moved)
{
    if (m_pCurrent != nullptr)
        m_pCurrent->OnDragLeave();
    m_pCurrent = nullptr;
    m_bMoved = moved;
    m_bEnded = TRUE;
}
