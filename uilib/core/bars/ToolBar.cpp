// CUXToolBar: the resource, creation, buttons, owner and control windows.
#include "uilib/core/bars/ToolBar.h"

#include "uilib/core/bars/CommandImageMap.h"
#include "uilib/core/base/GlobalData.h"
#include "uilib/core/base/LibraryIds.h"
#include "uilib/core/bars/ToolBarCustomizer.h"
#include "uilib/core/bars/ToolBarInternal.h"

#include <algorithm>
#include <cstring>

using namespace ToolBarInternal;

namespace
{
const UINT RT_TOOLBAR_TYPE = 241;
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
