// Resource and command ids of the library's sample program.
#pragma once

#define IDR_SM_MAIN 800       // the MDI frame: menu, accelerators, title
#define IDR_SM_STANDARD 801   // the Standard bar and its bitmap: New, Open, Save
#define IDR_SM_EDITING 802    // the Editing bar and its bitmap: Undo, Cut, Copy, Paste, Delete

#define ID_SM_NEW 2301
#define ID_SM_OPEN 2302
#define ID_SM_SAVE 2303
#define ID_SM_UNDO 2311
#define ID_SM_CUT 2312
#define ID_SM_COPY 2313
#define ID_SM_PASTE 2314
#define ID_SM_DELETE 2315

// The bars (their ids are also the View menu's show and hide commands).
#define IDW_SM_STANDARD_BAR 0xE800
#define IDW_SM_STATUS_BAR 0xE801   // the frame's message bar
#define IDW_SM_EDITING_BAR 0xE802
#define IDW_SM_DOCUMENTS 0xE830
