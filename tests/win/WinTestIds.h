// Resource ids of the window-layer tests (shared by WinTest.rc and the tests).
#pragma once

#define IDS_IN_ALL 1
#define IDS_NEUTRAL_ENGLISH 2
#define IDS_ENGLISH_ONLY 3
#define IDS_OPENED 4

#define IDM_TEST 300
#define ID_CMD_OPEN 200

#define IDD_TEST 400
#define IDC_NUMBER 100
#define IDC_TEXT 101
#define IDC_CHECK 102
#define IDC_LABEL 103
