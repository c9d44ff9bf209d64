#include "uilib/frames/CustTools.h"

#include "resources/uilib/UilibResources.h"
#include "uilib/core/base/GlobalData.h"
#include "uilib/core/base/Helpers.h"

#include <algorithm>
#include <cstring>
#include <set>

namespace
{
// Copies text into a record's field, cut to the field and always terminated.
template <size_t N>
void SetField(char (&field)[N], const CString& text)
{
    size_t length = std::min(static_cast<size_t>(text.GetLength()), N - 1);
    std::memcpy(field, text.GetString(), length);
    field[length] = '\0';
}
}   // namespace

IMPLEMENT_DYNAMIC(CUXCustTools, CUXResizePropertyPage)

BEGIN_MESSAGE_MAP(CUXCustTools, CUXResizePropertyPage)
    ON_LBN_SELCHANGE(IDC_UX_TL_LIST, OnSelChange)
    ON_EN_CHANGE(IDC_UX_TL_COMMAND, OnEditChange)
    ON_EN_CHANGE(IDC_UX_TL_ARGUMENTS, OnEditChange)
    ON_EN_CHANGE(IDC_UX_TL_DIRECTORY, OnEditChange)
    ON_CONTROL(UXN_ITEM_CHANGED, IDC_UX_TL_LIST, OnItemRenamed)
    ON_CONTROL(UXN_EDIT_CANCELLED, IDC_UX_TL_LIST, OnEditCancelled)
    ON_CONTROL(UXN_ITEM_ADDED, IDC_UX_TL_LIST, OnItemAdded)
    ON_CONTROL(UXN_ITEM_DELETING, IDC_UX_TL_LIST, OnItemDeleting)
    ON_CONTROL(UXN_ITEM_DELETED, IDC_UX_TL_LIST, OnItemDeleted)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CUXCustTools::CUXCustTools() : CUXResizePropertyPage(IDD_UX_CUST_TOOLS)
{
}

CUXCustTools::~CUXCustTools()
{
    m_records.clear();
    CUXToolsManager& manager = GetToolsManager();
    if (manager.IsEnabled())
        manager.Save(0);
}

BOOL CUXCustTools::OnInitDialog()
{
    CUXResizePropertyPage::OnInitDialog();
    m_list.SetCaption(IDS_UX_MENU_CONTENTS, 0);
    m_list.SubclassDlgItem(IDC_UX_TL_LIST, this);
    m_command.SetBrowseStyle(CUXBrowseEdit::kBrowseFile);
    CString title, filter;
    AfxLoadString(IDS_UX_BROWSE_TITLE, title, uxAfxData.m_hResourceModule);
    AfxLoadString(IDS_UX_TOOL_FILTER, filter, uxAfxData.m_hResourceModule);
    m_command.SetDlgTitle(title);
    m_command.SetDlgFilter(filter);
    m_command.SubclassDlgItem(IDC_UX_TL_COMMAND, this);
    // The program's menus for the arguments and the folder, else the file and folder browsers.
    CUXToolsManager& manager = GetToolsManager();
    std::pair<UINT, int> menu = manager.GetArgumentMenu();
    if (menu.first != 0)
        m_arguments.SetBrowseStyle(CUXBrowseEdit::kPopupMenu, menu.first, menu.second);
    else
        m_arguments.SetBrowseStyle(CUXBrowseEdit::kBrowseFile);
    m_arguments.SubclassDlgItem(IDC_UX_TL_ARGUMENTS, this);
    menu = manager.GetDirectoryMenu();
    if (menu.first != 0)
        m_directory.SetBrowseStyle(CUXBrowseEdit::kPopupMenu, menu.first, menu.second);
    else
        m_directory.SetBrowseStyle(CUXBrowseEdit::kBrowseFolder);
    m_directory.SubclassDlgItem(IDC_UX_TL_DIRECTORY, this);
    m_command.LimitText(sizeof(CUXToolRecord::m_szCommand) - 1);
    m_arguments.LimitText(sizeof(CUXToolRecord::m_szArguments) - 1);
    m_directory.LimitText(sizeof(CUXToolRecord::m_szDirectory) - 1);

    SetChildAnchor(IDC_UX_TL_LIST, CUXAnchorRect(0, 0, 1, 1));
    for (UINT id : {IDC_UX_TL_COMMAND_LABEL, IDC_UX_TL_ARGUMENTS_LABEL, IDC_UX_TL_DIRECTORY_LABEL})
        SetChildAnchor(id, CUXAnchorRect(0, 1, 0, 1));
    for (UINT id : {IDC_UX_TL_COMMAND, IDC_UX_TL_ARGUMENTS, IDC_UX_TL_DIRECTORY})
        SetChildAnchor(id, CUXAnchorRect(0, 1, 1, 1));
    UsePlacementSection("CUXCustTools");

    FillList();
    return TRUE;
}

void CUXCustTools::FillList()
{
    m_list.ResetContent();
    m_records.clear();
    CUXToolsManager& manager = GetToolsManager();
    for (int i = manager.GetCount(); i-- > 0;)
    {
        const CUXToolRecord* tool = manager.GetTool(i);
        if (tool == nullptr)
            continue;
        CUXToolRecord* copy = AddRecord(*tool);
        int index = m_list.AddString(copy->m_szMenuText);
        m_list.SetItemData(index, reinterpret_cast<DWORD_PTR>(copy));
    }
    m_list.SetCurSel(0);
    ShowSelected();
}

CUXToolRecord* CUXCustTools::AddRecord(const CUXToolRecord& record)
{
    m_records.emplace_back(new CUXToolRecord(record));
    return m_records.back().get();
}

