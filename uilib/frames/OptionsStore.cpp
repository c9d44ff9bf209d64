#include "uilib/frames/OptionsStore.h"

#include "uilib/core/base/GlobalData.h"
#include "uilib/core/base/SettingsStore.h"

#include <cstring>
#include <memory>
#include <vector>

namespace
{
const char kSettingsSection[] = "Settings";
const char kOptionsEntry[] = "Options";

// The look-data switch of each option, in stored order.
BOOL CUXGlobalData::*const kSwitches[CUXOptionsStore::kOptionCount] = {
    &CUXGlobalData::m_bDocking,  &CUXGlobalData::m_bMenuShadows,       &CUXGlobalData::m_bMenuHideRarelyUsed,
    &CUXGlobalData::m_bToolTips, &CUXGlobalData::m_bMenuDelayedExpand, &CUXGlobalData::m_bShortcutsInTips,
};
}   // namespace

CUXOptionsStore& GetOptionsStore()
{
    static std::unique_ptr<CUXOptionsStore> store(new CUXOptionsStore);
    return *store;
}

CUXOptionsStore::CUXOptionsStore() : m_values(FromLookData())
{
}

CUXOptionsStore::~CUXOptionsStore()
{
    Commit();
}

CUXOptionsStore::Values CUXOptionsStore::FromLookData()
{
    Values values;
    for (int i = 0; i < kOptionCount; ++i)
        values.option[i] = uxAfxData.*kSwitches[i] ? 1 : 0;
    return values;
}

void CUXOptionsStore::ApplyToLookData(const Values& values)
{
    for (int i = 0; i < kOptionCount; ++i)
        uxAfxData.*kSwitches[i] = values.option[i] != 0;
}

BOOL CUXOptionsStore::Load()
{
    std::vector<BYTE> data;
    BOOL valid = CUXSettingsStore().GetProfileBinary(kSettingsSection, kOptionsEntry, data) &&
                 data.size() == sizeof(Values);
    Values read = {};
    if (valid)
    {
        std::memcpy(&read, data.data(), sizeof(Values));
        for (uint8_t option : read.option)
            valid = valid && option <= 1;
    }
    if (!valid)
    {
        // Whatever else is stored there was not written by us: the look data stays as it is.
        m_values = FromLookData();
        return FALSE;
    }
    m_values = read;
    ApplyToLookData(m_values);
    return TRUE;
}

BOOL CUXOptionsStore::Save()
{
    ApplyToLookData(m_values);
    return CUXSettingsStore().WriteProfileBinary(kSettingsSection, kOptionsEntry, m_values.option, sizeof(Values));
}

BOOL CUXOptionsStore::Commit()
{
    BOOL done = TRUE;
    if (m_bReset)
    {
        done = CUXSettingsStore().DeleteProfileValue(kSettingsSection, kOptionsEntry);
        if (done)
            m_bReset = 0;
    }
    else if (m_bDirty)
        done = Save();
    m_bDirty = 0;
    return done;
}

void CUXOptionsStore::Set(const BYTE values[kOptionCount])
{
    if (values == nullptr)
        return;
    for (int i = 0; i < kOptionCount; ++i)
        m_values.option[i] = values[i] != 0 ? 1 : 0;
    m_bDirty = 1;
}
