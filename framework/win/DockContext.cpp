// CDockContext: dragging a bar to dock or float it, resizing a floating bar, docking and floating by double
// click.
#include "framework/win/Framework.h"

CDockTrackLoop::CDockTrackLoop(CDockContext* pContext) : m_pContext(pContext), m_hWndBar(pContext->m_pBar->m_hWnd)
{
}

BOOL CDockTrackLoop::ContinueLoop()
{
    return !m_bDone && ::GetCapture() == m_hWndBar;
}

BOOL CDockTrackLoop::PreTranslate(MSG* pMsg)
{
    return HandleTrackMessage(pMsg);
}

BOOL CDockTrackLoop::HandleTrackMessage(MSG* pMsg)
{
    switch (pMsg->message)
    {
    case WM_MOUSEMOVE:
    {
        if (!(pMsg->wParam & MK_LBUTTON))
        {
            Cancel();   // the button went up where we did not see it
            return TRUE;
        }
        CPoint point(static_cast<short>(LOWORD(pMsg->lParam)), static_cast<short>(HIWORD(pMsg->lParam)));
        ::ClientToScreen(pMsg->hwnd, &point);
        if (m_bMoved && point == m_ptLastMove)
            return TRUE;
        m_bMoved = TRUE;
        m_ptLastMove = point;
        if (m_pContext->m_bDragging)
            m_pContext->Move(point);
        else
            m_pContext->Stretch(point);
        return TRUE;
    }
    case WM_LBUTTONUP:
        m_bDone = m_bEnded = TRUE;
        if (m_pContext->m_bDragging)
            m_pContext->EndDrag();
        else
            m_pContext->EndResize();
        return TRUE;
    case WM_RBUTTONDOWN: Cancel(); return TRUE;
    case WM_KEYDOWN:
    case WM_KEYUP:
        if (pMsg->wParam == VK_ESCAPE)
        {
            if (pMsg->message == WM_KEYDOWN)
                Cancel();
        }
        else if (m_pContext->m_bDragging)
            m_pContext->OnKey(static_cast<int>(pMsg->wParam), pMsg->message == WM_KEYDOWN);
        return TRUE;
    default: return FALSE;
    }
}

void CDockTrackLoop::Cancel()
{
    m_bDone = TRUE;
    m_pContext->CancelLoop();
}

CDockContext::CDockContext(CControlBar* pBar) : m_pBar(pBar)
{
}

CDockContext::~CDockContext()
{
    if (m_pDC != nullptr)
    {
        ::ReleaseDC(nullptr, m_pDC->Detach());
        delete m_pDC;
    }
}

BOOL CDockContext::IsHorzNow() const
{
    BOOL bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0 || (m_dwStyle & CBRS_ORIENT_VERT) == 0;
    return m_bFlip ? !bHorz : bHorz;
}

CSize CDockContext::CalcBarSize(DWORD dwMode, BOOL bFloating)
{
    // Measured in the style it would have there (the gripper, the side), then as it was.
    DWORD saved = m_pBar->m_dwStyle;
    m_pBar->m_dwStyle = (saved & ~(CBRS_ALIGN_ANY | CBRS_FLOATING)) |
                        ((dwMode & LM_HORZ) ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT) | (bFloating ? CBRS_FLOATING : 0);
    CSize size = m_pBar->CalcDynamicLayout(-1, dwMode);
    m_pBar->m_dwStyle = saved;
    return size;
}

void CDockContext::RememberPlace()
{
    CDockBar* pDockBar = m_pBar->m_pDockBar;
    if (pDockBar == nullptr || pDockBar->m_hWnd == nullptr)
        return;
    if (pDockBar->m_bFloating)
    {
        CRect frame;
        ::GetWindowRect(::GetParent(pDockBar->m_hWnd), &frame);
        m_ptMRUFloatPos = frame.TopLeft();
        m_dwMRUFloatStyle = pDockBar->m_dwStyle & (CBRS_ALIGN_ANY | CBRS_FLOAT_MULTI);
    }
    else
    {
        CRect rect;
        m_pBar->GetWindowRect(&rect);
        pDockBar->ScreenToClient(&rect);
        m_uMRUDockID = static_cast<UINT>(pDockBar->GetDlgCtrlID());
        m_rectMRUDockPos = rect;
    }
}

