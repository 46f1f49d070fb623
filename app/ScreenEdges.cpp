#include "app/ScreenEdges.h"

namespace {

// Both edges are tested against the centre as it was before either adjustment.
int ClampAxis(int position, int size, int full) {
    const int half = size / 2;
    const int centre = position + half;
    if (centre <= 0)
        position = -half;
    if (centre >= full)
        position = full - half;
    return position;
}

int BounceAxis(int step, int centre, int full) {
    if (centre <= 0 && step < 0)
        step = -step;
    if (centre >= full && step >= 0)
        step = -step;
    return step;
}

} // namespace

void ClampToScreen(int& x, int& y, int w, int h, int fullW, int fullH) {
    x = ClampAxis(x, w, fullW);
    y = ClampAxis(y, h, fullH);
}

void BounceDrift(int& ddx, int& ddy, int cx, int cy, int fullW, int fullH) {
    ddx = BounceAxis(ddx, cx, fullW);
    ddy = BounceAxis(ddy, cy, fullH);
}
