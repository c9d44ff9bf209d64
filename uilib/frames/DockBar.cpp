#include "uilib/frames/DockBar.h"

#include "resources/uilib/UilibResources.h"
#include "uilib/core/base/GlobalData.h"
#include "uilib/core/base/Helpers.h"
#include "uilib/core/base/MemDC.h"
#include "uilib/core/bars/ToolBar.h"
#include "uilib/frames/BarDockContext.h"
#include "uilib/frames/DockWindow.h"
#include "uilib/frames/MiniDockFrame.h"

#include <algorithm>
#include <climits>

namespace
{

// The frame's dock bars in the order the framework makes them (and lays them out).
const struct
{
    UINT nID;
    DWORD dwSide;
} kSides[] = {
    {AFX_IDW_DOCKBAR_TOP, CBRS_ALIGN_TOP},
    {AFX_IDW_DOCKBAR_BOTTOM, CBRS_ALIGN_BOTTOM},
    {AFX_IDW_DOCKBAR_LEFT, CBRS_ALIGN_LEFT},
    {AFX_IDW_DOCKBAR_RIGHT, CBRS_ALIGN_RIGHT},
};

// A docking window's length along its dock bar, and its thickness across it.
int LengthOf(const CSize& size, BOOL bHorz)
{
    return bHorz ? size.cx : size.cy;
}
int ThicknessOf(const CSize& size, BOOL bHorz)
{
    return bHorz ? size.cy : size.cx;
}
CSize MakeSize(int length, int thickness, BOOL bHorz)
{
    return bHorz ? CSize(length, thickness) : CSize(thickness, length);
}
// How thick a docked window shows: its kept size, or less where the side leaves the document its room.
int ShownThickness(const CWnd* pWindow, BOOL bHorz)
{
    CRect rect;
    pWindow->GetWindowRect(&rect);
    return ThicknessOf(rect.Size(), bHorz);
}

}   // namespace

void UXEnableDocking(CFrameWnd* pFrame, DWORD dwDockStyle)
{
    if (pFrame == nullptr || pFrame->m_hWnd == nullptr)
        return;
    CUXBarDockContext::Install();
    pFrame->m_pFloatingFrameClass = RUNTIME_CLASS(CUXMiniDockFrameWnd);
    if (uxAfxData.m_bDockBars)
    {
        for (const auto& side : kSides)
        {
            if (!(dwDockStyle & side.dwSide) || pFrame->GetControlBar(side.nID) != nullptr)
                continue;
            CUXDockBar* pDockBar = new CUXDockBar;
            pDockBar->m_bAutoDelete = TRUE;   // also when its creation fails
            pDockBar->Create(pFrame, WS_CHILD | WS_VISIBLE | side.dwSide, side.nID);
        }
    }
    pFrame->EnableDocking(dwDockStyle);   // the framework's dock bars for the sides still without one
}

// ---- CUXDockBar ----------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CUXDockBar, CDockBar)

BEGIN_MESSAGE_MAP(CUXDockBar, CDockBar)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_WM_NCHITTEST()
    ON_WM_SETCURSOR()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_KEYDOWN()
    ON_WM_CANCELMODE()
    ON_WM_CAPTURECHANGED()
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_WM_NCPAINT()
    ON_WM_RBUTTONDOWN()
    ON_COMMAND(IDCANCEL, OnCancelMode)
END_MESSAGE_MAP()

CUXDockBar::CUXDockBar() : CDockBar(FALSE)
{
}

CUXDockBar::~CUXDockBar() = default;

CUXDockBar* CUXDockBar::FromBar(CControlBar* pBar)
{
    return pBar != nullptr && pBar->IsKindOf(RUNTIME_CLASS(CUXDockBar)) ? static_cast<CUXDockBar*>(pBar) : nullptr;
}

// ---- rows of docking windows ---------------------------------------------------------------------------