// ---- dragging ----------------------------------------------------------------------------------------

void CDockContext::StartDrag(CPoint point)
{
    m_pDockSite = m_pBar->GetDockingFrame();
    if (m_pDockSite == nullptr || m_pBar->m_hWnd == nullptr)
        return;
    m_dwDockStyle = m_pBar->m_dwDockStyle;
    m_dwStyle = m_pBar->m_dwStyle;
    m_bDragging = TRUE;
    InitLoop();
    RememberPlace();
    InitDragRects(point);
    m_ptLast = point;
    Move(point);
    Track();
}

void CDockContext::ContainPoint(CRect& rect, CPoint point)
{
    if (point.x < rect.left)
        rect.OffsetRect(point.x - rect.left, 0);
    else if (point.x >= rect.right)
        rect.OffsetRect(point.x - rect.right + 1, 0);
    if (point.y < rect.top)
        rect.OffsetRect(0, point.y - rect.top);
    else if (point.y >= rect.bottom)
        rect.OffsetRect(0, point.y - rect.bottom + 1);
}

void CDockContext::InitDragRects(CPoint point)
{
    // The four rectangles start where the bar is, each as big as the bar would be there.
    CRect rect;
    m_pBar->GetWindowRect(&rect);
    m_rectDragHorz = CRect(rect.TopLeft(), CalcBarSize(LM_HORZ | LM_HORZDOCK, FALSE));
    m_rectDragVert = CRect(rect.TopLeft(), CalcBarSize(LM_VERTDOCK, FALSE));
    BOOL bDynamic = (m_dwStyle & CBRS_SIZE_DYNAMIC) != 0;
    DWORD frameStyle = CMiniDockFrameWnd::FrameStyle(m_dwStyle);
    m_rectFrameDragHorz = CRect(rect.TopLeft(), CalcBarSize(bDynamic ? LM_HORZ | LM_MRUWIDTH : LM_HORZ, TRUE));
    CMiniFrameWnd::CalcBorders(&m_rectFrameDragHorz, frameStyle);
    m_rectFrameDragVert = CRect(rect.TopLeft(), CalcBarSize(bDynamic ? LM_HORZ | LM_MRUWIDTH : 0, TRUE));
    CMiniFrameWnd::CalcBorders(&m_rectFrameDragVert, frameStyle);
    if (m_pBar->IsFloating())
    {
        // Its own frame, where it is.
        CRect frame;
        ::GetWindowRect(::GetParent(m_pBar->m_pDockBar->m_hWnd), &frame);
        (IsHorzNow() ? m_rectFrameDragHorz : m_rectFrameDragVert) = frame;
    }
    ContainPoint(m_rectDragHorz, point);
    ContainPoint(m_rectDragVert, point);
    ContainPoint(m_rectFrameDragHorz, point);
    ContainPoint(m_rectFrameDragVert, point);
}

void CDockContext::Move(CPoint point)
{
    CPoint offset(point.x - m_ptLast.x, point.y - m_ptLast.y);
    m_rectDragHorz.OffsetRect(offset);
    m_rectDragVert.OffsetRect(offset);
    m_rectFrameDragHorz.OffsetRect(offset);
    m_rectFrameDragVert.OffsetRect(offset);
    m_ptLast = point;
    m_dwOverDockStyle = m_bForceFrame ? 0 : CanDock();
    DrawFocusRect();
}

DWORD CDockContext::CanDock()
{
    // The bar's own orientation first, then the other; a side counts when its dock bar is found again for that
    // side alone (GetDockBar may judge a side by more than the rectangle).
    DWORD first = IsHorzNow() ? CBRS_ORIENT_HORZ : CBRS_ORIENT_VERT;
    const DWORD orders[] = {first, CBRS_ORIENT_ANY & ~first};
    for (DWORD orient : orders)
    {
        DWORD sides = m_dwDockStyle & orient;
        if (sides == 0)
            continue;
        CDockBar* pDockBar = GetDockBar(sides);
        if (pDockBar == nullptr)
            continue;
        DWORD side = pDockBar->m_dwStyle & sides;
        if (side != 0 && GetDockBar(side) == pDockBar)
            return side;
    }
    return 0;
}

