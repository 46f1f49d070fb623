#pragma once

#include "scene/Colour.h"

// A window pixel; projected coordinates are truncated toward zero.
struct ScreenPoint {
    int x = 0;
    int y = 0;
    bool operator==(const ScreenPoint& o) const { return x == o.x && y == o.y; }
};

// What the camera's painter needs of a raster surface. The frame painter implements it on a
// QImage; tests implement it by recording the calls.
class Canvas {
public:
    virtual ~Canvas() = default;
    // Fills a polygon of 3 or 4 points with `fill` and outlines it one pixel wide in black.
    virtual void FillPolygon(const ScreenPoint* points, int count, COLORREF fill) = 0;
    // Draws a one-pixel line between two points.
    virtual void DrawLine(ScreenPoint from, ScreenPoint to, COLORREF colour) = 0;
};
