// Control wrappers.
#include "framework/win/Framework.h"

#define VX_SEND(msg, w, l) ::SendMessageA(m_hWnd, (msg), (WPARAM)(w), (LPARAM)(l))

static BOOL CreateControl(CWnd* pWnd, LPCSTR className, LPCSTR text, DWORD dwStyle, const RECT& rect,
                          CWnd* pParentWnd, UINT nID)
{
    AfxInitCommonControls();
    return pWnd->CreateEx(0, className, text, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

// ---- CStatic -----------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CStatic, CWnd)

BOOL CStatic::Create(LPCSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateControl(this, "STATIC", lpszText, dwStyle, rect, pParentWnd, nID);
}
HICON CStatic::SetIcon(HICON hIcon)
{
    return (HICON)VX_SEND(STM_SETICON, hIcon, 0);
}
HICON CStatic::GetIcon() const
{
    return (HICON)VX_SEND(STM_GETICON, 0, 0);
}
HBITMAP CStatic::SetBitmap(HBITMAP hBitmap)
{
    return (HBITMAP)VX_SEND(STM_SETIMAGE, IMAGE_BITMAP, hBitmap);
}
HBITMAP CStatic::GetBitmap() const
{
    return (HBITMAP)VX_SEND(STM_GETIMAGE, IMAGE_BITMAP, 0);
}
HCURSOR CStatic::SetCursor(HCURSOR hCursor)
{
    return (HCURSOR)VX_SEND(STM_SETIMAGE, IMAGE_CURSOR, hCursor);
}
HCURSOR CStatic::GetCursor()
{
    return (HCURSOR)VX_SEND(STM_GETIMAGE, IMAGE_CURSOR, 0);
}
void CStatic::DrawItem(LPDRAWITEMSTRUCT)
{
}
BOOL CStatic::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_DRAWITEM)
        return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    if (pResult != nullptr)
        *pResult = TRUE;
    return TRUE;
}

// ---- CButton -----------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CButton, CWnd)

BOOL CButton::Create(LPCSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateControl(this, "BUTTON", lpszCaption, dwStyle, rect, pParentWnd, nID);
}
int CButton::GetCheck() const
{
    return (int)VX_SEND(BM_GETCHECK, 0, 0);
}
void CButton::SetCheck(int nCheck)
{
    VX_SEND(BM_SETCHECK, nCheck, 0);
}
UINT CButton::GetState() const
{
    return (UINT)VX_SEND(BM_GETSTATE, 0, 0);
}
void CButton::SetState(BOOL bHighlight)
{
    VX_SEND(BM_SETSTATE, bHighlight, 0);
}
UINT CButton::GetButtonStyle() const
{
    return (UINT)::GetWindowLongA(m_hWnd, GWL_STYLE) & 0xFFFF;
}
void CButton::SetButtonStyle(UINT nStyle, BOOL bRedraw)
{
    VX_SEND(BM_SETSTYLE, nStyle, bRedraw);
}
HICON CButton::SetIcon(HICON hIcon)
{
    return (HICON)VX_SEND(BM_SETIMAGE, IMAGE_ICON, hIcon);
}
HICON CButton::GetIcon() const
{
    return (HICON)VX_SEND(BM_GETIMAGE, IMAGE_ICON, 0);
}
HBITMAP CButton::SetBitmap(HBITMAP hBitmap)
{
    return (HBITMAP)VX_SEND(BM_SETIMAGE, IMAGE_BITMAP, hBitmap);
}
HBITMAP CButton::GetBitmap() const
{
    return (HBITMAP)VX_SEND(BM_GETIMAGE, IMAGE_BITMAP, 0);
}
HCURSOR CButton::SetCursor(HCURSOR hCursor)
{
    return (HCURSOR)VX_SEND(BM_SETIMAGE, IMAGE_CURSOR, hCursor);
}
void CButton::DrawItem(LPDRAWITEMSTRUCT)
{
}
BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_DRAWITEM)
        return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    if (pResult != nullptr)
        *pResult = TRUE;
    return TRUE;
}

// ---- CBitmapButton -----------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CBitmapButton, CButton)

void CBitmapButton::PreSubclassWindow()
{
    // The button draws itself from its bitmaps whatever style its template gave it.
    DWORD style = GetStyle();
    if ((style & BS_TYPEMASK) != BS_OWNERDRAW)
        ::SetWindowLongA(m_hWnd, GWL_STYLE, static_cast<LONG>((style & ~BS_TYPEMASK) | BS_OWNERDRAW));
}

