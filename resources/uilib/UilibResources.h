// Resource ids of the UI class library. Programs that link the library carry its resource script.
#pragma once

// Cursors (uxAfxData.GetLibraryCursor(id))
#define IDC_UX_MOVE 4509         // dragging moves
#define IDC_UX_COPY 4510         // dragging copies
#define IDC_UX_NODROP 4511       // nothing can be dropped here
#define IDC_UX_SPLIT_HORZ 4512   // a splitter moves left and right
#define IDC_UX_SPLIT_VERT 4513   // a splitter moves up and down
#define IDC_UX_HAND 4514         // a link or a grip
#define IDC_UX_DELETE 4515       // dropping here removes the dragged item

// Bitmaps of the controls
#define IDB_UX_SMALL_GLYPHS 4501   // 11-pixel cells: left, right, up, down, menu mark
#define IDB_UX_EDIT_GROUP 4505     // 14-pixel cells: new, delete, move up, move down (magenta transparent)
#define IDB_UX_CHECK_BOXES 4507    // three cells: unchecked, checked, indeterminate
// 10-pixel glyphs of caption buttons (magenta transparent): minimize, restore, close, options, expand
#define IDB_UX_CAPTION_GLYPHS 0x1230
#define UX_GLYPH_MINIMIZE 0
#define UX_GLYPH_RESTORE 1
#define UX_GLYPH_CLOSE 2
#define UX_GLYPH_OPTIONS 3
#define UX_GLYPH_EXPAND 4

// Menus: sub-menu 1 is the edit context menu, sub-menu 2 the column header's menu ("RClickHeader"); sub-menu 0
// is kept empty so that the others keep their places.
#define IDR_UX_POPUP_MENUS 4519
#define UX_POPUP_EDIT 1
#define UX_POPUP_HEADER 2
// The images of those two menus' commands (tool-bar resources with their bitmaps)
#define IDR_UX_HEADER_TOOLBAR 4520   // sort ascending, sort descending, align left, centre, right
#define IDR_UX_EDIT_TOOLBAR 4524     // undo, cut, copy, paste, delete

// The colour dialog's pages
#define IDD_UX_COLOR_STANDARD 4531
#define IDD_UX_COLOR_CUSTOM 4532

// Strings
#define IDS_UX_COLOR_NEW 4648       // "New" above the new colour's swatch
#define IDS_UX_COLOR_CURRENT 4649   // "Current" below the current colour's swatch
#define IDS_UX_BROWSE_BUTTON 4565   // "..."
#define IDS_UX_DEFAULT_EXT 4567     // "*.*"
#define IDS_UX_ALL_FILES 4568       // "All Files (*.*)|*.*||"
#define IDS_UX_CHOOSE_FOLDER 4569   // "Choose Directory Name:"
#define IDS_UX_DIRECTORIES 4650     // " Directories:"

// Commands of the edit context menu (the framework's standard edit commands)
#ifndef ID_EDIT_CLEAR
#define ID_EDIT_CLEAR 0xE120
#endif
#ifndef ID_EDIT_COPY
#define ID_EDIT_COPY 0xE122
#endif
#ifndef ID_EDIT_CUT
#define ID_EDIT_CUT 0xE123
#endif
#ifndef ID_EDIT_PASTE
#define ID_EDIT_PASTE 0xE125
#endif
#ifndef ID_EDIT_SELECT_ALL
#define ID_EDIT_SELECT_ALL 0xE12A
#endif
#ifndef ID_EDIT_UNDO
#define ID_EDIT_UNDO 0xE12B
#endif

// Strings: the settings section and the entry of stored column widths.
#define IDS_UX_SETTINGS 4536
#define IDS_UX_COLUMN_INFO 4542

// Commands of the column header's menu; their prompts are string resources of the same ids.
#define ID_UX_SORT_ASCENDING 53773
#define ID_UX_SORT_DESCENDING 53774
#define ID_UX_ALIGN_LEFT 53775
#define ID_UX_ALIGN_CENTER 53776
#define ID_UX_ALIGN_RIGHT 53777

