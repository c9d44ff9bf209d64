#include "uilib/core/bars/ToolBar.h"

#include "resources/uilib/UilibResources.h"
#include "uilib/core/bars/ColorPopup.h"
#include "uilib/core/bars/CoolMenu.h"
#include "uilib/core/base/Crc32.h"
#include "uilib/core/bars/CustomizeCenter.h"
#include "uilib/core/bars/ExpButton.h"
#include "uilib/core/base/GlobalData.h"
#include "uilib/core/base/LibraryIds.h"
#include "uilib/core/base/LookPainters.h"
#include "uilib/core/base/MemDC.h"
#include "uilib/core/base/SettingsStore.h"
#include "uilib/core/bars/ToolBarCustomizer.h"
#include "uilib/core/bars/ToolBarParts.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace
{
const UINT RT_TOOLBAR_TYPE = 241;

BOOL IsHidden(const TBBUTTON& button)
{
    return (button.fsState & TBSTATE_HIDDEN) != 0;
}
// A separator whose id names a control window it stands for.
BOOL IsPlaceholder(const TBBUTTON& button)
{
    return CUXToolBar::IsSeparator(button) && button.idCommand != 0;
}
}   // namespace

// ---- the resource --------------------------------------------------------------------------------------

BOOL CUXToolBarTemplate::Load(HINSTANCE instance, LPCSTR resource)
{
    m_ids.clear();
    HRSRC found = ::FindResourceA(instance, resource, MAKEINTRESOURCEA(RT_TOOLBAR_TYPE));
    HGLOBAL loaded = found != nullptr ? ::LoadResource(instance, found) : nullptr;
    const BYTE* data = loaded != nullptr ? static_cast<const BYTE*>(::LockResource(loaded)) : nullptr;
    DWORD size = found != nullptr ? ::SizeofResource(instance, found) : 0;
    if (data == nullptr || size < 8)
        return FALSE;
    auto word = [data](DWORD i) { return static_cast<UINT>(data[2 * i] | data[2 * i + 1] << 8); };
    m_cxImage = static_cast<int>(word(1));
    m_cyImage = static_cast<int>(word(2));
    UINT count = word(3);
    if (m_cxImage <= 0 || m_cyImage <= 0 || 8 + 2 * static_cast<DWORD>(count) > size)
        return FALSE;
    for (UINT i = 0; i < count; ++i)
        m_ids.push_back(word(4 + i));
    return TRUE;
}

// ---- CUXToolBar ----------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CUXToolBar, CUXControlBar)

BEGIN_MESSAGE_MAP(CUXToolBar, CUXControlBar)
    ON_WM_CREATE()
    ON_WM_NCCREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_LBUTTONUP()
    ON_WM_CAPTURECHANGED()
    ON_MESSAGE(WM_SETTINGCHANGE, OnMaskedDefault)
    ON_MESSAGE(WM_SETFONT, OnMaskedDefault)
    ON_MESSAGE(TB_SETBUTTONSIZE, OnSetButtonSize)
    ON_MESSAGE(TB_SETBITMAPSIZE, OnSetBitmapSize)
    ON_MESSAGE(TB_SETDRAWTEXTFLAGS, OnSetDrawTextFlags)
    ON_MESSAGE(UXM_TOOLBAR_RELAYOUT, OnRelayout)
    ON_MESSAGE(UXM_COLOR_CHOSEN, OnColorChosen)
    ON_MESSAGE(UXM_COLOR_CLOSED, OnColorClosed)
    ON_MESSAGE(UXM_COLOR_SAME, OnColorForward)
    ON_MESSAGE(UXM_COLOR_CANCELLED, OnColorForward)
    ON_MESSAGE(UXM_COLOR_NO_FILL, OnColorForward)
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnCustomDraw)
    ON_NOTIFY_REFLECT(TBN_DROPDOWN, OnDropDown)
    ON_NOTIFY_REFLECT(TBN_HOTITEMCHANGE, OnHotItemChange)
    ON_NOTIFY_REFLECT(TBN_BEGINADJUST, OnBeginAdjust)
    ON_NOTIFY_REFLECT(TBN_ENDADJUST, OnEndAdjust)
    ON_NOTIFY_REFLECT(TBN_QUERYINSERT, OnQueryInsert)
    ON_NOTIFY_REFLECT(TBN_QUERYDELETE, OnQueryDelete)
    ON_NOTIFY_REFLECT(TBN_GETBUTTONINFOA, OnGetButtonInfo)
    ON_NOTIFY_REFLECT(TBN_RESET, OnReset)
    ON_NOTIFY_REFLECT(TBN_TOOLBARCHANGE, OnToolBarChange)
    ON_NOTIFY_REFLECT(TBN_CUSTHELP, OnCustHelp)
END_MESSAGE_MAP()

CUXToolBar::CUXToolBar()
{
    // A little more room above and below the buttons than other bars: easier to grab.
    m_cyTopBorder = m_cyBottomBorder = 3;
}

CUXToolBar::~CUXToolBar()
{
    m_customizeRegistration.Clear();
    // The customizer leaves the bar's paint listeners while they are still there.
    m_pCustomizer.reset();
    m_pExpButton.reset();
    if (m_hOwnImages != nullptr)
        ::ImageList_Destroy(m_hOwnImages);
}

BOOL CUXToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CreateEx(pParentWnd, TBSTYLE_FLAT, dwStyle, GetBorders(), nID);
}

BOOL CUXToolBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect rcBorders, UINT nID)
{
    if (m_hWnd != nullptr || pParentWnd == nullptr || pParentWnd->m_hWnd == nullptr)
        return FALSE;
    SetBorders(rcBorders);
    m_dwStyle = dwStyle & CBRS_ALL;
    if (nID == AFX_IDW_TOOLBAR)
        m_dwStyle |= CBRS_HIDE_INPLACE;
    INITCOMMONCONTROLSEX init = {sizeof(init), ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&init);
    DWORD style =
        dwCtrlStyle | (dwStyle & 0xFFBF004E) | CCS_NOMOVEY | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER;
    if (!CWnd::CreateEx(0, TOOLBARCLASSNAMEA, nullptr, style, CRect(0, 0, 0, 0), pParentWnd, nID))
        return FALSE;
    SetSizes(m_sizeButton, m_sizeImage);
    SetFont(&GetHorzFont(), FALSE);
    if (CWinApp* app = AfxGetApp())
    {
        m_strStateKey.Format("Software\\%s\\%s\\Settings", app->m_pszRegistryKey ? app->m_pszRegistryKey : "",
                             app->m_pszProfileName ? app->m_pszProfileName : "");
        m_strStateEntry.Format("%s-Bar%d", app->m_pszProfileName ? app->m_pszProfileName : "",
                               static_cast<int>(nID));
    }
    return TRUE;
}

BOOL CUXToolBar::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!CUXControlBar::PreCreateWindow(cs))
        return FALSE;
    cs.style |= WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    return TRUE;
}

BOOL CUXToolBar::CreateExpandButton()
{
    auto button = std::make_unique<CUXExpButton>();
    if (!button->Create(this))
        return FALSE;
    m_pExpButton = std::move(button);
    return TRUE;
}

int CUXToolBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CUXControlBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (HasExpandButton() && !CreateExpandButton())
        return -1;
    if (!m_bOriginal)
        return 0;   // a copy of another bar's buttons stays out of customization
    m_customizeRegistration.Set(TRUE, {CUXCustomizeCenter::kCommandImages, CUXCustomizeCenter::kBarDescription,
                                       CUXCustomizeCenter::kBarDescriptors});
    m_customizeRegistration.Set(m_bCustomizable,
                                {CUXCustomizeCenter::kCustomizableBars, CUXCustomizeCenter::kCustomizeStart});
    return 0;
}

BOOL CUXToolBar::OnNcCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (!CUXControlBar::OnNcCreate(lpCreateStruct))
        return FALSE;
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    if (m_hWndOwner != nullptr)
        SendMessage(TB_SETPARENT, reinterpret_cast<WPARAM>(m_hWndOwner));
    return TRUE;
}

void CUXToolBar::OnDestroy()
{
    // A customizable bar keeps the user's layout for the next time.
    if (m_bCustomizable)
    {
        SwitchCustomizeMode(FALSE);
        if (!m_strStateEntry.IsEmpty())
            SaveState("Settings", m_strStateEntry);
    }
    if (m_bOriginal)
    {
        GetCustomizeCenter().NotifyBarRemoved(this);
        GetCustomizeCenter().NotifyDisallowWindow(m_hWnd);
    }
    m_customizeRegistration.Clear();
    if (m_pExpButton != nullptr && m_pExpButton->m_hWnd != nullptr)
        m_pExpButton->DestroyWindow();
    if (m_pColorPopup != nullptr && m_pColorPopup->m_hWnd != nullptr)
        m_pColorPopup->DestroyWindow();   // it deletes itself
    m_pColorPopup = nullptr;
    CUXControlBar::OnDestroy();
}

BOOL CUXToolBar::OnCommandImages(UINT nID, CUXCommandImageMap& images)
{
    // Also the image of a command dragged off the bar: another bar may still show it (after a restart too,
    // since the bar's first buttons came before its stored layout).
    TBBUTTON button = {};
    button.iBitmap = FindCommandImage(nID);
    HICON icon = nullptr;
    HICON hotIcon = nullptr;
    GetButtonIcons(button, icon, hotIcon);
    if (icon == nullptr)
        return FALSE;
    images.SetAt(nID, icon, hotIcon);
    return TRUE;
}

void CUXToolBar::OnDescribeBar(CUXCommandCategories& bars)
{
    bars.emplace_back(DescribeCommands());
}

// ---- buttons -------------------------------------------------------------------------------------------

int CUXToolBar::GetCount() const
{
    return m_hWnd != nullptr ? static_cast<int>(SendMessage(TB_BUTTONCOUNT)) : 0;
}

TBBUTTON CUXToolBar::GetButton(int nIndex) const
{
    TBBUTTON button = {};
    if (m_hWnd != nullptr)
        SendMessage(TB_GETBUTTON, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&button));
    return button;
}

void CUXToolBar::SetButton(int nIndex, const TBBUTTON& button)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return;
    TBBUTTON old = GetButton(nIndex);
    if (std::memcmp(&old, &button, sizeof(TBBUTTON)) == 0)
        return;
    SetRedraw(FALSE);
    SendMessage(TB_DELETEBUTTON, static_cast<WPARAM>(nIndex));
    SendMessage(TB_INSERTBUTTONA, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&button));
    SetRedraw(TRUE);
    m_bDirty = TRUE;
    RebuildRecords();
    // A control over the button follows its hidden state.
    if (IsHidden(old) != IsHidden(button))
        for (HWND control : ControlWindows())
            if (::GetDlgCtrlID(control) == button.idCommand)
                PositionControl(CWnd::FromHandle(control));
    if (old.iBitmap != button.iBitmap || IsSeparator(old) != IsSeparator(button))
        Invalidate();
    else
    {
        CRect rect;
        GetItemRect(nIndex, &rect);
        InvalidateRect(&rect);
    }
}

UINT CUXToolBar::GetItemID(int nIndex) const
{
    return static_cast<UINT>(GetButton(nIndex).idCommand);
}

int CUXToolBar::CommandToIndex(UINT nIDFind) const
{
    return m_hWnd != nullptr ? static_cast<int>(SendMessage(TB_COMMANDTOINDEX, nIDFind)) : -1;
}

std::vector<TBBUTTON> CUXToolBar::ReadButtons() const
{
    std::vector<TBBUTTON> buttons(static_cast<size_t>(GetCount()));
    for (size_t i = 0; i < buttons.size(); ++i)
        buttons[i] = GetButton(static_cast<int>(i));
    return buttons;
}

