// CUXCoolMenu: hidden commands, recent items, and the menus' items it draws (the chevron among them).
#include "uilib/core/bars/CoolMenu.h"

#include "uilib/core/base/GlobalData.h"
#include "uilib/core/base/Helpers.h"
#include "uilib/core/base/SettingsStore.h"
#include "uilib/core/bars/CoolMenuInternal.h"

#include <algorithm>
#include <memory>

using namespace CoolMenuInternal;

namespace
{

const char kRecentSection[] = "Recent Item List";

}   // namespace

// ---- hiding and recent items ----

void CUXCoolMenu::AddHiddenCommand(UINT nID)
{
    m_bHidingEnabled = TRUE;
    if (std::find(m_hiddenCommands.begin(), m_hiddenCommands.end(), nID) == m_hiddenCommands.end())
        m_hiddenCommands.push_back(nID);
}

void CUXCoolMenu::AddHiddenCommands(const UINT* ids, int count)
{
    m_bHidingEnabled = TRUE;
    for (int i = 0; ids != nullptr && i < count; ++i)
        AddHiddenCommand(ids[i]);
}

BOOL CUXCoolMenu::IsHiddenCommand(UINT nID) const
{
    return std::find(m_hiddenCommands.begin(), m_hiddenCommands.end(), nID) != m_hiddenCommands.end() &&
           !IsRecentItem(nID);
}

BOOL CUXCoolMenu::IsHidingActive() const
{
    return m_bHidingEnabled && State().trackOpen > 0 && uxAfxData.m_bMenuHideRarelyUsed;
}

void CUXCoolMenu::SetMaxRecentItems(int count)
{
    if (count > 0)
        m_nMaxRecent = count;
}

void CUXCoolMenu::ReadRecentItems(std::vector<UINT>& items) const
{
    CUXSettingsStore store;
    items.clear();
    for (int i = 1; i <= m_nMaxRecent; ++i)
    {
        CString entry;
        entry.Format("Item%d", i);
        items.push_back(store.GetProfileInt(kRecentSection, entry, 0));
    }
}

BOOL CUXCoolMenu::IsRecentItem(UINT nID) const
{
    std::vector<UINT> items;
    ReadRecentItems(items);
    return std::find(items.begin(), items.end(), nID) != items.end();
}

void CUXCoolMenu::AddRecentItem(UINT nID)
{
    // Without hideable commands nothing is ever recorded (and no command costs a registry read).
    if (nID == 0 || m_hiddenCommands.empty())
        return;
    std::vector<UINT> items;
    ReadRecentItems(items);
    BOOL hideable = std::find(m_hiddenCommands.begin(), m_hiddenCommands.end(), nID) != m_hiddenCommands.end();
    auto found = std::find(items.begin(), items.end(), nID);
    if (!hideable && found == items.end())
        return;
    if (found != items.end())
        items.erase(found);
    items.insert(items.begin(), nID);
    items.resize(static_cast<size_t>(m_nMaxRecent));
    CUXSettingsStore store;
    for (int i = 0; i < m_nMaxRecent; ++i)
    {
        CString entry;
        entry.Format("Item%d", i + 1);
        store.WriteProfileInt(kRecentSection, entry, static_cast<int>(items[static_cast<size_t>(i)]));
    }
}

void CUXCoolMenu::ClearRecentItems()
{
    CUXSettingsStore store;
    for (int i = 1;; ++i)
    {
        CString entry;
        entry.Format("Item%d", i);
        if (!store.DeleteProfileValue(kRecentSection, entry))
            break;
    }
}

// ---- menus ----

CUXMenuItemData* CUXCoolMenu::FindItemData(ULONG_PTR itemData) const
{
    // Only records of this menu are read: data of other owners may point anywhere.
    if (itemData == 0)
        return nullptr;
    for (const auto& data : m_itemData)
        if (reinterpret_cast<ULONG_PTR>(data.get()) == itemData)
            return data->m_nSignature == CUXMenuItemData::kSignature ? data.get() : nullptr;
    return nullptr;
}

