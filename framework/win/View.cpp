// CView (document link, painting, activation, initial update) and CScrollView (scroll bars, wheel).
#include "framework/win/Framework.h"

#include <climits>

// ---- CView -------------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CView, CWnd)

BEGIN_MESSAGE_MAP(CView, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_MOUSEACTIVATE()
    ON_MESSAGE(WM_INITIALUPDATE, OnInitialUpdateMessage)
END_MESSAGE_MAP()

CView::CView() = default;

CView::~CView()
{
    if (m_pDocument != nullptr)
        m_pDocument->RemoveView(this);
}

void CView::PostNcDestroy()
{
    delete this;
}

BOOL CView::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (cs.lpszClass == nullptr)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    cs.dwExStyle |= WS_EX_CLIENTEDGE;
    cs.style &= ~WS_BORDER;
    return cs.lpszClass != nullptr;
}

int CView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    const CCreateContext* pContext = static_cast<const CCreateContext*>(lpCreateStruct->lpCreateParams);
    if (pContext != nullptr && pContext->m_pCurrentDoc != nullptr)
        pContext->m_pCurrentDoc->AddView(this);
    return 0;
}

void CView::OnDestroy()
{
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != nullptr && pFrame->GetActiveView() == this)
        pFrame->SetActiveView(nullptr, FALSE);
    CWnd::OnDestroy();
}

void CView::OnPaint()
{
    CPaintDC dc(this);
    OnPrepareDC(&dc);
    OnDraw(&dc);
}

int CView::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    int result = CWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
    if (result == MA_NOACTIVATE || result == MA_NOACTIVATEANDEAT)
        return result;
    if (CFrameWnd* pFrame = GetParentFrame())
        pFrame->SetActiveView(this);
    return result;
}

LRESULT CView::OnInitialUpdateMessage(WPARAM, LPARAM)
{
    OnInitialUpdate();
    return 0;
}

void CView::OnInitialUpdate()
{
    OnUpdate(nullptr, 0, nullptr);
}

void CView::OnUpdate(CView*, LPARAM, CObject*)
{
    Invalidate(TRUE);
}

void CView::OnPrepareDC(CDC*)
{
}

void CView::OnActivateView(BOOL bActivate, CView* pActivateView, CView*)
{
    if (!bActivate || pActivateView != this || m_hWnd == nullptr)
        return;
    // Only a view in the active window takes the focus.
    CWnd* pTop = GetTopLevelParent();
    if (pTop != nullptr && ::GetActiveWindow() == pTop->m_hWnd)
        SetFocus();
}

BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return m_pDocument != nullptr && m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

// ---- CScrollView -------------------------------------------------------------------------------------

namespace
{
// Conversions between the mapping mode's units and pixels (the identity for MM_TEXT).
CPoint Convert(int nMapMode, POINT pt, bool toDevice)
{
    if (nMapMode == MM_TEXT)
        return CPoint(pt);
    HDC hdc = ::GetDC(nullptr);
    ::SetMapMode(hdc, nMapMode);
    if (toDevice)
        ::LPtoDP(hdc, &pt, 1);
    else
        ::DPtoLP(hdc, &pt, 1);
    ::ReleaseDC(nullptr, hdc);
    return CPoint(pt);
}

CSize DeviceSize(int nMapMode, SIZE size)
{
    CPoint pt = Convert(nMapMode, POINT{size.cx, size.cy}, true);
    return CSize(pt.x < 0 ? -pt.x : pt.x, pt.y < 0 ? -pt.y : pt.y);
}
}   // namespace

IMPLEMENT_DYNAMIC(CScrollView, CView)

BEGIN_MESSAGE_MAP(CScrollView, CView)
    ON_WM_SIZE()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_MOUSEWHEEL()
END_MESSAGE_MAP()

const SIZE CScrollView::sizeDefault = {0, 0};

CScrollView::CScrollView() = default;