void CUXToolBar::WriteWrapStates(const std::vector<TBBUTTON>& buttons)
{
    for (size_t i = 0; i < buttons.size(); ++i)
    {
        TBBUTTON current = GetButton(static_cast<int>(i));
        if ((current.fsState & TBSTATE_WRAP) == (buttons[i].fsState & TBSTATE_WRAP))
            continue;
        TBBUTTONINFOA info = {};
        info.cbSize = sizeof(info);
        info.dwMask = TBIF_STATE | TBIF_BYINDEX;
        info.fsState = static_cast<BYTE>((current.fsState & ~TBSTATE_WRAP) | (buttons[i].fsState & TBSTATE_WRAP));
        SendMessage(TB_SETBUTTONINFOA, i, reinterpret_cast<LPARAM>(&info));
    }
}

void CUXToolBar::RebuildRecords()
{
    std::vector<ButtonRecord> old;
    old.swap(m_records);
    std::vector<TBBUTTON> buttons = ReadButtons();
    for (const TBBUTTON& button : buttons)
    {
        ButtonRecord record = {button, nullptr, FALSE, nullptr};
        // A button dragged off and brought back (by a drop, a reset or a stored layout) finds its image again.
        if (!IsSeparator(button) && button.iBitmap >= 0)
            m_commandImages[static_cast<UINT>(button.idCommand)] = button.iBitmap;
        for (const ButtonRecord& previous : old)
            if (previous.hWndControl != nullptr && IsPlaceholder(button) &&
                previous.button.idCommand == button.idCommand)
            {
                record.hWndControl = previous.hWndControl;
                record.bold = previous.bold;
            }
        auto data = m_buttonData.find(static_cast<UINT>(button.idCommand));
        if (!IsSeparator(button) && data != m_buttonData.end())
            record.data = data->second.get();
        m_records.push_back(record);
    }
}

BOOL CUXToolBar::IsSeparatorWidthFlat() const
{
    return (GetStyle() & TBSTYLE_FLAT) || m_bLoadingFlat || uxAfxData.GetComCtlVersion() == MAKELONG(72, 4);
}

BOOL CUXToolBar::SetButtons(const UINT* lpIDArray, int nIDCount)
{
    if (m_hWnd == nullptr || nIDCount < 0)
        return FALSE;
    for (int i = GetCount(); i-- > 0;)
        SendMessage(TB_DELETEBUTTON, static_cast<WPARAM>(i));
    std::vector<TBBUTTON> buttons(static_cast<size_t>(nIDCount));
    if (lpIDArray != nullptr)
    {
        int image = 0;
        int separator = IsSeparatorWidthFlat() ? 6 : 8;
        for (int i = 0; i < nIDCount; ++i)
        {
            TBBUTTON& button = buttons[static_cast<size_t>(i)];
            button = TBBUTTON{};
            if (lpIDArray[i] == 0)
            {
                button.iBitmap = separator;
                button.fsStyle = TBSTYLE_SEP;
            }
            else
            {
                button.iBitmap = image++;
                button.idCommand = static_cast<int>(lpIDArray[i]);
                button.fsState = TBSTATE_ENABLED;
                button.fsStyle = TBSTYLE_BUTTON;
            }
            button.iString = -1;
        }
    }
    BOOL ok = buttons.empty() ||
              SendMessage(TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data())) != 0;
    m_bDirty = TRUE;
    m_hiddenByFit.clear();
    RebuildRecords();
    return ok;
}

void CUXToolBar::GetItemRect(int nIndex, LPRECT lpRect)
{
    if (m_bDirty)
        Layout();
    if (lpRect == nullptr)
        return;
    *lpRect = CRect(0, 0, 0, 0);
    if (m_hWnd == nullptr)
        return;
    TBBUTTON button = GetButton(nIndex);
    if (IsSeparator(button) && (button.fsState & TBSTATE_WRAP) && !IsHidden(button))
    {
        *lpRect = WrapGapRect(nIndex);
        return;
    }
    if (!SendMessage(TB_GETITEMRECT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpRect)))
        *lpRect = CRect(0, 0, 0, 0);
}

CRect CUXToolBar::WrapGapRect(int nIndex) const
{
    // From the bottom of the row before to the top of the row after, across the bar: the control's own
    // rectangle of such a separator differs between systems (it may lie over the row before).
    std::vector<TBBUTTON> buttons = ReadButtons();
    auto itemRect = [this](int i)
    {
        CRect rect(0, 0, 0, 0);
        SendMessage(TB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&rect));
        return rect;
    };
    int before = nIndex, after = nIndex + 1;
    while (before > 0 && (IsHidden(buttons[before - 1]) || IsSeparator(buttons[before - 1])))
        --before;
    while (after < static_cast<int>(buttons.size()) && IsHidden(buttons[after]))
        ++after;
    if (before == 0 || after >= static_cast<int>(buttons.size()))
        return CRect(0, 0, 0, 0);
    CRect client;
    GetClientRect(&client);
    int top = itemRect(before - 1).bottom;
    return CRect(client.left, top, client.right, std::max<int>(top, itemRect(after).top));
}

CSize CUXToolBar::GetItemSize(int nIndex)
{
    CRect rect;
    GetItemRect(nIndex, &rect);
    TBBUTTON button = GetButton(nIndex);
    if (IsSeparator(button) && (button.fsState & TBSTATE_WRAP))
        return CSize(0, button.iBitmap);
    return rect.Size();
}

BOOL CUXToolBar::SetButtonText(int nIndex, LPCSTR lpszText)
{
    if (nIndex < 0 || nIndex >= GetCount() || lpszText == nullptr)
        return FALSE;
    std::string text(lpszText);
    auto known = m_strings.find(text);
    int stringIndex = -1;
    if (known != m_strings.end())
        stringIndex = known->second;
    else
    {
        std::string list = text + std::string(2, '\0');   // a list of one string
        stringIndex = static_cast<int>(SendMessage(TB_ADDSTRINGA, 0, reinterpret_cast<LPARAM>(list.data())));
        if (stringIndex < 0)
            return FALSE;
        m_strings[text] = stringIndex;
    }
    TBBUTTON button = GetButton(nIndex);
    m_buttonTexts[static_cast<UINT>(button.idCommand)] = lpszText;
    if (button.iString != stringIndex)
    {
        button.iString = stringIndex;
        SetButton(nIndex, button);
        RequestRelayout();
    }
    return TRUE;
}

CString CUXToolBar::GetButtonText(int nIndex) const
{
    TBBUTTON button = GetButton(nIndex);
    for (const auto& entry : m_strings)
        if (entry.second == button.iString)
            return CString(entry.first.c_str());
    return CString();
}

BOOL CUXToolBar::SetButtonData(UINT nID, uint32_t dropDown)
{
    int index = CommandToIndex(nID);
    if (index < 0)
        return FALSE;
    std::unique_ptr<CUXToolButtonData>& data = m_buttonData[nID];
    if (data == nullptr)
        data.reset(new CUXToolButtonData);
    data->m_nDropDown = dropDown;
    TBBUTTON button = GetButton(index);
    button.fsStyle |= TBSTYLE_DROPDOWN;
    SetButton(index, button);
    RebuildRecords();
    if (dropDown != 0)
        SendMessage(TB_SETEXTENDEDSTYLE, 0, SendMessage(TB_GETEXTENDEDSTYLE) | TBSTYLE_EX_DRAWDDARROWS);
    m_bDirty = TRUE;
    return TRUE;
}

CUXToolButtonData* CUXToolBar::GetButtonData(int nIndex) const
{
    if (nIndex < 0 || nIndex >= static_cast<int>(m_records.size()))
        return nullptr;
    return m_records[static_cast<size_t>(nIndex)].data;
}

// ---- images --------------------------------------------------------------------------------------------

void CUXToolBar::SetSizes(CSize sizeButton, CSize sizeImage)
{
    m_sizeButton = sizeButton;
    m_sizeImage = sizeImage;
    if (m_hWnd == nullptr)
        return;
    CSize button = sizeButton;
    if (uxAfxData.m_bFlatLook && (GetStyle() & TBSTYLE_LIST))
    {
        button.cx -= 4;
        SendMessage(TB_SETPADDING, 0, MAKELPARAM(3, 7));
    }
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(sizeImage.cx, sizeImage.cy));
    SendMessage(TB_SETBUTTONSIZE, 0, MAKELPARAM(button.cx, button.cy));
    m_bDirty = TRUE;
    Invalidate();
}

BOOL CUXToolBar::LoadToolBar(LPCSTR lpszResourceName)
{
    if (m_hWnd == nullptr)
        return FALSE;
    CUXToolBarTemplate bar;
    if (!bar.Load(AfxGetResourceHandle(), lpszResourceName))
        return FALSE;
    const DWORD kMasked = TBSTYLE_FLAT | TBSTYLE_TRANSPARENT;
    DWORD masked = GetStyle() & kMasked;
    m_bLoadingFlat = (masked & TBSTYLE_FLAT) != 0;
    ModifyStyle(masked, 0);
    BOOL ok = SetButtons(bar.m_ids.data(), static_cast<int>(bar.m_ids.size()));
    if (ok)
    {
        SetSizes(CSize(bar.m_cxImage + 7, bar.m_cyImage + 7), CSize(bar.m_cxImage, bar.m_cyImage));
        ok = LoadBitmap(lpszResourceName);
    }
    ModifyStyle(0, masked);
    m_bLoadingFlat = FALSE;
    RebuildRecords();
    return ok;
}

BOOL CUXToolBar::LoadBitmap(LPCSTR lpszResourceName)
{
    HINSTANCE instance = AfxGetResourceHandle();
    CBitmap bitmap;
    if (!bitmap.Attach(LoadSysColorBitmap(instance, lpszResourceName)) || !SetBitmap(bitmap))
        return FALSE;
    m_hInstBitmap = instance;
    if (IS_INTRESOURCE(lpszResourceName))
    {
        m_nBitmapId = reinterpret_cast<UINT_PTR>(lpszResourceName);
        m_strBitmapName.Empty();
    }
    else
    {
        m_nBitmapId = 0;
        m_strBitmapName = lpszResourceName;
    }
    return TRUE;
}

BOOL CUXToolBar::SetBitmap(CBitmap& bitmap)
{
    HBITMAP hBitmap = bitmap;
    if (m_hWnd == nullptr || hBitmap == nullptr)
        return FALSE;
    BITMAP info = {};
    ::GetObjectA(hBitmap, sizeof(info), &info);
    int images = m_sizeImage.cx > 0 ? info.bmWidth / m_sizeImage.cx : 0;
    BOOL ok;
    if (m_bitmap.GetSafeHandle() != nullptr)
    {
        // The images that commands dropped on the bar brought come after the bitmap's, and the control may
        // drop them with the old bitmap: they are put back after the new one's, at their indexes.
        BITMAP oldInfo = {};
        ::GetObjectA(GetBitmap(), sizeof(oldInfo), &oldInfo);
        int bitmapImages = m_sizeImage.cx > 0 ? oldInfo.bmWidth / m_sizeImage.cx : 0;
        std::vector<std::pair<HICON, HICON>> appended;
        HIMAGELIST list = reinterpret_cast<HIMAGELIST>(SendMessage(TB_GETIMAGELIST));
        HIMAGELIST hot = reinterpret_cast<HIMAGELIST>(SendMessage(TB_GETHOTIMAGELIST));
        for (int i = bitmapImages; list != nullptr && i < ::ImageList_GetImageCount(list); ++i)
            appended.emplace_back(::ImageList_GetIcon(list, i, ILD_NORMAL),
                                  hot != nullptr && i < ::ImageList_GetImageCount(hot)
                                      ? ::ImageList_GetIcon(hot, i, ILD_NORMAL)
                                      : nullptr);
        TBREPLACEBITMAP replace = {};
        replace.nIDOld = reinterpret_cast<UINT_PTR>(GetBitmap());
        replace.nIDNew = reinterpret_cast<UINT_PTR>(hBitmap);
        replace.nButtons = images;
        ok = SendMessage(TB_REPLACEBITMAP, 0, reinterpret_cast<LPARAM>(&replace)) != 0;
        list = reinterpret_cast<HIMAGELIST>(SendMessage(TB_GETIMAGELIST));
        BOOL dropped = ok && images == bitmapImages && list != nullptr && ::ImageList_GetImageCount(list) == images;
        for (const std::pair<HICON, HICON>& icons : appended)
        {
            if (dropped)
                AppendImage(icons.first, icons.second);
            for (HICON icon : {icons.first, icons.second})
                if (icon != nullptr)
                    ::DestroyIcon(icon);
        }
    }
    else
    {
        TBADDBITMAP add = {nullptr, reinterpret_cast<UINT_PTR>(hBitmap)};
        ok = SendMessage(TB_ADDBITMAP, static_cast<WPARAM>(images), reinterpret_cast<LPARAM>(&add)) != -1;
    }
    if (!ok)
        return FALSE;
    m_bitmap.DeleteObject();
    m_bitmap.Attach(bitmap.Detach());
    Invalidate();
    return TRUE;
}

