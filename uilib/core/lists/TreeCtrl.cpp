#include "uilib/core/lists/TreeCtrl.h"

#include "uilib/core/base/GlobalData.h"
#include "uilib/core/base/MemDC.h"

#include <algorithm>
#include <cstdlib>

IMPLEMENT_DYNAMIC(CUXTreeCtrl, CTreeCtrl)

namespace
{

const UINT kCaret = 1;   // the caret bit of the combined state word
const UINT_PTR kBandTimer = 1;

CPoint PointOf(LPARAM lParam)
{
    return CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
}

BOOL IsWordChar(char c)
{
    return c == '_' || ::IsCharAlphaNumericA(c);
}

// Whether text holds needle; with wholeWord only where no letter, digit or "_" touches it on either side.
BOOL ContainsText(const CString& text, const CString& needle, BOOL wholeWord)
{
    for (int pos = text.Find(needle); pos >= 0; pos = text.Find(needle, pos + 1))
    {
        if (!wholeWord)
            return TRUE;
        int after = pos + needle.GetLength();
        if ((pos == 0 || !IsWordChar(text[pos - 1])) && (after >= text.GetLength() || !IsWordChar(text[after])))
            return TRUE;
    }
    return FALSE;
}

}   // namespace

BEGIN_MESSAGE_MAP(CUXTreeCtrl, CTreeCtrl)
    ON_WM_LBUTTONDOWN()
    ON_WM_RBUTTONDOWN()
    ON_WM_KEYDOWN()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_NOTIFY_REFLECT_EX(TVN_ITEMEXPANDINGA, OnItemExpanding)
    ON_NOTIFY_REFLECT_EX(TVN_ITEMEXPANDINGW, OnItemExpanding)
    ON_NOTIFY_REFLECT_EX(TVN_DELETEITEMA, OnDeleteItem)
    ON_NOTIFY_REFLECT_EX(TVN_DELETEITEMW, OnDeleteItem)
END_MESSAGE_MAP()

CUXTreeCtrl::CUXTreeCtrl() = default;

CUXTreeCtrl::~CUXTreeCtrl() = default;

// ---- navigation ----------------------------------------------------------------------------------------

HTREEITEM CUXTreeCtrl::GetNextItem(HTREEITEM item, UINT code) const
{
    return CTreeCtrl::GetNextItem(item, code);
}

HTREEITEM CUXTreeCtrl::GetNextItemDeep(HTREEITEM item) const
{
    if (item == nullptr)
        return GetRootItem();
    if (HTREEITEM child = GetChildItem(item))
        return child;
    for (HTREEITEM up = item; up != nullptr; up = GetParentItem(up))
        if (HTREEITEM next = GetNextSiblingItem(up))
            return next;
    return nullptr;
}

HTREEITEM CUXTreeCtrl::GetPrevItemDeep(HTREEITEM item) const
{
    if (item == nullptr)
        return nullptr;
    if (HTREEITEM previous = GetPrevSiblingItem(item))
        return GetLastItem(previous);
    return GetParentItem(item);
}

HTREEITEM CUXTreeCtrl::GetLastItem(HTREEITEM item) const
{
    if (item == nullptr)
    {
        // The last root item: the first one's subtree is not the end of the tree.
        item = GetRootItem();
        while (HTREEITEM next = item != nullptr ? GetNextSiblingItem(item) : nullptr)
            item = next;
    }
    while (HTREEITEM child = item != nullptr ? GetChildItem(item) : nullptr)
    {
        item = child;
        while (HTREEITEM next = GetNextSiblingItem(item))
            item = next;
    }
    return item;
}

