#include "uilib/core/dialogs/TabCtrl.h"

#include "uilib/core/base/GlobalData.h"
#include "uilib/core/base/MemDC.h"

#include <algorithm>

namespace
{

const int kTabPadding = 12;    // the control's own room round a label
const int kImageRoom = 22;     // an image before the label
const int kMinimumChars = 6;   // a shortened label keeps room for this many average characters
const char kEllipsis[] = "...";

}   // namespace

BEGIN_MESSAGE_MAP(CUXTabCtrl, CTabCtrl)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_SETTINGCHANGE()
    ON_WM_RBUTTONDOWN()
    ON_WM_SIZE()
    ON_NOTIFY_REFLECT_EX(TCN_SELCHANGING, OnSelChanging)
    ON_NOTIFY_REFLECT_EX(TCN_SELCHANGE, OnSelChange)
END_MESSAGE_MAP()

CUXTabCtrl::CUXTabCtrl()
{
    CreatePens();
    m_cyEdge = ::GetSystemMetrics(SM_CYEDGE);
}

CUXTabCtrl::~CUXTabCtrl()
{
    DeletePens();
}

void CUXTabCtrl::CreatePens()
{
    DeletePens();
    m_penFrame.CreatePen(PS_SOLID, 1, uxAfxData.m_clrWindowFrame);
    m_penWindow.CreatePen(PS_SOLID, 1, uxAfxData.m_clrWindow);
    m_penFace.CreatePen(PS_SOLID, 1, uxAfxData.m_clrBtnFace);
    m_penShadow.CreatePen(PS_SOLID, 1, uxAfxData.m_clrDarkShadow);
}

void CUXTabCtrl::DeletePens()
{
    m_penFrame.DeleteObject();
    m_penWindow.DeleteObject();
    m_penFace.DeleteObject();
    m_penShadow.DeleteObject();
}

void CUXTabCtrl::OnSysColorChange()
{
    CTabCtrl::OnSysColorChange();
    uxAfxData.RefreshSystemColors();
    CreatePens();
    Invalidate();
}

void CUXTabCtrl::OnSettingChange(UINT uFlags, LPCSTR lpszSection)
{
    CTabCtrl::OnSettingChange(uFlags, lpszSection);
    m_cyEdge = ::GetSystemMetrics(SM_CYEDGE);
}

// ---- labels that fit -----------------------------------------------------------------------------------

LRESULT CUXTabCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const TCITEMA* item = reinterpret_cast<const TCITEMA*>(lParam);
    bool selecting = message == WM_LBUTTONDOWN || message == WM_KEYDOWN;
    LRESULT result = CTabCtrl::WindowProc(message, wParam, lParam);
    switch (message)
    {
    case TCM_INSERTITEMA:
        if (result >= 0 && static_cast<size_t>(result) <= m_fullTexts.size())
        {
            CString text = (item != nullptr && (item->mask & TCIF_TEXT) && item->pszText != nullptr)
                               ? CString(item->pszText)
                               : CString();
            m_fullTexts.insert(m_fullTexts.begin() + result, text);
            CondenseTabs();
        }
        break;
    case TCM_SETITEMA:
        if (result && !m_bCondensing && item != nullptr && (item->mask & TCIF_TEXT) &&
            static_cast<size_t>(wParam) < m_fullTexts.size())
        {
            m_fullTexts[wParam] = item->pszText != nullptr ? item->pszText : "";
            CondenseTabs();
        }
        break;
    case TCM_DELETEITEM:
        if (result && static_cast<size_t>(wParam) < m_fullTexts.size())
        {
            m_fullTexts.erase(m_fullTexts.begin() + static_cast<ptrdiff_t>(wParam));
            CondenseTabs();
        }
        break;
    case TCM_DELETEALLITEMS:
        if (result)
            m_fullTexts.clear();
        break;
    default: break;
    }
    // A change the owner refused leaves no selection-change notification: drawing comes back on here.
    if (selecting && m_bRedrawOff && m_hWnd != nullptr)
    {
        m_bRedrawOff = false;
        SetRedraw(TRUE);
        Invalidate();
    }
    return result;
}

void CUXTabCtrl::SetAutoCondense(BOOL condense)
{
    m_bAutoCondense = condense;
    CondenseTabs();
}

CString CUXTabCtrl::GetFullText(int item) const
{
    if (item < 0 || static_cast<size_t>(item) >= m_fullTexts.size())
        return CString();
    return m_fullTexts[static_cast<size_t>(item)];
}

int CUXTabCtrl::TabWidth(CDC& dc, const CString& label, BOOL hasImage) const
{
    int width = dc.GetTextExtent(label).cx + kTabPadding;
    if (label.GetLength() == 1)
        ++width;
    if (hasImage)
        width += kImageRoom;
    return width;
}

