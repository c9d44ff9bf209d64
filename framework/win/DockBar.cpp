// Dock bars (rows of bars along a frame's side or in a floating frame), mini frames and floating frames.
#include "framework/win/Framework.h"

#include <algorithm>

// ---- CDockBar ----------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CDockBar, CControlBar)

BEGIN_MESSAGE_MAP(CDockBar, CControlBar)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CDockBar::CDockBar(BOOL bFloating) : m_bFloating(bFloating)
{
    m_cxLeftBorder = m_cxRightBorder = m_cyTopBorder = m_cyBottomBorder = 0;
    m_arrBars.Add(nullptr);
}

CDockBar::~CDockBar()
{
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i)
    {
        if (m_arrBars[i] != nullptr && m_arrBars[i]->m_pDockBar == this)
            m_arrBars[i]->m_pDockBar = nullptr;
    }
}

BOOL CDockBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    SetBarStyle(dwStyle & CBRS_ALL);
    return CreateEx(0, nullptr, nullptr, (dwStyle & ~CBRS_ALL) | WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                    CRect(0, 0, 0, 0), pParentWnd, nID);
}

int CDockBar::FindBar(CControlBar* pBar) const
{
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i)
    {
        if (pBar != nullptr && m_arrBars[i] == pBar)
            return static_cast<int>(i);
    }
    return -1;
}

int CDockBar::GetDockedCount() const
{
    int count = 0;
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i)
        count += m_arrBars[i] != nullptr ? 1 : 0;
    return count;
}

int CDockBar::GetDockedVisibleCount() const
{
    int count = 0;
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i)
        count += m_arrBars[i] != nullptr && m_arrBars[i]->IsVisible() ? 1 : 0;
    return count;
}

void CDockBar::NormalizeRows()
{
    std::vector<CControlBar*> rows(1, nullptr);
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i)
    {
        if (m_arrBars[i] != nullptr || rows.back() != nullptr)
            rows.push_back(m_arrBars[i]);
    }
    if (rows.back() != nullptr)
        rows.push_back(nullptr);
    m_arrBars.RemoveAll();
    for (CControlBar* pBar : rows)
        m_arrBars.Add(pBar);
}

void CDockBar::AttachBar(CControlBar* pBar)
{
    // The bar becomes our child before it leaves its old dock bar, so that an emptied floating frame knows
    // it may go.
    CDockBar* pOld = pBar->m_pDockBar;
    if (::GetParent(pBar->m_hWnd) != m_hWnd)
        ::SetParent(pBar->m_hWnd, m_hWnd);
    if (pOld != nullptr && pOld != this)
        pOld->RemoveControlBar(pBar);
    pBar->m_pDockBar = this;
    DWORD style = (pBar->m_dwStyle & ~(CBRS_ALIGN_ANY | CBRS_FLOATING)) | (m_dwStyle & CBRS_ALIGN_ANY) |
                  (m_bFloating ? CBRS_FLOATING : 0);
    pBar->SetBarStyle(style);
}