std::vector<CUXDockWindow*> CUXDockBar::RowWindows(CControlBar* pBar) const
{
    std::vector<CUXDockWindow*> windows;
    int index = FindBar(pBar);
    if (index < 0)
        return windows;
    int start = index;
    while (start > 0 && m_arrBars[start - 1] != nullptr)
        --start;
    for (INT_PTR i = start; i < m_arrBars.GetSize() && m_arrBars[i] != nullptr; ++i)
    {
        if (CUXDockWindow* pWindow = CUXDockWindow::FromBar(m_arrBars[i]))
            windows.push_back(pWindow);
    }
    return windows;
}

void CUXDockBar::ExpandWindow(CUXDockWindow* pWindow)
{
    for (CUXDockWindow* pOther : RowWindows(pWindow))
        pOther->SetExpanded(pOther == pWindow);
    if (CFrameWnd* pFrame = GetDockingFrame())
        pFrame->RecalcLayout();
}

void CUXDockBar::ContractRow(CUXDockWindow* pWindow)
{
    for (CUXDockWindow* pOther : RowWindows(pWindow))
        pOther->SetExpanded(FALSE);
    if (CFrameWnd* pFrame = GetDockingFrame())
        pFrame->RecalcLayout();
}

int CUXDockBar::LayoutRows(int nLength, std::vector<VxPlace>& places)
{
    size_t first = places.size();
    int thickness = CDockBar::LayoutRows(nLength, places);
    BOOL bHorz = IsHorz();
    // The splitter along a row lies on its side towards the frame's middle.
    BOOL bEdgeBefore = Side() == CBRS_ALIGN_BOTTOM || Side() == CBRS_ALIGN_RIGHT;
    std::vector<Splitter> splitters;
    // Rows of docking windows give up thickness, as far as their least size allows, where the side would
    // leave the document less than its room.
    int windowRows = 0;
    for (size_t i = first; i < places.size(); ++i)
        windowRows += CUXDockWindow::FromBar(places[i].pBar) != nullptr &&
                              (i + 1 == places.size() || places[i + 1].nRow != places[i].nRow ||
                               CUXDockWindow::FromBar(places[i + 1].pBar) == nullptr)
                          ? 1
                          : 0;
    int excess = nLength > 0 ? std::max(0, thickness + windowRows * kSplitterSize - WindowRoom()) : 0;
    int shift = 0;   // what the splitters of the rows so far added across, less what the rows gave up
    for (size_t i = first; i < places.size();)
    {
        size_t end = i;
        while (end < places.size() && places[end].nRow == places[i].nRow)
            ++end;
        int windows = 0;
        int otherLengths = 0;   // of the row's docking windows but an expanded one, and their splitters
        for (size_t j = i; j < end; ++j)
        {
            CUXDockWindow* pWindow = CUXDockWindow::FromBar(places[j].pBar);
            if (pWindow == nullptr)
                continue;
            otherLengths += (windows++ > 0 ? kSplitterSize : 0) +
                            (pWindow->IsExpanded() ? 0 : LengthOf(places[j].rect.Size(), bHorz));
        }
        if (windows == 0)
        {
            for (size_t j = i; j < end; ++j)
                places[j].rect.OffsetRect(bHorz ? 0 : shift, bHorz ? shift : 0);
            i = end;
            continue;
        }
        int rowStart = INT_MAX, rowEnd = INT_MIN;
        for (size_t j = i; j < end; ++j)
        {
            rowStart = std::min<int>(rowStart, bHorz ? places[j].rect.top : places[j].rect.left);
            rowEnd = std::max<int>(rowEnd, bHorz ? places[j].rect.bottom : places[j].rect.right);
        }
        int cut = std::min(excess, std::max(0, rowEnd - rowStart - static_cast<int>(CUXDockWindow::kMinSize)));
        excess -= cut;
        rowEnd -= cut;
        Splitter edge;
        edge.bRowEdge = TRUE;
        if (bEdgeBefore)
        {
            edge.rect = bHorz ? CRect(0, rowStart + shift, 0, rowStart + shift + kSplitterSize)
                              : CRect(rowStart + shift, 0, rowStart + shift + kSplitterSize, 0);
            shift += kSplitterSize;
        }
        // The row packed from its start; a splitter between neighbouring docking windows.
        int at = 0;
        for (size_t j = i; j < end; ++j)
        {
            VxPlace& place = places[j];
            CUXDockWindow* pWindow = CUXDockWindow::FromBar(place.pBar);
            int length = LengthOf(place.rect.Size(), bHorz);
            if (pWindow != nullptr && pWindow->IsExpanded() && nLength > 0)
                length = std::max<int>(CUXDockWindow::kMinSize, nLength - otherLengths);
            if (nLength > 0 && at + length > nLength)
                length = std::max(0, nLength - at);   // never past the side's end
            int across = (bHorz ? place.rect.top : place.rect.left) + shift;
            int depth = std::min(ThicknessOf(place.rect.Size(), bHorz), rowEnd - rowStart);
            place.rect = bHorz ? CRect(at, across, at + length, across + depth)
                               : CRect(across, at, across + depth, at + length);
            at += length;
            if (pWindow != nullptr)
                edge.windows.push_back(pWindow);
            CUXDockWindow* pNext = j + 1 < end ? CUXDockWindow::FromBar(places[j + 1].pBar) : nullptr;
            if (pWindow != nullptr && pNext != nullptr)
            {
                Splitter between;
                between.bRowEdge = FALSE;
                between.windows = {pWindow, pNext};
                between.rect = bHorz ? CRect(at, rowStart + shift, at + kSplitterSize, rowEnd + shift)
                                     : CRect(rowStart + shift, at, rowEnd + shift, at + kSplitterSize);
                splitters.push_back(between);
                at += kSplitterSize;
            }
        }
        if (!bEdgeBefore)
        {
            edge.rect = bHorz ? CRect(0, rowEnd + shift, 0, rowEnd + shift + kSplitterSize)
                              : CRect(rowEnd + shift, 0, rowEnd + shift + kSplitterSize, 0);
            shift += kSplitterSize;
        }
        shift -= cut;
        int full = nLength > 0 ? nLength : at;
        if (bHorz)
            edge.rect.right = full;
        else
            edge.rect.bottom = full;
        splitters.push_back(edge);
        i = end;
    }
    if (nLength > 0)
    {
        // Splitters drawn where they no longer are, and where they now are, are painted again.
        if (m_hWnd != nullptr)
            for (const std::vector<Splitter>* list : {&m_splitters, &splitters})
                for (const Splitter& splitter : *list)
                    InvalidateRect(&splitter.rect, FALSE);
        m_splitters = splitters;
    }
    return thickness + shift;
}

