// Dialogs, property sheets and property pages that the user can resize: each is its framework class with the
// resize engine as a second base. Derived classes register their controls' anchors (SetChildAnchor) after the
// base's OnInitDialog, and may keep their placement in a profile section (UsePlacementSection).
#pragma once

#include "uilib/core/dialogs/ResizeEngine.h"

class CUXResizeDialog : public CDialog, public CUXResizeEngine
{
    DECLARE_DYNCREATE(CUXResizeDialog)
public:
    CUXResizeDialog();
    explicit CUXResizeDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr, int flags = 0);
    explicit CUXResizeDialog(LPCSTR lpszTemplateName, CWnd* pParentWnd = nullptr, int flags = 0);

    // A template without a sizing border gets no grip.
    BOOL OnInitDialog() override;

protected:
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};

// The tab control of a resizing sheet: flicker-free, painted through an off-screen surface.
class CUXSheetTabCtrl : public CTabCtrl
{
protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()
};

class CUXResizePropertySheet : public CPropertySheet, public CUXResizeEngine
{
    DECLARE_DYNCREATE(CUXResizePropertySheet)
public:
    explicit CUXResizePropertySheet(LPCSTR pszCaption = nullptr, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0,
                                    int flags = 0);
    explicit CUXResizePropertySheet(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0,
                                    int flags = 0);

    // Sizing border, flat tab control, the system menu of a sizable window, the layout and the anchors of the
    // sheet's buttons, tab control and pages.
    BOOL OnInitDialog() override;
    CUXSheetTabCtrl& GetFlatTabCtrl() { return m_tab; }

protected:
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnDestroy();
    afx_msg BOOL OnPageSetActive(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    // Adds Restore, Size, Minimize and Maximize (texts from the outermost ancestor's system menu).
    void AddSizingCommands();
    // Inserts them into a system menu holding none of them: Restore first, then Size, Minimize and Maximize
    // and a separator after the menu's first item; texts from textSource, else the usual ones.
    static void AddSizingCommands(HMENU menu, HMENU textSource);

    CUXSheetTabCtrl m_tab;
};

class CUXResizePropertyPage : public CPropertyPage, public CUXResizeEngine
{
    DECLARE_DYNCREATE(CUXResizePropertyPage)
public:
    CUXResizePropertyPage();
    // A page never shows a grip: the sheet has one.
    explicit CUXResizePropertyPage(UINT nIDTemplate, UINT nIDCaption = 0, int flags = 0);
    explicit CUXResizePropertyPage(LPCSTR lpszTemplateName, UINT nIDCaption = 0, int flags = 0);

    BOOL OnInitDialog() override;

protected:
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};
