// CUXCoolMenu: the hook on the system's menu windows, the cool menu itself, the messages of the hooked
// window, measuring and drawing its items, and CUXTrackMenu.
#include "uilib/core/bars/CoolMenu.h"

#include "uilib/core/bars/ColorRef.h"
#include "uilib/core/base/DropShadow.h"
#include "uilib/core/base/GlobalData.h"
#include "uilib/core/base/Helpers.h"
#include "uilib/core/base/MemDC.h"
#include "uilib/core/bars/CoolMenuInternal.h"

#include <algorithm>
#include <cstring>
#include <memory>

using namespace CoolMenuInternal;

IMPLEMENT_DYNAMIC(CUXCoolMenu, CUXWndHook)

MenuState& CoolMenuInternal::State()
{
    static MenuState state;
    return state;
}

CUXMenuItemData* CoolMenuInternal::ItemDataAt(const CUXCoolMenu* coolMenu, HMENU hMenu, int pos)
{
    MENUITEMINFOA info;
    InitMenuItemInfo(&info);
    info.fMask = MIIM_DATA;
    if (!::GetMenuItemInfoA(hMenu, static_cast<UINT>(pos), TRUE, &info))
        return nullptr;
    return coolMenu->FindItemData(info.dwItemData);
}

namespace
{
const UINT kMenuMouseFirst = 0x01EB;   // the menu window's own button messages
const UINT kMenuMouseLast = 0x01F0;
const UINT kMenuPrintClient = 0x01E2;
const UINT kMenuRefreshTrigger = 0x00AF;

BOOL IsMenuWindow(HWND hWnd)
{
    char name[129] = {};
    ::GetClassNameA(hWnd, name, sizeof(name));
    return std::strcmp(name, "#32768") == 0;
}

// Switches the menu animation off and, where the system draws shadows, makes its shadow setting follow the
// library's option. Only in memory: a program that ends with a menu open leaves the user's settings alone.
void ChangeMenuSettings()
{
    MenuState& s = State();
    BOOL animation = FALSE;
    ::SystemParametersInfoA(SPI_GETMENUANIMATION, 0, &animation, 0);
    s.savedAnimation = animation;
    ::SystemParametersInfoA(SPI_SETMENUANIMATION, 0, reinterpret_cast<PVOID>(static_cast<INT_PTR>(FALSE)), 0);
    const OSVERSIONINFOA& version = GetOSVersionInfo();
    s.systemShadows = version.dwPlatformId == VER_PLATFORM_WIN32_NT &&
                      (version.dwMajorVersion > 5 || (version.dwMajorVersion == 5 && version.dwMinorVersion > 0));
    BOOL shadow = FALSE;
    ::SystemParametersInfoA(SPI_GETDROPSHADOW, 0, &shadow, 0);
    s.savedShadow = shadow;
    if (s.systemShadows)
        ::SystemParametersInfoA(SPI_SETDROPSHADOW, 0,
                                reinterpret_cast<PVOID>(static_cast<INT_PTR>(uxAfxData.m_bMenuShadows != FALSE)),
                                0);
    s.settingsChanged = TRUE;
}

void RestoreMenuSettings()
{
    MenuState& s = State();
    if (!s.settingsChanged)
        return;
    ::SystemParametersInfoA(SPI_SETMENUANIMATION, 0,
                            reinterpret_cast<PVOID>(static_cast<INT_PTR>(s.savedAnimation)), 0);
    if (s.systemShadows)
        ::SystemParametersInfoA(SPI_SETDROPSHADOW, 0, reinterpret_cast<PVOID>(static_cast<INT_PTR>(s.savedShadow)),
                                0);
    s.settingsChanged = FALSE;
}

}   // namespace

namespace CoolMenuInternal
{
// The hook on one system menu window: menu settings while menus are open, the library's own drop shadow,
// the flat look's frame, and clicks on the chevron item.
class CUXPopupMenuHook : public CUXWndHook
{
public:
    CUXPopupMenuHook()
    {
        MenuState& s = State();
        if (s.live++ == 0)
            ChangeMenuSettings();
    }
    ~CUXPopupMenuHook() override
    {
        m_pShadow.reset();
        m_pSnapshot.reset();
        m_screen.reset();
        if (m_hWnd != nullptr)
            DetachWindow();
        MenuState& s = State();
        if (--s.live == 0)
            RestoreMenuSettings();
    }

    using CUXWndHook::AttachWindow;

    HMENU GetMenu() const
    {
        return m_hWnd != nullptr ? reinterpret_cast<HMENU>(::SendMessageA(m_hWnd, MN_GETHMENU, 0, 0)) : nullptr;
    }

