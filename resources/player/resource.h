// Resource ids of the player program.
#pragma once

#define IDD_PLAYER_DIALOG 102

// context-menu texts
#define IDS_MENU_SOUND 1
#define IDS_MENU_MINIMIZE 2
#define IDS_MENU_CONTACT 3
#define IDS_MENU_PRODUCT 4
#define IDS_MENU_EXIT 5

#define IDR_MAINFRAME 128   // icon group; its images are icons 1 to 4
#define IDB_CLOSE_DOWN 130
#define IDB_CLOSE 131
#define IDB_INFO_DOWN 140
#define IDB_INFO 141
#define IDC_LINK_CURSOR 151   // link cursor

#define IDC_SLIDE_WINDOW 1010
#define IDC_INFO_BUTTON 3   // opens the context menu; the close button is IDCANCEL

// commands of the main dialog
#define ID_PLAYER_SOUND_START 102
#define ID_PLAYER_CONTACT 103
#define ID_PLAYER_PRODUCT_INFO 104
#define ID_PLAYER_START_SHOW 105
#define ID_PLAYER_MINIMIZE 107
#define ID_PLAYER_SOUND_CONTROL 108
