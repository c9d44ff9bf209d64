#include "uilib/frames/MenuBar.h"

#include "resources/uilib/UilibResources.h"
#include "uilib/core/bars/CoolMenu.h"
#include "uilib/core/base/Crc32.h"
#include "uilib/core/bars/CustomizeCenter.h"
#include "uilib/core/base/DropShadow.h"
#include "uilib/core/base/GlobalData.h"
#include "uilib/core/base/Helpers.h"
#include "uilib/core/bars/ToolBar.h"
#include "uilib/frames/ToolsManager.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace
{

// The message filter exists while a pop-up of any menu bar is open: one per thread, with the bar it serves.
struct MenuFilter
{
    HHOOK hook = nullptr;
    int nesting = 0;
    CUXMenuBar* target = nullptr;
};
MenuFilter& Filter()
{
    static MenuFilter filter;
    return filter;
}

// Shared by every menu bar: mnemonics are underlined while the keyboard drives a bar.
BOOL& ShowUnderlinesFlag()
{
    static BOOL show = FALSE;
    return show;
}

// Text items are this much wider and taller than their text.
const int kTextMarginX = 14;
const int kTextMarginY = 2;
// Entry texts are cut to this length.
const int kMaxEntryText = 63;
// Children the window menu lists.
const int kListedChildren = 9;
// The widths of a drop shadow.
const int kShadow = 4;

BOOL IsNT5OrLater()
{
    const OSVERSIONINFOA& version = GetOSVersionInfo();
    return version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion >= 5;
}

// Windows 95 and NT 4.0 do not expand menus after a delay.
BOOL HasDelayedExpand()
{
    const OSVERSIONINFOA& version = GetOSVersionInfo();
    if (version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS)
        return !(version.dwMajorVersion == 4 && version.dwMinorVersion < 10);
    return !(version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion == 4);
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

// The text without its mnemonic markers and without what follows a tab.
CString CommandName(const CString& text)
{
    CString name = text;
    name.Replace("&", "");
    int tab = name.Find('\t');
    return tab >= 0 ? name.Left(tab) : name;
}

// The character after the mnemonic marker ("&&" is a literal), or 0.
int MnemonicIndex(const CString& text)
{
    for (int i = 0; i + 1 < text.GetLength(); ++i)
    {
        if (text[i] != '&')
            continue;
        if (text[i + 1] != '&')
            return i + 1;
        ++i;
    }
    return -1;
}

HICON ChildIcon(HWND hWndChild)
{
    HICON icon = reinterpret_cast<HICON>(::SendMessageA(hWndChild, WM_GETICON, ICON_SMALL, 0));
    if (icon == nullptr)
        icon = reinterpret_cast<HICON>(::GetClassLongPtrA(hWndChild, GCLP_HICONSM));
    if (icon == nullptr)
        icon = reinterpret_cast<HICON>(::GetClassLongPtrA(hWndChild, GCLP_HICON));
    if (icon == nullptr)
        icon = ::LoadIconA(nullptr, IDI_WINLOGO);
    return icon;
}

}   // namespace

// ---- items -----------------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CUXMenuBarItem, CObject)
IMPLEMENT_DYNAMIC(CUXMenuBarIconItem, CUXMenuBarItem)
IMPLEMENT_DYNAMIC(CUXMenuBarTextItem, CUXMenuBarItem)
IMPLEMENT_DYNAMIC(CUXMenuBarMDIButton, CUXMenuBarItem)

BOOL CUXMenuBarItem::GetMnemonic(char&) const
{
    return FALSE;
}

BOOL CUXMenuBarIconItem::IsHidden() const
{
    return !m_pBar->IsChildMaximized() || !m_pBar->ShowsMDIButtons();
}

CSize CUXMenuBarIconItem::GetSize() const
{
    if (uxAfxData.m_bFlatLook)
        return CSize(16, 15);
    return CSize(::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON) - 1);
}

void CUXMenuBarIconItem::Draw(CDC* pDC)
{
    HWND child = m_pBar->GetActiveMDIChild();
    if (child == nullptr)
        return;
    CRect rect = GetRect();
    int cx = ::GetSystemMetrics(SM_CXSMICON);
    int cy = ::GetSystemMetrics(SM_CYSMICON);
    ::DrawIconEx(pDC->GetSafeHdc(), rect.left + (rect.Width() - cx) / 2, rect.top + (rect.Height() - cy) / 2,
                 ChildIcon(child), cx, cy, 0, nullptr, DI_NORMAL);
}

