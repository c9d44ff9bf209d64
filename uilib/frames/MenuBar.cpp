// CUXMenuBar: the bar, its menus, the children of an MDI frame, painting, and customization.
#include "uilib/frames/MenuBar.h"

#include "resources/uilib/UilibResources.h"
#include "uilib/core/base/Crc32.h"
#include "uilib/core/base/GlobalData.h"
#include "uilib/frames/MenuBarInternal.h"
#include "uilib/frames/ToolsManager.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

using namespace MenuBarInternal;

namespace
{
// Children the window menu lists.
const int kListedChildren = 9;

BOOL IsNT5OrLater()
{
    const OSVERSIONINFOA& version = GetOSVersionInfo();
    return version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion >= 5;
}

BOOL ReadKeyboardCues()
{
    BOOL cues = TRUE;
    if (IsNT5OrLater() && !::SystemParametersInfoA(SPI_GETKEYBOARDCUES, 0, &cues, 0))
        cues = TRUE;
    return cues;
}

CString MenuString(HMENU hMenu, int position)
{
    char text[256] = {};
    if (::GetMenuStringA(hMenu, static_cast<UINT>(position), text, sizeof(text), MF_BYPOSITION) <= 0)
        return CString();
    return text;
}

}   // namespace

// The text without its mnemonic markers and without what follows a tab.
CString MenuBarInternal::CommandName(const CString& text)
{
    CString name = text;
    name.Replace("&", "");
    int tab = name.Find('\t');
    return tab >= 0 ? name.Left(tab) : name;
}

// ---- hooks -----------------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CUXMBarWndHook, CUXWndHook)
IMPLEMENT_DYNAMIC(CUXMBarMDIWndHook, CUXMBarWndHook)

LRESULT CUXMBarWndHook::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_PAINT:
        if (IsKindOf(RUNTIME_CLASS(CUXMBarMDIWndHook)))
            m_pBar->SyncActiveMDIChild(TRUE);
        break;
    case WM_SYSCOLORCHANGE:
        if (m_pBar->m_hWnd != nullptr)
            m_pBar->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(uxAfxData.m_fontNormal.m_hObject), TRUE);
        break;
    case WM_NCACTIVATE:
    {
        LRESULT result = CUXWndHook::HandleMessage(message, wParam, lParam);
        m_pBar->OnFrameActivation(m_hWnd, wParam != 0);
        return result;
    }
    case WM_INITMENUPOPUP:
        // The window menu lists the children; the frame learns the entry's place in the bar.
        if (!HIWORD(lParam) && m_pBar->IsWindowMenu(reinterpret_cast<HMENU>(wParam)))
        {
            m_pBar->BuildWindowList(reinterpret_cast<HMENU>(wParam));
            int position = m_pBar->GetTrackedMenuPosition();
            if (position >= 0)
                lParam = MAKELPARAM(position, HIWORD(lParam));
        }
        break;
    case WM_MENUSELECT: m_pBar->OnMenuSelect(HIWORD(wParam), reinterpret_cast<HMENU>(lParam)); break;
    case WM_MDISETMENU:
        m_pBar->OnMDISetMenu(reinterpret_cast<HMENU>(wParam), reinterpret_cast<HMENU>(lParam));
        return 0;
    case WM_MDIREFRESHMENU:
        if (m_pBar->m_hWnd != nullptr)
            m_pBar->Invalidate();
        return 0;
    default: break;
    }
    return CUXWndHook::HandleMessage(message, wParam, lParam);
}

// ---- the bar ---------------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CUXMenuBar, CUXControlBar)

BEGIN_MESSAGE_MAP(CUXMenuBar, CUXControlBar)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_SETCURSOR()
    ON_WM_SETTINGCHANGE()
    ON_WM_SIZE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CUXMenuBar::CUXMenuBar()
{
    m_bKeyboardCues = ReadKeyboardCues();
    ResetTrackingState();
}

