#pragma once

#include "app/WindowModeGeometry.h"

#include <QPoint>
#include <QRect>
#include <QSize>

#include <deque>

class QWidget;

// Where the main window is on screen. It keeps the top-level geometry (client area plus menu
// bar) as last placed here or as the window system last reported it, since window managers move
// windows too, and the frame around the framed window. The screen is the primary screen's usable
// area with its origin: a monitor may sit left of it, a panel may take its top or left.
class WindowPlacement {
public:
    explicit WindowPlacement(QWidget& window) : window(window) {}

    // The primary screen's usable area in global coordinates (a 300 x 300 stand-in without one).
    static QRect AvailableArea();
    // A rectangle of `size` centred in the usable area.
    static QRect Centred(const QSize& size);

    QRect Rect() const { return placement; }
    // The outer rectangle, frame included while framed.
    QRect WindowRect() const;
    bool Framed() const { return framed; }
    void SetFramed(bool on) { framed = on; }
    FrameMetrics& Metrics() { return metrics; }

    // Gives the window this top-level geometry.
    void Place(const QRect& geometry);
    // Gives the window this outer rectangle.
    void PlaceWindowRect(const QRect& outer);
    // Moves the outer top-left corner to `topLeft`, the centre held on the screen; the outer
    // rectangle placed.
    QRect MoveWindowTo(const QPoint& topLeft);
    // Grows (step > 0) or shrinks a client area of clientSize by step pixels on each axis around
    // its centre; false, nothing done, when the new size leaves minSize..maxSize or exceeds the
    // usable area's width or height. A grown window is moved inside the usable area.
    bool ResizeBy(const QSize& clientSize, int step, int menuHeight, int minSize, int maxSize);

    // A move or resize that the window system reported. The echoes of this object's own
    // placements, which can arrive after newer ones, are told apart and ignored.
    void Moved(const QPoint& topLeft);
    void Resized(const QSize& size);
    // While true (a flag switch under way), reports are ignored altogether.
    bool placing = false;

private:
    QWidget& window;
    QRect placement;
    // Whether the window now has its frame; the region mode setting changes first.
    bool framed = true;
    FrameMetrics metrics;
    // Placements sent to the window system whose reports have not come back yet.
    std::deque<QPoint> pendingMoves;
    std::deque<QSize> pendingSizes;
};
