#include "uilib/frames/KeyMapManager.h"

#include "uilib/core/base/GlobalData.h"
#include "uilib/core/base/SettingsStore.h"
#include "uilib/core/bars/ToolBar.h"
#include "uilib/frames/MenuBar.h"

#include "resources/uilib/UilibResources.h"

#include <cstring>
#include <memory>

namespace
{

const char kAcceleratorsEntry[] = "Accelerators";

struct KeyName
{
    WORD key;
    const char* name;
};

// Searched from the start; the digits and letters are named after themselves (below).
const KeyName kKeyNames[] = {
    {0x01, "Left Button"}, {0x02, "Right Button"}, {0x03, "Cancel"},       {0x04, "Middle Button"},
    {0x08, "Back"},        {0x09, "Tab"},          {0x0C, "Clear"},        {0x0D, "Enter"},
    {0x10, "Shift"},       {0x11, "Ctrl"},         {0x12, "Alt"},          {0x13, "Pause"},
    {0x14, "Caps Lock"},   {0x1B, "Esc"},          {0x20, "Space"},        {0x21, "Page Up"},
    {0x22, "Page Down"},   {0x23, "End"},          {0x24, "Home"},         {0x25, "Left Arrow"},
    {0x26, "Up Arrow"},    {0x27, "Right Arrow"},  {0x28, "Down Arrow"},   {0x29, "Select"},
    {0x2A, "Print"},       {0x2B, "Execute"},      {0x2C, "Snapshot"},     {0x2D, "Ins"},
    {0x2E, "Del"},         {0x2F, "Help"},         {0x5B, "Left Windows"}, {0x5C, "Right Windows"},
    {0x5D, "Application"}, {0x6A, "Num *"},        {0x6B, "Num +"},        {0x6C, "Separator"},
    {0x6D, "Num -"},       {0x6E, "Num ."},        {0x6F, "Num /"},        {0x70, "F1"},
    {0x71, "F2"},          {0x72, "F3"},           {0x73, "F4"},           {0x74, "F5"},
    {0x75, "F6"},          {0x76, "F7"},           {0x77, "F8"},           {0x78, "F9"},
    {0x79, "F10"},         {0x7A, "F11"},          {0x7B, "F12"},          {0x60, "Num 0"},
    {0x61, "Num 1"},       {0x62, "Num 2"},        {0x63, "Num 3"},        {0x64, "Num 4"},
    {0x65, "Num 5"},       {0x66, "Num 6"},        {0x67, "Num 7"},        {0x68, "Num 8"},
    {0x69, "Num 9"},       {0x90, "Num Lock"},     {0x91, "Scrl Lock"},    {0xF6, "Attn"},
    {0xF7, "Crsel"},       {0xF8, "Exsel"},        {0xF9, "Ereof"},        {0xFA, "Play"},
    {0xFB, "Zoom"},        {0xFC, "No Name"},      {0xFD, "Pa1"},          {0xFE, "Oem Clear"},
};

struct ModifierName
{
    BYTE flag;
    const char* name;
};
const ModifierName kModifierNames[] = {{FSHIFT, "Shift"}, {FCONTROL, "Ctrl"}, {FALT, "Alt"}};

// The flag bits an accelerator record may carry.
const BYTE kKnownFlags = FVIRTKEY | FNOINVERT | CUXKeyMapManager::kModifierMask;

CString SettingsSection()
{
    CString section;
    AfxLoadString(IDS_UX_SETTINGS, section, uxAfxData.m_hResourceModule);
    return section;
}

// A record the frame could have made: known flag bits, a key, a command.
BOOL IsValidRecord(const CUXStoredAccel& record)
{
    return (record.flags & ~kKnownFlags) == 0 && record.key != 0 && record.key <= 0xFF && record.command != 0;
}

CString MenuItemText(HMENU hMenu, int pos)
{
    char text[256] = {};
    ::GetMenuStringA(hMenu, static_cast<UINT>(pos), text, sizeof(text), MF_BYPOSITION);
    return text;
}

// A command item: not a separator, not a popup, with an id.
BOOL IsCommandItem(HMENU hMenu, int pos)
{
    if (::GetSubMenu(hMenu, pos) != nullptr)
        return FALSE;
    UINT id = ::GetMenuItemID(hMenu, pos);
    return id != 0 && id != static_cast<UINT>(-1) && !(::GetMenuState(hMenu, pos, MF_BYPOSITION) & MF_SEPARATOR);
}

BOOL ProvideShortcutText(UINT nID, CString& text)
{
    return GetKeyMapManager().GetFirstShortcutText(nID, text);
}

}   // namespace

