// Wrappers of the common controls: list view, header, tree view, tab, tool bar and rebar. Thin members over the
// control messages. Structures that carry their own size get it from sizeof whatever the caller wrote, and the
// tool bar is told the size of its button structure before buttons go in: the control accepts some wrong sizes
// silently and drops fields.
#pragma once

#include "framework/win/Wnd.h"
#include "framework/win/ImageList.h"

#include <commctrl.h>

class CHeaderCtrl : public CWnd
{
    DECLARE_DYNAMIC(CHeaderCtrl)
public:
    CHeaderCtrl() = default;
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    int GetItemCount() const;
    BOOL GetItem(int nPos, HDITEMA* pHeaderItem) const;
    BOOL SetItem(int nPos, HDITEMA* pHeaderItem);
    int InsertItem(int nPos, HDITEMA* phdi);
    BOOL DeleteItem(int nPos);
    BOOL GetItemRect(int nIndex, LPRECT lpRect) const;
    int HitTest(HDHITTESTINFO* pHitTestInfo) const;
    CImageList* SetImageList(CImageList* pImageList);
    // Owner-drawn items (HDF_OWNERDRAW) are drawn here when the parent reflects WM_DRAWITEM.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

class CListCtrl : public CWnd
{
    DECLARE_DYNAMIC(CListCtrl)
public:
    CListCtrl() = default;
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // ---- items ----
    int GetItemCount() const;
    int InsertItem(const LVITEMA* pItem);
    int InsertItem(int nItem, LPCSTR lpszItem);
    int InsertItem(int nItem, LPCSTR lpszItem, int nImage);
    BOOL DeleteItem(int nItem);
    BOOL DeleteAllItems();
    BOOL GetItem(LVITEMA* pItem) const;
    BOOL SetItem(const LVITEMA* pItem);
    CString GetItemText(int nItem, int nSubItem) const;
    int GetItemText(int nItem, int nSubItem, LPSTR lpszText, int nLen) const;
    BOOL SetItemText(int nItem, int nSubItem, LPCSTR lpszText);
    DWORD_PTR GetItemData(int nItem) const;
    BOOL SetItemData(int nItem, DWORD_PTR dwData);
    UINT GetItemState(int nItem, UINT nMask) const;
    BOOL SetItemState(int nItem, UINT nState, UINT nMask);   // nItem -1: every item
    BOOL GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const;
    BOOL GetSubItemRect(int nItem, int nSubItem, int nArea, LPRECT lpRect) const;
    BOOL SortItems(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData);
    BOOL RedrawItems(int nFirst, int nLast);
    BOOL Update(int nItem);

    // ---- selection and navigation ----
    int GetNextItem(int nItem, int nFlags) const;   // LVNI_...; -1 when none
    UINT GetSelectedCount() const;
    // Walks the selected items: GetNextSelectedItem returns an index and moves pos on (null at the end).
    POSITION GetFirstSelectedItemPosition() const;
    int GetNextSelectedItem(POSITION& pos) const;
    BOOL EnsureVisible(int nItem, BOOL bPartialOK);
    int GetTopIndex() const;
    int GetCountPerPage() const;
    int HitTest(CPoint pt, UINT* pFlags = nullptr) const;
    int HitTest(LVHITTESTINFO* pHitTestInfo) const;
    int SubItemHitTest(LVHITTESTINFO* pInfo);

    // ---- columns ----
    int InsertColumn(int nCol, const LVCOLUMNA* pColumn);
    int InsertColumn(int nCol, LPCSTR lpszColumnHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1,
                     int nSubItem = -1);
    BOOL DeleteColumn(int nCol);
    BOOL GetColumn(int nCol, LVCOLUMNA* pColumn) const;
    BOOL SetColumn(int nCol, const LVCOLUMNA* pColumn);
    int GetColumnWidth(int nCol) const;
    BOOL SetColumnWidth(int nCol, int cx);   // cx may be LVSCW_AUTOSIZE or LVSCW_AUTOSIZE_USEHEADER
    // The list's header (its own object when one is attached, else a temporary wrapper); null without one.
    CWnd* GetHeaderCtrl() const;

