// Resource ids of the test program of the library's frames.
#pragma once

#define IDR_FT_MDI 401     // the MDI frame: menu with a window menu, title
#define IDR_FT_FRAME 402   // the docking frame: menu, title