    // Shows every item of the menu again while it is open: the window is shown anew with a fresh shadow.
    BOOL ExpandMenu(CUXCoolMenu* coolMenu)
    {
        HMENU hMenu = GetMenu();
        if (hMenu == nullptr || !coolMenu->ShowHiddenItems(CMenu::FromHandle(hMenu)))
            return FALSE;
        ::ShowWindow(m_hWnd, SW_HIDE);
        m_pShadow.reset();
        m_pSnapshot.reset();
        m_bShadowCreated = FALSE;
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
        if (IsOwnShadowDue())
        {
            CRect rect;
            ::GetWindowRect(m_hWnd, &rect);
            TakeSnapshot(rect);
            ShowShadow();
        }
        ::ShowWindow(m_hWnd, SW_SHOWNOACTIVATE);
        ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_ERASE);
        return TRUE;
    }

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        MenuState& s = State();
        switch (message)
        {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP: return OnMouse(message, wParam, lParam);
        case WM_PAINT:
        case WM_NCPAINT:
        case kMenuPrintClient:
        {
            LRESULT result = CUXWndHook::HandleMessage(message, wParam, lParam);
            if (IsOwnShadowDue() && m_pSnapshot != nullptr &&
                (!m_bShadowCreated || !::IsWindowVisible(m_pShadow->GetWindow().GetSafeHwnd())))
                ::PostMessageA(m_hWnd, UXM_MENU_SHADOW, 0, 0);
            return result;
        }
        case UXM_MENU_SHADOW: ShowShadow(); return 0;
        case WM_WINDOWPOSCHANGING:
        {
            WINDOWPOS* pos = reinterpret_cast<WINDOWPOS*>(lParam);
            if (uxAfxData.m_bFlatLook && s.live > 1 && m_bFirstMove && pos != nullptr &&
                !(pos->flags & SWP_NOMOVE))
            {
                m_bFirstMove = FALSE;
                if (pos->x >= 2)
                {
                    pos->x += 5;   // a sub-menu overlaps its parent's frame less
                    pos->y += 2;
                }
            }
            return CUXWndHook::HandleMessage(message, wParam, lParam);
        }
        case WM_WINDOWPOSCHANGED:
        {
            LRESULT result = CUXWndHook::HandleMessage(message, wParam, lParam);
            WINDOWPOS* pos = reinterpret_cast<WINDOWPOS*>(lParam);
            if (uxAfxData.m_bFlatLook)
            {
                CWnd::ModifyStyle(m_hWnd, WS_CAPTION | WS_THICKFRAME, 0, 0);
                CWnd::ModifyStyleEx(m_hWnd, WS_EX_STATICEDGE | WS_EX_WINDOWEDGE | WS_EX_DLGMODALFRAME, 0, 0);
            }
            if (IsOwnShadowDue() && m_pSnapshot == nullptr && pos != nullptr &&
                (pos->flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE))
            {
                CRect rect;
                ::GetWindowRect(m_hWnd, &rect);
                TakeSnapshot(rect);
            }
            return result;
        }
        case kMenuRefreshTrigger:
            if (uxAfxData.m_bFlatLook && uxAfxData.m_bWinXP)
                ::PostMessageA(m_hWnd, UXM_MENU_REFRESH, 0, 0);
            break;
        case UXM_MENU_REFRESH: RefreshItems(); return 0;
        default:
            if (message >= kMenuMouseFirst && message <= kMenuMouseLast)
                return OnMouse(message, wParam, lParam);
            break;
        }
        return CUXWndHook::HandleMessage(message, wParam, lParam);
    }

    CUXCoolMenu* m_pOwner = nullptr;   // the cool menu that draws this menu's items