void CUXToolBar::ReloadBitmap()
{
    if (m_hInstBitmap == nullptr)
        return;
    LPCSTR name = m_nBitmapId != 0 ? MAKEINTRESOURCEA(m_nBitmapId) : m_strBitmapName.GetString();
    CBitmap bitmap;
    if (bitmap.Attach(LoadSysColorBitmap(m_hInstBitmap, name)))
        SetBitmap(bitmap);
}

void CUXToolBar::OnSysColorChange()
{
    OnMaskedDefault(0, 0);
    ReloadBitmap();
}

LRESULT CUXToolBar::OnMaskedDefault(WPARAM, LPARAM)
{
    // The control sizes its buttons anew on these; it must not do so in its flat style.
    const DWORD kMasked = TBSTYLE_FLAT | TBSTYLE_TRANSPARENT;
    DWORD masked = uxAfxData.GetComCtlVersion() >= MAKELONG(72, 4) ? GetStyle() & kMasked : 0;
    if (masked != 0)
        ::SetWindowLongPtrA(m_hWnd, GWL_STYLE, static_cast<LONG_PTR>(GetStyle() & ~masked));
    LRESULT result = Default();
    if (masked != 0)
        ::SetWindowLongPtrA(m_hWnd, GWL_STYLE, static_cast<LONG_PTR>(GetStyle() | masked));
    return result;
}

LRESULT CUXToolBar::OnSetButtonSize(WPARAM wParam, LPARAM lParam)
{
    LRESULT result = OnMaskedDefault(wParam, lParam);
    if (result)
        m_sizeButton = CSize(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    return result;
}

LRESULT CUXToolBar::OnSetBitmapSize(WPARAM wParam, LPARAM lParam)
{
    LRESULT result = OnMaskedDefault(wParam, lParam);
    if (result)
        m_sizeImage = CSize(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    return result;
}

LRESULT CUXToolBar::OnSetDrawTextFlags(WPARAM wParam, LPARAM lParam)
{
    m_dwDrawTextMask = static_cast<DWORD>(wParam);
    m_dwDrawTextFlags = static_cast<DWORD>(lParam);
    return Default();
}

// ---- owner and controls --------------------------------------------------------------------------------

void CUXToolBar::SetOwner(CWnd* pOwnerWnd)
{
    CUXControlBar::SetOwner(pOwnerWnd);
    if (m_hWnd != nullptr)
        SendMessage(TB_SETPARENT, reinterpret_cast<WPARAM>(AfxGetSafeHwnd(pOwnerWnd)));
}

BOOL CUXToolBar::AttachControl(CWnd* pWnd, BOOL bold)
{
    if (pWnd == nullptr || pWnd->m_hWnd == nullptr)
        return FALSE;
    RebuildRecords();
    int id = pWnd->GetDlgCtrlID();
    for (ButtonRecord& record : m_records)
    {
        if (!IsPlaceholder(record.button) || record.button.idCommand != id)
            continue;
        record.hWndControl = pWnd->m_hWnd;
        record.bold = bold;
        pWnd->SetFont(bold ? &GetBoldFont() : &GetHorzFont(), FALSE);
        PositionControl(pWnd);
        return TRUE;
    }
    return FALSE;
}

void CUXToolBar::PositionControl(CWnd* pWnd)
{
    if (pWnd == nullptr || pWnd->m_hWnd == nullptr)
        return;
    int index = CommandToIndex(static_cast<UINT>(pWnd->GetDlgCtrlID()));
    if (index < 0)
        return;
    TBBUTTON button = GetButton(index);
    if (IsHidden(button))
    {
        pWnd->ShowWindow(SW_HIDE);
        return;
    }
    CRect window;
    pWnd->GetWindowRect(&window);
    if (button.iBitmap != window.Width())
    {
        TBBUTTONINFOA info = {};
        info.cbSize = sizeof(info);
        info.dwMask = TBIF_SIZE | TBIF_BYINDEX;
        info.cx = static_cast<WORD>(window.Width());
        SendMessage(TB_SETBUTTONINFOA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&info));
        button.iBitmap = window.Width();
        m_bDirty = TRUE;
        RebuildRecords();
    }
    CRect item;
    GetItemRect(index, &item);
    int top = item.top + std::max(0, (item.Height() - window.Height()) / 2);
    pWnd->SetWindowPos(nullptr, item.left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

std::vector<HWND> CUXToolBar::ControlWindows() const
{
    // A copy: positioning a control rebuilds the records.
    std::vector<HWND> controls;
    for (const ButtonRecord& record : m_records)
        if (record.hWndControl != nullptr && ::IsWindow(record.hWndControl))
            controls.push_back(record.hWndControl);
    return controls;
}

void CUXToolBar::PositionControls()
{
    for (int pass = 0; pass < 2; ++pass)
        for (HWND control : ControlWindows())
            PositionControl(CWnd::FromHandle(control));
    if (CFrameWnd* pFrame = GetParentFrame())
        pFrame->RecalcLayout();
}

// ---- layout --------------------------------------------------------------------------------------------

int CUXToolBar::ItemWidth(const TBBUTTON& button, int index) const
{
    if (IsSeparator(button))
        return button.iBitmap;
    CRect rect;
    if (SendMessage(TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect)) &&
        rect.Width() > 0)
        return rect.Width();
    return m_sizeButton.cx;
}

int CUXToolBar::WrapButtons(std::vector<TBBUTTON>& buttons, int width) const
{
    int rows = buttons.empty() ? 0 : 1;
    int x = 0;
    size_t rowStart = 0;
    for (size_t i = 0; i < buttons.size(); ++i)
    {
        buttons[i].fsState &= ~TBSTATE_WRAP;
        if (IsHidden(buttons[i]))
            continue;
        int w = ItemWidth(buttons[i], static_cast<int>(i));
        if (x + w > width && x > 0)
        {
            // Wrap after the row's last separator without a command, else after its last button that does
            // not carry a control.
            size_t wrapAt = buttons.size();
            for (size_t j = i; j-- > rowStart;)
                if (!IsHidden(buttons[j]) && IsSeparator(buttons[j]) && buttons[j].idCommand == 0)
                {
                    wrapAt = j;
                    break;
                }
            if (wrapAt == buttons.size())
                for (size_t j = i; j-- > rowStart;)
                    if (!IsHidden(buttons[j]) && !IsPlaceholder(buttons[j]))
                    {
                        wrapAt = j;
                        break;
                    }
            if (wrapAt != buttons.size())
            {
                buttons[wrapAt].fsState |= TBSTATE_WRAP;
                ++rows;
                rowStart = wrapAt + 1;
                x = 0;
                for (size_t k = rowStart; k < i; ++k)
                    if (!IsHidden(buttons[k]))
                        x += ItemWidth(buttons[k], static_cast<int>(k));
            }
        }
        x += w;
    }
    return rows;
}

CSize CUXToolBar::CalcButtonsSize(const std::vector<TBBUTTON>& buttons) const
{
    CSize size(0, 0);
    int x = 0;
    int y = 0;
    int rowHeight = 0;
    for (size_t i = 0; i < buttons.size(); ++i)
    {
        const TBBUTTON& button = buttons[i];
        if (IsHidden(button))
            continue;
        BOOL wrap = (button.fsState & TBSTATE_WRAP) != 0;
        int w = ItemWidth(button, static_cast<int>(i));
        if (!(IsSeparator(button) && wrap))
        {
            x += w;
            size.cx = std::max<LONG>(size.cx, x);
        }
        rowHeight = std::max(rowHeight, static_cast<int>(m_sizeButton.cy));
        if (wrap)
        {
            y += rowHeight;
            if (IsSeparator(button))
                y += w;   // a wrapped separator is a gap between the rows
            rowHeight = 0;
            x = 0;
        }
    }
    size.cy = y + rowHeight;
    // The control starts its first row a little down on some systems: the bar makes room for that too.
    for (size_t i = 0; i < buttons.size(); ++i)
    {
        CRect rect;
        if (!IsHidden(buttons[i]) &&
            SendMessage(TB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&rect)))
        {
            size.cy += std::max<LONG>(0, rect.top);
            break;
        }
    }
    return size;
}

CSize CUXToolBar::CalcLayout(DWORD dwMode, int nLength)
{
    std::vector<TBBUTTON> buttons = ReadButtons();
    BOOL horizontal = (dwMode & LM_HORZ) != 0;
    CRect inside(0, 0, 0, 0);
    CalcInsideRect(inside, horizontal);
    CSize insets(-inside.Width(), -inside.Height());

    if (!(m_dwStyle & CBRS_SIZE_FIXED))
    {
        int width;
        BOOL dynamic = (m_dwStyle & CBRS_SIZE_DYNAMIC) != 0;
        if (dynamic && (dwMode & LM_MRUWIDTH))
            width = m_nMRUWidth;
        else if (dynamic && (dwMode & LM_HORZDOCK))
            width = 32767;
        else if (dynamic && (dwMode & LM_VERTDOCK))
            width = 0;
        else if (nLength == -1)
            width = dynamic && (m_dwStyle & CBRS_FLOATING) ? m_nMRUWidth : (horizontal ? 32767 : 0);
        else
            width = nLength + ((dwMode & LM_LENGTHY) ? 0 : -insets.cx);

        if (dynamic && nLength != -1 && (dwMode & LM_LENGTHY))
        {
            // The narrowest wrap whose height fits the length.
            int height = nLength - insets.cy;
            int low = 0, high = 32767;
            while (low < high)
            {
                int mid = (low + high) / 2;
                WrapButtons(buttons, mid);
                if (CalcButtonsSize(buttons).cy <= height)
                    high = mid;
                else
                    low = mid + 1;
            }
            width = low;
        }
        else if (dynamic && width > 0 && width < 32767)
        {
            // The narrowest wrap that keeps the rows the given width makes.
            int rows = WrapButtons(buttons, width);
            int low = 0, high = width;
            while (low < high)
            {
                int mid = (low + high) / 2;
                if (WrapButtons(buttons, mid) <= rows)
                    high = mid;
                else
                    low = mid + 1;
            }
            width = low;
        }
        WrapButtons(buttons, width);
    }

    CSize size = CalcButtonsSize(buttons);
    BOOL empty = std::none_of(buttons.begin(), buttons.end(), [](const TBBUTTON& b) { return !IsHidden(b); });
    if (empty)
        size = CSize(std::max<LONG>(size.cx, kMinimumEmpty), std::max<LONG>(size.cy, kMinimumEmpty));
    if (IsChevronCounted())
    {
        if (horizontal)
            size.cx += kChevronLength;
        else
            size.cy += kChevronLength;
    }

    if (dwMode & LM_COMMIT)
    {
        if ((m_dwStyle & CBRS_FLOATING) && (m_dwStyle & CBRS_SIZE_DYNAMIC))
            m_nMRUWidth = size.cx;
        WriteWrapStates(buttons);
        m_bDirty = FALSE;
        RebuildRecords();
        for (HWND control : ControlWindows())
            PositionControl(CWnd::FromHandle(control));
        PlaceExpandButton(size, horizontal);
    }
    size += insets;
    return size;
}

void CUXToolBar::PlaceExpandButton(const CSize& size, BOOL horizontal)
{
    if (m_pExpButton == nullptr || m_pExpButton->m_hWnd == nullptr)
        return;
    BOOL wasVisible = m_pExpButton->IsWindowVisible();
    BOOL show = !(m_dwStyle & CBRS_FLOATING) && (m_bCustomizable || HasHiddenButtons());
    if (show)
    {
        // After the last visible button: at the end of a horizontal bar, below a vertical one.
        CRect rect = horizontal ? CRect(size.cx - (kChevronLength - 1), 1, size.cx, size.cy - 1)
                                : CRect(1, size.cy - (kChevronLength - 1), size.cx - 1, size.cy);
        m_pExpButton->SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }
    else if (wasVisible)
    {
        m_pExpButton->ShowWindow(SW_HIDE);
    }
    if (wasVisible != show)
        PostMessage(WM_IDLEUPDATECMDUI, TRUE);
}

void CUXToolBar::Layout()
{
    if (m_hWnd == nullptr)
        return;
    if ((m_dwStyle & CBRS_FLOATING) && (m_dwStyle & CBRS_SIZE_DYNAMIC))
        CalcLayout(LM_HORZ | LM_MRUWIDTH | LM_COMMIT);
    else if (m_dwStyle & CBRS_ORIENT_HORZ)
        CalcLayout(LM_HORZ | LM_HORZDOCK | LM_COMMIT);
    else
        CalcLayout(LM_VERTDOCK | LM_COMMIT);
}

CSize CUXToolBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    DWORD mode = (bStretch ? LM_STRETCH : 0) | (bHorz ? LM_HORZ : 0);
    CSize size = CalcLayout(mode);
    if (bStretch)
        (bHorz ? size.cx : size.cy) = 32767;
    return size;
}