HTREEITEM CUXTreeCtrl::FindItemByText(LPCSTR text, BOOL matchCase, BOOL down, BOOL wholeWord, HTREEITEM start)
{
    if (text == nullptr || *text == '\0')
        return nullptr;
    CString needle(text);
    if (!matchCase)
        needle.MakeLower();
    HTREEITEM from = start != nullptr ? start : GetSelectedItem();
    HTREEITEM item = from;
    // One round over every item at most, whatever the walk does.
    UINT steps = GetCount() + 1;
    for (UINT i = 0; i < steps; ++i)
    {
        item = item != nullptr ? (down ? GetNextItemDeep(item) : GetPrevItemDeep(item)) : nullptr;
        if (item == nullptr)
            item = down ? GetRootItem() : GetLastItem();
        if (item == nullptr || item == from)
            return nullptr;
        CString label = GetItemText(item);
        if (!matchCase)
            label.MakeLower();
        if (ContainsText(label, needle, wholeWord) && IsFindValid(item))
            return item;
    }
    return nullptr;
}

BOOL CUXTreeCtrl::IsFindValid(HTREEITEM)
{
    return TRUE;
}

// ---- looks of single items -----------------------------------------------------------------------------

BOOL CUXTreeCtrl::SetItemFont(HTREEITEM item, const LOGFONTA& logFont)
{
    if (item == nullptr)
        return FALSE;
    m_styles[item].font = logFont;
    Invalidate();
    return TRUE;
}

BOOL CUXTreeCtrl::GetItemFont(HTREEITEM item, LOGFONTA* logFont) const
{
    auto it = m_styles.find(item);
    if (it == m_styles.end() || it->second.font.lfFaceName[0] == '\0' || logFont == nullptr)
        return FALSE;
    *logFont = it->second.font;
    return TRUE;
}

void CUXTreeCtrl::SetItemBold(HTREEITEM item, BOOL bold)
{
    SetItemStateEx(item, bold ? TVIS_BOLD : 0, TVIS_BOLD);
    Invalidate();
}

BOOL CUXTreeCtrl::GetItemBold(HTREEITEM item) const
{
    return (GetItemState(item, TVIS_BOLD) & TVIS_BOLD) != 0;
}

void CUXTreeCtrl::SetItemColor(HTREEITEM item, COLORREF color)
{
    if (item == nullptr)
        return;
    m_styles[item].color = color;
    Invalidate();
}

COLORREF CUXTreeCtrl::GetItemColor(HTREEITEM item) const
{
    auto it = m_styles.find(item);
    return it != m_styles.end() ? it->second.color : static_cast<COLORREF>(-1);
}

BOOL CUXTreeCtrl::OnDeleteItem(NMHDR* pNMHDR, LRESULT*)
{
    // The item part sits at the same place in the ANSI and the wide records.
    HTREEITEM item = reinterpret_cast<NMTREEVIEWA*>(pNMHDR)->itemOld.hItem;
    m_styles.erase(item);
    if (m_hAnchor == item)
        m_hAnchor = nullptr;
    return FALSE;
}

// ---- selection -----------------------------------------------------------------------------------------

BOOL CUXTreeCtrl::IsSelected(HTREEITEM item) const
{
    return item != nullptr && (GetItemState(item, TVIS_SELECTED) & TVIS_SELECTED) != 0;
}

BOOL CUXTreeCtrl::SetCaret(HTREEITEM item)
{
    return static_cast<BOOL>(SendMessage(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item)));
}

LRESULT CUXTreeCtrl::NotifyParent(NMHDR* header)
{
    header->hwndFrom = m_hWnd;
    header->idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    HWND parent = ::GetParent(m_hWnd);
    return parent != nullptr ? ::SendMessageA(parent, WM_NOTIFY, header->idFrom, reinterpret_cast<LPARAM>(header))
                             : 0;
}

LRESULT CUXTreeCtrl::NotifyItem(UINT code, HTREEITEM item, BOOL old, CPoint point)
{
    NMTREEVIEWA notify = {};
    notify.hdr.code = code;
    notify.action = TVC_UNKNOWN;
    TVITEMA& part = old ? notify.itemOld : notify.itemNew;
    part.mask = TVIF_HANDLE | TVIF_PARAM;
    part.hItem = item;
    part.lParam = static_cast<LPARAM>(GetItemData(item));
    notify.ptDrag = point;
    return NotifyParent(&notify.hdr);
}