LRESULT CUXDockBar::OnSizeParent(WPARAM wParam, LPARAM lParam)
{
    const AFX_SIZEPARENTPARAMS* lpLayout = reinterpret_cast<const AFX_SIZEPARENTPARAMS*>(lParam);
    m_nAcross = IsHorz() ? lpLayout->rect.bottom - lpLayout->rect.top : lpLayout->rect.right - lpLayout->rect.left;
    return CDockBar::OnSizeParent(wParam, lParam);
}

int CUXDockBar::WindowRoom() const
{
    if (m_nAcross < 0 || m_bFloating)
        return INT_MAX;
    return std::max(0, m_nAcross - static_cast<int>(kDocumentRoom));
}

BOOL CUXDockBar::WrapsInRow(CControlBar* pBar) const
{
    return CUXDockWindow::FromBar(pBar) == nullptr;
}

void CUXDockBar::DockControlBar(CControlBar* pBar, LPCRECT lpRect)
{
    CDockBar::DockControlBar(pBar, lpRect);
    // Docking windows and other bars never share a row (the windows' row is packed and would hide a bar in
    // it): the bar put into the other kind's row gets a row of its own right before it.
    int index = FindBar(pBar);
    if (index < 0)
        return;
    BOOL bWindow = CUXDockWindow::FromBar(pBar) != nullptr;
    int start = index;
    while (m_arrBars[start - 1] != nullptr)
        --start;
    BOOL bMixed = FALSE;
    for (INT_PTR i = start; i < m_arrBars.GetSize() && m_arrBars[i] != nullptr; ++i)
        bMixed |= (CUXDockWindow::FromBar(m_arrBars[i]) != nullptr) != bWindow;
    if (!bMixed)
        return;
    m_arrBars.RemoveAt(index);
    m_arrBars.InsertAt(start, nullptr);
    m_arrBars.InsertAt(start, pBar);
    NormalizeRows();
}

