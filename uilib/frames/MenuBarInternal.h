// What the files of the menu bar share; nothing outside the bar includes it.
#pragma once

#include "uilib/frames/MenuBar.h"

namespace MenuBarInternal
{
// The message filter exists while a pop-up of any menu bar is open: one per thread, with the bar it serves.
struct MenuFilter
{
    HHOOK hook = nullptr;
    int nesting = 0;
    CUXMenuBar* target = nullptr;
};
MenuFilter& Filter();

// The widths of a drop shadow.
const int kShadow = 4;

// The text without its mnemonic markers and without what follows a tab.
CString CommandName(const CString& text);

}   // namespace MenuBarInternal