void CScrollView::SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage, const SIZE& sizeLine)
{
    m_nMapMode = nMapMode;
    m_totalLog = CSize(sizeTotal.cx < 0 ? 0 : sizeTotal.cx, sizeTotal.cy < 0 ? 0 : sizeTotal.cy);
    m_totalDev = DeviceSize(nMapMode, m_totalLog);
    m_pageDev = DeviceSize(nMapMode, sizePage);
    m_lineDev = DeviceSize(nMapMode, sizeLine);
    if (m_pageDev.cx == 0)
        m_pageDev.cx = m_totalDev.cx / 10;
    if (m_pageDev.cy == 0)
        m_pageDev.cy = m_totalDev.cy / 10;
    if (m_lineDev.cx == 0)
        m_lineDev.cx = m_pageDev.cx / 10;
    if (m_lineDev.cy == 0)
        m_lineDev.cy = m_pageDev.cy / 10;
    if (m_lineDev.cx < 1)
        m_lineDev.cx = 1;
    if (m_lineDev.cy < 1)
        m_lineDev.cy = 1;
    if (m_hWnd != nullptr)
    {
        UpdateBars();
        Invalidate(TRUE);
    }
}

void CScrollView::GetDeviceScrollSizes(int& nMapMode, SIZE& sizeTotal, SIZE& sizePage, SIZE& sizeLine) const
{
    nMapMode = m_nMapMode;
    sizeTotal = m_totalDev;
    sizePage = m_pageDev;
    sizeLine = m_lineDev;
}

CPoint CScrollView::GetDeviceScrollPosition() const
{
    DWORD style = GetStyle();
    return CPoint((style & WS_HSCROLL) ? GetScrollPos(SB_HORZ) : 0,
                  (style & WS_VSCROLL) ? GetScrollPos(SB_VERT) : 0);
}

CPoint CScrollView::GetScrollPosition() const
{
    return Convert(m_nMapMode, GetDeviceScrollPosition(), false);
}

void CScrollView::ScrollToPosition(POINT pt)
{
    ScrollToDevicePosition(Convert(m_nMapMode, pt, true));
}

void CScrollView::ScrollToDevicePosition(POINT ptDev)
{
    CPoint old = GetDeviceScrollPosition();
    CPoint pos(ptDev);
    // The furthest position shows the end of the total size at the window's edge.
    CRect client;
    GetClientRect(&client);
    int maxX = m_totalDev.cx - client.Width();
    int maxY = m_totalDev.cy - client.Height();
    DWORD style = GetStyle();
    pos.x = !(style & WS_HSCROLL) || maxX < 0 ? 0 : (pos.x < 0 ? 0 : (pos.x > maxX ? maxX : pos.x));
    pos.y = !(style & WS_VSCROLL) || maxY < 0 ? 0 : (pos.y < 0 ? 0 : (pos.y > maxY ? maxY : pos.y));
    if (pos == old)
        return;
    if (style & WS_HSCROLL)
        SetScrollPos(SB_HORZ, pos.x);
    if (style & WS_VSCROLL)
        SetScrollPos(SB_VERT, pos.y);
    ScrollWindow(old.x - pos.x, old.y - pos.y);
}

void CScrollView::UpdateBars()
{
    if (m_bInsideUpdate || m_hWnd == nullptr)
        return;
    m_bInsideUpdate = true;
    // The client area as it would be without scroll bars.
    CRect rect;
    GetClientRect(&rect);
    CSize client(rect.Width(), rect.Height());
    DWORD style = GetStyle();
    int cxBar = ::GetSystemMetrics(SM_CXVSCROLL);
    int cyBar = ::GetSystemMetrics(SM_CYHSCROLL);
    if (style & WS_VSCROLL)
        client.cx += cxBar;
    if (style & WS_HSCROLL)
        client.cy += cyBar;
    // A bar that appears takes room from the other direction.
    bool needH = m_totalDev.cx > client.cx;
    bool needV = m_totalDev.cy > client.cy;
    if (needH && !needV)
        needV = m_totalDev.cy > client.cy - cyBar;
    if (needV && !needH)
        needH = m_totalDev.cx > client.cx - cxBar;
    CSize visible(client.cx - (needV ? cxBar : 0), client.cy - (needH ? cyBar : 0));

    CPoint old = GetDeviceScrollPosition();
    CPoint pos(needH ? old.x : 0, needV ? old.y : 0);
    if (pos.x > m_totalDev.cx - visible.cx)
        pos.x = m_totalDev.cx - visible.cx > 0 ? m_totalDev.cx - visible.cx : 0;
    if (pos.y > m_totalDev.cy - visible.cy)
        pos.y = m_totalDev.cy - visible.cy > 0 ? m_totalDev.cy - visible.cy : 0;

    ShowScrollBar(SB_HORZ, needH);
    ShowScrollBar(SB_VERT, needV);
    SCROLLINFO info = {};
    info.fMask = SIF_PAGE | SIF_RANGE | SIF_POS;
    if (needH)
    {
        info.nMax = m_totalDev.cx - 1;
        info.nPage = static_cast<UINT>(visible.cx > 0 ? visible.cx : 0);
        info.nPos = pos.x;
        SetScrollInfo(SB_HORZ, &info, TRUE);
    }
    if (needV)
    {
        info.nMax = m_totalDev.cy - 1;
        info.nPage = static_cast<UINT>(visible.cy > 0 ? visible.cy : 0);
        info.nPos = pos.y;
        SetScrollInfo(SB_VERT, &info, TRUE);
    }
    if (pos != old)
        ScrollWindow(old.x - pos.x, old.y - pos.y);
    m_bInsideUpdate = false;
}