void CUXTabCtrl::CondenseTabs()
{
    if (m_hWnd == nullptr || m_bCondensing)
        return;
    int count = GetItemCount();
    if (count <= 0 || static_cast<size_t>(count) != m_fullTexts.size())
        return;

    CClientDC dc(this);
    CFont* font = GetFont();
    CFont* oldFont = dc.SelectObject(font != nullptr ? font : &uxAfxData.m_fontNormal);
    TEXTMETRICA metrics = {};
    dc.GetTextMetrics(&metrics);

    std::vector<CString> labels(m_fullTexts);
    std::vector<int> kept(static_cast<size_t>(count)), widths(static_cast<size_t>(count)),
        limits(static_cast<size_t>(count));
    std::vector<BOOL> images(static_cast<size_t>(count));
    int total = 0;
    for (int i = 0; i < count; ++i)
    {
        TCITEMA info = {};
        info.mask = TCIF_IMAGE;
        GetItem(i, &info);
        images[i] = info.iImage >= 0 && GetImageList() != nullptr;
        kept[i] = labels[i].GetLength();
        widths[i] = TabWidth(dc, labels[i], images[i]);
        limits[i] = std::min<int>(widths[i], kMinimumChars * metrics.tmAveCharWidth + kTabPadding +
                                                 (images[i] ? kImageRoom : 0));
        total += widths[i];
    }
    CRect client;
    GetClientRect(&client);

    std::vector<bool> atLimit(static_cast<size_t>(count), false);
    while (m_bAutoCondense && total > client.Width())
    {
        // The widest tab that can still give room loses characters until it is narrower than the next.
        int widest = -1;
        for (int i = 0; i < count; ++i)
            if (!atLimit[i] && (widest < 0 || widths[i] > widths[widest]))
                widest = i;
        if (widest < 0)
            break;
        int next = 0;
        for (int i = 0; i < count; ++i)
            if (i != widest)
                next = std::max(next, widths[i]);
        total -= widths[widest];
        bool shortened = false;
        for (int trial = kept[widest] - 1; trial >= 0; --trial)
        {
            CString candidate = m_fullTexts[widest].Left(trial) + kEllipsis;
            int width = TabWidth(dc, candidate, images[widest]);
            if (width < limits[widest])
                break;
            if (width >= widths[widest])
                continue;   // the ellipsis still costs more than the characters gone
            kept[widest] = trial;
            labels[widest] = candidate;
            widths[widest] = width;
            shortened = true;
            if (width < next || total + width <= client.Width())
                break;
        }
        if (!shortened)
            atLimit[widest] = true;
        total += widths[widest];
    }
    dc.SelectObject(oldFont);

    m_bCondensing = true;
    for (int i = 0; i < count; ++i)
    {
        char current[256] = {};
        TCITEMA info = {};
        info.mask = TCIF_TEXT;
        info.pszText = current;
        info.cchTextMax = sizeof(current);
        GetItem(i, &info);
        if (labels[i] == CString(current))
            continue;
        info.pszText = const_cast<LPSTR>(labels[i].GetString());
        SetItem(i, &info);
    }
    m_bCondensing = false;
}

void CUXTabCtrl::OnSize(UINT nType, int cx, int cy)
{
    CTabCtrl::OnSize(nType, cx, cy);
    CondenseTabs();
}

// ---- selection -----------------------------------------------------------------------------------------

BOOL CUXTabCtrl::OnSelChanging(NMHDR*, LRESULT*)
{
    m_bRedrawOff = true;
    SetRedraw(FALSE);
    return FALSE;
}

BOOL CUXTabCtrl::OnSelChange(NMHDR*, LRESULT*)
{
    m_bRedrawOff = false;
    SetRedraw(TRUE);
    Invalidate();
    if (m_hWndMDIClient != nullptr)
    {
        TCITEMA info = {};
        info.mask = TCIF_PARAM;
        if (GetItem(GetCurSel(), &info) && ::IsWindow(reinterpret_cast<HWND>(info.lParam)))
            ::SendMessageA(m_hWndMDIClient, WM_MDIACTIVATE, static_cast<WPARAM>(info.lParam), 0);
    }
    return FALSE;
}

// ---- MDI children as tabs ------------------------------------------------------------------------------

void CUXTabCtrl::TrackMDIChildren(HWND mdiClient)
{
    m_hWndMDIClient = mdiClient;
    UpdateMDITabs();
}