// Controls the library creates, and the edit list box's caption-bar buttons (their tips are strings of the
// same ids)
#define IDC_UX_EDIT_GROUP 5501
#define IDC_UX_ITEM_EDIT 5503
#define IDC_UX_GROUP_NEW 5517
#define IDC_UX_GROUP_DELETE 5518
#define IDC_UX_GROUP_UP 5519
#define IDC_UX_GROUP_DOWN 5520
#define IDC_UX_BROWSE_BUTTON 5521

// Strings of the colour pop-up: the colours' names (tool tips), its buttons and its caption
#define IDS_UX_COLOR_BLACK 4586
#define IDS_UX_COLOR_BROWN 4587
#define IDS_UX_COLOR_OLIVE_GREEN 4588
#define IDS_UX_COLOR_DARK_GREEN 4589
#define IDS_UX_COLOR_DARK_TEAL 4590
#define IDS_UX_COLOR_DARK_BLUE 4591
#define IDS_UX_COLOR_INDIGO 4592
#define IDS_UX_COLOR_GRAY80 4593
#define IDS_UX_COLOR_DARK_RED 4594
#define IDS_UX_COLOR_ORANGE 4595
#define IDS_UX_COLOR_DARK_YELLOW 4596
#define IDS_UX_COLOR_GREEN 4597
#define IDS_UX_COLOR_TEAL 4598
#define IDS_UX_COLOR_BLUE 4599
#define IDS_UX_COLOR_BLUE_GRAY 4600
#define IDS_UX_COLOR_GRAY50 4601
#define IDS_UX_COLOR_RED 4602
#define IDS_UX_COLOR_LIGHT_ORANGE 4603
#define IDS_UX_COLOR_LIME 4604
#define IDS_UX_COLOR_SEA_GREEN 4605
#define IDS_UX_COLOR_AQUA 4606
#define IDS_UX_COLOR_LIGHT_BLUE 4607
#define IDS_UX_COLOR_VIOLET 4608
#define IDS_UX_COLOR_GRAY40 4609
#define IDS_UX_COLOR_PINK 4610
#define IDS_UX_COLOR_GOLD 4611
#define IDS_UX_COLOR_YELLOW 4612
#define IDS_UX_COLOR_BRIGHT_GREEN 4613
#define IDS_UX_COLOR_TURQUOISE 4614
#define IDS_UX_COLOR_SKY_BLUE 4615
#define IDS_UX_COLOR_PLUM 4616
#define IDS_UX_COLOR_GRAY25 4617
#define IDS_UX_COLOR_ROSE 4618
#define IDS_UX_COLOR_TAN 4619
#define IDS_UX_COLOR_LIGHT_YELLOW 4620
#define IDS_UX_COLOR_LIGHT_GREEN 4621
#define IDS_UX_COLOR_LIGHT_TURQUOISE 4622
#define IDS_UX_COLOR_PALE_BLUE 4623
#define IDS_UX_COLOR_LAVENDER 4624
#define IDS_UX_COLOR_WHITE 4625
#define IDS_UX_COLOR_GRAY 4626
#define IDS_UX_COLOR_MAROON 4627
#define IDS_UX_COLOR_OLIVE 4628
#define IDS_UX_COLOR_NAVY 4629
#define IDS_UX_COLOR_PURPLE 4630
#define IDS_UX_COLOR_SILVER 4631
#define IDS_UX_COLOR_FUCHSIA 4632
#define IDS_UX_COLOR_NO_FILL 4633
#define IDS_UX_COLOR_NO_COLOR 4634
#define IDS_UX_COLOR_AUTOMATIC 4635
#define IDS_UX_COLOR_AUTOMATIC_TIP 4636
#define IDS_UX_COLOR_MORE 4637
#define IDS_UX_COLOR_MORE_TIP 4638
#define IDS_UX_COLOR_STANDARD 4639

