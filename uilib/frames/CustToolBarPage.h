// CUXCustToolBarPage: the tool bars page of the customize dialog. It lists the frame's bars with check boxes
// that show and hide them, and makes, renames, deletes and resets bars as each bar's descriptor allows.
// CUXNewToolBarDlg: the "New Toolbar" dialog that asks for a bar's name (also to rename one) and finds the id
// of a new bar.
#pragma once

#include "framework/win/CheckListBox.h"
#include "uilib/core/dialogs/ResizeDialogs.h"
#include "uilib/core/bars/ToolBar.h"

#include <vector>

class CUXNewToolBarDlg : public CDialog
{
public:
    // The name shown first (empty: the first free "Custom %d").
    CUXNewToolBarDlg(CFrameWnd* pFrame, LPCSTR lpszName, CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;
    void OnOK() override;

    // The name entered; the id of a new bar (the lowest bar id from 0xE800 on that no bar of the frame has).
    const CString& GetName() const { return m_strName; }
    UINT GetBarId() const { return m_nBarId; }

    // The bar title of the frame's bars (the window text), "" when it has none.
    static CString BarTitle(CControlBar* pBar);

protected:
    // The first "Custom %d" no bar of the frame is called; empty when every number up to the limit is taken.
    CString FirstFreeName() const;
    // FALSE after telling the user that no more bars can be made.
    void ShowLimit();

    CString m_strName;
    CString m_strOpenedWith;
    CFrameWnd* m_pFrame;
    UINT m_nBarId;
};

class CUXCustToolBarPage : public CUXResizePropertyPage, private CUXCustomizeListener
{
    DECLARE_DYNAMIC(CUXCustToolBarPage)
public:
    explicit CUXCustToolBarPage(CFrameWnd* pFrame);
    ~CUXCustToolBarPage() override;

    BOOL OnInitDialog() override;

    CCheckListBox& GetList() { return m_list; }
    // The listed item of a bar, -1 when it is not listed.
    int FindBar(CControlBar* pBar) const;

protected:
    void AddDescriptor(const CUXBarDescriptor& descriptor);
    const CUXBarDescriptor* SelectedDescriptor();
    void UpdateButtons();
    // The item's text from its bar's title.
    void RefreshItemText(int index);

    afx_msg void OnCheckChange();
    afx_msg void OnSelChange();
    afx_msg void OnNew();
    afx_msg void OnRename();
    afx_msg void OnDelete();
    afx_msg void OnReset();
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

    // What the bars report while the page is open.
    void OnBarAdded(const CUXBarDescriptor& descriptor) override;
    void OnBarShown(CControlBar* pBar, BOOL shown) override;
    void OnBarRenamed(CControlBar* pBar) override;
    void OnBarRemoved(CControlBar* pBar) override;

    CFrameWnd* m_pFrame;
    std::vector<CUXBarDescriptor> m_descriptors;   // an item's data is its descriptor's index
    CCheckListBox m_list;
    CUXCustomizeRegistration m_customizeRegistration{this};
};