    // ---- look ----
    DWORD GetExtendedStyle() const;
    DWORD SetExtendedStyle(DWORD dwNewStyle);   // returns the previous extended style
    CImageList* GetImageList(int nImageList) const;
    CImageList* SetImageList(CImageList* pImageList, int nImageListType);
    COLORREF GetTextColor() const;
    BOOL SetTextColor(COLORREF cr);
    COLORREF GetTextBkColor() const;
    BOOL SetTextBkColor(COLORREF cr);
    COLORREF GetBkColor() const;
    BOOL SetBkColor(COLORREF cr);
};

class CTreeCtrl : public CWnd
{
    DECLARE_DYNAMIC(CTreeCtrl)
public:
    CTreeCtrl() = default;
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // ---- items ----
    HTREEITEM InsertItem(LPTVINSERTSTRUCTA lpInsertStruct);
    HTREEITEM InsertItem(LPCSTR lpszItem, HTREEITEM hParent = TVI_ROOT, HTREEITEM hInsertAfter = TVI_LAST);
    HTREEITEM InsertItem(LPCSTR lpszItem, int nImage, int nSelectedImage, HTREEITEM hParent = TVI_ROOT,
                         HTREEITEM hInsertAfter = TVI_LAST);
    HTREEITEM InsertItem(UINT nMask, LPCSTR lpszItem, int nImage, int nSelectedImage, UINT nState, UINT nStateMask,
                         LPARAM lParam, HTREEITEM hParent, HTREEITEM hInsertAfter);
    BOOL DeleteItem(HTREEITEM hItem);
    BOOL DeleteAllItems();
    UINT GetCount() const;
    UINT GetVisibleCount() const;
    BOOL GetItem(TVITEMA* pItem) const;
    BOOL SetItem(TVITEMA* pItem);
    CString GetItemText(HTREEITEM hItem) const;
    BOOL SetItemText(HTREEITEM hItem, LPCSTR lpszItem);
    DWORD_PTR GetItemData(HTREEITEM hItem) const;
    BOOL SetItemData(HTREEITEM hItem, DWORD_PTR dwData);
    UINT GetItemState(HTREEITEM hItem, UINT nStateMask) const;
    BOOL SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask);
    BOOL GetItemImage(HTREEITEM hItem, int& nImage, int& nSelectedImage) const;
    BOOL SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage);
    BOOL ItemHasChildren(HTREEITEM hItem) const;
    BOOL GetItemRect(HTREEITEM hItem, LPRECT lpRect, BOOL bTextOnly) const;

    // ---- navigation ----
    HTREEITEM GetNextItem(HTREEITEM hItem, UINT nCode) const;   // TVGN_...; null when none
    HTREEITEM GetRootItem() const;
    HTREEITEM GetChildItem(HTREEITEM hItem) const;
    HTREEITEM GetNextSiblingItem(HTREEITEM hItem) const;
    HTREEITEM GetPrevSiblingItem(HTREEITEM hItem) const;
    HTREEITEM GetParentItem(HTREEITEM hItem) const;
    HTREEITEM GetFirstVisibleItem() const;
    HTREEITEM GetNextVisibleItem(HTREEITEM hItem) const;
    HTREEITEM GetPrevVisibleItem(HTREEITEM hItem) const;
    HTREEITEM GetSelectedItem() const;
    HTREEITEM GetDropHilightItem() const;
    HTREEITEM HitTest(CPoint pt, UINT* pFlags = nullptr) const;
    HTREEITEM HitTest(TVHITTESTINFO* pHitTestInfo) const;

    // ---- state changes ----
    BOOL Expand(HTREEITEM hItem, UINT nCode);   // TVE_...
    BOOL Select(HTREEITEM hItem, UINT nCode);   // TVGN_CARET, TVGN_DROPHILITE, TVGN_FIRSTVISIBLE
    BOOL SelectItem(HTREEITEM hItem);           // the caret; null removes it
    BOOL SelectDropTarget(HTREEITEM hItem);
    BOOL SelectSetFirstVisible(HTREEITEM hItem);
    BOOL EnsureVisible(HTREEITEM hItem);
    BOOL SortChildren(HTREEITEM hItem);
    BOOL SortChildrenCB(LPTVSORTCB pSort);
    UINT GetIndent() const;
    void SetIndent(UINT nIndent);
    CImageList* GetImageList(int nImageList) const;   // TVSIL_NORMAL or TVSIL_STATE
    CImageList* SetImageList(CImageList* pImageList, int nImageListType);
};

class CTabCtrl : public CWnd
{
    DECLARE_DYNAMIC(CTabCtrl)
public:
    CTabCtrl() = default;
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    int GetItemCount() const;
    BOOL GetItem(int nItem, TCITEMA* pTabCtrlItem) const;
    BOOL SetItem(int nItem, TCITEMA* pTabCtrlItem);
    LONG InsertItem(int nItem, TCITEMA* pTabCtrlItem);
    LONG InsertItem(int nItem, LPCSTR lpszItem, int nImage = -1);
    BOOL DeleteItem(int nItem);
    BOOL DeleteAllItems();
    int GetCurSel() const;
    int SetCurSel(int nItem);   // the previous selection, -1 on failure
    int GetCurFocus() const;
    void SetCurFocus(int nItem);
    BOOL GetItemRect(int nItem, LPRECT lpRect) const;
    // bLarger: the window rectangle for a display rectangle; else the display area of a window rectangle.
    void AdjustRect(BOOL bLarger, LPRECT lpRect);
    int HitTest(TCHITTESTINFO* pHitTestInfo) const;
    int GetRowCount() const;
    CSize SetItemSize(CSize size);
    void SetPadding(CSize size);
    CImageList* GetImageList() const;
    CImageList* SetImageList(CImageList* pImageList);
};

