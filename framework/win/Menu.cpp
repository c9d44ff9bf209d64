// CMenu: owned menu handles, temporary wrappers and the usual members.
#include "framework/win/Framework.h"
#include "framework/win/ThreadLocal.h"

#include <memory>
#include <mutex>
#include <unordered_map>

namespace
{
// Menus attached to objects, for every thread (the map itself is locked; the objects are used on the thread
// that owns their windows).
std::mutex g_permanentMutex;
std::unordered_map<HMENU, CMenu*> g_permanentMenus;

// Temporary wrappers of this thread; a thread that ends takes them with it.
struct TempMenuMap
{
    std::unordered_map<HMENU, std::unique_ptr<CMenu>> menus;
    void Clear()
    {
        for (auto& entry : menus)
            entry.second->m_hMenu = nullptr;   // borrowed: never destroyed
        menus.clear();
    }
    ~TempMenuMap() { Clear(); }
};

TempMenuMap& TempMenus()
{
    static CThreadLocal<TempMenuMap> menus;
    return menus.Get();
}
}   // namespace

IMPLEMENT_DYNCREATE(CMenu, CObject)

CMenu::~CMenu()
{
    if (!m_bTemp)
        DestroyMenu();
}

CMenu* CMenu::FromHandlePermanent(HMENU hMenu)
{
    if (hMenu == nullptr)
        return nullptr;
    std::lock_guard<std::mutex> lock(g_permanentMutex);
    auto it = g_permanentMenus.find(hMenu);
    return it == g_permanentMenus.end() ? nullptr : it->second;
}

CMenu* CMenu::FromHandle(HMENU hMenu)
{
    if (hMenu == nullptr)
        return nullptr;
    if (CMenu* menu = FromHandlePermanent(hMenu))
        return menu;
    auto& temps = TempMenus().menus;
    auto it = temps.find(hMenu);
    if (it != temps.end())
    {
        if (it->second->m_hMenu == nullptr)
            it->second->m_hMenu = hMenu;   // a caller detached the wrapper: it still stands for hMenu
        return it->second.get();
    }
    auto menu = std::make_unique<CMenu>();
    menu->m_hMenu = hMenu;
    menu->m_bTemp = true;
    CMenu* result = menu.get();
    temps.emplace(hMenu, std::move(menu));
    return result;
}

void CMenu::DeleteTempMap()
{
    TempMenus().Clear();
}

BOOL CMenu::Attach(HMENU hMenu)
{
    if (hMenu == nullptr || m_hMenu != nullptr || FromHandlePermanent(hMenu) != nullptr)
        return FALSE;
    m_hMenu = hMenu;
    std::lock_guard<std::mutex> lock(g_permanentMutex);
    g_permanentMenus[hMenu] = this;
    return TRUE;
}

HMENU CMenu::Detach()
{
    HMENU hMenu = m_hMenu;
    m_hMenu = nullptr;
    if (hMenu != nullptr && !m_bTemp)
    {
        std::lock_guard<std::mutex> lock(g_permanentMutex);
        auto it = g_permanentMenus.find(hMenu);
        if (it != g_permanentMenus.end() && it->second == this)
            g_permanentMenus.erase(it);
    }
    return hMenu;
}

BOOL CMenu::CreateMenu()
{
    return m_hMenu == nullptr && Attach(::CreateMenu());
}
BOOL CMenu::CreatePopupMenu()
{
    return m_hMenu == nullptr && Attach(::CreatePopupMenu());
}
BOOL CMenu::LoadMenu(LPCSTR lpszResourceName)
{
    return m_hMenu == nullptr && Attach(AfxLoadMenu(AfxGetResourceHandle(), lpszResourceName));
}
BOOL CMenu::LoadMenu(UINT nIDResource)
{
    return LoadMenu(MAKEINTRESOURCEA(nIDResource));
}
BOOL CMenu::LoadMenuIndirect(const void* lpMenuTemplate)
{
    return m_hMenu == nullptr && Attach(::LoadMenuIndirectA(lpMenuTemplate));
}