// Controls of the colour dialog
#define IDC_UX_COLOR_HEX 101   // the sheet's read-only box with the new colour in hexadecimal
#define IDC_UX_COLOR_RED 5531
#define IDC_UX_COLOR_LABEL 5532   // "&Colors:"
#define IDC_UX_COLOR_GREEN 5533
#define IDC_UX_COLOR_HUE_SPIN 5534
#define IDC_UX_COLOR_LUM 5535
#define IDC_UX_COLOR_SAT 5536
#define IDC_UX_COLOR_HUE 5537
#define IDC_UX_COLOR_SAT_SPIN 5538
#define IDC_UX_COLOR_LUM_SPIN 5539
#define IDC_UX_COLOR_BLUE 5540
#define IDC_UX_COLOR_RED_SPIN 5541
#define IDC_UX_COLOR_GREEN_SPIN 5542
#define IDC_UX_COLOR_BLUE_SPIN 5543
#define IDC_UX_COLOR_HUE_LABEL 5544
#define IDC_UX_COLOR_SAT_LABEL 5545
#define IDC_UX_COLOR_LUM_LABEL 5546
#define IDC_UX_COLOR_RED_LABEL 5547
#define IDC_UX_COLOR_GREEN_LABEL 5548
#define IDC_UX_COLOR_BLUE_LABEL 5549
#define IDC_UX_COLOR_FIELD 5550       // hue across, saturation up
#define IDC_UX_COLOR_LUMINANCE 5551   // luminance up
#define IDC_UX_COLOR_HONEYCOMB 5552

// Strings of the bars
#define IDS_UX_CUSTOMIZE 4550         // "Customize..."
#define IDS_UX_DOCK_WINDOW 4556       // default title of a docking window in the bar menu
#define IDS_UX_TOOLBAR 4558           // default title of a tool bar
#define IDS_UX_STATUS_BAR 4560        // the status bar's entry
#define IDS_UX_CONTROL_BAR 4645       // default title of any other bar
#define IDS_UX_BAR_POSITION 4537      // the value that keeps a docking window's sizes
#define IDS_UX_CLOSE 4585             // "Close"
#define IDS_UX_TOOLBAR_OPTIONS 4663   // "Toolbar Options"
#define IDS_UX_DOCK_HIDE_TIP 5511     // tips of a docking window's caption buttons (the commands' ids)
#define IDS_UX_DOCK_EXPAND_TIP 5512

// The window list of an MDI frame ("Windows"): its dialog, its icon (the dialog's small icon when the frame
// has none) and its controls
#define IDD_UX_WINDOW_LIST 4516
#define IDI_UX_WINDOW_LIST 4508
#define IDC_UX_WL_LIST 5553
#define IDC_UX_WL_CASCADE 5554
#define IDC_UX_WL_MINIMIZE 5555
#define IDC_UX_WL_CLOSE 5556
#define IDC_UX_WL_SAVE 5557
#define IDC_UX_WL_TILE_HORZ 5558
#define IDC_UX_WL_TILE_VERT 5559
#define IDC_UX_WL_ACTIVATE 5560
#define IDS_UX_RESET_TOOLBAR 4652   // the question before a tool bar goes back to its first layout

// The customize dialog: its caption, and its pages (their titles are the templates' captions)
#define IDS_UX_CUSTOMIZE_CAPTION 4646   // "Customize"
#define IDD_UX_CUST_TOOLS 4517
#define IDD_UX_CUST_OPTIONS 4518
#define IDD_UX_CUST_TOOLBARS 4527
#define IDD_UX_CUST_COMMANDS 4528
#define IDD_UX_NEW_TOOLBAR 4530

// The options page
#define IDC_UX_OPT_RESET_USAGE 5526
#define IDC_UX_OPT_MENU_SHADOWS 5528
#define IDC_UX_OPT_RECENT_FIRST 5529
#define IDC_UX_OPT_FULL_MENUS_DELAY 5530
#define IDC_UX_OPT_TOOLTIPS 5531
#define IDC_UX_OPT_SHORTCUTS_IN_TIPS 5532
#define IDC_UX_OPT_LIVE_DRAGGING 5575
#define IDC_UX_OPT_LINE_MENUS 5578
#define IDC_UX_OPT_LINE_OTHER 5579
#define IDS_UX_RESET_USAGE 4667   // the question before the record of used commands goes

