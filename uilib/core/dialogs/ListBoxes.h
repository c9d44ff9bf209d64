// The library's list boxes, flat and owner-drawn: CUXCheckListBox (check boxes from the library's bitmap that
// toggle on a click in the box), CUXListBox (a flat string list) and CUXEditListBox (a CUXListBox with a
// caption bar, CUXEditGroup, whose four small buttons add, delete and move items, and in-place editing of the
// items). The edit list box tells its owner what happened with WM_COMMAND notifications (Edit.h: UXN_...).
#pragma once

#include "framework/win/CheckListBox.h"
#include "uilib/core/dialogs/Edit.h"
#include "uilib/core/base/Helpers.h"

class CUXCheckListBox : public CCheckListBox
{
    DECLARE_DYNAMIC(CUXCheckListBox)
public:
    CUXCheckListBox() = default;

    // The check-box images: three cells side by side (unchecked, checked, indeterminate), held once.
    static HBITMAP GetCheckBitmap(CSize* cell = nullptr);

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;

protected:
    void PreSubclassWindow() override;
    // The item under point whose check box should toggle (any x when anywhere), or -1.
    int CheckHitTest(CPoint point, BOOL anywhere) const;
    // A click (anywhere on the item for a double click) in the box of an enabled item: the next state, the
    // default handling, the parent told; with a manual style nothing happens at all. Elsewhere: the default.
    void ClickCheck(CPoint point, BOOL anywhere);

    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    DECLARE_MESSAGE_MAP()
};

class CUXListBox : public CListBox
{
    DECLARE_DYNAMIC(CUXListBox)
public:
    CUXListBox() = default;
    // Creates the list owner-drawn with strings.
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    // Whether the first initialisation gives the list the library's normal font (before it runs).
    void UseLibraryFont(BOOL use) { m_bFont = use ? 1 : 0; }
    BOOL IsInitialised() const { return m_bFirstInit == 0; }

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;

protected:
    void PreSubclassWindow() override;
    // The list's own first initialisation (styles and font); derived lists add theirs.
    virtual void OnFirstInitialise();
    COLORREF BackgroundColor() const;

    afx_msg LRESULT OnFirstInit(WPARAM wParam, LPARAM lParam);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    DECLARE_MESSAGE_MAP()

    BYTE m_bFont = 1;
    BYTE m_bFirstInit = 1;
};

class CUXEditListBox;

// The caption bar above an edit list box: its text, and New, Delete, Move Up and Move Down buttons at the
// right with tips.
class CUXEditGroup : public CStatic
{
    DECLARE_DYNAMIC(CUXEditGroup)
public:
    enum
    {
        kButtons = 4,
        kButtonWidth = 22,
        kHeight = 22
    };

    CUXEditGroup();
    ~CUXEditGroup() override;

    // Makes the buttons (the bar's window exists already) for the list that owns the bar.
    BOOL Create(CUXEditListBox* owner);
    void PositionButtons();
    CUXButton& GetButton(int index) { return m_buttons[index]; }
    CToolTipCtrl& GetToolTip() { return m_toolTip; }
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnNew();
    afx_msg void OnDelete();
    afx_msg void OnMoveUp();
    afx_msg void OnMoveDown();
    DECLARE_MESSAGE_MAP()

    void TellOwner(UINT code);

    CUXEditListBox* m_pOwner = nullptr;
    CUXButton m_buttons[kButtons];
    CImageList m_images;
    CToolTipCtrl m_toolTip;
    HICON m_hIcons[kButtons] = {};   // owned by the buttons
    CRect m_rcButtons[kButtons];
};

class CUXEditListBox : public CUXListBox
{
    DECLARE_DYNAMIC(CUXEditListBox)
public:
    enum
    {
        kNoCaption = 0x08   // style bit: no caption bar
    };

    CUXEditListBox();
    ~CUXEditListBox() override;

    // The caption and style (the browse style the item editor gets, and kNoCaption); the bar's text follows.
    void SetCaption(LPCSTR caption, int style);
    void SetCaption(UINT captionId, int style);
    // The file filter the item editor browses with (empty: the editor's own).
    void SetFilter(LPCSTR filter) { m_strFilter = filter != nullptr ? filter : ""; }
    CUXEditGroup& GetCaptionBar() { return m_group; }
    CUXItemEdit* GetActiveEditor() const { return m_pEditor; }

    // Edits the selected item in place, or a new one (appended) when asked or when nothing is selected.
    void EditItem(BOOL newItem);
    void DeleteItem();
    void MoveItemUp();
    void MoveItemDown();

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void OnFirstInitialise() override;
    // Tells the owner (or parent).
    void Notify(UINT code);
    // The item editor reported its end.
    void EndItemEdit();
    void DestroyEditor();

    afx_msg void OnEditEnded();
    afx_msg void OnGroupNew();
    afx_msg void OnGroupDelete();
    afx_msg void OnGroupMoveUp();
    afx_msg void OnGroupMoveDown();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

    int m_nEditIndex = -1;
    int m_bFirstInitDone = 0;
    int m_bNewItem = 0;
    CString m_strEdit;
    CUXEditGroup m_group;
    int m_nStyle = CUXBrowseEdit::kBrowseFolder;
    CString m_strCaption;
    CString m_strFilter;
    CUXItemEdit* m_pEditor = nullptr;
};