// ---- splitters -----------------------------------------------------------------------------------------

namespace
{
// Whether a splitter moves left and right (else up and down).
BOOL MovesAlongX(const CUXDockBar::Splitter& splitter, BOOL bHorzDockBar)
{
    return splitter.bRowEdge ? !bHorzDockBar : bHorzDockBar;
}
}   // namespace

int CUXDockBar::SplitterAt(CPoint point) const
{
    for (size_t i = 0; i < m_splitters.size(); ++i)
    {
        if (m_splitters[i].rect.PtInRect(point))
            return static_cast<int>(i);
    }
    return -1;
}

LRESULT CUXDockBar::OnNcHitTest(CPoint point)
{
    if (m_bTracking)
        return HTBORDER;
    CPoint client = point;
    ScreenToClient(&client);
    m_nHotSplitter = SplitterAt(client);
    return m_nHotSplitter >= 0 ? HTBORDER : CDockBar::OnNcHitTest(point);
}

BOOL CUXDockBar::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (nHitTest == HTCLIENT)
        return CDockBar::OnSetCursor(pWnd, nHitTest, message);
    if (nHitTest == HTBORDER && (m_bTracking || m_nHotSplitter >= 0))
    {
        const Splitter& splitter = m_bTracking ? m_tracked : m_splitters[m_nHotSplitter];
        HCURSOR cursor =
            uxAfxData.GetLibraryCursor(MovesAlongX(splitter, IsHorz()) ? IDC_UX_SPLIT_HORZ : IDC_UX_SPLIT_VERT);
        ::SetCursor(cursor != nullptr ? cursor : ::LoadCursorA(nullptr, IDC_ARROW));
    }
    return TRUE;
}

void CUXDockBar::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    CPoint client = point;
    ScreenToClient(&client);
    if (nHitTest != HTBORDER || m_bTracking || m_nHotSplitter < 0 ||
        m_nHotSplitter >= static_cast<int>(m_splitters.size()) ||
        !m_splitters[m_nHotSplitter].rect.PtInRect(client))
    {
        CDockBar::OnNcLButtonDown(nHitTest, point);
        return;
    }
    m_tracked = m_splitters[m_nHotSplitter];
    m_bTracking = TRUE;
    m_ptTrackStart = point;
    m_nTrackOffset = 0;
    SetCapture();
    m_hWndFocusBefore = ::GetFocus();
    SetFocus();
    m_rectTracker = TrackerRect(0);
    DrawSplitterTracker(m_rectTracker);
}

void CUXDockBar::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!m_bTracking)
    {
        CDockBar::OnMouseMove(nFlags, point);
        return;
    }
    ClientToScreen(&point);
    BOOL alongX = MovesAlongX(m_tracked, IsHorz());
    int offset = ClampOffset(alongX ? point.x - m_ptTrackStart.x : point.y - m_ptTrackStart.y);
    if (offset == m_nTrackOffset)
        return;
    m_nTrackOffset = offset;
    DrawSplitterTracker(m_rectTracker);   // away from the old place
    m_rectTracker = TrackerRect(offset);
    DrawSplitterTracker(m_rectTracker);
}

void CUXDockBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_bTracking)
        EndTracking(TRUE);
    else
        CDockBar::OnLButtonUp(nFlags, point);
}

void CUXDockBar::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (m_bTracking && nChar == VK_ESCAPE)
        EndTracking(FALSE);
    else
        CDockBar::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CUXDockBar::OnCancelMode()
{
    EndTracking(FALSE);
}

void CUXDockBar::OnCaptureChanged(CWnd*)
{
    EndTracking(FALSE);   // the mouse went elsewhere
}

