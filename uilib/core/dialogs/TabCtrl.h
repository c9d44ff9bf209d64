// CUXTabCtrl: a tab control with flicker-free painting, flat tabs in the library's flat look, an optional
// pop-up menu on a right click, tabs that can stand for the child windows of an MDI client, and labels that
// shorten (ending in "...") when the tabs do not fit.
#pragma once

#include "framework/win/Framework.h"

#include <vector>

class CUXTabCtrl : public CTabCtrl
{
public:
    CUXTabCtrl();
    ~CUXTabCtrl() override;

    // The menu resource whose sub-menu opens on a right click (0: none); commands go to the owner.
    void SetPopupMenu(UINT menuId, int subMenuIndex)
    {
        m_nMenuId = menuId;
        m_nSubMenu = subMenuIndex;
    }
    // Labels shorten to fit the control's width; their full texts stay known.
    void SetAutoCondense(BOOL condense);
    BOOL IsAutoCondense() const { return m_bAutoCondense; }
    BOOL IsRedrawSuspended() const { return m_bRedrawOff; }
    // The label a tab was given (before any shortening).
    CString GetFullText(int item) const;
    // The width the control gives a tab with this label (its text plus the padding and an image).
    int TabWidth(CDC& dc, const CString& label, BOOL hasImage) const;
    // Shortens the labels until the tabs fit, or gives them their full texts back.
    void CondenseTabs();

    // One tab for each child window of an MDI client (item data: the child's window), the active one
    // selected; choosing a tab activates its window. The tabs keep their order when they are updated; new
    // children come last.
    void TrackMDIChildren(HWND mdiClient);
    void UpdateMDITabs();
    // Asks every tracked child window to close.
    void CloseAllMDIChildren();
    HWND GetMDIClient() const { return m_hWndMDIClient; }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSysColorChange();
    afx_msg void OnSettingChange(UINT uFlags, LPCSTR lpszSection);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnSelChanging(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg BOOL OnSelChange(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    void CreatePens();
    void DeletePens();
    // The flat look: tabs drawn by hand, along the top, bottom, left or right edge, and a frame round the
    // display area.
    void DrawFlat(CDC* dc);
    // The shadow line an unselected tab has: down its right side for tabs along the top or bottom, along its
    // bottom for tabs along the left or right.
    void DrawTabSeparator(CDC* dc, const CRect& rect, BOOL vertical);
    void DrawTabTop(CDC* dc, const CRect& rect, BOOL selected);
    void DrawTabBottom(CDC* dc, const CRect& rect, BOOL selected);
    void DrawTabLeft(CDC* dc, const CRect& rect, BOOL selected);
    void DrawTabRight(CDC* dc, const CRect& rect, BOOL selected);
    void DrawTabLabel(CDC* dc, int item, const CRect& rect, BOOL selected);

    CPen m_penFrame;
    CPen m_penWindow;
    CPen m_penFace;
    CPen m_penShadow;
    int m_cyEdge = 2;
    UINT m_nMenuId = 0;
    int m_nSubMenu = 0;
    BOOL m_bAutoCondense = FALSE;
    std::vector<CString> m_fullTexts;   // one per tab, in tab order
    bool m_bCondensing = false;
    bool m_bRedrawOff = false;   // between the start and the end of a selection change
    HWND m_hWndMDIClient = nullptr;
};
