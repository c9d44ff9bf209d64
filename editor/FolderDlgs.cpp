#include "editor/FolderDlgs.h"

#include "editor/EditorControls.h"
#include "editor/FileHelpers.h"
#include "resources/editor/resource.h"

namespace
{

// A name or path field: text longer than the limit is refused with a message when the dialog's data are
// taken. Nothing limits the typing, so nothing is cut off unseen.
void DDX_LimitedText(CDataExchange* pDX, int id, CString& value, int limit)
{
    DDX_Text(pDX, id, value);
    if (pDX->m_bSaveAndValidate)
        DDV_MaxChars(pDX, value, limit);
}

// The folder itself when it is there, else its nearest parent that is; empty when none is.
CString NearestExistingFolder(const char* path)
{
    CString folder = path;
    while (!folder.IsEmpty() && !IsFolder(folder))
    {
        CString parent;
        GetFolderOfPath(folder, parent);
        if (parent == folder || parent.IsEmpty())
            return CString();
        folder = parent;
    }
    return folder;
}

// Makes the folder; a failure is told with the folder's path. TRUE when the folder is there afterwards.
BOOL CreateFolderOrTell(const CString& folder)
{
    if (folder.GetLength() > CSelectFolderDlg::MAX_PATH_LENGTH)
    {
        AfxMessageBox(FormatString(IDS_FOLDER_PATH_TOO_LONG, folder,
                                   static_cast<int>(CSelectFolderDlg::MAX_PATH_LENGTH)),
                      MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    if (!::CreateDirectoryA(folder, nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS)
    {
        AfxMessageBox(FormatString(IDS_FOLDER_NOT_CREATED, folder), MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    return TRUE;
}

}   // namespace

// ---- CFolderTree -------------------------------------------------------------------------------------------

CFolderTree::CFolderTree()
{
    m_nEnumFlags = SHCONTF_FOLDERS;
}

// ---- CNotifyFolderTree -------------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CNotifyFolderTree, CFolderTree)
    ON_NOTIFY_REFLECT_EX(TVN_SELCHANGEDA, OnSelectionChanged)
    ON_NOTIFY_REFLECT_EX(TVN_SELCHANGEDW, OnSelectionChanged)
END_MESSAGE_MAP()

BOOL CNotifyFolderTree::OnSelectionChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    BOOL handled = CUXShellFolderTree::OnSelChanged(pNMHDR, pResult);
    CWnd* parent = GetParent();
    if (m_nCommandId != 0 && parent != nullptr)
        parent->SendMessage(WM_COMMAND, MAKEWPARAM(m_nCommandId, 0), reinterpret_cast<LPARAM>(GetSafeHwnd()));
    return handled;
}

// ---- CNewFolderDlg -----------------------------------------------------------------------------------------

CNewFolderDlg::CNewFolderDlg(CWnd* pParent) : CDialog(IDD_NEW_FOLDER, pParent)
{
}

void CNewFolderDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_LimitedText(pDX, IDC_FOLDER_NAME, m_strName, CSelectFolderDlg::MAX_PATH_LENGTH);
}

// ---- CSelectFolderDlg --------------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CSelectFolderDlg, CDialog)
    ON_COMMAND(ID_FOLDER_SELECTED, OnFolderSelected)
    ON_BN_CLICKED(IDC_CREATE_FOLDER, OnCreateFolder)
END_MESSAGE_MAP()

CSelectFolderDlg::CSelectFolderDlg(CWnd* pParent) : CDialog(IDD_SELECT_FOLDER, pParent)
{
}

void CSelectFolderDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FOLDER_TREE, m_tree);
    DDX_LimitedText(pDX, IDC_FOLDER_PATH, m_strPath, MAX_PATH_LENGTH);
    DDX_Text(pDX, IDC_FOLDER_TEXT, m_strText);
}

BOOL CSelectFolderDlg::OnInitDialog()
{
    CWaitCursor wait;
    CDialog::OnInitDialog();
    if (!m_strTitle.IsEmpty())
        SetWindowText(m_strTitle);
    // The tree is filled now rather than after the dialog has shown itself.
    m_tree.OnInitialize();
    m_tree.m_nCommandId = ID_FOLDER_SELECTED;
    // A start folder that has gone opens the tree at the nearest folder that is still there.
    CString start = NearestExistingFolder(m_strPath);
    if (!start.IsEmpty())
        m_tree.SelectPath(start);
    else
        GetDlgItem(IDC_CREATE_FOLDER)->EnableWindow(FALSE);
    return TRUE;
}

BOOL CSelectFolderDlg::TakePath()
{
    // The path the user typed stands; otherwise the tree's selection.
    if (!static_cast<CEdit*>(GetDlgItem(IDC_FOLDER_PATH))->GetModify())
    {
        RefreshPath();
        return TRUE;
    }
    if (!UpdateData(TRUE))
        return FALSE;
    m_strPath.Trim();
    return TRUE;
}

void CSelectFolderDlg::RefreshPath()
{
    CString path;
    if (!m_tree.GetSelectedPath(path))
        path.Empty();
    m_strPath = path;
    SetDlgItemText(IDC_FOLDER_PATH, m_strPath);
    // A folder can be made in a drive's root ("C:\") or any folder below it.
    GetDlgItem(IDC_CREATE_FOLDER)->EnableWindow(m_strPath.GetLength() > 2);
}

void CSelectFolderDlg::OnFolderSelected()
{
    RefreshPath();
}

void CSelectFolderDlg::OnCreateFolder()
{
    if (!TakePath())
        return;
    CNewFolderDlg dlg(this);
    if (dlg.DoModal() != IDOK)
        return;
    dlg.m_strName.Trim();
    if (dlg.m_strName.IsEmpty())
        return;
    CWaitCursor wait;
    CString folder = Path::Join(m_strPath, dlg.m_strName);
    if (!CreateFolderOrTell(folder))
        return;
    m_tree.PopulateTree();
    m_tree.SelectPath(folder);
    RefreshPath();
}

void CSelectFolderDlg::OnOK()
{
    if (!TakePath())
        return;
    // A typed folder that is not there yet is made when the user wants it.
    if (!m_strPath.IsEmpty() && !IsFolder(m_strPath) &&
        (AfxMessageBox(FormatString(IDS_FOLDER_CREATE_QUESTION, static_cast<const char*>(m_strPath)),
                       MB_YESNO | MB_ICONQUESTION) != IDYES ||
         !CreateFolderOrTell(m_strPath)))
        return;
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

BOOL BrowseForProjectFolder(CWnd* owner, const char* title, const char* text, CString& folder)
{
    // The folder tree talks to the shell, which wants OLE on this thread.
    HRESULT ole = ::OleInitialize(nullptr);
    CSelectFolderDlg dlg(owner);
    dlg.SetTitle(title);
    dlg.SetText(text);
    dlg.m_strPath = folder;
    BOOL chosen = dlg.DoModal() == IDOK;
    if (chosen)
        folder = dlg.m_strPath;
    if (SUCCEEDED(ole))
        ::OleUninitialize();
    return chosen;
}