CDockBar* CDockContext::GetDockBar(DWORD dwOverDockStyle)
{
    if (m_pDockSite == nullptr)
        return nullptr;
    const CRect& drag = (dwOverDockStyle & CBRS_ORIENT_HORZ) ? m_rectDragHorz : m_rectDragVert;
    for (POSITION pos = m_pDockSite->m_listControlBars.GetHeadPosition(); pos != nullptr;)
    {
        CControlBar* pBar = m_pDockSite->m_listControlBars.GetNext(pos);
        if (!pBar->IsKindOf(RUNTIME_CLASS(CDockBar)))
            continue;
        CDockBar* pDockBar = static_cast<CDockBar*>(pBar);
        if (pDockBar->m_hWnd == nullptr || !pDockBar->IsWindowVisible() ||
            !(pDockBar->m_dwStyle & dwOverDockStyle & CBRS_ALIGN_ANY) ||
            (pDockBar->m_bFloating && !(dwOverDockStyle & CBRS_FLOAT_MULTI)))
            continue;
        CRect rect = CatchRect(pDockBar);
        CRect touch;
        if (touch.IntersectRect(&rect, &drag))
            return pDockBar;
    }
    return nullptr;
}

CRect CDockContext::CatchRect(CDockBar* pDockBar)
{
    // An empty dock bar still catches what comes within 4 pixels of it, inside the frame.
    CRect rect;
    pDockBar->GetWindowRect(&rect);
    if (rect.Width() == 0)
        rect.InflateRect(4, 0);
    if (rect.Height() == 0)
        rect.InflateRect(0, 4);
    if (!pDockBar->m_bFloating)
    {
        CRect client;
        HWND hParent = ::GetParent(pDockBar->m_hWnd);
        ::GetClientRect(hParent, &client);
        ::MapWindowPoints(hParent, nullptr, reinterpret_cast<LPPOINT>(&client), 2);
        rect.IntersectRect(&rect, &client);
    }
    return rect;
}

void CDockContext::OnKey(int nChar, BOOL bDown)
{
    if (nChar == VK_CONTROL)
    {
        if (m_bForceFrame == bDown)
            return;
        m_bForceFrame = bDown;
    }
    else if (nChar == VK_SHIFT)
    {
        // Only a bar that may dock both ways turns.
        if (!(m_dwDockStyle & CBRS_ORIENT_HORZ) || !(m_dwDockStyle & CBRS_ORIENT_VERT) || m_bFlip == bDown)
            return;
        m_bFlip = bDown;
    }
    else
        return;
    if (m_bDragging)
        Move(m_ptLast);   // the same place, judged again
}

void CDockContext::EndDrag()
{
    CancelLoop();
    if (m_dwOverDockStyle != 0)
    {
        if (CDockBar* pDockBar = GetDockBar(m_dwOverDockStyle))
        {
            CRect rect = (m_dwOverDockStyle & CBRS_ORIENT_VERT) ? m_rectDragVert : m_rectDragHorz;
            m_pDockSite->DockControlBar(m_pBar, pDockBar, &rect);
            RememberPlace();
            return;
        }
    }
    BOOL bHorz = IsHorzNow();
    CRect rect = bHorz ? m_rectFrameDragHorz : m_rectFrameDragVert;
    m_pDockSite->FloatControlBar(m_pBar, rect.TopLeft(),
                                 (bHorz ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT) | (m_dwDockStyle & CBRS_FLOAT_MULTI));
    RememberPlace();
}

