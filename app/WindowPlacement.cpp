#include "app/WindowPlacement.h"

#include "app/ScreenEdges.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace {

// More echoes than this outstanding means the window system dropped some.
constexpr std::size_t maxPending = 64;

template <typename T> void Remember(std::deque<T>& pending, const T& value) {
    pending.push_back(value);
    if (pending.size() > maxPending)
        pending.pop_front();
}

// True when `value` is an echo still expected; it and every older echo are then consumed.
template <typename T> bool ConsumeEcho(std::deque<T>& pending, const T& value) {
    const auto found = std::find(pending.begin(), pending.end(), value);
    if (found == pending.end())
        return false;
    pending.erase(pending.begin(), found + 1);
    return true;
}

} // namespace

QRect WindowPlacement::AvailableArea() {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        return screen->availableGeometry();
    return QRect(0, 0, 300, 300);
}

QRect WindowPlacement::Centred(const QSize& size) {
    const QRect area = AvailableArea();
    return QRect(area.x() + (area.width() - size.width()) / 2,
                 area.y() + (area.height() - size.height()) / 2, size.width(), size.height());
}

QRect WindowPlacement::WindowRect() const {
    return framed ? FramedFromGeometry(placement, metrics) : placement;
}

void WindowPlacement::Place(const QRect& geometry) {
    placement = geometry;
    Remember(pendingMoves, geometry.topLeft());
    Remember(pendingSizes, geometry.size());
    const bool wasPlacing = placing;
    placing = true;
    window.setGeometry(geometry);
    placing = wasPlacing;
}

void WindowPlacement::PlaceWindowRect(const QRect& outer) {
    Place(framed ? GeometryFromFramed(outer, metrics) : outer);
}

QRect WindowPlacement::MoveWindowTo(const QPoint& topLeft) {
    const QRect outer = WindowRect();
    int x = topLeft.x();
    int y = topLeft.y();
    ClampToScreen(x, y, outer.width(), outer.height(), AvailableArea());
    const QRect moved(x, y, outer.width(), outer.height());
    PlaceWindowRect(moved);
    return moved;
}

bool WindowPlacement::ResizeBy(const QSize& clientSize, int step, int menuHeight, int minSize,
                               int maxSize) {
    // The window never grows past the usable area, so it always fits inside it.
    const QRect area = AvailableArea();
    maxSize = std::min({maxSize, area.width(), area.height()});
    const int w = clientSize.width() + step;
    const int h = clientSize.height() + step;
    if (w < minSize || w > maxSize || h < minSize || h > maxSize)
        return false;
    // The client's top-left on screen: below the menu bar, if one shows.
    const QPoint origin = placement.topLeft() + QPoint(0, menuHeight);
    QRect grown(origin.x() - step / 2, origin.y() - step / 2, w, h);
    // Grown near an edge, it is moved back inside the usable area.
    if (step > 0) {
        grown.moveLeft(std::clamp(grown.left(), area.left(), area.left() + area.width() - w));
        grown.moveTop(std::clamp(grown.top(), area.top(), area.top() + area.height() - h));
    }
    PlaceWindowRect(grown);
    return true;
}

void WindowPlacement::Moved(const QPoint& topLeft) {
    if (placing || !window.isVisible() || ConsumeEcho(pendingMoves, topLeft))
        return;
    placement.moveTopLeft(topLeft);
    pendingMoves.clear();
}

void WindowPlacement::Resized(const QSize& size) {
    if (placing || !window.isVisible() || ConsumeEcho(pendingSizes, size))
        return;
    placement.setSize(size);
    pendingSizes.clear();
}
