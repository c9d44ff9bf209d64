// Common-control wrappers.
#include "framework/win/Framework.h"

#define VX_SEND(msg, w, l) ::SendMessageA(m_hWnd, (msg), (WPARAM)(w), (LPARAM)(l))

static BOOL CreateCommonControl(CWnd* pWnd, LPCSTR className, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                                UINT nID)
{
    AfxInitCommonControls();
    return pWnd->CreateEx(0, className, nullptr, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

static HIMAGELIST SafeImageList(CImageList* pImageList)
{
    return pImageList != nullptr ? pImageList->GetSafeHandle() : nullptr;
}

// The wrapper of a window the control names (its own object when one is attached); null for none.
static CWnd* WrapperOf(HWND hWnd)
{
    return hWnd != nullptr ? CWnd::FromHandle(hWnd) : nullptr;
}

// A control's text through read(buffer, size), which copies at most size - 1 characters and answers how many
// it copied: the buffer grows until the text fits.
template <class Read>
static CString ReadGrowing(Read read)
{
    CString text;
    for (int size = 256;; size *= 2)
    {
        int length = read(text.GetBuffer(size), size);
        text.ReleaseBuffer(length < 0 ? 0 : length);
        if (length < size - 1 || size >= 0x100000)
            return text;
    }
}

// ---- CHeaderCtrl -------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CHeaderCtrl, CWnd)

BOOL CHeaderCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateCommonControl(this, WC_HEADERA, dwStyle, rect, pParentWnd, nID);
}
int CHeaderCtrl::GetItemCount() const
{
    return (int)VX_SEND(HDM_GETITEMCOUNT, 0, 0);
}
BOOL CHeaderCtrl::GetItem(int nPos, HDITEMA* pHeaderItem) const
{
    return (BOOL)VX_SEND(HDM_GETITEMA, nPos, pHeaderItem);
}
BOOL CHeaderCtrl::SetItem(int nPos, HDITEMA* pHeaderItem)
{
    return (BOOL)VX_SEND(HDM_SETITEMA, nPos, pHeaderItem);
}
int CHeaderCtrl::InsertItem(int nPos, HDITEMA* phdi)
{
    return (int)VX_SEND(HDM_INSERTITEMA, nPos, phdi);
}
BOOL CHeaderCtrl::DeleteItem(int nPos)
{
    return (BOOL)VX_SEND(HDM_DELETEITEM, nPos, 0);
}
BOOL CHeaderCtrl::GetItemRect(int nIndex, LPRECT lpRect) const
{
    return (BOOL)VX_SEND(HDM_GETITEMRECT, nIndex, lpRect);
}
int CHeaderCtrl::HitTest(HDHITTESTINFO* pHitTestInfo) const
{
    return (int)VX_SEND(HDM_HITTEST, 0, pHitTestInfo);
}
CImageList* CHeaderCtrl::SetImageList(CImageList* pImageList)
{
    return CImageList::FromHandle((HIMAGELIST)VX_SEND(HDM_SETIMAGELIST, 0, SafeImageList(pImageList)));
}
void CHeaderCtrl::DrawItem(LPDRAWITEMSTRUCT)
{
}
BOOL CHeaderCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_DRAWITEM)
        return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    if (pResult != nullptr)
        *pResult = TRUE;
    return TRUE;
}

// ---- CListCtrl ---------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CListCtrl, CWnd)

