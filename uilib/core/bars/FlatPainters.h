// The flat look's drawing of tool-bar parts as plain functions of what the bar hands over, in the blended
// colours of the look data: a button by its state, a separator, the shadow of an open drop-down.
#pragma once

#include "uilib/core/base/LookPainters.h"

// Fill by state (checked, hot, pressed, indeterminate, disabled), the frame, drop-down arrows, the image
// (shadowed while hot, in one colour while disabled), the label and a colour drop-down's strip.
void UXDrawFlatToolButton(CDC* dc, const CUXToolButtonState& button);
// The bar's background with a line 3 pixels in; a separator that ends a row draws a line across the client
// area at its middle.
void UXDrawFlatToolSeparator(CDC* dc, const CRect& rect, BOOL wrapped, const CRect& client, COLORREF back);
// The shadow right of and below a button (nothing when the look data has menu shadows off), and the area it
// covers.
void UXDrawFlatDropShadow(CDC* dc, const CRect& button);
CRect UXFlatDropShadowRect(const CRect& button);