class CToolBarCtrl : public CWnd
{
    DECLARE_DYNAMIC(CToolBarCtrl)
public:
    CToolBarCtrl() = default;
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // ---- buttons ----
    BOOL AddButtons(int nNumButtons, const TBBUTTON* lpButtons);
    BOOL InsertButton(int nIndex, const TBBUTTON* lpButton);
    BOOL DeleteButton(int nIndex);
    BOOL GetButton(int nIndex, TBBUTTON* lpButton) const;
    int GetButtonCount() const;
    int CommandToIndex(UINT nID) const;                        // -1 when no button has the command
    int GetButtonInfo(UINT nID, TBBUTTONINFOA* ptbbi) const;   // by command id: the index, -1 when none
    BOOL SetButtonInfo(UINT nID, TBBUTTONINFOA* ptbbi);
    BOOL GetItemRect(int nIndex, LPRECT lpRect) const;
    BOOL GetRect(UINT nID, LPRECT lpRect) const;
    int HitTest(LPPOINT ppt) const;   // the button index (negative: a separator or nothing)
    BOOL EnableButton(UINT nID, BOOL bEnable = TRUE);
    BOOL CheckButton(UINT nID, BOOL bCheck = TRUE);
    BOOL PressButton(UINT nID, BOOL bPress = TRUE);
    BOOL HideButton(UINT nID, BOOL bHide = TRUE);
    BOOL IsButtonEnabled(UINT nID) const;
    BOOL IsButtonChecked(UINT nID) const;
    BOOL IsButtonPressed(UINT nID) const;
    BOOL IsButtonHidden(UINT nID) const;
    int GetState(UINT nID) const;   // TBSTATE_...; -1 when no button has the command
    BOOL SetState(UINT nID, UINT nState);
    int GetHotItem() const;
    int SetHotItem(int nHot);

    // ---- images and texts ----
    int AddBitmap(int nNumButtons, UINT nBitmapID);   // from the program's resources; the first new index
    int AddBitmap(int nNumButtons, HBITMAP hBitmap);
    BOOL ReplaceBitmap(LPTBREPLACEBITMAP pReplaceBitmap);
    int AddString(UINT nStringID);        // the index of the new string, -1 on failure
    int AddStrings(LPCSTR lpszStrings);   // strings each ended by a zero, the last by two
    BOOL SetBitmapSize(CSize size);
    BOOL SetButtonSize(CSize size);
    CSize GetButtonSize() const;
    CImageList* GetImageList() const;
    CImageList* SetImageList(CImageList* pImageList);
    CImageList* SetDisabledImageList(CImageList* pImageList);
    CImageList* SetHotImageList(CImageList* pImageList);

    // ---- look and layout ----
    DWORD GetExtendedStyle() const;
    DWORD SetExtendedStyle(DWORD dwExStyle);   // the previous extended style
    DWORD SetDrawTextFlags(DWORD dwMask, DWORD dwDTFlags);
    DWORD SetPadding(int cx, int cy);   // the previous padding (cx low word, cy high word)
    BOOL SetIndent(int iIndent);
    void AutoSize();
    int GetRows() const;
    void SetRows(int nRows, BOOL bLarger, LPRECT lpRect);
    BOOL GetMaxSize(LPSIZE pSize) const;
    // The window that receives the tool bar's notifications and commands.
    void SetNotifyWindow(CWnd* pWnd);
    CWnd* GetToolTips() const;   // temporary wrapper or the attached object; null without tips
    void SetToolTips(CWnd* pTip);

private:
    void SendButtonStructSize() const;
};

class CReBarCtrl : public CWnd
{
    DECLARE_DYNAMIC(CReBarCtrl)
public:
    CReBarCtrl() = default;
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    UINT GetBandCount() const;
    BOOL InsertBand(UINT uIndex, REBARBANDINFOA* prbbi);   // uIndex -1: at the end
    BOOL DeleteBand(UINT uBand);
    BOOL GetBandInfo(UINT uBand, REBARBANDINFOA* prbbi) const;
    BOOL SetBandInfo(UINT uBand, REBARBANDINFOA* prbbi);
    int IDToIndex(UINT uBandID) const;   // -1 when no band has the id
    BOOL GetRect(UINT uBand, LPRECT prc) const;
    void GetBandBorders(UINT uBand, LPRECT prc) const;
    UINT GetBarHeight() const;
    UINT GetRowCount() const;
    UINT GetRowHeight(UINT uRow) const;
    BOOL GetBarInfo(REBARINFO* prbi) const;
    BOOL SetBarInfo(REBARINFO* prbi);
    BOOL ShowBand(UINT uBand, BOOL fShow = TRUE);
    void MaximizeBand(UINT uBand);
    void MinimizeBand(UINT uBand);
    BOOL MoveBand(UINT uFrom, UINT uTo);
    BOOL SizeToRect(CRect& rect);
    // The window that receives the rebar's notifications; returns the previous one.
    HWND SetNotifyWindow(CWnd* pWnd);
};