BOOL CBitmapButton::LoadBitmaps(LPCSTR lpszBitmapResource, LPCSTR lpszBitmapResourceSel,
                                LPCSTR lpszBitmapResourceFocus, LPCSTR lpszBitmapResourceDisabled)
{
    m_bitmap.DeleteObject();
    m_bitmapSel.DeleteObject();
    m_bitmapFocus.DeleteObject();
    m_bitmapDisabled.DeleteObject();
    if (lpszBitmapResource == nullptr || !m_bitmap.LoadBitmap(lpszBitmapResource))
        return FALSE;
    BOOL allLoaded = TRUE;
    if (lpszBitmapResourceSel != nullptr && !m_bitmapSel.LoadBitmap(lpszBitmapResourceSel))
        allLoaded = FALSE;
    if (lpszBitmapResourceFocus != nullptr && !m_bitmapFocus.LoadBitmap(lpszBitmapResourceFocus))
        allLoaded = FALSE;
    if (lpszBitmapResourceDisabled != nullptr && !m_bitmapDisabled.LoadBitmap(lpszBitmapResourceDisabled))
        allLoaded = FALSE;
    if (m_hWnd != nullptr)
        Invalidate();
    return allLoaded;
}

BOOL CBitmapButton::LoadBitmaps(UINT nIDBitmapResource, UINT nIDBitmapResourceSel, UINT nIDBitmapResourceFocus,
                                UINT nIDBitmapResourceDisabled)
{
    return LoadBitmaps(nIDBitmapResource ? MAKEINTRESOURCEA(nIDBitmapResource) : nullptr,
                       nIDBitmapResourceSel ? MAKEINTRESOURCEA(nIDBitmapResourceSel) : nullptr,
                       nIDBitmapResourceFocus ? MAKEINTRESOURCEA(nIDBitmapResourceFocus) : nullptr,
                       nIDBitmapResourceDisabled ? MAKEINTRESOURCEA(nIDBitmapResourceDisabled) : nullptr);
}

void CBitmapButton::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    if (lpDIS == nullptr || m_bitmap.m_hObject == nullptr)
        return;
    CBitmap* pBitmap = &m_bitmap;
    UINT state = lpDIS->itemState;
    if ((state & ODS_SELECTED) && m_bitmapSel.m_hObject != nullptr)
        pBitmap = &m_bitmapSel;
    else if ((state & ODS_FOCUS) && m_bitmapFocus.m_hObject != nullptr)
        pBitmap = &m_bitmapFocus;
    else if ((state & ODS_DISABLED) && m_bitmapDisabled.m_hObject != nullptr)
        pBitmap = &m_bitmapDisabled;

    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    CDC memDC;
    if (!memDC.CreateCompatibleDC(pDC))
        return;
    CBitmap* pOld = memDC.SelectObject(pBitmap);
    const RECT& rc = lpDIS->rcItem;
    pDC->BitBlt(rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, &memDC, 0, 0, SRCCOPY);
    memDC.SelectObject(pOld);
}

// ---- CEdit -------------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CEdit, CWnd)

