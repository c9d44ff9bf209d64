// Resource and command ids of the library's showcase program.
#pragma once

#define IDR_SC_MAIN 700       // the MDI frame: menu, accelerators, title
#define IDR_SC_STANDARD 701   // tool bar and bitmap: New, Open, Save, Colour
#define IDR_SC_FORMAT 702     // tool bar and bitmap: Cut, the combo box's place, Paste

#define ID_SC_NEW_WINDOW 2201
#define ID_SC_OPEN 2202
#define ID_SC_SAVE 2203
#define ID_SC_COLOR 2204
#define ID_SC_CUT 2211
#define ID_SC_FONT 2212
#define ID_SC_PASTE 2213
#define ID_SC_SELECT_ALL 2214   // rarely used: hidden behind the chevron
#define ID_SC_ABOUT 2221

// The bars (their ids are also the View menu's show and hide commands).
#define IDW_SC_STANDARD 0xE800
#define IDW_SC_FORMAT 0xE801
#define IDW_SC_FILES 0xE830
#define IDW_SC_OUTPUT 0xE831
#define IDW_SC_MY_BAR 0xE840   // the user's own bar made at the first start
