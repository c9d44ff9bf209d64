// CUXToolsManager: the user's tools, external programs, documents or web addresses started from the "&Tools"
// menu (commands ID_UX_TOOLS_FIRST to ID_UX_TOOLS_LAST). It keeps the list in the library's settings store
// ("Settings", value "Tools": the 780-byte records back to back), builds the pop-up menu with each tool's
// shell icon, and starts a tool through the shell.
//
// The one instance is made on first use (GetToolsManager) and goes at program end, saving pending changes
// first while it is still active (a frame that takes care of saving makes it inactive).
#pragma once

#include "framework/win/Framework.h"
#include "uilib/core/base/LibraryIds.h"

#include <cstdint>
#include <map>
#include <utility>
#include <vector>

class CUXCoolMenu;

// One tool as it is stored: every text field ends in a terminator within its size.
struct CUXToolRecord
{
    char m_szMenuText[128];
    char m_szArguments[128];
    char m_szCommand[260];   // program, document or web address
    char m_szDirectory[260];
    uint32_t m_nID;   // ID_UX_TOOLS_FIRST to ID_UX_TOOLS_LAST
};
static_assert(sizeof(CUXToolRecord) == 780, "stored tools are 780-byte records");

class CUXToolsManager
{
public:
    CUXToolsManager();
    virtual ~CUXToolsManager();
    CUXToolsManager(const CUXToolsManager&) = delete;
    CUXToolsManager& operator=(const CUXToolsManager&) = delete;

    // Reads the stored tools and builds the menu. FALSE (and no tools) without a stored value.
    BOOL Load();
    // Deletes the stored value after RemoveAll, else writes changed tools; disable clears the enabled flag.
    // The menu is built again.
    BOOL Save(int disable);
    // Appends a copy; a tool without a usable id of its own (0, outside the range or taken) gets the lowest
    // free one. FALSE, and nothing added, when every id is taken.
    BOOL AddTool(const CUXToolRecord& record);
    // Removes the record at that address (one of GetTool's); FALSE when it is none of them.
    BOOL RemoveTool(const CUXToolRecord* pRecord);
    void RemoveAll();
    // The lowest id no tool has; 0 when all are taken.
    UINT NextFreeId() const;
    // The menu texts, last tool first, with the records as item data.
    void FillListBox(CListBox& list) const;
    void BuildMenu();
    // Starts the tool of that command through the shell.
    void RunTool(UINT nID) const;

    int GetCount() const { return static_cast<int>(m_tools.size()); }
    CUXToolRecord* GetTool(int index);
    const CUXToolRecord* FindTool(UINT nID) const;
    // A tool's texts were changed in place.
    void SetDirty() { m_bDirty = 1; }
    BOOL IsDirty() const { return m_bDirty; }

    // The "&Tools" pop-up (null before the first build).
    HMENU GetMenu() const { return m_hMenu; }
    // Where the menu bar puts the pop-up: in the frame's own menu and in other (document) menus.
    void SetMenuPositions(int defaultMenu, int otherMenus);
    int GetMenuPosition(BOOL defaultMenu) const { return defaultMenu ? m_nDefaultMenuPos : m_nOtherMenuPos; }
    // The cool menu that shows the tools' icons (borrowed; null: the main frame's, see below).
    void SetCoolMenu(CUXCoolMenu* pCoolMenu);
    // Menus the tools page offers on the buttons of the arguments and the initial-directory fields (the
    // sub-menu of a menu resource, whose commands go to the program); without one the field browses for a
    // file or a folder. 0 takes the menu away.
    void SetArgumentMenu(UINT nIDMenu, int nSubMenu) { m_argumentMenu = {nIDMenu, nSubMenu}; }
    void SetDirectoryMenu(UINT nIDMenu, int nSubMenu) { m_directoryMenu = {nIDMenu, nSubMenu}; }
    std::pair<UINT, int> GetArgumentMenu() const { return m_argumentMenu; }
    std::pair<UINT, int> GetDirectoryMenu() const { return m_directoryMenu; }
    // A main frame's own cool menu shows the icons unless the program names one; the frame takes it back
    // when it goes.
    void OfferFrameCoolMenu(CUXCoolMenu* pCoolMenu);
    void WithdrawFrameCoolMenu(CUXCoolMenu* pCoolMenu);

    // Enabled: the application offers user tools (the menu bar shows the pop-up). Active: the manager saves
    // at program end.
    BOOL IsEnabled() const { return m_bEnabled; }
    void SetEnabled(BOOL enabled) { m_bEnabled = enabled ? 1 : 0; }
    BOOL IsActive() const { return m_bActive; }
    void SetActive(BOOL active) { m_bActive = active ? 1 : 0; }

    // Whether the command is a web address the shell opens ("http://", "ftp://").
    static BOOL IsWebAddress(LPCSTR command);

private:
    BOOL IsUsableId(UINT nID, const CUXToolRecord* pExcept) const;
    int GetWebIconIndex();
    int GetFileIconIndex(LPCSTR path) const;
    // Puts the system image's icon into the cool menu under the command.
    void AddIcon(CUXCoolMenu* pCoolMenu, UINT nID, int index);

    std::vector<CUXToolRecord> m_tools;
    HIMAGELIST m_hSystemImages = nullptr;   // the shell's, never destroyed
    CUXCoolMenu* m_pCoolMenu = nullptr;
    CUXCoolMenu* m_pFrameCoolMenu = nullptr;
    std::pair<UINT, int> m_argumentMenu = {0, 0};
    std::pair<UINT, int> m_directoryMenu = {0, 0};
    CUXCoolMenu* m_pIconMenu = nullptr;   // the cool menu that holds the icons of m_iconCommands
    BYTE m_bActive = 1;
    BYTE m_bEnabled = 0;
    BYTE m_bDirty = 0;
    BYTE m_bCleared = 0;
    int m_nDefaultMenuPos = 0;
    int m_nOtherMenuPos = 0;
    HMENU m_hMenu = nullptr;
    int m_nWebIcon = -1;
    std::map<UINT, CString> m_iconCommands;   // the command whose icon each id has in the cool menu
};

CUXToolsManager& GetToolsManager();