void CUXTabCtrl::UpdateMDITabs()
{
    if (m_hWnd == nullptr || m_hWndMDIClient == nullptr)
        return;
    std::vector<HWND> children;
    for (HWND child = ::GetWindow(m_hWndMDIClient, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT))
    {
        if (::GetWindow(child, GW_OWNER) == nullptr)   // not the title of a minimised child
            children.push_back(child);
    }
    // The tabs keep their order (the client's order changes with every activation): children shown already
    // stay where they are, new ones follow in the order the client made them, gone ones leave.
    std::vector<HWND> order;
    for (int i = 0; i < GetItemCount(); ++i)
    {
        TCITEMA info = {};
        info.mask = TCIF_PARAM;
        HWND shown = GetItem(i, &info) ? reinterpret_cast<HWND>(info.lParam) : nullptr;
        if (std::find(children.begin(), children.end(), shown) != children.end())
            order.push_back(shown);
    }
    std::vector<HWND> added;
    for (HWND child : children)
    {
        if (std::find(order.begin(), order.end(), child) == order.end())
            added.push_back(child);
    }
    std::sort(added.begin(), added.end(), [](HWND a, HWND b) { return ::GetDlgCtrlID(a) < ::GetDlgCtrlID(b); });
    order.insert(order.end(), added.begin(), added.end());

    DeleteAllItems();
    HWND active = reinterpret_cast<HWND>(::SendMessageA(m_hWndMDIClient, WM_MDIGETACTIVE, 0, 0));
    for (int index = 0; index < static_cast<int>(order.size()); ++index)
    {
        HWND child = order[index];
        CString title;
        CWnd::FromHandle(child)->GetWindowText(title);
        TCITEMA info = {};
        info.mask = TCIF_TEXT | TCIF_PARAM;
        info.pszText = const_cast<LPSTR>(title.GetString());
        info.lParam = reinterpret_cast<LPARAM>(child);
        InsertItem(index, &info);
        if (child == active)
            SetCurSel(index);
    }
}

void CUXTabCtrl::CloseAllMDIChildren()
{
    for (int i = 0; i < GetItemCount(); ++i)
    {
        TCITEMA info = {};
        info.mask = TCIF_PARAM;
        if (GetItem(i, &info) && ::IsWindow(reinterpret_cast<HWND>(info.lParam)))
            ::PostMessageA(reinterpret_cast<HWND>(info.lParam), WM_CLOSE, 0, 0);
    }
}

// ---- menu ----------------------------------------------------------------------------------------------

void CUXTabCtrl::OnRButtonDown(UINT nFlags, CPoint point)
{
    if (m_nMenuId == 0)
    {
        CTabCtrl::OnRButtonDown(nFlags, point);
        return;
    }
    CMenu menu;
    if (!menu.LoadMenu(m_nMenuId))
        return;
    CMenu* popup = menu.GetSubMenu(m_nSubMenu);
    if (popup == nullptr)
        return;
    ClientToScreen(&point);
    CWnd* target = GetOwner();
    popup->TrackPopupMenu(TPM_RIGHTBUTTON, point.x, point.y, target != nullptr ? target : GetParent());
}

// ---- painting ------------------------------------------------------------------------------------------

