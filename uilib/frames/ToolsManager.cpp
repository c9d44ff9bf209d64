#include "uilib/frames/ToolsManager.h"

#include "uilib/core/bars/CoolMenu.h"
#include "uilib/core/base/GlobalData.h"
#include "uilib/core/base/SettingsStore.h"

#include "resources/uilib/UilibResources.h"

#include <shellapi.h>

#include <cstring>
#include <memory>
#include <set>

namespace
{

const char kToolsEntry[] = "Tools";

CString SettingsSection()
{
    CString section;
    AfxLoadString(IDS_UX_SETTINGS, section, uxAfxData.m_hResourceModule);
    return section;
}

BOOL IsToolId(UINT nID)
{
    return nID >= ID_UX_TOOLS_FIRST && nID <= ID_UX_TOOLS_LAST;
}

// Copies text into a field, cut to the field and always terminated.
template <size_t N>
void CopyField(char (&field)[N], const char (&text)[N])
{
    size_t length = strnlen(text, N - 1);
    std::memcpy(field, text, length);
    field[length] = '\0';
}

template <size_t N>
void TerminateField(char (&field)[N])
{
    field[N - 1] = '\0';
}

}   // namespace

CUXToolsManager& GetToolsManager()
{
    static std::unique_ptr<CUXToolsManager> manager(new CUXToolsManager);
    return *manager;
}

CUXToolsManager::CUXToolsManager() = default;

CUXToolsManager::~CUXToolsManager()
{
    if (m_bActive)
        Save(0);
    if (m_hMenu != nullptr && ::IsMenu(m_hMenu))
        ::DestroyMenu(m_hMenu);
}

// ---- stored list -----------------------------------------------------------------------------------------

BOOL CUXToolsManager::Load()
{
    m_tools.clear();
    CUXSettingsStore store;
    std::vector<BYTE> data;
    if (!store.GetProfileBinary(SettingsSection(), kToolsEntry, data))
    {
        BuildMenu();
        return FALSE;
    }
    // Whole records only, each field terminated; ids that are outside the range or taken twice are given
    // free ones afterwards (a record that finds none is dropped).
    std::vector<CUXToolRecord> loaded(data.size() / sizeof(CUXToolRecord));
    std::set<UINT> taken;
    for (size_t i = 0; i < loaded.size(); ++i)
    {
        CUXToolRecord& record = loaded[i];
        std::memcpy(&record, data.data() + i * sizeof(CUXToolRecord), sizeof(CUXToolRecord));
        TerminateField(record.m_szMenuText);
        TerminateField(record.m_szArguments);
        TerminateField(record.m_szCommand);
        TerminateField(record.m_szDirectory);
        if (IsToolId(record.m_nID) && taken.insert(record.m_nID).second)
            continue;
        record.m_nID = 0;
    }
    UINT next = ID_UX_TOOLS_FIRST;
    for (CUXToolRecord& record : loaded)
    {
        if (record.m_nID == 0)
        {
            while (next <= ID_UX_TOOLS_LAST && taken.count(next) != 0)
                ++next;
            if (next > ID_UX_TOOLS_LAST)
                continue;
            record.m_nID = next;
            taken.insert(next);
        }
        m_tools.push_back(record);
    }
    BuildMenu();
    return TRUE;
}

BOOL CUXToolsManager::Save(int disable)
{
    CUXSettingsStore store;
    if (m_bCleared)
    {
        if (!store.DeleteProfileValue(SettingsSection(), kToolsEntry))
            return FALSE;
    }
    else if (m_bDirty)
    {
        if (!store.WriteProfileBinary(SettingsSection(), kToolsEntry,
                                      reinterpret_cast<const BYTE*>(m_tools.data()),
                                      static_cast<UINT>(m_tools.size() * sizeof(CUXToolRecord))))
            return FALSE;
    }
    if (disable)
        m_bEnabled = 0;
    m_bDirty = 0;
    BuildMenu();
    return TRUE;
}