BOOL CUXTreeCtrl::SetItemStateEx(HTREEITEM item, UINT state, UINT mask)
{
    if (item == nullptr)
        return FALSE;
    if (!m_bMultiSelect)
        return SetItemState(item, state, mask);
    HTREEITEM caret = GetSelectedItem();
    BOOL isCaret = item == caret;
    BOOL caretSelected = IsSelected(caret);
    BOOL itemSelected = IsSelected(item);
    UINT nativeState = state & ~kCaret;
    UINT nativeMask = mask & ~kCaret;

    if ((mask & kCaret) && (state & kCaret))
    {
        if (!isCaret && caretSelected)
        {
            // Moving the caret deselects the old one: it keeps its selection.
            SetCaret(nullptr);
            SetItemState(caret, TVIS_SELECTED, TVIS_SELECTED);
            UpdateWindow();
        }
        if (!SetCaret(item))
            return FALSE;
        if ((nativeMask & TVIS_SELECTED) && (nativeState & TVIS_SELECTED) && (!isCaret || caretSelected))
            nativeMask &= ~TVIS_SELECTED;   // the caret change selected it
        else if (!(nativeMask & TVIS_SELECTED) && !itemSelected)
        {
            nativeMask |= TVIS_SELECTED;   // undo the selection the caret change made
            nativeState &= ~TVIS_SELECTED;
        }
    }
    else if ((mask & kCaret) && isCaret)
    {
        SetCaret(nullptr);
        if (itemSelected)
        {
            // Removing the caret deselected it; any deselection asked for goes through the parent below.
            SetItemState(item, TVIS_SELECTED, TVIS_SELECTED);
            if ((nativeMask & TVIS_SELECTED) && (nativeState & TVIS_SELECTED))
                nativeMask &= ~TVIS_SELECTED;
        }
    }

    if ((nativeMask & TVIS_SELECTED) && ((nativeState & TVIS_SELECTED) != 0) == IsSelected(item))
        nativeMask &= ~TVIS_SELECTED;   // no change: nothing to ask or report
    if (nativeMask == 0)
        return TRUE;
    if (nativeMask & TVIS_SELECTED)
    {
        BOOL select = (nativeState & TVIS_SELECTED) != 0;
        if (NotifyItem(TVN_SELCHANGINGA, item, !select) != 0)
            return FALSE;
        SetItemState(item, select ? TVIS_SELECTED : 0, TVIS_SELECTED);
        NotifyItem(TVN_SELCHANGEDA, item, !select);
        nativeMask &= ~TVIS_SELECTED;
    }
    if (nativeMask != 0)
        SetItemState(item, nativeState, nativeMask);
    return TRUE;
}

UINT CUXTreeCtrl::GetItemStateEx(HTREEITEM item, UINT mask) const
{
    UINT state = GetItemState(item, mask & ~kCaret) & mask & ~kCaret;
    if ((mask & kCaret) && item != nullptr && item == GetSelectedItem())
        state |= kCaret;
    return state;
}

BOOL CUXTreeCtrl::SelectItem(HTREEITEM item)
{
    if (m_bMultiSelect)
        return SetItemStateEx(item, kCaret | TVIS_SELECTED, kCaret | TVIS_SELECTED);
    return CTreeCtrl::SelectItem(item);
}

HTREEITEM CUXTreeCtrl::GetFirstSelectedItem() const
{
    for (HTREEITEM item = GetRootItem(); item != nullptr; item = GetNextVisibleItem(item))
        if (IsSelected(item))
            return item;
    return nullptr;
}

HTREEITEM CUXTreeCtrl::GetNextSelectedItem(HTREEITEM item) const
{
    for (item = item != nullptr ? GetNextVisibleItem(item) : nullptr; item != nullptr;
         item = GetNextVisibleItem(item))
        if (IsSelected(item))
            return item;
    return nullptr;
}

HTREEITEM CUXTreeCtrl::GetPrevSelectedItem(HTREEITEM item) const
{
    for (item = item != nullptr ? GetPrevVisibleItem(item) : nullptr; item != nullptr;
         item = GetPrevVisibleItem(item))
        if (IsSelected(item))
            return item;
    return nullptr;
}

