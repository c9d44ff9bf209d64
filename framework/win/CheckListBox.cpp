// CCheckListBox: per-item check state kept in records behind the list box's item data.
#include "framework/win/CheckListBox.h"

#include "framework/win/Framework.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CCheckListBox, CListBox)

BEGIN_MESSAGE_MAP(CCheckListBox, CListBox)
    ON_WM_LBUTTONDOWN()
    ON_WM_KEYDOWN()
END_MESSAGE_MAP()

CCheckListBox::~CCheckListBox()
{
    if (m_hWnd != nullptr)
        FreeAllStates();
    for (ItemState* state : m_states)
        delete state;
}

BOOL CCheckListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (!(dwStyle & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)))
        dwStyle |= LBS_OWNERDRAWFIXED;
    return CListBox::Create(dwStyle | LBS_HASSTRINGS, rect, pParentWnd, nID);
}

void CCheckListBox::SetCheckStyle(UINT nStyle)
{
    if (nStyle == BS_CHECKBOX || nStyle == BS_AUTOCHECKBOX || nStyle == BS_3STATE || nStyle == BS_AUTO3STATE)
        m_nStyle = nStyle;
}

CCheckListBox::ItemState* CCheckListBox::State(int nIndex, bool make) const
{
    CCheckListBox* self = const_cast<CCheckListBox*>(this);
    if (m_hWnd == nullptr || nIndex < 0)
        return nullptr;
    LRESULT raw = self->DefWindowProc(LB_GETITEMDATA, static_cast<WPARAM>(nIndex), 0);
    if (raw == LB_ERR)
        return nullptr;
    ItemState* state = reinterpret_cast<ItemState*>(raw);
    if (state != nullptr && m_states.count(state) != 0)
        return state;
    if (!make)
        return nullptr;
    ItemState* made = new ItemState;
    made->data = static_cast<DWORD_PTR>(raw);   // what the caller stored before
    m_states.insert(made);
    self->DefWindowProc(LB_SETITEMDATA, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(made));
    return made;
}

void CCheckListBox::FreeState(int nIndex)
{
    ItemState* state = State(nIndex, false);
    if (state == nullptr)
        return;
    // The list box hands the caller's own data to whoever hears of the item's deletion.
    DefWindowProc(LB_SETITEMDATA, static_cast<WPARAM>(nIndex), static_cast<LPARAM>(state->data));
    m_states.erase(state);
    delete state;
}

void CCheckListBox::FreeAllStates()
{
    int count = m_hWnd != nullptr ? static_cast<int>(DefWindowProc(LB_GETCOUNT, 0, 0)) : 0;
    for (int i = 0; i < count; ++i)
        FreeState(i);
}

LRESULT CCheckListBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case LB_GETITEMDATA:
    {
        LRESULT raw = DefWindowProc(LB_GETITEMDATA, wParam, 0);
        ItemState* state = reinterpret_cast<ItemState*>(raw);
        if (raw != LB_ERR && state != nullptr && m_states.count(state) != 0)
            return static_cast<LRESULT>(state->data);
        return raw;
    }
    case LB_SETITEMDATA:
    {
        ItemState* state = State(static_cast<int>(wParam), true);
        if (state == nullptr)
            return LB_ERR;
        state->data = static_cast<DWORD_PTR>(lParam);
        return 0;
    }
    case LB_DELETESTRING: FreeState(static_cast<int>(wParam)); break;
    case LB_RESETCONTENT:
    case WM_DESTROY: FreeAllStates(); break;
    default: break;
    }
    return CListBox::WindowProc(message, wParam, lParam);
}

void CCheckListBox::SetCheck(int nIndex, int nCheck)
{
    if (nCheck < 0 || nCheck > 2)
        return;
    if (ItemState* state = State(nIndex, true))
    {
        state->check = nCheck;
        InvalidateCheck(nIndex);
    }
}

int CCheckListBox::GetCheck(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        return -1;
    const ItemState* state = State(nIndex, false);
    return state != nullptr ? state->check : 0;
}

void CCheckListBox::Enable(int nIndex, BOOL bEnabled)
{
    if (ItemState* state = State(nIndex, true))
    {
        state->enabled = bEnabled;
        InvalidateCheck(nIndex);
    }
}

BOOL CCheckListBox::IsEnabled(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        return FALSE;
    const ItemState* state = State(nIndex, false);
    return state != nullptr ? state->enabled : TRUE;
}

int CCheckListBox::NextCheck(int nCheck) const
{
    int states = (m_nStyle == BS_AUTO3STATE || m_nStyle == BS_3STATE) ? 3 : 2;
    return (nCheck + 1) % states;
}