void CUXMenuBarIconItem::Track()
{
    m_pBar->TrackIconItem(this);
}

void CUXMenuBarIconItem::OnDblClick()
{
    if (HWND child = m_pBar->GetActiveMDIChild())
        ::PostMessageA(child, WM_SYSCOMMAND, SC_CLOSE, 0);
}

CUXMenuBarTextItem::CUXMenuBarTextItem(CUXMenuBar* pBar, const CString& text, int position)
    : CUXMenuBarItem(pBar), m_strText(text.Left(kMaxEntryText)), m_nPosition(position)
{
    CWindowDC dc(nullptr);
    CFont* old = dc.SelectObject(&uxAfxData.m_fontNormal);
    CString shown = m_strText;
    shown.Replace("&&", "\x01");
    shown.Replace("&", "");
    shown.Replace("\x01", "&");
    CSize extent = dc.GetTextExtent(shown);
    dc.SelectObject(old);
    m_size = CSize(extent.cx + kTextMarginX, extent.cy + kTextMarginY);
}

BOOL CUXMenuBarTextItem::GetMnemonic(char& mnemonic) const
{
    int index = MnemonicIndex(m_strText);
    if (index < 0)
        return FALSE;
    mnemonic = CString::ToUpper1252(m_strText[index]);
    return TRUE;
}

CSize CUXMenuBarTextItem::GetSize() const
{
    return m_pBar->IsVerticalLayout() ? CSize(m_size.cy, m_size.cx) : m_size;
}

void CUXMenuBarTextItem::Track()
{
    m_pBar->TrackTextItem(this);
}

void CUXMenuBarTextItem::Draw(CDC* pDC)
{
    CRect rect = GetRect();
    BOOL open = m_pBar->IsTrackedItem(this) && m_pBar->IsPopupOpen();
    BOOL hot = m_pBar->IsHotItem(this) && !open;
    BOOL active = m_pBar->IsFrameActive();
    CPoint shift(0, 0);
    if (uxAfxData.m_bFlatLook)
    {
        if (open)
        {
            // Joined to the open pop-up: the edge that touches it takes the pop-up's colour.
            COLORREF popup = uxAfxData.m_clrWindowFace;
            pDC->FillSolidRect(&rect, popup);
            pDC->Draw3dRect(&rect, uxAfxData.m_clrDarkShadow, uxAfxData.m_clrDarkShadow);
            CRect edge = rect;
            switch (m_pBar->GetPopupSide())
            {
            case CBRS_ALIGN_BOTTOM: edge.bottom = edge.top + 1; break;
            case CBRS_ALIGN_LEFT: edge.left = edge.right - 1; break;
            case CBRS_ALIGN_RIGHT: edge.right = edge.left + 1; break;
            default: edge.top = edge.bottom - 1; break;
            }
            edge.DeflateRect(m_pBar->IsVerticalLayout() ? 0 : 1, m_pBar->IsVerticalLayout() ? 1 : 0);
            pDC->FillSolidRect(&edge, popup);
        }
        else if (hot && active)
        {
            pDC->FillSolidRect(&rect, uxAfxData.m_clrLightSelection);
            pDC->Draw3dRect(&rect, uxAfxData.m_clrHilite, uxAfxData.m_clrHilite);
        }
    }
    else if (open)
    {
        pDC->Draw3dRect(&rect, uxAfxData.m_clrBtnShadow, uxAfxData.m_clrBtnHilite);
        shift = CPoint(1, 1);
    }
    else if (hot)
        pDC->Draw3dRect(&rect, uxAfxData.m_clrBtnHilite, uxAfxData.m_clrBtnShadow);

    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(active ? uxAfxData.m_clrMenuText : uxAfxData.m_clrGrayText);
    BOOL mnemonics = m_pBar->ShowsMnemonics();
    CRect text = rect;
    text.OffsetRect(shift);
    if (!m_pBar->IsVerticalLayout())
    {
        CFont* old = pDC->SelectObject(&uxAfxData.m_fontNormal);
        pDC->DrawText(m_strText, &text, DT_SINGLELINE | DT_CENTER | DT_VCENTER | (mnemonics ? 0 : DT_HIDEPREFIX));
        pDC->SelectObject(old);
    }
    else
    {
        // Turned text reads upwards from the bottom; the mnemonic is underlined by hand.
        CString shown = m_strText;
        int mnemonic = MnemonicIndex(shown);
        CString before = mnemonic >= 0 ? CommandName(shown.Left(mnemonic - 1)) : CString();
        shown = CommandName(shown);
        CFont* old = pDC->SelectObject(&uxAfxData.m_fontNormal);
        CSize extent = pDC->GetTextExtent(shown);
        CSize prefix = pDC->GetTextExtent(before);
        CSize letter = mnemonic >= 0 ? pDC->GetTextExtent(m_strText.Mid(mnemonic, 1)) : CSize(0, 0);
        pDC->SelectObject(&uxAfxData.m_fontVert);
        int x = text.left + (text.Width() - extent.cy) / 2;
        int y = text.bottom - (text.Height() - extent.cx) / 2;
        pDC->TextOut(x, y, shown);
        pDC->SelectObject(old);
        if (mnemonics && mnemonic >= 0)
        {
            TEXTMETRICA metrics = {};
            ::GetTextMetricsA(pDC->GetSafeHdc(), &metrics);
            pDC->FillSolidRect(x + metrics.tmAscent + 1, y - prefix.cx - letter.cx, 1, letter.cx,
                               active ? uxAfxData.m_clrMenuText : uxAfxData.m_clrGrayText);
        }
    }
    if (open && uxAfxData.m_bFlatLook && uxAfxData.m_bMenuShadows)
        DrawDropShadow(pDC, rect.left, rect.top, rect.right + kShadow, rect.bottom + kShadow, 100);
}

