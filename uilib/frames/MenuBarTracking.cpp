// CUXMenuBar: keyboard and menu modes, tracking the pop-ups with the menu filter, and the mouse.
#include "uilib/frames/MenuBar.h"

#include "uilib/core/bars/CoolMenu.h"
#include "uilib/core/base/GlobalData.h"
#include "uilib/frames/MenuBarInternal.h"

using namespace MenuBarInternal;

namespace
{
// Shared by every menu bar: mnemonics are underlined while the keyboard drives a bar.
BOOL& ShowUnderlinesFlag()
{
    static BOOL show = FALSE;
    return show;
}

// Windows 95 and NT 4.0 do not expand menus after a delay.
BOOL HasDelayedExpand()
{
    const OSVERSIONINFOA& version = GetOSVersionInfo();
    if (version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS)
        return !(version.dwMajorVersion == 4 && version.dwMinorVersion < 10);
    return !(version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion == 4);
}

}   // namespace

MenuFilter& MenuBarInternal::Filter()
{
    static MenuFilter filter;
    return filter;
}

// ---- modes and tracking ----------------------------------------------------------------------------------

BOOL CUXMenuBar::IsMenuFilterInstalled()
{
    return Filter().hook != nullptr;
}

BOOL CUXMenuBar::ShowsMnemonics() const
{
    return m_bKeyboardCues || ShowUnderlinesFlag();
}

void CUXMenuBar::SetShowUnderlines(BOOL show)
{
    if (ShowUnderlinesFlag() == show)
        return;
    ShowUnderlinesFlag() = show;
    CUXCoolMenu::SetShowUnderlines(show);
    if (m_hWnd != nullptr && !m_bKeyboardCues)
        Invalidate();
}

BOOL CUXMenuBar::IsHotItem(const CUXMenuBarItem* pItem) const
{
    return GetItem(m_nHot) == pItem;
}

BOOL CUXMenuBar::IsTrackedItem(const CUXMenuBarItem* pItem) const
{
    return GetItem(m_nTracked) == pItem;
}

BOOL CUXMenuBar::IsPressedButton(const CUXMenuBarItem* pItem) const
{
    return m_bMouseInside && GetItem(m_nPressedButton) == pItem;
}

void CUXMenuBar::InvalidateItem(int index)
{
    CUXMenuBarItem* item = GetItem(index);
    if (item == nullptr || m_hWnd == nullptr)
        return;
    CRect rect = item->GetRect();
    rect.InflateRect(0, 0, kShadow, kShadow);
    InvalidateRect(&rect, FALSE);
}

void CUXMenuBar::SetHotItem(int index)
{
    if (index == m_nHot)
        return;
    InvalidateItem(m_nHot);
    m_nHot = index;
    InvalidateItem(m_nHot);
}

void CUXMenuBar::SetMode(int mode)
{
    m_nMode = mode;
    if (mode == kTracking)
    {
        m_bEscapePressed = 0;
        m_bMayLeaveLeft = m_bMayLeaveRight = 1;
    }
    else if (mode == kKeyboard)
        ::GetCursorPos(&m_ptKeyMode);
}

void CUXMenuBar::ResetTrackingState()
{
    m_nHot = m_nTracked = m_nNext = m_nLastTracked = -1;
    m_nPressedButton = -1;
    m_bMouseInside = 0;
    m_bMouseKnown = FALSE;
    m_nMode = kIdle;
    m_bAltAlone = 0;
}

UINT CUXMenuBar::GetPopupSide() const
{
    if (IsDockedBottom())
        return CBRS_ALIGN_BOTTOM;
    if (IsDockedLeft())
        return CBRS_ALIGN_LEFT;
    if (IsDockedRight())
        return CBRS_ALIGN_RIGHT;
    return CBRS_ALIGN_TOP;
}

void CUXMenuBar::SwitchTo(int index)
{
    m_nNext = index;
    if (CFrameWnd* pFrame = GetFrame())
        pFrame->PostMessage(WM_CANCELMODE);
}

