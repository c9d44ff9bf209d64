// CControlBar: bar style, layout through WM_SIZEPARENT, borders and gripper, delayed show and hide, idle
// update of the bar's items, fly-by prompts, the start of a drag and the bar's dock-state record.
#include "framework/win/Framework.h"

namespace
{
// The width and height of the border lines along a bar's edges (two lines each).
int BorderX()
{
    return 2 * ::GetSystemMetrics(SM_CXBORDER);
}
int BorderY()
{
    return 2 * ::GetSystemMetrics(SM_CYBORDER);
}
// Room the gripper takes before the first item.
const int kGripperSpace = 7;
}   // namespace

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_NCHITTEST()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

CControlBar::CControlBar() = default;

CControlBar::~CControlBar()
{
    // A window that outlives its object here must leave the frame's list (its own destruction will not
    // reach this object any more).
    if (m_hWnd != nullptr)
    {
        if (CFrameWnd* pFrame = GetDockingFrame())
            pFrame->RemoveControlBar(this);
        if (m_pDockBar != nullptr)
            m_pDockBar->RemoveControlBar(this);
    }
    delete m_pDockContext;
}

void CControlBar::PostNcDestroy()
{
    // A creation that fails after the bar joined its frame ends here without WM_DESTROY on some systems: the
    // bar leaves the frame's list on every way its window ends.
    if (m_pDockSite != nullptr)
        m_pDockSite->RemoveControlBar(this);
    if (m_pDockBar != nullptr)
        m_pDockBar->RemoveControlBar(this);
    if (m_bAutoDelete)
        delete this;
}

BOOL CControlBar::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (cs.lpszClass == nullptr)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    cs.style |= WS_CLIPSIBLINGS;
    return cs.lpszClass != nullptr;
}