CUXMenuBar::~CUXMenuBar()
{
    m_items.clear();
    delete m_pFrameHook;
    delete m_pMDIHook;
    // The frame's own menu is the bar's now; the tools' pop-up stays with the tools manager.
    if (m_hMenuDefault != nullptr && ::IsMenu(m_hMenuDefault))
    {
        RemoveToolsMenu(m_hMenuDefault);
        ::DestroyMenu(m_hMenuDefault);
    }
}

CUXMenuBar* CUXMenuBar::FindMenuBar(CFrameWnd* pFrame)
{
    if (pFrame == nullptr)
        return nullptr;
    for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != nullptr;)
    {
        CControlBar* pBar = pFrame->m_listControlBars.GetNext(pos);
        if (pBar != nullptr && pBar->IsKindOf(RUNTIME_CLASS(CUXMenuBar)))
            return static_cast<CUXMenuBar*>(pBar);
    }
    return nullptr;
}

BOOL CUXMenuBar::CreateEx(CWnd* pFrame, DWORD dwCtrlStyle, DWORD dwStyle, CRect rcBorders, UINT nID)
{
    if (m_hWnd != nullptr || pFrame == nullptr || pFrame->m_hWnd == nullptr ||
        !pFrame->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
        return FALSE;
    SetBorders(rcBorders);
    m_dwStyle = dwStyle & CBRS_ALL;
    if (nID == AFX_IDW_TOOLBAR)
        m_dwStyle |= CBRS_HIDE_INPLACE;
    INITCOMMONCONTROLSEX init = {sizeof(init), ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&init);
    DWORD style = dwCtrlStyle | (dwStyle & 0xFFBF0000) | TBSTYLE_FLAT | CCS_NODIVIDER | CCS_NORESIZE |
                  CCS_NOPARENTALIGN | CCS_NOMOVEY;
    if (!CWnd::CreateEx(0, TOOLBARCLASSNAMEA, nullptr, style, CRect(0, 0, 0, 0), pFrame, nID))
    {
        if (m_pDockSite != nullptr)
            m_pDockSite->RemoveControlBar(this);
        m_pDockSite = nullptr;
        return FALSE;
    }
    // The frame's menu moves into the bar.
    m_hMenuDefault = ::GetMenu(pFrame->m_hWnd);
    if (m_hMenuDefault != nullptr)
        ::SetMenu(pFrame->m_hWnd, nullptr);
    m_pFrameHook = new CUXMBarWndHook(this);
    m_pFrameHook->AttachWindow(pFrame);
    if (pFrame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)))
    {
        m_hWndMDIClient = static_cast<CMDIFrameWnd*>(pFrame)->m_hWndMDIClient;
        if (m_hWndMDIClient != nullptr)
        {
            m_pMDIHook = new CUXMBarMDIWndHook(this);
            m_pMDIHook->AttachWindow(m_hWndMDIClient);
        }
    }
    CString title;
    AfxLoadString(IDS_UX_MENU_BAR, title, uxAfxData.m_hResourceModule);
    SetWindowText(title);
    LoadMenuItems(nullptr, nullptr);
    OfferCommands(TRUE);   // the frame's commands for the customize dialog's commands page
    return TRUE;
}

BOOL CUXMenuBar::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!CUXControlBar::PreCreateWindow(cs))
        return FALSE;
    cs.style |= WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    return TRUE;
}

void CUXMenuBar::OnDestroy()
{
    if (Filter().target == this)
        Filter().target = nullptr;
    m_customizeRegistration.Clear();
    if (m_pFrameHook != nullptr)
        m_pFrameHook->DetachWindow();
    if (m_pMDIHook != nullptr)
        m_pMDIHook->DetachWindow();
    CUXControlBar::OnDestroy();
}

CFrameWnd* CUXMenuBar::GetFrame() const
{
    return m_pDockSite;
}

// ---- menus -----------------------------------------------------------------------------------------------

CString CUXMenuBar::GetToolsMenuText()
{
    CString text;
    AfxLoadString(IDS_UX_TOOLS_MENU, text, uxAfxData.m_hResourceModule);
    return text;
}

