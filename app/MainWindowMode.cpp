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

bool MainWindow::SetWindowMode(bool on) {
    appSettings.regionMode = on;
    if (!on && region)
        region->ClearWindowRegion(this);
    menuBar()->setVisible(!on);
    FrameMetrics& metrics = placement.Metrics();
    if (!on && !metricsKnown) {
        const int menuHeight = menuBar()->sizeHint().height();
        if (menuHeight > 0)
            metrics.menu = menuHeight;
    }

    // The client area keeps its place on screen; a switch that changes nothing keeps the rect.
    const QRect kept = placement.Rect();
    QRect next = kept;
    if (on && placement.Framed())
        next = RegionRectFromFramed(FramedFromGeometry(kept, metrics), metrics);
    else if (!on && !placement.Framed())
        next = GeometryFromFramed(FramedRectFromRegion(kept, metrics), metrics);

    const bool wasPlacing = placement.placing;
    placement.placing = true;
    setWindowFlags(on ? regionFlags : framedFlags);
    placement.SetFramed(!on);
    ApplyOpacity();
    ApplyTrackingLimits();
    placement.Place(next);
    placement.placing = wasPlacing;
    return true;
}

void MainWindow::ApplyTrackingLimits() {
    if (placement.Framed()) {
        const FrameMetrics& metrics = placement.Metrics();
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
    if (!placement.Framed() || !isVisible())
        return;
    const QRect outer = frameGeometry();
    const QRect inner = geometry();
    // Until the window manager has framed the window both rectangles are the same.
    if (outer == inner)
        return;
    FrameMetrics& metrics = placement.Metrics();
    metrics.left = inner.left() - outer.left();
    metrics.top = inner.top() - outer.top();
    metrics.right = outer.right() - inner.right();
    metrics.bottom = outer.bottom() - inner.bottom();
    if (menuBar()->isVisible() && menuBar()->height() > 0)
        metrics.menu = menuBar()->height();
    metricsKnown = true;
    ApplyTrackingLimits();
}

// The window manager moves and sizes the window too, framed or not.
void MainWindow::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    placement.Moved(event->pos());
    if (!placement.placing)
        LearnFrameMetrics();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    placement.Resized(event->size());
    if (!placement.placing)
        LearnFrameMetrics();
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
    menuManager->SetModeItem(Command::Transparent,
                             !menuManager->GetModeState(Command::Transparent));
    ApplyOpacity();
}

void MainWindow::ApplyOpacity() {
    const bool translucent = layeredSupported && appSettings.regionMode && menuManager &&
                             menuManager->GetModeState(Command::Transparent);
    setWindowOpacity(translucent ? translucentAlpha / 255.0 : 1.0);
}

void MainWindow::FollowCompositor() {
    if (!compositorProbe || !menuManager)
        return;
    const bool available = compositorProbe();
    if (available == layeredSupported)
        return;
    layeredSupported = available;
    menuManager->SetLayeredAvailable(available);
    // The label was left alone while the item was greyed.
    menuManager->SetModeItem(Command::Transparent, menuManager->GetModeState(Command::Transparent));
    ApplyOpacity();
}

void MainWindow::SetCompositorProbe(std::function<bool()> probe) {
    compositorProbe = std::move(probe);
    compositorTimer.start(compositorCheckMilliseconds);
}
