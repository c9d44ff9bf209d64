#include "uilib/core/lists/HeaderCtrl.h"

#include "uilib/core/bars/CoolMenu.h"
#include "uilib/core/base/GlobalData.h"
#include "uilib/core/base/MemDC.h"
#include "uilib/core/base/LibraryIds.h"
#include "resources/uilib/UilibResources.h"

#include <vector>

IMPLEMENT_DYNAMIC(CUXHeaderCtrl, CHeaderCtrl)
IMPLEMENT_DYNAMIC(CUXFlatHeaderCtrl, CUXHeaderCtrl)

namespace
{

BOOL IsListView(HWND hWnd)
{
    char name[32] = {};
    return hWnd != nullptr && ::GetClassNameA(hWnd, name, sizeof(name)) > 0 &&
           ::lstrcmpiA(name, WC_LISTVIEWA) == 0;
}

}   // namespace

// ---- CUXHeaderCtrl -------------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CUXHeaderCtrl, CHeaderCtrl)
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_SETCURSOR()
    ON_NOTIFY_REFLECT_EX(HDN_ITEMCHANGINGA, OnItemChanging)
    ON_NOTIFY_REFLECT_EX(HDN_ITEMCHANGINGW, OnItemChanging)
END_MESSAGE_MAP()

CUXHeaderCtrl::CUXHeaderCtrl()
{
    m_bRightToLeft = IsRightToLeft() ? 1 : 0;
}

BOOL CUXHeaderCtrl::IsRightToLeft()
{
    HDC screen = ::GetDC(nullptr);
    UINT align = ::GetTextAlign(screen);
    ::ReleaseDC(nullptr, screen);
    return align != GDI_ERROR && (align & TA_RTLREADING) != 0;
}

BOOL CUXHeaderCtrl::IsColumnFixed(int index) const
{
    for (INT_PTR i = 0; i < m_fixedColumns.GetSize(); ++i)
        if (static_cast<int>(m_fixedColumns[i]) == index)
            return TRUE;
    return FALSE;
}

void CUXHeaderCtrl::SetColumnFixed(int index, BOOL fixed)
{
    if (index < 0)
        return;
    for (INT_PTR i = m_fixedColumns.GetSize(); i-- > 0;)
        if (static_cast<int>(m_fixedColumns[i]) == index)
            m_fixedColumns.RemoveAt(i);
    if (fixed)
        m_fixedColumns.Add(static_cast<UINT>(index));
}

int CUXHeaderCtrl::GetColumnWidth(int index) const
{
    if (IsListView(::GetParent(m_hWnd)))
        return static_cast<int>(::SendMessageA(::GetParent(m_hWnd), LVM_GETCOLUMNWIDTH, index, 0));
    HDITEMA item = {};
    item.mask = HDI_WIDTH;
    return GetItem(index, &item) ? item.cxy : 0;
}

void CUXHeaderCtrl::SetColumnWidth(int index, int width)
{
    if (IsListView(::GetParent(m_hWnd)))
    {
        ::SendMessageA(::GetParent(m_hWnd), LVM_SETCOLUMNWIDTH, index, MAKELPARAM(width, 0));
        return;
    }
    HDITEMA item = {};
    item.mask = HDI_WIDTH;
    item.cxy = width;
    SetItem(index, &item);
}

int CUXHeaderCtrl::GetFixedColumnsWidth()
{
    int total = 0;
    int count = GetItemCount();
    for (INT_PTR i = 0; i < m_fixedColumns.GetSize(); ++i)
        if (static_cast<int>(m_fixedColumns[i]) < count)
            total += GetColumnWidth(static_cast<int>(m_fixedColumns[i]));
    return total;
}

void CUXHeaderCtrl::DistributeWidth(int total)
{
    int count = GetItemCount();
    int fixed = 0;
    for (int i = 0; i < count; ++i)
        if (IsColumnFixed(i))
            ++fixed;
    if (count - fixed <= 0)
        return;
    int share = total / (count - fixed);
    if (share <= m_nMinColumnWidth)
        return;
    for (int i = 0; i < count; ++i)
        if (!IsColumnFixed(i))
            SetColumnWidth(i, share);
}

