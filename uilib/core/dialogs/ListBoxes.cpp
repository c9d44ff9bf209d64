#include "uilib/core/dialogs/ListBoxes.h"

#include "resources/uilib/UilibResources.h"
#include "uilib/core/base/GlobalData.h"
#include "uilib/core/base/LookPainters.h"
#include "uilib/core/base/MemDC.h"

#include <memory>

namespace
{

const COLORREF kDisabledText = RGB(128, 128, 128);
const int kGroupCell = 14;   // the caption bar's images

// The check-box images of the process: loaded on first use, freed at exit.
struct CheckImages
{
    HBITMAP bitmap = nullptr;
    CSize cell;
    CheckImages()
    {
        bitmap = LoadSysColorBitmap(uxAfxData.m_hResourceModule, IDB_UX_CHECK_BOXES);
        BITMAP info = {};
        if (bitmap != nullptr && ::GetObjectA(bitmap, sizeof(info), &info) != 0)
            cell = CSize(info.bmWidth / 3, info.bmHeight);
    }
    ~CheckImages()
    {
        if (bitmap != nullptr)
            ::DeleteObject(bitmap);
    }
};

}   // namespace

// ---- CUXCheckListBox -----------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CUXCheckListBox, CCheckListBox)

BEGIN_MESSAGE_MAP(CUXCheckListBox, CCheckListBox)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
END_MESSAGE_MAP()

HBITMAP CUXCheckListBox::GetCheckBitmap(CSize* cell)
{
    static CheckImages images;
    if (cell != nullptr)
        *cell = images.cell;
    return images.bitmap;
}

void CUXCheckListBox::PreSubclassWindow()
{
    CCheckListBox::PreSubclassWindow();
    // Items as high as the list's text (a list made from a template was measured before it was ours).
    MEASUREITEMSTRUCT measure = {};
    MeasureItem(&measure);
    if ((GetStyle() & LBS_OWNERDRAWFIXED) && ::IsWindow(m_hWnd))
        ::SendMessageA(m_hWnd, LB_SETITEMHEIGHT, 0, measure.itemHeight);
}

void CUXCheckListBox::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    CClientDC dc(this);
    CFont* font = m_hWnd != nullptr ? GetFont() : nullptr;
    CFont* old = dc.SelectObject(font != nullptr ? font : &uxAfxData.m_fontNormal);
    TEXTMETRICA metrics = {};
    dc.GetTextMetrics(&metrics);
    dc.SelectObject(old);
    lpMeasureItemStruct->itemHeight = static_cast<UINT>(metrics.tmHeight);
}

int CUXCheckListBox::CheckHitTest(CPoint point, BOOL anywhere) const
{
    CSize cell;
    GetCheckBitmap(&cell);
    CRect client;
    GetClientRect(&client);
    for (int i = GetTopIndex(); i >= 0 && i < GetCount(); ++i)
    {
        CRect item;
        if (GetItemRect(i, &item) == LB_ERR || item.top >= client.bottom)
            break;
        if (!item.PtInRect(point))
            continue;
        if (!IsEnabled(i))
            return -1;
        return anywhere || point.x < item.left + cell.cx + 2 ? i : -1;
    }
    return -1;
}

void CUXCheckListBox::ClickCheck(CPoint point, BOOL anywhere)
{
    int item = CheckHitTest(point, anywhere);
    if (item < 0)
    {
        Default();
        return;
    }
    UINT style = GetCheckStyle();
    if (style == BS_CHECKBOX || style == BS_3STATE)
        return;   // the owner decides: the click does nothing at all
    SetCheck(item, NextCheck(GetCheck(item)));
    CSize cell;
    GetCheckBitmap(&cell);
    CRect rect;
    GetItemRect(item, &rect);
    rect.right = rect.left + cell.cx + 2;
    InvalidateRect(&rect, FALSE);
    Default();
    NotifyCheckChange();
}

void CUXCheckListBox::OnLButtonDown(UINT, CPoint point)
{
    ClickCheck(point, FALSE);
}

void CUXCheckListBox::OnLButtonDblClk(UINT, CPoint point)
{
    ClickCheck(point, TRUE);
}

void CUXCheckListBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CDC* dc = CDC::FromHandle(lpDrawItemStruct->hDC);
    CRect rect = lpDrawItemStruct->rcItem;
    int item = static_cast<int>(lpDrawItemStruct->itemID);
    if (item < 0 || item >= GetCount())
        return;
    CSize cell;
    HBITMAP bitmap = GetCheckBitmap(&cell);

    // The check cell at the left edge, centred (one pixel lower) on the window colour.
    CRect checkArea(rect.left, rect.top, rect.left + cell.cx + 2, rect.bottom);
    dc->FillSolidRect(&checkArea, uxAfxData.m_clrWindow);
    int state = std::min(std::max(GetCheck(item), 0), 2);
    if (bitmap != nullptr)
    {
        CDC cells;
        cells.CreateCompatibleDC(dc);
        HGDIOBJ old = ::SelectObject(cells.GetSafeHdc(), bitmap);
        dc->BitBlt(rect.left, rect.top + (rect.Height() - cell.cy) / 2 + 1, cell.cx, cell.cy, &cells,
                   state * cell.cx, 0, SRCCOPY);
        ::SelectObject(cells.GetSafeHdc(), old);
    }

    CRect textRect = rect;
    textRect.left += cell.cx + 2;
    BOOL enabled = IsWindowEnabled() && IsEnabled(item);
    BOOL selected = (lpDrawItemStruct->itemState & ODS_SELECTED) != 0 && enabled;
    COLORREF back = selected ? uxAfxData.m_clrHilite : uxAfxData.m_clrWindow;
    COLORREF text = !enabled ? kDisabledText : selected ? uxAfxData.m_clrHiliteText : uxAfxData.m_clrWindowText;
    dc->FillSolidRect(&textRect, back);
    CString label;
    GetText(item, label);
    CFont* font = GetFont();
    CFont* oldFont = dc->SelectObject(font != nullptr ? font : &uxAfxData.m_fontNormal);
    dc->SetBkMode(TRANSPARENT);
    COLORREF oldColor = dc->SetTextColor(text);
    CRect inner = textRect;
    inner.left += 2;
    dc->DrawText(label, &inner, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    dc->SetTextColor(oldColor);
    dc->SelectObject(oldFont);
    if (lpDrawItemStruct->itemState & ODS_FOCUS)
        dc->DrawFocusRect(&textRect);
}

void CUXCheckListBox::OnPaint()
{
    UXPaintListOffscreen(this, uxAfxData.m_clrWindow);
}

BOOL CUXCheckListBox::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CUXCheckListBox::OnHScroll(UINT, UINT, CScrollBar*)
{
    UXScrollWithoutFlicker(this);
}

void CUXCheckListBox::OnVScroll(UINT, UINT, CScrollBar*)
{
    UXScrollWithoutFlicker(this);
}

// ---- CUXListBox ----------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CUXListBox, CListBox)

BEGIN_MESSAGE_MAP(CUXListBox, CListBox)
    ON_MESSAGE(UXM_FIRSTINIT, OnFirstInit)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
END_MESSAGE_MAP()

BOOL CUXListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    dwStyle &= ~static_cast<DWORD>(LBS_OWNERDRAWFIXED);
    return CListBox::Create(dwStyle | LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS, rect, pParentWnd, nID);
}

void CUXListBox::PreSubclassWindow()
{
    CListBox::PreSubclassWindow();
    if (m_bFirstInit)
        PostMessage(UXM_FIRSTINIT);
}

LRESULT CUXListBox::OnFirstInit(WPARAM, LPARAM)
{
    if (!m_bFirstInit)
        return 0;
    m_bFirstInit = 0;
    OnFirstInitialise();
    return 0;
}

void CUXListBox::OnFirstInitialise()
{
    ModifyStyle(0, LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS);
    if (m_bFont)
        SetFont(&uxAfxData.m_fontNormal);
}

COLORREF CUXListBox::BackgroundColor() const
{
    return IsWindowEnabled() ? uxAfxData.m_clrWindow : uxAfxData.m_clrBtnFace;
}

void CUXListBox::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    lpMeasureItemStruct->itemHeight = static_cast<UINT>(::GetSystemMetrics(SM_CYMENU) - 2);
}

void CUXListBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CDC* dc = CDC::FromHandle(lpDrawItemStruct->hDC);
    CRect rect = lpDrawItemStruct->rcItem;
    int item = static_cast<int>(lpDrawItemStruct->itemID);
    BOOL enabled = IsWindowEnabled();
    COLORREF back = BackgroundColor();
    COLORREF text = enabled ? uxAfxData.m_clrWindowText : uxAfxData.m_clrGrayText;
    if (lpDrawItemStruct->itemState & ODS_SELECTED)
    {
        back = enabled ? uxAfxData.m_clrHilite : uxAfxData.m_clrGrayText;
        text = uxAfxData.m_clrHiliteText;
    }
    dc->FillSolidRect(&rect, back);
    if (item >= 0 && item < GetCount())
    {
        CString label;
        GetText(item, label);
        CFont* font = GetFont();
        CFont* oldFont = dc->SelectObject(font != nullptr ? font : &uxAfxData.m_fontNormal);
        dc->SetBkMode(TRANSPARENT);
        COLORREF oldColor = dc->SetTextColor(text);
        CRect inner = rect;
        inner.left += 2;
        dc->DrawText(label, &inner, DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | DT_NOPREFIX);
        dc->SetTextColor(oldColor);
        dc->SelectObject(oldFont);
    }
    if (lpDrawItemStruct->itemState & ODS_FOCUS)
        dc->DrawFocusRect(&rect);
}

void CUXListBox::OnPaint()
{
    UXPaintListOffscreen(this, BackgroundColor());
}

BOOL CUXListBox::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CUXListBox::OnHScroll(UINT, UINT, CScrollBar*)
{
    UXScrollWithoutFlicker(this);
}

void CUXListBox::OnVScroll(UINT, UINT, CScrollBar*)
{
    UXScrollWithoutFlicker(this);
}

// ---- CUXEditGroup --------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CUXEditGroup, CStatic)

BEGIN_MESSAGE_MAP(CUXEditGroup, CStatic)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_ENABLE()
    ON_WM_SHOWWINDOW()
    ON_BN_CLICKED(IDC_UX_GROUP_NEW, OnNew)
    ON_BN_CLICKED(IDC_UX_GROUP_DELETE, OnDelete)
    ON_BN_CLICKED(IDC_UX_GROUP_UP, OnMoveUp)
    ON_BN_CLICKED(IDC_UX_GROUP_DOWN, OnMoveDown)
END_MESSAGE_MAP()

CUXEditGroup::CUXEditGroup() = default;

CUXEditGroup::~CUXEditGroup() = default;

BOOL CUXEditGroup::Create(CUXEditListBox* owner)
{
    m_pOwner = owner;
    if (m_hWnd == nullptr)
        return FALSE;
    if (m_images.GetSafeHandle() == nullptr)
        m_images.Attach(::ImageList_LoadImageA(uxAfxData.m_hResourceModule, MAKEINTRESOURCEA(IDB_UX_EDIT_GROUP),
                                               kGroupCell, 0, RGB(255, 0, 255), IMAGE_BITMAP,
                                               LR_CREATEDIBSECTION));
    m_toolTip.Create(this);
    m_toolTip.Activate(TRUE);
    const UINT ids[kButtons] = {IDC_UX_GROUP_NEW, IDC_UX_GROUP_DELETE, IDC_UX_GROUP_UP, IDC_UX_GROUP_DOWN};
    for (int i = 0; i < kButtons; ++i)
    {
        if (!m_buttons[i].Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW | BS_ICON | BS_CENTER | BS_VCENTER,
                                 CRect(0, 0, kButtonWidth, kHeight), this, ids[i]))
            return FALSE;
        m_hIcons[i] = m_images.GetSafeHandle() != nullptr ? m_images.ExtractIcon(i) : nullptr;
        m_buttons[i].SetIcon(kGroupCell, kGroupCell, m_hIcons[i], nullptr, FALSE);
        m_buttons[i].SetFont(&uxAfxData.m_fontNormal);
        CString tip;
        AfxLoadString(ids[i], tip, uxAfxData.m_hResourceModule);
        m_toolTip.AddTool(&m_buttons[i], tip);
    }
    SetFont(&uxAfxData.m_fontNormal);
    PositionButtons();
    return TRUE;
}

