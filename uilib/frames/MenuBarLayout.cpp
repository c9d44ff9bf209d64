// CUXMenuBar: its rows or column of items and the sizes of the bar.
#include "uilib/frames/MenuBar.h"

#include "uilib/core/base/GlobalData.h"

#include <algorithm>

// ---- layout ----------------------------------------------------------------------------------------------

BOOL CUXMenuBar::IsVerticalLayout() const
{
    if (m_bInReBar || (m_dwStyle & CBRS_FLOATING))
        return FALSE;
    if (IsDockedVert())
        return TRUE;
    return !IsDockedHorz() && (m_dwStyle & CBRS_ORIENT_VERT) != 0 && !(m_dwStyle & CBRS_ORIENT_HORZ);
}

CSize CUXMenuBar::ItemSize(const CUXMenuBarItem* pItem, BOOL horizontal) const
{
    if (pItem->IsKindOf(RUNTIME_CLASS(CUXMenuBarTextItem)))
    {
        CSize size = static_cast<const CUXMenuBarTextItem*>(pItem)->m_size;
        return horizontal ? size : CSize(size.cy, size.cx);
    }
    return pItem->GetSize();
}

CUXMenuBar::Placement CUXMenuBar::ComputePlacement(int length, BOOL horizontal, BOOL pushButtons) const
{
    Placement placement;
    std::vector<int> visible;
    for (int i = 0; i < GetItemCount(); ++i)
        if (IsVisibleItem(i, kAllItems))
            visible.push_back(i);
    auto along = [&](int index)
    {
        CSize size = ItemSize(GetItem(index), horizontal);
        return horizontal ? size.cx : size.cy;
    };
    int thickness = uxAfxData.m_cyMenu;
    for (int index : visible)
    {
        CSize size = ItemSize(GetItem(index), horizontal);
        thickness = std::max<int>(thickness, horizontal ? size.cy : size.cx);
    }

    // Rows: items are added while the item, its gap and the next item fit; then the last item that may
    // wrap ends the row.
    std::vector<BOOL> wrap(visible.size(), FALSE);
    int run = 0;
    int lastWrappable = -1;
    for (size_t v = 0; v < visible.size(); ++v)
    {
        CUXMenuBarItem* item = GetItem(visible[v]);
        run += along(visible[v]) + item->GetGap();
        if (item->CanWrap())
            lastWrappable = static_cast<int>(v);
        if (v + 1 < visible.size() && run + along(visible[v + 1]) > length && lastWrappable >= 0)
        {
            wrap[static_cast<size_t>(lastWrappable)] = TRUE;
            run = 0;
            for (size_t after = static_cast<size_t>(lastWrappable) + 1; after <= v; ++after)
                run += along(visible[after]) + GetItem(visible[after])->GetGap();
            lastWrappable = -1;
        }
    }

    // Places, row by row.
    placement.rects.assign(static_cast<size_t>(GetItemCount()), CRect(0, 0, 0, 0));
    int row = 0;
    int at = 0;
    int longest = 0;
    std::vector<std::vector<int>> rows(1);
    for (size_t v = 0; v < visible.size(); ++v)
    {
        int index = visible[v];
        CSize size = ItemSize(GetItem(index), horizontal);
        int across = row * thickness + (thickness - (horizontal ? size.cy : size.cx)) / 2;
        CPoint pos = horizontal ? CPoint(at, across) : CPoint(across, at);
        placement.rects[static_cast<size_t>(index)] = CRect(pos, size);
        rows.back().push_back(index);
        at += along(index);
        longest = std::max(longest, at);
        at += GetItem(index)->GetGap();
        if (wrap[v] && v + 1 < visible.size())
        {
            ++row;
            at = 0;
            rows.emplace_back();
        }
    }
    placement.rows = row + 1;
    // The MDI buttons go to the end of their row.
    if (pushButtons && m_bRightAlignButtons && (horizontal || placement.rows > 1))
    {
        for (const std::vector<int>& items : rows)
        {
            if (items.empty())
                continue;
            const CRect& last = placement.rects[static_cast<size_t>(items.back())];
            int space = length - (horizontal ? last.right : last.bottom) - ::GetSystemMetrics(SM_CXEDGE);
            if (space <= 0)
                continue;
            for (int index : items)
                if (!IsMenuItem(index))
                    placement.rects[static_cast<size_t>(index)].OffsetRect(horizontal ? space : 0,
                                                                           horizontal ? 0 : space);
            longest = std::max(longest, length - ::GetSystemMetrics(SM_CXEDGE));
        }
    }
    placement.extent =
        horizontal ? CSize(longest, placement.rows * thickness) : CSize(placement.rows * thickness, longest);
    return placement;
}