BOOL CEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateControl(this, "EDIT", nullptr, dwStyle, rect, pParentWnd, nID);
}
BOOL CEdit::CanUndo() const
{
    return (BOOL)VX_SEND(EM_CANUNDO, 0, 0);
}
int CEdit::GetLineCount() const
{
    return (int)VX_SEND(EM_GETLINECOUNT, 0, 0);
}
BOOL CEdit::GetModify() const
{
    return (BOOL)VX_SEND(EM_GETMODIFY, 0, 0);
}
void CEdit::SetModify(BOOL bModified)
{
    VX_SEND(EM_SETMODIFY, bModified, 0);
}
void CEdit::GetRect(LPRECT lpRect) const
{
    VX_SEND(EM_GETRECT, 0, lpRect);
}
DWORD CEdit::GetSel() const
{
    return (DWORD)VX_SEND(EM_GETSEL, 0, 0);
}
void CEdit::GetSel(int& nStartChar, int& nEndChar) const
{
    DWORD start = 0, end = 0;
    VX_SEND(EM_GETSEL, &start, &end);
    nStartChar = (int)start;
    nEndChar = (int)end;
}
int CEdit::GetLine(int nIndex, LPSTR lpszBuffer, int nMaxLength) const
{
    if (lpszBuffer == nullptr || nMaxLength < 1)
        return 0;
    // The control reads the buffer's size from its first word: a buffer too small to hold it gets nothing.
    if (nMaxLength < static_cast<int>(sizeof(WORD)))
    {
        lpszBuffer[0] = '\0';
        return 0;
    }
    WORD size = static_cast<WORD>(nMaxLength > 0xFFFF ? 0xFFFF : nMaxLength);
    memcpy(lpszBuffer, &size, sizeof(size));
    return (int)VX_SEND(EM_GETLINE, nIndex, lpszBuffer);
}
void CEdit::EmptyUndoBuffer()
{
    VX_SEND(EM_EMPTYUNDOBUFFER, 0, 0);
}
int CEdit::LineFromChar(int nIndex) const
{
    return (int)VX_SEND(EM_LINEFROMCHAR, nIndex, 0);
}
int CEdit::LineIndex(int nLine) const
{
    return (int)VX_SEND(EM_LINEINDEX, nLine, 0);
}
int CEdit::LineLength(int nLine) const
{
    return (int)VX_SEND(EM_LINELENGTH, nLine, 0);
}
void CEdit::LineScroll(int nLines, int nChars)
{
    VX_SEND(EM_LINESCROLL, nChars, nLines);
}
void CEdit::ReplaceSel(LPCSTR lpszNewText, BOOL bCanUndo)
{
    VX_SEND(EM_REPLACESEL, bCanUndo, lpszNewText);
}
void CEdit::SetPasswordChar(char ch)
{
    VX_SEND(EM_SETPASSWORDCHAR, (BYTE)ch, 0);
}
void CEdit::SetRect(LPCRECT lpRect)
{
    VX_SEND(EM_SETRECT, 0, lpRect);
}
void CEdit::SetSel(DWORD dwSelection, BOOL bNoScroll)
{
    VX_SEND(EM_SETSEL, LOWORD(dwSelection), HIWORD(dwSelection));
    if (!bNoScroll)
        VX_SEND(EM_SCROLLCARET, 0, 0);
}
void CEdit::SetSel(int nStartChar, int nEndChar, BOOL bNoScroll)
{
    VX_SEND(EM_SETSEL, nStartChar, nEndChar);
    if (!bNoScroll)
        VX_SEND(EM_SCROLLCARET, 0, 0);
}
void CEdit::SetTabStops()
{
    VX_SEND(EM_SETTABSTOPS, 0, 0);
}
BOOL CEdit::SetTabStops(int cxEachStop)
{
    return (BOOL)VX_SEND(EM_SETTABSTOPS, 1, &cxEachStop);
}
BOOL CEdit::SetTabStops(int nTabStops, LPINT rgTabStops)
{
    return (BOOL)VX_SEND(EM_SETTABSTOPS, nTabStops, rgTabStops);
}
BOOL CEdit::Undo()
{
    return (BOOL)VX_SEND(EM_UNDO, 0, 0);
}
void CEdit::Clear()
{
    VX_SEND(WM_CLEAR, 0, 0);
}
void CEdit::Copy()
{
    VX_SEND(WM_COPY, 0, 0);
}
void CEdit::Cut()
{
    VX_SEND(WM_CUT, 0, 0);
}
void CEdit::Paste()
{
    VX_SEND(WM_PASTE, 0, 0);
}
BOOL CEdit::SetReadOnly(BOOL bReadOnly)
{
    return (BOOL)VX_SEND(EM_SETREADONLY, bReadOnly, 0);
}
void CEdit::LimitText(int nChars)
{
    VX_SEND(EM_LIMITTEXT, nChars, 0);
}
void CEdit::SetLimitText(UINT nMax)
{
    VX_SEND(EM_SETLIMITTEXT, nMax, 0);
}
UINT CEdit::GetLimitText() const
{
    return (UINT)VX_SEND(EM_GETLIMITTEXT, 0, 0);
}
void CEdit::SetMargins(UINT nLeft, UINT nRight)
{
    VX_SEND(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(nLeft, nRight));
}
DWORD CEdit::GetMargins() const
{
    return (DWORD)VX_SEND(EM_GETMARGINS, 0, 0);
}

// ---- owner-drawn list items (combo and list boxes) ---------------------------------------------------

template <class T>
static BOOL ListChildNotify(T* pCtrl, UINT message, LPARAM lParam, LRESULT* pResult)
{
    LRESULT result = TRUE;
    switch (message)
    {
    case WM_DRAWITEM: pCtrl->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)); break;
    case WM_MEASUREITEM: pCtrl->MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam)); break;
    case WM_COMPAREITEM: result = pCtrl->CompareItem(reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam)); break;
    case WM_DELETEITEM: pCtrl->DeleteItem(reinterpret_cast<LPDELETEITEMSTRUCT>(lParam)); break;
    default: return FALSE;
    }
    if (pResult != nullptr)
        *pResult = result;
    return TRUE;
}

// ---- CComboBox ---------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CComboBox, CWnd)

