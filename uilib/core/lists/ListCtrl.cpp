#include "uilib/core/lists/ListCtrl.h"

#include "uilib/core/base/GlobalData.h"
#include "uilib/core/base/Helpers.h"
#include "uilib/core/base/MemDC.h"
#include "uilib/core/base/LibraryIds.h"
#include "uilib/core/base/SettingsStore.h"
#include "resources/uilib/UilibResources.h"

namespace
{

// The widest column the list control can be given: its width message carries 16 bits.
const int kMaxStoredWidth = 0x7FFF;

// One field of the stored widths as a width: decimal digits only (blanks around them allowed), within what
// a column can hold; -1 otherwise.
int ParseWidth(const CString& field)
{
    CString text(field);
    text.Trim();
    if (text.IsEmpty() || text.GetLength() > 5)
        return -1;
    int value = 0;
    for (int i = 0; i < text.GetLength(); ++i)
    {
        char c = text[i];
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
    }
    return value <= kMaxStoredWidth ? value : -1;
}

}   // namespace

// ---- CUXListMixin --------------------------------------------------------------------------------------

CUXListMixin::CUXListMixin()
    : m_nMaxColumnWidth(::GetSystemMetrics(SM_CXFULLSCREEN)), m_clrText(::GetSysColor(COLOR_WINDOWTEXT)),
      m_clrBack(::GetSysColor(COLOR_WINDOW))
{
}

CUXListMixin::~CUXListMixin()
{
    // The header window belongs to the list: it only loses its flat look here.
    if (m_header.GetSafeHwnd() != nullptr)
        m_header.UnsubclassWindow();
}

void CUXListMixin::RefreshMaxColumnWidth()
{
    m_nMaxColumnWidth = ::GetSystemMetrics(SM_CXFULLSCREEN);
}

BOOL CUXListMixin::IsReportView() const
{
    return m_pList != nullptr && m_pList->GetSafeHwnd() != nullptr &&
           (m_pList->GetStyle() & LVS_TYPEMASK) == LVS_REPORT;
}

HWND CUXListMixin::GetHeaderWindow() const
{
    if (m_pList == nullptr || m_pList->GetSafeHwnd() == nullptr)
        return nullptr;
    return reinterpret_cast<HWND>(m_pList->SendMessage(LVM_GETHEADER));
}

CUXFlatHeaderCtrl* CUXListMixin::GetFlatHeader()
{
    CWnd* header = CWnd::FromHandlePermanent(GetHeaderWindow());
    return header != nullptr && header->IsKindOf(RUNTIME_CLASS(CUXFlatHeaderCtrl))
               ? static_cast<CUXFlatHeaderCtrl*>(header)
               : nullptr;
}

int CUXListMixin::SetSortImage(int column, BOOL ascending)
{
    CUXFlatHeaderCtrl* header = GetFlatHeader();
    return header != nullptr ? header->SetSortImage(column, ascending) : -1;
}

std::vector<int> CUXListMixin::ReadStoredWidths()
{
    std::vector<int> widths;
    if (m_strSection.IsEmpty() || m_strEntry.IsEmpty())
        return widths;
    CUXSettingsStore store(HKEY_CURRENT_USER);
    CString value = store.GetProfileString(m_strSection, m_strEntry, m_strDefault);
    for (int start = 0; start < value.GetLength();)
    {
        int comma = value.Find(',', start);
        int end = comma < 0 ? value.GetLength() : comma;
        widths.push_back(ParseWidth(value.Mid(start, end - start)));
        if (comma < 0)
            break;
        start = comma + 1;
    }
    return widths;
}

int CUXListMixin::GetStoredColumnWidth(int column)
{
    std::vector<int> widths = ReadStoredWidths();
    return column >= 0 && column < static_cast<int>(widths.size()) ? widths[static_cast<size_t>(column)] : -1;
}

void CUXListMixin::ApplyStoredColumnWidth(int column)
{
    int width = GetStoredColumnWidth(column);
    if (width >= 0 && m_pList != nullptr)
        m_pList->SendMessage(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), MAKELPARAM(width, 0));
}

