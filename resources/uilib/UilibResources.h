// Resource ids of the UI class library. Programs that link the library carry its resource script.
#pragma once

// Cursors (uxAfxData.GetLibraryCursor(id))
#define IDC_UX_MOVE 4509         // dragging moves
#define IDC_UX_COPY 4510         // dragging copies
#define IDC_UX_NODROP 4511       // nothing can be dropped here
#define IDC_UX_SPLIT_HORZ 4512   // a splitter moves left and right
#define IDC_UX_SPLIT_VERT 4513   // a splitter moves up and down
#define IDC_UX_HAND 4514         // a link or a grip
#define IDC_UX_DELETE 4515       // dropping here removes the dragged item

// Bitmaps of the controls
#define IDB_UX_SMALL_GLYPHS 4501   // 11-pixel cells: left, right, up, down, menu mark
#define IDB_UX_EDIT_GROUP 4505     // 14-pixel cells: new, delete, move up, move down (magenta transparent)
#define IDB_UX_CHECK_BOXES 4507    // three cells: unchecked, checked, indeterminate

// Menus: sub-menu 1 is the edit context menu, sub-menu 2 the column header's menu ("RClickHeader"); sub-menu 0
// is kept empty so that the others keep their places.
#define IDR_UX_POPUP_MENUS 4519
#define UX_POPUP_EDIT 1
#define UX_POPUP_HEADER 2

// Strings
#define IDS_UX_BROWSE_BUTTON 4565   // "..."
#define IDS_UX_DEFAULT_EXT 4567     // "*.*"
#define IDS_UX_ALL_FILES 4568       // "All Files (*.*)|*.*||"
#define IDS_UX_CHOOSE_FOLDER 4569   // "Choose Directory Name:"
#define IDS_UX_DIRECTORIES 4650     // " Directories:"

// Commands of the edit context menu (the framework's standard edit commands)
#ifndef ID_EDIT_CLEAR
#define ID_EDIT_CLEAR 0xE120
#endif
#ifndef ID_EDIT_COPY
#define ID_EDIT_COPY 0xE122
#endif
#ifndef ID_EDIT_CUT
#define ID_EDIT_CUT 0xE123
#endif
#ifndef ID_EDIT_PASTE
#define ID_EDIT_PASTE 0xE125
#endif
#ifndef ID_EDIT_SELECT_ALL
#define ID_EDIT_SELECT_ALL 0xE12A
#endif
#ifndef ID_EDIT_UNDO
#define ID_EDIT_UNDO 0xE12B
#endif

// Strings: the settings section and the entry of stored column widths.
#define IDS_UX_SETTINGS 4536
#define IDS_UX_COLUMN_INFO 4542

// Commands of the column header's menu; their prompts are string resources of the same ids.
#define ID_UX_SORT_ASCENDING 53773
#define ID_UX_SORT_DESCENDING 53774
#define ID_UX_ALIGN_LEFT 53775
#define ID_UX_ALIGN_CENTER 53776
#define ID_UX_ALIGN_RIGHT 53777

// Controls the library creates, and the edit list box's caption-bar buttons (their tips are strings of the
// same ids)
#define IDC_UX_EDIT_GROUP 5501
#define IDC_UX_ITEM_EDIT 5503
#define IDC_UX_GROUP_NEW 5517
#define IDC_UX_GROUP_DELETE 5518
#define IDC_UX_GROUP_UP 5519
#define IDC_UX_GROUP_DOWN 5520
#define IDC_UX_BROWSE_BUTTON 5521

// Strings
#define IDS_UX_CUSTOMIZE 4550     // "Customize..."
#define IDS_UX_DOCK_WINDOW 4556   // default title of a docking window in the bar menu
#define IDS_UX_TOOLBAR 4558       // default title of a tool bar
#define IDS_UX_STATUS_BAR 4560    // the status bar's entry
#define IDS_UX_CONTROL_BAR 4645   // default title of any other bar