CSize CUXToolBar::CalcDynamicLayout(int nLength, DWORD dwMode)
{
    if ((nLength == -1) && !(dwMode & LM_MRUWIDTH) && !(dwMode & LM_COMMIT) &&
        ((dwMode & LM_HORZDOCK) || (dwMode & LM_VERTDOCK)))
        return CalcFixedLayout(dwMode & LM_STRETCH, dwMode & LM_HORZDOCK);
    return CalcLayout(dwMode, nLength);
}

void CUXToolBar::OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle)
{
    if (m_hWnd != nullptr && ((dwOldStyle ^ dwNewStyle) & CBRS_BORDER_ANY))
        SetWindowPos(nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    m_bDirty = TRUE;
    if (dwOldStyle != dwNewStyle && m_hWnd != nullptr)
    {
        // The buttons take the rows or the column of the new side now: a bar standing on the left or right
        // lays them out one below the other.
        ShowHiddenByFit();
        Layout();
    }
}

void CUXToolBar::RequestRelayout()
{
    if (m_hWnd != nullptr)
        PostMessage(UXM_TOOLBAR_RELAYOUT, 0, ++m_nRelayoutRequest);
}

LRESULT CUXToolBar::OnRelayout(WPARAM, LPARAM lParam)
{
    if (lParam != m_nRelayoutRequest)
        return 0;   // a later request will do it
    if (m_bPendingNotify)
    {
        m_bPendingNotify = FALSE;
        CRect rect;
        GetWindowRect(&rect);
        if (CWnd* pParent = GetParent())
            pParent->PostMessage(UXM_REBAR_CHILD_RESIZED, reinterpret_cast<WPARAM>(m_hWnd), rect.Width());
        RequestRelayout();
        return 0;
    }
    if (m_bDirty)
        Layout();
    if (CFrameWnd* pFrame = GetParentFrame())
        pFrame->RecalcLayout();
    PositionControls();
    ApplyDelayedShow();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
    return 0;
}

// ---- fitting -------------------------------------------------------------------------------------------

void CUXToolBar::ShowHiddenByFit()
{
    for (const auto& hidden : m_hiddenByFit)
        if (hidden.first < GetCount())
            SendMessage(TB_HIDEBUTTON, static_cast<WPARAM>(GetItemID(hidden.first)), FALSE);
    if (!m_hiddenByFit.empty())
        m_bDirty = TRUE;
    m_hiddenByFit.clear();
    RebuildRecords();
}

BOOL CUXToolBar::IsChevronCounted() const
{
    return m_pExpButton != nullptr && HasExpandButton() && (m_bCustomizable || HasHiddenButtons()) &&
           (m_bInReBar || !(m_dwStyle & CBRS_FLOATING));
}

void CUXToolBar::FitToLength(int length)
{
    if (m_hWnd == nullptr)
        return;
    BOOL horizontal = IsHorizontalLayout();
    // The bar's length without the chevron.
    auto measure = [&]()
    {
        CSize size = CalcLayout(horizontal ? LM_HORZ : 0);
        return (horizontal ? size.cx : size.cy) - (IsChevronCounted() ? kChevronLength : 0);
    };
    auto setHidden = [&](int index, BOOL hide)
    {
        TBBUTTONINFOA info = {};
        info.cbSize = sizeof(info);
        info.dwMask = TBIF_STATE | TBIF_BYINDEX;
        BYTE state = GetButton(index).fsState;
        info.fsState = static_cast<BYTE>(hide ? state | TBSTATE_HIDDEN : state & ~TBSTATE_HIDDEN);
        SendMessage(TB_SETBUTTONINFOA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&info));
        m_bDirty = TRUE;
    };
    auto visibleCount = [&]()
    {
        std::vector<TBBUTTON> buttons = ReadButtons();
        return std::count_if(buttons.begin(), buttons.end(), [](const TBBUTTON& b) { return !IsHidden(b); });
    };
    if (measure() > length)
    {
        // From the last button backwards until the bar and its chevron fit, keeping one button.
        for (int i = GetCount(); i-- > 0 && measure() + kChevronLength > length && visibleCount() > 1;)
        {
            TBBUTTON button = GetButton(i);
            if (IsHidden(button))
                continue;
            m_hiddenByFit[i] = ItemWidth(button, i);
            setHidden(i, TRUE);
        }
    }
    else
    {
        // Back in their order while the bar still fits (the chevron stays while any is hidden).
        while (!m_hiddenByFit.empty())
        {
            auto first = m_hiddenByFit.begin();
            setHidden(first->first, FALSE);
            int wanted = measure() + (m_hiddenByFit.size() > 1 ? kChevronLength : 0);
            if (wanted > length)
            {
                setHidden(first->first, TRUE);
                break;
            }
            m_hiddenByFit.erase(first);
        }
    }
    RebuildRecords();
    CalcLayout((horizontal ? LM_HORZ : 0) | LM_COMMIT, length);
    RequestRelayout();
}

void CUXToolBar::CopyHiddenButtons(CUXToolBar* pTarget, int width)
{
    if (pTarget == nullptr || pTarget->m_hWnd == nullptr || pTarget == this)
        return;
    pTarget->m_bOriginal = FALSE;
    pTarget->SetButtons(nullptr, 0);
    pTarget->SetSizes(m_sizeButton, m_sizeImage);
    // The same images: a copy of the bitmap, or the image lists themselves (the control owns none of them).
    if (m_bitmap.GetSafeHandle() != nullptr)
    {
        CBitmap copy;
        if (copy.Attach(::CopyImage(GetBitmap(), IMAGE_BITMAP, 0, 0, 0)))
            pTarget->SetBitmap(copy);
    }
    else
    {
        pTarget->SendMessage(TB_SETIMAGELIST, 0, SendMessage(TB_GETIMAGELIST));
        pTarget->SendMessage(TB_SETHOTIMAGELIST, 0, SendMessage(TB_GETHOTIMAGELIST));
        pTarget->SendMessage(TB_SETDISABLEDIMAGELIST, 0, SendMessage(TB_GETDISABLEDIMAGELIST));
    }
    if (m_dwDrawTextMask != 0)
        pTarget->SendMessage(TB_SETDRAWTEXTFLAGS, m_dwDrawTextMask, m_dwDrawTextFlags);
    pTarget->SendMessage(TB_SETEXTENDEDSTYLE, 0, SendMessage(TB_GETEXTENDEDSTYLE));

    int widest = 0;
    for (const auto& hidden : m_hiddenByFit)
    {
        if (hidden.first >= GetCount())
            continue;
        TBBUTTON button = GetButton(hidden.first);
        button.fsState &= ~(TBSTATE_HIDDEN | TBSTATE_WRAP);
        CString text = GetButtonText(hidden.first);
        button.iString = -1;
        int index = pTarget->GetCount();
        pTarget->SendMessage(TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&button));
        if (!text.IsEmpty())
            pTarget->SetButtonText(index, text);
        widest = std::max(widest, hidden.second);
        UINT id = static_cast<UINT>(button.idCommand);
        auto data = m_buttonData.find(id);
        if (!IsSeparator(button) && data != m_buttonData.end() && data->second != nullptr)
            pTarget->m_buttonData[id].reset(new CUXToolButtonData(*data->second));
    }
    pTarget->RebuildRecords();
    // The controls over hidden placeholders move into the copy.
    for (const ButtonRecord& record : m_records)
    {
        if (record.hWndControl == nullptr || !IsHidden(record.button) ||
            m_hiddenByFit.find(static_cast<int>(&record - m_records.data())) == m_hiddenByFit.end())
            continue;
        ::SetParent(record.hWndControl, pTarget->m_hWnd);
        pTarget->AttachControl(CWnd::FromHandle(record.hWndControl), record.bold);
    }
    std::vector<TBBUTTON> buttons = pTarget->ReadButtons();
    pTarget->WrapButtons(buttons, std::max(width, widest));
    pTarget->WriteWrapStates(buttons);
    pTarget->m_bDirty = TRUE;
}

CSize CUXToolBar::GetMinimumSize()
{
    CRect inside(0, 0, 0, 0);
    BOOL horizontal = IsHorizontalLayout();
    CalcInsideRect(inside, horizontal);
    CSize size(-inside.Width(), -inside.Height());
    std::vector<TBBUTTON> buttons = ReadButtons();
    for (size_t i = 0; i < buttons.size(); ++i)
        if (!IsHidden(buttons[i]))
        {
            size.cx += ItemWidth(buttons[i], static_cast<int>(i));
            size.cy += m_sizeButton.cy;
            break;
        }
    (horizontal ? size.cx : size.cy) += kChevronLength;
    return size;
}

BOOL CUXToolBar::GetReBarBandInfo(REBARBANDINFOA* info, BOOL horizontal)
{
    // A bar in a rebar never docks: joining its band is when it takes the user's layout back.
    if (m_bCustomizable)
        LoadState("Settings", m_strStateEntry);
    if (!CUXControlBar::GetReBarBandInfo(info, horizontal))
        return FALSE;
    if (m_pExpButton != nullptr)
    {
        info->cxIdeal = horizontal ? info->cxMinChild : info->cyMinChild;
        info->cx = info->cxIdeal + 14;
        info->fMask |= RBBIM_SIZE | RBBIM_IDEALSIZE;
        CSize minimum = GetMinimumSize();
        if (horizontal)
            info->cxMinChild = static_cast<UINT>(minimum.cx);
        else
            info->cyMinChild = static_cast<UINT>(minimum.cy);
    }
    return TRUE;
}

void CUXToolBar::OnReBarNotify(LPARAM value, BOOL)
{
    // The band's new size: its rectangle.
    const RECT* band = reinterpret_cast<const RECT*>(value);
    if (band == nullptr)
        return;
    FitToLength(IsHorizontalLayout() ? band->right - band->left : band->bottom - band->top);
}

// ---- look ----------------------------------------------------------------------------------------------