private:
    // The library draws its own shadow where the system draws none and the menu is a pop-up one.
    BOOL IsOwnShadowDue() const
    {
        return uxAfxData.m_bMenuShadows && !State().systemShadows &&
               (m_pOwner == nullptr || m_pOwner->IsMenuLoopPopup());
    }

    // A click on the highlighted chevron shows every item without closing the menu.
    LRESULT OnMouse(UINT message, WPARAM wParam, LPARAM lParam)
    {
        MenuState& s = State();
        if (s.chevronHot && !s.oldSystem && m_pOwner != nullptr && m_pOwner->m_hWnd != nullptr)
        {
            CPoint point(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
            CRect client;
            ::GetClientRect(m_hWnd, &client);
            if (message >= kMenuMouseFirst && message <= kMenuMouseLast)
            {
                ::GetCursorPos(&point);   // the menu's own messages carry no usable point
                ::ScreenToClient(m_hWnd, &point);
            }
            if (client.PtInRect(point))
            {
                ::SendMessageA(m_pOwner->m_hWnd, WM_COMMAND, ID_UX_FULL_MENUS, 0);
                return CUXWndHook::HandleMessage(WM_NULL, 0, 0);
            }
        }
        return CUXWndHook::HandleMessage(message, wParam, lParam);
    }

    // A copy of the screen under the window and its shadow, taken before the shadow shows.
    void TakeSnapshot(const CRect& window)
    {
        CRect rect(window.left, window.top, window.right + 4, window.bottom + 4);
        if (rect.IsRectEmpty())
            return;
        if (m_screen == nullptr)
            m_screen.reset(new CWindowDC(nullptr));
        std::unique_ptr<CUXMemDC> snapshot(new CUXMemDC(m_screen.get(), rect));
        if (!snapshot->IsValid())
            return;
        snapshot->BitBlt(0, 0, rect.Width(), rect.Height(), m_screen.get(), rect.left, rect.top, SRCCOPY);
        snapshot->Discard();
        m_pSnapshot = std::move(snapshot);
    }

    void ShowShadow()
    {
        if (!IsOwnShadowDue() || m_pSnapshot == nullptr || !::IsWindowVisible(m_hWnd))
            return;
        if (!m_bShadowCreated)
        {
            m_pShadow.reset(new CUXShadow(m_hWnd, TRUE, FALSE, m_pSnapshot.get()));
            m_bShadowCreated = TRUE;
        }
        else if (m_pShadow != nullptr)
        {
            m_pShadow->FollowOwner();
            m_pShadow->Show();
        }
    }

    // Writes every item back as it is, so that the system measures the items again.
    void RefreshItems()
    {
        CMenu* menu = CMenu::FromHandle(GetMenu());
        if (menu == nullptr || menu->m_hMenu == nullptr)
            return;
        int count = static_cast<int>(menu->GetMenuItemCount());
        for (int i = 0; i < count; ++i)
        {
            MENUITEMINFOA info;
            InitMenuItemInfo(&info);
            info.fMask = MIIM_FTYPE | MIIM_DATA;
            if (menu->GetMenuItemInfo(static_cast<UINT>(i), &info, TRUE))
                menu->SetMenuItemInfo(static_cast<UINT>(i), &info, TRUE);
        }
    }

    BOOL m_bFirstMove = TRUE;
    BOOL m_bShadowCreated = FALSE;
    std::unique_ptr<CWindowDC> m_screen;
    std::unique_ptr<CUXMemDC> m_pSnapshot;
    std::unique_ptr<CUXShadow> m_pShadow;
};
}   // namespace CoolMenuInternal

namespace
{
LRESULT CALLBACK MenuCbtProc(int code, WPARAM wParam, LPARAM lParam)
{
    MenuState& s = State();
    if (s.reentry == 0)
    {
        HWND hWnd = reinterpret_cast<HWND>(wParam);
        if (code == HCBT_CREATEWND)
        {
            ++s.reentry;
            LRESULT result = ::CallNextHookEx(s.hook, code, wParam, lParam);
            if (result == 0 && IsMenuWindow(hWnd))
            {
                CUXPopupMenuHook* hook = new CUXPopupMenuHook;
                hook->AttachWindow(hWnd);
                s.popups.push_back(hook);
            }
            --s.reentry;
            return result;
        }
        if (code == HCBT_DESTROYWND && !s.popups.empty())
        {
            auto found = std::find_if(s.popups.begin(), s.popups.end(),
                                      [hWnd](CUXPopupMenuHook* hook) { return hook->m_hWnd == hWnd; });
            if (found != s.popups.end())
            {
                CUXPopupMenuHook* hook = *found;
                s.popups.erase(found);
                delete hook;
            }
        }
    }
    return ::CallNextHookEx(s.hook, code, wParam, lParam);
}

CUXPopupMenuHook* FindPopupOfMenu(HMENU hMenu)
{
    for (CUXPopupMenuHook* hook : State().popups)
        if (hook->GetMenu() == hMenu)
            return hook;
    return nullptr;
}

// Installs the hook for the user-interface thread at program start and removes it at the end; menu settings
// still changed then go back.
struct MenuHookInstaller
{
    MenuHookInstaller()
    {
        MenuState& s = State();
        const OSVERSIONINFOA& version = GetOSVersionInfo();
        s.oldSystem = (version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS && version.dwMajorVersion == 4 &&
                       version.dwMinorVersion < 10) ||
                      (version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion == 4);
        s.cxDlgFrame = ::GetSystemMetrics(SM_CXDLGFRAME);
        s.cyDlgFrame = ::GetSystemMetrics(SM_CYDLGFRAME);
        if (s.hook == nullptr)
            s.hook = ::SetWindowsHookExA(WH_CBT, &MenuCbtProc, nullptr, ::GetCurrentThreadId());
    }
    ~MenuHookInstaller()
    {
        MenuState& s = State();
        RestoreMenuSettings();
        if (s.hook != nullptr)
            ::UnhookWindowsHookEx(s.hook);
        s.hook = nullptr;
    }
};
MenuHookInstaller g_menuHookInstaller;

}   // namespace

// ---- CUXCoolMenu ---------------------------------------------------------------------------------------

CUXCoolMenu::CUXCoolMenu()
{
    const OSVERSIONINFOA& version = GetOSVersionInfo();
    if (version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion >= 5)
    {
        BOOL cues = TRUE;
        if (::SystemParametersInfoA(SPI_GETKEYBOARDCUES, 0, &cues, 0))
            m_bKeyboardCues = cues;
    }
}

CUXCoolMenu::~CUXCoolMenu()
{
    if (m_hWnd != nullptr)
        DetachWindow();
    for (CUXPopupMenuHook* hook : State().popups)
        if (hook->m_pOwner == this)
            hook->m_pOwner = nullptr;
}