// ---- the list --------------------------------------------------------------------------------------------

BOOL CUXToolsManager::IsUsableId(UINT nID, const CUXToolRecord* pExcept) const
{
    if (!IsToolId(nID))
        return FALSE;
    for (const CUXToolRecord& tool : m_tools)
        if (&tool != pExcept && tool.m_nID == nID)
            return FALSE;
    return TRUE;
}

UINT CUXToolsManager::NextFreeId() const
{
    for (UINT nID = ID_UX_TOOLS_FIRST; nID <= ID_UX_TOOLS_LAST; ++nID)
        if (IsUsableId(nID, nullptr))
            return nID;
    return 0;
}

BOOL CUXToolsManager::AddTool(const CUXToolRecord& record)
{
    UINT nID = IsUsableId(record.m_nID, nullptr) ? record.m_nID : NextFreeId();
    if (nID == 0)
        return FALSE;
    CUXToolRecord copy = {};
    CopyField(copy.m_szMenuText, record.m_szMenuText);
    CopyField(copy.m_szArguments, record.m_szArguments);
    CopyField(copy.m_szCommand, record.m_szCommand);
    CopyField(copy.m_szDirectory, record.m_szDirectory);
    copy.m_nID = nID;
    m_tools.push_back(copy);
    m_bDirty = 1;
    m_bCleared = 0;
    BuildMenu();
    return TRUE;
}

BOOL CUXToolsManager::RemoveTool(const CUXToolRecord* pRecord)
{
    for (auto it = m_tools.begin(); it != m_tools.end(); ++it)
    {
        if (&*it == pRecord)
        {
            m_tools.erase(it);
            m_bDirty = 1;
            return TRUE;
        }
    }
    return FALSE;
}

void CUXToolsManager::RemoveAll()
{
    m_tools.clear();
    m_bCleared = 1;
    m_bDirty = 1;
}

CUXToolRecord* CUXToolsManager::GetTool(int index)
{
    return index >= 0 && index < GetCount() ? &m_tools[static_cast<size_t>(index)] : nullptr;
}

const CUXToolRecord* CUXToolsManager::FindTool(UINT nID) const
{
    for (const CUXToolRecord& tool : m_tools)
        if (tool.m_nID == nID)
            return &tool;
    return nullptr;
}

void CUXToolsManager::FillListBox(CListBox& list) const
{
    list.ResetContent();
    for (auto it = m_tools.rbegin(); it != m_tools.rend(); ++it)
    {
        int index = list.AddString(it->m_szMenuText);
        if (index >= 0)
            list.SetItemDataPtr(index, const_cast<CUXToolRecord*>(&*it));
    }
}

void CUXToolsManager::SetMenuPositions(int defaultMenu, int otherMenus)
{
    m_nDefaultMenuPos = defaultMenu;
    m_nOtherMenuPos = otherMenus;
}

// ---- menu and running ------------------------------------------------------------------------------------

BOOL CUXToolsManager::IsWebAddress(LPCSTR command)
{
    return command != nullptr && (std::strstr(command, "http://") != nullptr || std::strstr(command, "ftp://"));
}

// The shell's icon for web pages, asked by file type: no file is needed for it.
int CUXToolsManager::GetWebIconIndex()
{
    if (m_nWebIcon < 0)
    {
        SHFILEINFOA info = {};
        if (::SHGetFileInfoA(".htm", FILE_ATTRIBUTE_NORMAL, &info, sizeof(info),
                             SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX | SHGFI_SMALLICON) != 0)
            m_nWebIcon = info.iIcon;
    }
    return m_nWebIcon;
}

int CUXToolsManager::GetFileIconIndex(LPCSTR path) const
{
    SHFILEINFOA info = {};
    if (::SHGetFileInfoA(path, 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON) == 0)
        return -1;
    return info.iIcon;
}

