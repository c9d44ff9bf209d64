// CUXCustCommandsPage: the commands page of the customize dialog. It lists the categories of commands that the
// customize centre's providers know and the customizable commands of the chosen one, each with its icon; a
// command dragged from the list onto a customizable bar becomes a button there. "Description" shows the
// command's prompt.
#pragma once

#include "uilib/core/bars/CustomizeCenter.h"
#include "uilib/core/dialogs/InfoTipWnd.h"
#include "uilib/core/base/LookPainters.h"
#include "uilib/core/dialogs/ResizeDialogs.h"
#include "uilib/core/bars/CommandImageMap.h"

#include <vector>

class CUXCustCommandsPage;

// The commands list: 22-pixel rows with the command's icon (or a sub-menu's triangle) and its name; a drag
// that starts on an item carries the command.
class CUXCommandsListBox : public CListBox, public CUXListItemIcons
{
public:
    enum
    {
        kRowHeight = 22,
        kIconColumn = 22,
        kTextLeft = 28
    };
    explicit CUXCommandsListBox(CUXCustCommandsPage* pPage) : m_pPage(pPage) {}

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;
    HICON GetItemIcon(int item) override;

protected:
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

    CUXCustCommandsPage* m_pPage;
};

class CUXCustCommandsPage : public CUXResizePropertyPage
{
    DECLARE_DYNAMIC(CUXCustCommandsPage)
public:
    CUXCustCommandsPage();
    ~CUXCustCommandsPage() override;

    BOOL OnInitDialog() override;

    // The record of a listed command (item of the commands list), or null.
    CUXCommandRecord* GetCommand(int item) const;
    // The command's icons from the image providers (copies the caller destroys); FALSE when it has none.
    BOOL LookupImages(UINT nID, HICON& icon, HICON& hotIcon) const;
    // Drags the command of an item of the commands list.
    virtual void StartDrag(int item);

    CListBox& GetCategoryList() { return m_categoryList; }
    CUXCommandsListBox& GetCommandList() { return m_commandList; }
    const CString& GetDescription() const { return m_strDescription; }
    // The categories in their listed order.
    int GetCategoryCount() const { return static_cast<int>(m_order.size()); }
    CUXCommandCategory* GetCategory(int index) const;

protected:
    void ListCommands();
    void SelectCommand();

    afx_msg void OnCategoryChange();
    afx_msg void OnCommandChange();
    afx_msg void OnDescription();
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

    CUXCommandCategories m_categories;
    std::vector<int> m_order;   // indexes of m_categories, sorted
    CUXCommandImageMap m_images;
    CListBox m_categoryList;
    CUXCommandsListBox m_commandList;
    CUXInfoTipWnd m_tip;
    CString m_strName;
    CString m_strDescription;
};