UINT CUXTreeCtrl::GetSelectedCount() const
{
    UINT count = 0;
    for (HTREEITEM item = GetFirstSelectedItem(); item != nullptr; item = GetNextSelectedItem(item))
        ++count;
    return count;
}

void CUXTreeCtrl::SelectAll(BOOL select)
{
    SetFocus();
    SelectAllItems(select, nullptr);
}

void CUXTreeCtrl::SelectAllItems(BOOL select, HTREEITEM except)
{
    for (HTREEITEM item = GetRootItem(); item != nullptr; item = GetNextVisibleItem(item))
        if (item != except)
            SetItemStateEx(item, select ? TVIS_SELECTED : 0, TVIS_SELECTED);
}

void CUXTreeCtrl::SelectRange(HTREEITEM first, HTREEITEM last, BOOL clearOthers)
{
    HTREEITEM end = nullptr;
    BOOL inside = FALSE, passed = FALSE;
    for (HTREEITEM item = GetRootItem(); item != nullptr; item = GetNextVisibleItem(item))
    {
        if (!inside && !passed && (item == first || item == last))
        {
            inside = TRUE;
            end = item == first ? last : first;
        }
        if (inside)
        {
            SetItemStateEx(item, TVIS_SELECTED, TVIS_SELECTED);
            if (item == end)
            {
                inside = FALSE;
                passed = TRUE;
            }
        }
        else if (clearOthers)
        {
            SetItemStateEx(item, 0, TVIS_SELECTED);
        }
    }
}

BOOL CUXTreeCtrl::SelectChildren(HTREEITEM parent, BOOL select, BOOL recurse)
{
    BOOL caretFound = FALSE;
    HTREEITEM caret = GetSelectedItem();
    for (HTREEITEM child = GetChildItem(parent); child != nullptr; child = GetNextSiblingItem(child))
    {
        if (child == caret)
            caretFound = TRUE;
        SetItemStateEx(child, select ? TVIS_SELECTED : 0, TVIS_SELECTED);
        if (recurse && (GetItemState(child, TVIS_EXPANDED) & TVIS_EXPANDED) && SelectChildren(child, select, TRUE))
            caretFound = TRUE;
    }
    return caretFound;
}

BOOL CUXTreeCtrl::EnableMultiSelect(BOOL on)
{
    BOOL previous = m_bMultiSelect;
    m_bMultiSelect = on;
    if (!on)
    {
        HTREEITEM caret = GetSelectedItem();
        for (HTREEITEM item = GetRootItem(); item != nullptr; item = GetNextItemDeep(item))
            if (item != caret && IsSelected(item))
                SetItemState(item, 0, TVIS_SELECTED);
        m_hAnchor = nullptr;
    }
    return previous;
}

BOOL CUXTreeCtrl::DeselectChildren(HTREEITEM parent, BOOL* caretFound)
{
    HTREEITEM caret = GetSelectedItem();
    for (HTREEITEM child = GetChildItem(parent); child != nullptr; child = GetNextSiblingItem(child))
    {
        if (child == caret)
            *caretFound = TRUE;
        SetItemStateEx(child, 0, TVIS_SELECTED);
        if (GetItemState(child, TVIS_EXPANDED) & TVIS_EXPANDED)
            DeselectChildren(child, caretFound);
    }
    return *caretFound;
}

BOOL CUXTreeCtrl::OnItemExpanding(NMHDR* pNMHDR, LRESULT*)
{
    if (!m_bMultiSelect)
        return FALSE;
    NMTREEVIEWA* notify = reinterpret_cast<NMTREEVIEWA*>(pNMHDR);
    UINT action = notify->action;
    if ((action & (TVE_COLLAPSE | TVE_EXPAND)) == TVE_COLLAPSE || (action & TVE_COLLAPSERESET))
    {
        // Hidden items do not stay selected.
        HTREEITEM item = notify->itemNew.hItem;
        BOOL caretFound = FALSE;
        DeselectChildren(item, &caretFound);
        if (caretFound && !IsSelected(item))
            SetCaret(nullptr);
    }
    return FALSE;   // never refused
}