CRect CUXDockBar::TrackerRect(int offset) const
{
    CRect rect = m_tracked.rect;
    if (MovesAlongX(m_tracked, IsHorz()))
        rect.OffsetRect(offset, 0);
    else
        rect.OffsetRect(0, offset);
    HWND hParent = ::GetParent(m_hWnd);
    ::MapWindowPoints(m_hWnd, hParent, reinterpret_cast<LPPOINT>(&rect), 2);
    return rect;
}

int CUXDockBar::ClampOffset(int offset) const
{
    BOOL bHorz = IsHorz();
    if (m_tracked.bRowEdge)
    {
        // Towards the middle the row grows; no window of it gets thinner than its least size, nor thicker than
        // the frame leaves room for.
        int sign = Side() == CBRS_ALIGN_BOTTOM || Side() == CBRS_ALIGN_RIGHT ? -1 : 1;
        CRect frame;
        ::GetClientRect(::GetParent(m_hWnd), &frame);
        int room = std::min((bHorz ? frame.Height() : frame.Width()) - static_cast<int>(CUXDockWindow::kMinSize),
                            WindowRoom());
        for (CUXDockWindow* pWindow : m_tracked.windows)
        {
            int now = ShownThickness(pWindow, bHorz);
            int grown = std::min(std::max(now + sign * offset, static_cast<int>(CUXDockWindow::kMinSize)),
                                 std::max(room, now));
            offset = sign * (grown - now);
        }
        return offset;
    }
    if (m_tracked.windows.size() != 2)
        return 0;
    CRect before, after;
    m_tracked.windows[0]->GetWindowRect(&before);
    m_tracked.windows[1]->GetWindowRect(&after);
    int lengthBefore = LengthOf(before.Size(), bHorz);
    int lengthAfter = LengthOf(after.Size(), bHorz);
    offset = std::max(offset, CUXDockWindow::kMinSize - lengthBefore);
    return std::min(offset, lengthAfter - CUXDockWindow::kMinSize);
}

void CUXDockBar::EndTracking(BOOL bApply)
{
    if (!m_bTracking)
        return;
    m_bTracking = FALSE;
    if (!m_rectTracker.IsRectEmpty())
        DrawSplitterTracker(m_rectTracker);
    m_rectTracker.SetRectEmpty();
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (m_hWndFocusBefore != nullptr && ::IsWindow(m_hWndFocusBefore))
        ::SetFocus(m_hWndFocusBefore);
    m_hWndFocusBefore = nullptr;
    int offset = m_nTrackOffset;
    m_nTrackOffset = 0;
    if (!bApply || offset == 0)
        return;
    BOOL bHorz = IsHorz();
    if (m_tracked.bRowEdge)
    {
        int sign = Side() == CBRS_ALIGN_BOTTOM || Side() == CBRS_ALIGN_RIGHT ? -1 : 1;
        for (CUXDockWindow* pWindow : m_tracked.windows)
        {
            CUXDockWindow::Side side = pWindow->GetSide();
            CSize size = pWindow->GetDockedSize(side);
            pWindow->SetDockedSize(side,
                                   MakeSize(LengthOf(size, bHorz), ShownThickness(pWindow, bHorz) + sign * offset, bHorz));
        }
    }
    else if (m_tracked.windows.size() == 2)
    {
        // The two trade length; the row's windows keep the lengths they show, none expanded any more.
        std::vector<CUXDockWindow*> row = RowWindows(m_tracked.windows[0]);
        for (CUXDockWindow* pWindow : row)
        {
            CRect rect;
            pWindow->GetWindowRect(&rect);
            int length = LengthOf(rect.Size(), bHorz);
            if (pWindow == m_tracked.windows[0])
                length += offset;
            else if (pWindow == m_tracked.windows[1])
                length -= offset;
            CUXDockWindow::Side side = pWindow->GetSide();
            pWindow->SetDockedSize(side,
                                   MakeSize(length, ThicknessOf(pWindow->GetDockedSize(side), bHorz), bHorz));
            pWindow->SetExpanded(FALSE);
        }
    }
    if (CFrameWnd* pFrame = GetDockingFrame())
        pFrame->RecalcLayout();
}