BOOL CComboBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateControl(this, "COMBOBOX", nullptr, dwStyle, rect, pParentWnd, nID);
}
int CComboBox::GetCount() const
{
    return (int)VX_SEND(CB_GETCOUNT, 0, 0);
}
int CComboBox::GetCurSel() const
{
    return (int)VX_SEND(CB_GETCURSEL, 0, 0);
}
int CComboBox::SetCurSel(int nSelect)
{
    return (int)VX_SEND(CB_SETCURSEL, nSelect, 0);
}
DWORD CComboBox::GetEditSel() const
{
    return (DWORD)VX_SEND(CB_GETEDITSEL, 0, 0);
}
BOOL CComboBox::LimitText(int nMaxChars)
{
    return (BOOL)VX_SEND(CB_LIMITTEXT, nMaxChars, 0);
}
BOOL CComboBox::SetEditSel(int nStartChar, int nEndChar)
{
    return (BOOL)VX_SEND(CB_SETEDITSEL, 0, MAKELONG(nStartChar, nEndChar));
}
DWORD_PTR CComboBox::GetItemData(int nIndex) const
{
    return (DWORD_PTR)VX_SEND(CB_GETITEMDATA, nIndex, 0);
}
int CComboBox::SetItemData(int nIndex, DWORD_PTR dwItemData)
{
    return (int)VX_SEND(CB_SETITEMDATA, nIndex, dwItemData);
}
void* CComboBox::GetItemDataPtr(int nIndex) const
{
    return (void*)VX_SEND(CB_GETITEMDATA, nIndex, 0);
}
int CComboBox::SetItemDataPtr(int nIndex, void* pData)
{
    return (int)VX_SEND(CB_SETITEMDATA, nIndex, pData);
}
int CComboBox::GetLBText(int nIndex, LPSTR lpszText) const
{
    return (int)VX_SEND(CB_GETLBTEXT, nIndex, lpszText);
}
void CComboBox::GetLBText(int nIndex, CString& rString) const
{
    rString.Empty();
    int length = GetLBTextLen(nIndex);
    if (length <= 0)
        return;
    char* buffer = rString.GetBuffer(length + 1);
    int got = (int)VX_SEND(CB_GETLBTEXT, nIndex, buffer);
    rString.ReleaseBuffer(got < 0 ? 0 : got);
}
int CComboBox::GetLBTextLen(int nIndex) const
{
    return (int)VX_SEND(CB_GETLBTEXTLEN, nIndex, 0);
}
int CComboBox::SetItemHeight(int nIndex, UINT cyItemHeight)
{
    return (int)VX_SEND(CB_SETITEMHEIGHT, nIndex, cyItemHeight);
}
int CComboBox::GetItemHeight(int nIndex) const
{
    return (int)VX_SEND(CB_GETITEMHEIGHT, nIndex, 0);
}
int CComboBox::SetDroppedWidth(UINT nWidth)
{
    return (int)VX_SEND(CB_SETDROPPEDWIDTH, nWidth, 0);
}
int CComboBox::GetDroppedWidth() const
{
    return (int)VX_SEND(CB_GETDROPPEDWIDTH, 0, 0);
}
void CComboBox::GetDroppedControlRect(LPRECT lprect) const
{
    VX_SEND(CB_GETDROPPEDCONTROLRECT, 0, lprect);
}
BOOL CComboBox::GetDroppedState() const
{
    return (BOOL)VX_SEND(CB_GETDROPPEDSTATE, 0, 0);
}
void CComboBox::ShowDropDown(BOOL bShowIt)
{
    VX_SEND(CB_SHOWDROPDOWN, bShowIt, 0);
}
int CComboBox::GetTopIndex() const
{
    return (int)VX_SEND(CB_GETTOPINDEX, 0, 0);
}
int CComboBox::SetTopIndex(int nIndex)
{
    return (int)VX_SEND(CB_SETTOPINDEX, nIndex, 0);
}
int CComboBox::AddString(LPCSTR lpszString)
{
    return (int)VX_SEND(CB_ADDSTRING, 0, lpszString);
}
int CComboBox::DeleteString(UINT nIndex)
{
    return (int)VX_SEND(CB_DELETESTRING, nIndex, 0);
}
int CComboBox::InsertString(int nIndex, LPCSTR lpszString)
{
    return (int)VX_SEND(CB_INSERTSTRING, nIndex, lpszString);
}
void CComboBox::ResetContent()
{
    VX_SEND(CB_RESETCONTENT, 0, 0);
}
int CComboBox::FindString(int nStartAfter, LPCSTR lpszString) const
{
    return (int)VX_SEND(CB_FINDSTRING, nStartAfter, lpszString);
}
int CComboBox::FindStringExact(int nIndexStart, LPCSTR lpszFind) const
{
    return (int)VX_SEND(CB_FINDSTRINGEXACT, nIndexStart, lpszFind);
}
int CComboBox::SelectString(int nStartAfter, LPCSTR lpszString)
{
    return (int)VX_SEND(CB_SELECTSTRING, nStartAfter, lpszString);
}
void CComboBox::Clear()
{
    VX_SEND(WM_CLEAR, 0, 0);
}
void CComboBox::Copy()
{
    VX_SEND(WM_COPY, 0, 0);
}
void CComboBox::Cut()
{
    VX_SEND(WM_CUT, 0, 0);
}
void CComboBox::Paste()
{
    VX_SEND(WM_PASTE, 0, 0);
}
void CComboBox::DrawItem(LPDRAWITEMSTRUCT)
{
}
void CComboBox::MeasureItem(LPMEASUREITEMSTRUCT)
{
}
int CComboBox::CompareItem(LPCOMPAREITEMSTRUCT)
{
    return 0;
}
void CComboBox::DeleteItem(LPDELETEITEMSTRUCT)
{
}
BOOL CComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (ListChildNotify(this, message, lParam, pResult))
        return TRUE;
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