BOOL CUXCoolMenu::Install(CWnd* pWnd)
{
    if (m_hWnd != nullptr)
        DetachWindow();
    return pWnd != nullptr && pWnd->m_hWnd != nullptr && AttachWindow(pWnd);
}

CUXCoolMenu* CUXCoolMenu::FindOn(HWND hWnd)
{
    for (CUXWndHook* hook = hWnd != nullptr ? CUXWindowMap::GetMap().Lookup(hWnd) : nullptr; hook != nullptr;
         hook = hook->m_pNext)
        if (hook->IsKindOf(RUNTIME_CLASS(CUXCoolMenu)))
            return static_cast<CUXCoolMenu*>(hook);
    return nullptr;
}

void CUXCoolMenu::SkipNextMenuInit()
{
    ++State().skipInit;
}

void CUXCoolMenu::SetDropDownSide(UINT side, const CRect& button)
{
    State().dropSide = side;
    State().dropRect = button;
}

BOOL CUXCoolMenu::IsFullMenuRequested()
{
    return State().fullMenus;
}

int CUXCoolMenu::GetOpenMenuCount()
{
    return static_cast<int>(State().popups.size());
}

void CUXCoolMenu::SetShowUnderlines(BOOL show)
{
    State().showUnderlines = show;
}

BOOL CUXCoolMenu::IsFlat() const
{
    return uxAfxData.m_bFlatLook;
}

// ---- messages ----

LRESULT CUXCoolMenu::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    MenuState& s = State();
    switch (message)
    {
    case WM_SYSCOLORCHANGE:
    case WM_WININICHANGE: OnSysColorChange(); break;
    case WM_MEASUREITEM:
    {
        MEASUREITEMSTRUCT* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (mis != nullptr && mis->CtlType == ODT_MENU && MeasureItem(mis))
            return TRUE;
        break;
    }
    case WM_DRAWITEM:
    {
        DRAWITEMSTRUCT* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (dis != nullptr && dis->CtlType == ODT_MENU && DrawItem(dis))
            return TRUE;
        break;
    }
    case WM_COMMAND:
        if (HIWORD(wParam) <= 1 && lParam == 0)   // a menu item or an accelerator
        {
            UINT nID = LOWORD(wParam);
            if (nID == ID_UX_FULL_MENUS)
            {
                s.fullMenus = TRUE;
                s.chevronHot = FALSE;
                // An open menu window keeps the size it was shown in, and hiding it loses its menu: a tracked
                // menu closes and opens again with every item instead.
                if (CUXTrackMenu::IsOpen() && !s.popups.empty())
                {
                    s.reopenFull = TRUE;
                    ::EndMenu();
                    return 0;
                }
                for (auto hook = s.popups.rbegin(); hook != s.popups.rend(); ++hook)
                    if ((*hook)->ExpandMenu(this))
                        break;
                return 0;
            }
            s.fullMenus = FALSE;
            AddRecentItem(nID);
        }
        break;
    case WM_TIMER:
        if (wParam == kExpandTimer)
        {
            OnTimer(wParam);
            return 0;
        }
        break;
    case WM_INITMENUPOPUP:
    {
        if (s.skipInit > 0)
        {
            --s.skipInit;
            break;
        }
        LRESULT result = CUXWndHook::HandleMessage(message, wParam, lParam);
        OnInitMenuPopup(CMenu::FromHandle(reinterpret_cast<HMENU>(wParam)), LOWORD(lParam), HIWORD(lParam));
        return result;
    }
    case WM_MENUSELECT:
    {
        LRESULT result = CUXWndHook::HandleMessage(message, wParam, lParam);
        OnMenuSelect(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam));
        return result;
    }
    case WM_MENUCHAR:
        if (LRESULT result =
                OnMenuChar(LOWORD(wParam), HIWORD(wParam), CMenu::FromHandle(reinterpret_cast<HMENU>(lParam))))
            return result;
        break;
    case WM_ENTERMENULOOP: m_bMenuLoopIsPopup = static_cast<BOOL>(wParam); break;
    default: break;
    }
    return CUXWndHook::HandleMessage(message, wParam, lParam);
}

void CUXCoolMenu::OnTimer(UINT_PTR nID)
{
    if (m_hWnd != nullptr)
        ::KillTimer(m_hWnd, nID);
    m_bTimerRunning = FALSE;
    if (nID == kExpandTimer && m_hWnd != nullptr)
        ::SendMessageA(m_hWnd, WM_COMMAND, ID_UX_FULL_MENUS, 0);
}