void CDockBar::DockControlBar(CControlBar* pBar, LPCRECT lpRect)
{
    if (pBar == nullptr || pBar == this || pBar->m_hWnd == nullptr || m_hWnd == nullptr)
        return;
    int old = FindBar(pBar);
    if (old >= 0)
    {
        m_arrBars.RemoveAt(old);
        NormalizeRows();
    }
    BOOL bHorz = IsHorz();
    CRect rect(0, 0, 0, 0);
    if (lpRect != nullptr)
    {
        rect = *lpRect;
        ScreenToClient(&rect);
    }
    int across = bHorz ? rect.CenterPoint().y : rect.CenterPoint().x;
    int along = bHorz ? rect.left : rect.top;

    // The row under the rectangle's middle (rows as their visible bars lie now).
    INT_PTR insertAt = -1;
    BOOL bBeforeRows = FALSE;
    if (lpRect != nullptr)
    {
        INT_PTR rowStart = 1;
        BOOL bFirstRow = TRUE;
        for (INT_PTR i = 1; i < m_arrBars.GetSize(); ++i)
        {
            if (m_arrBars[i] != nullptr)
                continue;
            // Row rowStart .. i-1.
            int lo = INT_MAX, hi = INT_MIN;
            for (INT_PTR j = rowStart; j < i; ++j)
            {
                if (!m_arrBars[j]->IsVisible())
                    continue;
                CRect bar;
                m_arrBars[j]->GetWindowRect(&bar);
                ScreenToClient(&bar);
                lo = std::min<int>(lo, bHorz ? bar.top : bar.left);
                hi = std::max<int>(hi, bHorz ? bar.bottom : bar.right);
            }
            if (lo < hi && bFirstRow && across < lo)
                bBeforeRows = TRUE;
            if (lo < hi && across >= lo && across < hi && insertAt < 0)
            {
                // Before the first bar of the row that lies further along.
                insertAt = i;
                for (INT_PTR j = rowStart; j < i; ++j)
                {
                    CRect bar;
                    m_arrBars[j]->GetWindowRect(&bar);
                    ScreenToClient(&bar);
                    if ((bHorz ? bar.left : bar.top) > along)
                    {
                        insertAt = j;
                        break;
                    }
                }
            }
            if (lo < hi)
                bFirstRow = FALSE;
            rowStart = i + 1;
        }
    }

    AttachBar(pBar);
    if (insertAt >= 0)
        m_arrBars.InsertAt(insertAt, pBar);
    else if (bBeforeRows)
    {
        m_arrBars.InsertAt(1, nullptr);
        m_arrBars.InsertAt(1, pBar);
    }
    else
    {
        m_arrBars.Add(pBar);
        m_arrBars.Add(nullptr);
    }
    NormalizeRows();
    // The bar keeps the place it was put at (the layout pushes it along only to avoid the one before).
    CPoint place = lpRect != nullptr ? rect.TopLeft() : CPoint(0, 0);
    pBar->SetWindowPos(nullptr, place.x, place.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CDockBar::RemoveControlBar(CControlBar* pBar)
{
    int index = FindBar(pBar);
    if (index < 0)
        return FALSE;
    m_arrBars.RemoveAt(index);
    NormalizeRows();
    if (pBar->m_pDockBar == this)
        pBar->m_pDockBar = nullptr;
    if (m_bFloating && GetDockedCount() == 0 && m_hWnd != nullptr)
    {
        // Our frame is no longer needed. While the bar is still our child (it is being destroyed) the frame
        // hides and closes itself afterwards.
        CWnd* pFrame = CWnd::FromHandlePermanent(::GetParent(m_hWnd));
        if (pFrame != nullptr && ::GetParent(pBar->m_hWnd) != m_hWnd)
            pFrame->DestroyWindow();   // this object goes with it
        else if (pFrame != nullptr)
        {
            pFrame->ShowWindow(SW_HIDE);
            pFrame->PostMessage(WM_CLOSE);
        }
    }
    return TRUE;
}

DWORD CDockBar::BarLayoutMode(CControlBar* pBar) const
{
    if (m_bFloating)
        return (pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) ? (LM_HORZ | LM_MRUWIDTH) : (IsHorz() ? LM_HORZ : 0);
    return IsHorz() ? (LM_HORZ | LM_HORZDOCK) : LM_VERTDOCK;
}

int CDockBar::LayoutRows(int nLength, std::vector<VxPlace>& places)
{
    BOOL bHorz = IsHorz();
    int thickness = 0;   // of the rows done
    int row = 0;
    int next = 0;   // along the row: where the next bar may start
    int rowThickness = 0;
    for (INT_PTR i = 1; i < m_arrBars.GetSize(); ++i)
    {
        CControlBar* pBar = m_arrBars[i];
        if (pBar == nullptr)
        {
            if (rowThickness > 0)
            {
                thickness += rowThickness;
                ++row;
            }
            next = 0;
            rowThickness = 0;
            continue;
        }
        if (pBar->m_hWnd == nullptr || !pBar->IsVisible())
            continue;
        CSize size = pBar->CalcDynamicLayout(-1, BarLayoutMode(pBar));
        int length = bHorz ? size.cx : size.cy;
        int depth = bHorz ? size.cy : size.cx;
        int at = next;
        if (!m_bFloating)
        {
            CRect now;
            pBar->GetWindowRect(&now);
            ScreenToClient(&now);
            at = std::max<int>(next, bHorz ? now.left : now.top);
            if (nLength > 0 && at + length > nLength)
            {
                // A bar that no longer fits after the ones before it goes on in a row of its own; one longer
                // than the whole side is cut to it. No bar ever reaches past the side's end.
                if (next > 0 && next + length > nLength && WrapsInRow(pBar))
                {
                    thickness += rowThickness;
                    ++row;
                    next = 0;
                    rowThickness = 0;
                }
                at = std::max(next, nLength - length);
                length = std::max(0, std::min(length, nLength - at));
            }
        }
        CRect rect = bHorz ? CRect(at, thickness, at + length, thickness + depth)
                           : CRect(thickness, at, thickness + depth, at + length);
        places.push_back({pBar, row, rect});
        next = at + length;
        rowThickness = std::max(rowThickness, depth);
    }
    return thickness + rowThickness;
}

CSize CDockBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    std::vector<VxPlace> places;
    int thickness = LayoutRows(0, places);
    int length = 0;
    for (const VxPlace& place : places)
        length = std::max<int>(length, bHorz ? place.rect.right : place.rect.bottom);
    if (bStretch)
        length = 32767;
    return bHorz ? CSize(length, thickness) : CSize(thickness, length);
}

void CDockBar::OnUpdateCmdUI(CFrameWnd*, BOOL)
{
}

LRESULT CDockBar::OnSizeParent(WPARAM, LPARAM lParam)
{
    AFX_SIZEPARENTPARAMS* lpLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    BOOL bReal = lpLayout->hDWP != nullptr;
    if (bReal)
    {
        // Bars shown or hidden since the last layout take or give their room now.
        ApplyDelayedShow();
        for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i)
        {
            if (m_arrBars[i] != nullptr)
                m_arrBars[i]->ApplyDelayedShow();
        }
    }
    if (!(EffectiveStyle() & WS_VISIBLE))
        return 0;
    BOOL bHorz = IsHorz();
    CRect free(lpLayout->rect);
    int nLength = bHorz ? free.Width() : free.Height();
    std::vector<VxPlace> places;
    int thickness = LayoutRows(nLength, places);
    TakeSide(lpLayout, bHorz ? CSize(nLength, thickness) : CSize(thickness, nLength));
    if (!bReal || places.empty())
        return 0;
    // A floating bar's contents take the size its frame gets (a stored width, a resize) now.
    if (m_bFloating)
        for (const VxPlace& place : places)
            place.pBar->CalcDynamicLayout(-1, BarLayoutMode(place.pBar) | LM_COMMIT);
    HDWP hDWP = ::BeginDeferWindowPos(static_cast<int>(places.size()));
    for (const VxPlace& place : places)
    {
        CRect now;
        place.pBar->GetWindowRect(&now);
        ScreenToClient(&now);
        if (now != place.rect && hDWP != nullptr)
            hDWP = ::DeferWindowPos(hDWP, place.pBar->m_hWnd, nullptr, place.rect.left, place.rect.top,
                                    place.rect.Width(), place.rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (hDWP != nullptr)
        ::EndDeferWindowPos(hDWP);
    return 0;
}

void CDockBar::OnDestroy()
{
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i)
    {
        if (m_arrBars[i] != nullptr && m_arrBars[i]->m_pDockBar == this)
            m_arrBars[i]->m_pDockBar = nullptr;
    }
    m_arrBars.RemoveAll();
    m_arrBars.Add(nullptr);
    CControlBar::OnDestroy();
}

void CDockBar::GetBarInfo(CControlBarInfo* pInfo)
{
    CControlBar::GetBarInfo(pInfo);
    pInfo->m_bDockBar = TRUE;
    pInfo->m_bFloating = m_bFloating;
    pInfo->m_bHorz = IsHorz();
    pInfo->m_pointPos = CPoint(-1, -1);
    if (m_bFloating)
    {
        CRect frame;
        ::GetWindowRect(::GetParent(m_hWnd), &frame);
        pInfo->m_pointPos = frame.TopLeft();
    }
    pInfo->m_arrBarID.RemoveAll();
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i)
        pInfo->m_arrBarID.Add(m_arrBars[i] != nullptr ? static_cast<UINT>(m_arrBars[i]->GetDlgCtrlID()) : 0u);
}

