// The tool bar's customization: its stored layout, customize mode with the mouse, command records, and the
// common control's own customize notifications.
#include "uilib/core/ToolBar.h"

#include "resources/uilib/UilibResources.h"
#include "uilib/core/Crc32.h"
#include "uilib/core/CustomizeCenter.h"
#include "uilib/core/GlobalData.h"
#include "uilib/core/LookPainters.h"
#include "uilib/core/SettingsStore.h"
#include "uilib/core/ToolBarCustomizer.h"
#include "uilib/core/ToolBarParts.h"

#include <algorithm>
#include <climits>
#include <cstring>

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

BOOL IsSeparator(const TBBUTTON& button)
{
    return (button.fsStyle & TBSTYLE_SEP) != 0;
}

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
    GetCustomizeCenter().SetRegistered(
        on, this,
        {{CUXCustomizeCenter::kCustomizableBars, &CUXToolBar::SwitchCustomizeModeCallback},
         {CUXCustomizeCenter::kCustomizeStart, &CUXToolBar::NameCustomizeWindow}});
    if (m_hWnd != nullptr)
    {
        m_bDirty = TRUE;
        RequestRelayout();   // the chevron shows for a customizable bar
    }
}

LRESULT CUXToolBar::NameCustomizeWindow(void* object, WPARAM wParam, LPARAM lParam)
{
    // The customize dialog lets the mouse through to a customizable bar, so that commands reach it.
    CUXToolBar* bar = static_cast<CUXToolBar*>(object);
    if (wParam != 0 && bar->m_hWnd != nullptr)
        reinterpret_cast<UXCustomizeCallback>(wParam)(reinterpret_cast<void*>(lParam),
                                                      reinterpret_cast<WPARAM>(bar->m_hWnd), 0);
    return 0;
}

LRESULT CUXToolBar::ProvideBarDescriptor(void* object, WPARAM, LPARAM lParam)
{
    if (auto* descriptors = reinterpret_cast<std::vector<CUXBarDescriptor>*>(lParam))
    {
        CUXBarDescriptor descriptor;
        static_cast<CUXToolBar*>(object)->GetCustomizeDescriptor(descriptor);
        descriptors->push_back(descriptor);
    }
    return 0;
}

LRESULT CUXToolBar::SwitchCustomizeModeCallback(void* object, WPARAM wParam, LPARAM)
{
    static_cast<CUXToolBar*>(object)->SwitchCustomizeMode(wParam != 0);
    return 0;
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
    descriptor.pResetContext = this;
    descriptor.pfnReset = [](void* context) { static_cast<CUXToolBar*>(context)->ConfirmReset(); };
}

// ---- command records --------------------------------------------------------------------------------------

CUXCommandRecord* CUXToolBar::FindCommandRecord(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return nullptr;
    TBBUTTON button = GetButton(nIndex);
    if (IsSeparator(button))
        return nullptr;
    return GetCustomizeCenter().FindCommandRecord(static_cast<UINT>(button.idCommand));
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
    record->m_nID = button.idCommand;
    auto text = m_buttonTexts.find(nID);
    record->m_strText = text != m_buttonTexts.end() ? text->second : CommandStringText(nID);
    CString whole;
    if (AfxLoadString(nID, whole))
        record->m_strDescription = whole.Find('\n') >= 0 ? whole.Left(whole.Find('\n')) : whole;
    HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessage(TB_GETIMAGELIST));
    HIMAGELIST hot = reinterpret_cast<HIMAGELIST>(SendMessage(TB_GETHOTIMAGELIST));
    if (images != nullptr && button.iBitmap >= 0 && button.iBitmap < ::ImageList_GetImageCount(images))
        record->SetIcons(::ImageList_GetIcon(images, button.iBitmap, ILD_NORMAL),
                         hot != nullptr && button.iBitmap < ::ImageList_GetImageCount(hot)
                             ? ::ImageList_GetIcon(hot, button.iBitmap, ILD_NORMAL)
                             : nullptr);
    record->SetButtonData(GetButtonData(nIndex));
    return record;
}