void CUXToolsManager::AddIcon(CUXCoolMenu* pCoolMenu, UINT nID, int index)
{
    if (index < 0 || m_hSystemImages == nullptr)
        return;
    HICON hIcon = ::ImageList_GetIcon(m_hSystemImages, index, ILD_NORMAL);
    if (hIcon == nullptr)
        return;
    CSize size = pCoolMenu->GetImageSize();
    pCoolMenu->AddImage(nID, hIcon, size.cx, size.cy, TRUE);
}

void CUXToolsManager::SetCoolMenu(CUXCoolMenu* pCoolMenu)
{
    m_pCoolMenu = pCoolMenu;
    m_pIconMenu = nullptr;
    m_iconCommands.clear();
}

void CUXToolsManager::OfferFrameCoolMenu(CUXCoolMenu* pCoolMenu)
{
    m_pFrameCoolMenu = pCoolMenu;
    if (m_pCoolMenu == nullptr && m_hMenu != nullptr)
        BuildMenu();
}

void CUXToolsManager::WithdrawFrameCoolMenu(CUXCoolMenu* pCoolMenu)
{
    if (m_pFrameCoolMenu == pCoolMenu)
        m_pFrameCoolMenu = nullptr;
    if (m_pIconMenu == pCoolMenu)
    {
        m_pIconMenu = nullptr;
        m_iconCommands.clear();
    }
}

void CUXToolsManager::BuildMenu()
{
    if (m_hMenu != nullptr && ::IsMenu(m_hMenu))
    {
        for (int pos = ::GetMenuItemCount(m_hMenu) - 1; pos >= 0; --pos)
            ::DeleteMenu(m_hMenu, static_cast<UINT>(pos), MF_BYPOSITION);
    }
    else
        m_hMenu = ::CreatePopupMenu();
    if (m_hMenu == nullptr)
        return;
    if (m_hSystemImages == nullptr)
    {
        SHFILEINFOA info = {};
        m_hSystemImages = reinterpret_cast<HIMAGELIST>(
            ::SHGetFileInfoA(".htm", FILE_ATTRIBUTE_NORMAL, &info, sizeof(info),
                             SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    }
    // The icons go to the cool menu the program named, else to the main frame's own.
    CUXCoolMenu* pCoolMenu = m_pCoolMenu != nullptr ? m_pCoolMenu : m_pFrameCoolMenu;
    if (pCoolMenu != m_pIconMenu)
    {
        m_pIconMenu = pCoolMenu;
        m_iconCommands.clear();
    }
    // The menu lists the tools last first.
    for (auto it = m_tools.rbegin(); it != m_tools.rend(); ++it)
    {
        BOOL file = FileExists(it->m_szCommand);
        if (!file && !IsWebAddress(it->m_szCommand))
            continue;   // neither a file nor a web address: kept, but not offered
        // The shell is asked once for each tool's command: the icon stays while the command does.
        auto known = m_iconCommands.find(it->m_nID);
        if (pCoolMenu != nullptr && (known == m_iconCommands.end() || known->second != it->m_szCommand))
        {
            AddIcon(pCoolMenu, it->m_nID, file ? GetFileIconIndex(it->m_szCommand) : GetWebIconIndex());
            m_iconCommands[it->m_nID] = it->m_szCommand;
        }
        ::AppendMenuA(m_hMenu, MF_STRING, it->m_nID, it->m_szMenuText);
    }
    if (!m_tools.empty())
        ::AppendMenuA(m_hMenu, MF_SEPARATOR, 0, nullptr);
    CString customize;
    AfxLoadString(IDS_UX_CUSTOMIZE, customize, uxAfxData.m_hResourceModule);
    ::AppendMenuA(m_hMenu, MF_STRING, ID_UX_CUSTOMIZE, customize);
}

void CUXToolsManager::RunTool(UINT nID) const
{
    const CUXToolRecord* tool = FindTool(nID);
    if (tool == nullptr)
        return;
    AfxShellExecute(nullptr, "open", tool->m_szCommand, tool->m_szArguments, tool->m_szDirectory, SW_SHOW);
}