BOOL CListCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateCommonControl(this, WC_LISTVIEWA, dwStyle, rect, pParentWnd, nID);
}
int CListCtrl::GetItemCount() const
{
    return (int)VX_SEND(LVM_GETITEMCOUNT, 0, 0);
}
int CListCtrl::InsertItem(const LVITEMA* pItem)
{
    return (int)VX_SEND(LVM_INSERTITEMA, 0, pItem);
}
int CListCtrl::InsertItem(int nItem, LPCSTR lpszItem)
{
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = nItem;
    item.pszText = const_cast<LPSTR>(lpszItem);
    return InsertItem(&item);
}
int CListCtrl::InsertItem(int nItem, LPCSTR lpszItem, int nImage)
{
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = nItem;
    item.pszText = const_cast<LPSTR>(lpszItem);
    item.iImage = nImage;
    return InsertItem(&item);
}
BOOL CListCtrl::DeleteItem(int nItem)
{
    return (BOOL)VX_SEND(LVM_DELETEITEM, nItem, 0);
}
BOOL CListCtrl::DeleteAllItems()
{
    return (BOOL)VX_SEND(LVM_DELETEALLITEMS, 0, 0);
}
BOOL CListCtrl::GetItem(LVITEMA* pItem) const
{
    return (BOOL)VX_SEND(LVM_GETITEMA, 0, pItem);
}
BOOL CListCtrl::SetItem(const LVITEMA* pItem)
{
    return (BOOL)VX_SEND(LVM_SETITEMA, 0, pItem);
}
CString CListCtrl::GetItemText(int nItem, int nSubItem) const
{
    return ReadGrowing(
        [&](char* buffer, int size)
        {
            LVITEMA item = {};
            item.iSubItem = nSubItem;
            item.pszText = buffer;
            item.cchTextMax = size;
            return (int)VX_SEND(LVM_GETITEMTEXTA, nItem, &item);
        });
}
int CListCtrl::GetItemText(int nItem, int nSubItem, LPSTR lpszText, int nLen) const
{
    if (lpszText == nullptr || nLen <= 0)
        return 0;
    LVITEMA item = {};
    item.iSubItem = nSubItem;
    item.pszText = lpszText;
    item.cchTextMax = nLen;
    return (int)VX_SEND(LVM_GETITEMTEXTA, nItem, &item);
}
BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCSTR lpszText)
{
    LVITEMA item = {};
    item.iSubItem = nSubItem;
    item.pszText = const_cast<LPSTR>(lpszText);
    return (BOOL)VX_SEND(LVM_SETITEMTEXTA, nItem, &item);
}
DWORD_PTR CListCtrl::GetItemData(int nItem) const
{
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = nItem;
    return GetItem(&item) ? static_cast<DWORD_PTR>(item.lParam) : 0;
}
BOOL CListCtrl::SetItemData(int nItem, DWORD_PTR dwData)
{
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = nItem;
    item.lParam = static_cast<LPARAM>(dwData);
    return SetItem(&item);
}
UINT CListCtrl::GetItemState(int nItem, UINT nMask) const
{
    return (UINT)VX_SEND(LVM_GETITEMSTATE, nItem, nMask);
}
BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask)
{
    LVITEMA item = {};
    item.state = nState;
    item.stateMask = nMask;
    return (BOOL)VX_SEND(LVM_SETITEMSTATE, nItem, &item);
}
BOOL CListCtrl::GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const
{
    lpRect->left = static_cast<LONG>(nCode);
    return (BOOL)VX_SEND(LVM_GETITEMRECT, nItem, lpRect);
}
BOOL CListCtrl::GetSubItemRect(int nItem, int nSubItem, int nArea, LPRECT lpRect) const
{
    lpRect->top = nSubItem;
    lpRect->left = nArea;
    return (BOOL)VX_SEND(LVM_GETSUBITEMRECT, nItem, lpRect);
}
BOOL CListCtrl::SortItems(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData)
{
    return (BOOL)VX_SEND(LVM_SORTITEMS, dwData, pfnCompare);
}
BOOL CListCtrl::RedrawItems(int nFirst, int nLast)
{
    return (BOOL)VX_SEND(LVM_REDRAWITEMS, nFirst, nLast);
}
BOOL CListCtrl::Update(int nItem)
{
    return (BOOL)VX_SEND(LVM_UPDATE, nItem, 0);
}
int CListCtrl::GetNextItem(int nItem, int nFlags) const
{
    return (int)VX_SEND(LVM_GETNEXTITEM, nItem, MAKELPARAM(nFlags, 0));
}
UINT CListCtrl::GetSelectedCount() const
{
    return (UINT)VX_SEND(LVM_GETSELECTEDCOUNT, 0, 0);
}
// A position is the index of the next selected item plus one, so that null ends the walk.
POSITION CListCtrl::GetFirstSelectedItemPosition() const
{
    int nItem = GetNextItem(-1, LVNI_SELECTED);
    return reinterpret_cast<POSITION>(static_cast<INT_PTR>(nItem + 1));
}
int CListCtrl::GetNextSelectedItem(POSITION& pos) const
{
    int nItem = static_cast<int>(reinterpret_cast<INT_PTR>(pos)) - 1;
    int nNext = nItem < 0 ? -1 : GetNextItem(nItem, LVNI_SELECTED);
    pos = reinterpret_cast<POSITION>(static_cast<INT_PTR>(nNext + 1));
    return nItem;
}
BOOL CListCtrl::EnsureVisible(int nItem, BOOL bPartialOK)
{
    return (BOOL)VX_SEND(LVM_ENSUREVISIBLE, nItem, bPartialOK);
}
int CListCtrl::GetTopIndex() const
{
    return (int)VX_SEND(LVM_GETTOPINDEX, 0, 0);
}
int CListCtrl::GetCountPerPage() const
{
    return (int)VX_SEND(LVM_GETCOUNTPERPAGE, 0, 0);
}
int CListCtrl::HitTest(CPoint pt, UINT* pFlags) const
{
    LVHITTESTINFO info = {};
    info.pt = pt;
    int nItem = HitTest(&info);
    if (pFlags != nullptr)
        *pFlags = info.flags;
    return nItem;
}
int CListCtrl::HitTest(LVHITTESTINFO* pHitTestInfo) const
{
    return (int)VX_SEND(LVM_HITTEST, 0, pHitTestInfo);
}
int CListCtrl::SubItemHitTest(LVHITTESTINFO* pInfo)
{
    return (int)VX_SEND(LVM_SUBITEMHITTEST, 0, pInfo);
}
int CListCtrl::InsertColumn(int nCol, const LVCOLUMNA* pColumn)
{
    return (int)VX_SEND(LVM_INSERTCOLUMNA, nCol, pColumn);
}
int CListCtrl::InsertColumn(int nCol, LPCSTR lpszColumnHeading, int nFormat, int nWidth, int nSubItem)
{
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_FMT;
    column.pszText = const_cast<LPSTR>(lpszColumnHeading);
    column.fmt = nFormat;
    if (nWidth != -1)
    {
        column.mask |= LVCF_WIDTH;
        column.cx = nWidth;
    }
    if (nSubItem != -1)
    {
        column.mask |= LVCF_SUBITEM;
        column.iSubItem = nSubItem;
    }
    return InsertColumn(nCol, &column);
}
BOOL CListCtrl::DeleteColumn(int nCol)
{
    return (BOOL)VX_SEND(LVM_DELETECOLUMN, nCol, 0);
}
BOOL CListCtrl::GetColumn(int nCol, LVCOLUMNA* pColumn) const
{
    return (BOOL)VX_SEND(LVM_GETCOLUMNA, nCol, pColumn);
}
BOOL CListCtrl::SetColumn(int nCol, const LVCOLUMNA* pColumn)
{
    return (BOOL)VX_SEND(LVM_SETCOLUMNA, nCol, pColumn);
}
int CListCtrl::GetColumnWidth(int nCol) const
{
    return (int)VX_SEND(LVM_GETCOLUMNWIDTH, nCol, 0);
}
BOOL CListCtrl::SetColumnWidth(int nCol, int cx)
{
    return (BOOL)VX_SEND(LVM_SETCOLUMNWIDTH, nCol, MAKELPARAM(cx, 0));
}
CWnd* CListCtrl::GetHeaderCtrl() const
{
    return WrapperOf((HWND)VX_SEND(LVM_GETHEADER, 0, 0));
}
DWORD CListCtrl::GetExtendedStyle() const
{
    return (DWORD)VX_SEND(LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0);
}
DWORD CListCtrl::SetExtendedStyle(DWORD dwNewStyle)
{
    return (DWORD)VX_SEND(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, dwNewStyle);
}
CImageList* CListCtrl::GetImageList(int nImageList) const
{
    return CImageList::FromHandle((HIMAGELIST)VX_SEND(LVM_GETIMAGELIST, nImageList, 0));
}
CImageList* CListCtrl::SetImageList(CImageList* pImageList, int nImageListType)
{
    return CImageList::FromHandle(
        (HIMAGELIST)VX_SEND(LVM_SETIMAGELIST, nImageListType, SafeImageList(pImageList)));
}
COLORREF CListCtrl::GetTextColor() const
{
    return (COLORREF)VX_SEND(LVM_GETTEXTCOLOR, 0, 0);
}
BOOL CListCtrl::SetTextColor(COLORREF cr)
{
    return (BOOL)VX_SEND(LVM_SETTEXTCOLOR, 0, cr);
}
COLORREF CListCtrl::GetTextBkColor() const
{
    return (COLORREF)VX_SEND(LVM_GETTEXTBKCOLOR, 0, 0);
}
BOOL CListCtrl::SetTextBkColor(COLORREF cr)
{
    return (BOOL)VX_SEND(LVM_SETTEXTBKCOLOR, 0, cr);
}
COLORREF CListCtrl::GetBkColor() const
{
    return (COLORREF)VX_SEND(LVM_GETBKCOLOR, 0, 0);
}
BOOL CListCtrl::SetBkColor(COLORREF cr)
{
    return (BOOL)VX_SEND(LVM_SETBKCOLOR, 0, cr);
}

