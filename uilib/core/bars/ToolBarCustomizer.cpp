#include "uilib/core/bars/ToolBarCustomizer.h"

#include "uilib/core/base/GlobalData.h"
#include "uilib/core/base/LookPainters.h"
#include "uilib/core/bars/ToolBar.h"

#include <algorithm>

CUXToolBarCustomizer::CUXToolBarCustomizer(CUXToolBar* pBar) : m_pBar(pBar)
{
    m_pBar->AddPaintListener(this);
    m_customizeRegistration.Set(TRUE, {CUXCustomizeCenter::kSelectionChange, CUXCustomizeCenter::kDropTargets});
}

CUXToolBarCustomizer::~CUXToolBarCustomizer()
{
    m_pBar->RemovePaintListener(this);
}

void CUXToolBarCustomizer::OnSelectionChange(int, HWND holder)
{
    if (holder != m_pBar->m_hWnd && m_nSelected >= 0)
    {
        InvalidateButton(m_nSelected);
        m_nSelected = -1;
    }
}

void CUXToolBarCustomizer::OnAddDropTargets(std::vector<CUXCommandDropTarget*>& targets)
{
    targets.push_back(this);
}

void CUXToolBarCustomizer::InvalidateButton(int index)
{
    if (index < 0 || m_pBar->m_hWnd == nullptr)
        return;
    CRect rect;
    m_pBar->GetItemRect(index, &rect);
    rect.InflateRect(2, 2);
    m_pBar->InvalidateRect(&rect);
}

void CUXToolBarCustomizer::Select(int index)
{
    if (index == m_nSelected)
        return;
    InvalidateButton(m_nSelected);
    m_nSelected = index;
    InvalidateButton(m_nSelected);
    UINT nID = index >= 0 ? m_pBar->GetItemID(index) : static_cast<UINT>(-1);
    GetCustomizeCenter().NotifySelectionChange(nID, m_pBar->m_hWnd);
}

void CUXToolBarCustomizer::Reset()
{
    InvalidateButton(m_nSelected);
    m_nSelected = -1;
    SetMark(-1, CRect());
    m_bDragging = FALSE;
    m_bDropping = FALSE;
}

