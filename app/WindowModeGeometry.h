#pragma once

#include <QRect>

// The parts of a framed window around its client area. Until a framed window has been shown the
// sizes are the classic ones: 4-pixel borders, a 23-pixel caption, a 20-pixel menu bar.
struct FrameMetrics {
    static constexpr int defaultBorder = 4;
    static constexpr int defaultCaption = 23;
    static constexpr int defaultMenu = 20;

    int left = defaultBorder;
    // Caption and top border.
    int top = defaultCaption + defaultBorder;
    int right = defaultBorder;
    int bottom = defaultBorder;
    int menu = defaultMenu;
};

// Window rectangles across a switch between framed and region mode. A framed rectangle is the
// outer one, frame included; a region rectangle is the whole borderless window. The client
// area's top-left corner stays where it is on screen, and the bottom border is not taken off,
// so the borderless window ends `bottom` pixels taller than the old client area. Switching back
// with the same metrics restores the framed rectangle exactly.
QRect RegionRectFromFramed(const QRect& framed, const FrameMetrics& m);
QRect FramedRectFromRegion(const QRect& region, const FrameMetrics& m);

// A framed window's top-level geometry (client area with the menu bar) from its outer
// rectangle, and back.
QRect GeometryFromFramed(const QRect& framed, const FrameMetrics& m);
QRect FramedFromGeometry(const QRect& geometry, const FrameMetrics& m);