// ---- CTreeCtrl ---------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CTreeCtrl, CWnd)

BOOL CTreeCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateCommonControl(this, WC_TREEVIEWA, dwStyle, rect, pParentWnd, nID);
}
HTREEITEM CTreeCtrl::InsertItem(LPTVINSERTSTRUCTA lpInsertStruct)
{
    return (HTREEITEM)VX_SEND(TVM_INSERTITEMA, 0, lpInsertStruct);
}
HTREEITEM CTreeCtrl::InsertItem(LPCSTR lpszItem, HTREEITEM hParent, HTREEITEM hInsertAfter)
{
    return InsertItem(TVIF_TEXT, lpszItem, 0, 0, 0, 0, 0, hParent, hInsertAfter);
}
HTREEITEM CTreeCtrl::InsertItem(LPCSTR lpszItem, int nImage, int nSelectedImage, HTREEITEM hParent,
                                HTREEITEM hInsertAfter)
{
    return InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE, lpszItem, nImage, nSelectedImage, 0, 0, 0,
                      hParent, hInsertAfter);
}
HTREEITEM CTreeCtrl::InsertItem(UINT nMask, LPCSTR lpszItem, int nImage, int nSelectedImage, UINT nState,
                                UINT nStateMask, LPARAM lParam, HTREEITEM hParent, HTREEITEM hInsertAfter)
{
    TVINSERTSTRUCTA insert = {};
    insert.hParent = hParent;
    insert.hInsertAfter = hInsertAfter;
    insert.item.mask = nMask;
    insert.item.pszText = const_cast<LPSTR>(lpszItem);
    insert.item.iImage = nImage;
    insert.item.iSelectedImage = nSelectedImage;
    insert.item.state = nState;
    insert.item.stateMask = nStateMask;
    insert.item.lParam = lParam;
    return InsertItem(&insert);
}
BOOL CTreeCtrl::DeleteItem(HTREEITEM hItem)
{
    return (BOOL)VX_SEND(TVM_DELETEITEM, 0, hItem);
}
BOOL CTreeCtrl::DeleteAllItems()
{
    return (BOOL)VX_SEND(TVM_DELETEITEM, 0, TVI_ROOT);
}
UINT CTreeCtrl::GetCount() const
{
    return (UINT)VX_SEND(TVM_GETCOUNT, 0, 0);
}
UINT CTreeCtrl::GetVisibleCount() const
{
    return (UINT)VX_SEND(TVM_GETVISIBLECOUNT, 0, 0);
}
BOOL CTreeCtrl::GetItem(TVITEMA* pItem) const
{
    return (BOOL)VX_SEND(TVM_GETITEMA, 0, pItem);
}
BOOL CTreeCtrl::SetItem(TVITEMA* pItem)
{
    return (BOOL)VX_SEND(TVM_SETITEMA, 0, pItem);
}
CString CTreeCtrl::GetItemText(HTREEITEM hItem) const
{
    return ReadGrowing(
        [&](char* buffer, int size)
        {
            TVITEMA item = {};
            item.mask = TVIF_TEXT;
            item.hItem = hItem;
            item.pszText = buffer;
            item.cchTextMax = size;
            buffer[0] = '\0';
            return GetItem(&item) ? lstrlenA(buffer) : 0;
        });
}
BOOL CTreeCtrl::SetItemText(HTREEITEM hItem, LPCSTR lpszItem)
{
    TVITEMA item = {};
    item.mask = TVIF_TEXT;
    item.hItem = hItem;
    item.pszText = const_cast<LPSTR>(lpszItem);
    return SetItem(&item);
}
DWORD_PTR CTreeCtrl::GetItemData(HTREEITEM hItem) const
{
    TVITEMA item = {};
    item.mask = TVIF_PARAM;
    item.hItem = hItem;
    return GetItem(&item) ? static_cast<DWORD_PTR>(item.lParam) : 0;
}
BOOL CTreeCtrl::SetItemData(HTREEITEM hItem, DWORD_PTR dwData)
{
    TVITEMA item = {};
    item.mask = TVIF_PARAM;
    item.hItem = hItem;
    item.lParam = static_cast<LPARAM>(dwData);
    return SetItem(&item);
}
UINT CTreeCtrl::GetItemState(HTREEITEM hItem, UINT nStateMask) const
{
    return (UINT)VX_SEND(TVM_GETITEMSTATE, hItem, nStateMask);
}
BOOL CTreeCtrl::SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask)
{
    TVITEMA item = {};
    item.mask = TVIF_STATE;
    item.hItem = hItem;
    item.state = nState;
    item.stateMask = nStateMask;
    return SetItem(&item);
}
BOOL CTreeCtrl::GetItemImage(HTREEITEM hItem, int& nImage, int& nSelectedImage) const
{
    TVITEMA item = {};
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.hItem = hItem;
    if (!GetItem(&item))
        return FALSE;
    nImage = item.iImage;
    nSelectedImage = item.iSelectedImage;
    return TRUE;
}
BOOL CTreeCtrl::SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage)
{
    TVITEMA item = {};
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.hItem = hItem;
    item.iImage = nImage;
    item.iSelectedImage = nSelectedImage;
    return SetItem(&item);
}
BOOL CTreeCtrl::ItemHasChildren(HTREEITEM hItem) const
{
    TVITEMA item = {};
    item.mask = TVIF_CHILDREN;
    item.hItem = hItem;
    return GetItem(&item) && item.cChildren != 0;
}
BOOL CTreeCtrl::GetItemRect(HTREEITEM hItem, LPRECT lpRect, BOOL bTextOnly) const
{
    // The item goes in where the rectangle comes out.
    *reinterpret_cast<HTREEITEM*>(lpRect) = hItem;
    return (BOOL)VX_SEND(TVM_GETITEMRECT, bTextOnly, lpRect);
}
HTREEITEM CTreeCtrl::GetNextItem(HTREEITEM hItem, UINT nCode) const
{
    return (HTREEITEM)VX_SEND(TVM_GETNEXTITEM, nCode, hItem);
}
HTREEITEM CTreeCtrl::GetRootItem() const
{
    return GetNextItem(nullptr, TVGN_ROOT);
}
HTREEITEM CTreeCtrl::GetChildItem(HTREEITEM hItem) const
{
    return GetNextItem(hItem, TVGN_CHILD);
}
HTREEITEM CTreeCtrl::GetNextSiblingItem(HTREEITEM hItem) const
{
    return GetNextItem(hItem, TVGN_NEXT);
}
HTREEITEM CTreeCtrl::GetPrevSiblingItem(HTREEITEM hItem) const
{
    return GetNextItem(hItem, TVGN_PREVIOUS);
}
HTREEITEM CTreeCtrl::GetParentItem(HTREEITEM hItem) const
{
    return GetNextItem(hItem, TVGN_PARENT);
}
HTREEITEM CTreeCtrl::GetFirstVisibleItem() const
{
    return GetNextItem(nullptr, TVGN_FIRSTVISIBLE);
}
HTREEITEM CTreeCtrl::GetNextVisibleItem(HTREEITEM hItem) const
{
    return GetNextItem(hItem, TVGN_NEXTVISIBLE);
}
HTREEITEM CTreeCtrl::GetPrevVisibleItem(HTREEITEM hItem) const
{
    return GetNextItem(hItem, TVGN_PREVIOUSVISIBLE);
}
HTREEITEM CTreeCtrl::GetSelectedItem() const
{
    return GetNextItem(nullptr, TVGN_CARET);
}
HTREEITEM CTreeCtrl::GetDropHilightItem() const
{
    return GetNextItem(nullptr, TVGN_DROPHILITE);
}
HTREEITEM CTreeCtrl::HitTest(CPoint pt, UINT* pFlags) const
{
    TVHITTESTINFO info = {};
    info.pt = pt;
    HTREEITEM hItem = HitTest(&info);
    if (pFlags != nullptr)
        *pFlags = info.flags;
    return hItem;
}
HTREEITEM CTreeCtrl::HitTest(TVHITTESTINFO* pHitTestInfo) const
{
    return (HTREEITEM)VX_SEND(TVM_HITTEST, 0, pHitTestInfo);
}
BOOL CTreeCtrl::Expand(HTREEITEM hItem, UINT nCode)
{
    return (BOOL)VX_SEND(TVM_EXPAND, nCode, hItem);
}
BOOL CTreeCtrl::Select(HTREEITEM hItem, UINT nCode)
{
    return (BOOL)VX_SEND(TVM_SELECTITEM, nCode, hItem);
}
BOOL CTreeCtrl::SelectItem(HTREEITEM hItem)
{
    return Select(hItem, TVGN_CARET);
}
BOOL CTreeCtrl::SelectDropTarget(HTREEITEM hItem)
{
    return Select(hItem, TVGN_DROPHILITE);
}
BOOL CTreeCtrl::SelectSetFirstVisible(HTREEITEM hItem)
{
    return Select(hItem, TVGN_FIRSTVISIBLE);
}
BOOL CTreeCtrl::EnsureVisible(HTREEITEM hItem)
{
    return (BOOL)VX_SEND(TVM_ENSUREVISIBLE, 0, hItem);
}
BOOL CTreeCtrl::SortChildren(HTREEITEM hItem)
{
    return (BOOL)VX_SEND(TVM_SORTCHILDREN, 0, hItem);
}
BOOL CTreeCtrl::SortChildrenCB(LPTVSORTCB pSort)
{
    return (BOOL)VX_SEND(TVM_SORTCHILDRENCB, 0, pSort);
}
UINT CTreeCtrl::GetIndent() const
{
    return (UINT)VX_SEND(TVM_GETINDENT, 0, 0);
}
void CTreeCtrl::SetIndent(UINT nIndent)
{
    VX_SEND(TVM_SETINDENT, nIndent, 0);
}
CImageList* CTreeCtrl::GetImageList(int nImageList) const
{
    return CImageList::FromHandle((HIMAGELIST)VX_SEND(TVM_GETIMAGELIST, nImageList, 0));
}
CImageList* CTreeCtrl::SetImageList(CImageList* pImageList, int nImageListType)
{
    return CImageList::FromHandle(
        (HIMAGELIST)VX_SEND(TVM_SETIMAGELIST, nImageListType, SafeImageList(pImageList)));
}