void CDockContext::ToggleDocking()
{
    m_pDockSite = m_pBar->GetDockingFrame();
    if (m_pDockSite == nullptr || m_pBar->m_hWnd == nullptr)
        return;
    m_dwDockStyle = m_pBar->m_dwDockStyle;
    RememberPlace();
    if (m_pBar->IsFloating())
    {
        // Back where it was docked last, else on its own side.
        CControlBar* pLast = m_uMRUDockID != 0 ? m_pDockSite->GetControlBar(m_uMRUDockID) : nullptr;
        if (pLast != nullptr && pLast->IsKindOf(RUNTIME_CLASS(CDockBar)) &&
            !static_cast<CDockBar*>(pLast)->m_bFloating)
        {
            CRect rect = m_rectMRUDockPos;
            pLast->ClientToScreen(&rect);
            m_pDockSite->DockControlBar(m_pBar, static_cast<CDockBar*>(pLast), &rect);
        }
        else
            m_pDockSite->DockControlBar(m_pBar);
    }
    else
    {
        // Where it floated last; a bar that never floated floats where it is.
        CPoint point = m_ptMRUFloatPos;
        DWORD dwStyle = m_dwMRUFloatStyle;
        if ((dwStyle & CBRS_ALIGN_ANY) == 0)
        {
            CRect rect;
            m_pBar->GetWindowRect(&rect);
            point = rect.TopLeft();
            dwStyle = ((m_pBar->m_dwStyle & CBRS_ORIENT_VERT) && !(m_pBar->m_dwStyle & CBRS_ORIENT_HORZ)
                           ? CBRS_ALIGN_LEFT
                           : CBRS_ALIGN_TOP) |
                      (m_dwDockStyle & CBRS_FLOAT_MULTI);
        }
        m_pDockSite->FloatControlBar(m_pBar, point, dwStyle);
    }
    RememberPlace();
}

// ---- resizing ----------------------------------------------------------------------------------------

void CDockContext::StartResize(int nHitTest, CPoint point)
{
    m_pDockSite = m_pBar->GetDockingFrame();
    if (m_pDockSite == nullptr || !m_pBar->IsFloating())
        return;
    m_dwDockStyle = m_pBar->m_dwDockStyle;
    m_dwStyle = m_pBar->m_dwStyle;
    m_bDragging = FALSE;
    m_nHitTest = nHitTest;
    InitLoop();
    m_pBar->GetWindowRect(&m_rectActualSize);
    ::GetWindowRect(::GetParent(m_pBar->m_pDockBar->m_hWnd), &m_rectActualFrameSize);
    m_rectRequestedSize = m_rectActualSize;
    m_rectFrameBorders =
        CRect(m_rectActualSize.left - m_rectActualFrameSize.left, m_rectActualSize.top - m_rectActualFrameSize.top,
              m_rectActualFrameSize.right - m_rectActualSize.right,
              m_rectActualFrameSize.bottom - m_rectActualSize.bottom);
    m_ptLast = point;
    DrawFocusRect();
    Track();
}

void CDockContext::Stretch(CPoint point)
{
    int dx = point.x - m_ptLast.x;
    int dy = point.y - m_ptLast.y;
    m_ptLast = point;
    BOOL bLeft = m_nHitTest == HTLEFT || m_nHitTest == HTTOPLEFT || m_nHitTest == HTBOTTOMLEFT;
    BOOL bRight = m_nHitTest == HTRIGHT || m_nHitTest == HTTOPRIGHT || m_nHitTest == HTBOTTOMRIGHT;
    BOOL bTop = m_nHitTest == HTTOP || m_nHitTest == HTTOPLEFT || m_nHitTest == HTTOPRIGHT;
    BOOL bBottom = m_nHitTest == HTBOTTOM || m_nHitTest == HTBOTTOMLEFT || m_nHitTest == HTBOTTOMRIGHT;
    if (bLeft)
        m_rectRequestedSize.left += dx;
    if (bRight)
        m_rectRequestedSize.right += dx;
    if (bTop)
        m_rectRequestedSize.top += dy;
    if (bBottom)
        m_rectRequestedSize.bottom += dy;

    CSize size = StretchedSize(bLeft || bRight, bTop || bBottom);
    // The edges that do not move stay.
    CRect actual = m_rectActualSize;
    if (bLeft)
        actual.left = actual.right - size.cx;
    else
        actual.right = actual.left + size.cx;
    if (bTop)
        actual.top = actual.bottom - size.cy;
    else
        actual.bottom = actual.top + size.cy;
    m_rectActualSize = actual;
    m_rectActualFrameSize = actual;
    m_rectActualFrameSize.InflateRect(&m_rectFrameBorders);
    DrawFocusRect();
}

