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