BOOL CUXToolBar::IsHorizontalLayout() const
{
    if (m_bInReBar || IsDockedHorz())
        return TRUE;
    // Not in a dock bar: the bar's alignment decides.
    return !IsDockedVert() && (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
}

BOOL CUXToolBar::IsFlatLook() const
{
    return uxAfxData.m_bFlatLook && !m_bInReBar;
}

COLORREF CUXToolBar::GetBackColor() const
{
    return m_bInReBar ? uxAfxData.m_clrBtnFace : CUXControlBar::GetBackColor();
}

void CUXToolBar::AddPaintListener(CUXToolBarPaintListener* listener)
{
    if (listener != nullptr)
        m_paintListeners.push_back(listener);
}

void CUXToolBar::RemovePaintListener(CUXToolBarPaintListener* listener)
{
    m_paintListeners.erase(std::remove(m_paintListeners.begin(), m_paintListeners.end(), listener),
                           m_paintListeners.end());
}

void CUXToolBar::OnPaint()
{
    PaintBar();
}

void CUXToolBar::PaintBar()
{
    if (m_bDirty)
        Layout();
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    COLORREF fill = IsFlatLook() ? GetBackColor() : uxAfxData.m_clrBtnFace;
    CUXMemDC mem(&dc, client, fill);
    if (!mem.IsValid())
        return;
    // The control paints its items into the surface.
    DefWindowProc(WM_PAINT, reinterpret_cast<WPARAM>(mem.m_hDC), 0);
    std::vector<CUXToolBarPaintListener*> listeners = m_paintListeners;
    for (CUXToolBarPaintListener* listener : listeners)
        listener->OnBarPainted(&mem);
}

void CUXToolBar::OnWindowPosChanging(WINDOWPOS* lpwndpos)
{
    // The base handles it without the border bits: the tool bar draws its own frame.
    DWORD style = m_dwStyle;
    m_dwStyle &= ~CBRS_BORDER_ANY;
    CUXControlBar::OnWindowPosChanging(lpwndpos);
    m_dwStyle = style;
    if ((m_dwStyle & CBRS_SIZE_DYNAMIC) && !(lpwndpos->flags & SWP_NOSIZE))
        Invalidate();
}

void CUXToolBar::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = CDRF_DODEFAULT;
    if (!(GetStyle() & TBSTYLE_FLAT) || m_bNestedPaint)
        return;
    NMTBCUSTOMDRAW* cd = reinterpret_cast<NMTBCUSTOMDRAW*>(pNMHDR);
    CDC* dc = CDC::FromHandle(cd->nmcd.hdc);
    switch (cd->nmcd.dwDrawStage)
    {
    case CDDS_PREPAINT:
        m_bFirstItem = TRUE;
        *pResult = CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT;
        break;
    case CDDS_POSTPAINT:
    {
        EraseWrapGaps(dc);
        DrawSeparators(dc);
        CUXToolBarPainter* painter = GetToolBarLook()->GetToolBarPainter();
        if (painter != nullptr && m_nOpenDropDown >= 0)
        {
            CRect rect;
            GetItemRect(m_nOpenDropDown, &rect);
            painter->DrawDropShadow(dc, rect);
        }
        break;
    }
    case CDDS_ITEMPREPAINT:
        if (DrawButton(dc, cd))
            *pResult = CDRF_SKIPDEFAULT;
        break;
    default: break;
    }
}

CUXToolButtonState CUXToolBar::GetButtonState(int nIndex)
{
    CUXToolButtonState state;
    GetItemRect(nIndex, &state.rect);
    TBBUTTON button = GetButton(nIndex);
    state.state = button.fsState;
    state.style = button.fsStyle;
    int hotItem = static_cast<int>(SendMessage(TB_GETHOTITEM));
    state.open = m_nOpenDropDown == nIndex;
    state.pressed = (button.fsState & TBSTATE_PRESSED) != 0 ||
                    (hotItem == nIndex && ::GetKeyState(VK_LBUTTON) < 0 && !GetToolBarLook()->IsCustomizeMode());
    state.hot = !state.pressed && hotItem == nIndex && CWnd::GetCapture() == nullptr;
    state.dropDownArrows = (SendMessage(TB_GETEXTENDEDSTYLE) & TBSTYLE_EX_DRAWDDARROWS) != 0;
    state.images = reinterpret_cast<HIMAGELIST>(SendMessage(TB_GETIMAGELIST));
    state.hotImages = reinterpret_cast<HIMAGELIST>(SendMessage(TB_GETHOTIMAGELIST));
    state.image = button.iBitmap;
    state.imageSize = m_sizeImage;
    state.label = GetButtonText(nIndex);
    state.listStyle = (GetStyle() & TBSTYLE_LIST) != 0;
    CFont* font = GetFont();
    state.font = font != nullptr ? static_cast<HFONT>(font->GetSafeHandle()) : nullptr;
    state.back = GetBackColor();
    if (const CUXToolButtonData* data = GetButtonData(nIndex))
        state.strip = data->m_clrStrip;
    state.buttonWidth = m_sizeButton.cx;
    return state;
}

BOOL CUXToolBar::DrawButton(CDC* pDC, NMTBCUSTOMDRAW* lpcd)
{
    if (m_bFirstItem)
    {
        m_bFirstItem = FALSE;
        if (IsFlatLook())
        {
            CRect client;
            GetClientRect(&client);
            pDC->FillSolidRect(&client, GetBackColor());
        }
    }
    int index = CommandToIndex(static_cast<UINT>(lpcd->nmcd.dwItemSpec));
    if (index < 0)
        return FALSE;
    if (CUXToolBarPainter* painter = GetToolBarLook()->GetToolBarPainter())
    {
        painter->DrawButton(pDC, GetButtonState(index));
        return TRUE;
    }
    CRect rect(lpcd->nmcd.rc);
    TBBUTTON button = GetButton(index);
    CUXToolButtonData* data = GetButtonData(index);
    if (data != nullptr && data->m_clrStrip != 0xFF000000)
    {
        // The colour strip under the image of a colour drop-down.
        CRect strip(rect.left + 4, rect.bottom - 7, rect.left + m_sizeButton.cx - 4, rect.bottom - 4);
        if (button.fsState & (TBSTATE_PRESSED | TBSTATE_CHECKED))
            strip.OffsetRect(1, 1);
        BOOL disabled = !(button.fsState & TBSTATE_ENABLED);
        pDC->FillSolidRect(&strip, disabled ? uxAfxData.m_clrBtnShadow : static_cast<COLORREF>(data->m_clrStrip));
        pDC->ExcludeClipRect(&strip);
    }
    if (m_bInReBar)
    {
        CRect clip;
        pDC->GetClipBox(&clip);
        clip.IntersectRect(&clip, &rect);
        m_bNestedPaint = TRUE;
        InvalidateRect(&clip, FALSE);
        UpdateWindow();
        m_bNestedPaint = FALSE;
    }
    else
    {
        pDC->FillSolidRect(&rect, GetBackColor());
    }
    if (button.fsState & TBSTATE_CHECKED)
        return FALSE;
    BOOL disabled = !(button.fsState & TBSTATE_ENABLED);
    BOOL popupOpen = m_pColorPopup != nullptr && m_nColorPopupID == button.idCommand;
    BOOL drawsArrows =
        (button.fsStyle & TBSTYLE_DROPDOWN) && (SendMessage(TB_GETEXTENDEDSTYLE) & TBSTYLE_EX_DRAWDDARROWS);
    if (((disabled && m_bOwnDisabledImages) || popupOpen) && button.iString < 0 && !drawsArrows)
    {
        HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessage(TB_GETIMAGELIST));
        int x = rect.left + (m_sizeButton.cx - m_sizeImage.cx) / 2 + 1;
        int y = rect.top + (m_sizeButton.cy - m_sizeImage.cy) / 2 + 1;
        DrawDisabledImage(pDC, images, button.iBitmap, x, y, TRUE);
        return TRUE;
    }
    return FALSE;
}

void CUXToolBar::DrawSeparators(CDC* pDC)
{
    CUXToolBarPainter* painter = GetToolBarLook()->GetToolBarPainter();
    std::vector<TBBUTTON> buttons = ReadButtons();
    CRect client;
    GetClientRect(&client);
    for (size_t i = 0; i < buttons.size(); ++i)
    {
        const TBBUTTON& button = buttons[i];
        if (!IsSeparator(button) || IsHidden(button))
            continue;
        int index = static_cast<int>(i);
        CRect rect;
        GetItemRect(index, &rect);
        if (rect.IsRectEmpty() && !(button.fsState & TBSTATE_WRAP))
            continue;
        if (painter != nullptr)
        {
            if (IsPlaceholder(button))
                painter->EraseControl(pDC, rect, GetBackColor());
            else
                painter->DrawSeparator(pDC, rect, (button.fsState & TBSTATE_WRAP) != 0, client, GetBackColor());
            continue;
        }
        if (IsPlaceholder(button))
        {
            HWND control = nullptr;
            for (const ButtonRecord& record : m_records)
                if (record.button.idCommand == button.idCommand)
                    control = record.hWndControl;
            if (control == nullptr || !::IsWindowVisible(control))
                continue;
            if (!m_bInReBar)
                pDC->FillSolidRect(&rect, GetBackColor());
            CRect window;
            ::GetWindowRect(control, &window);
            ScreenToClient(&window);
            CPoint origin = pDC->SetViewportOrg(window.left, window.top);
            ::SendMessageA(control, WM_PRINT, reinterpret_cast<WPARAM>(pDC->m_hDC),
                           PRF_CHECKVISIBLE | PRF_CLIENT | PRF_CHILDREN | PRF_OWNED | PRF_NONCLIENT);
            pDC->SetViewportOrg(origin);
            continue;
        }
        if (button.fsState & TBSTATE_WRAP)
        {
            CRect line(client.left, rect.top + rect.Height() / 2, client.right, rect.top + rect.Height() / 2 + 2);
            pDC->DrawEdge(&line, EDGE_ETCHED, BF_TOP);
            pDC->SetPixelV(line.right - 1, line.top, uxAfxData.m_clrBtnShadow);
        }
        else
        {
            CRect line(rect);
            line.DeflateRect(2, 2);
            pDC->DrawEdge(&line, EDGE_ETCHED, BF_LEFT);
            pDC->SetPixelV(line.left, line.bottom - 1, uxAfxData.m_clrBtnShadow);
        }
    }
}

void CUXToolBar::EraseWrapGaps(CDC* pDC)
{
    // The gaps a wrapped separator leaves between rows take the bar's colour.
    std::vector<TBBUTTON> buttons = ReadButtons();
    for (size_t i = 0; i < buttons.size(); ++i)
    {
        if (!IsSeparator(buttons[i]) || !(buttons[i].fsState & TBSTATE_WRAP) || IsHidden(buttons[i]))
            continue;
        CRect gap = WrapGapRect(static_cast<int>(i));
        if (!gap.IsRectEmpty())
            pDC->FillSolidRect(&gap, GetBackColor());
    }
}

// ---- tips and updates ----------------------------------------------------------------------------------

namespace
{
UXShortcutTextProvider& ShortcutProvider()
{
    static UXShortcutTextProvider provider = nullptr;
    return provider;
}
}   // namespace

void CUXToolBar::SetShortcutTextProvider(UXShortcutTextProvider provider)
{
    ShortcutProvider() = provider;
}

INT_PTR CUXToolBar::OnToolHitTest(CPoint point, TOOLINFOA* pTI) const
{
    INT_PTR hit = CUXControlBar::OnToolHitTest(point, pTI);
    if (hit != -1)
        return hit;
    std::vector<TBBUTTON> buttons = ReadButtons();
    for (size_t i = 0; i < buttons.size(); ++i)
    {
        const TBBUTTON& button = buttons[i];
        if (IsSeparator(button) || IsHidden(button))
            continue;
        CRect rect;
        if (!SendMessage(TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&rect)) || !rect.PtInRect(point))
            continue;
        UINT id = static_cast<UINT>(button.idCommand);
        if (pTI == nullptr)
            return static_cast<INT_PTR>(id);
        if (pTI->cbSize < TTTOOLINFOA_V1_SIZE || !uxAfxData.m_bToolTips)
            return -1;
        // The tip is the second line of the command's string.
        CString full;
        full.LoadString(id);
        if (full.GetLength() > 256)
            full = full.Left(256);
        int newline = full.Find('\n');
        if (newline < 0)
            return -1;
        CString tip = full.Mid(newline + 1);
        int end = tip.Find('\n');
        if (end >= 0)
            tip = tip.Left(end);
        if (tip.IsEmpty())
            return -1;
        CString shortcut;
        if (uxAfxData.m_bShortcutsInTips && ShortcutProvider() != nullptr && ShortcutProvider()(id, shortcut))
            tip += " (" + shortcut + ")";
        pTI->hwnd = m_hWnd;
        pTI->uId = id;
        pTI->rect = rect;
        pTI->lpszText = static_cast<LPSTR>(std::malloc(static_cast<size_t>(tip.GetLength()) + 1));
        if (pTI->lpszText == nullptr)
            return -1;
        std::memcpy(pTI->lpszText, tip.GetString(), static_cast<size_t>(tip.GetLength()) + 1);
        return static_cast<INT_PTR>(id);
    }
    return -1;
}

