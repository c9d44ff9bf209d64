// The editor's folder chooser for the project folder, with its small dialog that names a new folder, and the
// folder trees it is built on.
#pragma once

#include "framework/win/Framework.h"
#include "uilib/core/lists/ShellFolderTree.h"

// The shell's folder tree showing folders only.
class CFolderTree : public CUXShellFolderTree
{
public:
    CFolderTree();
};

// A folder tree that tells its parent of every change of the selection with a command.
class CNotifyFolderTree : public CFolderTree
{
public:
    CNotifyFolderTree() = default;

    UINT m_nCommandId = 0;   // sent as WM_COMMAND to the parent; 0 sends nothing

protected:
    afx_msg BOOL OnSelectionChanged(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()
};

// Asks for the name of a new folder.
class CNewFolderDlg : public CDialog
{
public:
    explicit CNewFolderDlg(CWnd* pParent = nullptr);

    CString m_strName;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};

// Lets the user choose a folder in the tree, or type one, and create folders. The path is both the start
// and the result; paths longer than MAX_PATH_LENGTH are refused with a message.
class CSelectFolderDlg : public CDialog
{
public:
    explicit CSelectFolderDlg(CWnd* pParent = nullptr);

    enum
    {
        MAX_PATH_LENGTH = 240
    };

    void SetTitle(const char* title) { m_strTitle = title ? title : ""; }
    void SetText(const char* text) { m_strText = text ? text : ""; }

    CNotifyFolderTree m_tree;
    CString m_strPath;
    CString m_strText;
    CString m_strTitle;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnFolderSelected();
    afx_msg void OnCreateFolder();

    // The path becomes the tree's selected folder (empty when the selection is no folder).
    void RefreshPath();
    // The path becomes the one the user typed or, when nothing was typed, the tree's selection. FALSE when
    // the typed path is refused (too long).
    BOOL TakePath();

    DECLARE_MESSAGE_MAP()
};

// Lets the user choose (or create) a folder, starting at folder; title is the window's title and text the
// explanation above the folders. TRUE with the chosen folder in folder; FALSE (folder unchanged) when the
// user cancelled.
BOOL BrowseForProjectFolder(CWnd* owner, const char* title, const char* text, CString& folder);