void CDockBar::SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd)
{
    std::vector<CControlBar*> listed;
    CArray<CControlBar*, CControlBar*> rows;
    rows.Add(nullptr);
    for (INT_PTR i = 0; i < pInfo->m_arrBarID.GetSize(); ++i)
    {
        UINT nID = pInfo->m_arrBarID[i];
        if (nID == 0)
        {
            rows.Add(nullptr);
            continue;
        }
        // Only bars the frame has; never a dock bar, never one bar twice.
        CControlBar* pBar = pFrameWnd->GetControlBar(nID);
        if (pBar == nullptr || pBar->IsKindOf(RUNTIME_CLASS(CDockBar)) ||
            std::find(listed.begin(), listed.end(), pBar) != listed.end())
            continue;
        if (pBar->m_pDockBar != this)
            AttachBar(pBar);
        listed.push_back(pBar);
        rows.Add(pBar);
    }
    rows.Add(nullptr);
    // Bars of ours the record does not name keep a row of their own.
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i)
    {
        CControlBar* pBar = m_arrBars[i];
        if (pBar != nullptr && std::find(listed.begin(), listed.end(), pBar) == listed.end())
            rows.Add(pBar);
    }
    m_arrBars.RemoveAll();
    for (INT_PTR i = 0; i < rows.GetSize(); ++i)
        m_arrBars.Add(rows[i]);
    NormalizeRows();
}

