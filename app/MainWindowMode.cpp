// Framed and region mode of the main window, its translucency, and where it is on screen.

#include "app/AppSettings.h"
#include "app/CommandIds.h"
#include "app/MainWindow.h"
#include "app/MenuManager.h"
#include "render/WindowRegion.h"

#include <QMenuBar>
#include <QMoveEvent>
#include <QResizeEvent>

namespace {

constexpr Qt::WindowFlags regionFlags =
    Qt::Window | Qt::FramelessWindowHint | Qt::Tool | Qt::WindowStaysOnTopHint;
constexpr Qt::WindowFlags framedFlags = Qt::Window;

} // namespace

QRect MainWindow::WindowRect() const {
    return framed ? FramedFromGeometry(placement, metrics) : placement;
}

void MainWindow::Place(const QRect& geometry) {
    placement = geometry;
    const bool wasPlacing = placing;
    placing = true;
    setGeometry(geometry);
    placing = wasPlacing;
}

bool MainWindow::SetWindowMode(bool on) {
    appSettings.regionMode = on;
    if (!on && region)
        region->ClearWindowRegion(this);
    menuBar()->setVisible(!on);
    if (!on && !metricsKnown) {
        const int menuHeight = menuBar()->sizeHint().height();
        if (menuHeight > 0)
            metrics.menu = menuHeight;
    }

    // The client area keeps its place on screen; a switch that changes nothing keeps the rect.
    QRect next = placement;
    if (on && framed)
        next = RegionRectFromFramed(FramedFromGeometry(placement, metrics), metrics);
    else if (!on && !framed)
        next = GeometryFromFramed(FramedRectFromRegion(placement, metrics), metrics);

    const bool wasPlacing = placing;
    placing = true;
    setWindowFlags(on ? regionFlags : framedFlags);
    framed = !on;
    if (on && menuManager && menuManager->GetModeState(Command::Transparent)) {
        if (layeredSupported)
            setWindowOpacity(translucentAlpha / 255.0);
    } else {
        setWindowOpacity(1.0);
    }
    ApplyTrackingLimits();
    Place(next);
    placing = wasPlacing;
    return true;
}

void MainWindow::ApplyTrackingLimits() {
    if (framed) {
        const int frameW = metrics.left + metrics.right;
        const int frameH = metrics.top + metrics.bottom;
        setMinimumSize(std::max(0, minTrackWidth - frameW), std::max(0, minTrackHeight - frameH));
        setMaximumSize(maxTrackSize - frameW, maxTrackSize - frameH);
    } else {
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }
}

void MainWindow::LearnFrameMetrics() {
    if (!framed || !isVisible())
        return;
    const QRect outer = frameGeometry();
    const QRect inner = geometry();
    // Until the window manager has framed the window both rectangles are the same.
    if (outer == inner)
        return;
    metrics.left = inner.left() - outer.left();
    metrics.top = inner.top() - outer.top();
    metrics.right = outer.right() - inner.right();
    metrics.bottom = outer.bottom() - inner.bottom();
    if (menuBar()->isVisible() && menuBar()->height() > 0)
        metrics.menu = menuBar()->height();
    metricsKnown = true;
    ApplyTrackingLimits();
}

// Only the user moves and sizes the framed window; the borderless one moves only here.
void MainWindow::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    if (framed && !placing && isVisible() && event->spontaneous()) {
        placement.moveTopLeft(event->pos());
        LearnFrameMetrics();
    }
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (framed && !placing && isVisible() && event->spontaneous()) {
        placement.setSize(event->size());
        LearnFrameMetrics();
    }
}

void MainWindow::ToggleRegion(bool fromMenu) {
    if (!menuManager)
        return;
    const bool on = !appSettings.regionMode;
    hide();
    SetWindowMode(on);
    show();
    activateWindow();
    menuManager->SetModeItem(Command::Region, on);
    // The menu command leaves the window opaque; the Enter key keeps what the switch set.
    if (on && fromMenu)
        setWindowOpacity(1.0);
}

void MainWindow::ToggleTransparency() {
    if (!menuManager)
        return;
    if (!menuManager->GetModeState(Command::Transparent)) {
        menuManager->SetModeItem(Command::Transparent, true);
        if (layeredSupported && appSettings.regionMode)
            setWindowOpacity(translucentAlpha / 255.0);
    } else {
        menuManager->SetModeItem(Command::Transparent, false);
        setWindowOpacity(1.0);
    }
}