void CControlBar::SetBarStyle(DWORD dwStyle)
{
    DWORD old = m_dwStyle;
    m_dwStyle = dwStyle;
    if (old != dwStyle)
        OnBarStyleChange(old, dwStyle);
    if (m_hWnd != nullptr)
    {
        EnableToolTips((dwStyle & (CBRS_TOOLTIPS | CBRS_FLYBY)) != 0);
        // The borders and the gripper may have changed: the non-client area is computed again.
        SetWindowPos(nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
}

void CControlBar::OnBarStyleChange(DWORD, DWORD)
{
}

CSize CControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CRect inside(0, 0, 0, 0);
    CalcInsideRect(inside, bHorz);
    CSize size(bStretch && bHorz ? 32767 : 0, bStretch && !bHorz ? 32767 : 0);
    size.cx -= inside.Width();   // the insets (the rectangle came out inverted by them)
    size.cy -= inside.Height();
    return size;
}

CSize CControlBar::CalcDynamicLayout(int, DWORD dwMode)
{
    return CalcFixedLayout((dwMode & LM_STRETCH) != 0, (dwMode & LM_HORZ) != 0);
}

void CControlBar::CalcInsideRect(CRect& rect, BOOL bHorz) const
{
    DWORD style = m_dwStyle;
    if (style & CBRS_BORDER_LEFT)
        rect.left += BorderX();
    if (style & CBRS_BORDER_TOP)
        rect.top += BorderY();
    if (style & CBRS_BORDER_RIGHT)
        rect.right -= BorderX();
    if (style & CBRS_BORDER_BOTTOM)
        rect.bottom -= BorderY();
    bool gripper = (style & (CBRS_GRIPPER | CBRS_FLOATING)) == CBRS_GRIPPER;
    if (bHorz)
    {
        rect.left += m_cxLeftBorder + (gripper ? kGripperSpace : 0);
        rect.top += m_cyTopBorder;
        rect.right -= m_cxRightBorder;
        rect.bottom -= m_cyBottomBorder;
    }
    else
    {
        // Turned: the margins along the bar are the left and right ones.
        rect.left += m_cyTopBorder;
        rect.top += m_cxLeftBorder + (gripper ? kGripperSpace : 0);
        rect.right -= m_cyBottomBorder;
        rect.bottom -= m_cxRightBorder;
    }
}

void CControlBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

void CControlBar::DoPaint(CDC*)
{
}

void CControlBar::DrawBorders(CDC* pDC, CRect& rect)
{
    DWORD style = m_dwStyle;
    if (!(style & CBRS_BORDER_ANY))
        return;
    COLORREF dark = ::GetSysColor(COLOR_BTNSHADOW);
    COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    int cx = rect.Width();
    int cy = rect.Height();
    // The outer line is dark; a 3-D border has a light line inside it.
    if (style & CBRS_BORDER_LEFT)
        pDC->FillSolidRect(rect.left, rect.top, 1, cy, dark);
    if (style & CBRS_BORDER_TOP)
        pDC->FillSolidRect(rect.left, rect.top, cx, 1, dark);
    if (style & CBRS_BORDER_RIGHT)
        pDC->FillSolidRect(rect.right - 1, rect.top, 1, cy, dark);
    if (style & CBRS_BORDER_BOTTOM)
        pDC->FillSolidRect(rect.left, rect.bottom - 1, cx, 1, dark);
    if (style & CBRS_BORDER_3D)
    {
        if (style & CBRS_BORDER_LEFT)
            pDC->FillSolidRect(rect.left + 1, rect.top, 1, cy, light);
        if (style & CBRS_BORDER_TOP)
            pDC->FillSolidRect(rect.left, rect.top + 1, cx, 1, light);
        if (style & CBRS_BORDER_RIGHT)
            pDC->FillSolidRect(rect.right - 2, rect.top, 1, cy, light);
        if (style & CBRS_BORDER_BOTTOM)
            pDC->FillSolidRect(rect.left, rect.bottom - 2, cx, 1, light);
    }
    if (style & CBRS_BORDER_LEFT)
        rect.left += BorderX();
    if (style & CBRS_BORDER_TOP)
        rect.top += BorderY();
    if (style & CBRS_BORDER_RIGHT)
        rect.right -= BorderX();
    if (style & CBRS_BORDER_BOTTOM)
        rect.bottom -= BorderY();
}

void CControlBar::DrawGripper(CDC* pDC, const CRect& rect)
{
    if ((m_dwStyle & (CBRS_GRIPPER | CBRS_FLOATING)) != CBRS_GRIPPER)
        return;
    COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    COLORREF dark = ::GetSysColor(COLOR_BTNSHADOW);
    // A raised ridge before the first item: upright for a horizontal bar, lying for a vertical one.
    if (m_dwStyle & CBRS_ORIENT_HORZ)
        pDC->Draw3dRect(rect.left + 2, rect.top + m_cyTopBorder + 2, 3,
                        rect.Height() - m_cyTopBorder - m_cyBottomBorder - 4, light, dark);
    else
        pDC->Draw3dRect(rect.left + m_cyTopBorder + 2, rect.top + 2,
                        rect.Width() - m_cyTopBorder - m_cyBottomBorder - 4, 3, light, dark);
}

BOOL CControlBar::SetStatusText(INT_PTR nHit)
{
    if (!(m_dwStyle & CBRS_FLYBY))
        return FALSE;
    // A floating bar's window lies in its floating frame: the prompt goes to the frame the bar belongs to.
    CFrameWnd* pFrame = GetDockingFrame();
    if (pFrame != nullptr)
        pFrame = pFrame->GetTopLevelFrame();
    if (pFrame == nullptr)
        return FALSE;
    if (nHit == -1)
        pFrame->SendMessage(WM_POPMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    else
        pFrame->SendMessage(WM_SETMESSAGESTRING, static_cast<WPARAM>(nHit));
    return TRUE;
}

void CControlBar::DelayShow(BOOL bShow)
{
    m_nStateFlags &= ~(delayHide | delayShow);
    bool visible = m_hWnd != nullptr && (GetStyle() & WS_VISIBLE) != 0;
    if (bShow && !visible)
        m_nStateFlags |= delayShow;
    else if (!bShow && visible)
        m_nStateFlags |= delayHide;
}

DWORD CControlBar::EffectiveStyle() const
{
    DWORD style = m_hWnd != nullptr ? GetStyle() : 0;
    if (m_nStateFlags & delayHide)
        style &= ~WS_VISIBLE;
    if (m_nStateFlags & delayShow)
        style |= WS_VISIBLE;
    return style;
}

BOOL CControlBar::IsVisible() const
{
    return (EffectiveStyle() & WS_VISIBLE) != 0;
}

void CControlBar::ApplyDelayedShow()
{
    UINT flags = m_nStateFlags;
    m_nStateFlags &= ~(delayHide | delayShow);
    if (m_hWnd == nullptr)
        return;
    bool visible = (GetStyle() & WS_VISIBLE) != 0;
    UINT show = 0;
    if ((flags & delayHide) && visible)
        show = SWP_HIDEWINDOW;
    else if ((flags & delayShow) && !visible)
        show = SWP_SHOWWINDOW;
    if (show != 0)
        SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | show);
}

BOOL CControlBar::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWnd* pOwner = m_hWnd != nullptr ? GetOwner() : nullptr;
    return pOwner != nullptr && pOwner != this && pOwner->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CControlBar::EnableDocking(DWORD dwDockStyle)
{
    m_dwDockStyle = dwDockStyle;
    if (dwDockStyle == 0)
        return;
    if (m_pDockContext == nullptr)
        m_pDockContext = new CDockContext(this);
    if (m_hWndOwner == nullptr && m_hWnd != nullptr)
        SetOwner(GetDockingFrame());
}

BOOL CControlBar::IsFloating() const
{
    return m_pDockBar != nullptr && m_pDockBar->m_bFloating;
}

void CControlBar::GetBarInfo(CControlBarInfo* pInfo)
{
    pInfo->m_pBar = this;
    pInfo->m_nBarID = static_cast<UINT>(GetDlgCtrlID());
    pInfo->m_bVisible = IsVisible();
    pInfo->m_bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    pInfo->m_nMRUWidth = static_cast<UINT>(m_nMRUWidth);
    pInfo->m_pointPos = CPoint(-1, -1);
    if (m_pDockBar != nullptr && m_pDockBar->m_hWnd != nullptr)
    {
        // Where it sits in its dock bar.
        CRect rect;
        GetWindowRect(&rect);
        m_pDockBar->ScreenToClient(&rect);
        pInfo->m_pointPos = rect.TopLeft();
    }
    if (m_pDockContext != nullptr)
    {
        pInfo->m_bDocking = TRUE;
        pInfo->m_uMRUDockID = m_pDockContext->m_uMRUDockID;
        pInfo->m_rectMRUDockPos = m_pDockContext->m_rectMRUDockPos;
        pInfo->m_dwMRUFloatStyle = m_pDockContext->m_dwMRUFloatStyle;
        pInfo->m_ptMRUFloatPos = m_pDockContext->m_ptMRUFloatPos;
    }
}

void CControlBar::SetBarInfo(CControlBarInfo* pInfo, CFrameWnd*)
{
    if (pInfo->m_pointPos.x != -1 && m_pDockBar != nullptr && !m_pDockBar->m_bFloating)
    {
        // Its dock bar keeps it at this place when it lays the row out.
        SetWindowPos(nullptr, pInfo->m_pointPos.x, pInfo->m_pointPos.y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    DelayShow(pInfo->m_bVisible);
    if (pInfo->m_bDocking && m_pDockContext != nullptr)
    {
        m_pDockContext->m_uMRUDockID = pInfo->m_uMRUDockID;
        m_pDockContext->m_rectMRUDockPos = pInfo->m_rectMRUDockPos;
        m_pDockContext->m_dwMRUFloatStyle = pInfo->m_dwMRUFloatStyle;
        m_pDockContext->m_ptMRUFloatPos = pInfo->m_ptMRUFloatPos;
    }
}

CFrameWnd* CControlBar::GetDockingFrame() const
{
    return m_pDockSite != nullptr ? m_pDockSite : GetParentFrame();
}

// ---- messages ----------------------------------------------------------------------------------------

int CControlBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_pDockSite = GetParentFrame();
    if (m_pDockSite != nullptr)
        m_pDockSite->AddControlBar(this);
    if (m_dwStyle & (CBRS_TOOLTIPS | CBRS_FLYBY))
        EnableToolTips(TRUE);
    return 0;
}

void CControlBar::OnDestroy()
{
    if (CFrameWnd* pFrame = GetDockingFrame())
        pFrame->RemoveControlBar(this);
    if (m_pDockBar != nullptr)
        m_pDockBar->RemoveControlBar(this);
    CWnd::OnDestroy();
}

LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam)
{
    AFX_SIZEPARENTPARAMS* lpLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    DWORD style = EffectiveStyle();
    if (lpLayout->hDWP != nullptr)
        ApplyDelayedShow();   // a real layout, not a query
    if (!(style & WS_VISIBLE) || !(m_dwStyle & CBRS_ALIGN_ANY))
        return 0;

    DWORD mode = lpLayout->bStretch ? LM_STRETCH : 0;
    if ((m_dwStyle & CBRS_SIZE_DYNAMIC) && (m_dwStyle & CBRS_FLOATING))
        mode |= LM_HORZ | LM_MRUWIDTH;
    else if (m_dwStyle & CBRS_ORIENT_HORZ)
        mode |= LM_HORZ | LM_HORZDOCK;
    else
        mode |= LM_VERTDOCK;
    TakeSide(lpLayout, CalcDynamicLayout(-1, mode));
    return 0;
}

void CControlBar::TakeSide(AFX_SIZEPARENTPARAMS* lpLayout, CSize size)
{
    CRect rect(lpLayout->rect);
    CSize available = rect.Size();
    if (size.cx > available.cx)
        size.cx = available.cx;
    if (size.cy > available.cy)
        size.cy = available.cy;

    if (m_dwStyle & CBRS_ORIENT_HORZ)
    {
        lpLayout->sizeTotal.cy += size.cy;
        if (size.cx > lpLayout->sizeTotal.cx)
            lpLayout->sizeTotal.cx = size.cx;
        if (m_dwStyle & CBRS_ALIGN_TOP)
            lpLayout->rect.top += size.cy;
        else
        {
            rect.top = rect.bottom - size.cy;
            lpLayout->rect.bottom -= size.cy;
        }
    }
    else
    {
        lpLayout->sizeTotal.cx += size.cx;
        if (size.cy > lpLayout->sizeTotal.cy)
            lpLayout->sizeTotal.cy = size.cy;
        if (m_dwStyle & CBRS_ALIGN_LEFT)
            lpLayout->rect.left += size.cx;
        else
        {
            rect.left = rect.right - size.cx;
            lpLayout->rect.right -= size.cx;
        }
    }
    rect.right = rect.left + size.cx;
    rect.bottom = rect.top + size.cy;
    AfxRepositionWindow(lpLayout, m_hWnd, &rect);
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    ApplyDelayedShow();
    if (GetStyle() & WS_VISIBLE)
    {
        // The frame the bar belongs to, also while it floats in a frame of its own.
        CFrameWnd* pTarget = GetDockingFrame();
        if (pTarget != nullptr)
            OnUpdateCmdUI(pTarget, static_cast<BOOL>(wParam));
    }
    return 0;
}

void CControlBar::OnPaint()
{
    CPaintDC dc(this);
    if (GetStyle() & WS_VISIBLE)
        DoPaint(&dc);
}

BOOL CControlBar::OnEraseBkgnd(CDC* pDC)
{
    CRect rect;
    GetClientRect(&rect);
    pDC->FillSolidRect(&rect, ::GetSysColor(COLOR_BTNFACE));
    return TRUE;
}

void CControlBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp)
{
    // The insets (borders, margins, gripper) are the non-client area: the items start at the client origin.
    CRect inside(0, 0, 0, 0);
    CalcInsideRect(inside, (m_dwStyle & CBRS_ORIENT_HORZ) != 0);
    RECT& rc = lpncsp->rgrc[0];
    rc.left += inside.left;
    rc.top += inside.top;
    rc.right += inside.right;
    rc.bottom += inside.bottom;
    if (rc.right < rc.left)
        rc.right = rc.left;
    if (rc.bottom < rc.top)
        rc.bottom = rc.top;
}