void CUXHeaderCtrl::FitColumns(int width)
{
    if (width == 0)
    {
        CRect rect;
        GetWindowRect(&rect);
        width = rect.Width() - ::GetSystemMetrics(SM_CXVSCROLL) - GetFixedColumnsWidth();
    }
    DistributeWidth(width);
}

void CUXHeaderCtrl::OnWindowPosChanging(WINDOWPOS* pos)
{
    if (!m_bFitToWidth)
    {
        Default();
        return;
    }
    if (GetItemCount() <= 0)
        return;
    CRect rect;
    GetWindowRect(&rect);
    if ((pos->flags & SWP_NOSIZE) == 0 && pos->cx != rect.Width())
        FitColumns(pos->cx - ::GetSystemMetrics(SM_CXVSCROLL) - GetFixedColumnsWidth());
}

BOOL CUXHeaderCtrl::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_fixedColumns.IsEmpty())
        return CHeaderCtrl::OnSetCursor(pWnd, nHitTest, message);
    HDHITTESTINFO hit = {};
    ::GetCursorPos(&hit.pt);
    ScreenToClient(&hit.pt);
    int item = CHeaderCtrl::HitTest(&hit);
    BOOL keep = FALSE;
    if (item >= 0)
    {
        if (IsColumnFixed(item))
        {
            keep = TRUE;
        }
        else
        {
            // The divider of a fixed neighbour reaches into this column's half next to it.
            int neighbour = m_bRightToLeft ? item + 1 : item - 1;
            CRect rect;
            if (neighbour >= 0 && IsColumnFixed(neighbour) && GetItemRect(item, &rect))
            {
                int middle = (rect.left + rect.right) / 2;
                keep = m_bRightToLeft ? hit.pt.x >= middle : hit.pt.x < middle;
            }
        }
    }
    if (!keep)
        return CHeaderCtrl::OnSetCursor(pWnd, nHitTest, message);
    ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));   // no resizing here
    return TRUE;
}

BOOL CUXHeaderCtrl::OnItemChanging(NMHDR* pNMHDR, LRESULT* pResult)
{
    // The width fields sit at the same place in the ANSI and the wide item records.
    NMHEADERA* header = reinterpret_cast<NMHEADERA*>(pNMHDR);
    if (header->pitem == nullptr || (header->pitem->mask & HDI_WIDTH) == 0)
        return FALSE;
    if (header->pitem->cxy < m_nMinColumnWidth || IsColumnFixed(header->iItem))
    {
        *pResult = TRUE;
        return TRUE;
    }
    return FALSE;
}

// ---- CUXFlatHeaderCtrl ---------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CUXFlatHeaderCtrl, CUXHeaderCtrl)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_RBUTTONDOWN()
    ON_WM_WINDOWPOSCHANGED()
    ON_COMMAND(ID_UX_SORT_ASCENDING, OnSortAscending)
    ON_COMMAND(ID_UX_SORT_DESCENDING, OnSortDescending)
    ON_COMMAND(ID_UX_ALIGN_LEFT, OnAlignLeft)
    ON_COMMAND(ID_UX_ALIGN_CENTER, OnAlignCenter)
    ON_COMMAND(ID_UX_ALIGN_RIGHT, OnAlignRight)
    ON_MESSAGE(UXM_FIRSTINIT, OnFirstInit)
END_MESSAGE_MAP()

CUXFlatHeaderCtrl::CUXFlatHeaderCtrl() = default;

void CUXFlatHeaderCtrl::PreSubclassWindow()
{
    CUXHeaderCtrl::PreSubclassWindow();
    PostMessage(UXM_FIRSTINIT);
}

LRESULT CUXFlatHeaderCtrl::OnFirstInit(WPARAM, LPARAM)
{
    if (m_bFirstInit)
    {
        m_bFirstInit = FALSE;
        // The list must not paint over its header.
        if (CWnd* parent = GetParent())
            parent->ModifyStyle(0, WS_CLIPCHILDREN);
    }
    return 0;
}

BOOL CUXFlatHeaderCtrl::ParentIsList() const
{
    return IsListView(::GetParent(m_hWnd));
}

