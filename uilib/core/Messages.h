// Private messages of the library's controls.
#pragma once

// A control posts this to itself so that set-up that must follow its creation or subclassing runs once the
// window is fully attached.
#define UXM_FIRSTINIT 0x89DE

// The shell folder tree and the window linked to it; wParam is one of the codes below.
#define UXM_SHELLTREE 0x89D7
#define UXSHELLTREE_SELCHANGED 2   // to the linked window; lParam: the caret's item record
#define UXSHELLTREE_FINDITEM 3     // to the tree; lParam: an item record whose item the tree selects
#define UXSHELLTREE_NOTFOUND 4     // to the linked window; lParam: the record the tree did not find