CSize CDockContext::StretchedSize(BOOL bWidthMoved, BOOL bHeightMoved)
{
    // The bar says what it can be for the length asked: a width, or (only a height moved) a height.
    return bHeightMoved && !bWidthMoved
               ? m_pBar->CalcDynamicLayout(m_rectRequestedSize.Height(), LM_HORZ | LM_LENGTHY)
               : m_pBar->CalcDynamicLayout(m_rectRequestedSize.Width(), LM_HORZ);
}

void CDockContext::EndResize()
{
    CancelLoop();
    m_pBar->CalcDynamicLayout(m_rectActualSize.Width(), LM_HORZ | LM_COMMIT);
    m_pDockSite->FloatControlBar(m_pBar, m_rectActualFrameSize.TopLeft(),
                                 CBRS_ALIGN_TOP | CBRS_SIZE_DYNAMIC | (m_dwDockStyle & CBRS_FLOAT_MULTI));
}

// ---- the loop ----------------------------------------------------------------------------------------

void CDockContext::InitLoop()
{
    m_rectLast.SetRectEmpty();
    m_sizeLast = CSize(0, 0);
    m_bDitherLast = FALSE;
    m_dwOverDockStyle = 0;
    // Keys held before the drag began count.
    m_bForceFrame = ::GetKeyState(VK_CONTROL) < 0;
    m_bFlip =
        (m_dwDockStyle & CBRS_ORIENT_HORZ) && (m_dwDockStyle & CBRS_ORIENT_VERT) && ::GetKeyState(VK_SHIFT) < 0;
    if (m_pDC == nullptr)
    {
        if (HDC hDC = ::GetDC(nullptr))
        {
            m_pDC = new CDC;
            m_pDC->Attach(hDC);
        }
    }
}

void CDockContext::CancelLoop()
{
    DrawFocusRect(TRUE);
    if (m_pBar->m_hWnd != nullptr && ::GetCapture() == m_pBar->m_hWnd)
        ::ReleaseCapture();
    if (m_pDC != nullptr)
    {
        ::ReleaseDC(nullptr, m_pDC->Detach());
        delete m_pDC;
        m_pDC = nullptr;
    }
}

BOOL CDockContext::Track()
{
    if (::GetCapture() != nullptr || m_pBar->m_hWnd == nullptr)
    {
        CancelLoop();
        return FALSE;
    }
    m_pBar->SetCapture();
    CDockTrackLoop loop(this);
    BOOL bRun = loop.Run();
    if (!loop.m_bDone)
        CancelLoop();   // the mouse went to another window, or the program is ending
    if (!bRun)
        ::PostQuitMessage(static_cast<int>(loop.LastMessage().wParam));   // the loops below end too
    return loop.m_bEnded;
}

BOOL CDockContext::ChooseDragRect(CRect& rect, CSize& size) const
{
    if (!m_bDragging || m_dwOverDockStyle == 0)
    {
        // A floating frame: thick and halftone.
        rect = !m_bDragging ? m_rectActualFrameSize : (IsHorzNow() ? m_rectFrameDragHorz : m_rectFrameDragVert);
        size = CSize(std::max(1, ::GetSystemMetrics(SM_CXFRAME) - 1),
                     std::max(1, ::GetSystemMetrics(SM_CYFRAME) - 1));
        return TRUE;
    }
    rect = (m_dwOverDockStyle & CBRS_ORIENT_HORZ) ? m_rectDragHorz : m_rectDragVert;
    size = CSize(1, 1);
    return FALSE;
}

void CDockContext::DrawFocusRect(BOOL bRemoveRect)
{
    CRect rect;
    CSize size(0, 0);
    BOOL bDither = bRemoveRect ? FALSE : ChooseDragRect(rect, size);
    DrawDragRectangle(rect, size, bDither);
}

void CDockContext::DrawDragRectangle(const CRect& rect, CSize size, BOOL bDither)
{
    if (m_pDC == nullptr)
        return;
    CBrush* pWhite = CBrush::FromHandle(static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    CBrush* pBrush = bDither ? CDC::GetHalftoneBrush() : pWhite;
    CBrush* pBrushLast = m_bDitherLast ? CDC::GetHalftoneBrush() : pWhite;
    m_pDC->DrawDragRect(&rect, size, &m_rectLast, m_sizeLast, pBrush, pBrushLast);
    m_rectLast = rect;
    m_sizeLast = size;
    m_bDitherLast = bDither;
}