void CUXMenuBar::TrackPopup(int index)
{
    if (m_hWnd == nullptr)
        return;
    MenuFilter& filter = Filter();
    ::GetCursorPos(&m_ptLastMouse);
    m_bMouseKnown = TRUE;
    while (index >= 0 && GetItem(index) != nullptr && m_hWnd != nullptr)
    {
        m_nTracked = m_nLastTracked = index;
        m_nNext = -1;
        SetHotItem(index);
        InvalidateItem(index);
        SetMode(kTracking);
        if (filter.nesting == 0)
            filter.hook =
                ::SetWindowsHookExA(WH_MSGFILTER, &CUXMenuBar::MessageFilterProc, nullptr, ::GetCurrentThreadId());
        filter.target = this;
        ++filter.nesting;
        GetItem(index)->Track();
        if (--filter.nesting == 0)
        {
            if (filter.hook != nullptr)
                ::UnhookWindowsHookEx(filter.hook);
            filter.hook = nullptr;
            filter.target = nullptr;
        }
        if (m_hWnd == nullptr)
            return;
        if (m_bHoverTimer)
        {
            if (CFrameWnd* pFrame = GetFrame())
                pFrame->KillTimer(kHoverTimer);
            m_bHoverTimer = 0;
        }
        InvalidateItem(index);
        if (filter.nesting == 0)
            SetMode(m_bEscapePressed ? kKeyboard : kIdle);
        index = m_nNext;
    }
    m_nTracked = -1;
    m_nNext = -1;
    m_bKeyboardOpen = 0;
    if (m_nMode == kKeyboard)
        SetHotItem(m_nLastTracked);
    else
    {
        SetShowUnderlines(FALSE);
        CPoint cursor;
        ::GetCursorPos(&cursor);
        ScreenToClient(&cursor);
        SetHotItem(HitTest(cursor, kAllItems));
    }
    UpdateWindow();
}

void CUXMenuBar::TrackTextItem(CUXMenuBarTextItem* pItem)
{
    CFrameWnd* pFrame = GetFrame();
    if (pFrame == nullptr || m_hMenu == nullptr)
        return;
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_SUBMENU | MIIM_ID;
    if (!::GetMenuItemInfoA(m_hMenu, static_cast<UINT>(pItem->m_nPosition), TRUE, &info))
        return;
    if (info.hSubMenu == nullptr)
    {
        pFrame->PostMessage(WM_COMMAND, info.wID);
        return;
    }
    CRect rect = pItem->GetRect();
    ClientToScreen(&rect);
    UINT side = GetPopupSide();
    TPMPARAMS params = {};
    params.cbSize = sizeof(params);
    params.rcExclude = rect;
    UINT flags = TPM_LEFTALIGN | TPM_LEFTBUTTON;
    CPoint at(rect.left, rect.bottom);
    switch (side)
    {
    case CBRS_ALIGN_BOTTOM:
        flags |= TPM_VERTICAL | TPM_BOTTOMALIGN;
        at = CPoint(rect.left, rect.top);
        break;
    case CBRS_ALIGN_LEFT:
        flags |= TPM_HORIZONTAL;
        at = CPoint(rect.right, rect.top);
        break;
    case CBRS_ALIGN_RIGHT:
        flags = (flags & ~TPM_LEFTALIGN) | TPM_RIGHTALIGN | TPM_HORIZONTAL;
        at = CPoint(rect.left, rect.top);
        break;
    default: flags |= TPM_VERTICAL; break;
    }
    CUXCoolMenu::SetDropDownSide(side, rect);
    // Opened from the keyboard, the pop-up starts with its first entry selected.
    if (m_bKeyboardOpen)
        pFrame->PostMessage(WM_KEYDOWN, VK_DOWN);
    m_hMenuTracked = info.hSubMenu;
    Invalidate();
    UpdateWindow();
    CUXTrackMenu menu;
    menu.Attach(info.hSubMenu);
    menu.TrackPopupMenuEx(flags, at.x, at.y, pFrame, &params, TRUE);
    menu.Detach();
    m_hMenuTracked = nullptr;
}