HMENU CUXMenuBar::LoadMenuItems(HMENU hMenu, HMENU hWindowMenu)
{
    HMENU previous = m_hMenu;
    BOOL isDefault = hMenu == nullptr && hWindowMenu == nullptr;
    if (isDefault)
    {
        hMenu = m_hMenuDefault;
        CFrameWnd* pFrame = GetFrame();
        if (pFrame != nullptr && pFrame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)))
            hWindowMenu = static_cast<CMDIFrameWnd*>(pFrame)->GetWindowMenuPopup(hMenu);
    }
    if (hMenu == nullptr)
        hMenu = m_hMenu;
    // The tools' pop-up belongs to the tools manager: a menu the bar leaves (and whose owner may destroy it)
    // gives it back.
    if (previous != nullptr && previous != hMenu && ::IsMenu(previous))
        RemoveToolsMenu(previous);
    m_hMenu = hMenu;
    CUXToolsManager& tools = GetToolsManager();
    if (tools.IsEnabled() && m_hMenu != nullptr)
    {
        if (tools.GetMenu() == nullptr)
            tools.BuildMenu();
        InsertToolsMenu(tools.GetMenuPosition(m_hMenu == m_hMenuDefault));
    }
    RebuildItems();
    m_hWindowMenu = hWindowMenu;
    SyncActiveMDIChild(FALSE);
    if (m_hWnd != nullptr)
    {
        Invalidate();
        if (CFrameWnd* pFrame = GetFrame())
            pFrame->RecalcLayout();
    }
    return previous;
}

void CUXMenuBar::InsertToolsMenu(int position)
{
    HMENU tools = GetToolsManager().GetMenu();
    if (m_hMenu == nullptr || !::IsMenu(m_hMenu) || tools == nullptr || !::IsMenu(tools))
        return;
    int count = ::GetMenuItemCount(m_hMenu);
    if (count < 0)
        return;
    if (position < 0 || position > count)
        position = 0;
    CString title = GetToolsMenuText();
    if (position < count && MenuString(m_hMenu, position).CompareNoCase(title) == 0)
        return;
    ::InsertMenuA(m_hMenu, static_cast<UINT>(position), MF_BYPOSITION | MF_POPUP | MF_STRING,
                  reinterpret_cast<UINT_PTR>(tools), title);
}

void CUXMenuBar::RemoveToolsMenu(HMENU hMenu)
{
    HMENU tools = GetToolsManager().GetMenu();
    if (tools == nullptr)
        return;
    for (int pos = ::GetMenuItemCount(hMenu) - 1; pos >= 0; --pos)
        if (::GetSubMenu(hMenu, pos) == tools)
            ::RemoveMenu(hMenu, static_cast<UINT>(pos), MF_BYPOSITION);
}

void CUXMenuBar::OnMDISetMenu(HMENU hMenu, HMENU hWindowMenu)
{
    LoadMenuItems(hMenu != nullptr ? hMenu : m_hMenu, hWindowMenu != nullptr ? hWindowMenu : m_hWindowMenu);
    CFrameWnd* pFrame = GetFrame();
    if (pFrame != nullptr && pFrame->m_hWnd != nullptr && ::GetMenu(pFrame->m_hWnd) != nullptr)
        ::SetMenu(pFrame->m_hWnd, nullptr);
}

void CUXMenuBar::RebuildItems()
{
    m_items.clear();
    m_items.emplace_back(new CUXMenuBarIconItem(this));
    int count = m_hMenu != nullptr ? ::GetMenuItemCount(m_hMenu) : 0;
    for (int pos = 0; pos < count; ++pos)
    {
        CString text = MenuString(m_hMenu, pos);
        if (!text.IsEmpty())
            m_items.emplace_back(new CUXMenuBarTextItem(this, text, pos));
    }
    m_items.emplace_back(
        new CUXMenuBarMDIButton(this, CUXMenuBarMDIButton::kMinimize, SC_MINIMIZE, 0, IDS_UX_MINIMIZE_WINDOW));
    m_items.emplace_back(
        new CUXMenuBarMDIButton(this, CUXMenuBarMDIButton::kRestore, SC_RESTORE, 2, IDS_UX_RESTORE_WINDOW));
    m_items.emplace_back(
        new CUXMenuBarMDIButton(this, CUXMenuBarMDIButton::kClose, SC_CLOSE, 0, IDS_UX_CLOSE_WINDOW));
    ResetTrackingState();
}