// ---- CListBox ----------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CListBox, CWnd)

BOOL CListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateControl(this, "LISTBOX", nullptr, dwStyle, rect, pParentWnd, nID);
}
int CListBox::GetCount() const
{
    return (int)VX_SEND(LB_GETCOUNT, 0, 0);
}
int CListBox::GetHorizontalExtent() const
{
    return (int)VX_SEND(LB_GETHORIZONTALEXTENT, 0, 0);
}
void CListBox::SetHorizontalExtent(int cxExtent)
{
    VX_SEND(LB_SETHORIZONTALEXTENT, cxExtent, 0);
}
int CListBox::GetTopIndex() const
{
    return (int)VX_SEND(LB_GETTOPINDEX, 0, 0);
}
int CListBox::SetTopIndex(int nIndex)
{
    return (int)VX_SEND(LB_SETTOPINDEX, nIndex, 0);
}
DWORD_PTR CListBox::GetItemData(int nIndex) const
{
    return (DWORD_PTR)VX_SEND(LB_GETITEMDATA, nIndex, 0);
}
int CListBox::SetItemData(int nIndex, DWORD_PTR dwItemData)
{
    return (int)VX_SEND(LB_SETITEMDATA, nIndex, dwItemData);
}
void* CListBox::GetItemDataPtr(int nIndex) const
{
    return (void*)VX_SEND(LB_GETITEMDATA, nIndex, 0);
}
int CListBox::SetItemDataPtr(int nIndex, void* pData)
{
    return (int)VX_SEND(LB_SETITEMDATA, nIndex, pData);
}
int CListBox::GetItemRect(int nIndex, LPRECT lpRect) const
{
    return (int)VX_SEND(LB_GETITEMRECT, nIndex, lpRect);
}
int CListBox::GetSel(int nIndex) const
{
    return (int)VX_SEND(LB_GETSEL, nIndex, 0);
}
int CListBox::GetText(int nIndex, LPSTR lpszBuffer) const
{
    return (int)VX_SEND(LB_GETTEXT, nIndex, lpszBuffer);
}
void CListBox::GetText(int nIndex, CString& rString) const
{
    rString.Empty();
    int length = GetTextLen(nIndex);
    if (length <= 0)
        return;
    char* buffer = rString.GetBuffer(length + 1);
    int got = (int)VX_SEND(LB_GETTEXT, nIndex, buffer);
    rString.ReleaseBuffer(got < 0 ? 0 : got);
}
int CListBox::GetTextLen(int nIndex) const
{
    return (int)VX_SEND(LB_GETTEXTLEN, nIndex, 0);
}
void CListBox::SetColumnWidth(int cxWidth)
{
    VX_SEND(LB_SETCOLUMNWIDTH, cxWidth, 0);
}
BOOL CListBox::SetTabStops(int nTabStops, LPINT rgTabStops)
{
    return (BOOL)VX_SEND(LB_SETTABSTOPS, nTabStops, rgTabStops);
}
int CListBox::SetItemHeight(int nIndex, UINT cyItemHeight)
{
    return (int)VX_SEND(LB_SETITEMHEIGHT, nIndex, MAKELONG(cyItemHeight, 0));
}
int CListBox::GetItemHeight(int nIndex) const
{
    return (int)VX_SEND(LB_GETITEMHEIGHT, nIndex, 0);
}
int CListBox::GetCaretIndex() const
{
    return (int)VX_SEND(LB_GETCARETINDEX, 0, 0);
}
int CListBox::SetCaretIndex(int nIndex, BOOL bScroll)
{
    return (int)VX_SEND(LB_SETCARETINDEX, nIndex, MAKELONG(bScroll, 0));
}
int CListBox::GetCurSel() const
{
    return (int)VX_SEND(LB_GETCURSEL, 0, 0);
}
int CListBox::SetCurSel(int nSelect)
{
    return (int)VX_SEND(LB_SETCURSEL, nSelect, 0);
}
int CListBox::SetSel(int nIndex, BOOL bSelect)
{
    return (int)VX_SEND(LB_SETSEL, bSelect, nIndex);
}
int CListBox::GetSelCount() const
{
    return (int)VX_SEND(LB_GETSELCOUNT, 0, 0);
}
int CListBox::GetSelItems(int nMaxItems, LPINT rgIndex) const
{
    return (int)VX_SEND(LB_GETSELITEMS, nMaxItems, rgIndex);
}
int CListBox::AddString(LPCSTR lpszItem)
{
    return (int)VX_SEND(LB_ADDSTRING, 0, lpszItem);
}
int CListBox::DeleteString(UINT nIndex)
{
    return (int)VX_SEND(LB_DELETESTRING, nIndex, 0);
}
int CListBox::InsertString(int nIndex, LPCSTR lpszItem)
{
    return (int)VX_SEND(LB_INSERTSTRING, nIndex, lpszItem);
}
void CListBox::ResetContent()
{
    VX_SEND(LB_RESETCONTENT, 0, 0);
}
int CListBox::FindString(int nStartAfter, LPCSTR lpszItem) const
{
    return (int)VX_SEND(LB_FINDSTRING, nStartAfter, lpszItem);
}
int CListBox::FindStringExact(int nIndexStart, LPCSTR lpszFind) const
{
    return (int)VX_SEND(LB_FINDSTRINGEXACT, nIndexStart, lpszFind);
}
int CListBox::SelectString(int nStartAfter, LPCSTR lpszItem)
{
    return (int)VX_SEND(LB_SELECTSTRING, nStartAfter, lpszItem);
}
UINT CListBox::ItemFromPoint(CPoint pt, BOOL& bOutside) const
{
    DWORD result = (DWORD)VX_SEND(LB_ITEMFROMPOINT, 0, MAKELONG(pt.x, pt.y));
    bOutside = HIWORD(result) != 0;
    return LOWORD(result);
}
void CListBox::DrawItem(LPDRAWITEMSTRUCT)
{
}
void CListBox::MeasureItem(LPMEASUREITEMSTRUCT)
{
}
int CListBox::CompareItem(LPCOMPAREITEMSTRUCT)
{
    return 0;
}
void CListBox::DeleteItem(LPDELETEITEMSTRUCT)
{
}
BOOL CListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (ListChildNotify(this, message, lParam, pResult))
        return TRUE;
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