// ---- mouse ---------------------------------------------------------------------------------------------

void CUXTreeCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (!m_bMultiSelect || OnButtonDown(TRUE, nFlags, point))
        Default();
}

BOOL CUXTreeCtrl::OnButtonDown(BOOL left, UINT flags, CPoint point)
{
    UINT hit = 0;
    HTREEITEM item = HitTest(point, &hit);
    if ((hit & TVHT_ONITEMBUTTON) || ((hit & TVHT_ONITEMSTATEICON) && (GetStyle() & TVS_CHECKBOXES)))
        return TRUE;
    if (item != nullptr && (hit & (TVHT_ONITEMICON | TVHT_ONITEMLABEL)))
    {
        PreSelectOnClick(item, left, flags);
        TrackClick(item, left, flags, point);
        // The click was handled to its end here: the tree's own handling would repeat it.
        return FALSE;
    }
    TrackRubberBand(flags, point);
    return TRUE;
}

void CUXTreeCtrl::PreSelectOnClick(HTREEITEM item, BOOL left, UINT flags)
{
    BOOL ctrl = (flags & MK_CONTROL) != 0, shift = (flags & MK_SHIFT) != 0;
    if (left && shift)
    {
        HTREEITEM anchor = m_hAnchor != nullptr ? m_hAnchor : GetSelectedItem();
        if (anchor == nullptr)
            anchor = item;
        m_hAnchor = anchor;   // further Shift-clicks reach from the same item
        SelectRange(anchor, item, !ctrl);
        SetItemStateEx(item, kCaret, kCaret);
    }
    else if (!left && shift)
    {
    }
    else if (ctrl)
    {
        // Left: the selection changes when the button comes up.
        m_hAnchor = left ? nullptr : item;
    }
    else if (!IsSelected(item))
    {
        SelectAllItems(FALSE, item);
        SetItemStateEx(item, kCaret | TVIS_SELECTED, kCaret | TVIS_SELECTED);
        m_hAnchor = nullptr;
    }
}

