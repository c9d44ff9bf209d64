// CUXKeyMapManager: the user's keyboard shortcuts for the main frame. The frame's own accelerator table is the
// default; the user's table replaces the frame's table when applied and is kept in the library's settings
// store ("Settings", value "Accelerators": 6-byte records in table order). The manager names keys and
// shortcuts for display ("Shift+Ctrl+F5"), lists the frame's menu commands by category for the keyboard page,
// and tells frames and tool bars the shortcut texts of a command.
//
// The one instance is made on first use (GetKeyMapManager) and goes at program end, committing its changes
// first unless told not to.
#pragma once

#include "framework/win/Framework.h"

#include <cstdint>
#include <map>
#include <vector>

// One stored shortcut: the platform's accelerator record with its padding byte, little-endian.
struct CUXStoredAccel
{
    uint8_t flags;     // FVIRTKEY, FNOINVERT, FSHIFT, FCONTROL, FALT
    uint8_t padding;   // 0
    uint16_t key;      // virtual-key code
    uint16_t command;
};
static_assert(sizeof(CUXStoredAccel) == 6, "stored shortcuts are 6-byte records");

class CUXKeyMapManager
{
public:
    enum
    {
        kModifierMask = FSHIFT | FCONTROL | FALT
    };
    // A category of the command catalogue: a popup of the frame's menu that holds commands.
    struct Category
    {
        CString name;   // the cleaned texts of the popup and its parents, joined with " | "
        HMENU menu;
    };

    CUXKeyMapManager();
    virtual ~CUXKeyMapManager();
    CUXKeyMapManager(const CUXKeyMapManager&) = delete;
    CUXKeyMapManager& operator=(const CUXKeyMapManager&) = delete;

    // Reads the stored table into the current table. A missing value, or one that is not a whole number of
    // records with valid keys and commands, leaves the current table empty and answers FALSE.
    virtual BOOL Load();
    virtual BOOL Save(const ACCEL* table, int count);

    // Manages the frame's shortcuts from now on: its present table becomes the default and the current one,
    // then a stored table, when there is a valid one, replaces it and is applied.
    BOOL Enable(CFrameWnd* pFrame);
    BOOL IsEnabled() const { return m_bEnabled; }
    CFrameWnd* GetFrame() const { return m_pFrame; }
    void SetSaveOnDestroy(BOOL save) { m_bSaveOnDestroy = save ? 1 : 0; }

    // Writes pending changes: after a reset the stored value is deleted, else a changed table is saved.
    BOOL Commit(BOOL clearEnabled);
    // The frame gets its default table again; the next commit deletes the stored value.
    BOOL ResetToDefault();
    // The frame gets the current table.
    BOOL Apply();

    void AddShortcut(UINT nCommand, BYTE flags, WORD key);
    // The first record with these modifiers and key.
    BOOL FindShortcut(BYTE flags, WORD key, UINT* pCommand = nullptr) const;
    BOOL RemoveShortcut(BYTE flags, WORD key);
    // A key press (not of Shift, Ctrl or Alt alone) that, with the modifiers held now, is a shortcut.
    BOOL IsShortcutKey(const MSG* pMsg) const;
    int GetShortcutCount() const { return static_cast<int>(m_current.size()); }
    const std::vector<ACCEL>& GetTable() const { return m_current; }

    // ---- texts ----
    // The display name of a virtual key; empty for a key without one.
    static CString GetKeyName(WORD key);
    // "Shift+Ctrl+Alt+" as present, then the key's name; empty for key 0.
    static CString FormatShortcut(const ACCEL& accel);
    // Appends every shortcut of the command, separated by ", ".
    void AppendShortcutText(UINT nCommand, CString& text) const;
    // From index on, the next shortcut of the command; index moves past it. FALSE at the end.
    BOOL GetNextShortcut(int& index, UINT nCommand, CString& text, BYTE& flags, WORD& key) const;
    // The first shortcut text of a command (what menus and tips show); FALSE when it has none.
    BOOL GetFirstShortcutText(UINT nCommand, CString& text) const;
    // Puts the first shortcut of each command of the popup after a tab in its text, and takes a stale one away.
    void UpdateMenuShortcuts(HMENU hPopup) const;

    // ---- the command catalogue ----
    // The frame's menu, or the menu its menu bar shows.
    HMENU GetFrameMenu() const;
    // Removes every "&" and cuts the text at the first tab.
    static CString CleanMenuText(const CString& text);
    // Builds the categories and the commands' display names from the menu (null: the frame's menu).
    void RebuildCommandMap(HMENU hMenu = nullptr);
    void FillCategoryCombo(CComboBox& combo) const;
    const std::vector<Category>& GetCategories() const { return m_categories; }
    // The command's display name: its menu path ("File\Open").
    BOOL FindDescription(UINT nCommand, CString& text) const;
    // The top-level menu that holds the command ("" when none).
    CString GetCommandCategory(UINT nCommand) const;
    // Commands never listed, further names a command is listed under, and commands the menus do not hold.
    void ExcludeCommand(UINT nCommand);
    void AddAlternativeName(UINT nCommand, LPCSTR name);
    void AddExtraCommand(LPCSTR category, LPCSTR name, UINT nCommand);

private:
    BOOL GiveFrameTable(const std::vector<ACCEL>& table);
    void AddCategories(HMENU hMenu, const CString& prefix);
    void RecordCommands(HMENU hMenu, const CString& path, const CString& topName);
    void RecordCommand(UINT nCommand, const CString& path, const CString& name, const CString& topName);

    struct Description
    {
        UINT command;
        CString name;
    };
    struct ExtraCommand
    {
        CString category;
        CString name;
        UINT command;
    };

    CFrameWnd* m_pFrame = nullptr;
    std::vector<Category> m_categories;
    std::vector<Description> m_descriptions;
    std::map<UINT, CString> m_commandCategory;
    std::map<UINT, BOOL> m_excluded;
    std::map<UINT, std::vector<CString>> m_alternativeNames;
    std::vector<ExtraCommand> m_extraCommands;
    std::vector<ACCEL> m_current;
    std::vector<ACCEL> m_default;
    BYTE m_bResetPending = 0;
    BYTE m_bDirty = 0;
    BYTE m_bSaveOnDestroy = 1;
    BYTE m_bEnabled = 0;
};

CUXKeyMapManager& GetKeyMapManager();