void CControlBar::OnNcPaint()
{
    CWindowDC dc(this);
    CRect window, client;
    GetWindowRect(&window);
    GetClientRect(&client);
    ClientToScreen(&client);
    client.OffsetRect(-window.left, -window.top);
    window.OffsetRect(-window.left, -window.top);
    dc.ExcludeClipRect(&client);
    DrawBorders(&dc, window);
    dc.FillSolidRect(&window, ::GetSysColor(COLOR_BTNFACE));
    DrawGripper(&dc, window);
}

LRESULT CControlBar::OnNcHitTest(CPoint)
{
    return HTCLIENT;   // borders and gripper too: a press there starts a drag
}

void CControlBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    // A press outside the bar's items drags the bar.
    if (m_pDockContext != nullptr && OnToolHitTest(point, nullptr) == -1)
    {
        ClientToScreen(&point);
        m_pDockContext->StartDrag(point);
        return;
    }
    CWnd::OnLButtonDown(nFlags, point);
}

void CControlBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    // A double click outside the items docks a floating bar, floats a docked one.
    if (m_pDockContext != nullptr && OnToolHitTest(point, nullptr) == -1)
    {
        m_pDockContext->ToggleDocking();
        return;
    }
    CWnd::OnLButtonDblClk(nFlags, point);
}
