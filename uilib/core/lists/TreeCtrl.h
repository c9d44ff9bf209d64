// CUXTreeCtrl: a tree with an optional multiple selection (click, Ctrl-click, Shift-click, the arrow keys with
// Shift or Ctrl, and a rubber band dragged from empty space), per-item colours and fonts, bold items, and
// depth-first navigation and text search.
//
// The multiple selection lives in the items' TVIS_SELECTED state, apart from the tree's caret (the focused
// item). The combined state word of SetItemStateEx/GetItemStateEx carries the caret as bit 0 (value 1) beside
// the native state bits. Every selection change the control makes asks the parent first (TVN_SELCHANGINGA,
// a non-zero answer refuses it) and reports it afterwards (TVN_SELCHANGEDA).
#pragma once

#include "framework/win/Framework.h"

#include <unordered_map>
#include <vector>

class CUXTreeCtrl : public CTreeCtrl
{
    DECLARE_DYNAMIC(CUXTreeCtrl)
public:
    CUXTreeCtrl();
    ~CUXTreeCtrl() override;

    // ---- navigation ----
    // Depth first over every item, expanded or not: first child, else next sibling, else the next sibling of
    // the nearest ancestor that has one; null after the last item.
    virtual HTREEITEM GetNextItemDeep(HTREEITEM item) const;
    virtual HTREEITEM GetNextItem(HTREEITEM item, UINT code) const;
    // The item before in depth-first order: the deepest last descendant of the previous sibling, else the
    // parent.
    virtual HTREEITEM GetPrevItemDeep(HTREEITEM item) const;
    // The last item in depth-first order below item (below the last root item when null).
    virtual HTREEITEM GetLastItem(HTREEITEM item = nullptr) const;
    // The next item (after start, the caret when null) whose label holds text; wraps around and gives up after
    // one round. wholeWord: the match must not touch a letter, digit or "_" on either side.
    virtual HTREEITEM FindItemByText(LPCSTR text, BOOL matchCase = FALSE, BOOL down = TRUE, BOOL wholeWord = FALSE,
                                     HTREEITEM start = nullptr);

    // ---- looks of single items ----
    virtual BOOL SetItemFont(HTREEITEM item, const LOGFONTA& logFont);
    virtual BOOL GetItemFont(HTREEITEM item, LOGFONTA* logFont) const;
    virtual void SetItemBold(HTREEITEM item, BOOL bold);
    virtual BOOL GetItemBold(HTREEITEM item) const;
    virtual void SetItemColor(HTREEITEM item, COLORREF color);
    // The item's colour, or -1 (as COLORREF) when it has none.
    virtual COLORREF GetItemColor(HTREEITEM item) const;

    // ---- selection ----
    // Turns the multiple selection on or off (off keeps only the caret selected); returns the previous setting.
    virtual BOOL EnableMultiSelect(BOOL on);
    BOOL IsMultiSelect() const { return m_bMultiSelect; }
    BOOL SetItemStateEx(HTREEITEM item, UINT state, UINT mask);
    UINT GetItemStateEx(HTREEITEM item, UINT mask) const;
    // Selects the item and makes it the caret.
    BOOL SelectItem(HTREEITEM item);
    HTREEITEM GetFirstSelectedItem() const;
    HTREEITEM GetNextSelectedItem(HTREEITEM item) const;
    virtual HTREEITEM GetPrevSelectedItem(HTREEITEM item) const;
    UINT GetSelectedCount() const;
    // Every visible item: with the focus given to the tree / all but except.
    void SelectAll(BOOL select = TRUE);
    virtual void SelectAllItems(BOOL select, HTREEITEM except = nullptr);
    // Selects the visible items between first and last, both included; clearOthers deselects the rest.
    void SelectRange(HTREEITEM first, HTREEITEM last, BOOL clearOthers = TRUE);
    // Sets the selection of parent's children (and of the children of expanded ones when recurse); whether
    // one of them was the caret.
    BOOL SelectChildren(HTREEITEM parent, BOOL select = TRUE, BOOL recurse = TRUE);
    HTREEITEM GetAnchorItem() const { return m_hAnchor; }
    // Whether rubber-band hits use the items' text rectangles only.
    void SetTextOnlyRects(BOOL textOnly) { m_bTextOnlyRects = textOnly; }

    // Sends the notification to the parent with the tree's control id.
    virtual LRESULT NotifyParent(NMHDR* header);

protected:
    // ---- mouse ----
    // Left button down with multiple selection; TRUE lets the tree's own handling run afterwards.
    virtual BOOL OnButtonDown(BOOL left, UINT flags, CPoint point);
    virtual void PreSelectOnClick(HTREEITEM item, BOOL left, UINT flags);
    virtual void TrackClick(HTREEITEM item, BOOL left, UINT flags, CPoint point);
    virtual void TrackRubberBand(UINT flags, CPoint point);
    virtual void SelectItemsInRect(CRect rect, UINT flags, std::vector<HTREEITEM>* starting);
    // Whether a found item counts (FindItemByText).
    virtual BOOL IsFindValid(HTREEITEM item);

    // Sends a notification carrying an item (in the new-item part, or the old-item part when old).
    LRESULT NotifyItem(UINT code, HTREEITEM item, BOOL old, CPoint point = CPoint(0, 0));
    // Moves the caret natively (null removes it).
    BOOL SetCaret(HTREEITEM item);
    BOOL IsSelected(HTREEITEM item) const;
    // The band's scroll position: horizontal pixels, vertical lines converted to pixels.
    CPoint ScrollOffset() const;
    void InvalidateSelected();
    BOOL DeselectChildren(HTREEITEM parent, BOOL* caretFound);

    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg BOOL OnItemExpanding(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg BOOL OnDeleteItem(NMHDR* pNMHDR, LRESULT* pResult);
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    DECLARE_MESSAGE_MAP()

    struct ItemStyle
    {
        COLORREF color = static_cast<COLORREF>(-1);
        LOGFONTA font = {};   // ignored while its face name is empty
    };

    BOOL m_bMultiSelect = FALSE;
    BOOL m_bTextOnlyRects = TRUE;
    HTREEITEM m_hAnchor = nullptr;
    std::unordered_map<HTREEITEM, ItemStyle> m_styles;
    BYTE m_bClickCompleted = 0;
};