void CUXToolBar::FindMissingImages()
{
    m_bImagesToFind = FALSE;
    for (int i = 0; i < GetCount(); ++i)
    {
        TBBUTTON button = GetButton(i);
        const CUXToolButtonData* data = GetButtonData(i);
        if (IsSeparator(button) || button.iBitmap >= 0 ||
            (data != nullptr && (data->m_nDropDown & kDropDownCommandPopup) != 0))
            continue;
        int image = CommandImage(static_cast<UINT>(button.idCommand));
        if (image < 0)
            continue;
        button.iBitmap = image;
        SetButton(i, button);
    }
}

void CUXToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    if (m_bImagesToFind)
        FindMissingImages();
    CUXToolCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = static_cast<UINT>(GetCount());
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex)
    {
        TBBUTTON button = GetButton(static_cast<int>(state.m_nIndex));
        if (IsSeparator(button))
            continue;
        state.m_nID = static_cast<UINT>(button.idCommand);
        // The bar's own update handler first, then the frame's.
        if (CWnd::OnCmdMsg(state.m_nID, static_cast<int>(CN_UPDATE_COMMAND_UI), &state, nullptr))
            continue;
        state.DoUpdate(pTarget, bDisableIfNoHndler);
    }
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
    if (m_pExpButton != nullptr)
        static_cast<CUXExpButton*>(m_pExpButton.get())->UpdateState();
    // A bar that moved away from under the mouse (docked elsewhere, laid out anew) hears of no leaving: its
    // hot button goes back to rest.
    if (SendMessage(TB_GETHOTITEM) >= 0 && GetCapture() != this)
    {
        CPoint cursor;
        CRect window;
        ::GetCursorPos(&cursor);
        GetWindowRect(&window);
        if (!window.PtInRect(cursor))
            SendMessage(TB_SETHOTITEM, static_cast<WPARAM>(-1));
    }
}

// ---- drop-downs ----------------------------------------------------------------------------------------

void CUXToolBar::OnDropDown(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = TBDDRET_DEFAULT;
    NMTOOLBARA* notify = reinterpret_cast<NMTOOLBARA*>(pNMHDR);
    int index = CommandToIndex(static_cast<UINT>(notify->iItem));
    if (index < 0)
        return;
    CRect rect;
    GetItemRect(index, &rect);
    CRect grown(rect);
    grown.InflateRect(4, 4);
    InvalidateRect(&grown);
    m_nOpenDropDown = index;
    CUXToolButtonData* data = GetButtonData(index);
    uint32_t dropDown = data != nullptr ? data->m_nDropDown : 0;
    CUXToolBarPainter* painter = GetToolBarLook()->GetToolBarPainter();
    if (dropDown != 0 && dropDown <= 0xFFFF)
    {
        ShowDropDownMenu(notify, dropDown, rect);
    }
    else if (dropDown & kDropDownCommandPopup)
    {
        HMENU popup = GetCustomizeCenter().FindCommandPopup(data->m_nPopupKey);
        if (popup != nullptr)
        {
            CRect screen(rect);
            ClientToScreen(&screen);
            CUXTrackMenu menu;
            menu.Attach(popup);
            menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_LEFTBUTTON, screen.left, screen.bottom, GetOwner(), TRUE);
            menu.Detach();   // the provider's menu
        }
    }
    else if (dropDown & kDropDownColor)
    {
        if (m_pColorPopup != nullptr && m_pColorPopup->m_hWnd != nullptr)
            m_pColorPopup->DestroyWindow();   // it deletes itself
        m_pColorPopup = nullptr;
        CRect screen(rect);
        ClientToScreen(&screen);
        if (CreateColorPopup(data, CPoint(screen.left, screen.bottom), static_cast<UINT>(notify->iItem)))
            return;   // open until the popup says it closed
    }
    else
    {
        CWnd* pOwner = GetOwner();
        LRESULT taken =
            pOwner != nullptr ? pOwner->SendMessage(UXM_TOOLBAR_DROPDOWN, 0, reinterpret_cast<LPARAM>(notify)) : 0;
        if (taken != 0)
            return;
    }
    if (painter != nullptr)
    {
        CRect shadow = painter->GetDropShadowRect(rect);
        InvalidateRect(&shadow);
    }
    m_nOpenDropDown = -1;
    // Held down, the button stays pressed and keeps the mouse until it is released, wherever that is.
    if (::GetKeyState(VK_LBUTTON) < 0 && !IsSeparator(GetButton(index)))
    {
        SendMessage(TB_PRESSBUTTON, static_cast<WPARAM>(notify->iItem), TRUE);
        m_bPressedWithCapture = TRUE;
        SetCapture();
    }
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void CUXToolBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (!m_bPressedWithCapture)
    {
        CUXControlBar::OnLButtonUp(nFlags, point);
        return;
    }
    if (GetCapture() == this)
        ::ReleaseCapture();   // OnCaptureChanged lets the button go
}

void CUXToolBar::OnCaptureChanged(CWnd* pWnd)
{
    if (m_bPressedWithCapture)
    {
        m_bPressedWithCapture = FALSE;
        for (int i = 0; i < GetCount(); ++i)
            if (SendMessage(TB_ISBUTTONPRESSED, GetItemID(i)))
                SendMessage(TB_PRESSBUTTON, GetItemID(i), FALSE);
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    }
    CUXControlBar::OnCaptureChanged(pWnd);
}

void CUXToolBar::ShowDropDownMenu(NMTOOLBARA*, UINT nIDMenu, const CRect& rcButton)
{
    CMenu loaded;
    if (!loaded.LoadMenu(nIDMenu))
        return;
    HMENU sub = ::GetSubMenu(loaded, 0);
    if (sub == nullptr)
        return;
    ::RemoveMenu(loaded, 0, MF_BYPOSITION);
    CUXTrackMenu menu;
    menu.Attach(sub);
    CRect screen(rcButton);
    ClientToScreen(&screen);
    // Below the button, or above it on a bar at the bottom; bars at the sides track as at the top.
    UINT side = IsDockedBottom() ? 0x8000 : IsDockedLeft() ? 0x1000 : IsDockedRight() ? 0x4000 : 0x2000;
    CUXCoolMenu::SetDropDownSide(side, screen);
    TPMPARAMS params = {sizeof(params), screen};
    BOOL bottom = side == 0x8000;
    menu.TrackPopupMenuEx(TPM_LEFTALIGN | TPM_LEFTBUTTON | TPM_VERTICAL | (bottom ? TPM_BOTTOMALIGN : 0),
                          screen.left, bottom ? screen.top : screen.bottom, GetOwner(), &params, TRUE);
}

BOOL CUXToolBar::CreateColorPopup(CUXToolButtonData* pData, CPoint, UINT nID)
{
    int index = CommandToIndex(nID);
    if (pData == nullptr || index < 0)
        return FALSE;
    CRect button;
    GetItemRect(index, &button);
    ClientToScreen(&button);
    auto popup = std::make_unique<CUXColorDropWnd>(0, nID);
    COLORREF current = pData->m_clrStrip;
    COLORREF defaultColor = pData->m_clrDefault != 0xFF000000 ? pData->m_clrDefault : RGB(0, 0, 0);
    m_pColorPopup = popup.get();
    m_nColorPopupID = static_cast<int>(nID);
    if (!popup->Create(button, this, pData->m_nDropDown & 0xFFFF, current, defaultColor))
    {
        m_pColorPopup = nullptr;
        m_nColorPopupID = -1;
        return FALSE;
    }
    popup.release();   // its window deletes it
    return TRUE;
}

LRESULT CUXToolBar::OnColorChosen(WPARAM wParam, LPARAM lParam)
{
    // wParam: the colour; lParam: the button's command.
    int index = CommandToIndex(static_cast<UINT>(lParam));
    if (CUXToolButtonData* data = GetButtonData(index))
    {
        data->m_clrStrip = static_cast<uint32_t>(wParam);
        Invalidate();
    }
    // In the pop-up of hidden buttons the bar the buttons belong to hears the choice as well and tells the
    // owner: the copy does not tell it twice.
    CWnd* pOwner = GetOwner();
    if (pOwner != nullptr && m_bOriginal)
        pOwner->SendMessage(UXM_COLOR_CHOSEN, wParam, lParam);
    return 0;
}

LRESULT CUXToolBar::OnColorForward(WPARAM wParam, LPARAM lParam)
{
    // The other endings of the pop-up reach the owner too: it learns of every choice, "No Fill" included.
    const MSG* msg = GetCurrentMessage();
    CWnd* pOwner = GetOwner();
    if (pOwner != nullptr && m_bOriginal)
        pOwner->SendMessage(msg->message, wParam, lParam);
    return 0;
}

LRESULT CUXToolBar::OnColorClosed(WPARAM wParam, LPARAM lParam)
{
    if (m_nColorPopupID >= 0)
        SendMessage(TB_PRESSBUTTON, static_cast<WPARAM>(m_nColorPopupID), FALSE);
    m_pColorPopup = nullptr;   // the pop-up is going and deletes itself
    m_nColorPopupID = -1;
    m_nOpenDropDown = -1;
    Invalidate();
    if (CWnd* pOwner = GetOwner())
        pOwner->SendMessage(UXM_COLOR_CLOSED, wParam, lParam);
    return 0;
}

// ---- customization: the stored layout ---------------------------------------------------------------------

namespace
{

const WORD kLayoutVersion = 1;
const DWORD kRecordSize = sizeof(CUXToolButtonData);
// Flags of a stored button.
const WORD kHasData = 0x01;
const WORD kCallbackImage = 0x02;
const WORD kIndexImage = 0x04;
// The smallest stored button: id, style, image, flags.
const UINT kSmallestButton = 4 + 1 + 4 + 2;
// The smallest stored text: id and an empty text.
const UINT kSmallestText = 4 + 1;

// One stored button.
struct StoredButton
{
    TBBUTTON button = {};
    BOOL hasData = FALSE;
    CUXToolButtonData data;
};

// A layout read completely before anything of it is used.
struct StoredLayout
{
    BOOL listStyle = FALSE;
    std::vector<StoredButton> buttons;
    std::vector<std::pair<UINT, CString>> texts;

    // FALSE for another version or record size, and for a layout shorter than it says.
    BOOL Read(const BYTE* data, UINT size)
    {
        if (data == nullptr || size == 0)
            return FALSE;
        CMemFile file(data, size);
        CArchive ar(&file, CArchive::load);
        WORD version = 0;
        WORD list = 0;
        ar >> version >> list;
        DWORD recordSize = ar.ReadCount();
        if (!ar.IsOK() || version != kLayoutVersion || recordSize != kRecordSize)
            return FALSE;
        listStyle = list != 0;
        DWORD count = ar.ReadCount();
        if (!ar.IsOK() || count > size / kSmallestButton)
            return FALSE;
        buttons.resize(count);
        for (StoredButton& stored : buttons)
        {
            DWORD id = 0;
            BYTE style = 0;
            int image = 0;
            WORD flags = 0;
            ar >> id >> style >> image >> flags;
            stored.button.idCommand = static_cast<int>(id);
            stored.button.fsStyle = style;
            stored.button.fsState = TBSTATE_ENABLED;
            stored.button.iString = -1;
            if ((flags & kCallbackImage) != 0)
                stored.button.iBitmap = I_IMAGECALLBACK;
            else
                stored.button.iBitmap = image;
            stored.hasData = (flags & kHasData) != 0;
            if (stored.hasData && ar.Read(&stored.data, kRecordSize) != kRecordSize)
                return FALSE;
            if (!ar.IsOK())
                return FALSE;
        }
        DWORD textCount = ar.ReadCount();
        if (!ar.IsOK() || textCount > size / kSmallestText)
            return FALSE;
        for (DWORD i = 0; i < textCount; ++i)
        {
            DWORD id = 0;
            CString text;
            ar >> id;
            if (!ar.ReadString(text) || !ar.IsOK())
                return FALSE;
            texts.emplace_back(static_cast<UINT>(id), text);
        }
        return TRUE;
    }
};

// The text of a command from its string resource: the part after the first line break, or the part before
// it when that is empty.
CString CommandStringText(UINT nID)
{
    CString whole;
    if (nID == 0 || !AfxLoadString(nID, whole))
        return CString();
    int newline = whole.Find('\n');
    if (newline < 0)
        return whole;
    CString tip = whole.Mid(newline + 1);
    return tip.IsEmpty() ? whole.Left(newline) : tip;
}

}   // namespace