CSize CCheckListBox::GetCheckBoxSize()
{
    return CSize(13, 13);
}

void CCheckListBox::InvalidateCheck(int nIndex)
{
    CRect rect;
    if (m_hWnd != nullptr && GetItemRect(nIndex, &rect) != LB_ERR)
        InvalidateRect(&rect, FALSE);
}

BOOL CCheckListBox::ToggleCheck(int nIndex)
{
    if (!IsEnabled(nIndex) || (m_nStyle != BS_AUTOCHECKBOX && m_nStyle != BS_AUTO3STATE))
        return FALSE;
    SetCheck(nIndex, NextCheck(GetCheck(nIndex)));
    return TRUE;
}

void CCheckListBox::NotifyCheckChange()
{
    HWND parent = ::GetParent(m_hWnd);
    if (parent != nullptr)
        ::SendMessageA(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), CLBN_CHKCHANGE),
                       reinterpret_cast<LPARAM>(m_hWnd));
}

void CCheckListBox::OnLButtonDown(UINT nFlags, CPoint point)
{
    BOOL outside = TRUE;
    int item = static_cast<int>(ItemFromPoint(point, outside));
    CRect rect;
    bool inBox = !outside && GetItemRect(item, &rect) != LB_ERR && point.x < rect.left + GetCheckBoxSize().cx + 2;
    bool toggled = inBox && ToggleCheck(item);
    CListBox::OnLButtonDown(nFlags, point);
    if (toggled)
        NotifyCheckChange();
}

void CCheckListBox::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar != VK_SPACE)
    {
        CListBox::OnKeyDown(nChar, nRepCnt, nFlags);
        return;
    }
    bool toggled = false;
    if (GetStyle() & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL))
    {
        // Every selected item takes the state that follows the caret item's.
        int next = NextCheck(GetCheck(GetCaretIndex()));
        for (int i = 0; i < GetCount(); ++i)
            if (GetSel(i) > 0 && IsEnabled(i) && (m_nStyle == BS_AUTOCHECKBOX || m_nStyle == BS_AUTO3STATE))
            {
                SetCheck(i, next);
                toggled = true;
            }
    }
    else
        toggled = ToggleCheck(GetCaretIndex());
    if (toggled)
        NotifyCheckChange();
}

void CCheckListBox::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    CClientDC dc(this);
    CFont* font = GetFont();
    CFont* old = font != nullptr ? dc.SelectObject(font) : nullptr;
    TEXTMETRICA metrics = {};
    dc.GetTextMetrics(&metrics);
    if (old != nullptr)
        dc.SelectObject(old);
    lpMeasureItemStruct->itemHeight =
        static_cast<UINT>(std::max<LONG>(metrics.tmHeight, GetCheckBoxSize().cy + 2));
}

void CCheckListBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CDC* dc = CDC::FromHandle(lpDrawItemStruct->hDC);
    CRect rect = lpDrawItemStruct->rcItem;
    int item = static_cast<int>(lpDrawItemStruct->itemID);
    if (item < 0)
    {
        if (lpDrawItemStruct->itemState & ODS_FOCUS)
            dc->DrawFocusRect(&rect);
        return;
    }
    BOOL enabled = IsWindowEnabled() && IsEnabled(item);
    BOOL selected = (lpDrawItemStruct->itemState & ODS_SELECTED) != 0;
    dc->FillSolidRect(&rect, ::GetSysColor(COLOR_WINDOW));

    CSize box = GetCheckBoxSize();
    CRect boxRect(CPoint(rect.left + 1, rect.top + (rect.Height() - box.cy) / 2), box);
    UINT state = DFCS_BUTTONCHECK;
    int check = GetCheck(item);
    if (check == 1)
        state |= DFCS_CHECKED;
    else if (check == 2)
        state = DFCS_BUTTON3STATE | DFCS_CHECKED;
    if (!enabled)
        state |= DFCS_INACTIVE;
    dc->DrawFrameControl(&boxRect, DFC_BUTTON, state);

    CRect textRect = rect;
    textRect.left += box.cx + 3;
    if (selected && enabled)
        dc->FillSolidRect(&textRect, ::GetSysColor(COLOR_HIGHLIGHT));
    CString text;
    GetText(item, text);
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(::GetSysColor(!enabled ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    CRect inner = textRect;
    inner.left += 2;
    dc->DrawText(text, &inner, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (lpDrawItemStruct->itemState & ODS_FOCUS)
        dc->DrawFocusRect(&textRect);
}