CUXMenuBarItem* CUXMenuBar::GetItem(int index) const
{
    return index >= 0 && index < GetItemCount() ? m_items[static_cast<size_t>(index)].get() : nullptr;
}

BOOL CUXMenuBar::IsMenuItem(int index) const
{
    CUXMenuBarItem* item = GetItem(index);
    return item != nullptr && !item->IsKindOf(RUNTIME_CLASS(CUXMenuBarMDIButton));
}

BOOL CUXMenuBar::IsVisibleItem(int index, int mask) const
{
    CUXMenuBarItem* item = GetItem(index);
    if (item == nullptr || item->IsHidden())
        return FALSE;
    return IsMenuItem(index) ? (mask & kMenuItems) != 0 : (mask & kMDIButtons) != 0;
}

int CUXMenuBar::HitTest(CPoint point, int mask) const
{
    for (int i = 0; i < GetItemCount(); ++i)
        if (IsVisibleItem(i, mask) && GetItem(i)->GetRect().PtInRect(point))
            return i;
    return -1;
}

int CUXMenuBar::NextMenuItem(int index, BOOL forward) const
{
    int count = GetItemCount();
    for (int step = 1; step <= count; ++step)
    {
        int candidate = ((index < 0 ? (forward ? -1 : 0) : index) + (forward ? step : -step) + 2 * count) % count;
        if (IsVisibleItem(candidate, kMenuItems))
            return candidate;
    }
    return -1;
}

int CUXMenuBar::FirstTextItem() const
{
    for (int i = 0; i < GetItemCount(); ++i)
        if (GetItem(i)->IsKindOf(RUNTIME_CLASS(CUXMenuBarTextItem)))
            return i;
    return -1;
}

int CUXMenuBar::FindMnemonic(char key) const
{
    char upper = CString::ToUpper1252(key);
    for (int i = 0; i < GetItemCount(); ++i)
    {
        char mnemonic = 0;
        if (IsVisibleItem(i, kAllItems) && GetItem(i)->GetMnemonic(mnemonic) && mnemonic == upper)
            return i;
    }
    return -1;
}

int CUXMenuBar::GetTrackedMenuPosition() const
{
    CUXMenuBarItem* item = GetItem(m_nTracked);
    return item != nullptr && item->IsKindOf(RUNTIME_CLASS(CUXMenuBarTextItem))
               ? static_cast<CUXMenuBarTextItem*>(item)->m_nPosition
               : -1;
}

// ---- MDI children ----------------------------------------------------------------------------------------

HWND CUXMenuBar::GetActiveMDIChild() const
{
    if (m_hWndMDIClient == nullptr || !::IsWindow(m_hWndMDIClient))
        return nullptr;
    return reinterpret_cast<HWND>(::SendMessageA(m_hWndMDIClient, WM_MDIGETACTIVE, 0, 0));
}

void CUXMenuBar::SyncActiveMDIChild(BOOL relayout)
{
    BOOL maximized = FALSE;
    HWND child = nullptr;
    if (m_hWndMDIClient != nullptr && ::IsWindow(m_hWndMDIClient))
        child = reinterpret_cast<HWND>(
            ::SendMessageA(m_hWndMDIClient, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized)));
    BOOL now = child != nullptr && maximized && (::GetWindowLongA(child, GWL_STYLE) & WS_SYSMENU) != 0;
    BOOL childChanged = child != m_hWndMDIChild;
    m_hWndMDIChild = child;
    if (now == m_bChildMaximized)
    {
        if (now && childChanged && m_hWnd != nullptr)
            Invalidate();
        return;
    }
    m_bChildMaximized = now;
    if (!relayout || m_hWnd == nullptr)
        return;
    Invalidate();
    if (CFrameWnd* pFrame = GetFrame())
    {
        pFrame->RecalcLayout();
        pFrame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
    }
}

