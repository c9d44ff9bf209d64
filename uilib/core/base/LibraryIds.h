// Command ids and private messages of the UI class library.
#pragma once

// Commands
#define ID_UX_CUSTOMIZE 53782    // "Customize..." (also the chevron's control id)
#define ID_UX_FULL_MENUS 53783   // "Display full menus": the chevron item of a menu
#define ID_UX_DOCK_HIDE 5511     // a docking window's caption button: hide the window
#define ID_UX_DOCK_EXPAND 5512   // a docking window's caption button: expand it along its row, or contract it

// The user's tools, one command each, and the MDI frame's window list ("More Windows...")
#define ID_UX_TOOLS_FIRST 53000
#define ID_UX_TOOLS_LAST 53250
#define ID_UX_MORE_WINDOWS 0xFF09

// Private messages
#define UXM_MENU_REFRESH 0x800A       // a menu window measures its items again
#define UXM_MENU_SHADOW 0x800B        // a menu window makes or shows its drop shadow
#define UXM_TOOLBAR_RELAYOUT 0x81CE   // lParam: the tool bar's relayout request number

// A colour picked in the colour dialog: from the sheet to its pages (lParam 0) and from a control to its page
// (lParam: the control's window); wParam: the colour.
#define UXM_COLOR_PICKED 0x800

// The colour pop-up's notifications (wParam: a colour, lParam: the command id of the button it belongs to)
#define UXM_COLOR_SAME 0x89C4        // a colour was chosen that equals the current one
#define UXM_COLOR_OPENED 0x89C5      // the pop-up exists (to the parent)
#define UXM_COLOR_CLOSED 0x89C6      // the pop-up is going (to the parent)
#define UXM_COLOR_CHOSEN 0x89C7      // a colour other than the current one was chosen
#define UXM_COLOR_CANCELLED 0x89C8   // nothing was chosen
#define UXM_COLOR_NO_FILL 0x89C9     // "No Fill" was chosen (wParam 0xFFFFFFFF)

#define UXM_TOOLBAR_DROPDOWN 0x89D3   // to a tool bar's owner: a drop-down without a menu (lParam: NMTOOLBARA*)
#define UXM_TABBAR_UPDATE 0x89D8      // to a tab-control bar: follow the MDI client's children again
#define UXM_TABBAR_CLOSEALL 0x89D9    // to a tab-control bar: close every child it shows
#define UXM_POPUP_CLOSED 0x89DF       // a pop-up told its opener that it closed
#define UXM_REBAR_BANDINFO 0x89E0     // wParam: horizontal; lParam: REBARBANDINFOA*
#define UXM_REBAR_NOTIFY 0x89E1       // wParam: flag; lParam: value
#define UXM_REBAR_QUERY 0x89E2
#define UXM_DOCK_QUERY 0x89E3            // lParam: value
#define UXM_REBAR_CHILD_RESIZED 0x89E5   // to the rebar: wParam the bar's window, lParam its new width
#define UXM_RAISE_POPUPS 0x89E6          // to a frame: the windows it owns above it again

// A control posts this to itself so that set-up that must follow its creation or subclassing runs once the
// window is fully attached.
#define UXM_FIRSTINIT 0x89DE

// The shell folder tree and the window linked to it; wParam is one of the codes below.
#define UXM_SHELLTREE 0x89D7
#define UXSHELLTREE_SELCHANGED 2   // to the linked window; lParam: the caret's item record
#define UXSHELLTREE_FINDITEM 3     // to the tree; lParam: an item record whose item the tree selects
#define UXSHELLTREE_NOTFOUND 4     // to the linked window; lParam: the record the tree did not find
