// Resource ids of the framework test program (shared by FrameTest.rc and the tests).
#pragma once

#define IDR_SHOW 128   // document string, menu and accelerators of the single-document template
#define IDR_MDI 129    // title and menu (with its window menu) of the MDI frame

#define ID_TEST_STAMP 32800      // the view changes the document
#define ID_TEST_DISABLED 32801   // its update handler disables it
#define ID_TEST_ROUTE 32802      // handled by view, document, frame and application alike
#define ID_TEST_DOC_ONLY 32803   // only the document takes it
#define IDW_TEST_BAR 0xE800      // the top bar (toggled by its own id)
#define IDW_TEST_STATUS 0xE801   // the message bar at the bottom
#define ID_TEST_LINE 32804       // a status-bar pane the docking frame fills at idle time
#define IDW_CELLS_FIRST 0xE810   // the docking frame's four bars (toggled by their ids)