BOOL CUXMenuBar::IsWindowMenu(HMENU hMenu) const
{
    return hMenu != nullptr && hMenu == m_hWindowMenu && m_hWndMDIClient != nullptr;
}

void CUXMenuBar::BuildWindowList(HMENU hWindowMenu)
{
    // Out with every entry from the first child entry on (the client's own list included).
    int count = ::GetMenuItemCount(hWindowMenu);
    int first = -1;
    for (int pos = 0; pos < count && first < 0; ++pos)
    {
        UINT id = ::GetMenuItemID(hWindowMenu, pos);
        if (id != static_cast<UINT>(-1) && id > 0xFEFF)
            first = pos;
    }
    if (first >= 0)
        for (int pos = count - 1; pos >= first; --pos)
            ::DeleteMenu(hWindowMenu, static_cast<UINT>(pos), MF_BYPOSITION);

    // The children in the client's order of ids.
    std::vector<std::pair<UINT, HWND>> children;
    for (HWND h = ::GetWindow(m_hWndMDIClient, GW_CHILD); h != nullptr; h = ::GetWindow(h, GW_HWNDNEXT))
    {
        UINT id = static_cast<UINT>(::GetDlgCtrlID(h));
        if (::GetWindow(h, GW_OWNER) == nullptr && id >= AFX_IDM_FIRST_MDICHILD)
            children.push_back({id, h});
    }
    if (children.empty())
        return;
    std::sort(children.begin(), children.end());
    HWND active = GetActiveMDIChild();
    std::vector<size_t> listed;
    for (size_t i = 0; i < children.size() && listed.size() < kListedChildren; ++i)
        listed.push_back(i);
    for (size_t i = kListedChildren; i < children.size(); ++i)
        if (children[i].second == active)
            listed.back() = i;   // the active child takes the last place

    count = ::GetMenuItemCount(hWindowMenu);
    if (first < 0 && count > 0 &&
        !(::GetMenuState(hWindowMenu, static_cast<UINT>(count - 1), MF_BYPOSITION) & MF_SEPARATOR))
        ::AppendMenuA(hWindowMenu, MF_SEPARATOR, 0, nullptr);
    for (size_t index : listed)
    {
        CString text;
        text.Format("&%d  %s", static_cast<int>(index + 1), AfxGetWindowText(children[index].second).GetString());
        UINT flags = MF_STRING | (children[index].second == active ? MF_CHECKED : MF_UNCHECKED);
        ::AppendMenuA(hWindowMenu, flags, children[index].first, text);
    }
    if (m_bMoreWindows)
    {
        ::AppendMenuA(hWindowMenu, MF_SEPARATOR, 0, nullptr);
        CString text;
        AfxLoadString(IDS_UX_MORE_WINDOWS, text, uxAfxData.m_hResourceModule);
        ::AppendMenuA(hWindowMenu, MF_STRING, ID_UX_MORE_WINDOWS, text);
    }
}

void CUXMenuBar::OnFrameActivation(HWND hWnd, BOOL active)
{
    CWnd* pFrame = CWnd::FromHandlePermanent(hWnd);
    if (pFrame != nullptr && (pFrame->m_nFlags & WF_STAYACTIVE))
        active = TRUE;
    else if (!::IsWindowEnabled(hWnd))
        active = FALSE;
    if (active == m_bFrameActive)
        return;
    m_bFrameActive = active;
    if (m_hWnd != nullptr)
        Invalidate();
}

// ---- painting and idle -----------------------------------------------------------------------------------

void CUXMenuBar::DoPaint(CDC* pDC)
{
    PlaceItems();
    for (int i = 0; i < GetItemCount(); ++i)
        if (IsVisibleItem(i, kAllItems))
            GetItem(i)->Draw(pDC);
}