void CUXCoolMenu::OnInitMenuPopup(CMenu* pMenu, UINT, BOOL bSysMenu)
{
    MenuState& s = State();
    s.chevronHot = FALSE;
    int cxMargin = IsFlat() ? 4 : 1;
    int cyMargin = IsFlat() ? 3 : 1;
    m_cxImageBox = m_cxImage + 2 * cxMargin;
    m_cyImageBox = m_cyImage + 2 * cyMargin;
    if (pMenu == nullptr || pMenu->m_hMenu == nullptr || bSysMenu || IsSysMenu(pMenu))
        return;
    ConvertMenu(pMenu, TRUE);
    if (m_bHidingEnabled && IsHidingActive())
        HideItems(pMenu);
    else
        UpdateChevron(pMenu, TRUE);
    if (s.dropSide != 0)
    {
        int count = static_cast<int>(pMenu->GetMenuItemCount());
        for (int i = 0; i < count; ++i)
        {
            BOOL borders =
                s.dropSide == 0x1000 || s.dropSide == 0x4000 || (s.dropSide == 0x8000 ? i == count - 1 : i == 0);
            CUXMenuItemData* data = ItemDataAt(this, pMenu->m_hMenu, i);
            if (data != nullptr && borders)
                data->m_nEdge = s.dropSide;
        }
        s.dropSide = 0;
    }
}

void CUXCoolMenu::OnMenuSelect(UINT, UINT nFlags, HMENU hMenu)
{
    if (nFlags != 0xFFFF || hMenu != nullptr)
        return;
    // The menu loop ended: every menu gets its plain items back.
    std::vector<HMENU> menus = m_convertedMenus;
    for (HMENU converted : menus)
    {
        if (!::IsMenu(converted))
            continue;
        CMenu* menu = CMenu::FromHandle(converted);
        ShowHiddenItems(menu);
        ConvertMenu(menu, FALSE);
    }
    m_convertedMenus.clear();
    // Records of menus that went away meanwhile.
    m_itemData.erase(std::remove_if(m_itemData.begin(), m_itemData.end(),
                                    [](const std::unique_ptr<CUXMenuItemData>& data)
                                    { return data->m_hMenu == nullptr || !::IsMenu(data->m_hMenu); }),
                     m_itemData.end());
    State().fullMenus = FALSE;
    State().chevronHot = FALSE;
    if (m_bTimerRunning && m_hWnd != nullptr)
        ::KillTimer(m_hWnd, kExpandTimer);
    m_bTimerRunning = FALSE;
}

LRESULT CUXCoolMenu::OnMenuChar(UINT nChar, UINT, CMenu* pMenu)
{
    if (pMenu == nullptr || pMenu->m_hMenu == nullptr)
        return 0;
    char wanted = CString::ToLower1252(static_cast<char>(nChar));
    int count = static_cast<int>(pMenu->GetMenuItemCount());
    std::vector<int> matches;
    int highlighted = -1;
    for (int i = 0; i < count; ++i)
    {
        if (pMenu->GetMenuState(static_cast<UINT>(i), MF_BYPOSITION) & MF_HILITE)
            highlighted = i;
        CUXMenuItemData* data = ItemDataAt(this, pMenu->m_hMenu, i);
        if (data == nullptr)
            continue;
        int amp = data->m_strText.Find('&');
        while (amp >= 0 && data->m_strText.GetAt(amp + 1) == '&')
            amp = data->m_strText.Find('&', amp + 2);
        if (amp >= 0 && CString::ToLower1252(data->m_strText.GetAt(amp + 1)) == wanted)
            matches.push_back(i);
    }
    if (matches.empty())
        return 0;
    if (matches.size() == 1)
        return MAKELRESULT(matches[0], MNC_EXECUTE);
    for (int pos : matches)
        if (pos > highlighted)
            return MAKELRESULT(pos, MNC_SELECT);
    return MAKELRESULT(matches[0], MNC_SELECT);
}

// ---- measuring and drawing ----

BOOL CUXCoolMenu::MeasureItem(MEASUREITEMSTRUCT* lpmis)
{
    CUXMenuItemData* data = FindItemData(lpmis->itemData);
    if (data == nullptr)
        return FALSE;
    MenuState& s = State();
    BOOL flat = IsFlat();
    int cyMenu = ::GetSystemMetrics(SM_CYMENU);
    if (data->m_fType & MFT_SEPARATOR)
    {
        lpmis->itemHeight = static_cast<UINT>(cyMenu / 2);
        lpmis->itemWidth = 0;
    }
    else if (data->m_nID == ID_UX_FULL_MENUS || data->m_strText == kChevronText)
    {
        lpmis->itemHeight = static_cast<UINT>(flat ? m_cyImage : cyMenu + 1);
        lpmis->itemWidth = 0;
    }
    else if (data->m_strText.IsEmpty())
    {
        lpmis->itemHeight = static_cast<UINT>(cyMenu);
        lpmis->itemWidth = 100;
    }
    else
    {
        CString text = data->m_strText;
        text.Replace("\t", "XXX");
        BOOL bold = data->m_hMenu != nullptr && data->m_nID >= 0 &&
                    ::GetMenuDefaultItem(data->m_hMenu, FALSE, 0) == static_cast<UINT>(data->m_nID);
        HDC screen = ::GetDC(nullptr);
        HGDIOBJ old = ::SelectObject(screen, bold ? uxAfxData.m_fontBold : uxAfxData.m_fontNormal);
        RECT rc = {0, 0, 0, 0};
        ::DrawTextA(screen, text, text.GetLength(), &rc, DT_SINGLELINE | DT_CALCRECT);
        ::SelectObject(screen, old);
        ::ReleaseDC(nullptr, screen);
        int width = rc.right - rc.left;
        width += flat ? m_cxImage + 28 : 2 * m_cxImage + 2;
        lpmis->itemWidth = static_cast<UINT>(std::max(width, 100));
        lpmis->itemHeight = static_cast<UINT>(std::max(m_cyImage + 4 + (flat ? 2 : 0), cyMenu));
    }
    if (flat && data->m_hMenu != nullptr)
    {
        if (IsFirstItem(data->m_hMenu, data->m_nPosition))
            lpmis->itemHeight += 2;
        int count = ::GetMenuItemCount(data->m_hMenu);
        if (data->m_nPosition == count - 1)
            lpmis->itemHeight += 2 - 2 * s.cyDlgFrame;
    }
    return TRUE;
}

