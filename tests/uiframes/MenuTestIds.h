// Resource ids of the menu, shortcut and tools tests.
#pragma once

#define IDR_MT_FRAME 600   // the MDI test frame: menu, accelerators and title
#define IDR_MT_CHILD 601   // the MDI children's own menu

#define ID_MT_NEW 2101
#define ID_MT_OPEN 2102
#define ID_MT_SAVE 2103
#define ID_MT_CLEAR 2104
#define ID_MT_EXIT 2105
#define ID_MT_CUT 2111
#define ID_MT_PASTE 2112
#define ID_MT_ABOUT 2121
#define ID_MT_HIDDEN 2131   // a command on no menu