BOOL CUXMenuBar::DrawFlatButton(CDC* pDC, CUXMenuBarMDIButton* pButton, const CRect& rect, UINT state)
{
    if (m_buttonGlyphs.m_hImageList == nullptr)
        return FALSE;
    BOOL pressed = (state & DFCS_PUSHED) != 0;
    BOOL hot = IsHotItem(pButton) && !(state & DFCS_INACTIVE);
    if (pressed || hot)
    {
        pDC->FillSolidRect(&rect, pressed ? uxAfxData.m_clrHalfSelection : uxAfxData.m_clrLightSelection);
        pDC->Draw3dRect(&rect, uxAfxData.m_clrHilite, uxAfxData.m_clrHilite);
    }
    int glyph = pButton->m_kind == CUXMenuBarMDIButton::kClose
                    ? 2
                    : (pButton->m_kind == CUXMenuBarMDIButton::kMinimize ? 0 : 1);
    HICON icon = m_buttonGlyphs.ExtractIcon(glyph);
    if (icon == nullptr)
        return FALSE;
    COLORREF color = (state & DFCS_INACTIVE) ? uxAfxData.m_clrGrayText : uxAfxData.m_clrBtnText;
    CBrush brush(color);
    ::DrawStateA(pDC->GetSafeHdc(), static_cast<HBRUSH>(brush.m_hObject), nullptr, reinterpret_cast<LPARAM>(icon),
                 0, rect.left + (rect.Width() - 10) / 2, rect.top + (rect.Height() - 10) / 2, 10, 10,
                 DST_ICON | DSS_MONO);
    ::DestroyIcon(icon);
    return TRUE;
}

void CUXMenuBar::OnUpdateCmdUI(CFrameWnd*, BOOL)
{
    if (m_nMode != kTracking)
        m_nNext = -1;
    SyncActiveMDIChild(TRUE);
    if (m_nMode == kIdle && m_nHot >= 0 && GetCapture() != this)
    {
        CPoint cursor;
        ::GetCursorPos(&cursor);
        ScreenToClient(&cursor);
        CRect client;
        GetClientRect(&client);
        if (!client.PtInRect(cursor))
            SetHotItem(-1);
    }
    if (IsNT5OrLater())
    {
        BOOL cues = ReadKeyboardCues();
        if (cues != m_bKeyboardCues)
        {
            m_bKeyboardCues = cues;
            Invalidate();
        }
    }
}

void CUXMenuBar::OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle)
{
    CUXControlBar::OnBarStyleChange(dwOldStyle, dwNewStyle);
    if ((dwOldStyle ^ dwNewStyle) & CBRS_FLOATING)
        ResetTrackingState();
}

INT_PTR CUXMenuBar::OnToolHitTest(CPoint point, TOOLINFOA* pTI) const
{
    int index = HitTest(point, kMDIButtons);
    if (index < 0)
        return -1;
    const CUXMenuBarMDIButton* button = static_cast<const CUXMenuBarMDIButton*>(GetItem(index));
    if (pTI != nullptr)
    {
        CString tip;
        AfxLoadString(button->m_nTipId, tip, uxAfxData.m_hResourceModule);
        pTI->hwnd = m_hWnd;
        pTI->uId = button->m_nTipId;
        pTI->rect = button->GetRect();
        pTI->lpszText = static_cast<LPSTR>(std::malloc(static_cast<size_t>(tip.GetLength()) + 1));
        if (pTI->lpszText == nullptr)
            return -1;
        std::memcpy(pTI->lpszText, tip.GetString(), static_cast<size_t>(tip.GetLength()) + 1);
    }
    return static_cast<INT_PTR>(button->m_nTipId);
}

// ---- hidden commands and customization -------------------------------------------------------------------

BOOL CUXMenuBar::AddHiddenCommand(UINT nID)
{
    m_hiddenCommands.push_back(nID);
    return TRUE;
}

BOOL CUXMenuBar::AddHiddenCommands(const UINT* ids, int count)
{
    if (ids == nullptr && count > 0)
        return FALSE;
    for (int i = 0; i < count; ++i)
        if (!AddHiddenCommand(ids[i]))
            return FALSE;
    return TRUE;
}

