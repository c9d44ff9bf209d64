// CUXToolBar: the stored layout of its buttons, its checksum and its default.
#include "uilib/core/bars/ToolBar.h"

#include "resources/uilib/UilibResources.h"
#include "uilib/core/base/Crc32.h"
#include "uilib/core/base/GlobalData.h"
#include "uilib/core/base/SettingsStore.h"
#include "uilib/core/bars/ToolBarCustomizer.h"
#include "uilib/core/bars/ToolBarInternal.h"

using namespace ToolBarInternal;

// ---- reading a stored layout ------------------------------------------------------------------------------

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

}   // namespace

BOOL ToolBarInternal::StoredLayout::Read(const BYTE* data, UINT size)
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