void CUXMenuBar::TrackIconItem(CUXMenuBarIconItem* pItem)
{
    HWND child = GetActiveMDIChild();
    CFrameWnd* pFrame = GetFrame();
    HMENU system = child != nullptr ? ::GetSystemMenu(child, FALSE) : nullptr;
    if (system == nullptr || pFrame == nullptr)
        return;
    CRect rect = pItem->GetRect();
    ClientToScreen(&rect);
    TPMPARAMS params = {};
    params.cbSize = sizeof(params);
    params.rcExclude = rect;
    // The system menu stays as the system draws it.
    CUXCoolMenu::SkipNextMenuInit();
    m_hMenuTracked = system;
    Invalidate();
    UINT command =
        static_cast<UINT>(::TrackPopupMenuEx(system, TPM_LEFTALIGN | TPM_LEFTBUTTON | TPM_VERTICAL | TPM_RETURNCMD,
                                             rect.left, rect.bottom, pFrame->m_hWnd, &params));
    m_hMenuTracked = nullptr;
    if (command != 0 && ::IsWindow(child))
        ::PostMessageA(child, WM_SYSCOMMAND, command, 0);
}

void CUXMenuBar::OnMenuSelect(UINT nFlags, HMENU hMenu)
{
    if (m_nMode != kTracking || (nFlags == 0xFFFF && hMenu == nullptr))
        return;
    // Right opens a sub-menu; Left closes one before it may leave the entry.
    m_bMayLeaveRight = (nFlags & MF_POPUP) ? 0 : 1;
    m_bMayLeaveLeft = hMenu == m_hMenuTracked ? 1 : 0;
}

LRESULT CALLBACK CUXMenuBar::MessageFilterProc(int code, WPARAM wParam, LPARAM lParam)
{
    MenuFilter& filter = Filter();
    if (code == MSGF_MENU && filter.target != nullptr &&
        filter.target->FilterMenuMessage(reinterpret_cast<MSG*>(lParam)))
        return 1;
    return ::CallNextHookEx(filter.hook, code, wParam, lParam);
}

BOOL CUXMenuBar::FilterMenuMessage(MSG* pMsg)
{
    if (pMsg == nullptr || m_hWnd == nullptr)
        return FALSE;
    switch (pMsg->message)
    {
    case WM_KEYDOWN:
        if ((pMsg->wParam == VK_LEFT && m_bMayLeaveLeft) || (pMsg->wParam == VK_RIGHT && m_bMayLeaveRight))
        {
            SwitchTo(NextMenuItem(m_nTracked, pMsg->wParam == VK_RIGHT));
            m_bKeyboardOpen = 1;
            return TRUE;
        }
        if (pMsg->wParam == VK_ESCAPE)
            m_bEscapePressed = 1;
        return FALSE;
    case WM_MOUSEMOVE:
    {
        CPoint point = pMsg->pt;
        int hit = -1;
        HWND under = ::WindowFromPoint(point);
        if (under == m_hWnd || under == nullptr)
        {
            CPoint client = point;
            ScreenToClient(&client);
            hit = HitTest(client, kMenuItems);
        }
        if ((!m_bMouseKnown || point != m_ptLastMouse) && hit >= 0 && hit != m_nTracked)
        {
            SwitchTo(hit);
            m_bKeyboardOpen = 0;
        }
        m_ptLastMouse = point;
        m_bMouseKnown = TRUE;
        // Resting on the open entry shows the whole menu after a while.
        CFrameWnd* pFrame = GetFrame();
        if (pFrame != nullptr && HasDelayedExpand())
        {
            if (hit == m_nTracked && !m_hiddenCommands.empty() && !m_bHoverTimer)
            {
                pFrame->SetTimer(kHoverTimer, kHoverDelay);
                m_bHoverTimer = 1;
            }
            else if (hit != m_nTracked && m_bHoverTimer)
            {
                pFrame->KillTimer(kHoverTimer);
                m_bHoverTimer = 0;
            }
        }
        return FALSE;
    }
    case WM_LBUTTONDOWN:
    {
        CPoint client = pMsg->pt;
        if (::WindowFromPoint(client) != m_hWnd)
            return FALSE;
        ScreenToClient(&client);
        if (HitTest(client, kMenuItems) != m_nTracked)
            return FALSE;
        SwitchTo(-1);
        return TRUE;
    }
    default: return FALSE;
    }
}

void CUXMenuBar::Beep()
{
    ::MessageBeep(0);
}

