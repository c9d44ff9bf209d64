// CUXOptionsStore: the six options of the customize dialog's options page, kept in the library's settings
// store ("Settings", binary value "Options": six bytes, each 0 or 1) and applied to the look data.
//
// The one instance is made on first use (GetOptionsStore) and commits pending changes at program end.
#pragma once

#include "framework/win/Framework.h"

#include <cstdint>

class CUXOptionsStore
{
public:
    // The options in their stored order.
    enum Option
    {
        kLiveDragging,       // bars show their contents while they are dragged
        kMenuShadows,        // menus have shadows
        kRecentFirst,        // menus show recently used commands first
        kToolTips,           // tool bars show tips
        kFullMenusDelayed,   // menus show every command after a short delay
        kShortcutsInTips,    // tips name the command's shortcut keys
        kOptionCount
    };
    // The stored value.
    struct Values
    {
        uint8_t option[kOptionCount];
    };
    static_assert(sizeof(Values) == 6, "the stored options are six bytes");

    CUXOptionsStore();
    virtual ~CUXOptionsStore();
    CUXOptionsStore(const CUXOptionsStore&) = delete;
    CUXOptionsStore& operator=(const CUXOptionsStore&) = delete;

    // Reads the stored options and applies them to the look data. A missing or damaged value (not six bytes
    // of 0 or 1) leaves the look data as it is, takes the options from it and answers FALSE.
    BOOL Load();
    // Writes the options and applies them; FALSE when they could not be written.
    BOOL Save();
    // Deletes the stored value when it was reset, else saves pending changes; FALSE when the registry refused.
    BOOL Commit();
    // Takes new options (each stored as 0 or 1) as a pending change.
    void Set(const BYTE values[kOptionCount]);
    const BYTE* Get() const { return m_values.option; }

    // Enabled: the application lets the options page store what the user chose.
    BOOL IsEnabled() const { return m_bEnabled; }
    void SetEnabled(BOOL enabled) { m_bEnabled = enabled ? 1 : 0; }
    BOOL IsDirty() const { return m_bDirty; }
    // The stored value goes at the next commit.
    void SetReset(BOOL reset) { m_bReset = reset ? 1 : 0; }

    // The options the look data holds now; the look data set from options.
    static Values FromLookData();
    static void ApplyToLookData(const Values& values);

private:
    BYTE m_bEnabled = 0;
    BYTE m_bDirty = 0;
    BYTE m_bReset = 0;
    Values m_values;
};

CUXOptionsStore& GetOptionsStore();