void CUXEditGroup::PositionButtons()
{
    CRect client;
    GetClientRect(&client);
    client.DeflateRect(1, 1);
    // From the right: Move Down, Move Up, Delete, New.
    int right = client.right;
    for (int i = kButtons - 1; i >= 0; --i)
    {
        m_rcButtons[i] = CRect(right - kButtonWidth, client.top, right, client.bottom);
        right -= kButtonWidth;
        if (m_buttons[i].m_hWnd != nullptr)
            m_buttons[i].SetWindowPos(nullptr, m_rcButtons[i].left, m_rcButtons[i].top, m_rcButtons[i].Width(),
                                      m_rcButtons[i].Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void CUXEditGroup::OnSize(UINT nType, int cx, int cy)
{
    CStatic::OnSize(nType, cx, cy);
    PositionButtons();
}

BOOL CUXEditGroup::PreTranslateMessage(MSG* pMsg)
{
    if (m_toolTip.m_hWnd != nullptr && pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST)
        m_toolTip.RelayEvent(pMsg);
    return CStatic::PreTranslateMessage(pMsg);
}

BOOL CUXEditGroup::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CUXEditGroup::OnPaint()
{
    CPaintDC paintDC(this);
    for (const CRect& button : m_rcButtons)
        paintDC.ExcludeClipRect(&button);
    CRect client;
    GetClientRect(&client);
    CUXMemDC dc(&paintDC, client, uxAfxData.m_clrBtnFace);
    DefWindowProc(WM_PAINT, reinterpret_cast<WPARAM>(dc.IsValid() ? dc.GetSafeHdc() : paintDC.GetSafeHdc()), 0);
}

void CUXEditGroup::OnEnable(BOOL bEnable)
{
    CStatic::OnEnable(bEnable);
    for (CUXButton& button : m_buttons)
        if (button.m_hWnd != nullptr)
            button.EnableWindow(bEnable);
}

void CUXEditGroup::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CStatic::OnShowWindow(bShow, nStatus);
    for (CUXButton& button : m_buttons)
        if (button.m_hWnd != nullptr)
            button.ShowWindow(bShow ? SW_SHOW : SW_HIDE);
}

void CUXEditGroup::TellOwner(UINT code)
{
    UXNotifyOwner(this, IDC_UX_EDIT_GROUP, code);
}

void CUXEditGroup::OnNew()
{
    TellOwner(UXN_ITEM_ADDED);
}

void CUXEditGroup::OnDelete()
{
    TellOwner(UXN_ITEM_DELETED);
}

void CUXEditGroup::OnMoveUp()
{
    TellOwner(UXN_ITEM_MOVED_UP);
}

void CUXEditGroup::OnMoveDown()
{
    TellOwner(UXN_ITEM_MOVED_DOWN);
}

// ---- CUXEditListBox ------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CUXEditListBox, CUXListBox)

BEGIN_MESSAGE_MAP(CUXEditListBox, CUXListBox)
    ON_CONTROL(UXN_ITEM_CHANGED, IDC_UX_ITEM_EDIT, OnEditEnded)
    ON_CONTROL(UXN_EDIT_CANCELLED, IDC_UX_ITEM_EDIT, OnEditEnded)
    ON_CONTROL(UXN_ITEM_ADDED, IDC_UX_EDIT_GROUP, OnGroupNew)
    ON_CONTROL(UXN_ITEM_DELETED, IDC_UX_EDIT_GROUP, OnGroupDelete)
    ON_CONTROL(UXN_ITEM_MOVED_UP, IDC_UX_EDIT_GROUP, OnGroupMoveUp)
    ON_CONTROL(UXN_ITEM_MOVED_DOWN, IDC_UX_EDIT_GROUP, OnGroupMoveDown)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_RBUTTONDOWN()
    ON_WM_RBUTTONDBLCLK()
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_ENABLE()
    ON_WM_SHOWWINDOW()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CUXEditListBox::CUXEditListBox()
{
    AfxLoadString(IDS_UX_DIRECTORIES, m_strCaption, uxAfxData.m_hResourceModule);
}

CUXEditListBox::~CUXEditListBox()
{
    DestroyEditor();
}

void CUXEditListBox::SetCaption(LPCSTR caption, int style)
{
    m_strCaption = caption != nullptr ? caption : "";
    m_nStyle = style;
    if (m_group.m_hWnd != nullptr)
        m_group.SetWindowText(m_strCaption);
}

void CUXEditListBox::SetCaption(UINT captionId, int style)
{
    CString caption;
    AfxLoadString(captionId, caption);
    SetCaption(caption, style);
}

void CUXEditListBox::OnFirstInitialise()
{
    CUXListBox::OnFirstInitialise();
    m_bFirstInitDone = 1;
    CWnd* parent = GetParent();
    if ((m_nStyle & kNoCaption) || parent == nullptr || m_group.m_hWnd != nullptr)
        return;
    DWORD style = WS_CHILD | WS_TABSTOP | SS_CENTERIMAGE | (GetStyle() & WS_VISIBLE);
    if (!m_group.CreateEx(WS_EX_STATICEDGE, "Static", m_strCaption, style, CRect(0, 0, 0, 0), parent,
                          IDC_UX_EDIT_GROUP))
        return;
    m_group.SetOwner(this);
    m_group.Create(this);
    m_group.EnableWindow(IsWindowEnabled());
    // The list's own rectangle again: it gives the bar its top.
    CRect rect;
    GetWindowRect(&rect);
    parent->ScreenToClient(&rect);
    SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                 SWP_FRAMECHANGED | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CUXEditListBox::OnWindowPosChanging(WINDOWPOS* lpwndpos)
{
    CUXListBox::OnWindowPosChanging(lpwndpos);
    if (m_group.m_hWnd == nullptr)
        return;
    if (!(lpwndpos->flags & SWP_NOMOVE))
        lpwndpos->y += CUXEditGroup::kHeight;
    if (!(lpwndpos->flags & SWP_NOSIZE))
        lpwndpos->cy -= CUXEditGroup::kHeight;
}

void CUXEditListBox::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    CUXListBox::OnWindowPosChanged(lpwndpos);
    if (m_group.m_hWnd == nullptr || GetParent() == nullptr)
        return;
    CRect rect;
    GetWindowRect(&rect);
    GetParent()->ScreenToClient(&rect);
    m_group.SetWindowPos(nullptr, rect.left, rect.top - CUXEditGroup::kHeight, rect.Width(), CUXEditGroup::kHeight,
                         SWP_NOZORDER | SWP_NOACTIVATE);
}

void CUXEditListBox::OnEnable(BOOL bEnable)
{
    CUXListBox::OnEnable(bEnable);
    if (m_group.m_hWnd != nullptr)
        m_group.EnableWindow(bEnable);
}

void CUXEditListBox::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CUXListBox::OnShowWindow(bShow, nStatus);
    if (m_group.m_hWnd != nullptr)
        m_group.ShowWindow(bShow ? SW_SHOW : SW_HIDE);
}

void CUXEditListBox::OnDestroy()
{
    DestroyEditor();
    // The bar is the list's sibling: it goes with the list.
    if (m_group.m_hWnd != nullptr)
        m_group.DestroyWindow();
    CUXListBox::OnDestroy();
}

void CUXEditListBox::Notify(UINT code)
{
    UXNotifyOwner(this, static_cast<UINT>(GetDlgCtrlID()), code);
}

void CUXEditListBox::EditItem(BOOL newItem)
{
    DestroyEditor();
    SetRedraw(FALSE);
    m_strEdit.Empty();
    int index = GetCurSel();
    if (newItem || index == LB_ERR)
    {
        index = AddString("");
        SetCurSel(index);
        m_bNewItem = 1;
    }
    else
    {
        m_bNewItem = 0;
        if (index < 0 || index >= GetCount())
        {
            SetCurSel(-1);
            SetRedraw(TRUE);
            return;
        }
        GetText(index, m_strEdit);
    }
    m_nEditIndex = index;
    SetRedraw(TRUE);
    Invalidate();

    CRect rect;
    GetItemRect(index, &rect);
    rect.DeflateRect(2, 0);
    rect.InflateRect(0, 2);
    auto editor =
        std::make_unique<CUXItemEdit>(this, rect, &m_strEdit, m_nStyle & CUXBrowseEdit::kBrowseMask, TRUE);
    if (editor->m_hWnd == nullptr)
    {
        editor.reset();   // never made: nothing else will end it
        if (m_bNewItem)
            DeleteString(static_cast<UINT>(index));
        m_bNewItem = 0;
        return;
    }
    if (!m_strFilter.IsEmpty())
        editor->SetDlgFilter(m_strFilter);
    m_pEditor = editor.release();   // its window deletes it
}

void CUXEditListBox::OnEditEnded()
{
    EndItemEdit();
}

void CUXEditListBox::EndItemEdit()
{
    if (m_pEditor == nullptr)
        return;
    m_pEditor = nullptr;   // it is on its way out and deletes itself
    if (m_bNewItem)
    {
        DeleteString(static_cast<UINT>(m_nEditIndex));
        if (!m_strEdit.IsEmpty())
        {
            m_nEditIndex = AddString(m_strEdit);
            Notify(UXN_ITEM_ADDED);
        }
        else
            Notify(UXN_EDIT_CANCELLED);
    }
    else
    {
        CString current;
        if (m_nEditIndex >= 0 && m_nEditIndex < GetCount())
            GetText(m_nEditIndex, current);
        if (m_nEditIndex >= 0 && m_nEditIndex < GetCount() && m_strEdit != current)
        {
            DWORD_PTR data = GetItemData(m_nEditIndex);
            DeleteString(static_cast<UINT>(m_nEditIndex));
            InsertString(m_nEditIndex, m_strEdit);
            SetItemData(m_nEditIndex, data);
            Notify(UXN_ITEM_CHANGED);
        }
        else
            Notify(UXN_EDIT_CANCELLED);
    }
    m_bNewItem = 0;
    SetCurSel(m_nEditIndex);
    SetFocus();
}

void CUXEditListBox::DestroyEditor()
{
    // The editor tells its end on the way out; the list hears it through EndItemEdit.
    if (m_pEditor != nullptr && m_pEditor->m_hWnd != nullptr)
        m_pEditor->DestroyWindow();
    m_pEditor = nullptr;
}

void CUXEditListBox::DeleteItem()
{
    Notify(UXN_ITEM_DELETING);
    int index = GetCurSel();
    if (index != LB_ERR)
    {
        DeleteString(static_cast<UINT>(index));
        int count = GetCount();
        SetCurSel(index < count ? index : count - 1);
    }
    SetFocus();
    Notify(UXN_ITEM_DELETED);
}

void CUXEditListBox::MoveItemUp()
{
    int index = GetCurSel();
    if (index > 0 && index < GetCount())
    {
        // The item above goes below.
        CString text;
        GetText(index - 1, text);
        DWORD_PTR data = GetItemData(index - 1);
        DeleteString(static_cast<UINT>(index - 1));
        InsertString(index, text);
        SetItemData(index, data);
        SetCurSel(index - 1);
    }
    SetFocus();
    Notify(UXN_ITEM_MOVED_UP);
}

void CUXEditListBox::MoveItemDown()
{
    int index = GetCurSel();
    if (index != LB_ERR && index < GetCount() - 1)
    {
        CString text;
        GetText(index, text);
        DWORD_PTR data = GetItemData(index);
        DeleteString(static_cast<UINT>(index));
        InsertString(index + 1, text);
        SetItemData(index + 1, data);
        SetCurSel(index + 1);
    }
    SetFocus();
    Notify(UXN_ITEM_MOVED_DOWN);
}

void CUXEditListBox::OnGroupNew()
{
    EditItem(TRUE);
}

void CUXEditListBox::OnGroupDelete()
{
    DeleteItem();
}

void CUXEditListBox::OnGroupMoveUp()
{
    MoveItemUp();
}

void CUXEditListBox::OnGroupMoveDown()
{
    MoveItemDown();
}

BOOL CUXEditListBox::PreTranslateMessage(MSG* pMsg)
{
    if (m_pEditor != nullptr && m_pEditor->m_hWnd != nullptr)
    {
        if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_TAB)
        {
            SetFocus();   // ends the edit
            return TRUE;
        }
        return m_pEditor->PreTranslateMessage(pMsg);
    }
    if (pMsg->hwnd == m_hWnd && GetCurSel() != LB_ERR)
    {
        if (pMsg->message == WM_KEYUP && pMsg->wParam == VK_DELETE)
        {
            DeleteItem();
            return TRUE;
        }
        if (pMsg->message == WM_KEYUP && pMsg->wParam == VK_INSERT)
        {
            EditItem(TRUE);
            return TRUE;
        }
        if (pMsg->message == WM_SYSKEYDOWN && (pMsg->wParam == VK_UP || pMsg->wParam == VK_DOWN))
        {
            if (pMsg->wParam == VK_UP)
                MoveItemUp();
            else
                MoveItemDown();
            return TRUE;
        }
    }
    return CUXListBox::PreTranslateMessage(pMsg);
}

void CUXEditListBox::OnLButtonDown(UINT nFlags, CPoint point)
{
    CUXListBox::OnLButtonDown(nFlags, point);
    int selected = GetCurSel();
    CRect item;
    if (selected != LB_ERR && GetItemRect(selected, &item) != LB_ERR && !item.PtInRect(point))
        SetCurSel(-1);
}

void CUXEditListBox::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    CUXListBox::OnLButtonDblClk(nFlags, point);
    EditItem(FALSE);
}

void CUXEditListBox::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    DestroyEditor();
    CUXListBox::OnNcLButtonDown(nHitTest, point);
}

void CUXEditListBox::OnRButtonDown(UINT nFlags, CPoint point)
{
    DestroyEditor();
    CUXListBox::OnRButtonDown(nFlags, point);
}

void CUXEditListBox::OnRButtonDblClk(UINT nFlags, CPoint point)
{
    DestroyEditor();
    CUXListBox::OnRButtonDblClk(nFlags, point);
}