void CUXCustTools::FreeRecord(CUXToolRecord* pRecord)
{
    auto found = std::find_if(m_records.begin(), m_records.end(),
                              [pRecord](const std::unique_ptr<CUXToolRecord>& r) { return r.get() == pRecord; });
    if (found != m_records.end())
        m_records.erase(found);
}

CUXToolRecord* CUXCustTools::GetItemTool(int index) const
{
    if (m_list.m_hWnd == nullptr || index < 0 || index >= m_list.GetCount())
        return nullptr;
    return reinterpret_cast<CUXToolRecord*>(m_list.GetItemData(index));
}

void CUXCustTools::ShowSelected()
{
    const CUXToolRecord* tool = GetItemTool(m_list.GetCurSel());
    m_bShowing = TRUE;
    m_command.SetWindowText(tool != nullptr ? tool->m_szCommand : "");
    m_arguments.SetWindowText(tool != nullptr ? tool->m_szArguments : "");
    m_directory.SetWindowText(tool != nullptr ? tool->m_szDirectory : "");
    m_bShowing = FALSE;
    for (CWnd* edit :
         {static_cast<CWnd*>(&m_command), static_cast<CWnd*>(&m_arguments), static_cast<CWnd*>(&m_directory)})
        edit->EnableWindow(tool != nullptr);
}

void CUXCustTools::OnSelChange()
{
    ShowSelected();
}

void CUXCustTools::OnEditChange()
{
    CUXToolRecord* tool = GetItemTool(m_list.GetCurSel());
    if (m_bShowing || tool == nullptr)
        return;
    CString text;
    m_command.GetWindowText(text);
    SetField(tool->m_szCommand, text);
    m_arguments.GetWindowText(text);
    SetField(tool->m_szArguments, text);
    m_directory.GetWindowText(text);
    SetField(tool->m_szDirectory, text);
    GetToolsManager().SetDirty();
}

void CUXCustTools::OnItemRenamed()
{
    // The renamed item is the one whose text is no longer its tool's menu text (the list selects it again
    // only after telling).
    for (int index = 0; index < m_list.GetCount(); ++index)
    {
        CUXToolRecord* tool = GetItemTool(index);
        CString text;
        m_list.GetText(index, text);
        if (tool == nullptr || text == tool->m_szMenuText)
            continue;
        SetField(tool->m_szMenuText, text);
        GetToolsManager().SetDirty();
        m_list.SetCurSel(index);
        break;
    }
}

void CUXCustTools::OnEditCancelled()
{
    m_list.SetCurSel(m_list.GetCurSel());
    ShowSelected();
}

void CUXCustTools::OnItemAdded()
{
    // The new item is the one without a tool yet.
    for (int index = m_list.GetCount(); index-- > 0;)
    {
        if (m_list.GetItemData(index) != 0)
            continue;
        CString text;
        m_list.GetText(index, text);
        CUXToolRecord empty = {};
        SetField(empty.m_szMenuText, text);
        m_list.SetItemData(index, reinterpret_cast<DWORD_PTR>(AddRecord(empty)));
        m_list.SetCurSel(index);
        GetToolsManager().SetDirty();
        break;
    }
    ShowSelected();
}

void CUXCustTools::OnItemDeleting()
{
    m_nDeletingIndex = m_list.GetCurSel();
    m_pDeleting = GetItemTool(m_nDeletingIndex);
}

void CUXCustTools::OnItemDeleted()
{
    if (m_pDeleting != nullptr)
    {
        FreeRecord(m_pDeleting);
        GetToolsManager().SetDirty();
    }
    m_pDeleting = nullptr;
    int count = m_list.GetCount();
    int index = std::min(std::max(m_nDeletingIndex, 0), count - 1);
    m_list.SetCurSel(index);
    m_nDeletingIndex = -1;
    ShowSelected();
}

BOOL CUXCustTools::OnKillActive()
{
    return CheckEntries() && CUXResizePropertyPage::OnKillActive();
}

BOOL CUXCustTools::CheckEntries()
{
    if (m_hWnd == nullptr || m_command.IsBrowsing() || m_arguments.IsBrowsing() || m_directory.IsBrowsing())
        return TRUE;
    for (int index = 0; index < m_list.GetCount(); ++index)
    {
        const CUXToolRecord* tool = GetItemTool(index);
        if (tool == nullptr || CUXToolsManager::IsWebAddress(tool->m_szCommand) ||
            FileExists(tool->m_szCommand))
            continue;
        CString text;
        AfxLoadString(IDS_UX_PATH_INVALID, text, uxAfxData.m_hResourceModule);
        AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
        m_list.SetCurSel(index);
        ShowSelected();
        return FALSE;
    }
    return TRUE;
}

void CUXCustTools::OnDestroy()
{
    // The manager takes the list as the user left it: the bottom item is the first tool.
    // Tools made here take ids that none of the others has, so that those keep theirs.
    std::set<UINT> used;
    for (const std::unique_ptr<CUXToolRecord>& tool : m_records)
        used.insert(tool->m_nID);
    UINT next = ID_UX_TOOLS_FIRST;
    for (const std::unique_ptr<CUXToolRecord>& tool : m_records)
    {
        if (tool->m_nID >= ID_UX_TOOLS_FIRST && tool->m_nID <= ID_UX_TOOLS_LAST)
            continue;
        while (next <= ID_UX_TOOLS_LAST && used.count(next) != 0)
            ++next;
        tool->m_nID = next <= ID_UX_TOOLS_LAST ? next++ : 0;
    }
    CUXToolsManager& manager = GetToolsManager();
    manager.RemoveAll();
    for (int index = m_list.GetCount(); index-- > 0;)
        if (const CUXToolRecord* tool = GetItemTool(index))
            manager.AddTool(*tool);
    CUXResizePropertyPage::OnDestroy();
}
