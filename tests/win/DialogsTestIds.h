// Resource ids of the property-sheet and data-exchange tests (shared by DialogsTest.rc and the tests).
#pragma once

#define IDS_PAGE_CAPTION 520
#define IDS_SHEET_CAPTION 521

#define IDD_PAGE 530
#define IDD_EXCHANGE 531
#define IDC_PAGE_VALUE 540
#define IDC_RADIO_FIRST 541
#define IDC_RADIO_SECOND 542
#define IDC_RADIO_THIRD 543
#define IDC_AFTER_GROUP 544
#define IDC_COMBO_LIST 545
#define IDC_COMBO_EDIT 546
#define IDC_LIST 547
#define IDC_NAME 548