void CUXMenuBar::PlaceItems()
{
    if (m_hWnd == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    BOOL horizontal = !IsVerticalLayout();
    Placement placement =
        ComputePlacement(horizontal ? client.Width() : client.Height(), horizontal, !(m_dwStyle & CBRS_FLOATING));
    BOOL moved = FALSE;
    for (int i = 0; i < GetItemCount(); ++i)
    {
        CPoint position = placement.rects[static_cast<size_t>(i)].TopLeft();
        moved = moved || GetItem(i)->m_ptPos != position;
        GetItem(i)->m_ptPos = position;
    }
    // An item that moved leaves its old place and needs its new one painted.
    if (moved)
        Invalidate(FALSE);
}

int CUXMenuBar::AvailableLength(BOOL horizontal) const
{
    if (m_nFixedLength >= 0)
        return m_nFixedLength;
    CRect client(0, 0, 0, 0);
    if (horizontal)
    {
        CFrameWnd* pFrame = GetTopLevelFrame();
        if (pFrame == nullptr)
            pFrame = m_pDockSite;
        if (pFrame != nullptr && pFrame->m_hWnd != nullptr)
            pFrame->GetClientRect(&client);
        return client.Width();
    }
    CWnd* pParent = GetParent();
    if (pParent != nullptr && pParent->IsKindOf(RUNTIME_CLASS(CDockBar)))
        pParent = pParent->GetParent();
    if (pParent != nullptr && pParent->m_hWnd != nullptr)
        pParent->GetClientRect(&client);
    return client.Height();
}

CSize CUXMenuBar::CalcLayout(DWORD dwMode, int nLength)
{
    BOOL horizontal = (dwMode & LM_HORZ) != 0;
    CRect inside(0, 0, 0, 0);
    CalcInsideRect(inside, horizontal);
    CSize insets(-inside.Width(), -inside.Height());
    CSize size;
    if (dwMode & (LM_HORZDOCK | LM_VERTDOCK | LM_STRETCH))
    {
        // Docked: the whole side, in as many rows as the items need.
        int length = AvailableLength(horizontal);
        int items = std::max<int>(0, length - (horizontal ? insets.cx : insets.cy));
        CSize extent = ComputePlacement(items, horizontal, TRUE).extent;
        size = horizontal ? CSize(length, extent.cy + insets.cy) : CSize(extent.cx + insets.cx, length);
    }
    else
    {
        // Floating: rows as wide as asked (the most recently used width by default).
        int width = nLength;
        if ((dwMode & LM_MRUWIDTH) || nLength < 0)
            width = m_nMRUWidth;
        if (dwMode & LM_LENGTHY)
        {
            // The narrowest width whose rows fit the height.
            int low = 1, high = std::max<int>(1, ComputePlacement(32767, TRUE, FALSE).extent.cx);
            while (low < high)
            {
                int middle = (low + high) / 2;
                if (ComputePlacement(middle, TRUE, FALSE).extent.cy + insets.cy <= nLength)
                    high = middle;
                else
                    low = middle + 1;
            }
            width = high + insets.cx;
        }
        CSize extent = ComputePlacement(std::max<int>(0, width - insets.cx), TRUE, FALSE).extent;
        size = extent + insets;
        if (dwMode & LM_COMMIT)
            m_nMRUWidth = size.cx;
    }
    return size;
}

CSize CUXMenuBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    return CalcLayout((bStretch ? LM_STRETCH : 0) | (bHorz ? LM_HORZ | LM_HORZDOCK : LM_VERTDOCK), -1);
}

CSize CUXMenuBar::CalcDynamicLayout(int nLength, DWORD dwMode)
{
    return CalcLayout(dwMode, nLength);
}

void CUXMenuBar::OnReBarNotify(LPARAM value, BOOL flag)
{
    const RECT* band = reinterpret_cast<const RECT*>(value);
    if (band == nullptr)
        return;
    m_nFixedLength = flag ? band->right - band->left : band->bottom - band->top;
    CalcLayout(flag ? LM_HORZ | LM_HORZDOCK : LM_VERTDOCK, -1);
    PlaceItems();
    Invalidate();
}
