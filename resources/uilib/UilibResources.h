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