// ---- CScrollBar --------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CScrollBar, CWnd)

BOOL CScrollBar::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateControl(this, "SCROLLBAR", nullptr, dwStyle, rect, pParentWnd, nID);
}
int CScrollBar::GetScrollPos() const
{
    return ::GetScrollPos(m_hWnd, SB_CTL);
}
int CScrollBar::SetScrollPos(int nPos, BOOL bRedraw)
{
    return ::SetScrollPos(m_hWnd, SB_CTL, nPos, bRedraw);
}
void CScrollBar::GetScrollRange(LPINT lpMinPos, LPINT lpMaxPos) const
{
    ::GetScrollRange(m_hWnd, SB_CTL, lpMinPos, lpMaxPos);
}
void CScrollBar::SetScrollRange(int nMinPos, int nMaxPos, BOOL bRedraw)
{
    ::SetScrollRange(m_hWnd, SB_CTL, nMinPos, nMaxPos, bRedraw);
}
void CScrollBar::ShowScrollBar(BOOL bShow)
{
    ::ShowScrollBar(m_hWnd, SB_CTL, bShow);
}
BOOL CScrollBar::EnableScrollBar(UINT nArrowFlags)
{
    return ::EnableScrollBar(m_hWnd, SB_CTL, nArrowFlags);
}
BOOL CScrollBar::SetScrollInfo(LPSCROLLINFO lpScrollInfo, BOOL bRedraw)
{
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    ::SetScrollInfo(m_hWnd, SB_CTL, lpScrollInfo, bRedraw);
    return TRUE;
}
BOOL CScrollBar::GetScrollInfo(LPSCROLLINFO lpScrollInfo, UINT nMask)
{
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    lpScrollInfo->fMask = nMask;
    return ::GetScrollInfo(m_hWnd, SB_CTL, lpScrollInfo);
}

// ---- CSliderCtrl -------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CSliderCtrl, CWnd)