// ---- CMiniFrameWnd -----------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CMiniFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMiniFrameWnd, CFrameWnd)
    ON_WM_NCHITTEST()
    ON_WM_ACTIVATE()
    ON_WM_GETMINMAXINFO()
END_MESSAGE_MAP()

CMiniFrameWnd::CMiniFrameWnd() = default;

BOOL CMiniFrameWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                           CWnd* pParentWnd)
{
    return CreateEx(WS_EX_TOOLWINDOW, lpszClassName, lpszWindowName, dwStyle, rect, pParentWnd, 0);
}

BOOL CMiniFrameWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (cs.lpszClass == nullptr)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    if (!CFrameWnd::PreCreateWindow(cs))
        return FALSE;
    cs.dwExStyle |= WS_EX_TOOLWINDOW;
    if (cs.style & MFS_THICKFRAME)
        cs.style |= WS_THICKFRAME;
    return TRUE;
}

void CMiniFrameWnd::CalcBorders(LPRECT lpClientRect, DWORD dwStyle)
{
    DWORD style = dwStyle & ~(MFS_SYNCACTIVE | MFS_4THICKFRAME | MFS_THICKFRAME);
    if (dwStyle & MFS_THICKFRAME)
        style |= WS_THICKFRAME;
    ::AdjustWindowRectEx(lpClientRect, style, FALSE, WS_EX_TOOLWINDOW);
}

LRESULT CMiniFrameWnd::OnNcHitTest(CPoint point)
{
    LRESULT hit = CFrameWnd::OnNcHitTest(point);
    if (GetStyle() & MFS_4THICKFRAME)
    {
        // Sizing from the sides only: a corner sizes the side it lies on.
        if (hit == HTTOPLEFT || hit == HTTOPRIGHT)
            hit = HTTOP;
        else if (hit == HTBOTTOMLEFT || hit == HTBOTTOMRIGHT)
            hit = HTBOTTOM;
    }
    return hit;
}