DWORD CUXMenuBar::GetPopupKey(const CString& entryText, const CString& subEntryText)
{
    static const BYTE zeros[4] = {};
    CUXCrc32 crc;
    crc.Update(entryText.GetString(), static_cast<size_t>(entryText.GetLength()));
    crc.Update(zeros, sizeof(zeros));
    crc.Update(subEntryText.GetString(), static_cast<size_t>(subEntryText.GetLength()));
    crc.Update(zeros, sizeof(zeros));
    return crc.GetValue();
}

HMENU CUXMenuBar::FindPopupByKey(DWORD key) const
{
    int count = m_hMenu != nullptr ? ::GetMenuItemCount(m_hMenu) : 0;
    for (int pos = 0; pos < count; ++pos)
    {
        HMENU hPopup = ::GetSubMenu(m_hMenu, pos);
        if (hPopup == nullptr)
            continue;
        CString entry = MenuString(m_hMenu, pos);
        int items = ::GetMenuItemCount(hPopup);
        for (int sub = 0; sub < items; ++sub)
        {
            HMENU hSub = ::GetSubMenu(hPopup, sub);
            if (hSub != nullptr && GetPopupKey(entry, MenuString(hPopup, sub)) == key)
                return hSub;
        }
    }
    return nullptr;
}

void CUXMenuBar::SetCustomizable(BOOL on)
{
    m_bCustomizable = on != FALSE;
    m_customizeRegistration.Set(m_bCustomizable, {CUXCustomizeCenter::kCustomizableBars});
    // Its sub-menus are found by key while the bar is customizable or offers them.
    m_customizeRegistration.Set(m_bCustomizable || m_bOfferCommands, {CUXCustomizeCenter::kCommandPopup});
}

void CUXMenuBar::OfferCommands(BOOL on)
{
    m_bOfferCommands = on != FALSE;
    m_customizeRegistration.Set(m_bOfferCommands, {CUXCustomizeCenter::kCommandCategories});
    // A sub-menu dragged onto a tool bar opens through the bar.
    m_customizeRegistration.Set(m_bCustomizable || m_bOfferCommands, {CUXCustomizeCenter::kCommandPopup});
}

void CUXMenuBar::GetCustomizeDescriptor(CUXBarDescriptor& descriptor)
{
    descriptor = CUXBarDescriptor();
    descriptor.pBar = this;
    descriptor.bCanHide = FALSE;
    descriptor.reset = [this] { LoadMenuItems(nullptr, nullptr); };
}

void CUXMenuBar::OnCustomizeMode(BOOL)
{
    // The entries stay as they are; the bar only ends a keyboard selection.
    if (m_nMode == kKeyboard)
    {
        SetMode(kIdle);
        SetHotItem(-1);
    }
}

HMENU CUXMenuBar::OnCommandPopup(UINT nPopupID)
{
    return FindPopupByKey(static_cast<DWORD>(nPopupID));
}

void CUXMenuBar::OnAddCommandCategories(CUXCommandCategories& categories)
{
    HMENU hMenu = m_hMenu;
    if (hMenu == nullptr)
        return;
    int count = ::GetMenuItemCount(hMenu);
    for (int pos = 0; pos < count; ++pos)
    {
        HMENU hPopup = ::GetSubMenu(hMenu, pos);
        if (hPopup == nullptr)
            continue;
        CString entry = MenuString(hMenu, pos);
        std::unique_ptr<CUXCommandCategory> category(new CUXCommandCategory);
        category->m_strName = CommandName(entry);
        category->m_nOrderKey = 1000 + pos;
        int items = ::GetMenuItemCount(hPopup);
        for (int sub = 0; sub < items; ++sub)
        {
            CString text = MenuString(hPopup, sub);
            if (text.IsEmpty())
                continue;   // separators
            std::unique_ptr<CUXCommandRecord> record(new CUXCommandRecord);
            record->m_strText = CommandName(text);
            if (::GetSubMenu(hPopup, sub) != nullptr)
                record->m_nOwnerValue = static_cast<int>(GetPopupKey(entry, text));
            else
                record->m_nID = static_cast<int>(::GetMenuItemID(hPopup, sub));
            category->Add(std::move(record));
        }
        categories.push_back(std::move(category));
    }
}