CUXKeyMapManager& GetKeyMapManager()
{
    static std::unique_ptr<CUXKeyMapManager> manager(
        []
        {
            // Tool bars show the shortcuts in their tips from now on.
            CUXToolBar::SetShortcutTextProvider(&ProvideShortcutText);
            return new CUXKeyMapManager;
        }());
    return *manager;
}

CUXKeyMapManager::CUXKeyMapManager() = default;

CUXKeyMapManager::~CUXKeyMapManager()
{
    if (m_bSaveOnDestroy)
        Commit(FALSE);
}

// ---- stored table ----------------------------------------------------------------------------------------

BOOL CUXKeyMapManager::Load()
{
    m_current.clear();
    CUXSettingsStore store;
    std::vector<BYTE> data;
    if (!store.GetProfileBinary(SettingsSection(), kAcceleratorsEntry, data))
    {
        // An empty value is a table with no shortcuts, which the user chose by removing them all.
        return store.HasProfileValue(SettingsSection(), kAcceleratorsEntry);
    }
    const size_t count = data.size();
    // A damaged value is refused whole: the frame keeps the shortcuts it has.
    if (count % sizeof(CUXStoredAccel) != 0)
        return FALSE;
    std::vector<ACCEL> table;
    for (size_t offset = 0; offset < count; offset += sizeof(CUXStoredAccel))
    {
        CUXStoredAccel record;
        std::memcpy(&record, data.data() + offset, sizeof(record));
        if (!IsValidRecord(record))
            return FALSE;
        ACCEL accel = {record.flags, record.key, record.command};
        table.push_back(accel);
    }
    m_current = table;
    return TRUE;
}

BOOL CUXKeyMapManager::Save(const ACCEL* table, int count)
{
    std::vector<CUXStoredAccel> records;
    for (int i = 0; i < count; ++i)
        records.push_back({table[i].fVirt, 0, table[i].key, table[i].cmd});
    CUXSettingsStore store;
    return store.WriteProfileBinary(SettingsSection(), kAcceleratorsEntry,
                                    reinterpret_cast<const BYTE*>(records.data()),
                                    static_cast<UINT>(records.size() * sizeof(CUXStoredAccel)));
}

BOOL CUXKeyMapManager::Enable(CFrameWnd* pFrame)
{
    if (pFrame == nullptr)
        return FALSE;
    m_pFrame = pFrame;
    m_default.clear();
    if (pFrame->m_hAccelTable != nullptr)
    {
        int count = ::CopyAcceleratorTableA(pFrame->m_hAccelTable, nullptr, 0);
        m_default.resize(static_cast<size_t>(count));
        if (count > 0)
            ::CopyAcceleratorTableA(pFrame->m_hAccelTable, m_default.data(), count);
    }
    m_bEnabled = 1;
    if (Load())
        return Apply();
    m_current = m_default;
    return TRUE;
}

BOOL CUXKeyMapManager::Commit(BOOL clearEnabled)
{
    if (m_bResetPending)
    {
        CUXSettingsStore store;
        if (!store.DeleteProfileValue(SettingsSection(), kAcceleratorsEntry))
            return FALSE;
        m_bResetPending = 0;
    }
    else if (m_bDirty)
    {
        if (!Save(m_current.data(), static_cast<int>(m_current.size())))
            return FALSE;
        m_bDirty = 0;
    }
    if (clearEnabled)
        m_bEnabled = 0;
    return TRUE;
}

BOOL CUXKeyMapManager::GiveFrameTable(const std::vector<ACCEL>& table)
{
    if (m_pFrame == nullptr)
        return FALSE;
    // No shortcuts at all is a frame without a table (the system makes no empty one).
    HACCEL hNew = nullptr;
    if (!table.empty())
    {
        hNew = ::CreateAcceleratorTableA(const_cast<ACCEL*>(table.data()), static_cast<int>(table.size()));
        if (hNew == nullptr)
            return FALSE;
    }
    if (m_pFrame->m_hAccelTable != nullptr)
        ::DestroyAcceleratorTable(m_pFrame->m_hAccelTable);
    m_pFrame->m_hAccelTable = hNew;
    return TRUE;
}

BOOL CUXKeyMapManager::ResetToDefault()
{
    if (!GiveFrameTable(m_default))
        return FALSE;
    m_current = m_default;
    m_bDirty = 0;
    m_bResetPending = 1;
    return TRUE;
}

BOOL CUXKeyMapManager::Apply()
{
    return GiveFrameTable(m_current);
}

// ---- records ---------------------------------------------------------------------------------------------

void CUXKeyMapManager::AddShortcut(UINT nCommand, BYTE flags, WORD key)
{
    ACCEL accel = {flags, key, static_cast<WORD>(nCommand)};
    m_current.push_back(accel);
    m_bResetPending = 0;
    m_bDirty = 1;
}