void CMiniFrameWnd::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    CFrameWnd::OnGetMinMaxInfo(lpMMI);
    // A mini frame is as small as what it holds: the least size the system gives a window with a caption
    // (wider than a bar of one column) does not apply.
    CRect borders(0, 0, 0, 0);
    CalcBorders(&borders, GetStyle());
    lpMMI->ptMinTrackSize.x = borders.Width();
    lpMMI->ptMinTrackSize.y = borders.Height();
}

CFrameWnd* CMiniFrameWnd::GetSyncOwner() const
{
    if (!(GetStyle() & MFS_SYNCACTIVE))
        return nullptr;
    CWnd* pOwner = FromHandlePermanent(::GetWindow(m_hWnd, GW_OWNER));
    return pOwner != nullptr && pOwner->IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? static_cast<CFrameWnd*>(pOwner)
                                                                           : nullptr;
}

void CMiniFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CFrameWnd::OnActivate(nState, pWndOther, bMinimized);
    // Going to a window that is not our owner ends the owner's active look.
    CFrameWnd* pOwner = GetSyncOwner();
    if (nState == WA_INACTIVE && pOwner != nullptr && (pOwner->m_nFlags & WF_STAYACTIVE) &&
        AfxGetSafeHwnd(pWndOther) != pOwner->m_hWnd)
    {
        pOwner->m_nFlags &= ~WF_STAYACTIVE;
        pOwner->SendMessage(WM_NCACTIVATE, FALSE);
    }
}

// ---- CMiniDockFrameWnd -------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CMiniDockFrameWnd, CMiniFrameWnd)

BEGIN_MESSAGE_MAP(CMiniDockFrameWnd, CMiniFrameWnd)
    ON_WM_CLOSE()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_NCLBUTTONDBLCLK()
END_MESSAGE_MAP()

CMiniDockFrameWnd::CMiniDockFrameWnd() : m_wndDockBar(TRUE)
{
}

DWORD CMiniDockFrameWnd::FrameStyle(DWORD dwBarStyle)
{
    return WS_POPUP | WS_CAPTION | WS_SYSMENU | MFS_SYNCACTIVE | MFS_4THICKFRAME |
           ((dwBarStyle & CBRS_SIZE_DYNAMIC) ? MFS_THICKFRAME : 0);
}

BOOL CMiniDockFrameWnd::Create(CWnd* pParent, DWORD dwBarStyle)
{
    CFrameWnd* pFrame = pParent != nullptr ? pParent->GetTopLevelFrame() : nullptr;
    if (pFrame == nullptr)
    {
        PostNcDestroy();   // as a failed creation: the object goes
        return FALSE;
    }
    if (!CMiniFrameWnd::Create(nullptr, "", FrameStyle(dwBarStyle), CRect(0, 0, 0, 0), pFrame))
        return FALSE;
    if (!m_wndDockBar.Create(this, WS_CHILD | WS_VISIBLE | (dwBarStyle & (CBRS_ALIGN_ANY | CBRS_FLOAT_MULTI)),
                             AFX_IDW_DOCKBAR_FLOAT))
    {
        DestroyWindow();
        return FALSE;
    }
    // The dock bar belongs to the frame the bars belong to: it is in that frame's bar list.
    RemoveControlBar(&m_wndDockBar);
    m_wndDockBar.m_pDockSite = pFrame;
    m_wndDockBar.SetOwner(pFrame);
    pFrame->AddControlBar(&m_wndDockBar);
    return TRUE;
}

CControlBar* CMiniDockFrameWnd::GetFirstBar() const
{
    for (INT_PTR i = 0; i < m_wndDockBar.m_arrBars.GetSize(); ++i)
    {
        if (m_wndDockBar.m_arrBars[i] != nullptr)
            return m_wndDockBar.m_arrBars[i];
    }
    return nullptr;
}

