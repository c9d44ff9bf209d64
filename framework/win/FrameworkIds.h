// Ids the framework itself uses: standard commands, the windows of a frame, and the strings a program may
// provide for the framework (its title, the idle prompt).
#pragma once

// Commands
#define ID_FILE_NEW 0xE100
#define ID_FILE_OPEN 0xE101
#define ID_FILE_CLOSE 0xE102
#define ID_FILE_SAVE 0xE103
#define ID_FILE_SAVE_AS 0xE104
#define ID_FILE_MRU_FILE1 0xE110   // the recent-file entries: FILE1 is also the menu placeholder
#define ID_FILE_MRU_FILE16 0xE11F
#define ID_EDIT_COPY 0xE122
#define ID_EDIT_CUT 0xE123
#define ID_EDIT_PASTE 0xE125
#define ID_EDIT_UNDO 0xE12B
#define ID_WINDOW_ARRANGE 0xE131   // the MDI frame's window commands
#define ID_WINDOW_CASCADE 0xE132
#define ID_WINDOW_TILE_HORZ 0xE133
#define ID_WINDOW_TILE_VERT 0xE134
#define AFX_IDM_WINDOW_FIRST 0xE130   // a pop-up holding one of these is the MDI frame's window menu
#define AFX_IDM_WINDOW_LAST 0xE13F
#define AFX_IDM_FIRST_MDICHILD 0xFF00   // the window menu's entries of the MDI children
#define ID_APP_ABOUT 0xE140
#define ID_APP_EXIT 0xE141
#define ID_NEXT_PANE 0xE150
#define ID_PREV_PANE 0xE151
#define ID_SEPARATOR 0             // a status bar's message pane
#define ID_INDICATOR_CAPS 0xE701   // status-bar panes of the lock keys (texts: string resources of these ids)
#define ID_INDICATOR_NUM 0xE702
#define ID_INDICATOR_SCRL 0xE703
#define ID_VIEW_TOOLBAR 0xE800   // bar-toggle commands: a bar's control id
#define ID_VIEW_STATUS_BAR 0xE801

// Windows of a frame
#define AFX_IDW_CONTROLBAR_FIRST 0xE800
#define AFX_IDW_CONTROLBAR_LAST 0xE8FF
#define AFX_IDW_TOOLBAR 0xE800
#define AFX_IDW_STATUS_BAR 0xE801
#define AFX_IDW_REBAR 0xE804
#define AFX_IDW_DOCKBAR_TOP 0xE81B
#define AFX_IDW_DOCKBAR_LEFT 0xE81C
#define AFX_IDW_DOCKBAR_RIGHT 0xE81D
#define AFX_IDW_DOCKBAR_BOTTOM 0xE81E
#define AFX_IDW_DOCKBAR_FLOAT 0xE820   // the dock bar inside a floating frame
#define AFX_IDW_PANE_FIRST 0xE900      // the view
#define AFX_IDW_PANE_LAST 0xE9FF

// Strings
#define AFX_IDS_APP_TITLE 0xE000
#define AFX_IDS_IDLEMESSAGE 0xE001   // the prompt shown when no command is being pointed at
#define AFX_IDS_PATH_TOO_LONG 0xE002   // a file dialog's refusal of a long path: path, its length, the limit