BOOL CUXFlatHeaderCtrl::ParentAllowsSorting() const
{
    HWND parent = ::GetParent(m_hWnd);
    return parent != nullptr && (::GetWindowLongA(parent, GWL_STYLE) & LVS_NOSORTHEADER) == 0;
}

void CUXFlatHeaderCtrl::SetPopupMenu(UINT menuId, int subMenuIndex)
{
    m_nPopupMenuId = menuId;
    m_nPopupSubMenu = subMenuIndex;
}

void CUXFlatHeaderCtrl::SetBoldFont(BOOL bold)
{
    SetFont(bold ? &uxAfxData.m_fontBold : &uxAfxData.m_fontNormal, FALSE);
}

void CUXFlatHeaderCtrl::SetBoldFontRedraw(BOOL bold)
{
    SetBoldFont(bold);
    Invalidate();
}

int CUXFlatHeaderCtrl::SetSortImage(int column, BOOL ascending)
{
    int previous = m_nSortColumn;
    m_nSortColumn = column;
    m_nSortAscending = ascending ? 1 : 0;
    HDITEMA item = {};
    item.mask = HDI_FORMAT;
    if (column >= 0 && GetItem(column, &item) && (item.fmt & HDF_BITMAP) == 0)
    {
        item.fmt |= HDF_OWNERDRAW;
        SetItem(column, &item);
    }
    Invalidate();
    return previous;
}

void CUXFlatHeaderCtrl::ShowSortArrow(BOOL show)
{
    m_bShowSortArrow = show;
    Invalidate();
}

int CUXFlatHeaderCtrl::HitTest(CPoint point)
{
    int count = GetItemCount();
    for (int i = 0; i < count; ++i)
    {
        CRect rect;
        if (GetItemRect(i, &rect) && rect.PtInRect(point))
            return i;
    }
    return -1;
}

void CUXFlatHeaderCtrl::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CDC* dc = CDC::FromHandle(lpDrawItemStruct->hDC);
    const CRect item(lpDrawItemStruct->rcItem);
    int column = static_cast<int>(lpDrawItemStruct->itemID);
    int saved = dc->SaveDC();
    dc->FillSolidRect(&item, uxAfxData.m_clrBtnFace);
    dc->SetBkMode(TRANSPARENT);
    dc->IntersectClipRect(&item);

    char text[256] = {};
    HDITEMA info = {};
    info.mask = HDI_TEXT | HDI_FORMAT;
    info.pszText = text;
    info.cchTextMax = sizeof(text);
    GetItem(column, &info);
    UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_NOCLIP | DT_END_ELLIPSIS;
    if (info.fmt & HDF_CENTER)
        format |= DT_CENTER;
    else if (info.fmt & HDF_RIGHT)
        format |= DT_RIGHT;

    BOOL sortable = ParentAllowsSorting();
    BOOL arrow = column == m_nSortColumn && m_bShowSortArrow;
    CRect rect(item);
    if ((lpDrawItemStruct->itemState & ODS_SELECTED) && sortable)
        rect.OffsetRect(1, 2);
    if (arrow)
        rect.right -= 3 * m_nArrowSize;
    rect.DeflateRect(m_nArrowSize, 0);
    if (rect.left < rect.right && text[0] != '\0')
    {
        CFont* font = GetFont();
        CFont* old = font != nullptr ? dc->SelectObject(font) : nullptr;
        dc->SetTextColor(uxAfxData.m_clrBtnText);
        dc->DrawText(text, -1, &rect, format);
        if (old != nullptr)
            dc->SelectObject(old);
    }

    if (arrow && sortable)
    {
        const int s = m_nArrowSize, r = item.right, b = item.bottom;
        CPen highlight(PS_SOLID, 1, uxAfxData.m_clrBtnHilite);
        CPen shadow(PS_SOLID, 1, uxAfxData.m_clrBtnShadow);
        CPen* old = dc->SelectObject(&highlight);
        if (m_nSortAscending)
        {
            dc->MoveTo(r - 2 * s, s - 1);
            dc->LineTo(r - 3 * s / 2, b - s);
            dc->LineTo(r - 5 * s / 2 - 2, b - s);
            dc->SelectObject(&shadow);
            dc->MoveTo(r - 5 * s / 2 - 1, b - s - 1);
            dc->LineTo(r - 2 * s, s - 2);
        }
        else
        {
            dc->MoveTo(r - 3 * s / 2, s - 1);
            dc->LineTo(r - 2 * s - 1, b - s + 1);
            dc->SelectObject(&shadow);
            dc->MoveTo(r - 2 * s - 1, b - s);
            dc->LineTo(r - 5 * s / 2 - 1, s - 1);
            dc->LineTo(r - 3 * s / 2, s - 1);
        }
        dc->SelectObject(old);
    }
    dc->RestoreDC(saved);
}