// ---- registration -----------------------------------------------------------------------------------------

void CUXToolBar::SetCustomizable(BOOL on)
{
    on = on != FALSE;
    if (on == m_bCustomizable)
        return;
    m_bCustomizable = on;
    if (!on)
        SwitchCustomizeMode(FALSE);
    m_customizeRegistration.Set(on, {CUXCustomizeCenter::kCustomizableBars, CUXCustomizeCenter::kCustomizeStart});
    if (m_hWnd != nullptr)
    {
        m_bDirty = TRUE;
        RequestRelayout();   // the chevron shows for a customizable bar
    }
}

void CUXToolBar::OnNameCustomizeWindows(std::vector<HWND>& windows)
{
    if (m_hWnd != nullptr)
        windows.push_back(m_hWnd);
}

void CUXToolBar::OnAddBarDescriptors(std::vector<CUXBarDescriptor>& descriptors)
{
    CUXBarDescriptor descriptor;
    GetCustomizeDescriptor(descriptor);
    descriptors.push_back(descriptor);
}

void CUXToolBar::SwitchCustomizeMode(BOOL on)
{
    on = on != FALSE;
    if (!m_bCustomizable || on == IsCustomizeMode() || (on && m_hWnd == nullptr))
        return;
    GetToolBarLook()->SetCustomizeMode(on);
    if (on)
        m_pCustomizer = std::make_unique<CUXToolBarCustomizer>(this);
    else
        m_pCustomizer.reset();
    if (m_hWnd != nullptr)
        Invalidate();
}

void CUXToolBar::GetCustomizeDescriptor(CUXBarDescriptor& descriptor)
{
    descriptor = CUXBarDescriptor();
    descriptor.pBar = this;
    descriptor.reset = [this] { ConfirmReset(); };
}

// ---- command records --------------------------------------------------------------------------------------

CUXCommandRecord* CUXToolBar::FindCommandRecord(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return nullptr;
    TBBUTTON button = GetButton(nIndex);
    if (IsSeparator(button))
        return nullptr;
    std::unique_ptr<CUXCommandRecord> record = GetCustomizeCenter().FindCommandRecord(static_cast<UINT>(button.idCommand));
    if (record == nullptr)
        return nullptr;
    // What the button shows goes with its command, when the centre's record (a menu's) has none of it.
    if (record->m_hIcon == nullptr)
    {
        HICON icon = nullptr;
        HICON hot = nullptr;
        GetButtonIcons(button, icon, hot);
        record->SetIcons(icon, hot);
    }
    if (record->m_pButtonData == nullptr)
        record->SetButtonData(GetButtonData(nIndex));
    return record.release();
}

CUXCommandRecord* CUXToolBar::MakeCommandRecord(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return nullptr;
    TBBUTTON button = GetButton(nIndex);
    if (IsSeparator(button))
        return nullptr;
    UINT nID = static_cast<UINT>(button.idCommand);
    CUXCommandRecord* record = new CUXCommandRecord;
    CUXToolButtonData* data = GetButtonData(nIndex);
    if (data != nullptr && (data->m_nDropDown & kDropDownCommandPopup))
        record->m_nOwnerValue = static_cast<int>(data->m_nPopupKey);   // a pop-up: no id, its key
    else
        record->m_nID = button.idCommand;
    auto text = m_buttonTexts.find(nID);
    record->m_strText = text != m_buttonTexts.end() ? text->second : CommandStringText(nID);
    CString whole;
    if (record->m_nID != 0 && AfxLoadString(nID, whole))
        record->m_strDescription = whole.Find('\n') >= 0 ? whole.Left(whole.Find('\n')) : whole;
    HICON icon = nullptr;
    HICON hot = nullptr;
    GetButtonIcons(button, icon, hot);
    record->SetIcons(icon, hot);
    record->SetButtonData(data);
    return record;
}

void CUXToolBar::GetButtonIcons(const TBBUTTON& button, HICON& icon, HICON& hotIcon) const
{
    icon = hotIcon = nullptr;
    HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessage(TB_GETIMAGELIST));
    HIMAGELIST hot = reinterpret_cast<HIMAGELIST>(SendMessage(TB_GETHOTIMAGELIST));
    if (images == nullptr || button.iBitmap < 0 || button.iBitmap >= ::ImageList_GetImageCount(images))
        return;
    icon = ::ImageList_GetIcon(images, button.iBitmap, ILD_NORMAL);
    if (hot != nullptr && button.iBitmap < ::ImageList_GetImageCount(hot))
        hotIcon = ::ImageList_GetIcon(hot, button.iBitmap, ILD_NORMAL);
}

int CUXToolBar::FindCommandImage(UINT nID) const
{
    HIMAGELIST images = m_hWnd != nullptr ? reinterpret_cast<HIMAGELIST>(SendMessage(TB_GETIMAGELIST)) : nullptr;
    int count = images != nullptr ? ::ImageList_GetImageCount(images) : 0;
    auto known = m_commandImages.find(nID);
    return known != m_commandImages.end() && known->second < count ? known->second : -1;
}

int CUXToolBar::CommandImage(UINT nID, HICON icon, HICON hotIcon)
{
    int image = FindCommandImage(nID);
    if (image >= 0)
        return image;
    CUXCommandImageMap provided;
    if (icon == nullptr && GetCustomizeCenter().FindCommandImages(nID, provided))
        provided.Lookup(nID, icon, hotIcon);
    image = AppendImage(icon, hotIcon);
    if (image >= 0)
        m_commandImages[nID] = image;
    return image;
}

int CUXToolBar::AppendImage(HICON icon, HICON hotIcon)
{
    if (icon == nullptr || m_hWnd == nullptr)
        return -1;
    HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessage(TB_GETIMAGELIST));
    if (images == nullptr)
    {
        if (m_hOwnImages == nullptr)
            m_hOwnImages = ::ImageList_Create(m_sizeImage.cx, m_sizeImage.cy, ILC_COLOR32 | ILC_MASK, 4, 4);
        images = m_hOwnImages;
        SendMessage(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
    }
    int index = ::ImageList_ReplaceIcon(images, -1, icon);
    HIMAGELIST hot = reinterpret_cast<HIMAGELIST>(SendMessage(TB_GETHOTIMAGELIST));
    if (index >= 0 && hot != nullptr)
    {
        // The hot list keeps the normal list's indexes.
        while (::ImageList_GetImageCount(hot) < index)
            ::ImageList_ReplaceIcon(hot, -1, icon);
        ::ImageList_ReplaceIcon(hot, -1, hotIcon != nullptr ? hotIcon : icon);
    }
    return index;
}

BOOL CUXToolBar::ApplyCommandRecord(const CUXCommandRecord& record, int nIndex)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return FALSE;
    TBBUTTON button = GetButton(nIndex);
    DWORD popupKey = record.GetPopupKey();
    UINT nID = popupKey != 0 ? popupKey : static_cast<UINT>(record.m_nID);
    // The text goes with the layout; a bar that shows texts beside its images shows it.
    if (!record.m_strText.IsEmpty())
    {
        if (GetStyle() & TBSTYLE_LIST)
            SetButtonText(nIndex, record.m_strText);
        else
            m_buttonTexts[nID] = record.m_strText;
        button = GetButton(nIndex);
    }
    int image = popupKey != 0 ? -1 : CommandImage(nID, record.m_hIcon, record.m_hIcon2);
    button.iBitmap = image >= 0 ? image : I_IMAGENONE;
    SetButton(nIndex, button);
    return TRUE;
}

BOOL CUXToolBar::InsertCommand(const CUXCommandRecord& record, int nIndex)
{
    DWORD popupKey = record.GetPopupKey();
    UINT nID = popupKey != 0 ? popupKey : static_cast<UINT>(record.m_nID);
    if (m_hWnd == nullptr || nID == 0)
        return FALSE;
    nIndex = std::max(0, std::min(nIndex, GetCount()));
    TBBUTTON button = {};
    button.idCommand = static_cast<int>(nID);
    button.fsState = TBSTATE_ENABLED;
    // With the texts beside the images each button is as wide as its own text, not as the widest.
    button.fsStyle = static_cast<BYTE>(TBSTYLE_BUTTON | ((GetStyle() & TBSTYLE_LIST) ? TBSTYLE_AUTOSIZE : 0));
    button.iBitmap = I_IMAGENONE;
    button.iString = -1;
    if (record.m_pButtonData != nullptr || popupKey != 0)
    {
        std::unique_ptr<CUXToolButtonData>& data = m_buttonData[nID];
        data.reset(record.m_pButtonData != nullptr ? new CUXToolButtonData(*record.m_pButtonData)
                                                   : new CUXToolButtonData);
        if (popupKey != 0)
        {
            // The whole button opens the pop-up; it sends no command.
            data->m_nDropDown = kDropDownCommandPopup;
            data->m_nPopupKey = popupKey;
            button.fsStyle |= BTNS_WHOLEDROPDOWN;
        }
        else
            button.fsStyle |= TBSTYLE_DROPDOWN;
        if (data->m_nDropDown != 0)
            SendMessage(TB_SETEXTENDEDSTYLE, 0, SendMessage(TB_GETEXTENDEDSTYLE) | TBSTYLE_EX_DRAWDDARROWS);
    }
    if (!SendMessage(TB_INSERTBUTTONA, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&button)))
        return FALSE;
    m_bDirty = TRUE;
    RebuildRecords();
    ApplyCommandRecord(record, nIndex);
    PositionControls();
    RequestRelayout();
    return TRUE;
}

BOOL CUXToolBar::RemoveButton(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetCount() || !SendMessage(TB_DELETEBUTTON, static_cast<WPARAM>(nIndex)))
        return FALSE;
    m_bDirty = TRUE;
    RebuildRecords();
    PositionControls();
    RequestRelayout();
    return TRUE;
}

CUXCommandCategory* CUXToolBar::DescribeCommands()
{
    CUXCommandCategory* category = new CUXCommandCategory;
    CString title;
    if (m_hWnd != nullptr)
        GetWindowText(title);
    if (title.IsEmpty())
        AfxLoadString(IDS_UX_TOOLBAR, title, uxAfxData.m_hResourceModule);
    category->m_strName = title;
    category->m_nOrderKey = (m_hWnd != nullptr ? GetDlgCtrlID() : 0) + 2000;

    StoredLayout layout;
    std::vector<UINT> ids;
    if (m_bHasDefaultLayout && layout.Read(m_defaultLayout.data(), static_cast<UINT>(m_defaultLayout.size())))
    {
        for (const StoredButton& stored : layout.buttons)
            if (!IsSeparator(stored.button))
                ids.push_back(static_cast<UINT>(stored.button.idCommand));
    }
    else
        for (int i = 0; i < GetCount(); ++i)
            if (!IsSeparator(GetButton(i)))
                ids.push_back(GetItemID(i));
    for (UINT nID : ids)
    {
        int index = CommandToIndex(nID);
        std::unique_ptr<CUXCommandRecord> record(index >= 0 ? FindCommandRecord(index)
                                                            : GetCustomizeCenter().FindCommandRecord(nID).release());
        if (record == nullptr && index >= 0)
            record.reset(MakeCommandRecord(index));
        if (record == nullptr)
        {
            record.reset(new CUXCommandRecord);
            record->m_nID = static_cast<int>(nID);
            record->m_strText = CommandStringText(nID);
        }
        category->Add(std::move(record));
    }
    return category;
}