BOOL CUXToolBarCustomizer::HandleMouse(UINT message, WPARAM, LPARAM lParam)
{
    CPoint point(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    switch (message)
    {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    {
        int hit = static_cast<int>(m_pBar->SendMessage(TB_HITTEST, 0, reinterpret_cast<LPARAM>(&point)));
        if (hit < 0 || hit >= m_pBar->GetCount() || CUXToolBar::IsSeparator(m_pBar->GetButton(hit)))
        {
            Select(-1);
            return TRUE;   // nothing on the bar reacts in customize mode
        }
        if (hit == m_nSelected)
        {
            StartDrag(hit);
            return TRUE;
        }
        Select(hit);
        m_pBar->SetCapture();
        m_pBar->UpdateWindow();
        CPoint screen = point;
        m_pBar->ClientToScreen(&screen);
        // Only a button really held down can start a drag (DragDetect waits for the mouse).
        BOOL drag = ::GetKeyState(VK_LBUTTON) < 0 && ::DragDetect(m_pBar->m_hWnd, screen);
        if (CWnd::GetCapture() == m_pBar)
            ::ReleaseCapture();
        if (drag)
            StartDrag(hit);
        return TRUE;
    }
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK: return TRUE;   // the buttons stay as they are
    default: return FALSE;
    }
}

void CUXToolBarCustomizer::StartDrag(int index)
{
    std::unique_ptr<CUXCommandRecord> record(m_pBar->FindCommandRecord(index));
    if (record == nullptr)
        record.reset(m_pBar->MakeCommandRecord(index));
    if (record == nullptr)
        return;
    CRect rect;
    m_pBar->GetItemRect(index, &rect);
    CPoint middle = rect.CenterPoint();
    if (m_pBar->IsHorizontalLayout())
        rect.left = rect.right = middle.x;
    else
        rect.top = rect.bottom = middle.y;
    rect.InflateRect(1, 1);
    m_rcDrag = rect;
    m_bDragging = TRUE;
    m_bDroppedHere = FALSE;
    m_nInsertedAt = -1;
    CUXToolBar* bar = m_pBar;
    BOOL moved = GetCustomizeCenter().TrackCommandDrag(bar, TRUE, *record);
    // The customizer may have gone with customize mode while the drag ran.
    if (bar->GetCustomizer() != this)
        return;
    m_bDragging = FALSE;
    if (moved && !m_bDroppedHere)
    {
        int old = index;
        if (m_nInsertedAt >= 0 && m_nInsertedAt <= old)
            ++old;
        bar->RemoveButton(old);
        Select(-1);
    }
    m_rcDrag.SetRectEmpty();
}

int CUXToolBarCustomizer::FindInsertion(CPoint point, CRect& mark) const
{
    mark.SetRectEmpty();
    CRect client;
    m_pBar->GetClientRect(&client);
    BOOL vertical = m_pBar->IsDockedVert() && !(m_pBar->GetBarStyle() & CBRS_FLOATING);
    int best = -1;
    long long bestDistance = LLONG_MAX;
    CRect bestRect;
    for (int i = 0; i < m_pBar->GetCount(); ++i)
    {
        TBBUTTON button = m_pBar->GetButton(i);
        if (button.fsState & TBSTATE_HIDDEN)
            continue;
        CRect rect;
        m_pBar->GetItemRect(i, &rect);
        if (rect.IsRectEmpty())
            continue;
        CPoint centre = rect.CenterPoint();
        long long dx = point.x - centre.x;
        long long dy = point.y - centre.y;
        long long distance = dx * dx + dy * dy;
        if (distance < bestDistance)
        {
            bestDistance = distance;
            best = i;
            bestRect = rect;
        }
    }
    if (best < 0)
    {
        CSize size = m_pBar->GetButtonSize();
        mark = vertical ? CRect(0, 0, size.cx, 4) : CRect(0, 0, 4, size.cy);
        return 0;
    }
    int index = best;
    if (!vertical)
    {
        BOOL before = std::abs(point.x - bestRect.left) < std::abs(point.x - bestRect.right);
        int edge = before ? bestRect.left : bestRect.right;
        index = before ? best : best + 1;
        mark = CRect(edge - 2, bestRect.top, edge + 2, bestRect.bottom);
    }
    else
    {
        BOOL before = std::abs(point.y - bestRect.top) < std::abs(point.y - bestRect.bottom);
        int edge = before ? bestRect.top : bestRect.bottom;
        index = before ? best : best + 1;
        mark = CRect(bestRect.left, edge - 2, bestRect.right, edge + 2);
    }
    // Inside the client area.
    if (mark.left < client.left)
        mark.OffsetRect(client.left - mark.left, 0);
    if (mark.right > client.right)
        mark.OffsetRect(client.right - mark.right, 0);
    if (mark.top < client.top)
        mark.OffsetRect(0, client.top - mark.top);
    if (mark.bottom > client.bottom)
        mark.OffsetRect(0, client.bottom - mark.bottom);
    CRect overlap;
    if (m_bDragging && overlap.IntersectRect(&mark, &m_rcDrag))
        mark.SetRectEmpty();
    return index;
}

void CUXToolBarCustomizer::SetMark(int insertAt, const CRect& mark)
{
    if (insertAt == m_nInsertAt && mark == m_rcMark)
        return;
    CRect old = m_rcMark;
    m_nInsertAt = insertAt;
    m_rcMark = mark;
    if (m_pBar->m_hWnd == nullptr)
        return;
    for (CRect rect : {old, mark})
        if (!rect.IsRectEmpty())
        {
            rect.InflateRect(4, 4);
            m_pBar->InvalidateRect(&rect);
        }
}

BOOL CUXToolBarCustomizer::HitTest(CPoint point)
{
    if (m_pBar->m_hWnd == nullptr || !m_pBar->IsWindowVisible())
        return FALSE;
    CRect window;
    m_pBar->GetWindowRect(&window);
    return window.PtInRect(point);
}

BOOL CUXToolBarCustomizer::OnDragEnter(const CUXCommandRecord& record, CPoint, BOOL&)
{
    // A command the user may place, or a pop-up (a menu's sub-menu, by its key).
    m_bDropping = record.m_nID != 0 ? GetCustomizeCenter().IsCustomizableCommand(static_cast<UINT>(record.m_nID))
                                    : record.GetPopupKey() != 0;
    return m_bDropping;
}

void CUXToolBarCustomizer::OnDragOver(CPoint point)
{
    m_pBar->ScreenToClient(&point);
    CRect mark;
    int index = FindInsertion(point, mark);
    SetMark(mark.IsRectEmpty() ? -1 : index, mark);
    m_pBar->UpdateWindow();
}

void CUXToolBarCustomizer::OnDragLeave()
{
    m_bDropping = FALSE;
    SetMark(-1, CRect());
}

void CUXToolBarCustomizer::OnDrop(const CUXCommandRecord& record, CPoint point, BOOL move)
{
    m_pBar->ScreenToClient(&point);
    CRect mark;
    int index = FindInsertion(point, mark);
    SetMark(-1, CRect());
    m_bDropping = FALSE;
    if (mark.IsRectEmpty())
    {
        m_bDroppedHere = m_bDragging && move;   // on the dragged button itself: nothing changes
        return;
    }
    if (m_pBar->InsertCommand(record, index) && m_bDragging)
        m_nInsertedAt = index;
}

void CUXToolBarCustomizer::Paint(CDC* dc)
{
    CBrush black(RGB(0, 0, 0));
    if (m_nSelected >= 0 && m_nSelected < m_pBar->GetCount())
    {
        CRect rect;
        m_pBar->GetItemRect(m_nSelected, &rect);
        dc->FrameRect(&rect, &black);
        rect.DeflateRect(1, 1);
        dc->FrameRect(&rect, &black);
    }
    if (m_rcMark.IsRectEmpty())
        return;
    // A bar 2 pixels thick along the edge, with serifs 6 and 4 pixels long at both ends.
    const COLORREF ink = RGB(0, 0, 0);
    if (m_rcMark.Height() > m_rcMark.Width())
    {
        int x = m_rcMark.left + 1;
        int top = m_rcMark.top;
        int bottom = m_rcMark.bottom;
        dc->FillSolidRect(x, top, 2, bottom - top, ink);
        dc->FillSolidRect(x - 2, top, 6, 1, ink);
        dc->FillSolidRect(x - 1, top + 1, 4, 1, ink);
        dc->FillSolidRect(x - 2, bottom - 1, 6, 1, ink);
        dc->FillSolidRect(x - 1, bottom - 2, 4, 1, ink);
    }
    else
    {
        int y = m_rcMark.top + 1;
        int left = m_rcMark.left;
        int right = m_rcMark.right;
        dc->FillSolidRect(left, y, right - left, 2, ink);
        dc->FillSolidRect(left, y - 2, 1, 6, ink);
        dc->FillSolidRect(left + 1, y - 1, 1, 4, ink);
        dc->FillSolidRect(right - 1, y - 2, 1, 6, ink);
        dc->FillSolidRect(right - 2, y - 1, 1, 4, ink);
    }
}