CUXMenuItemData* CUXCoolMenu::NewItemData()
{
    m_itemData.push_back(std::make_unique<CUXMenuItemData>());
    return m_itemData.back().get();
}

void CUXCoolMenu::DeleteItemData(CUXMenuItemData* data)
{
    m_itemData.erase(std::remove_if(m_itemData.begin(), m_itemData.end(),
                                    [data](const std::unique_ptr<CUXMenuItemData>& held)
                                    { return held.get() == data; }),
                     m_itemData.end());
}

int CUXCoolMenu::FindCommand(CMenu* pMenu, UINT nID) const
{
    if (pMenu == nullptr || pMenu->m_hMenu == nullptr)
        return -1;
    int count = static_cast<int>(pMenu->GetMenuItemCount());
    for (int i = 0; i < count; ++i)
        if (pMenu->GetMenuItemID(i) == nID)
            return i;
    return -1;
}

BOOL CUXCoolMenu::IsSysMenu(CMenu* pMenu) const
{
    if (pMenu == nullptr || m_hWnd == nullptr)
        return FALSE;
    if (::GetSystemMenu(m_hWnd, FALSE) == pMenu->m_hMenu)
        return TRUE;
    // The active child of an MDI frame.
    HWND client = ::GetWindow(m_hWnd, GW_CHILD);
    HWND active =
        client != nullptr ? reinterpret_cast<HWND>(::SendMessageA(client, WM_MDIGETACTIVE, 0, 0)) : nullptr;
    return active != nullptr && ::IsWindow(active) && ::GetSystemMenu(active, FALSE) == pMenu->m_hMenu;
}

void CUXCoolMenu::ConvertMenu(CMenu* pMenu, BOOL toOwnerDraw)
{
    if (pMenu == nullptr || pMenu->m_hMenu == nullptr)
        return;
    HMENU hMenu = pMenu->m_hMenu;
    int count = static_cast<int>(pMenu->GetMenuItemCount());
    if (toOwnerDraw)
    {
        BOOL hiding = m_bHidingEnabled && IsHidingActive();
        for (int i = 0; i < count; ++i)
        {
            MENUITEMINFOA info;
            InitMenuItemInfo(&info);
            char text[257] = {};
            info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA | MIIM_STRING;
            info.dwTypeData = text;
            info.cch = sizeof(text) - 1;
            if (!pMenu->GetMenuItemInfo(static_cast<UINT>(i), &info, TRUE))
                continue;
            CUXMenuItemData* data = FindItemData(info.dwItemData);
            if (info.dwItemData != 0 && data == nullptr)
                continue;   // another owner's item
            if (data == nullptr)
            {
                data = NewItemData();
                data->m_strText = (info.fType & MFT_SEPARATOR) ? "" : text;
                data->m_fType = info.fType & ~MFT_OWNERDRAW;
            }
            data->m_hMenu = hMenu;
            data->m_hSubMenu = info.hSubMenu;
            data->m_nPosition = i;
            data->m_nID = data->m_hSubMenu != nullptr ? -1 : static_cast<int>(info.wID);
            data->m_nImage = data->m_hSubMenu != nullptr ? -1 : GetImageIndex(info.wID);
            data->m_fState = info.fState;
            data->m_nHide = hiding && data->m_hSubMenu == nullptr && !(data->m_fType & MFT_SEPARATOR) &&
                                    data->m_nID != ID_UX_FULL_MENUS && IsHiddenCommand(info.wID)
                                ? static_cast<UINT>(CUXMenuItemData::hideable)
                                : 0;
            MENUITEMINFOA set;
            InitMenuItemInfo(&set);
            set.fMask = MIIM_FTYPE | MIIM_DATA;
            set.fType = data->m_fType | MFT_OWNERDRAW;
            set.dwItemData = reinterpret_cast<ULONG_PTR>(data);
            pMenu->SetMenuItemInfo(static_cast<UINT>(i), &set, TRUE);
        }
        if (std::find(m_convertedMenus.begin(), m_convertedMenus.end(), hMenu) == m_convertedMenus.end())
            m_convertedMenus.push_back(hMenu);
        return;
    }

    for (int i = count - 1; i >= 0; --i)
    {
        CUXMenuItemData* data = ItemDataAt(this, hMenu, i);
        if (data == nullptr)
            continue;
        if (data->m_nID == ID_UX_FULL_MENUS && data->m_strText == kChevronText)
        {
            pMenu->DeleteMenu(static_cast<UINT>(i), MF_BYPOSITION);
            DeleteItemData(data);
            continue;
        }
        MENUITEMINFOA set;
        InitMenuItemInfo(&set);
        set.fMask = MIIM_FTYPE | MIIM_DATA;
        set.fType = data->m_fType;
        if (!(data->m_fType & MFT_SEPARATOR))
        {
            set.fMask |= MIIM_STRING;
            set.dwTypeData = const_cast<LPSTR>(data->m_strText.GetString());
        }
        set.dwItemData = 0;
        pMenu->SetMenuItemInfo(static_cast<UINT>(i), &set, TRUE);
        DeleteItemData(data);
    }
    m_convertedMenus.erase(std::remove(m_convertedMenus.begin(), m_convertedMenus.end(), hMenu),
                           m_convertedMenus.end());
}