CUXMenuBarMDIButton::CUXMenuBarMDIButton(CUXMenuBar* pBar, Kind kind, UINT command, int gap, UINT tipId)
    : CUXMenuBarItem(pBar), m_kind(kind), m_nCommand(command), m_nGap(gap), m_nTipId(tipId)
{
}

BOOL CUXMenuBarMDIButton::IsHidden() const
{
    return !m_pBar->IsChildMaximized() || !m_pBar->ShowsMDIButtons();
}

CSize CUXMenuBarMDIButton::GetSize() const
{
    int cy = std::min(::GetSystemMetrics(SM_CYMENUSIZE), uxAfxData.m_cyMenu) - 2;
    return CSize(::GetSystemMetrics(SM_CXMENUSIZE), std::max(cy, 8));
}

BOOL CUXMenuBarMDIButton::IsAvailable() const
{
    HWND child = m_pBar->GetActiveMDIChild();
    if (child == nullptr)
        return FALSE;
    LONG style = ::GetWindowLongA(child, GWL_STYLE);
    switch (m_kind)
    {
    case kMinimize: return (style & WS_MINIMIZEBOX) != 0;
    case kRestore: return (style & WS_MAXIMIZEBOX) != 0;
    default: return TRUE;
    }
}

void CUXMenuBarMDIButton::Draw(CDC* pDC)
{
    HWND child = m_pBar->GetActiveMDIChild();
    if (child == nullptr)
        return;
    LONG style = ::GetWindowLongA(child, GWL_STYLE);
    // A button whose command the child lacks is drawn disabled when the child has the other box, else not
    // at all.
    UINT state = 0;
    if (m_kind == kMinimize || m_kind == kRestore)
    {
        LONG own = m_kind == kMinimize ? WS_MINIMIZEBOX : WS_MAXIMIZEBOX;
        LONG other = m_kind == kMinimize ? WS_MAXIMIZEBOX : WS_MINIMIZEBOX;
        if (!(style & own))
        {
            if (!(style & other))
                return;
            state |= DFCS_INACTIVE;
        }
    }
    if (m_pBar->IsPressedButton(this))
        state |= DFCS_PUSHED;
    CRect rect = GetRect();
    if (uxAfxData.m_bFlatLook && m_pBar->DrawFlatButton(pDC, this, rect, state))
        return;
    UINT kind =
        m_kind == kMinimize ? DFCS_CAPTIONMIN : (m_kind == kRestore ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONCLOSE);
    pDC->DrawFrameControl(&rect, DFC_CAPTION, kind | state);
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

// ---- layout ----------------------------------------------------------------------------------------------

BOOL CUXMenuBar::IsVerticalLayout() const
{
    if (m_bInReBar || (m_dwStyle & CBRS_FLOATING))
        return FALSE;
    if (IsDockedVert())
        return TRUE;
    return !IsDockedHorz() && (m_dwStyle & CBRS_ORIENT_VERT) != 0 && !(m_dwStyle & CBRS_ORIENT_HORZ);
}

CSize CUXMenuBar::ItemSize(const CUXMenuBarItem* pItem, BOOL horizontal) const
{
    if (pItem->IsKindOf(RUNTIME_CLASS(CUXMenuBarTextItem)))
    {
        CSize size = static_cast<const CUXMenuBarTextItem*>(pItem)->m_size;
        return horizontal ? size : CSize(size.cy, size.cx);
    }
    return pItem->GetSize();
}

CUXMenuBar::Placement CUXMenuBar::ComputePlacement(int length, BOOL horizontal, BOOL pushButtons) const
{
    Placement placement;
    std::vector<int> visible;
    for (int i = 0; i < GetItemCount(); ++i)
        if (IsVisibleItem(i, kAllItems))
            visible.push_back(i);
    auto along = [&](int index)
    {
        CSize size = ItemSize(GetItem(index), horizontal);
        return horizontal ? size.cx : size.cy;
    };
    int thickness = uxAfxData.m_cyMenu;
    for (int index : visible)
    {
        CSize size = ItemSize(GetItem(index), horizontal);
        thickness = std::max<int>(thickness, horizontal ? size.cy : size.cx);
    }

    // Rows: items are added while the item, its gap and the next item fit; then the last item that may
    // wrap ends the row.
    std::vector<BOOL> wrap(visible.size(), FALSE);
    int run = 0;
    int lastWrappable = -1;
    for (size_t v = 0; v < visible.size(); ++v)
    {
        CUXMenuBarItem* item = GetItem(visible[v]);
        run += along(visible[v]) + item->GetGap();
        if (item->CanWrap())
            lastWrappable = static_cast<int>(v);
        if (v + 1 < visible.size() && run + along(visible[v + 1]) > length && lastWrappable >= 0)
        {
            wrap[static_cast<size_t>(lastWrappable)] = TRUE;
            run = 0;
            for (size_t after = static_cast<size_t>(lastWrappable) + 1; after <= v; ++after)
                run += along(visible[after]) + GetItem(visible[after])->GetGap();
            lastWrappable = -1;
        }
    }

    // Places, row by row.
    placement.rects.assign(static_cast<size_t>(GetItemCount()), CRect(0, 0, 0, 0));
    int row = 0;
    int at = 0;
    int longest = 0;
    std::vector<std::vector<int>> rows(1);
    for (size_t v = 0; v < visible.size(); ++v)
    {
        int index = visible[v];
        CSize size = ItemSize(GetItem(index), horizontal);
        int across = row * thickness + (thickness - (horizontal ? size.cy : size.cx)) / 2;
        CPoint pos = horizontal ? CPoint(at, across) : CPoint(across, at);
        placement.rects[static_cast<size_t>(index)] = CRect(pos, size);
        rows.back().push_back(index);
        at += along(index);
        longest = std::max(longest, at);
        at += GetItem(index)->GetGap();
        if (wrap[v] && v + 1 < visible.size())
        {
            ++row;
            at = 0;
            rows.emplace_back();
        }
    }
    placement.rows = row + 1;
    // The MDI buttons go to the end of their row.
    if (pushButtons && m_bRightAlignButtons && (horizontal || placement.rows > 1))
    {
        for (const std::vector<int>& items : rows)
        {
            if (items.empty())
                continue;
            const CRect& last = placement.rects[static_cast<size_t>(items.back())];
            int space = length - (horizontal ? last.right : last.bottom) - ::GetSystemMetrics(SM_CXEDGE);
            if (space <= 0)
                continue;
            for (int index : items)
                if (!IsMenuItem(index))
                    placement.rects[static_cast<size_t>(index)].OffsetRect(horizontal ? space : 0,
                                                                           horizontal ? 0 : space);
            longest = std::max(longest, length - ::GetSystemMetrics(SM_CXEDGE));
        }
    }
    placement.extent =
        horizontal ? CSize(longest, placement.rows * thickness) : CSize(placement.rows * thickness, longest);
    return placement;
}

void CUXMenuBar::PlaceItems()
{
    if (m_hWnd == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    BOOL horizontal = !IsVerticalLayout();
    Placement placement =
        ComputePlacement(horizontal ? client.Width() : client.Height(), horizontal, !(m_dwStyle & CBRS_FLOATING));
    BOOL moved = FALSE;
    for (int i = 0; i < GetItemCount(); ++i)
    {
        CPoint position = placement.rects[static_cast<size_t>(i)].TopLeft();
        moved = moved || GetItem(i)->m_ptPos != position;
        GetItem(i)->m_ptPos = position;
    }
    // An item that moved leaves its old place and needs its new one painted.
    if (moved)
        Invalidate(FALSE);
}

int CUXMenuBar::AvailableLength(BOOL horizontal) const
{
    if (m_nFixedLength >= 0)
        return m_nFixedLength;
    CRect client(0, 0, 0, 0);
    if (horizontal)
    {
        CFrameWnd* pFrame = GetTopLevelFrame();
        if (pFrame == nullptr)
            pFrame = m_pDockSite;
        if (pFrame != nullptr && pFrame->m_hWnd != nullptr)
            pFrame->GetClientRect(&client);
        return client.Width();
    }
    CWnd* pParent = GetParent();
    if (pParent != nullptr && pParent->IsKindOf(RUNTIME_CLASS(CDockBar)))
        pParent = pParent->GetParent();
    if (pParent != nullptr && pParent->m_hWnd != nullptr)
        pParent->GetClientRect(&client);
    return client.Height();
}

CSize CUXMenuBar::CalcLayout(DWORD dwMode, int nLength)
{
    BOOL horizontal = (dwMode & LM_HORZ) != 0;
    CRect inside(0, 0, 0, 0);
    CalcInsideRect(inside, horizontal);
    CSize insets(-inside.Width(), -inside.Height());
    CSize size;
    if (dwMode & (LM_HORZDOCK | LM_VERTDOCK | LM_STRETCH))
    {
        // Docked: the whole side, in as many rows as the items need.
        int length = AvailableLength(horizontal);
        int items = std::max<int>(0, length - (horizontal ? insets.cx : insets.cy));
        CSize extent = ComputePlacement(items, horizontal, TRUE).extent;
        size = horizontal ? CSize(length, extent.cy + insets.cy) : CSize(extent.cx + insets.cx, length);
    }
    else
    {
        // Floating: rows as wide as asked (the most recently used width by default).
        int width = nLength;
        if ((dwMode & LM_MRUWIDTH) || nLength < 0)
            width = m_nMRUWidth;
        if (dwMode & LM_LENGTHY)
        {
            // The narrowest width whose rows fit the height.
            int low = 1, high = std::max<int>(1, ComputePlacement(32767, TRUE, FALSE).extent.cx);
            while (low < high)
            {
                int middle = (low + high) / 2;
                if (ComputePlacement(middle, TRUE, FALSE).extent.cy + insets.cy <= nLength)
                    high = middle;
                else
                    low = middle + 1;
            }
            width = high + insets.cx;
        }
        CSize extent = ComputePlacement(std::max<int>(0, width - insets.cx), TRUE, FALSE).extent;
        size = extent + insets;
        if (dwMode & LM_COMMIT)
            m_nMRUWidth = size.cx;
    }
    return size;
}

CSize CUXMenuBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    return CalcLayout((bStretch ? LM_STRETCH : 0) | (bHorz ? LM_HORZ | LM_HORZDOCK : LM_VERTDOCK), -1);
}

CSize CUXMenuBar::CalcDynamicLayout(int nLength, DWORD dwMode)
{
    return CalcLayout(dwMode, nLength);
}

void CUXMenuBar::OnReBarNotify(LPARAM value, BOOL flag)
{
    const RECT* band = reinterpret_cast<const RECT*>(value);
    if (band == nullptr)
        return;
    m_nFixedLength = flag ? band->right - band->left : band->bottom - band->top;
    CalcLayout(flag ? LM_HORZ | LM_HORZDOCK : LM_VERTDOCK, -1);
    PlaceItems();
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