void CUXDockBar::DrawSplitterTracker(const CRect& rect)
{
    HWND hParent = ::GetParent(m_hWnd);
    if (hParent == nullptr)
        return;
    if (rect.IsRectEmpty())
    {
        ::InvalidateRect(hParent, nullptr, TRUE);
        return;
    }
    CRect line = rect;
    if (line.Width() < line.Height())
        line.DeflateRect(1, 0);
    else
        line.DeflateRect(0, 1);
    // Over the frame's children too.
    HDC hDC = ::GetDCEx(hParent, nullptr, DCX_CACHE | DCX_LOCKWINDOWUPDATE);
    if (hDC == nullptr)
        return;
    HBRUSH brush = uxAfxData.m_bFlatLook ? static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH))
                                         : static_cast<HBRUSH>(CDC::GetHalftoneBrush()->m_hObject);
    HGDIOBJ old = ::SelectObject(hDC, brush);
    ::PatBlt(hDC, line.left, line.top, line.Width(), line.Height(), PATINVERT);
    ::SelectObject(hDC, old);
    ::ReleaseDC(hParent, hDC);
}

// ---- painting and the bar menu -------------------------------------------------------------------------

BOOL CUXDockBar::OnEraseBkgnd(CDC*)
{
    return TRUE;   // painting covers everything
}

void CUXDockBar::OnPaint()
{
    CPaintDC paintDC(this);
    CRect client;
    GetClientRect(&client);
    CUXMemDC dc(&paintDC, client, uxAfxData.m_clrBtnFace);
    if (!dc.IsValid())
        return;
    for (const Splitter& splitter : m_splitters)
    {
        if (uxAfxData.m_bFlatLook)
            continue;   // the face alone
        dc.Draw3dRect(&splitter.rect, uxAfxData.m_clrBtnHilite, uxAfxData.m_clrBtnShadow);
    }
}

void CUXDockBar::OnNcPaint()
{
    CWindowDC dc(this);
    CRect window, client;
    UXPrepareNonClientDC(this, dc, window, client);
    dc.FillSolidRect(&window, uxAfxData.m_clrBtnFace);
    if (uxAfxData.m_bFlatLook)
        return;   // edges in the face colour
    // One line per bordered edge in the shadow colour, a second in the highlight colour for a 3-D border.
    for (int line = 0; line < ((m_dwStyle & CBRS_BORDER_3D) ? 2 : 1); ++line)
    {
        COLORREF color = line == 0 ? uxAfxData.m_clrBtnShadow : uxAfxData.m_clrBtnHilite;
        CRect r = window;
        r.DeflateRect(line, line);
        if (m_dwStyle & CBRS_BORDER_LEFT)
            dc.FillSolidRect(r.left, r.top, 1, r.Height(), color);
        if (m_dwStyle & CBRS_BORDER_TOP)
            dc.FillSolidRect(r.left, r.top, r.Width(), 1, color);
        if (m_dwStyle & CBRS_BORDER_RIGHT)
            dc.FillSolidRect(r.right - 1, r.top, 1, r.Height(), color);
        if (m_dwStyle & CBRS_BORDER_BOTTOM)
            dc.FillSolidRect(r.left, r.bottom - 1, r.Width(), 1, color);
    }
}

void CUXDockBar::OnRButtonDown(UINT nFlags, CPoint point)
{
    CFrameWnd* pFrame = GetDockingFrame();
    if (!uxAfxData.m_bBarContextMenu || pFrame == nullptr)
    {
        CDockBar::OnRButtonDown(nFlags, point);
        return;
    }
    BOOL bCustomize = FALSE;
    for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != nullptr;)
    {
        CControlBar* pBar = pFrame->m_listControlBars.GetNext(pos);
        bCustomize |=
            pBar->IsKindOf(RUNTIME_CLASS(CUXToolBar)) && static_cast<CUXToolBar*>(pBar)->IsCustomizable();
    }
    ClientToScreen(&point);
    CUXControlBar::TrackBarMenu(point, pFrame, bCustomize);
    if (::IsWindow(pFrame->m_hWnd))
        pFrame->RecalcLayout();
}