BOOL CSliderCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateControl(this, TRACKBAR_CLASSA, nullptr, dwStyle, rect, pParentWnd, nID);
}
int CSliderCtrl::GetLineSize() const
{
    return (int)VX_SEND(TBM_GETLINESIZE, 0, 0);
}
int CSliderCtrl::SetLineSize(int nSize)
{
    return (int)VX_SEND(TBM_SETLINESIZE, 0, nSize);
}
int CSliderCtrl::GetPageSize() const
{
    return (int)VX_SEND(TBM_GETPAGESIZE, 0, 0);
}
int CSliderCtrl::SetPageSize(int nSize)
{
    return (int)VX_SEND(TBM_SETPAGESIZE, 0, nSize);
}
int CSliderCtrl::GetRangeMax() const
{
    return (int)VX_SEND(TBM_GETRANGEMAX, 0, 0);
}
int CSliderCtrl::GetRangeMin() const
{
    return (int)VX_SEND(TBM_GETRANGEMIN, 0, 0);
}
void CSliderCtrl::GetRange(int& nMin, int& nMax) const
{
    nMin = GetRangeMin();
    nMax = GetRangeMax();
}
void CSliderCtrl::SetRangeMin(int nMin, BOOL bRedraw)
{
    VX_SEND(TBM_SETRANGEMIN, bRedraw, nMin);
}
void CSliderCtrl::SetRangeMax(int nMax, BOOL bRedraw)
{
    VX_SEND(TBM_SETRANGEMAX, bRedraw, nMax);
}
void CSliderCtrl::SetRange(int nMin, int nMax, BOOL bRedraw)
{
    VX_SEND(TBM_SETRANGEMIN, FALSE, nMin);
    VX_SEND(TBM_SETRANGEMAX, bRedraw, nMax);
}
void CSliderCtrl::GetSelection(int& nMin, int& nMax) const
{
    nMin = (int)VX_SEND(TBM_GETSELSTART, 0, 0);
    nMax = (int)VX_SEND(TBM_GETSELEND, 0, 0);
}
void CSliderCtrl::SetSelection(int nMin, int nMax)
{
    VX_SEND(TBM_SETSEL, TRUE, MAKELONG(nMin, nMax));
}
void CSliderCtrl::GetChannelRect(LPRECT lprc) const
{
    VX_SEND(TBM_GETCHANNELRECT, 0, lprc);
}
void CSliderCtrl::GetThumbRect(LPRECT lprc) const
{
    VX_SEND(TBM_GETTHUMBRECT, 0, lprc);
}
int CSliderCtrl::GetPos() const
{
    return (int)VX_SEND(TBM_GETPOS, 0, 0);
}
void CSliderCtrl::SetPos(int nPos)
{
    VX_SEND(TBM_SETPOS, TRUE, nPos);
}
UINT CSliderCtrl::GetNumTics() const
{
    return (UINT)VX_SEND(TBM_GETNUMTICS, 0, 0);
}
int CSliderCtrl::GetTic(int nTic) const
{
    return (int)VX_SEND(TBM_GETTIC, nTic, 0);
}
BOOL CSliderCtrl::SetTic(int nTic)
{
    return (BOOL)VX_SEND(TBM_SETTIC, 0, nTic);
}
void CSliderCtrl::SetTicFreq(int nFreq)
{
    VX_SEND(TBM_SETTICFREQ, nFreq, 0);
}
void CSliderCtrl::ClearSel(BOOL bRedraw)
{
    VX_SEND(TBM_CLEARSEL, bRedraw, 0);
}
void CSliderCtrl::ClearTics(BOOL bRedraw)
{
    VX_SEND(TBM_CLEARTICS, bRedraw, 0);
}

// ---- CSpinButtonCtrl ---------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CSpinButtonCtrl, CWnd)

BOOL CSpinButtonCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateControl(this, UPDOWN_CLASSA, nullptr, dwStyle, rect, pParentWnd, nID);
}
BOOL CSpinButtonCtrl::SetAccel(int nAccel, UDACCEL* pAccel)
{
    return (BOOL)VX_SEND(UDM_SETACCEL, nAccel, pAccel);
}
UINT CSpinButtonCtrl::GetAccel(int nAccel, UDACCEL* pAccel) const
{
    return (UINT)VX_SEND(UDM_GETACCEL, nAccel, pAccel);
}
int CSpinButtonCtrl::SetBase(int nBase)
{
    return (int)VX_SEND(UDM_SETBASE, nBase, 0);
}
UINT CSpinButtonCtrl::GetBase() const
{
    return (UINT)VX_SEND(UDM_GETBASE, 0, 0);
}
CWnd* CSpinButtonCtrl::SetBuddy(CWnd* pWndBuddy)
{
    return CWnd::FromHandle((HWND)VX_SEND(UDM_SETBUDDY, AfxGetSafeHwnd(pWndBuddy), 0));
}
CWnd* CSpinButtonCtrl::GetBuddy() const
{
    return CWnd::FromHandle((HWND)VX_SEND(UDM_GETBUDDY, 0, 0));
}
int CSpinButtonCtrl::SetPos(int nPos)
{
    return (int)(short)LOWORD(VX_SEND(UDM_SETPOS, 0, MAKELONG((short)nPos, 0)));
}
int CSpinButtonCtrl::GetPos() const
{
    return (int)VX_SEND(UDM_GETPOS, 0, 0);
}
void CSpinButtonCtrl::SetRange(short nLower, short nUpper)
{
    VX_SEND(UDM_SETRANGE, 0, MAKELONG(nUpper, nLower));
}
void CSpinButtonCtrl::SetRange32(int nLower, int nUpper)
{
    VX_SEND(UDM_SETRANGE32, nLower, nUpper);
}
DWORD CSpinButtonCtrl::GetRange() const
{
    return (DWORD)VX_SEND(UDM_GETRANGE, 0, 0);
}
void CSpinButtonCtrl::GetRange(int& lower, int& upper) const
{
    DWORD range = GetRange();
    lower = (int)(short)HIWORD(range);
    upper = (int)(short)LOWORD(range);
}
void CSpinButtonCtrl::GetRange32(int& lower, int& upper) const
{
    VX_SEND(UDM_GETRANGE32, &lower, &upper);
}

