// Column headers of report lists. CUXHeaderCtrl keeps chosen columns at a fixed width and can share the
// header's width among the other columns; CUXFlatHeaderCtrl paints flat, shows a sort arrow beside the sorted
// column's text and offers a right-click menu for sorting and column alignment.
#pragma once

#include "framework/win/Framework.h"

class CUXHeaderCtrl : public CHeaderCtrl
{
    DECLARE_DYNAMIC(CUXHeaderCtrl)
public:
    CUXHeaderCtrl();

    // Whether the screen's text alignment reads from right to left.
    virtual BOOL IsRightToLeft();
    // Gives every column that is not fixed an equal share of total (when the share exceeds the minimum).
    virtual void DistributeWidth(int total);
    // Shares width (0: the header's width less a vertical scroll bar and the fixed columns) among the columns.
    virtual void FitColumns(int width = 0);
    // The sum of the fixed columns' present widths.
    virtual int GetFixedColumnsWidth();

    BOOL IsColumnFixed(int index) const;
    // Keeps a column at its width (the user can neither drag nor change it) or frees it again.
    void SetColumnFixed(int index, BOOL fixed = TRUE);
    void SetMinColumnWidth(int width) { m_nMinColumnWidth = width; }
    int GetMinColumnWidth() const { return m_nMinColumnWidth; }
    // With fitting on, the columns follow the header's width whenever it changes.
    void SetFitToWidth(BOOL fit) { m_bFitToWidth = fit ? 1 : 0; }

protected:
    // The list (or other window) whose columns this header shows.
    CWnd* GetParentList() const { return GetParent(); }
    int GetColumnWidth(int index) const;
    void SetColumnWidth(int index, int width);

    afx_msg void OnWindowPosChanging(WINDOWPOS* pos);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg BOOL OnItemChanging(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    int m_nMinColumnWidth = 0;
    BYTE m_bRightToLeft = 0;
    BYTE m_bFitToWidth = 0;
    CUIntArray m_fixedColumns;
};

class CUXFlatHeaderCtrl : public CUXHeaderCtrl
{
    DECLARE_DYNAMIC(CUXFlatHeaderCtrl)
public:
    CUXFlatHeaderCtrl();

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

    // A menu of the program's own (sub-menu subMenuIndex of resource menuId) instead of the built-in one;
    // 0 goes back to the built-in menu.
    virtual void SetPopupMenu(UINT menuId, int subMenuIndex);
    virtual void SetBoldFontRedraw(BOOL bold);
    virtual void SetBoldFont(BOOL bold);
    // Marks column as sorted in that direction and returns the column sorted before (-1 for none).
    virtual int SetSortImage(int column, BOOL ascending);
    virtual void ShowSortArrow(BOOL show);
    // The column whose item rectangle holds the point (client co-ordinates); -1 for none.
    virtual int HitTest(CPoint point);
    using CHeaderCtrl::HitTest;
    // Justifies the column under the last right click: LVCFMT_LEFT, LVCFMT_CENTER or LVCFMT_RIGHT.
    virtual void SetColumnAlignment(int format);
    virtual void DrawFlatBorders(CDC* pDC, CRect rect);

    int GetSortColumn() const { return m_nSortColumn; }
    // 1 ascending, 0 descending, -1 when no direction was ever set.
    int GetSortAscending() const { return m_nSortAscending; }
    BOOL IsSortArrowShown() const { return m_bShowSortArrow; }
    void EnablePopupMenu(BOOL enable) { m_bPopupMenu = enable; }
    int GetArrowSize() const { return m_nArrowSize; }

protected:
    void PreSubclassWindow() override;
    // Whether the parent is a list view that lets its header sort (no LVS_NOSORTHEADER).
    BOOL ParentIsList() const;
    BOOL ParentAllowsSorting() const;
    // Sets the sort from the menu and tells the list as a click with button index 1 would.
    void SortFromMenu(BOOL ascending);
    void SendSortNotify(int column);

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnWindowPosChanged(WINDOWPOS* pos);
    afx_msg void OnSortAscending();
    afx_msg void OnSortDescending();
    afx_msg void OnAlignLeft();
    afx_msg void OnAlignCenter();
    afx_msg void OnAlignRight();
    afx_msg LRESULT OnFirstInit(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    CPoint m_ptLastRClick;
    UINT m_nPopupMenuId = 0;
    int m_nPopupSubMenu = 0;
    int m_nArrowSize = 6;
    int m_nSortColumn = -1;
    BYTE m_bPressed = 0;
    int m_nSortAscending = -1;
    BOOL m_bShowSortArrow = FALSE;
    BOOL m_bPopupMenu = TRUE;
    BOOL m_bFirstInit = TRUE;
};