void CUXFlatHeaderCtrl::DrawFlatBorders(CDC* pDC, CRect rect)
{
    const int right = rect.right - 1;
    rect.right += 1;
    pDC->Draw3dRect(&rect, uxAfxData.m_clrBtnHilite, uxAfxData.m_clrBtnShadow);
    rect.left += 1;
    rect.top += 1;
    rect.bottom -= 1;
    pDC->Draw3dRect(&rect, uxAfxData.m_clrBtnFace, uxAfxData.m_clrBtnFace);

    int count = GetItemCount();
    if (count > 0)
    {
        std::vector<int> order(static_cast<size_t>(count));
        if (!::SendMessageA(m_hWnd, HDM_GETORDERARRAY, count, reinterpret_cast<LPARAM>(order.data())))
            for (int i = 0; i < count; ++i)
                order[i] = i;
        const int top = rect.top - 1, height = rect.Height() + 2;
        int x = 0;
        for (int index : order)
        {
            HDITEMA item = {};
            item.mask = HDI_WIDTH;
            GetItem(index, &item);
            x += item.cxy;
            pDC->FillSolidRect(x, top, 1, height, uxAfxData.m_clrBtnShadow);
            pDC->FillSolidRect(x + 1, top, 1, height, uxAfxData.m_clrBtnHilite);
            pDC->FillSolidRect(x - 1, top, 1, height, uxAfxData.m_clrBtnFace);
            pDC->FillSolidRect(x - 2, top, 1, height, uxAfxData.m_clrBtnFace);
        }
    }
    if (!m_bPressed)
        pDC->FillSolidRect(right, rect.top - 1, 1, rect.Height() + 2, uxAfxData.m_clrBtnShadow);
}

void CUXFlatHeaderCtrl::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    CUXMemDC mem(&dc, client, uxAfxData.m_clrBtnFace);
    if (!mem.IsValid())
        return;
    DefWindowProc(WM_PAINT, reinterpret_cast<WPARAM>(mem.GetSafeHdc()), 0);
    DrawFlatBorders(&mem, client);
}

BOOL CUXFlatHeaderCtrl::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CUXFlatHeaderCtrl::OnLButtonDown(UINT, CPoint)
{
    m_bPressed = 1;
    Default();
}

void CUXFlatHeaderCtrl::OnLButtonUp(UINT, CPoint)
{
    m_bPressed = 0;
    Default();
}

void CUXFlatHeaderCtrl::OnWindowPosChanged(WINDOWPOS*)
{
    Default();
    Invalidate();
}

