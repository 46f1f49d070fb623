#pragma once

// Screen-edge arithmetic of the borderless window: keeping its centre on the screen and
// bouncing the demo drift off the edges. fullW and fullH are the usable screen size; halves of
// the window size are truncated toward zero.

// Moves (x, y), the window's top-left corner, so that the centre of the w x h window stays
// within 0..fullW and 0..fullH: at most half of the window leaves the screen on any side.
void ClampToScreen(int& x, int& y, int w, int h, int fullW, int fullH);

// Reverses a drift step (ddx, ddy) in each direction in which the window centre (cx, cy) sits
// on or past an edge while the step heads that way.
void BounceDrift(int& ddx, int& ddy, int cx, int cy, int fullW, int fullH);
