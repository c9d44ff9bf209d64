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

void CUXCustomizeCenter::Register(CallbackKind kind, void* object, UXCustomizeCallback callback)
{
    if (kind < 0 || kind >= kCallbackKinds || callback == nullptr)
        return;
    std::vector<Registration>& list = m_callbacks[kind];
    for (const Registration& r : list)
        if (r.object == object && r.callback == callback)
            return;
    if (kind == kSavingStartEnd && list.empty() && object != this)
        list.push_back(Registration{this, &CUXCustomizeCenter::OnSavingStartEnd});
    list.push_back(Registration{object, callback});
}

void CUXCustomizeCenter::Unregister(CallbackKind kind, void* object, UXCustomizeCallback callback)
{
    if (kind < 0 || kind >= kCallbackKinds)
        return;
    std::vector<Registration>& list = m_callbacks[kind];
    list.erase(std::remove_if(list.begin(), list.end(),
                              [&](const Registration& r) { return r.object == object && r.callback == callback; }),
               list.end());
}

void CUXCustomizeCenter::SetRegistered(
    BOOL on, void* object, std::initializer_list<std::pair<CallbackKind, UXCustomizeCallback>> callbacks)
{
    for (const std::pair<CallbackKind, UXCustomizeCallback>& entry : callbacks)
    {
        if (on)
            Register(entry.first, object, entry.second);
        else
            Unregister(entry.first, object, entry.second);
    }
}

void CUXCustomizeCenter::RemoveWindow(void* object)
{
    for (std::vector<Registration>& list : m_callbacks)
    {
        list.erase(
            std::remove_if(list.begin(), list.end(), [&](const Registration& r) { return r.object == object; }),
            list.end());
        if (list.empty())
            std::vector<Registration>().swap(list);   // an empty kind holds no storage
    }
    // The manager's own start/end entry stays only while somebody else listens.
    std::vector<Registration>& saving = m_callbacks[kSavingStartEnd];
    if (saving.size() == 1 && saving[0].object == this)
        std::vector<Registration>().swap(saving);
}

BOOL CUXCustomizeCenter::IsRegistered(void* object) const
{
    for (const std::vector<Registration>& list : m_callbacks)
        for (const Registration& r : list)
            if (r.object == object)
                return TRUE;
    return FALSE;
}

int CUXCustomizeCenter::GetCount(CallbackKind kind) const
{
    return kind >= 0 && kind < kCallbackKinds ? static_cast<int>(m_callbacks[kind].size()) : 0;
}

LRESULT CUXCustomizeCenter::CallAll(CallbackKind kind, WPARAM wParam, LPARAM lParam) const
{
    if (kind < 0 || kind >= kCallbackKinds)
        return 0;
    // A callback may register or remove others: call a copy.
    std::vector<Registration> list = m_callbacks[kind];
    LRESULT sum = 0;
    for (const Registration& r : list)
        sum += r.callback(r.object, wParam, lParam);
    return sum;
}

LRESULT CUXCustomizeCenter::CallUntilAnswer(CallbackKind kind, WPARAM wParam, LPARAM lParam) const
{
    if (kind < 0 || kind >= kCallbackKinds)
        return 0;
    std::vector<Registration> list = m_callbacks[kind];
    for (const Registration& r : list)
        if (LRESULT answer = r.callback(r.object, wParam, lParam))
            return answer;
    return 0;
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
    CallAll(kSavingStartEnd, TRUE, 0);
    m_bSaving = TRUE;   // also without listeners
    return TRUE;
}

void CUXCustomizeCenter::EndSaving()
{
    CallAll(kSavingStartEnd, FALSE, 0);
    m_bSaving = FALSE;
}

LRESULT CUXCustomizeCenter::OnSavingStartEnd(void* object, WPARAM wParam, LPARAM)
{
    CUXCustomizeCenter* center = static_cast<CUXCustomizeCenter*>(object);
    center->m_bSaving = wParam != 0;
    return 0;
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

CUXCommandRecord* CUXCommandRecord::Clone() const
{
    CUXCommandRecord* copy = new CUXCommandRecord;
    copy->m_strText = m_strText;
    copy->m_nID = m_nID;
    copy->m_strDescription = m_strDescription;
    copy->m_nOwnerValue = m_nOwnerValue;
    copy->SetIcons(m_hIcon != nullptr ? ::CopyIcon(m_hIcon) : nullptr, nullptr);
    copy->SetButtonData(m_pButtonData);
    return copy;
}

void CUXOwnedPtrArray::DeleteAll()
{
    for (INT_PTR i = 0; i < GetSize(); ++i)
        delete static_cast<CObject*>(GetAt(i));
    RemoveAll();
}

IMPLEMENT_DYNAMIC(CUXCommandCategory, CObject)

CUXCommandRecord* CUXCommandCategory::Find(UINT nID) const
{
    for (INT_PTR i = 0; i < m_commands.GetSize(); ++i)
    {
        CUXCommandRecord* record = static_cast<CUXCommandRecord*>(m_commands.GetAt(i));
        if (record != nullptr && static_cast<UINT>(record->m_nID) == nID)
            return record;
    }
    return nullptr;
}

CUXCommandRecord* CUXCommandCategory::Add(CUXCommandRecord* record)
{
    if (record != nullptr)
        m_commands.Add(record);
    return record;
}

CUXCommandRecord* CUXCustomizeCenter::FindCommandRecord(UINT nID) const
{
    if (nID == 0)
        return nullptr;
    CUXOwnedPtrArray categories;
    CallAll(kCommandCategories, 0, reinterpret_cast<LPARAM>(&categories));
    for (INT_PTR i = 0; i < categories.GetSize(); ++i)
    {
        CUXCommandCategory* category = static_cast<CUXCommandCategory*>(categories.GetAt(i));
        if (CUXCommandRecord* record = category != nullptr ? category->Find(nID) : nullptr)
            return record->Clone();
    }
    return nullptr;
}

void CUXCustomizeCenter::SwitchCustomizeMode(BOOL on)
{
    m_bCustomizeMode = on;
    CallAll(kCustomizableBars, on, 0);
}