BOOL CUXMenuBar::PreTranslateFrameMessage(MSG* pMsg)
{
    if (pMsg == nullptr || m_hWnd == nullptr || !IsWindowVisible())
        return FALSE;
    UINT message = pMsg->message;
    UINT vk = static_cast<UINT>(pMsg->wParam);
    BOOL keyMessage = message == WM_KEYDOWN || message == WM_SYSKEYDOWN || message == WM_SYSKEYUP;
    BOOL noModifiers =
        ::GetKeyState(VK_SHIFT) >= 0 && ::GetKeyState(VK_CONTROL) >= 0 && ::GetKeyState(VK_MENU) >= 0;
    BOOL f10 = vk == VK_F10 && noModifiers;

    // Function keys belong to the program (F10 alone excepted).
    if (keyMessage && vk >= VK_F1 && vk <= VK_F11 && !f10)
        return FALSE;
    if (message >= WM_LBUTTONDOWN && message <= WM_MBUTTONDBLCLK)
    {
        if (pMsg->hwnd != m_hWnd && m_nMode != kIdle)
        {
            SetMode(kIdle);
            SetHotItem(-1);
        }
        SetShowUnderlines(FALSE);
        return FALSE;
    }
    if (message == WM_SYSKEYDOWN && (pMsg->lParam & 0x20000000))
        SetShowUnderlines(TRUE);
    if (keyMessage && (vk == VK_MENU || f10))
    {
        if (message != WM_SYSKEYUP)
        {
            // A repeat of the held key changes nothing.
            if (!(pMsg->lParam & 0x40000000))
                m_bAltAlone = 1;
            return TRUE;
        }
        // Releasing Alt (or F10) alone selects an entry, or takes the selection away again.
        if (m_bAltAlone)
        {
            if (m_nMode == kIdle)
            {
                SetMode(kKeyboard);
                SetHotItem(m_nHot >= 0 ? m_nHot : FirstTextItem());
                SetShowUnderlines(TRUE);
            }
            else if (m_nMode == kKeyboard)
            {
                SetMode(kIdle);
                SetHotItem(-1);
                SetShowUnderlines(FALSE);
            }
        }
        else if (m_nMode == kIdle)
            SetShowUnderlines(FALSE);
        m_bAltAlone = 0;
        return TRUE;
    }
    if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN)
        m_bAltAlone = 0;
    if (message == WM_KEYDOWN && m_nMode == kKeyboard)
    {
        switch (vk)
        {
        case VK_RETURN:
        case VK_SPACE:
        case VK_UP:
        case VK_DOWN:
            m_bKeyboardOpen = 1;
            TrackPopup(m_nHot);
            return TRUE;
        case VK_ESCAPE:
            SetMode(kIdle);
            SetHotItem(-1);
            SetShowUnderlines(FALSE);
            return TRUE;
        case VK_LEFT:
        case VK_RIGHT: SetHotItem(NextMenuItem(m_nHot, vk == VK_RIGHT)); return TRUE;
        default: break;
        }
    }
    BOOL alt = message == WM_SYSKEYDOWN && (pMsg->lParam & 0x20000000);
    if (message == WM_KEYDOWN ? m_nMode != kKeyboard : !alt)
        return FALSE;
    // A letter or a digit opens the entry it underlines; only the keyboard mode answers a miss.
    if (!((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z')))
        return FALSE;
    int index = FindMnemonic(static_cast<char>(vk));
    if (index >= 0)
    {
        m_bKeyboardOpen = 1;
        TrackPopup(index);
        return TRUE;
    }
    if (m_nMode == kKeyboard && !alt)
    {
        Beep();
        return TRUE;
    }
    return FALSE;
}

// ---- mouse -----------------------------------------------------------------------------------------------

BOOL CUXMenuBar::CanPressButton(int index) const
{
    CUXMenuBarItem* item = GetItem(index);
    HWND child = GetActiveMDIChild();
    return item != nullptr && !IsMenuItem(index) && m_bChildMaximized && child != nullptr &&
           (::GetWindowLongA(child, GWL_STYLE) & WS_SYSMENU) &&
           static_cast<CUXMenuBarMDIButton*>(item)->IsAvailable();
}

void CUXMenuBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    int index = HitTest(point, kAllItems);
    if (index >= 0 && IsMenuItem(index))
    {
        if (index != m_nTracked)
            TrackPopup(index);
        return;
    }
    if (index >= 0)
    {
        if (CanPressButton(index))
        {
            m_nPressedButton = index;
            m_bMouseInside = 1;
            SetCapture();
            InvalidateItem(index);
        }
        return;
    }
    if (m_pDockContext != nullptr)
    {
        ClientToScreen(&point);
        m_pDockContext->StartDrag(point);
        return;
    }
    CUXControlBar::OnLButtonDown(nFlags, point);
}

void CUXMenuBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    int index = HitTest(point, kAllItems);
    if (index >= 0 && IsMenuItem(index))
    {
        GetItem(index)->OnDblClick();
        return;
    }
    if (index >= 0)
    {
        if (!CanPressButton(index))
            return;
        CUXMenuBarMDIButton* button = static_cast<CUXMenuBarMDIButton*>(GetItem(index));
        if (button->m_nCommand == SC_CLOSE)
        {
            ::PostMessageA(GetActiveMDIChild(), WM_SYSCOMMAND, SC_CLOSE, 0);
            return;
        }
        OnLButtonDown(nFlags, point);
        return;
    }
    CUXControlBar::OnLButtonDblClk(nFlags, point);
}

void CUXMenuBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_nPressedButton < 0)
    {
        CUXControlBar::OnLButtonUp(nFlags, point);
        return;
    }
    int index = m_nPressedButton;
    BOOL inside = GetItem(index)->GetRect().PtInRect(point);
    m_nPressedButton = -1;
    m_bMouseInside = 0;
    if (GetCapture() == this)
        ::ReleaseCapture();
    InvalidateItem(index);
    HWND child = GetActiveMDIChild();
    if (inside && child != nullptr)
        ::PostMessageA(child, WM_SYSCOMMAND, static_cast<CUXMenuBarMDIButton*>(GetItem(index))->m_nCommand, 0);
}

void CUXMenuBar::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_nPressedButton >= 0)
    {
        BYTE inside = GetItem(m_nPressedButton)->GetRect().PtInRect(point) ? 1 : 0;
        if (inside != m_bMouseInside)
        {
            m_bMouseInside = inside;
            InvalidateItem(m_nPressedButton);
        }
        return;
    }
    CPoint screen = point;
    ClientToScreen(&screen);
    if (m_nMode == kKeyboard && screen == m_ptKeyMode)
        return;
    if (m_nMode != kTracking)
        SetHotItem(HitTest(point, kAllItems));
    CUXControlBar::OnMouseMove(nFlags, point);
}

BOOL CUXMenuBar::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_bChildMaximized)
    {
        CPoint cursor;
        ::GetCursorPos(&cursor);
        ScreenToClient(&cursor);
        if (HitTest(cursor, kAllItems) >= 0)
        {
            ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
            return TRUE;
        }
    }
    return CUXControlBar::OnSetCursor(pWnd, nHitTest, message);
}

void CUXMenuBar::OnSize(UINT nType, int cx, int cy)
{
    CUXControlBar::OnSize(nType, cx, cy);
    // A bar made narrower gets no paint of its own: its items take their rows for the new size now (and
    // are painted there), not at some later paint.
    PlaceItems();
}

void CUXMenuBar::OnSettingChange(UINT uFlags, LPCSTR lpszSection)
{
    CUXControlBar::OnSettingChange(uFlags, lpszSection);
    LoadMenuItems(m_hMenu, m_hWindowMenu);
    // The frame lays its bars out again: one pixel larger and back.
    CFrameWnd* pFrame = GetTopLevelFrame();
    if (pFrame == nullptr || pFrame->m_hWnd == nullptr)
        return;
    CRect window;
    pFrame->GetWindowRect(&window);
    UINT flags = SWP_NOMOVE | SWP_NOZORDER;
    pFrame->SetWindowPos(nullptr, 0, 0, window.Width() + 1, window.Height(), flags);
    pFrame->SetWindowPos(nullptr, 0, 0, window.Width(), window.Height(), flags);
}