// ---- the stored layout ------------------------------------------------------------------------------------

void CUXToolBar::GetLayout(std::vector<BYTE>& layout) const
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar << kLayoutVersion << static_cast<WORD>((GetStyle() & TBSTYLE_LIST) != 0 ? 1 : 0);
        ar.WriteCount(kRecordSize);
        int count = GetCount();
        ar.WriteCount(static_cast<DWORD>(count));
        for (int i = 0; i < count; ++i)
        {
            TBBUTTON button = GetButton(i);
            auto data =
                IsSeparator(button) ? m_buttonData.end() : m_buttonData.find(static_cast<UINT>(button.idCommand));
            WORD flags = 0;
            if (data != m_buttonData.end())
                flags |= kHasData;
            if (button.iBitmap == I_IMAGECALLBACK)
                flags |= kCallbackImage;
            else if (button.iBitmap >= 0)
                flags |= kIndexImage;
            ar << static_cast<DWORD>(button.idCommand) << static_cast<BYTE>(button.fsStyle)
               << static_cast<int>(button.iBitmap) << flags;
            if (data != m_buttonData.end())
                ar.Write(data->second.get(), kRecordSize);
        }
        ar.WriteCount(static_cast<DWORD>(m_buttonTexts.size()));
        for (const auto& text : m_buttonTexts)
            ar << static_cast<DWORD>(text.first) << text.second;
        ar.Close();
    }
    const BYTE* bytes = file.GetData();
    layout.assign(bytes, bytes + file.GetLength());
}

BOOL CUXToolBar::ApplyLayout(const BYTE* data, UINT size)
{
    StoredLayout layout;
    if (m_hWnd == nullptr || !layout.Read(data, size))
        return FALSE;
    for (const auto& text : layout.texts)
        m_buttonTexts[text.first] = text.second;
    if (layout.listStyle && !(GetStyle() & TBSTYLE_LIST))
        ModifyStyle(0, TBSTYLE_LIST);

    std::vector<TBBUTTON> buttons;
    BOOL dropDownArrows = FALSE;
    for (const StoredButton& stored : layout.buttons)
    {
        TBBUTTON button = stored.button;
        UINT nID = static_cast<UINT>(button.idCommand);
        if (!IsSeparator(button))
        {
            BOOL commandPopup = FALSE;
            if (stored.hasData)
            {
                std::unique_ptr<CUXToolButtonData>& data = m_buttonData[nID];
                data.reset(new CUXToolButtonData(stored.data));
                dropDownArrows = dropDownArrows || data->m_nDropDown != 0;
                commandPopup = (data->m_nDropDown & kDropDownCommandPopup) != 0;
            }
            // A stored image index belongs to the image lists of the run that stored it: the button takes its
            // command's image in this bar's lists (the other bars' image appended when it has none here).
            if (!commandPopup)
            {
                int image = CommandImage(nID);
                button.iBitmap = image >= 0 ? image : I_IMAGENONE;
                m_bImagesToFind |= image < 0;
            }
        }
        buttons.push_back(button);
    }
    if (dropDownArrows)
        SendMessage(TB_SETEXTENDEDSTYLE, 0, SendMessage(TB_GETEXTENDEDSTYLE) | TBSTYLE_EX_DRAWDDARROWS);

    SetRedraw(FALSE);
    for (int i = GetCount(); i-- > 0;)
        SendMessage(TB_DELETEBUTTON, static_cast<WPARAM>(i));
    BOOL ok = buttons.empty() ||
              SendMessage(TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data())) != 0;
    SetRedraw(TRUE);
    m_hiddenByFit.clear();
    m_bDirty = TRUE;
    RebuildRecords();
    if (GetStyle() & TBSTYLE_LIST)
        for (int i = 0; i < GetCount(); ++i)
        {
            auto text = m_buttonTexts.find(GetItemID(i));
            if (!IsSeparator(GetButton(i)) && text != m_buttonTexts.end())
                SetButtonText(i, text->second);
        }
    PositionControls();
    Layout();
    RequestRelayout();
    Invalidate();
    return ok;
}

BOOL CUXToolBar::SaveState(LPCSTR lpszSection, LPCSTR lpszEntry)
{
    if (m_hWnd == nullptr)
        return FALSE;
    std::vector<BYTE> layout;
    GetLayout(layout);
    if (!m_bHasDefaultLayout)
    {
        m_defaultLayout = layout;
        m_bHasDefaultLayout = TRUE;
    }
    CMemFile file(1024);
    {
        CArchive ar(&file, CArchive::store, 512);
        ar << static_cast<DWORD>(CUXCrc32::Compute(m_defaultLayout.data(), m_defaultLayout.size()));
        ar.WriteCount(static_cast<DWORD>(layout.size()));
        ar.Write(layout.data(), static_cast<UINT>(layout.size()));
        ar.Close();
    }
    std::vector<BYTE> value = CUXCrc32::Seal(file.GetData(), file.GetLength());
    CUXSettingsStore store(HKEY_CURRENT_USER);
    return store.WriteProfileBinary(lpszSection, lpszEntry, value.data(), static_cast<UINT>(value.size()));
}

BOOL CUXToolBar::LoadState(LPCSTR lpszSection, LPCSTR lpszEntry)
{
    if (m_hWnd == nullptr)
        return FALSE;
    if (!m_bHasDefaultLayout)
    {
        GetLayout(m_defaultLayout);
        m_bHasDefaultLayout = TRUE;
    }
    std::vector<BYTE> value;
    if (!CUXSettingsStore(HKEY_CURRENT_USER).GetProfileBinary(lpszSection, lpszEntry, value) ||
        !CUXCrc32::IsSealed(value.data(), value.size()))
        return FALSE;
    const BYTE* data = value.data();
    UINT size = static_cast<UINT>(value.size());
    CMemFile file(data + 4, size - 4);
    CArchive ar(&file, CArchive::load);
    DWORD defaultCrc = 0;
    ar >> defaultCrc;
    if (!ar.IsOK() || defaultCrc != CUXCrc32::Compute(m_defaultLayout.data(), m_defaultLayout.size()))
        return FALSE;   // saved for another default layout
    DWORD length = ar.ReadCount();
    if (!ar.IsOK() || length == 0 || length > size - 4)
        return FALSE;
    std::vector<BYTE> layout(length);
    if (ar.Read(layout.data(), length) != length || !ar.IsOK())
        return FALSE;
    return ApplyLayout(layout.data(), length);
}

void CUXToolBar::ConfirmReset()
{
    CString text;
    AfxLoadString(IDS_UX_RESET_TOOLBAR, text, uxAfxData.m_hResourceModule);
    CWnd* focus = CWnd::GetFocus();
    if ((focus != nullptr ? focus : this)->MessageBox(text, nullptr, MB_YESNO | MB_ICONEXCLAMATION) == IDYES)
        ResetLayout();
}

void CUXToolBar::ResetLayout()
{
    if (m_hWnd == nullptr || !m_bHasDefaultLayout)
        return;
    ShowHiddenByFit();
    ApplyLayout(m_defaultLayout.data(), static_cast<UINT>(m_defaultLayout.size()));
    if (m_pCustomizer != nullptr)
        m_pCustomizer->Reset();
    PositionControls();
    Layout();
    RequestRelayout();
}

void CUXToolBar::EnableDocking(DWORD dwDockStyle)
{
    if (m_bCustomizable)
        LoadState("Settings", m_strStateEntry);
    CUXControlBar::EnableDocking(dwDockStyle);
}

// ---- customize mode: the mouse goes to the customizer first -----------------------------------------------

LRESULT CUXToolBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_WINDOWPOSCHANGED && m_bOriginal)
    {
        // The customize dialog's list of bars follows the bar's visibility.
        const WINDOWPOS* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
        if (pos != nullptr && (pos->flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW)))
            GetCustomizeCenter().NotifyBarShown(this, (pos->flags & SWP_SHOWWINDOW) != 0);
    }
    if (m_pCustomizer != nullptr && message >= WM_MOUSEFIRST && message <= WM_MOUSELAST &&
        m_pCustomizer->HandleMouse(message, wParam, lParam))
        return 0;
    return CUXControlBar::WindowProc(message, wParam, lParam);
}

// ---- the common control's own customize dialog ------------------------------------------------------------

void CUXToolBar::OnBeginAdjust(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    if (!m_bCustomizable || m_bIgnoreCustomizeDialog)
        return;
    ShowHiddenByFit();
    m_bCustomizeDialog = TRUE;
    RequestRelayout();
}

void CUXToolBar::OnEndAdjust(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    if (!m_bCustomizable || m_bIgnoreCustomizeDialog)
        return;
    m_bCustomizeDialog = FALSE;
    if (!m_strStateEntry.IsEmpty())
        SaveState("Settings", m_strStateEntry);
}

void CUXToolBar::OnQueryInsert(NMHDR*, LRESULT* pResult)
{
    *pResult = TRUE;
}

void CUXToolBar::OnQueryDelete(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMTOOLBARA* notify = reinterpret_cast<NMTOOLBARA*>(pNMHDR);
    int nID = notify->tbButton.idCommand;
    *pResult = !(nID != 0 && SendMessage(TB_ISBUTTONHIDDEN, static_cast<WPARAM>(nID)));
}

void CUXToolBar::OnGetButtonInfo(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = FALSE;
    NMTOOLBARA* notify = reinterpret_cast<NMTOOLBARA*>(pNMHDR);
    StoredLayout layout;
    if (!m_bHasDefaultLayout)
    {
        GetLayout(m_defaultLayout);
        m_bHasDefaultLayout = TRUE;
    }
    if (!layout.Read(m_defaultLayout.data(), static_cast<UINT>(m_defaultLayout.size())) || notify->iItem < 0 ||
        notify->iItem >= static_cast<int>(layout.buttons.size()))
        return;
    notify->tbButton = layout.buttons[static_cast<size_t>(notify->iItem)].button;
    UINT nID = static_cast<UINT>(notify->tbButton.idCommand);
    auto text = m_buttonTexts.find(nID);
    CString label = text != m_buttonTexts.end() ? text->second : CommandStringText(nID);
    if (notify->pszText != nullptr && notify->cchText > 0)
    {
        std::strncpy(notify->pszText, label.GetString(), static_cast<size_t>(notify->cchText) - 1);
        notify->pszText[notify->cchText - 1] = 0;
    }
    *pResult = TRUE;
}

void CUXToolBar::OnReset(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    ConfirmReset();
}

void CUXToolBar::OnToolBarChange(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    BOOL floating = (m_dwStyle & CBRS_FLOATING) != 0;
    DWORD mode = LM_COMMIT;
    if (floating && (m_dwStyle & CBRS_SIZE_DYNAMIC))
        mode |= LM_MRUWIDTH;
    else
        mode |= IsHorizontalLayout() ? (LM_HORZ | LM_HORZDOCK) : LM_VERTDOCK;
    m_bDirty = TRUE;
    RebuildRecords();
    CalcDynamicLayout(-1, mode);
    PositionControls();
    CFrameWnd* frame = GetParentFrame();
    if (frame != nullptr)
        frame->DelayRecalcLayout();
}

void CUXToolBar::OnHotItemChange(NMHDR*, LRESULT* pResult)
{
    // While the common control's customize dialog runs, the hot button stays while the left button is held.
    *pResult = m_bCustomizeDialog && ::GetKeyState(VK_LBUTTON) < 0 ? 1 : 0;
}

void CUXToolBar::OnCustHelp(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    MessageBox("Help not implemented!", nullptr, MB_OK | MB_ICONINFORMATION);
}

// ---- the buttons hidden to fit ----------------------------------------------------------------------------

std::vector<int> CUXToolBar::GetHiddenButtons() const
{
    std::vector<int> hidden;
    for (const auto& entry : m_hiddenByFit)
        hidden.push_back(entry.first);
    return hidden;
}
