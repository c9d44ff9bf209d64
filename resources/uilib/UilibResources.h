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

// Pop-up menus: sub-menu 1 is the edit context menu, 2 the column header menu ("RClickHeader"); sub-menu 0
// is kept empty so that the others keep their places.
#define IDR_UX_POPUPS 4519
#define UX_POPUP_EDIT 1
#define UX_POPUP_HEADER 2

// Commands of the column header menu; their prompts are string resources of the same ids.
#define ID_UX_SORT_ASCENDING 53773
#define ID_UX_SORT_DESCENDING 53774
#define ID_UX_ALIGN_LEFT 53775
#define ID_UX_ALIGN_CENTER 53776
#define ID_UX_ALIGN_RIGHT 53777

// Commands of the edit menu (the usual edit command ids).
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