// ---- CTabCtrl ----------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CTabCtrl, CWnd)

BOOL CTabCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateCommonControl(this, WC_TABCONTROLA, dwStyle, rect, pParentWnd, nID);
}
int CTabCtrl::GetItemCount() const
{
    return (int)VX_SEND(TCM_GETITEMCOUNT, 0, 0);
}
BOOL CTabCtrl::GetItem(int nItem, TCITEMA* pTabCtrlItem) const
{
    return (BOOL)VX_SEND(TCM_GETITEMA, nItem, pTabCtrlItem);
}
BOOL CTabCtrl::SetItem(int nItem, TCITEMA* pTabCtrlItem)
{
    return (BOOL)VX_SEND(TCM_SETITEMA, nItem, pTabCtrlItem);
}
LONG CTabCtrl::InsertItem(int nItem, TCITEMA* pTabCtrlItem)
{
    return (LONG)VX_SEND(TCM_INSERTITEMA, nItem, pTabCtrlItem);
}
LONG CTabCtrl::InsertItem(int nItem, LPCSTR lpszItem, int nImage)
{
    TCITEMA item = {};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = const_cast<LPSTR>(lpszItem);
    item.iImage = nImage;
    return InsertItem(nItem, &item);
}
BOOL CTabCtrl::DeleteItem(int nItem)
{
    return (BOOL)VX_SEND(TCM_DELETEITEM, nItem, 0);
}
BOOL CTabCtrl::DeleteAllItems()
{
    return (BOOL)VX_SEND(TCM_DELETEALLITEMS, 0, 0);
}
int CTabCtrl::GetCurSel() const
{
    return (int)VX_SEND(TCM_GETCURSEL, 0, 0);
}
int CTabCtrl::SetCurSel(int nItem)
{
    return (int)VX_SEND(TCM_SETCURSEL, nItem, 0);
}
int CTabCtrl::GetCurFocus() const
{
    return (int)VX_SEND(TCM_GETCURFOCUS, 0, 0);
}
void CTabCtrl::SetCurFocus(int nItem)
{
    VX_SEND(TCM_SETCURFOCUS, nItem, 0);
}
BOOL CTabCtrl::GetItemRect(int nItem, LPRECT lpRect) const
{
    return (BOOL)VX_SEND(TCM_GETITEMRECT, nItem, lpRect);
}
void CTabCtrl::AdjustRect(BOOL bLarger, LPRECT lpRect)
{
    VX_SEND(TCM_ADJUSTRECT, bLarger, lpRect);
}
int CTabCtrl::HitTest(TCHITTESTINFO* pHitTestInfo) const
{
    return (int)VX_SEND(TCM_HITTEST, 0, pHitTestInfo);
}
int CTabCtrl::GetRowCount() const
{
    return (int)VX_SEND(TCM_GETROWCOUNT, 0, 0);
}
CSize CTabCtrl::SetItemSize(CSize size)
{
    DWORD previous = (DWORD)VX_SEND(TCM_SETITEMSIZE, 0, MAKELPARAM(size.cx, size.cy));
    return CSize(LOWORD(previous), HIWORD(previous));
}
void CTabCtrl::SetPadding(CSize size)
{
    VX_SEND(TCM_SETPADDING, 0, MAKELPARAM(size.cx, size.cy));
}
CImageList* CTabCtrl::GetImageList() const
{
    return CImageList::FromHandle((HIMAGELIST)VX_SEND(TCM_GETIMAGELIST, 0, 0));
}
CImageList* CTabCtrl::SetImageList(CImageList* pImageList)
{
    return CImageList::FromHandle((HIMAGELIST)VX_SEND(TCM_SETIMAGELIST, 0, SafeImageList(pImageList)));
}