int CUXToolBar::FindCommandImage(UINT nID) const
{
    HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessage(TB_GETIMAGELIST));
    int count = images != nullptr ? ::ImageList_GetImageCount(images) : 0;
    for (int i = 0; i < GetCount(); ++i)
    {
        TBBUTTON button = GetButton(i);
        if (!IsSeparator(button) && static_cast<UINT>(button.idCommand) == nID && button.iBitmap >= 0 &&
            button.iBitmap < count)
            return button.iBitmap;
    }
    auto former = m_formerImages.find(nID);
    return former != m_formerImages.end() && former->second < count ? former->second : -1;
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
    UINT nID = static_cast<UINT>(record.m_nID);
    // The text goes with the layout; a bar that shows texts beside its images shows it.
    if (!record.m_strText.IsEmpty())
    {
        if (GetStyle() & TBSTYLE_LIST)
            SetButtonText(nIndex, record.m_strText);
        else
            m_buttonTexts[nID] = record.m_strText;
        button = GetButton(nIndex);
    }
    int image = FindCommandImage(nID);
    if (image < 0)
        image = AppendImage(record.m_hIcon, record.m_hIcon2);
    button.iBitmap = image >= 0 ? image : I_IMAGENONE;
    SetButton(nIndex, button);
    return TRUE;
}