BOOL CMenu::DestroyMenu()
{
    if (m_hMenu == nullptr)
        return FALSE;
    HMENU hMenu = Detach();
    // A temporary wrapper of the same handle must not outlive it with a dead handle.
    auto& temps = TempMenus().menus;
    auto it = temps.find(hMenu);
    if (it != temps.end() && it->second.get() != this)
        it->second->m_hMenu = nullptr;
    return ::DestroyMenu(hMenu);
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem)
{
    return ::AppendMenuA(m_hMenu, nFlags, nIDNewItem, lpszNewItem);
}
BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, const CBitmap* pBmp)
{
    return ::AppendMenuA(m_hMenu, nFlags | MF_BITMAP, nIDNewItem,
                         reinterpret_cast<LPCSTR>(pBmp == nullptr ? nullptr : pBmp->m_hObject));
}
BOOL CMenu::InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem)
{
    return ::InsertMenuA(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
}
BOOL CMenu::ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem)
{
    return ::ModifyMenuA(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
}
BOOL CMenu::RemoveMenu(UINT nPosition, UINT nFlags)
{
    return ::RemoveMenu(m_hMenu, nPosition, nFlags);
}
BOOL CMenu::DeleteMenu(UINT nPosition, UINT nFlags)
{
    return ::DeleteMenu(m_hMenu, nPosition, nFlags);
}
UINT CMenu::CheckMenuItem(UINT nIDCheckItem, UINT nCheck)
{
    return static_cast<UINT>(::CheckMenuItem(m_hMenu, nIDCheckItem, nCheck));
}
BOOL CMenu::CheckMenuRadioItem(UINT nIDFirst, UINT nIDLast, UINT nIDItem, UINT nFlags)
{
    return ::CheckMenuRadioItem(m_hMenu, nIDFirst, nIDLast, nIDItem, nFlags);
}
UINT CMenu::EnableMenuItem(UINT nIDEnableItem, UINT nEnable)
{
    return static_cast<UINT>(::EnableMenuItem(m_hMenu, nIDEnableItem, nEnable));
}
UINT CMenu::GetMenuItemCount() const
{
    int count = ::GetMenuItemCount(m_hMenu);
    return count < 0 ? 0 : static_cast<UINT>(count);
}
UINT CMenu::GetMenuItemID(int nPos) const
{
    return ::GetMenuItemID(m_hMenu, nPos);
}
UINT CMenu::GetMenuState(UINT nID, UINT nFlags) const
{
    return ::GetMenuState(m_hMenu, nID, nFlags);
}
int CMenu::GetMenuString(UINT nIDItem, LPSTR lpString, int nMaxCount, UINT nFlags) const
{
    return ::GetMenuStringA(m_hMenu, nIDItem, lpString, nMaxCount, nFlags);
}
int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const
{
    rString.Empty();
    int length = ::GetMenuStringA(m_hMenu, nIDItem, nullptr, 0, nFlags);
    if (length <= 0)
        return 0;
    char* buffer = rString.GetBuffer(length + 1);
    int got = ::GetMenuStringA(m_hMenu, nIDItem, buffer, length + 1, nFlags);
    rString.ReleaseBuffer(got < 0 ? 0 : got);
    return rString.GetLength();
}
BOOL CMenu::GetMenuItemInfo(UINT uItem, LPMENUITEMINFOA lpMenuItemInfo, BOOL fByPos)
{
    lpMenuItemInfo->cbSize = sizeof(MENUITEMINFOA);
    return ::GetMenuItemInfoA(m_hMenu, uItem, fByPos, lpMenuItemInfo);
}
BOOL CMenu::SetMenuItemInfo(UINT uItem, LPMENUITEMINFOA lpMenuItemInfo, BOOL fByPos)
{
    lpMenuItemInfo->cbSize = sizeof(MENUITEMINFOA);
    return ::SetMenuItemInfoA(m_hMenu, uItem, fByPos, lpMenuItemInfo);
}
BOOL CMenu::SetDefaultItem(UINT uItem, BOOL fByPos)
{
    return ::SetMenuDefaultItem(m_hMenu, uItem, fByPos);
}
UINT CMenu::GetDefaultItem(UINT gmdiFlags, BOOL fByPos)
{
    return ::GetMenuDefaultItem(m_hMenu, fByPos, gmdiFlags);
}
CMenu* CMenu::GetSubMenu(int nPos) const
{
    return FromHandle(::GetSubMenu(m_hMenu, nPos));
}
BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect)
{
    return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, AfxGetSafeHwnd(pWnd), lpRect);
}
BOOL CMenu::TrackPopupMenuEx(UINT fuFlags, int x, int y, CWnd* pWnd, LPTPMPARAMS lptpm)
{
    return ::TrackPopupMenuEx(m_hMenu, fuFlags, x, y, AfxGetSafeHwnd(pWnd), lptpm);
}
void CMenu::DrawItem(LPDRAWITEMSTRUCT)
{
}

HMENU CMenu::FindOwnerDrawMenu(HMENU hRoot, UINT nID, ULONG_PTR itemData)
{
    int count = hRoot == nullptr ? 0 : ::GetMenuItemCount(hRoot);
    for (int i = 0; i < count; ++i)
    {
        MENUITEMINFOA info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_ID | MIIM_DATA | MIIM_SUBMENU | MIIM_FTYPE;
        if (!::GetMenuItemInfoA(hRoot, static_cast<UINT>(i), TRUE, &info))
            continue;
        if ((info.fType & MFT_OWNERDRAW) && info.wID == nID && info.dwItemData == itemData)
            return hRoot;
        if (info.hSubMenu != nullptr)
        {
            if (HMENU found = FindOwnerDrawMenu(info.hSubMenu, nID, itemData))
                return found;
        }
    }
    return nullptr;
}
void CMenu::MeasureItem(LPMEASUREITEMSTRUCT)
{
}
