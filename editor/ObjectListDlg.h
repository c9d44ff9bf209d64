// The object list of the slide editor: every object of a slide in a table, with the background in the first
// row, where objects are edited, duplicated, deleted and moved up or down in the drawing order. Changes go
// straight into the slide.
#pragma once

#include "framework/win/Framework.h"
#include "uilib/core/lists/ListCtrl.h"

class CProjectPack;
class CSlide;

// The editor's report list: the library's list with the selection helpers the object list needs.
class CItemListCtrl : public CUXListCtrl
{
    DECLARE_DYNAMIC(CItemListCtrl)
public:
    CItemListCtrl() = default;

    // The last selected item, -1 when none is.
    int GetLastSelectedItem() const;
    // Selects the item, gives it the focus and scrolls it into view.
    void SelectItem(int index);
};

class CObjectListDlg : public CDialog
{
public:
    explicit CObjectListDlg(CWnd* pParent = nullptr);

    enum
    {
        MAX_ROWS = 50,   // the background and 49 objects: no room for a copy
    };

    CItemListCtrl m_list;
    CBitmapButton m_btnUp;
    CBitmapButton m_btnDown;
    int m_nWidth;   // the background picture's size, the area the objects stay in
    int m_nHeight;
    CSlide* m_pSlide;   // the slide whose objects the rows show; none closes the dialog at once
    char m_cLanguage;
    int m_nSlideIndex;   // -1 when unknown
    const CProjectPack* m_pPack;
    int m_nGrid;                  // text positions snap to it when a text is edited
    CString m_strProjectFolder;   // where browsing for images starts

    // Fills the table from the slide: the background, then one row per object in slot order.
    void FillList();
    void UpdateButtons();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    afx_msg void OnEditObject();
    afx_msg void OnDuplicateObject();
    afx_msg void OnDeleteObject();
    afx_msg void OnMoveUp();
    afx_msg void OnMoveDown();
    afx_msg void OnHelp();
    afx_msg void OnListDblClk(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnListChanged(NMHDR* pNMHDR, LRESULT* pResult);

    // The first selected row, -1 for none.
    int GetSelectedRow() const;
    // Swaps the objects of two rows and selects the row the first one went to.
    void SwapRows(int row, int otherRow);
    // Loads a button's images so that their grey faces take the system's colours.
    static void LoadButtonImages(CBitmapButton& button, UINT normal, UINT pressed, UINT disabled);

    DECLARE_MESSAGE_MAP()
};