// ---- CToolBarCtrl ------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CToolBarCtrl, CWnd)

BOOL CToolBarCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (!CreateCommonControl(this, TOOLBARCLASSNAMEA, dwStyle, rect, pParentWnd, nID))
        return FALSE;
    SendButtonStructSize();
    return TRUE;
}
void CToolBarCtrl::SendButtonStructSize() const
{
    VX_SEND(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
}
BOOL CToolBarCtrl::AddButtons(int nNumButtons, const TBBUTTON* lpButtons)
{
    SendButtonStructSize();
    return (BOOL)VX_SEND(TB_ADDBUTTONSA, nNumButtons, lpButtons);
}
BOOL CToolBarCtrl::InsertButton(int nIndex, const TBBUTTON* lpButton)
{
    SendButtonStructSize();
    return (BOOL)VX_SEND(TB_INSERTBUTTONA, nIndex, lpButton);
}
BOOL CToolBarCtrl::DeleteButton(int nIndex)
{
    return (BOOL)VX_SEND(TB_DELETEBUTTON, nIndex, 0);
}
BOOL CToolBarCtrl::GetButton(int nIndex, TBBUTTON* lpButton) const
{
    return (BOOL)VX_SEND(TB_GETBUTTON, nIndex, lpButton);
}
int CToolBarCtrl::GetButtonCount() const
{
    return (int)VX_SEND(TB_BUTTONCOUNT, 0, 0);
}
int CToolBarCtrl::CommandToIndex(UINT nID) const
{
    return (int)VX_SEND(TB_COMMANDTOINDEX, nID, 0);
}
int CToolBarCtrl::GetButtonInfo(UINT nID, TBBUTTONINFOA* ptbbi) const
{
    ptbbi->cbSize = sizeof(TBBUTTONINFOA);
    return (int)VX_SEND(TB_GETBUTTONINFOA, nID, ptbbi);
}
BOOL CToolBarCtrl::SetButtonInfo(UINT nID, TBBUTTONINFOA* ptbbi)
{
    ptbbi->cbSize = sizeof(TBBUTTONINFOA);
    return (BOOL)VX_SEND(TB_SETBUTTONINFOA, nID, ptbbi);
}
BOOL CToolBarCtrl::GetItemRect(int nIndex, LPRECT lpRect) const
{
    return (BOOL)VX_SEND(TB_GETITEMRECT, nIndex, lpRect);
}
BOOL CToolBarCtrl::GetRect(UINT nID, LPRECT lpRect) const
{
    return (BOOL)VX_SEND(TB_GETRECT, nID, lpRect);
}
int CToolBarCtrl::HitTest(LPPOINT ppt) const
{
    return (int)VX_SEND(TB_HITTEST, 0, ppt);
}
BOOL CToolBarCtrl::EnableButton(UINT nID, BOOL bEnable)
{
    return (BOOL)VX_SEND(TB_ENABLEBUTTON, nID, MAKELPARAM(bEnable, 0));
}
BOOL CToolBarCtrl::CheckButton(UINT nID, BOOL bCheck)
{
    return (BOOL)VX_SEND(TB_CHECKBUTTON, nID, MAKELPARAM(bCheck, 0));
}
BOOL CToolBarCtrl::PressButton(UINT nID, BOOL bPress)
{
    return (BOOL)VX_SEND(TB_PRESSBUTTON, nID, MAKELPARAM(bPress, 0));
}
BOOL CToolBarCtrl::HideButton(UINT nID, BOOL bHide)
{
    return (BOOL)VX_SEND(TB_HIDEBUTTON, nID, MAKELPARAM(bHide, 0));
}
BOOL CToolBarCtrl::IsButtonEnabled(UINT nID) const
{
    return VX_SEND(TB_ISBUTTONENABLED, nID, 0) != 0;
}
BOOL CToolBarCtrl::IsButtonChecked(UINT nID) const
{
    return VX_SEND(TB_ISBUTTONCHECKED, nID, 0) != 0;
}
BOOL CToolBarCtrl::IsButtonPressed(UINT nID) const
{
    return VX_SEND(TB_ISBUTTONPRESSED, nID, 0) != 0;
}
BOOL CToolBarCtrl::IsButtonHidden(UINT nID) const
{
    return VX_SEND(TB_ISBUTTONHIDDEN, nID, 0) != 0;
}
int CToolBarCtrl::GetState(UINT nID) const
{
    return (int)VX_SEND(TB_GETSTATE, nID, 0);
}
BOOL CToolBarCtrl::SetState(UINT nID, UINT nState)
{
    return (BOOL)VX_SEND(TB_SETSTATE, nID, MAKELPARAM(nState, 0));
}
int CToolBarCtrl::GetHotItem() const
{
    return (int)VX_SEND(TB_GETHOTITEM, 0, 0);
}
int CToolBarCtrl::SetHotItem(int nHot)
{
    return (int)VX_SEND(TB_SETHOTITEM, nHot, 0);
}
int CToolBarCtrl::AddBitmap(int nNumButtons, UINT nBitmapID)
{
    TBADDBITMAP bitmap = {AfxGetResourceHandle(), nBitmapID};
    return (int)VX_SEND(TB_ADDBITMAP, nNumButtons, &bitmap);
}
int CToolBarCtrl::AddBitmap(int nNumButtons, HBITMAP hBitmap)
{
    TBADDBITMAP bitmap = {nullptr, reinterpret_cast<UINT_PTR>(hBitmap)};
    return (int)VX_SEND(TB_ADDBITMAP, nNumButtons, &bitmap);
}
BOOL CToolBarCtrl::ReplaceBitmap(LPTBREPLACEBITMAP pReplaceBitmap)
{
    return (BOOL)VX_SEND(TB_REPLACEBITMAP, 0, pReplaceBitmap);
}
int CToolBarCtrl::AddString(UINT nStringID)
{
    // Our own lookup finds the string in the user's language; the control only gets the text.
    CString text;
    if (!AfxLoadString(nStringID, text))
        return -1;
    std::string strings(text.GetString(), static_cast<size_t>(text.GetLength()));
    strings.append(2, '\0');
    return AddStrings(strings.data());
}
int CToolBarCtrl::AddStrings(LPCSTR lpszStrings)
{
    return (int)VX_SEND(TB_ADDSTRINGA, 0, lpszStrings);
}
BOOL CToolBarCtrl::SetBitmapSize(CSize size)
{
    return (BOOL)VX_SEND(TB_SETBITMAPSIZE, 0, MAKELPARAM(size.cx, size.cy));
}
BOOL CToolBarCtrl::SetButtonSize(CSize size)
{
    return (BOOL)VX_SEND(TB_SETBUTTONSIZE, 0, MAKELPARAM(size.cx, size.cy));
}
CSize CToolBarCtrl::GetButtonSize() const
{
    DWORD size = (DWORD)VX_SEND(TB_GETBUTTONSIZE, 0, 0);
    return CSize(LOWORD(size), HIWORD(size));
}
CImageList* CToolBarCtrl::GetImageList() const
{
    return CImageList::FromHandle((HIMAGELIST)VX_SEND(TB_GETIMAGELIST, 0, 0));
}
CImageList* CToolBarCtrl::SetImageList(CImageList* pImageList)
{
    return CImageList::FromHandle((HIMAGELIST)VX_SEND(TB_SETIMAGELIST, 0, SafeImageList(pImageList)));
}
CImageList* CToolBarCtrl::SetDisabledImageList(CImageList* pImageList)
{
    return CImageList::FromHandle((HIMAGELIST)VX_SEND(TB_SETDISABLEDIMAGELIST, 0, SafeImageList(pImageList)));
}
CImageList* CToolBarCtrl::SetHotImageList(CImageList* pImageList)
{
    return CImageList::FromHandle((HIMAGELIST)VX_SEND(TB_SETHOTIMAGELIST, 0, SafeImageList(pImageList)));
}
DWORD CToolBarCtrl::GetExtendedStyle() const
{
    return (DWORD)VX_SEND(TB_GETEXTENDEDSTYLE, 0, 0);
}
DWORD CToolBarCtrl::SetExtendedStyle(DWORD dwExStyle)
{
    return (DWORD)VX_SEND(TB_SETEXTENDEDSTYLE, 0, dwExStyle);
}
DWORD CToolBarCtrl::SetDrawTextFlags(DWORD dwMask, DWORD dwDTFlags)
{
    return (DWORD)VX_SEND(TB_SETDRAWTEXTFLAGS, dwMask, dwDTFlags);
}
DWORD CToolBarCtrl::SetPadding(int cx, int cy)
{
    return (DWORD)VX_SEND(TB_SETPADDING, 0, MAKELPARAM(cx, cy));
}
BOOL CToolBarCtrl::SetIndent(int iIndent)
{
    return (BOOL)VX_SEND(TB_SETINDENT, iIndent, 0);
}
void CToolBarCtrl::AutoSize()
{
    VX_SEND(TB_AUTOSIZE, 0, 0);
}
int CToolBarCtrl::GetRows() const
{
    return (int)VX_SEND(TB_GETROWS, 0, 0);
}
void CToolBarCtrl::SetRows(int nRows, BOOL bLarger, LPRECT lpRect)
{
    VX_SEND(TB_SETROWS, MAKEWPARAM(nRows, bLarger), lpRect);
}
BOOL CToolBarCtrl::GetMaxSize(LPSIZE pSize) const
{
    return (BOOL)VX_SEND(TB_GETMAXSIZE, 0, pSize);
}
void CToolBarCtrl::SetNotifyWindow(CWnd* pWnd)
{
    VX_SEND(TB_SETPARENT, AfxGetSafeHwnd(pWnd), 0);
}
CWnd* CToolBarCtrl::GetToolTips() const
{
    return WrapperOf((HWND)VX_SEND(TB_GETTOOLTIPS, 0, 0));
}
void CToolBarCtrl::SetToolTips(CWnd* pTip)
{
    VX_SEND(TB_SETTOOLTIPS, AfxGetSafeHwnd(pTip), 0);
}

// ---- CReBarCtrl --------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CReBarCtrl, CWnd)

BOOL CReBarCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateCommonControl(this, REBARCLASSNAMEA, dwStyle, rect, pParentWnd, nID);
}
UINT CReBarCtrl::GetBandCount() const
{
    return (UINT)VX_SEND(RB_GETBANDCOUNT, 0, 0);
}
BOOL CReBarCtrl::InsertBand(UINT uIndex, REBARBANDINFOA* prbbi)
{
    prbbi->cbSize = sizeof(REBARBANDINFOA);
    return (BOOL)VX_SEND(RB_INSERTBANDA, uIndex, prbbi);
}
BOOL CReBarCtrl::DeleteBand(UINT uBand)
{
    return (BOOL)VX_SEND(RB_DELETEBAND, uBand, 0);
}
BOOL CReBarCtrl::GetBandInfo(UINT uBand, REBARBANDINFOA* prbbi) const
{
    prbbi->cbSize = sizeof(REBARBANDINFOA);
    return (BOOL)VX_SEND(RB_GETBANDINFOA, uBand, prbbi);
}
BOOL CReBarCtrl::SetBandInfo(UINT uBand, REBARBANDINFOA* prbbi)
{
    prbbi->cbSize = sizeof(REBARBANDINFOA);
    return (BOOL)VX_SEND(RB_SETBANDINFOA, uBand, prbbi);
}
int CReBarCtrl::IDToIndex(UINT uBandID) const
{
    return (int)VX_SEND(RB_IDTOINDEX, uBandID, 0);
}
BOOL CReBarCtrl::GetRect(UINT uBand, LPRECT prc) const
{
    return (BOOL)VX_SEND(RB_GETRECT, uBand, prc);
}
void CReBarCtrl::GetBandBorders(UINT uBand, LPRECT prc) const
{
    VX_SEND(RB_GETBANDBORDERS, uBand, prc);
}
UINT CReBarCtrl::GetBarHeight() const
{
    return (UINT)VX_SEND(RB_GETBARHEIGHT, 0, 0);
}
UINT CReBarCtrl::GetRowCount() const
{
    return (UINT)VX_SEND(RB_GETROWCOUNT, 0, 0);
}
UINT CReBarCtrl::GetRowHeight(UINT uRow) const
{
    return (UINT)VX_SEND(RB_GETROWHEIGHT, uRow, 0);
}
BOOL CReBarCtrl::GetBarInfo(REBARINFO* prbi) const
{
    prbi->cbSize = sizeof(REBARINFO);
    return (BOOL)VX_SEND(RB_GETBARINFO, 0, prbi);
}
BOOL CReBarCtrl::SetBarInfo(REBARINFO* prbi)
{
    prbi->cbSize = sizeof(REBARINFO);
    return (BOOL)VX_SEND(RB_SETBARINFO, 0, prbi);
}
BOOL CReBarCtrl::ShowBand(UINT uBand, BOOL fShow)
{
    return (BOOL)VX_SEND(RB_SHOWBAND, uBand, fShow);
}
void CReBarCtrl::MaximizeBand(UINT uBand)
{
    VX_SEND(RB_MAXIMIZEBAND, uBand, 0);
}
void CReBarCtrl::MinimizeBand(UINT uBand)
{
    VX_SEND(RB_MINIMIZEBAND, uBand, 0);
}
BOOL CReBarCtrl::MoveBand(UINT uFrom, UINT uTo)
{
    return (BOOL)VX_SEND(RB_MOVEBAND, uFrom, uTo);
}
BOOL CReBarCtrl::SizeToRect(CRect& rect)
{
    return (BOOL)VX_SEND(RB_SIZETORECT, 0, static_cast<LPRECT>(&rect));
}
HWND CReBarCtrl::SetNotifyWindow(CWnd* pWnd)
{
    return (HWND)VX_SEND(RB_SETPARENT, AfxGetSafeHwnd(pWnd), 0);
}