BOOL CUXToolBar::InsertCommand(const CUXCommandRecord& record, int nIndex)
{
    if (m_hWnd == nullptr || record.m_nID == 0)
        return FALSE;
    nIndex = std::max(0, std::min(nIndex, GetCount()));
    UINT nID = static_cast<UINT>(record.m_nID);
    TBBUTTON button = {};
    button.idCommand = record.m_nID;
    button.fsState = TBSTATE_ENABLED;
    button.fsStyle = TBSTYLE_BUTTON;
    button.iBitmap = I_IMAGENONE;
    button.iString = -1;
    if (record.m_pButtonData != nullptr)
    {
        std::unique_ptr<CUXToolButtonData>& data = m_buttonData[nID];
        data.reset(new CUXToolButtonData(*record.m_pButtonData));
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
        CUXCommandRecord* record = GetCustomizeCenter().FindCommandRecord(nID);
        int index = CommandToIndex(nID);
        if (record == nullptr && index >= 0)
            record = MakeCommandRecord(index);
        if (record == nullptr)
        {
            record = new CUXCommandRecord;
            record->m_nID = static_cast<int>(nID);
            record->m_strText = CommandStringText(nID);
        }
        category->Add(record);
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

    // The images the bar has by command, and those the providers know for the others.
    std::map<UINT, int> own;
    for (const StoredButton& stored : layout.buttons)
    {
        UINT nID = static_cast<UINT>(stored.button.idCommand);
        int image = IsSeparator(stored.button) ? -1 : FindCommandImage(nID);
        if (image >= 0)
            own[nID] = image;
    }
    CUXCommandImageMap gathered;
    for (const StoredButton& stored : layout.buttons)
    {
        UINT nID = static_cast<UINT>(stored.button.idCommand);
        HICON icon = nullptr;
        HICON hot = nullptr;
        if (!IsSeparator(stored.button) && own.find(nID) == own.end() && !gathered.Lookup(nID, icon, hot))
            GetCustomizeCenter().CallUntilAnswer(CUXCustomizeCenter::kCommandImages, nID,
                                                 reinterpret_cast<LPARAM>(&gathered));
    }

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
            HICON icon = nullptr;
            HICON hot = nullptr;
            if (commandPopup)
            {
            }
            else if (own.find(nID) != own.end())
            {
                if (button.iBitmap < 0)
                    button.iBitmap = own[nID];
            }
            else if (gathered.Lookup(nID, icon, hot))
            {
                int image = AppendImage(icon, hot);
                button.iBitmap = image >= 0 ? image : I_IMAGENONE;
                own[nID] = button.iBitmap;
            }
            else
                button.iBitmap = I_IMAGENONE;
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
            GetCustomizeCenter().CallAll(CUXCustomizeCenter::kBarShown, reinterpret_cast<WPARAM>(this),
                                         (pos->flags & SWP_SHOWWINDOW) != 0);
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

// ---- CUXToolBarCustomizer ---------------------------------------------------------------------------------

CUXToolBarCustomizer::CUXToolBarCustomizer(CUXToolBar* pBar) : m_pBar(pBar)
{
    m_pBar->AddPaintCallback(this, &CUXToolBarCustomizer::PaintCallback);
    CUXCustomizeCenter& center = GetCustomizeCenter();
    center.Register(CUXCustomizeCenter::kSelectionChange, this, &CUXToolBarCustomizer::OnSelectionChange);
    center.Register(CUXCustomizeCenter::kDropTargets, this, &CUXToolBarCustomizer::AddDropTarget);
}

CUXToolBarCustomizer::~CUXToolBarCustomizer()
{
    m_pBar->RemovePaintCallback(this);
    GetCustomizeCenter().RemoveWindow(this);
}

LRESULT CUXToolBarCustomizer::OnSelectionChange(void* object, WPARAM, LPARAM lParam)
{
    // Another window took the selection.
    CUXToolBarCustomizer* self = static_cast<CUXToolBarCustomizer*>(object);
    if (reinterpret_cast<HWND>(lParam) != self->m_pBar->m_hWnd && self->m_nSelected >= 0)
    {
        self->InvalidateButton(self->m_nSelected);
        self->m_nSelected = -1;
    }
    return 0;
}

LRESULT CUXToolBarCustomizer::AddDropTarget(void* object, WPARAM, LPARAM lParam)
{
    CPtrArray* targets = reinterpret_cast<CPtrArray*>(lParam);
    if (targets != nullptr)
        targets->Add(static_cast<CUXCommandDropTarget*>(static_cast<CUXToolBarCustomizer*>(object)));
    return 0;
}

void CUXToolBarCustomizer::InvalidateButton(int index)
{
    if (index < 0 || m_pBar->m_hWnd == nullptr)
        return;
    CRect rect;
    m_pBar->GetItemRect(index, &rect);
    rect.InflateRect(2, 2);
    m_pBar->InvalidateRect(&rect);
}

void CUXToolBarCustomizer::Select(int index)
{
    if (index == m_nSelected)
        return;
    InvalidateButton(m_nSelected);
    m_nSelected = index;
    InvalidateButton(m_nSelected);
    UINT nID = index >= 0 ? m_pBar->GetItemID(index) : static_cast<UINT>(-1);
    GetCustomizeCenter().CallAll(CUXCustomizeCenter::kSelectionChange, nID,
                                 reinterpret_cast<LPARAM>(m_pBar->m_hWnd));
}

void CUXToolBarCustomizer::Reset()
{
    InvalidateButton(m_nSelected);
    m_nSelected = -1;
    SetMark(-1, CRect());
    m_bDragging = FALSE;
    m_bDropping = FALSE;
}

BOOL CUXToolBarCustomizer::HandleMouse(UINT message, WPARAM, LPARAM lParam)
{
    CPoint point(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    switch (message)
    {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    {
        int hit = static_cast<int>(m_pBar->SendMessage(TB_HITTEST, 0, reinterpret_cast<LPARAM>(&point)));
        if (hit < 0 || hit >= m_pBar->GetCount() || IsSeparator(m_pBar->GetButton(hit)))
        {
            Select(-1);
            return TRUE;   // nothing on the bar reacts in customize mode
        }
        if (hit == m_nSelected)
        {
            StartDrag(hit);
            return TRUE;
        }
        Select(hit);
        m_pBar->SetCapture();
        m_pBar->UpdateWindow();
        CPoint screen = point;
        m_pBar->ClientToScreen(&screen);
        // Only a button really held down can start a drag (DragDetect waits for the mouse).
        BOOL drag = ::GetKeyState(VK_LBUTTON) < 0 && ::DragDetect(m_pBar->m_hWnd, screen);
        if (CWnd::GetCapture() == m_pBar)
            ::ReleaseCapture();
        if (drag)
            StartDrag(hit);
        return TRUE;
    }
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK: return TRUE;   // the buttons stay as they are
    default: return FALSE;
    }
}

void CUXToolBarCustomizer::StartDrag(int index)
{
    std::unique_ptr<CUXCommandRecord> record(m_pBar->FindCommandRecord(index));
    if (record == nullptr)
        record.reset(m_pBar->MakeCommandRecord(index));
    if (record == nullptr)
        return;
    CRect rect;
    m_pBar->GetItemRect(index, &rect);
    CPoint middle = rect.CenterPoint();
    if (m_pBar->IsHorizontalLayout())
        rect.left = rect.right = middle.x;
    else
        rect.top = rect.bottom = middle.y;
    rect.InflateRect(1, 1);
    m_rcDrag = rect;
    m_bDragging = TRUE;
    m_bDroppedHere = FALSE;
    m_nInsertedAt = -1;
    CUXToolBar* bar = m_pBar;
    BOOL moved = GetCustomizeCenter().TrackCommandDrag(bar, TRUE, *record);
    // The customizer may have gone with customize mode while the drag ran.
    if (bar->GetCustomizer() != this)
        return;
    m_bDragging = FALSE;
    if (moved && !m_bDroppedHere)
    {
        int old = index;
        if (m_nInsertedAt >= 0 && m_nInsertedAt <= old)
            ++old;
        bar->RemoveButton(old);
        Select(-1);
    }
    m_rcDrag.SetRectEmpty();
}

int CUXToolBarCustomizer::FindInsertion(CPoint point, CRect& mark) const
{
    mark.SetRectEmpty();
    CRect client;
    m_pBar->GetClientRect(&client);
    BOOL vertical = m_pBar->IsDockedVert() && !(m_pBar->GetBarStyle() & CBRS_FLOATING);
    int best = -1;
    long long bestDistance = LLONG_MAX;
    CRect bestRect;
    for (int i = 0; i < m_pBar->GetCount(); ++i)
    {
        TBBUTTON button = m_pBar->GetButton(i);
        if (button.fsState & TBSTATE_HIDDEN)
            continue;
        CRect rect;
        m_pBar->GetItemRect(i, &rect);
        if (rect.IsRectEmpty())
            continue;
        CPoint centre = rect.CenterPoint();
        long long dx = point.x - centre.x;
        long long dy = point.y - centre.y;
        long long distance = dx * dx + dy * dy;
        if (distance < bestDistance)
        {
            bestDistance = distance;
            best = i;
            bestRect = rect;
        }
    }
    if (best < 0)
    {
        CSize size = m_pBar->GetButtonSize();
        mark = vertical ? CRect(0, 0, size.cx, 4) : CRect(0, 0, 4, size.cy);
        return 0;
    }
    int index = best;
    if (!vertical)
    {
        BOOL before = std::abs(point.x - bestRect.left) < std::abs(point.x - bestRect.right);
        int edge = before ? bestRect.left : bestRect.right;
        index = before ? best : best + 1;
        mark = CRect(edge - 2, bestRect.top, edge + 2, bestRect.bottom);
    }
    else
    {
        BOOL before = std::abs(point.y - bestRect.top) < std::abs(point.y - bestRect.bottom);
        int edge = before ? bestRect.top : bestRect.bottom;
        index = before ? best : best + 1;
        mark = CRect(bestRect.left, edge - 2, bestRect.right, edge + 2);
    }
    // Inside the client area.
    if (mark.left < client.left)
        mark.OffsetRect(client.left - mark.left, 0);
    if (mark.right > client.right)
        mark.OffsetRect(client.right - mark.right, 0);
    if (mark.top < client.top)
        mark.OffsetRect(0, client.top - mark.top);
    if (mark.bottom > client.bottom)
        mark.OffsetRect(0, client.bottom - mark.bottom);
    CRect overlap;
    if (m_bDragging && overlap.IntersectRect(&mark, &m_rcDrag))
        mark.SetRectEmpty();
    return index;
}

void CUXToolBarCustomizer::SetMark(int insertAt, const CRect& mark)
{
    if (insertAt == m_nInsertAt && mark == m_rcMark)
        return;
    CRect old = m_rcMark;
    m_nInsertAt = insertAt;
    m_rcMark = mark;
    if (m_pBar->m_hWnd == nullptr)
        return;
    for (CRect rect : {old, mark})
        if (!rect.IsRectEmpty())
        {
            rect.InflateRect(4, 4);
            m_pBar->InvalidateRect(&rect);
        }
}

BOOL CUXToolBarCustomizer::HitTest(CPoint point)
{
    if (m_pBar->m_hWnd == nullptr || !m_pBar->IsWindowVisible())
        return FALSE;
    CRect window;
    m_pBar->GetWindowRect(&window);
    return window.PtInRect(point);
}

BOOL CUXToolBarCustomizer::OnDragEnter(const CUXCommandRecord& record, CPoint, BOOL&)
{
    m_bDropping = record.m_nID != 0 && GetCustomizeCenter().IsCustomizableCommand(static_cast<UINT>(record.m_nID));
    return m_bDropping;
}

void CUXToolBarCustomizer::OnDragOver(CPoint point)
{
    m_pBar->ScreenToClient(&point);
    CRect mark;
    int index = FindInsertion(point, mark);
    SetMark(mark.IsRectEmpty() ? -1 : index, mark);
    m_pBar->UpdateWindow();
}

void CUXToolBarCustomizer::OnDragLeave()
{
    m_bDropping = FALSE;
    SetMark(-1, CRect());
}

void CUXToolBarCustomizer::OnDrop(const CUXCommandRecord& record, CPoint point, BOOL move)
{
    m_pBar->ScreenToClient(&point);
    CRect mark;
    int index = FindInsertion(point, mark);
    SetMark(-1, CRect());
    m_bDropping = FALSE;
    if (mark.IsRectEmpty())
    {
        m_bDroppedHere = m_bDragging && move;   // on the dragged button itself: nothing changes
        return;
    }
    if (m_pBar->InsertCommand(record, index) && m_bDragging)
        m_nInsertedAt = index;
}

void CUXToolBarCustomizer::PaintCallback(void* object, CDC* dc)
{
    static_cast<CUXToolBarCustomizer*>(object)->Paint(dc);
}

void CUXToolBarCustomizer::Paint(CDC* dc)
{
    CBrush black(RGB(0, 0, 0));
    if (m_nSelected >= 0 && m_nSelected < m_pBar->GetCount())
    {
        CRect rect;
        m_pBar->GetItemRect(m_nSelected, &rect);
        dc->FrameRect(&rect, &black);
        rect.DeflateRect(1, 1);
        dc->FrameRect(&rect, &black);
    }
    if (m_rcMark.IsRectEmpty())
        return;
    // A bar 2 pixels thick along the edge, with serifs 6 and 4 pixels long at both ends.
    const COLORREF ink = RGB(0, 0, 0);
    if (m_rcMark.Height() > m_rcMark.Width())
    {
        int x = m_rcMark.left + 1;
        int top = m_rcMark.top;
        int bottom = m_rcMark.bottom;
        dc->FillSolidRect(x, top, 2, bottom - top, ink);
        dc->FillSolidRect(x - 2, top, 6, 1, ink);
        dc->FillSolidRect(x - 1, top + 1, 4, 1, ink);
        dc->FillSolidRect(x - 2, bottom - 1, 6, 1, ink);
        dc->FillSolidRect(x - 1, bottom - 2, 4, 1, ink);
    }
    else
    {
        int y = m_rcMark.top + 1;
        int left = m_rcMark.left;
        int right = m_rcMark.right;
        dc->FillSolidRect(left, y, right - left, 2, ink);
        dc->FillSolidRect(left, y - 2, 1, 6, ink);
        dc->FillSolidRect(left + 1, y - 1, 1, 4, ink);
        dc->FillSolidRect(right - 1, y - 2, 1, 6, ink);
        dc->FillSolidRect(right - 2, y - 1, 1, 4, ink);
    }
}

// ---- the buttons hidden to fit ----------------------------------------------------------------------------

std::vector<int> CUXToolBar::GetHiddenButtons() const
{
    std::vector<int> hidden;
    for (const auto& entry : m_hiddenByFit)
        hidden.push_back(entry.first);
    return hidden;
}