void CScrollView::OnPrepareDC(CDC* pDC)
{
    pDC->SetMapMode(m_nMapMode);
    CPoint pos = GetDeviceScrollPosition();
    pDC->SetViewportOrg(-pos.x, -pos.y);
}

void CScrollView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    UpdateBars();
}

void CScrollView::OnScroll(int nBar, UINT nSBCode)
{
    SCROLLINFO info = {};
    if (!GetScrollInfo(nBar, &info, SIF_ALL))
        return;
    int line = nBar == SB_HORZ ? m_lineDev.cx : m_lineDev.cy;
    int page = nBar == SB_HORZ ? m_pageDev.cx : m_pageDev.cy;
    int pos = info.nPos;
    switch (nSBCode)
    {
    case SB_TOP: pos = 0; break;
    case SB_BOTTOM: pos = INT_MAX; break;
    case SB_LINEUP: pos -= line; break;
    case SB_LINEDOWN: pos += line; break;
    case SB_PAGEUP: pos -= page; break;
    case SB_PAGEDOWN: pos += page; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: pos = info.nTrackPos; break;   // the full position, not the message's 16 bits
    default: return;
    }
    CPoint target = GetDeviceScrollPosition();
    if (nBar == SB_HORZ)
        target.x = pos;
    else
        target.y = pos;
    ScrollToDevicePosition(target);
}

void CScrollView::OnHScroll(UINT nSBCode, UINT, CScrollBar* pScrollBar)
{
    if (pScrollBar != nullptr)
    {
        CView::OnHScroll(nSBCode, 0, pScrollBar);   // a scroll-bar control of its own
        return;
    }
    OnScroll(SB_HORZ, nSBCode);
}

void CScrollView::OnVScroll(UINT nSBCode, UINT, CScrollBar* pScrollBar)
{
    if (pScrollBar != nullptr)
    {
        CView::OnVScroll(nSBCode, 0, pScrollBar);
        return;
    }
    OnScroll(SB_VERT, nSBCode);
}

BOOL CScrollView::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
{
    DWORD style = GetStyle();
    if (!(style & (WS_VSCROLL | WS_HSCROLL)) || (nFlags & (MK_SHIFT | MK_CONTROL)))
        return CView::OnMouseWheel(nFlags, zDelta, pt);
    UINT lines = 3;
    ::SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    m_nWheelRemainder += zDelta;
    int steps = m_nWheelRemainder / WHEEL_DELTA;
    m_nWheelRemainder -= steps * WHEEL_DELTA;
    if (steps == 0)
        return TRUE;
    bool vertical = (style & WS_VSCROLL) != 0;
    int page = vertical ? m_pageDev.cy : m_pageDev.cx;
    int line = vertical ? m_lineDev.cy : m_lineDev.cx;
    int distance = lines == WHEEL_PAGESCROLL ? steps * page : steps * static_cast<int>(lines) * line;
    CPoint target = GetDeviceScrollPosition();
    if (vertical)
        target.y -= distance;
    else
        target.x -= distance;
    ScrollToDevicePosition(target);
    return TRUE;
}