BOOL CUXKeyMapManager::FindShortcut(BYTE flags, WORD key, UINT* pCommand) const
{
    for (const ACCEL& accel : m_current)
    {
        if ((accel.fVirt & kModifierMask) == (flags & kModifierMask) && accel.key == key)
        {
            if (pCommand != nullptr)
                *pCommand = accel.cmd;
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CUXKeyMapManager::RemoveShortcut(BYTE flags, WORD key)
{
    for (auto it = m_current.begin(); it != m_current.end(); ++it)
    {
        if ((it->fVirt & kModifierMask) == (flags & kModifierMask) && it->key == key)
        {
            m_current.erase(it);
            m_bDirty = 1;
            m_bResetPending = 0;
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CUXKeyMapManager::IsShortcutKey(const MSG* pMsg) const
{
    if (pMsg == nullptr || pMsg->message != WM_KEYDOWN)
        return FALSE;
    WORD key = static_cast<WORD>(pMsg->wParam);
    if (key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU)
        return FALSE;
    BYTE flags = FVIRTKEY | FNOINVERT;
    if (::GetKeyState(VK_MENU) < 0)
        flags |= FALT;
    if (::GetKeyState(VK_CONTROL) < 0)
        flags |= FCONTROL;
    if (::GetKeyState(VK_SHIFT) < 0)
        flags |= FSHIFT;
    return FindShortcut(flags, key);
}

// ---- texts -----------------------------------------------------------------------------------------------

CString CUXKeyMapManager::GetKeyName(WORD key)
{
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
        return CString(static_cast<char>(key));
    for (const KeyName& entry : kKeyNames)
        if (entry.key == key)
            return entry.name;
    return CString();
}

CString CUXKeyMapManager::FormatShortcut(const ACCEL& accel)
{
    CString text;
    if (accel.key == 0)
        return text;
    for (const ModifierName& modifier : kModifierNames)
        if (accel.fVirt & modifier.flag)
            text += CString(modifier.name) + "+";
    return text + GetKeyName(accel.key);
}

void CUXKeyMapManager::AppendShortcutText(UINT nCommand, CString& text) const
{
    BOOL first = TRUE;
    for (const ACCEL& accel : m_current)
    {
        if (accel.cmd != nCommand)
            continue;
        if (!first)
            text += ", ";
        text += FormatShortcut(accel);
        first = FALSE;
    }
}

BOOL CUXKeyMapManager::GetNextShortcut(int& index, UINT nCommand, CString& text, BYTE& flags, WORD& key) const
{
    for (; index >= 0 && index < static_cast<int>(m_current.size()); ++index)
    {
        const ACCEL& accel = m_current[static_cast<size_t>(index)];
        if (accel.cmd != nCommand)
            continue;
        text = FormatShortcut(accel);
        flags = accel.fVirt;
        key = accel.key;
        ++index;
        return TRUE;
    }
    return FALSE;
}

BOOL CUXKeyMapManager::GetFirstShortcutText(UINT nCommand, CString& text) const
{
    CString all;
    AppendShortcutText(nCommand, all);
    int comma = all.Find(',');
    text = comma >= 0 ? all.Left(comma) : all;
    return !text.IsEmpty();
}

void CUXKeyMapManager::UpdateMenuShortcuts(HMENU hPopup) const
{
    int count = ::GetMenuItemCount(hPopup);
    for (int pos = 0; pos < count; ++pos)
    {
        MENUITEMINFOA info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU;
        if (!::GetMenuItemInfoA(hPopup, static_cast<UINT>(pos), TRUE, &info) || info.hSubMenu != nullptr ||
            info.wID == 0 || (info.fType & (MFT_SEPARATOR | MFT_OWNERDRAW | MFT_BITMAP)))
            continue;
        CString text = MenuItemText(hPopup, pos);
        int tab = text.Find('\t');
        CString kept = tab >= 0 ? text.Left(tab) : text;
        CString shortcut;
        CString updated = kept;
        if (GetFirstShortcutText(info.wID, shortcut))
            updated = kept + "\t" + shortcut;
        if (updated == text)
            continue;
        // Only the text changes: the item keeps its state and data.
        MENUITEMINFOA change = {};
        change.cbSize = sizeof(change);
        change.fMask = MIIM_STRING;
        change.dwTypeData = const_cast<LPSTR>(updated.GetString());
        ::SetMenuItemInfoA(hPopup, static_cast<UINT>(pos), TRUE, &change);
    }
}

// ---- the command catalogue -------------------------------------------------------------------------------

HMENU CUXKeyMapManager::GetFrameMenu() const
{
    if (m_pFrame == nullptr || m_pFrame->GetSafeHwnd() == nullptr)
        return nullptr;
    HMENU hMenu = ::GetMenu(m_pFrame->GetSafeHwnd());
    if (hMenu != nullptr)
        return hMenu;
    CUXMenuBar* pMenuBar = CUXMenuBar::FindMenuBar(m_pFrame);
    return pMenuBar != nullptr ? pMenuBar->GetCurrentMenu() : nullptr;
}

CString CUXKeyMapManager::CleanMenuText(const CString& text)
{
    CString clean = text;
    clean.Replace("&", "");
    int tab = clean.Find('\t');
    return tab >= 0 ? clean.Left(tab) : clean;
}

void CUXKeyMapManager::RebuildCommandMap(HMENU hMenu)
{
    m_categories.clear();
    m_commandCategory.clear();
    m_descriptions.clear();
    if (hMenu == nullptr)
        hMenu = GetFrameMenu();
    if (hMenu == nullptr)
        return;
    AddCategories(hMenu, CString());
    std::vector<CString> topNames;
    int count = ::GetMenuItemCount(hMenu);
    for (int pos = 0; pos < count; ++pos)
    {
        HMENU hPopup = ::GetSubMenu(hMenu, pos);
        if (hPopup == nullptr)
            continue;
        CString name = CleanMenuText(MenuItemText(hMenu, pos));
        topNames.push_back(name);
        RecordCommands(hPopup, name, name);
    }
    for (const ExtraCommand& extra : m_extraCommands)
        for (const CString& top : topNames)
            if (extra.category.CompareNoCase(top) == 0)
            {
                RecordCommand(extra.command, top, extra.name, top);
                break;
            }
}

void CUXKeyMapManager::AddCategories(HMENU hMenu, const CString& prefix)
{
    int count = ::GetMenuItemCount(hMenu);
    for (int pos = 0; pos < count; ++pos)
    {
        HMENU hPopup = ::GetSubMenu(hMenu, pos);
        if (hPopup == nullptr)
            continue;
        CString name = CleanMenuText(MenuItemText(hMenu, pos));
        if (!prefix.IsEmpty())
            name = prefix + " | " + name;
        int items = ::GetMenuItemCount(hPopup);
        for (int item = 0; item < items; ++item)
            if (IsCommandItem(hPopup, item))
            {
                m_categories.push_back({name, hPopup});
                break;
            }
        AddCategories(hPopup, name);
    }
}

void CUXKeyMapManager::RecordCommands(HMENU hMenu, const CString& path, const CString& topName)
{
    int count = ::GetMenuItemCount(hMenu);
    for (int pos = 0; pos < count; ++pos)
    {
        CString text = CleanMenuText(MenuItemText(hMenu, pos));
        HMENU hPopup = ::GetSubMenu(hMenu, pos);
        if (hPopup != nullptr)
            RecordCommands(hPopup, path + "\\" + text, topName);
        else if (IsCommandItem(hMenu, pos))
            RecordCommand(::GetMenuItemID(hMenu, pos), path, text, topName);
    }
}

void CUXKeyMapManager::RecordCommand(UINT nCommand, const CString& path, const CString& name,
                                     const CString& topName)
{
    if (m_excluded.count(nCommand) != 0)
        return;
    auto alternatives = m_alternativeNames.find(nCommand);
    if (alternatives != m_alternativeNames.end())
    {
        for (const CString& alternative : alternatives->second)
            m_descriptions.push_back({nCommand, path + "\\" + alternative});
    }
    else
        m_descriptions.push_back({nCommand, path + "\\" + name});
    m_commandCategory[nCommand] = topName;
}

void CUXKeyMapManager::FillCategoryCombo(CComboBox& combo) const
{
    for (const Category& category : m_categories)
    {
        int index = combo.AddString(category.name);
        if (index >= 0)
            combo.SetItemDataPtr(index, category.menu);
    }
}

BOOL CUXKeyMapManager::FindDescription(UINT nCommand, CString& text) const
{
    for (const Description& description : m_descriptions)
        if (description.command == nCommand)
        {
            text = description.name;
            return TRUE;
        }
    return FALSE;
}

CString CUXKeyMapManager::GetCommandCategory(UINT nCommand) const
{
    auto found = m_commandCategory.find(nCommand);
    return found != m_commandCategory.end() ? found->second : CString();
}

void CUXKeyMapManager::ExcludeCommand(UINT nCommand)
{
    m_excluded[nCommand] = TRUE;
}

void CUXKeyMapManager::AddAlternativeName(UINT nCommand, LPCSTR name)
{
    m_alternativeNames[nCommand].push_back(CString(name));
}

void CUXKeyMapManager::AddExtraCommand(LPCSTR category, LPCSTR name, UINT nCommand)
{
    m_extraCommands.push_back({CString(category), CString(name), nCommand});
}
