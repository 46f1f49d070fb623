#pragma once

#include <QRect>

// Screen-edge arithmetic of the borderless window: keeping its centre on the screen and
// bouncing the demo drift off the edges. `area` is the usable screen area with its origin; its
// right and bottom limits are exclusive (left + width, top + height). Halves of the window size
// are truncated toward zero.

// Moves (x, y), the window's top-left corner, so that the centre of the w x h window stays
// within the area's limits: at most half of the window leaves the screen on any side.
void ClampToScreen(int& x, int& y, int w, int h, const QRect& area);

// Reverses a drift step (ddx, ddy) in each direction in which the window centre (cx, cy) sits
// on or past an edge while the step heads that way.
void BounceDrift(int& ddx, int& ddy, int cx, int cy, const QRect& area);