BOOL CUXTabCtrl::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CUXTabCtrl::OnPaint()
{
    CPaintDC paintDC(this);
    CRect client;
    GetClientRect(&client);
    CUXMemDC dc(&paintDC, client, uxAfxData.m_clrBtnFace);
    if (uxAfxData.m_bFlatLook && GetItemCount() > 0)
        DrawFlat(&dc);
    else
        DefWindowProc(WM_PAINT, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
}

void CUXTabCtrl::DrawFlat(CDC* dc)
{
    CRect client, display;
    GetClientRect(&client);
    display = client;
    AdjustRect(FALSE, &display);
    display.InflateRect(m_cyEdge, m_cyEdge);
    CPen* oldPen = dc->SelectObject(&m_penFrame);
    CBrush* oldBrush = static_cast<CBrush*>(dc->SelectStockObject(NULL_BRUSH));
    dc->Rectangle(&display);
    dc->SelectObject(oldBrush);

    DWORD style = GetStyle();
    CFont* font = GetFont();
    CFont* oldFont = dc->SelectObject(font != nullptr ? font : &uxAfxData.m_fontNormal);
    dc->SetBkMode(TRANSPARENT);
    int selected = GetCurSel();
    for (int i = 0; i < GetItemCount(); ++i)
    {
        CRect rect;
        if (!GetItemRect(i, &rect))
            continue;
        BOOL isSelected = i == selected;
        if (style & TCS_VERTICAL)
        {
            if (style & TCS_RIGHT)
                DrawTabRight(dc, rect, isSelected);
            else
                DrawTabLeft(dc, rect, isSelected);
        }
        else if (style & TCS_BOTTOM)
            DrawTabBottom(dc, rect, isSelected);
        else
            DrawTabTop(dc, rect, isSelected);
        DrawTabLabel(dc, i, rect, isSelected);
    }
    dc->SelectObject(oldFont);
    dc->SelectObject(oldPen);
}

void CUXTabCtrl::DrawTabSeparator(CDC* dc, const CRect& rect, BOOL vertical)
{
    dc->SelectObject(&m_penShadow);
    if (vertical)
    {
        dc->MoveTo(rect.right - 1, rect.top + 3);
        dc->LineTo(rect.right - 1, rect.bottom - 3);
    }
    else
    {
        dc->MoveTo(rect.left + 3, rect.bottom - 1);
        dc->LineTo(rect.right - 3, rect.bottom - 1);
    }
}

void CUXTabCtrl::DrawTabTop(CDC* dc, const CRect& rect, BOOL selected)
{
    if (!selected)
    {
        DrawTabSeparator(dc, rect, TRUE);
        return;
    }
    dc->FillSolidRect(rect.left, rect.top, rect.Width(), rect.Height() + 1, uxAfxData.m_clrWindow);
    dc->SelectObject(&m_penFrame);
    dc->MoveTo(rect.left, rect.bottom);
    dc->LineTo(rect.left, rect.top);
    dc->LineTo(rect.right - 1, rect.top);
    dc->LineTo(rect.right - 1, rect.bottom);
}

void CUXTabCtrl::DrawTabBottom(CDC* dc, const CRect& rect, BOOL selected)
{
    if (!selected)
    {
        DrawTabSeparator(dc, rect, TRUE);
        return;
    }
    dc->FillSolidRect(rect.left, rect.top - 1, rect.Width(), rect.Height() + 1, uxAfxData.m_clrWindow);
    dc->SelectObject(&m_penFrame);
    dc->MoveTo(rect.left, rect.top - 1);
    dc->LineTo(rect.left, rect.bottom - 1);
    dc->LineTo(rect.right - 1, rect.bottom - 1);
    dc->LineTo(rect.right - 1, rect.top - 2);
}

void CUXTabCtrl::DrawTabLeft(CDC* dc, const CRect& rect, BOOL selected)
{
    if (!selected)
    {
        DrawTabSeparator(dc, rect, FALSE);
        return;
    }
    dc->FillSolidRect(rect.left, rect.top, rect.Width() + 1, rect.Height(), uxAfxData.m_clrWindow);
    dc->SelectObject(&m_penFrame);
    dc->MoveTo(rect.right, rect.top);
    dc->LineTo(rect.left, rect.top);
    dc->LineTo(rect.left, rect.bottom - 1);
    dc->LineTo(rect.right, rect.bottom - 1);
}

void CUXTabCtrl::DrawTabRight(CDC* dc, const CRect& rect, BOOL selected)
{
    if (!selected)
    {
        DrawTabSeparator(dc, rect, FALSE);
        return;
    }
    dc->FillSolidRect(rect.left - 1, rect.top, rect.Width() + 1, rect.Height(), uxAfxData.m_clrWindow);
    dc->SelectObject(&m_penFrame);
    dc->MoveTo(rect.left - 1, rect.top);
    dc->LineTo(rect.right - 1, rect.top);
    dc->LineTo(rect.right - 1, rect.bottom - 1);
    dc->LineTo(rect.left - 2, rect.bottom - 1);
}

void CUXTabCtrl::DrawTabLabel(CDC* dc, int item, const CRect& rect, BOOL selected)
{
    char text[256] = {};
    TCITEMA info = {};
    info.mask = TCIF_TEXT | TCIF_IMAGE;
    info.pszText = text;
    info.cchTextMax = sizeof(text);
    GetItem(item, &info);
    CRect area = rect;
    CImageList* images = GetImageList();
    if (info.iImage >= 0 && images != nullptr)
    {
        int cx = 0, cy = 0;
        ::ImageList_GetIconSize(images->GetSafeHandle(), &cx, &cy);
        ::ImageList_Draw(images->GetSafeHandle(), info.iImage, dc->GetSafeHdc(), area.left + 4,
                         area.top + (area.Height() - cy) / 2, ILD_TRANSPARENT);
        area.left += kImageRoom;
    }
    dc->SetTextColor(selected ? uxAfxData.m_clrWindowText : uxAfxData.m_clrBtnText);
    if (GetStyle() & TCS_VERTICAL)
    {
        CFont* old = dc->SelectObject(&uxAfxData.m_fontVert);
        CSize extent = dc->GetTextExtent(text, lstrlenA(text));
        dc->TextOut(area.left + (area.Width() - extent.cy) / 2, area.bottom - (area.Height() - extent.cx) / 2,
                    text, lstrlenA(text));
        dc->SelectObject(old);
        return;
    }
    dc->DrawText(text, -1, &area, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
}