BOOL CUXCoolMenu::IsPrevItemHidden(CMenu* pMenu, int pos) const
{
    CUXMenuItemData* data = pMenu != nullptr && pos > 0 ? ItemDataAt(this, pMenu->m_hMenu, pos - 1) : nullptr;
    return data != nullptr && (data->m_nHide & CUXMenuItemData::hideable);
}

BOOL CUXCoolMenu::IsNextItemHidden(CMenu* pMenu, int pos) const
{
    CUXMenuItemData* data = pMenu != nullptr ? ItemDataAt(this, pMenu->m_hMenu, pos + 1) : nullptr;
    return data != nullptr && (data->m_nHide & CUXMenuItemData::hideable);
}

BOOL CUXCoolMenu::IsFirstItem(HMENU, int pos) const
{
    return pos == 0;
}

BOOL CUXCoolMenu::IsLastItem(HMENU hMenu, int pos, UINT nID) const
{
    int count = ::GetMenuItemCount(hMenu);
    if (pos == count - 1)
        return TRUE;
    // The item before the chevron is the last of the menu's own items.
    return pos == count - 2 && nID != ID_UX_FULL_MENUS && ::GetMenuItemID(hMenu, count - 1) == ID_UX_FULL_MENUS;
}

BOOL CUXCoolMenu::HasHiddenItems(CMenu* pMenu) const
{
    if (pMenu == nullptr)
        return FALSE;
    for (const auto& data : m_itemData)
        if (data->m_hMenu == pMenu->m_hMenu && data->m_bRemoved)
            return TRUE;
    return FALSE;
}

void CUXCoolMenu::UpdateChevron(CMenu* pMenu, BOOL)
{
    if (pMenu == nullptr || pMenu->m_hMenu == nullptr)
        return;
    int count = static_cast<int>(pMenu->GetMenuItemCount());
    int chevron = FindCommand(pMenu, ID_UX_FULL_MENUS);
    BOOL wanted = !State().fullMenus && HasHiddenItems(pMenu) && IsHidingActive();
    if (chevron >= 0 && (!wanted || chevron != count - 1))
    {
        CUXMenuItemData* data = ItemDataAt(this, pMenu->m_hMenu, chevron);
        pMenu->DeleteMenu(static_cast<UINT>(chevron), MF_BYPOSITION);
        if (data != nullptr)
            DeleteItemData(data);
        chevron = -1;
    }
    if (wanted && chevron < 0)
    {
        CUXMenuItemData* data = NewItemData();
        data->m_strText = kChevronText;
        data->m_hMenu = pMenu->m_hMenu;
        data->m_nID = ID_UX_FULL_MENUS;
        data->m_nPosition = static_cast<int>(pMenu->GetMenuItemCount());
        MENUITEMINFOA info;
        InitMenuItemInfo(&info);
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_DATA;
        info.fType = MFT_OWNERDRAW;
        info.wID = ID_UX_FULL_MENUS;
        info.dwItemData = reinterpret_cast<ULONG_PTR>(data);
        ::InsertMenuItemA(pMenu->m_hMenu, static_cast<UINT>(data->m_nPosition), TRUE, &info);
    }
}

