// Resource ids of the UI library's test program.
#pragma once

#define IDB_TEST_GREYS4 \
    201   // 16 x 15, 16 colours: light grey ground, black, dark grey and white blocks, a red pixel
#define IDB_TEST_GREYS24 202   // the same in 24 bits per pixel

// The bars test program: a frame with two tool bars, a menu and menus to track.
#define IDR_TEST_FRAME 300      // the frame's menu and title
#define IDR_TEST_BAR1 301       // tool bar and bitmap: New, Open, separator, Save, Colour
#define IDR_TEST_BAR2 302       // tool bar and bitmap: Cut, separator, the combo box's place, Paste
#define IDR_TEST_CONTEXT 303    // a context menu with rarely used commands
#define IDR_TEST_DROPDOWN 304   // the drop-down menu of the Open button
#define IDR_TEST_SHORT 305      // a tool bar resource shorter than its count

#define ID_T_NEW 1001
#define ID_T_OPEN 1002
#define ID_T_SAVE 1003
#define ID_T_COLOR 1004
#define ID_T_CUT 1011
#define ID_T_COMBO 1012
#define ID_T_PASTE 1013
#define ID_T_RARE1 1021
#define ID_T_RARE2 1022
#define ID_T_RARE3 1023
#define ID_T_OFTEN 1024
#define ID_T_RECENT_FIRST 1031   // six commands for the recent-item list
#define ID_T_RECENT_LAST 1036
#define ID_T_DROP_FIRST 1041   // the drop-down menu's commands
#define ID_T_DROP_SECOND 1042

#define IDW_TEST_BAR1 0xE800   // the frame's bars (bar-toggle ids)
#define IDW_TEST_BAR2 0xE805
