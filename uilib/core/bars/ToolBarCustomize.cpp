// CUXToolBar: taking part in customization: registration, command records, customize mode and the common
// control's own customize dialog.
#include "uilib/core/bars/ToolBar.h"

#include "uilib/core/bars/CommandImageMap.h"
#include "resources/uilib/UilibResources.h"
#include "uilib/core/base/GlobalData.h"
#include "uilib/core/bars/ToolBarCustomizer.h"
#include "uilib/core/bars/ToolBarInternal.h"

#include <algorithm>
#include <cstring>

using namespace ToolBarInternal;

namespace
{
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