void CUXCoolMenu::HideItems(CMenu* pMenu)
{
    if (pMenu == nullptr || pMenu->m_hMenu == nullptr)
        return;
    HMENU hMenu = pMenu->m_hMenu;
    int count = static_cast<int>(pMenu->GetMenuItemCount());
    // The ends of each run of hideable items.
    for (int i = 0; i < count; ++i)
    {
        CUXMenuItemData* data = ItemDataAt(this, hMenu, i);
        if (data == nullptr || !(data->m_nHide & CUXMenuItemData::hideable))
            continue;
        data->m_nHide = CUXMenuItemData::hideable;
        if (!IsPrevItemHidden(pMenu, i))
            data->m_nHide |= CUXMenuItemData::hideRunFirst;
        if (!IsNextItemHidden(pMenu, i))
            data->m_nHide |= CUXMenuItemData::hideRunLast;
    }
    if (!State().fullMenus)
    {
        for (int i = count - 1; i >= 0; --i)
        {
            CUXMenuItemData* data = ItemDataAt(this, hMenu, i);
            if (data == nullptr || !(data->m_nHide & CUXMenuItemData::hideable))
                continue;
            data->m_bRemoved = TRUE;
            pMenu->RemoveMenu(static_cast<UINT>(i), MF_BYPOSITION);   // a sub-menu survives its removal
        }
        // A separator right after another one goes too (until the items come back); every removed item
        // keeps the position it had when the menu was converted.
        BOOL previousSeparator = FALSE;
        for (int i = 0; i < static_cast<int>(pMenu->GetMenuItemCount());)
        {
            CUXMenuItemData* data = ItemDataAt(this, hMenu, i);
            BOOL separator = data != nullptr && (data->m_fType & MFT_SEPARATOR);
            if (separator && previousSeparator)
            {
                data->m_bRemoved = TRUE;
                pMenu->RemoveMenu(static_cast<UINT>(i), MF_BYPOSITION);
                continue;
            }
            previousSeparator = separator;
            ++i;
        }
    }
    UpdateChevron(pMenu, TRUE);
}

BOOL CUXCoolMenu::ShowHiddenItems(CMenu* pMenu)
{
    if (pMenu == nullptr || pMenu->m_hMenu == nullptr)
        return FALSE;
    HMENU hMenu = pMenu->m_hMenu;
    std::vector<CUXMenuItemData*> removed;
    for (const auto& data : m_itemData)
        if (data->m_hMenu == hMenu && data->m_bRemoved)
            removed.push_back(data.get());
    if (removed.empty())
        return FALSE;
    // The chevron goes first; each item returns to its place in the original order.
    int chevron = FindCommand(pMenu, ID_UX_FULL_MENUS);
    if (chevron >= 0)
    {
        CUXMenuItemData* data = ItemDataAt(this, hMenu, chevron);
        pMenu->DeleteMenu(static_cast<UINT>(chevron), MF_BYPOSITION);
        if (data != nullptr)
            DeleteItemData(data);
    }
    std::sort(removed.begin(), removed.end(),
              [](const CUXMenuItemData* a, const CUXMenuItemData* b) { return a->m_nPosition < b->m_nPosition; });
    for (CUXMenuItemData* data : removed)
    {
        MENUITEMINFOA info;
        InitMenuItemInfo(&info);
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA;
        info.fType = data->m_fType | MFT_OWNERDRAW;
        info.fState = data->m_fState;
        info.wID = data->m_nID >= 0 ? static_cast<UINT>(data->m_nID) : 0;
        info.hSubMenu = data->m_hSubMenu;
        info.dwItemData = reinterpret_cast<ULONG_PTR>(data);
        ::InsertMenuItemA(hMenu, static_cast<UINT>(data->m_nPosition), TRUE, &info);
        data->m_bRemoved = FALSE;
    }
    UpdateChevron(pMenu, TRUE);
    return TRUE;
}
