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
