#include "uilib/core/CustomizeCenter.h"

#include "uilib/core/LibraryIds.h"

#include <algorithm>
#include <memory>

CUXCustomizeCenter& GetCustomizeCenter()
{
    static std::unique_ptr<CUXCustomizeCenter> center(new CUXCustomizeCenter);
    return *center;
}

CUXCustomizeCenter::CUXCustomizeCenter() = default;

CUXCustomizeCenter::~CUXCustomizeCenter() = default;

void CUXCustomizeCenter::Register(CallbackKind kind, CUXCustomizeListener* listener)
{
    if (kind < 0 || kind >= kCallbackKinds || listener == nullptr)
        return;
    std::vector<CUXCustomizeListener*>& list = m_listeners[kind];
    if (std::find(list.begin(), list.end(), listener) == list.end())
        list.push_back(listener);
}

void CUXCustomizeCenter::Unregister(CallbackKind kind, CUXCustomizeListener* listener)
{
    if (kind < 0 || kind >= kCallbackKinds)
        return;
    std::vector<CUXCustomizeListener*>& list = m_listeners[kind];
    list.erase(std::remove(list.begin(), list.end(), listener), list.end());
    if (list.empty())
        std::vector<CUXCustomizeListener*>().swap(list);   // an empty kind holds no storage
}

BOOL CUXCustomizeCenter::IsRegistered(const CUXCustomizeListener* listener) const
{
    for (const std::vector<CUXCustomizeListener*>& list : m_listeners)
        if (std::find(list.begin(), list.end(), listener) != list.end())
            return TRUE;
    return FALSE;
}

int CUXCustomizeCenter::GetCount(CallbackKind kind) const
{
    return kind >= 0 && kind < kCallbackKinds ? static_cast<int>(m_listeners[kind].size()) : 0;
}

BOOL CUXCustomizeCenter::FindCommandImages(UINT nID, CUXCommandImageMap& images) const
{
    BOOL found = FALSE;
    ForEach(kCommandImages, [&](CUXCustomizeListener& l) { return found = l.OnCommandImages(nID, images); });
    return found;
}

void CUXCustomizeCenter::DescribeBars(CUXCommandCategories& bars) const
{
    ForEach(kBarDescription, [&](CUXCustomizeListener& l) { l.OnDescribeBar(bars); return false; });
}

HMENU CUXCustomizeCenter::FindCommandPopup(UINT nPopupID) const
{
    HMENU popup = nullptr;
    ForEach(kCommandPopup, [&](CUXCustomizeListener& l) { return (popup = l.OnCommandPopup(nPopupID)) != nullptr; });
    return popup;
}

void CUXCustomizeCenter::CollectCommandCategories(CUXCommandCategories& categories) const
{
    ForEach(kCommandCategories, [&](CUXCustomizeListener& l) { l.OnAddCommandCategories(categories); return false; });
}

void CUXCustomizeCenter::CollectBarDescriptors(std::vector<CUXBarDescriptor>& descriptors) const
{
    ForEach(kBarDescriptors, [&](CUXCustomizeListener& l) { l.OnAddBarDescriptors(descriptors); return false; });
}

void CUXCustomizeCenter::CollectCustomizeWindows(std::vector<HWND>& windows) const
{
    ForEach(kCustomizeStart, [&](CUXCustomizeListener& l) { l.OnNameCustomizeWindows(windows); return false; });
}

void CUXCustomizeCenter::NotifySelectionChange(int nID, HWND holder) const
{
    ForEach(kSelectionChange, [&](CUXCustomizeListener& l) { l.OnSelectionChange(nID, holder); return false; });
}

void CUXCustomizeCenter::NotifyAllowWindow(HWND hWnd) const
{
    ForEach(kAllowWindow, [&](CUXCustomizeListener& l) { l.OnAllowWindow(hWnd); return false; });
}

void CUXCustomizeCenter::NotifyDisallowWindow(HWND hWnd) const
{
    ForEach(kDisallowWindow, [&](CUXCustomizeListener& l) { l.OnDisallowWindow(hWnd); return false; });
}

void CUXCustomizeCenter::NotifyBarAdded(const CUXBarDescriptor& descriptor) const
{
    ForEach(kBarAdded, [&](CUXCustomizeListener& l) { l.OnBarAdded(descriptor); return false; });
}

void CUXCustomizeCenter::NotifyBarShown(CControlBar* pBar, BOOL shown) const
{
    ForEach(kBarShown, [&](CUXCustomizeListener& l) { l.OnBarShown(pBar, shown); return false; });
}

void CUXCustomizeCenter::NotifyBarRenamed(CControlBar* pBar) const
{
    ForEach(kBarRenamed, [&](CUXCustomizeListener& l) { l.OnBarRenamed(pBar); return false; });
}

void CUXCustomizeCenter::NotifyBarRemoved(CControlBar* pBar) const
{
    ForEach(kBarRemoved, [&](CUXCustomizeListener& l) { l.OnBarRemoved(pBar); return false; });
}