void CUXFlatHeaderCtrl::OnRButtonDown(UINT, CPoint point)
{
    m_ptLastRClick = point;
    if (!ParentAllowsSorting() || !m_bPopupMenu)
    {
        Default();
        return;
    }
    CPoint screen(point);
    ClientToScreen(&screen);
    CMenu menu;
    if (m_nPopupMenuId != 0)
    {
        if (!menu.LoadMenu(m_nPopupMenuId))
            return;
        CMenu* popup = menu.GetSubMenu(m_nPopupSubMenu);
        CWnd* target = GetOwner();
        if (popup != nullptr)
            popup->TrackPopupMenu(TPM_RIGHTBUTTON, screen.x, screen.y, target != nullptr ? target : this);
        return;
    }
    int column = HitTest(point);
    if (column < 0)
        return;
    if (!menu.Attach(AfxLoadMenu(uxAfxData.m_hResourceModule, MAKEINTRESOURCEA(IDR_UX_POPUP_MENUS))))
        return;
    CMenu* popup = menu.GetSubMenu(UX_POPUP_HEADER);
    if (popup == nullptr)
        return;
    BOOL sorted = column == m_nSortColumn;
    popup->CheckMenuItem(ID_UX_SORT_ASCENDING, sorted && m_nSortAscending == 1 ? MF_CHECKED : MF_UNCHECKED);
    popup->CheckMenuItem(ID_UX_SORT_DESCENDING, sorted && m_nSortAscending == 0 ? MF_CHECKED : MF_UNCHECKED);
    if (ParentIsList())
    {
        LVCOLUMNA info = {};
        info.mask = LVCF_FMT;
        if (::SendMessageA(::GetParent(m_hWnd), LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&info)))
        {
            int justify = info.fmt & LVCFMT_JUSTIFYMASK;
            UINT id = justify == LVCFMT_RIGHT    ? ID_UX_ALIGN_RIGHT
                      : justify == LVCFMT_CENTER ? ID_UX_ALIGN_CENTER
                                                 : ID_UX_ALIGN_LEFT;
            popup->CheckMenuItem(id, MF_CHECKED);
        }
    }
    // Drawn by the library's cool menu with the commands' images while it is open.
    CUXCoolMenu coolMenu;
    if (coolMenu.Install(this))
        coolMenu.LoadToolbar(IDR_UX_HEADER_TOOLBAR);
    popup->TrackPopupMenu(TPM_RIGHTBUTTON, screen.x, screen.y, this);
}

void CUXFlatHeaderCtrl::SortFromMenu(BOOL ascending)
{
    int column = HitTest(m_ptLastRClick);
    int direction = ascending ? 1 : 0;
    if (column < 0 || (column == m_nSortColumn && m_nSortAscending == direction))
        return;
    m_nSortAscending = direction;
    m_nSortColumn = column;
    SendSortNotify(column);
}

void CUXFlatHeaderCtrl::SendSortNotify(int column)
{
    if (!ParentIsList())
        return;
    char text[257] = {};
    HDITEMA item = {};
    item.mask = HDI_WIDTH | HDI_TEXT | HDI_FORMAT | HDI_LPARAM | HDI_IMAGE | HDI_ORDER | HDI_BITMAP;
    item.pszText = text;
    item.cchTextMax = 256;
    GetItem(column, &item);
    NMHEADERA notify = {};
    notify.hdr.hwndFrom = m_hWnd;
    notify.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    notify.hdr.code = HDN_ITEMCLICKA;
    notify.iItem = column;
    notify.iButton = 1;
    notify.pitem = &item;
    CWnd* list = GetParent();
    CWnd* target = list->GetOwner();
    if (target == nullptr)
        return;
    WPARAM id = static_cast<WPARAM>(notify.hdr.idFrom);
    target->SendMessage(WM_NOTIFY, id, reinterpret_cast<LPARAM>(&notify));
    target->SendMessageToDescendants(WM_NOTIFY, id, reinterpret_cast<LPARAM>(&notify));
}

void CUXFlatHeaderCtrl::SetColumnAlignment(int format)
{
    int column = HitTest(m_ptLastRClick);
    if (column < 0 || !ParentIsList())
        return;
    HWND list = ::GetParent(m_hWnd);
    LVCOLUMNA info = {};
    info.mask = LVCF_FMT;
    if (!::SendMessageA(list, LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&info)))
        return;
    info.fmt = (info.fmt & ~LVCFMT_JUSTIFYMASK) | (format & LVCFMT_JUSTIFYMASK);
    ::SendMessageA(list, LVM_SETCOLUMNA, column, reinterpret_cast<LPARAM>(&info));
    ::SendMessageA(list, LVM_SETWORKAREAS, 0, 0);
}

void CUXFlatHeaderCtrl::OnSortAscending()
{
    SortFromMenu(TRUE);
}

void CUXFlatHeaderCtrl::OnSortDescending()
{
    SortFromMenu(FALSE);
}

void CUXFlatHeaderCtrl::OnAlignLeft()
{
    SetColumnAlignment(LVCFMT_LEFT);
}

void CUXFlatHeaderCtrl::OnAlignCenter()
{
    SetColumnAlignment(LVCFMT_CENTER);
}

void CUXFlatHeaderCtrl::OnAlignRight()
{
    SetColumnAlignment(LVCFMT_RIGHT);
}
