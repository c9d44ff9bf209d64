// CUXCustTools: the tools page of the customize dialog. The user's tools are listed by menu text in an edit
// list box (added, renamed, deleted and moved there); the command, arguments and initial directory of the
// selected tool are edited below it. The page works on copies of the tools manager's records and gives the
// list back to the manager when it goes, in the order the user left it.
#pragma once

#include "uilib/core/dialogs/Edit.h"
#include "uilib/core/dialogs/ListBoxes.h"
#include "uilib/core/dialogs/ResizeDialogs.h"
#include "uilib/frames/ToolsManager.h"

#include <memory>
#include <vector>

class CUXCustTools : public CUXResizePropertyPage
{
    DECLARE_DYNAMIC(CUXCustTools)
public:
    CUXCustTools();
    ~CUXCustTools() override;

    BOOL OnInitDialog() override;
    // Leaving the page checks the tools first.
    BOOL OnKillActive() override;

    // FALSE, after telling the user and selecting the tool, when a tool's command is neither an existing file
    // nor a web address (a browse running in one of the edits passes the check).
    BOOL CheckEntries();

    CUXEditListBox& GetList() { return m_list; }
    CUXBrowseEdit& GetCommandEdit() { return m_command; }
    CUXBrowseEdit& GetArgumentsEdit() { return m_arguments; }
    CUXBrowseEdit& GetDirectoryEdit() { return m_directory; }
    // The tool of a listed item, null for none.
    CUXToolRecord* GetItemTool(int index) const;

protected:
    // The list from the manager's tools (last tool on top), item 0 selected.
    void FillList();
    // The edits show the selected tool (emptied and disabled without one).
    void ShowSelected();
    CUXToolRecord* AddRecord(const CUXToolRecord& record);
    void FreeRecord(CUXToolRecord* pRecord);

    afx_msg void OnSelChange();
    afx_msg void OnEditChange();
    afx_msg void OnItemRenamed();
    afx_msg void OnEditCancelled();
    afx_msg void OnItemAdded();
    afx_msg void OnItemDeleting();
    afx_msg void OnItemDeleted();
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

    CUXEditListBox m_list;
    CUXBrowseEdit m_command;
    CUXBrowseEdit m_arguments;
    CUXBrowseEdit m_directory;
    std::vector<std::unique_ptr<CUXToolRecord>> m_records;   // the listed tools (item data points here)
    CUXToolRecord* m_pDeleting = nullptr;                    // the tool of the item being deleted
    int m_nDeletingIndex = -1;
    BOOL m_bShowing = FALSE;   // the edits are being filled: their changes are not the user's
};