void CMiniDockFrameWnd::RecalcLayout(BOOL)
{
    if (m_bInRecalcLayout || m_hWnd == nullptr || m_wndDockBar.m_hWnd == nullptr)
        return;
    m_bInRecalcLayout = TRUE;
    m_nIdleFlags &= ~idleLayout;
    // A bar the frame's border sizes gets a sizing border; others a thin one.
    CControlBar* pFirst = GetFirstBar();
    BOOL bThick = pFirst != nullptr && IsSizedByBorder(pFirst);
    if (pFirst != nullptr && bThick != ((GetStyle() & MFS_THICKFRAME) != 0))
    {
        DWORD thick = MFS_THICKFRAME | WS_THICKFRAME;
        ModifyStyle(bThick ? 0 : thick, bThick ? thick : 0, SWP_FRAMECHANGED);
    }
    CSize size = m_wndDockBar.CalcFixedLayout(FALSE, (m_wndDockBar.m_dwStyle & CBRS_ORIENT_HORZ) != 0);
    CRect rect(0, 0, size.cx, size.cy);
    CalcWindowRect(&rect);
    SetWindowPos(nullptr, 0, 0, rect.Width(), rect.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST);
    if (pFirst != nullptr)
    {
        CString title = AfxGetWindowText(pFirst->m_hWnd);
        if (AfxGetWindowText(m_hWnd) != title)
            SetWindowText(title);
    }
    if (m_wndDockBar.GetDockedVisibleCount() > 0)
    {
        if (!IsWindowVisible())
            ShowWindow(SW_SHOWNA);
    }
    else if (IsWindowVisible())
        ShowWindow(SW_HIDE);
    m_bInRecalcLayout = FALSE;
}

BOOL CMiniDockFrameWnd::IsSizedByBorder(const CControlBar* pBar) const
{
    return (pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) != 0;
}

BOOL CMiniDockFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CFrameWnd* pSite = m_wndDockBar.m_pDockSite;
    return pSite != nullptr && pSite != this && pSite->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CMiniDockFrameWnd::OnClose()
{
    if (m_wndDockBar.GetDockedCount() == 0)
    {
        DestroyWindow();   // nothing left to show
        return;
    }
    // Closing hides the bars; the frame hides with them and stays for their return.
    std::vector<CControlBar*> bars;
    for (INT_PTR i = 0; i < m_wndDockBar.m_arrBars.GetSize(); ++i)
    {
        if (m_wndDockBar.m_arrBars[i] != nullptr)
            bars.push_back(m_wndDockBar.m_arrBars[i]);
    }
    for (CControlBar* pBar : bars)
    {
        if (CFrameWnd* pSite = pBar->GetDockingFrame())
            pSite->ShowControlBar(pBar, FALSE, FALSE);
    }
}

void CMiniDockFrameWnd::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    // A frame of several bars moves as a window; one bar drags itself (and may dock).
    CControlBar* pBar = (m_wndDockBar.m_dwStyle & CBRS_FLOAT_MULTI) ? nullptr : GetFirstBar();
    if (pBar != nullptr && pBar->m_pDockContext != nullptr)
    {
        if (nHitTest == HTCAPTION)
        {
            BringWindowToTop();
            pBar->m_pDockContext->StartDrag(point);   // this frame may be gone afterwards
            return;
        }
        if (nHitTest >= HTSIZEFIRST && nHitTest <= HTSIZELAST && IsSizedByBorder(pBar))
        {
            pBar->m_pDockContext->StartResize(static_cast<int>(nHitTest), point);
            return;
        }
    }
    CMiniFrameWnd::OnNcLButtonDown(nHitTest, point);
}

void CMiniDockFrameWnd::OnNcLButtonDblClk(UINT nHitTest, CPoint point)
{
    CControlBar* pBar = (m_wndDockBar.m_dwStyle & CBRS_FLOAT_MULTI) ? nullptr : GetFirstBar();
    if (nHitTest == HTCAPTION && pBar != nullptr && pBar->m_pDockContext != nullptr)
    {
        pBar->m_pDockContext->ToggleDocking();   // this frame goes when the bar docks
        return;
    }
    CMiniFrameWnd::OnNcLButtonDblClk(nHitTest, point);
}