void CUXTreeCtrl::TrackClick(HTREEITEM item, BOOL left, UINT flags, CPoint point)
{
    m_bClickCompleted = 0;
    SetCapture();
    const int cxDrag = ::GetSystemMetrics(SM_CXDRAG), cyDrag = ::GetSystemMetrics(SM_CYDRAG);
    enum
    {
        kNone,
        kClick,
        kDrag
    } end = kNone;
    while (end == kNone && ::GetCapture() == m_hWnd)
    {
        MSG msg;
        if (!::GetMessageA(&msg, nullptr, 0, 0))
        {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        switch (msg.message)
        {
        case WM_MOUSEMOVE:
        {
            CPoint at = PointOf(msg.lParam);
            if (std::abs(at.x - point.x) > cxDrag || std::abs(at.y - point.y) > cyDrag)
                end = kDrag;
            break;
        }
        case WM_LBUTTONUP:
        case WM_RBUTTONUP: end = kClick; break;
        default:
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
            break;
        }
    }
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (end == kClick)
    {
        if (left && !(flags & MK_SHIFT))
        {
            if (flags & MK_CONTROL)
            {
                UINT selected = IsSelected(item) ? 0 : TVIS_SELECTED;
                SetItemStateEx(item, kCaret | selected, kCaret | TVIS_SELECTED);
            }
            else
            {
                SelectAllItems(FALSE, item);
                SetItemStateEx(item, kCaret | TVIS_SELECTED, kCaret | TVIS_SELECTED);
            }
        }
        SetFocus();
        NotifyItem(left ? NM_CLICK : NM_RCLICK, item, FALSE, point);
        m_bClickCompleted = 1;
    }
    else if (end == kDrag)
    {
        SetItemStateEx(item, kCaret | TVIS_SELECTED, kCaret | TVIS_SELECTED);
        if (!(GetStyle() & TVS_DISABLEDRAGDROP))
            NotifyItem(left ? TVN_BEGINDRAGA : TVN_BEGINRDRAGA, item, FALSE, point);
        m_bClickCompleted = 1;
    }
}

CPoint CUXTreeCtrl::ScrollOffset() const
{
    CRect root(0, 0, 0, 0);
    HTREEITEM first = GetRootItem();
    if (first != nullptr)
        GetItemRect(first, &root, FALSE);
    return CPoint(GetScrollPos(SB_HORZ), GetScrollPos(SB_VERT) * root.Height());
}

void CUXTreeCtrl::TrackRubberBand(UINT flags, CPoint point)
{
    SetFocus();
    SetCapture();
    BOOL ctrl = (flags & MK_CONTROL) != 0, shift = (flags & MK_SHIFT) != 0;
    std::vector<HTREEITEM> starting;
    std::vector<HTREEITEM>* pStarting = nullptr;
    if (ctrl || shift)
    {
        for (HTREEITEM item = GetRootItem(); item != nullptr; item = GetNextVisibleItem(item))
            if (IsSelected(item))
                starting.push_back(item);
        pStarting = &starting;
    }
    SetTimer(kBandTimer, 75);
    const int cxDrag = ::GetSystemMetrics(SM_CXDRAG), cyDrag = ::GetSystemMetrics(SM_CYDRAG);
    const CPoint corner = point + ScrollOffset();
    BOOL started = FALSE, drawn = FALSE;
    CRect band(0, 0, 0, 0);
    auto drawBand = [this](const CRect& rect)
    {
        CClientDC dc(this);
        dc.DrawFocusRect(&rect);
    };
    auto track = [&](CPoint at)
    {
        CPoint fixed = corner - ScrollOffset();
        if (!started)
        {
            if (std::abs(at.x - fixed.x) <= cxDrag && std::abs(at.y - fixed.y) <= cyDrag)
                return;
            started = TRUE;
            if (!ctrl && !shift)
                SelectAllItems(FALSE);
        }
        if (drawn)
        {
            drawBand(band);
            drawn = FALSE;
        }
        CRect client;
        GetClientRect(&client);
        if (at.y < client.top)
            SendMessage(WM_VSCROLL, SB_LINEUP);
        else if (at.y >= client.bottom)
            SendMessage(WM_VSCROLL, SB_LINEDOWN);
        if (at.x < client.left)
            SendMessage(WM_HSCROLL, SB_LINELEFT);
        else if (at.x >= client.right)
            SendMessage(WM_HSCROLL, SB_LINERIGHT);
        fixed = corner - ScrollOffset();
        band = CRect(fixed, at);
        band.NormalizeRect();
        SelectItemsInRect(band, flags, pStarting);
        drawBand(band);
        drawn = TRUE;
    };

    BOOL done = FALSE;
    while (!done && ::GetCapture() == m_hWnd)
    {
        MSG msg;
        if (!::GetMessageA(&msg, nullptr, 0, 0))
        {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        switch (msg.message)
        {
        case WM_KEYDOWN:
            if (msg.wParam == VK_ESCAPE)
            {
                SelectAllItems(FALSE);
                done = TRUE;
            }
            else
            {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
            break;
        case WM_TIMER:
            if (msg.hwnd == m_hWnd && msg.wParam == kBandTimer)
            {
                // Outside the window the pointer keeps the tree scrolling; inside, moves do the work.
                CPoint at;
                ::GetCursorPos(&at);
                ScreenToClient(&at);
                CRect client;
                GetClientRect(&client);
                if (!client.PtInRect(at))
                    track(at);
            }
            else
            {
                ::DispatchMessageA(&msg);
            }
            break;
        case WM_MOUSEMOVE: track(PointOf(msg.lParam)); break;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP: done = TRUE; break;
        default:
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
            break;
        }
    }
    KillTimer(kBandTimer);
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (drawn)
        drawBand(band);
    if (!started && !ctrl && !shift)
        SelectAllItems(FALSE);
}

void CUXTreeCtrl::SelectItemsInRect(CRect rect, UINT flags, std::vector<HTREEITEM>* starting)
{
    BOOL ctrl = (flags & MK_CONTROL) != 0, shift = (flags & MK_SHIFT) != 0;
    for (HTREEITEM item = GetRootItem(); item != nullptr; item = GetNextVisibleItem(item))
    {
        CRect itemRect, common;
        if (!GetItemRect(item, &itemRect, m_bTextOnlyRects))
            continue;
        BOOL inside = common.IntersectRect(&itemRect, &rect);
        BOOL selected = IsSelected(item);
        auto found = starting != nullptr ? std::find(starting->begin(), starting->end(), item)
                                         : std::vector<HTREEITEM>::iterator();
        BOOL inStarting = starting != nullptr && found != starting->end();
        if (inside)
        {
            if (selected || inStarting)
            {
                if (ctrl && inStarting)
                    SetItemStateEx(item, 0, TVIS_SELECTED);
                else if (shift && inStarting)
                    starting->erase(found);
            }
            else
            {
                SetItemStateEx(item, TVIS_SELECTED, TVIS_SELECTED);
            }
        }
        else if (inStarting)
        {
            SetItemStateEx(item, TVIS_SELECTED, TVIS_SELECTED);
        }
        else if (selected)
        {
            SetItemStateEx(item, 0, TVIS_SELECTED);
        }
    }
    UpdateWindow();
}

void CUXTreeCtrl::OnRButtonDown(UINT nFlags, CPoint point)
{
    if (!m_bMultiSelect)
    {
        CTreeCtrl::OnRButtonDown(nFlags, point);
        return;
    }
    UINT hit = 0;
    HTREEITEM item = HitTest(point, &hit);
    if (item == nullptr || !(hit & (TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMSTATEICON)))
    {
        SelectAllItems(FALSE);
    }
    else if (!IsSelected(item))
    {
        SelectAllItems(FALSE);
        SetItemStateEx(item, TVIS_SELECTED, TVIS_SELECTED);
    }
    NMTREEVIEWA notify = {};
    notify.hdr.hwndFrom = m_hWnd;
    notify.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    notify.hdr.code = NM_RCLICK;
    notify.itemNew.mask = TVIF_HANDLE | TVIF_PARAM;
    notify.itemNew.hItem = item;
    notify.itemNew.lParam = item != nullptr ? static_cast<LPARAM>(GetItemData(item)) : 0;
    notify.ptDrag = point;
    if (CWnd* owner = GetOwner())
        owner->SendMessage(WM_NOTIFY, notify.hdr.idFrom, reinterpret_cast<LPARAM>(&notify));
}

// ---- keyboard and focus --------------------------------------------------------------------------------

void CUXTreeCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (!m_bMultiSelect || (nChar != VK_UP && nChar != VK_DOWN))
    {
        CTreeCtrl::OnKeyDown(nChar, nRepCnt, nFlags);
        return;
    }
    HTREEITEM old = GetSelectedItem();
    if (m_hAnchor == nullptr)
        m_hAnchor = old;
    BOOL ctrl = ::GetKeyState(VK_CONTROL) < 0, shift = ::GetKeyState(VK_SHIFT) < 0;
    BOOL oldSelected = IsSelected(old);
    if (!ctrl && !shift)
    {
        m_hAnchor = nullptr;
        if (GetSelectedCount() > 1)
            SelectAllItems(FALSE);
        else if (old != nullptr)
            SetItemStateEx(old, kCaret | TVIS_SELECTED, kCaret | TVIS_SELECTED);
    }
    Default();
    if (old == nullptr || (!ctrl && !shift))
        return;
    HTREEITEM target = nChar == VK_UP ? GetPrevVisibleItem(old) : GetNextVisibleItem(old);
    if (target == nullptr)
        target = old;
    if (shift)
    {
        SelectRange(m_hAnchor, target, TRUE);
    }
    else
    {
        SetItemStateEx(target, kCaret, kCaret);
        if (IsSelected(old) != oldSelected)   // the tree's own caret move took it away
            SetItemState(old, oldSelected ? TVIS_SELECTED : 0, TVIS_SELECTED);
    }
}

void CUXTreeCtrl::InvalidateSelected()
{
    for (HTREEITEM item = GetFirstSelectedItem(); item != nullptr; item = GetNextSelectedItem(item))
    {
        CRect rect;
        if (GetItemRect(item, &rect, TRUE))
            InvalidateRect(&rect, FALSE);
    }
}

void CUXTreeCtrl::OnSetFocus(CWnd* pOldWnd)
{
    if (m_bMultiSelect)
        InvalidateSelected();
    CTreeCtrl::OnSetFocus(pOldWnd);
}

void CUXTreeCtrl::OnKillFocus(CWnd* pNewWnd)
{
    CTreeCtrl::OnKillFocus(pNewWnd);
    if (m_bMultiSelect)
        InvalidateSelected();
}

BOOL CUXTreeCtrl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* notify = reinterpret_cast<NMHDR*>(lParam);
    HWND tips = reinterpret_cast<HWND>(SendMessage(TVM_GETTOOLTIPS));
    if (notify->code == TTN_SHOW && tips != nullptr && notify->hwndFrom == tips)
        ::SetWindowPos(tips, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return CTreeCtrl::OnNotify(wParam, lParam, pResult);
}

// ---- painting ------------------------------------------------------------------------------------------

BOOL CUXTreeCtrl::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CUXTreeCtrl::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    CUXMemDC mem(&dc, client, uxAfxData.m_clrWindow);
    if (!mem.IsValid())
        return;
    DefWindowProc(WM_PAINT, reinterpret_cast<WPARAM>(mem.GetSafeHdc()), 0);
    if (m_styles.empty())
        return;

    // Items with a colour or font of their own are drawn again over what the tree drew.
    HTREEITEM caret = GetSelectedItem();
    BOOL focused = ::GetFocus() == m_hWnd;
    LOGFONTA treeFont = {};
    CFont* font = GetFont();
    if (font == nullptr || !font->GetLogFont(&treeFont))
        ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof(treeFont), &treeFont);
    mem.SetBkMode(TRANSPARENT);
    UINT count = GetVisibleCount() + 1;
    HTREEITEM item = GetFirstVisibleItem();
    for (UINT i = 0; item != nullptr && i < count; ++i, item = GetNextVisibleItem(item))
    {
        auto style = m_styles.find(item);
        CRect area;
        if (style == m_styles.end() || !GetItemRect(item, &area, TRUE))
            continue;
        area.OffsetRect(2, 0);
        mem.FillSolidRect(&area, uxAfxData.m_clrWindow);
        LOGFONTA logFont = style->second.font.lfFaceName[0] != '\0' ? style->second.font : treeFont;
        if (GetItemBold(item))
            logFont.lfWeight = FW_BOLD;
        CFont itemFont;
        if (!itemFont.CreateFontIndirect(&logFont))
            continue;
        CFont* oldFont = mem.SelectObject(&itemFont);
        CString label = GetItemText(item);
        CSize extent = mem.GetTextExtent(label);
        int middle = (area.top + area.bottom) / 2;
        area = CRect(area.left, middle - extent.cy / 2, area.left + extent.cx, middle - extent.cy / 2 + extent.cy);
        CRect highlight(area);
        highlight.InflateRect(2, 0);
        if (IsSelected(item))
        {
            mem.FillSolidRect(&highlight, uxAfxData.m_clrHilite);
            mem.SetTextColor(uxAfxData.m_clrHiliteText);
        }
        else
        {
            mem.FillSolidRect(&highlight, uxAfxData.m_clrWindow);
            COLORREF color = style->second.color;
            mem.SetTextColor(color != static_cast<COLORREF>(-1) ? color : uxAfxData.m_clrWindowText);
        }
        mem.DrawText(label, &area, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER);
        mem.SelectObject(oldFont);
        if (item == caret && focused)
            mem.DrawFocusRect(&highlight);
    }
}