BOOL CUXCoolMenu::DrawItem(DRAWITEMSTRUCT* lpdis)
{
    CUXMenuItemData* data = FindItemData(lpdis->itemData);
    if (data == nullptr)
        return FALSE;
    MenuState& s = State();
    // The menu window now belongs to this cool menu: its clicks on the chevron come here.
    if (CUXPopupMenuHook* popup = FindPopupOfMenu(reinterpret_cast<HMENU>(lpdis->hwndItem)))
        popup->m_pOwner = this;

    CDC* dc = CDC::FromHandle(lpdis->hDC);
    CRect rect(lpdis->rcItem);
    BOOL flat = IsFlat();
    BOOL selected = (lpdis->itemState & ODS_SELECTED) != 0;
    BOOL disabled = (lpdis->itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
    int saved = dc->SaveDC();
    COLORREF menuColor = flat ? uxAfxData.m_clrWindowFace : uxAfxData.m_clrMenu;

    if (flat)
    {
        // The items draw the menu's frame themselves.
        CRect framed(rect);
        framed.right += s.cxDlgFrame;
        int count = data->m_hMenu != nullptr ? ::GetMenuItemCount(data->m_hMenu) : 0;
        BOOL last = data->m_nPosition == count - 1;
        if (last)
            framed.bottom += 2 * s.cyDlgFrame;
        dc->FillSolidRect(&framed, menuColor);
        CRect column(rect.left, rect.top, rect.left + 24, framed.bottom);
        BOOL shownHidden = (data->m_nHide & CUXMenuItemData::hideable) && !data->m_bRemoved;
        dc->FillSolidRect(&column, shownHidden ? uxAfxData.m_clrDarkFace : uxAfxData.m_clrFaceWindow);
        CBrush border(uxAfxData.m_clrDarkShadow);
        CRect outline(framed.left - 1, framed.top - (data->m_nPosition == 0 ? 0 : 1), framed.right,
                      framed.bottom + (last ? 0 : 1));
        dc->FrameRect(&outline, &border);
    }

    if (data->m_fType & MFT_SEPARATOR)
    {
        int y = rect.top + rect.Height() / 2;
        if (flat)
        {
            dc->FillSolidRect(rect.left + 24 + 2, y, rect.right - 3 - (rect.left + 24 + 2), 1,
                              uxAfxData.m_clrBtnShadow);
        }
        else
        {
            dc->FillSolidRect(&rect, menuColor);
            CRect line(rect.left + 12, y, rect.right - 12, y + 2);
            dc->DrawEdge(&line, EDGE_ETCHED, BF_TOP);
        }
        dc->RestoreDC(saved);
        return TRUE;
    }
    if (data->m_nID == ID_UX_FULL_MENUS || data->m_strText == kChevronText)
    {
        if (!flat)
            dc->FillSolidRect(&rect, menuColor);
        DrawChevron(dc, rect, selected);
        dc->RestoreDC(saved);
        return TRUE;
    }

    CRect box(rect.left, rect.top, rect.left + m_cxImageBox, rect.bottom);
    CRect textArea(rect);
    COLORREF textColor = disabled ? uxAfxData.m_clrGrayText : uxAfxData.m_clrMenuText;
    if (flat)
    {
        if (selected && !disabled)
        {
            CRect hot(rect.left + 1, rect.top, rect.right - 1, rect.bottom);
            dc->FillSolidRect(&hot, uxAfxData.m_clrLightSelection);
            CBrush frame(uxAfxData.m_clrHilite);
            dc->FrameRect(&hot, &frame);
        }
    }
    else
    {
        BOOL shownHidden = (data->m_nHide & CUXMenuItemData::hideable) && !data->m_bRemoved;
        COLORREF ground = shownHidden ? UXBlendColor(menuColor, uxAfxData.m_clrBtnShadow, 25) : menuColor;
        dc->FillSolidRect(&rect, ground);
        if (shownHidden && (data->m_nHide & CUXMenuItemData::hideRunFirst))
            dc->FillSolidRect(rect.left, rect.top, rect.Width(), 1, uxAfxData.m_clrBtnShadow);
        if (shownHidden && (data->m_nHide & CUXMenuItemData::hideRunLast))
            dc->FillSolidRect(rect.left, rect.bottom - 1, rect.Width(), 1, uxAfxData.m_clrBtnHilite);
        if (selected)
        {
            CRect hot(box.right + 1, rect.top, rect.right, rect.bottom);
            dc->FillSolidRect(&hot, uxAfxData.m_clrHilite);
            if (!disabled)
                textColor = uxAfxData.m_clrHiliteText;
        }
    }

    BOOL checked = (lpdis->itemState & ODS_CHECKED) != 0;
    int image = data->m_nID >= 0 ? GetImageIndex(static_cast<UINT>(data->m_nID)) : -1;
    if (image >= 0)
    {
        DrawImage(dc, data, box, lpdis->itemState, flat);
        if (checked)
            dc->Draw3dRect(&box, uxAfxData.m_clrBtnShadow, uxAfxData.m_clrBtnHilite);
    }
    else if (checked)
    {
        // The highlight leaves the image box out: the tick keeps the colour of an item at rest.
        COLORREF tickColor = disabled ? uxAfxData.m_clrGrayText : uxAfxData.m_clrMenuText;
        DrawCheckMark(dc, box, tickColor, (data->m_fType & MFT_RADIOCHECK) != 0);
    }

    textArea.left = box.right + (flat ? 8 : 7);
    BOOL bold =
        data->m_nID >= 0 && ::GetMenuDefaultItem(data->m_hMenu, FALSE, 0) == static_cast<UINT>(data->m_nID);
    DrawMenuText(dc, textArea, data->m_strText, textColor, bold, disabled && !flat && !selected);
    dc->RestoreDC(saved);
    return TRUE;
}

void CUXCoolMenu::DrawImage(CDC* dc, const CUXMenuItemData* data, const CRect& box, UINT itemState, BOOL flat)
{
    int image = GetImageIndex(static_cast<UINT>(data->m_nID));
    if (image < 0 || m_images.m_hImageList == nullptr)
        return;
    int x = box.left + (box.Width() - m_cxImage) / 2;
    int y = box.top + (box.Height() - m_cyImage) / 2;
    BOOL disabled = (itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
    if (disabled)
    {
        int own = GetImageIndex(static_cast<UINT>(data->m_nID), FALSE);
        if (own >= 0)
        {
            ::ImageList_Draw(m_disabledImages, own, dc->m_hDC, x, y, ILD_TRANSPARENT);
            return;
        }
        HICON icon = ::ImageList_GetIcon(m_images, image, ILD_NORMAL);
        ::DrawStateA(dc->m_hDC, nullptr, nullptr, reinterpret_cast<LPARAM>(icon), 0, x, y, m_cxImage, m_cyImage,
                     DST_ICON | DSS_DISABLED);
        ::DestroyIcon(icon);
        return;
    }
    if (flat && (itemState & ODS_SELECTED))
    {
        // Raised over a monochrome shadow of itself.
        HICON icon = ::ImageList_GetIcon(m_images, image, ILD_NORMAL);
        CBrush shadow(uxAfxData.m_clrBtnShadow);
        ::DrawStateA(dc->m_hDC, shadow, nullptr, reinterpret_cast<LPARAM>(icon), 0, x + 1, y + 1, m_cxImage,
                     m_cyImage, DST_ICON | DSS_MONO);
        ::DestroyIcon(icon);
        x -= 1;
        y -= 1;
    }
    ::ImageList_Draw(m_images, image, dc->m_hDC, x, y, ILD_TRANSPARENT);
}

void CUXCoolMenu::DrawMenuText(CDC* dc, const CRect& rect, const CString& text, COLORREF color, BOOL bold,
                               BOOL embossed)
{
    CString shown = text;
    if (!m_bKeyboardCues && !State().showUnderlines)
        shown = StripMnemonics(shown);
    CString label = shown;
    CString shortcut;
    int tab = shown.Find('\t');
    if (tab >= 0)
    {
        label = shown.Left(tab);
        shortcut = shown.Mid(tab + 1);
    }
    HGDIOBJ oldFont = ::SelectObject(dc->m_hDC, bold ? uxAfxData.m_fontBold : uxAfxData.m_fontNormal);
    dc->SetBkMode(TRANSPARENT);
    CRect right(rect);
    right.right -= IsFlat() ? 20 : m_cxImageBox;
    auto draw = [&](int dx, COLORREF c)
    {
        dc->SetTextColor(c);
        CRect l(rect), r(right);
        l.OffsetRect(dx, dx);
        r.OffsetRect(dx, dx);
        dc->DrawText(label, &l, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
        if (!shortcut.IsEmpty())
            dc->DrawText(shortcut, &r, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
    };
    if (embossed)
        draw(1, uxAfxData.m_clrBtnHilite);
    draw(0, color);
    ::SelectObject(dc->m_hDC, oldFont);
}

void CUXCoolMenu::DrawCheckMark(CDC* dc, const CRect& box, COLORREF color, BOOL bullet)
{
    int cx = box.left + box.Width() / 2;
    int cy = box.top + box.Height() / 2;
    if (bullet)
    {
        static const int rows[] = {1, 3, 3, 3, 1};   // half-widths of a round bullet, 5 rows
        for (int r = 0; r < 5; ++r)
            for (int x = -rows[r] / 1; x <= rows[r]; ++x)
                if (x * x + (r - 2) * (r - 2) <= 5)
                    dc->SetPixelV(cx + x, cy - 2 + r, color);
        return;
    }
    // A tick: down three pixels, then up four, three pixels thick.
    int x = cx - 3;
    int y = cy - 1;
    for (int i = 0; i < 7; ++i)
    {
        int dy = i < 3 ? i : 4 - i;
        for (int t = 0; t < 3; ++t)
            dc->SetPixelV(x + i, y + dy + t, color);
    }
}

void CUXCoolMenu::DrawChevron(CDC* dc, const CRect& rect, BOOL selected)
{
    MenuState& s = State();
    s.chevronHot = selected;
    BOOL flat = IsFlat();
    if (!flat && selected)
        dc->Draw3dRect(&rect, uxAfxData.m_clrBtnHilite, uxAfxData.m_clrBtnShadow);
    else if (flat && selected)
    {
        CRect hot(rect.left + 1, rect.top, rect.right - 1, rect.bottom);
        dc->FillSolidRect(&hot, uxAfxData.m_clrLightSelection);
        CBrush frame(uxAfxData.m_clrHilite);
        dc->FrameRect(&hot, &frame);
    }
    // Two chevrons pointing down, five pixels wide, four pixels apart.
    COLORREF color = uxAfxData.m_clrMenuText;
    int left = rect.left + (rect.Width() - 5) / 2;
    int top = rect.top + (rect.Height() - 7) / 2;
    for (int c = 0; c < 2; ++c)
        for (int x = 0; x < 5; ++x)
        {
            int y = top + c * 4 + (x < 3 ? x : 4 - x);
            dc->SetPixelV(left + x, y, color);
            dc->SetPixelV(left + x, y + 1, color);
        }
    // Resting on the chevron shows every item after a while.
    BOOL expand = selected && uxAfxData.m_bMenuDelayedExpand && !s.oldSystem && m_hWnd != nullptr;
    if (expand && !m_bTimerRunning)
        m_bTimerRunning = ::SetTimer(m_hWnd, kExpandTimer, kExpandDelay, nullptr) != 0;
    else if (!expand && m_bTimerRunning)
    {
        ::KillTimer(m_hWnd, kExpandTimer);
        m_bTimerRunning = FALSE;
    }
}

// ---- CUXTrackMenu --------------------------------------------------------------------------------------

CUXTrackMenu::CUXTrackMenu()
{
    ++State().trackOpen;
}

CUXTrackMenu::~CUXTrackMenu()
{
    --State().trackOpen;
    DestroyMenu();
}

BOOL CUXTrackMenu::IsOpen()
{
    return State().trackOpen > 0;
}

UINT CUXTrackMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pOwner, BOOL post)
{
    return TrackPopupMenuEx(nFlags, x, y, pOwner, nullptr, post);
}

UINT CUXTrackMenu::TrackPopupMenuEx(UINT nFlags, int x, int y, CWnd* pOwner, LPTPMPARAMS lptpm, BOOL post)
{
    if (m_hMenu == nullptr || pOwner == nullptr || pOwner->m_hWnd == nullptr)
        return 0;
    MenuState& s = State();
    // Menus still open close first.
    BOOL closed = FALSE;
    for (CUXPopupMenuHook* hook : s.popups)
        if (::IsWindowVisible(hook->m_hWnd))
            closed = ::PostMessageA(hook->m_hWnd, WM_CLOSE, 0, 0) || closed;
    if (closed)
    {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            if (msg.message == WM_QUIT)
            {
                ::PostQuitMessage(static_cast<int>(msg.wParam));
                break;
            }
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    UINT side = s.dropSide;
    CRect dropRect = s.dropRect;
    HWND owner = pOwner->m_hWnd;
    UINT command = 0;
    for (;;)
    {
        s.reopenFull = FALSE;
        command = static_cast<UINT>(::TrackPopupMenuEx(m_hMenu, nFlags | TPM_RETURNCMD, x, y, owner, lptpm));
        if (command == 0 && s.reopenFull)
            command = ID_UX_FULL_MENUS;
        s.reopenFull = FALSE;
        if (command != ID_UX_FULL_MENUS || !::IsWindow(owner))
            break;
        // The chevron: the owner learns that every item is wanted, and the menu opens again.
        ::SendMessageA(owner, WM_COMMAND, ID_UX_FULL_MENUS, 0);
        s.dropSide = side;
        s.dropRect = dropRect;
    }
    if (post && command != 0 && ::IsWindow(owner))
        ::PostMessageA(owner, WM_COMMAND, command, 0);
    return command;
}