int CUXListMixin::ApplyStoredColumnWidths()
{
    HWND header = GetHeaderWindow();
    if (!IsReportView() || header == nullptr)
        return 0;
    int count = static_cast<int>(::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
        ApplyStoredColumnWidth(i);
    return count < 0 ? 0 : count;
}

void CUXListMixin::StoreColumnWidths()
{
    HWND header = GetHeaderWindow();
    if (!IsReportView() || header == nullptr || m_strSection.IsEmpty() || m_strEntry.IsEmpty())
        return;
    int count = static_cast<int>(::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
    CString value;
    for (int i = 0; i < count; ++i)
    {
        CString field;
        field.Format("%d,", m_pList->GetColumnWidth(i));
        value += field;
    }
    CUXSettingsStore store(HKEY_CURRENT_USER);
    store.WriteProfileString(m_strSection, m_strEntry, value);
}

void CUXListMixin::SetColumnStorage(LPCSTR section, LPCSTR entry, LPCSTR defaultValue)
{
    m_bSaveOnDestroy = 1;
    if (section == nullptr)
        AfxLoadString(IDS_UX_SETTINGS, m_strSection, uxAfxData.m_hResourceModule);
    else
        m_strSection = section;
    if (entry == nullptr)
        AfxLoadString(IDS_UX_COLUMN_INFO, m_strEntry, uxAfxData.m_hResourceModule);
    else
        m_strEntry = entry;
    m_strDefault = defaultValue;
    ApplyStoredColumnWidths();
}

void CUXListMixin::FitColumnWidths(int column)
{
    HWND hHeader = GetHeaderWindow();
    if (m_pList == nullptr || hHeader == nullptr)
        return;
    int count = static_cast<int>(::SendMessageA(hHeader, HDM_GETITEMCOUNT, 0, 0));
    int first = column < 0 ? 0 : column;
    int last = column < 0 ? count - 1 : (column < count ? column : -1);
    CUXFlatHeaderCtrl* flat = GetFlatHeader();
    m_pList->SetRedraw(FALSE);
    {
        CWnd* header = CWnd::FromHandle(hHeader);
        CClientDC dc(header);
        CFont* font = header->GetFont();
        CFont* oldFont = font != nullptr ? dc.SelectObject(font) : nullptr;
        for (int i = first; i <= last; ++i)
        {
            m_pList->SetColumnWidth(i, LVSCW_AUTOSIZE);
            int width = m_pList->GetColumnWidth(i);
            char text[257] = {};
            HDITEMA item = {};
            item.mask = HDI_TEXT;
            item.pszText = text;
            item.cchTextMax = 256;
            ::SendMessageA(hHeader, HDM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
            int textWidth = dc.GetTextExtent(text, ::lstrlenA(text)).cx + 12;
            if (flat != nullptr && flat->IsSortArrowShown() && i == m_nSortColumn)
                textWidth += 24;
            if (textWidth > width)
                width = textWidth;
            if (width < m_nMinColumnWidth)
                width = m_nMinColumnWidth;
            if (width > m_nMaxColumnWidth)
                width = m_nMaxColumnWidth;
            m_pList->SetColumnWidth(i, width);
        }
        if (oldFont != nullptr)
            dc.SelectObject(oldFont);
    }
    m_pList->SetRedraw(TRUE);
    m_pList->Invalidate();
}

BOOL CUXListMixin::SubclassHeader(BOOL boldFont)
{
    HWND header = GetHeaderWindow();
    if (!IsReportView() || header == nullptr || m_header.GetSafeHwnd() != nullptr)
        return FALSE;
    if (!m_header.SubclassWindow(header))
        return FALSE;
    m_header.SetBoldFontRedraw(boldFont);
    return TRUE;
}

BOOL CUXListMixin::SortList(int, BOOL)
{
    return TRUE;
}

void CUXListMixin::AddExtendedStyle(DWORD bits)
{
    if (m_pList != nullptr)
        m_pList->SetExtendedStyle(m_pList->CListCtrl::GetExtendedStyle() | bits);
}

DWORD CUXListMixin::GetExtendedStyle()
{
    return m_pList != nullptr ? m_pList->CListCtrl::GetExtendedStyle() : 0;
}

void CUXListMixin::SetFixedWidths(BOOL fixed)
{
    m_bFixedWidths = fixed ? 1 : 0;
}

int CUXListMixin::HitTestEx(CPoint point, int* column)
{
    if (column != nullptr)
        *column = 0;
    if (m_pList == nullptr)
        return -1;
    if (!IsReportView())
        return m_pList->HitTest(point);
    int count = m_pList->GetItemCount();
    int columns = GetColumnCount();
    int top = m_pList->GetTopIndex();
    // One page from the top row, the partly shown row below it included.
    int last = top + m_pList->GetCountPerPage();
    for (int row = top; row <= last && row < count; ++row)
    {
        CRect rect;
        if (!m_pList->GetItemRect(row, &rect, LVIR_BOUNDS) || !rect.PtInRect(point))
            continue;
        int x = rect.left;
        for (int c = 0; c < columns; ++c)
        {
            int width = m_pList->GetColumnWidth(c);
            if (point.x >= x && point.x <= x + width)
            {
                if (column != nullptr)
                    *column = c;
                return row;
            }
            x += width;
        }
        return -1;
    }
    return -1;
}

int CUXListMixin::AddColumn(LPCSTR text, int width, int format)
{
    HWND header = GetHeaderWindow();
    if (!IsReportView() || header == nullptr)
        return -1;
    int count = static_cast<int>(::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_FMT | LVCF_SUBITEM;
    column.pszText = const_cast<LPSTR>(text != nullptr ? text : "");
    column.fmt = format;
    column.iSubItem = count;
    if (width == -1 && count > 0)
        width = m_pList->GetColumnWidth(count - 1);
    if (width != -1)
    {
        column.mask |= LVCF_WIDTH;
        column.cx = width;
    }
    return m_pList->InsertColumn(count, &column);
}

BOOL CUXListMixin::AddColumns(int count, const int* widths, const LPCSTR* texts)
{
    for (int i = 0; i < count; ++i)
        if (texts == nullptr || AddColumn(texts[i], widths != nullptr ? widths[i] : -1) < 0)
            return FALSE;
    return TRUE;
}

BOOL CUXListMixin::AddColumnsFromIds(int count, const int* widths, const UINT* stringIds)
{
    for (int i = 0; i < count; ++i)
    {
        CString text;
        if (stringIds == nullptr)
            return FALSE;
        AfxLoadString(stringIds[i], text);
        if (AddColumn(text, widths != nullptr ? widths[i] : -1) < 0)
            return FALSE;
    }
    return TRUE;
}

void CUXListMixin::SetColors(COLORREF text, COLORREF background)
{
    m_clrText = text;
    m_clrBack = background;
    if (m_pList != nullptr && m_pList->GetSafeHwnd() != nullptr)
        m_pList->Invalidate();
}

int CUXListMixin::GetColumnCount()
{
    HWND header = GetHeaderWindow();
    if (!IsReportView() || header == nullptr)
        return -1;
    return static_cast<int>(::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
}

int CUXListMixin::CopyItem(int from, int to)
{
    if (m_pList == nullptr || from == to || from < 0 || to < 0)
        return -1;
    // The whole text, however long: a copy loses nothing.
    CString text = m_pList->GetItemText(from, 0);
    LVITEMA item = {};
    item.mask = LVIF_IMAGE | LVIF_PARAM;
    item.iItem = from;
    if (!m_pList->GetItem(&item))
        return -1;
    item.mask |= LVIF_TEXT;
    item.iItem = to;
    item.pszText = const_cast<LPSTR>(text.GetString());
    int inserted = m_pList->InsertItem(&item);
    if (inserted < 0)
        return -1;
    int source = inserted <= from ? from + 1 : from;
    HWND header = GetHeaderWindow();
    int columns = header != nullptr ? static_cast<int>(::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
    for (int c = 1; c < columns; ++c)
    {
        CString sub = m_pList->GetItemText(source, c);
        if (!sub.IsEmpty())
            m_pList->SetItemText(inserted, c, sub);
    }
    return source;
}

BOOL CUXListMixin::MoveItem(int from, int to)
{
    int source = CopyItem(from, to);
    return source >= 0 && m_pList->DeleteItem(source);
}

BOOL CUXListMixin::FilterHeaderNotify(WPARAM, NMHDR* header, LRESULT* result)
{
    // Only the leading fields are read, which the ANSI and the wide records share.
    NMHEADERA* notify = reinterpret_cast<NMHEADERA*>(header);
    switch (header->code)
    {
    case HDN_BEGINTRACKA:
    case HDN_BEGINTRACKW:
    case HDN_DIVIDERDBLCLICKA:
    case HDN_DIVIDERDBLCLICKW:
        if (!m_bFixedWidths)
            return FALSE;
        *result = 1;
        return TRUE;
    case HDN_ITEMCLICKA:
    case HDN_ITEMCLICKW:
    {
        CUXFlatHeaderCtrl* flat = GetFlatHeader();
        if (flat == nullptr)
            return FALSE;
        int column = notify->iItem;
        BOOL ascending;
        if (notify->iButton == 0)
            ascending = column != m_nSortColumn || !m_bSortAscending;
        else if (notify->iButton == 1)
            ascending = flat->GetSortAscending() != 0;
        else
            return FALSE;
        m_nSortColumn = column;
        m_bSortAscending = ascending ? 1 : 0;
        flat->SetSortImage(column, ascending);
        SortList(column, ascending);
        return FALSE;
    }
    case HDN_ITEMCHANGINGA:
    case HDN_ITEMCHANGINGW:
    case HDN_ENDTRACKA:
        if (notify->pitem != nullptr && (notify->pitem->mask & HDI_WIDTH) != 0 &&
            notify->pitem->cxy < m_nMinColumnWidth)
            notify->pitem->cxy = m_nMinColumnWidth;
        return FALSE;
    default: return FALSE;
    }
}

void CUXListMixin::UpdateFont()
{
    if (!m_nFontFlag || m_pList == nullptr || m_pList->GetSafeHwnd() == nullptr)
        return;
    WPARAM font = reinterpret_cast<WPARAM>(uxAfxData.m_fontNormal.GetSafeHandle());
    if (uxAfxData.m_bWin95)
        m_pList->PostMessage(WM_SETFONT, font, TRUE);
    else
        m_pList->SendMessage(WM_SETFONT, font, TRUE);
}

LRESULT CUXListMixin::CustomDraw(NMLVCUSTOMDRAW* draw)
{
    if (draw->nmcd.dwDrawStage == CDDS_PREPAINT)
        return CDRF_NOTIFYITEMDRAW;
    if (draw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT)
    {
        int item = static_cast<int>(draw->nmcd.dwItemSpec);
        if (item >= 0 && m_pList->IsWindowEnabled() &&
            (m_pList->GetItemState(item, LVIS_SELECTED) & LVIS_SELECTED) == 0)
        {
            draw->clrText = m_clrText;
            draw->clrTextBk = m_clrBack;
        }
    }
    return CDRF_DODEFAULT;
}

// ---- CUXListCtrl ---------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CUXListCtrl, CListCtrl)

BEGIN_MESSAGE_MAP(CUXListCtrl, CListCtrl)
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnCustomDraw)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SETTINGCHANGE()
    ON_WM_DESTROY()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_MESSAGE(UXM_FIRSTINIT, OnFirstInit)
END_MESSAGE_MAP()

CUXListCtrl::CUXListCtrl()
{
    m_pList = this;
}

void CUXListCtrl::PreSubclassWindow()
{
    CListCtrl::PreSubclassWindow();
    PostMessage(UXM_FIRSTINIT);
}

LRESULT CUXListCtrl::OnFirstInit(WPARAM, LPARAM)
{
    if (m_nFirstInit)
    {
        m_nFirstInit = 0;
        UpdateFont();
    }
    return 0;
}

BOOL CUXListCtrl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* notify = reinterpret_cast<NMHDR*>(lParam);
    HWND header = GetHeaderWindow();
    if (header != nullptr && notify->hwndFrom == header && FilterHeaderNotify(wParam, notify, pResult))
        return TRUE;
    return CListCtrl::OnNotify(wParam, lParam, pResult);
}

void CUXListCtrl::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = CustomDraw(reinterpret_cast<NMLVCUSTOMDRAW*>(pNMHDR));
}

void CUXListCtrl::OnPaint()
{
    CPaintDC dc(this);
    HWND header = GetHeaderWindow();
    if (IsReportView() && header != nullptr && ::IsWindowVisible(header))
    {
        CRect rect;
        ::GetWindowRect(header, &rect);
        ScreenToClient(&rect);
        dc.ExcludeClipRect(&rect);
    }
    CRect client;
    GetClientRect(&client);
    {
        CUXMemDC mem(&dc, client, m_clrBack);
        if (mem.IsValid())
            DefWindowProc(WM_PAINT, reinterpret_cast<WPARAM>(mem.GetSafeHdc()), 0);
    }
    if (header != nullptr)
    {
        ::InvalidateRect(header, nullptr, FALSE);
        ::UpdateWindow(header);
    }
}

BOOL CUXListCtrl::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CUXListCtrl::OnSettingChange(UINT uFlags, LPCSTR lpszSection)
{
    CListCtrl::OnSettingChange(uFlags, lpszSection);
    RefreshMaxColumnWidth();
}

void CUXListCtrl::OnDestroy()
{
    if (m_bSaveOnDestroy)
        StoreColumnWidths();
    CListCtrl::OnDestroy();
}

void CUXListCtrl::OnHScroll(UINT, UINT, CScrollBar*)
{
    UXScrollWithoutFlicker(this);
}

void CUXListCtrl::OnVScroll(UINT, UINT, CScrollBar*)
{
    UXScrollWithoutFlicker(this);
}