BOOL CUXCustomizeCenter::IsCustomizableCommand(UINT nID) const
{
    if (nID >= ID_FILE_MRU_FILE1 && nID <= ID_FILE_MRU_FILE16)
        return FALSE;
    if (nID >= 0xFF00 && nID <= 0xFF08)   // the window-list commands of MDI frames
        return FALSE;
    return nID != ID_UX_FULL_MENUS;
}

BOOL CUXCustomizeCenter::BeginSaving()
{
    if (m_bSaving)
        return FALSE;
    m_bSaving = TRUE;   // the listeners see it on
    ForEach(kSavingStartEnd, [](CUXCustomizeListener& l) { l.OnSaving(TRUE); return false; });
    return TRUE;
}

void CUXCustomizeCenter::EndSaving()
{
    m_bSaving = FALSE;
    ForEach(kSavingStartEnd, [](CUXCustomizeListener& l) { l.OnSaving(FALSE); return false; });
}

// ---- registrations ----------------------------------------------------------------------------------------

void CUXCustomizeRegistration::Add(CUXCustomizeCenter::CallbackKind kind)
{
    GetCustomizeCenter().Register(kind, m_pListener);
    m_kinds |= 1u << kind;
}

void CUXCustomizeRegistration::Remove(CUXCustomizeCenter::CallbackKind kind)
{
    if ((m_kinds & (1u << kind)) == 0)
        return;
    GetCustomizeCenter().Unregister(kind, m_pListener);
    m_kinds &= ~(1u << kind);
}

void CUXCustomizeRegistration::Set(BOOL on, std::initializer_list<CUXCustomizeCenter::CallbackKind> kinds)
{
    for (CUXCustomizeCenter::CallbackKind kind : kinds)
    {
        if (on)
            Add(kind);
        else
            Remove(kind);
    }
}

void CUXCustomizeRegistration::Clear()
{
    for (int kind = 0; m_kinds != 0 && kind < CUXCustomizeCenter::kCallbackKinds; ++kind)
        Remove(static_cast<CUXCustomizeCenter::CallbackKind>(kind));
}

// ---- command records --------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CUXCommandRecord, CObject)

CUXCommandRecord::~CUXCommandRecord()
{
    SetIcons(nullptr, nullptr);
    SetButtonData(nullptr);
}

void CUXCommandRecord::SetIcons(HICON icon, HICON icon2)
{
    if (m_hIcon != nullptr && m_hIcon != icon && m_hIcon != icon2)
        ::DestroyIcon(m_hIcon);
    if (m_hIcon2 != nullptr && m_hIcon2 != m_hIcon && m_hIcon2 != icon && m_hIcon2 != icon2)
        ::DestroyIcon(m_hIcon2);
    m_hIcon = icon;
    m_hIcon2 = icon2;
}

void CUXCommandRecord::SetButtonData(const CUXToolButtonData* data)
{
    if (m_bOwnsButtonData)
        delete m_pButtonData;
    m_pButtonData = data != nullptr ? new CUXToolButtonData(*data) : nullptr;
    m_bOwnsButtonData = m_pButtonData != nullptr;
}

std::unique_ptr<CUXCommandRecord> CUXCommandRecord::Clone() const
{
    std::unique_ptr<CUXCommandRecord> copy(new CUXCommandRecord);
    copy->m_strText = m_strText;
    copy->m_nID = m_nID;
    copy->m_strDescription = m_strDescription;
    copy->m_nOwnerValue = m_nOwnerValue;
    copy->SetIcons(m_hIcon != nullptr ? ::CopyIcon(m_hIcon) : nullptr, nullptr);
    copy->SetButtonData(m_pButtonData);
    return copy;
}

IMPLEMENT_DYNAMIC(CUXCommandCategory, CObject)

CUXCommandRecord* CUXCommandCategory::Find(UINT nID) const
{
    for (const std::unique_ptr<CUXCommandRecord>& record : m_commands)
        if (record != nullptr && static_cast<UINT>(record->m_nID) == nID)
            return record.get();
    return nullptr;
}

CUXCommandRecord* CUXCommandCategory::Add(std::unique_ptr<CUXCommandRecord> record)
{
    if (record == nullptr)
        return nullptr;
    m_commands.push_back(std::move(record));
    return m_commands.back().get();
}

std::unique_ptr<CUXCommandRecord> CUXCustomizeCenter::FindCommandRecord(UINT nID) const
{
    if (nID == 0)
        return nullptr;
    CUXCommandCategories categories;
    CollectCommandCategories(categories);
    for (const std::unique_ptr<CUXCommandCategory>& category : categories)
        if (CUXCommandRecord* record = category != nullptr ? category->Find(nID) : nullptr)
            return record->Clone();
    return nullptr;
}

void CUXCustomizeCenter::SwitchCustomizeMode(BOOL on)
{
    m_bCustomizeMode = on;
    ForEach(kCustomizableBars, [on](CUXCustomizeListener& l) { l.OnCustomizeMode(on); return false; });
}
