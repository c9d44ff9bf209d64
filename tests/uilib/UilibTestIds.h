// Resource ids of the UI library's test program.
#pragma once

#define IDB_TEST_GREYS4 \
    201   // 16 x 15, 16 colours: light grey ground, black, dark grey and white blocks, a red pixel
#define IDB_TEST_GREYS24 202   // the same in 24 bits per pixel

// Dialogs of the resizing tests and their controls.
#define IDD_TEST_RESIZE 301         // sizable: a list, a button, a label, a group box, a button registered twice
#define IDD_TEST_RESIZE_FIXED 302   // the same without a sizing border
#define IDD_TEST_PAGE 303           // a property page with a list and a button
#define IDC_TEST_LIST 1001
#define IDC_TEST_BUTTON 1002
#define IDC_TEST_LABEL 1003
#define IDC_TEST_GROUP 1004
#define IDC_TEST_TWICE 1005

// The bars test program: a frame with two tool bars, a menu and menus to track.
#define IDR_TEST_FRAME 400      // the frame's menu and title
#define IDR_TEST_BAR1 401       // tool bar and bitmap: New, Open, separator, Save, Colour
#define IDR_TEST_BAR2 402       // tool bar and bitmap: Cut, separator, the combo box's place, Paste
#define IDR_TEST_CONTEXT 403    // a context menu with rarely used commands
#define IDR_TEST_DROPDOWN 404   // the drop-down menu of the Open button
#define IDR_TEST_SHORT 405      // a tool bar resource shorter than its count

#define ID_T_NEW 2001
#define ID_T_OPEN 2002
#define ID_T_SAVE 2003
#define ID_T_COLOR 2004
#define ID_T_CUT 2011
#define ID_T_COMBO 2012
#define ID_T_PASTE 2013
#define ID_T_RARE1 2021
#define ID_T_RARE2 2022
#define ID_T_RARE3 2023
#define ID_T_OFTEN 2024
#define ID_T_RECENT_FIRST 2031   // six commands for the recent-item list
#define ID_T_RECENT_LAST 2036
#define ID_T_DROP_FIRST 2041   // the drop-down menu's commands
#define ID_T_DROP_SECOND 2042

#define IDW_TEST_BAR1 0xE800   // the frame's bars (bar-toggle ids)
#define IDW_TEST_BAR2 0xE805