// ---- CToolTipCtrl ------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle)
{
    AfxInitCommonControls();
    return CreateEx(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | dwStyle, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                    CW_USEDEFAULT, AfxGetSafeHwnd(pParentWnd), nullptr, nullptr);
}

void CToolTipCtrl::FillInToolInfo(TOOLINFOA& ti, CWnd* pWnd, UINT_PTR nIDTool) const
{
    memset(&ti, 0, sizeof(ti));
    ti.cbSize = sizeof(ti);
    HWND hWnd = AfxGetSafeHwnd(pWnd);
    if (nIDTool == 0)
    {
        ti.hwnd = ::GetParent(hWnd);
        ti.uFlags = TTF_IDISHWND;
        ti.uId = reinterpret_cast<UINT_PTR>(hWnd);
    }
    else
    {
        ti.hwnd = hWnd;
        ti.uId = nIDTool;
    }
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCSTR lpszText, LPCRECT lpRectTool, UINT_PTR nIDTool)
{
    if (pWnd == nullptr || pWnd->m_hWnd == nullptr)
        return FALSE;
    TOOLINFOA ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    if (lpRectTool != nullptr)
        ti.rect = *lpRectTool;
    else if (nIDTool != 0)
        ::GetClientRect(pWnd->m_hWnd, &ti.rect);
    if (nIDTool == 0)
        ti.uFlags |= TTF_SUBCLASS;
    ti.hinst = AfxGetResourceHandle();
    ti.lpszText = const_cast<LPSTR>(lpszText);
    return (BOOL)VX_SEND(TTM_ADDTOOLA, 0, &ti);
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool, UINT_PTR nIDTool)
{
    CString text;
    AfxLoadString(nIDText, text);
    return AddTool(pWnd, text, lpRectTool, nIDTool);
}

void CToolTipCtrl::DelTool(CWnd* pWnd, UINT_PTR nIDTool)
{
    TOOLINFOA ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    VX_SEND(TTM_DELTOOLA, 0, &ti);
}

void CToolTipCtrl::UpdateTipText(LPCSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool)
{
    TOOLINFOA ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    ti.lpszText = const_cast<LPSTR>(lpszText);
    VX_SEND(TTM_UPDATETIPTEXTA, 0, &ti);
}

void CToolTipCtrl::UpdateTipText(UINT nIDText, CWnd* pWnd, UINT_PTR nIDTool)
{
    CString text;
    AfxLoadString(nIDText, text);
    UpdateTipText(text, pWnd, nIDTool);
}

void CToolTipCtrl::SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect)
{
    TOOLINFOA ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    ti.rect = *lpRect;
    VX_SEND(TTM_NEWTOOLRECTA, 0, &ti);
}

int CToolTipCtrl::GetToolCount() const
{
    return (int)VX_SEND(TTM_GETTOOLCOUNT, 0, 0);
}

void CToolTipCtrl::GetText(CString& str, CWnd* pWnd, UINT_PTR nIDTool) const
{
    TOOLINFOA ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    char buffer[1024] = {};   // the control copies at most 80 characters here (its limit for this call)
    ti.lpszText = buffer;
    VX_SEND(TTM_GETTEXTA, 0, &ti);
    str = buffer;
}

void CToolTipCtrl::Activate(BOOL bActivate)
{
    VX_SEND(TTM_ACTIVATE, bActivate, 0);
}
void CToolTipCtrl::RelayEvent(LPMSG lpMsg)
{
    VX_SEND(TTM_RELAYEVENT, 0, lpMsg);
}
void CToolTipCtrl::SetDelayTime(UINT nDelay)
{
    VX_SEND(TTM_SETDELAYTIME, TTDT_AUTOMATIC, nDelay);
}
void CToolTipCtrl::SetDelayTime(DWORD dwDuration, int iTime)
{
    VX_SEND(TTM_SETDELAYTIME, dwDuration, MAKELONG(iTime, 0));
}
int CToolTipCtrl::GetDelayTime(DWORD dwDuration) const
{
    return (int)VX_SEND(TTM_GETDELAYTIME, dwDuration, 0);
}
int CToolTipCtrl::SetMaxTipWidth(int iWidth)
{
    return (int)VX_SEND(TTM_SETMAXTIPWIDTH, 0, iWidth);
}
void CToolTipCtrl::SetTipBkColor(COLORREF clr)
{
    VX_SEND(TTM_SETTIPBKCOLOR, clr, 0);
}
void CToolTipCtrl::SetTipTextColor(COLORREF clr)
{
    VX_SEND(TTM_SETTIPTEXTCOLOR, clr, 0);
}
void CToolTipCtrl::Pop()
{
    VX_SEND(TTM_POP, 0, 0);
}
void CToolTipCtrl::Update()
{
    VX_SEND(TTM_UPDATE, 0, 0);
}
