#include "app/ScreenEdges.h"

namespace {

// Both edges are tested against the centre as it was before either adjustment.
int ClampAxis(int position, int size, int low, int high) {
    const int half = size / 2;
    const int centre = position + half;
    if (centre <= low)
        position = low - half;
    if (centre >= high)
        position = high - half;
    return position;
}

int BounceAxis(int step, int centre, int low, int high) {
    if (centre <= low && step < 0)
        step = -step;
    if (centre >= high && step >= 0)
        step = -step;
    return step;
}

} // namespace

void ClampToScreen(int& x, int& y, int w, int h, const QRect& area) {
    x = ClampAxis(x, w, area.x(), area.x() + area.width());
    y = ClampAxis(y, h, area.y(), area.y() + area.height());
}

void BounceDrift(int& ddx, int& ddy, int cx, int cy, const QRect& area) {
    ddx = BounceAxis(ddx, cx, area.x(), area.x() + area.width());
    ddy = BounceAxis(ddy, cy, area.y(), area.y() + area.height());
}
