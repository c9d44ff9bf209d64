// What the files of the cool menu share; nothing else includes it.
#pragma once

#include "uilib/core/bars/CoolMenu.h"

#include <vector>

namespace CoolMenuInternal
{

const char kChevronText[] = ">> chevron";

class CUXPopupMenuHook;

// What the library keeps for all menus of the program.
struct MenuState
{
    HHOOK hook = nullptr;
    std::vector<CUXPopupMenuHook*> popups;   // one per open menu window, oldest first
    int reentry = 0;
    int live = 0;                   // pop-up hooks alive
    BOOL settingsChanged = FALSE;   // the saved settings below must go back
    BOOL savedAnimation = FALSE;
    BOOL savedShadow = FALSE;
    BOOL systemShadows = FALSE;   // the system draws menu shadows itself
    BOOL fullMenus = FALSE;       // the user asked for every item (the chevron)
    int trackOpen = 0;            // CUXTrackMenu objects alive
    BOOL chevronHot = FALSE;      // the chevron item is drawn highlighted
    UINT dropSide = 0;            // side of the drop-down button that opens the next menu
    CRect dropRect = CRect(-1, -1, -1, -1);
    int skipInit = 0;         // WM_INITMENUPOPUP messages to let pass
    BOOL oldSystem = FALSE;   // no chevron click and no hover expansion here
    int cxDlgFrame = 0;
    int cyDlgFrame = 0;
    BOOL showUnderlines = FALSE;   // mnemonics stay underlined even when the system hides them
    BOOL reopenFull = FALSE;       // the tracked menu was closed to open again with every item
};

MenuState& State();

// The item data of every item of a menu, by position (null for items that are not the library's).
CUXMenuItemData* ItemDataAt(const CUXCoolMenu* coolMenu, HMENU hMenu, int pos);

}   // namespace CoolMenuInternal