// The tool bars page and the "New Toolbar" dialog
#define IDC_UX_TB_LIST 5504
#define IDC_UX_TB_NEW 5517
#define IDC_UX_TB_DELETE 5518
#define IDC_UX_TB_RENAME 5525
#define IDC_UX_TB_RESET 5526
#define IDC_UX_NT_NAME 5502
#define IDS_UX_NAME_BLANK 4559    // "The toolbar name cannot be blank. ..."
#define IDS_UX_NAME_EXISTS 4561   // "A toolbar named '%s' already exists. ..."
#define IDS_UX_BAR_LIMIT 4562     // "Sorry you have reached your limit."
#define IDS_UX_CUSTOM_NAME 4563   // "Custom %d"
#define IDS_UX_DELETE_BAR 4564    // "Are you sure you want to delete the '%s' toolbar?"

// The commands page
#define IDC_UX_CMD_CATEGORIES 5505
#define IDC_UX_CMD_COMMANDS 5506
#define IDC_UX_CMD_COMMANDS_LABEL 5509
#define IDC_UX_CMD_SELECTED 5510
#define IDC_UX_CMD_DESCRIPTION 5527
#define IDS_UX_NO_HELP_TOPIC 4566   // "No help topic is associated with this item.\nCommand ID %d"

// The tools page
#define IDC_UX_TL_LIST 4664
#define IDC_UX_TL_COMMAND 4665
#define IDC_UX_TL_ARGUMENTS 4666
#define IDC_UX_TL_DIRECTORY 4667
#define IDC_UX_TL_COMMAND_LABEL 4668
#define IDC_UX_TL_ARGUMENTS_LABEL 4669
#define IDC_UX_TL_DIRECTORY_LABEL 4670
#define IDS_UX_PATH_INVALID 4665    // "The path is invalid."
#define IDS_UX_BROWSE_TITLE 4668    // "Browse"
#define IDS_UX_TOOL_FILTER 4669     // the command's file filter
#define IDS_UX_MENU_CONTENTS 4670   // "&Menu contents:"

// The keyboard page of the customize dialog ("Keyboard") and its controls
#define IDD_UX_CUST_KEYBOARD 4529
#define IDC_UX_KB_COMMANDS 5561
#define IDC_UX_KB_ASSIGNMENTS 5562
#define IDC_UX_KB_HOTKEY 5564
#define IDC_UX_KB_CATEGORY 5565
#define IDC_UX_KB_ASSIGN 5566
#define IDC_UX_KB_RESET_ALL 5567
#define IDC_UX_KB_REMOVE 5568
#define IDC_UX_KB_ASSIGNMENTS_LABEL 5569
#define IDC_UX_KB_HOTKEY_LABEL 5570
#define IDC_UX_KB_DESCRIPTION_LABEL 5571
#define IDC_UX_KB_STATIC 5572
#define IDC_UX_KB_DESCRIPTION 5573
#define IDS_UX_SHORTCUT_IN_USE 4659   // "... assigned to the command: %s ... re-assign this shortcut?"
#define IDS_UX_RESET_SHORTCUTS 4666   // "Are you sure you want to reset the key assignments? ..."

// User tools: the pop-up's title in the menu bar
#define IDS_UX_TOOLS_MENU 4664   // "&Tools"

// The menu bar: its title, the window menu's entry for the window list, the MDI buttons' tips
#define IDS_UX_MENU_BAR 4644
#define IDS_UX_MORE_WINDOWS 4653
#define IDS_UX_MINIMIZE_WINDOW 4660
#define IDS_UX_RESTORE_WINDOW 4661
#define IDS_UX_CLOSE_WINDOW 4662
