// Mouse, wheel and keys of the main window: the button state machine with its capture, the
// twist and view drags, the two-button window drag, and resizing around the centre.

#include "app/AppSettings.h"
#include "app/CommandIds.h"
#include "app/DemoMotion.h"
#include "app/FrameView.h"
#include "app/MainWindow.h"
#include "app/MenuManager.h"
#include "app/ScreenEdges.h"
#include "math3d/Vector3D.h"
#include "math3d/Vertex3D.h"
#include "puzzle/CMozai.h"
#include "scene/Camera.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QScreen>

// The capture is Qt's implicit mouse grab, which the view holds from the first button press to
// the last release; the flag records whether the shell counts it as taken.
void MainWindow::BeginCapture(int x, int y) {
    if (mouse.mouseCaptured)
        return;
    mouse.lastMousePos = QPoint(x, y);
    mouse.mouseCaptured = true;
}

void MainWindow::EndCapture() {
    mouse.mouseCaptured = false;
}

void MainWindow::RecordMoveAnchor(int x, int y) {
    if (appSettings.regionMode)
        mouse.moveAnchor = QPoint(x, y);
}

QPoint MainWindow::ClientPoint(const QPointF& local, const QPointF& global) const {
    // The borderless window moves under the cursor while it is dragged, and the window system
    // reports the move late; measured against the kept placement the point stays steady.
    if (appSettings.regionMode && !framed)
        return (global - QPointF(placement.topLeft())).toPoint();
    return local.toPoint();
}

void MainWindow::OnLeftButtonDown(int x, int y) {
    BusyScope busy(*this);
    if (appSettings.colorEditMode) {
        EditColourAt(x, y);
        return;
    }
    mouse.leftButtonDown = true;
    if (mouse.rightButtonDown) {
        RecordMoveAnchor(x, y);
        return;
    }
    BeginCapture(x, y);
    if (puzzle)
        puzzle->SetHold(true);
}

void MainWindow::OnLeftButtonUp() {
    if (!mouse.leftButtonDown)
        return;
    mouse.leftButtonDown = false;
    if (puzzle)
        puzzle->SetHold(false);
    if (!mouse.rightButtonDown)
        EndCapture();
}

void MainWindow::OnRightButtonDown(int x, int y) {
    mouse.rightButtonDown = true;
    if (mouse.leftButtonDown)
        RecordMoveAnchor(x, y);
    else
        BeginCapture(x, y);
}

void MainWindow::OnRightButtonUp() {
    if (!mouse.rightButtonDown)
        return;
    mouse.rightButtonDown = false;
    if (!mouse.leftButtonDown)
        EndCapture();
}

void MainWindow::OnFocusLost() {
    // A twist drag cut short must not leave the puzzle held; the banner's hold stays.
    if (mouse.leftButtonDown && puzzle && appSettings.dialogBitmapId == AppSettings::noDialogBitmap)
        puzzle->SetHold(false);
    mouse.leftButtonDown = false;
    mouse.rightButtonDown = false;
    EndCapture();
    viewKeys.Clear();
}

void MainWindow::OnMouseMove(int x, int y) {
    BusyScope busy(*this);
    if (!mouse.leftButtonDown && !mouse.rightButtonDown) {
        if (mouse.mouseCaptured)
            EndCapture();
        return;
    }
    if (!camera)
        return;
    if (mouse.leftButtonDown && mouse.rightButtonDown) {
        if (!mouse.moveAnchor.isNull())
            MoveWindowTo(x, y);
        return;
    }
    const int dx = x - mouse.lastMousePos.x();
    const int dy = y - mouse.lastMousePos.y();
    if (dx == 0 && dy == 0)
        return;
    const QRect window = WindowRect();
    if (window.width() <= 0)
        return;
    const double s = dragReferenceWidth / window.width();

    if (mouse.leftButtonDown) {
        const double dx1 = dx / twistPixelsPerRadian;
        const double dy1 = dy / twistPixelsPerRadian;
        const Vertex3D p =
            camera->Unproject(ScreenPoint{mouse.lastMousePos.x(), mouse.lastMousePos.y()});
        const Vector3D ray(camera->GetPosition(), p);
        // Screen y grows downwards, so upward motion gives a positive vertical drag.
        const Vector3D horizontal = camera->GetRight() * (s * dx1);
        const Vector3D vertical = camera->GetUp() * (-s * dy1);
        if (puzzle)
            puzzle->Drag(p, ray, horizontal, vertical, *camera);
    } else {
        const double dx2 = dx / viewPixelsPerRadian;
        const double dy2 = dy / viewPixelsPerRadian;
        if (menuManager && menuManager->GetDemoState() && demo)
            demo->SetSpin(dx2, dy2);
        if (camera)
            camera->Rotate(-s * dx2, -s * dy2);
    }
    mouse.lastMousePos = QPoint(x, y);
}

void MainWindow::ClampToScreen(int& x, int& y, int w, int h) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    const QSize full = screen->availableGeometry().size();
    ::ClampToScreen(x, y, w, h, full.width(), full.height());
}

void MainWindow::MoveWindowTo(int x, int y) {
    if (!appSettings.regionMode)
        return;
    const QRect window = WindowRect();
    const int w = window.width();
    const int h = window.height();
    int newX = window.x() + (x - mouse.moveAnchor.x());
    int newY = window.y() + (y - mouse.moveAnchor.y());
    ClampToScreen(newX, newY, w, h);
    const QRect moved(newX, newY, w, h);
    Place(framed ? GeometryFromFramed(moved, metrics) : moved);

    if (menuManager && menuManager->GetDemoState() && demo) {
        // The window was thrown: it keeps going, turned back where its centre meets an edge.
        int ddx = x - mouse.moveAnchor.x();
        int ddy = y - mouse.moveAnchor.y();
        const QScreen* screen = QGuiApplication::primaryScreen();
        const QSize full = screen ? screen->availableGeometry().size() : QSize();
        BounceDrift(ddx, ddy, newX + w / 2, newY + h / 2, full.width(), full.height());
        demo->SetDrift(ddx, ddy);
    }
}

bool MainWindow::ResizeBy(int step) {
    if (!ReadClientRect())
        return false;
    const QRect& client = appSettings.clientRect;
    const int newW = client.width() + step;
    const int newH = client.height() + step;
    if (newW < minClientSize || newW > maxClientSize || newH < minClientSize ||
        newH > maxClientSize)
        return true;
    // The client's top-left on screen: below the menu bar, if one shows.
    QPoint origin = placement.topLeft();
    if (!menuBar()->isHidden())
        origin.ry() += metrics.menu;
    const QRect resized(origin.x() - step / 2, origin.y() - step / 2, newW, newH);
    Place(framed ? GeometryFromFramed(resized, metrics) : resized);
    if (appSettings.useDirect3D)
        ResetRendererForSize();
    return true;
}

// A resize that cannot read the client rectangle leaves the window as it is.
void MainWindow::OnMouseWheel(int delta) {
    if (!appSettings.regionMode)
        return;
    ResizeBy(delta > 0 ? resizeStep : -resizeStep);
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if ((event->modifiers() & Qt::AltModifier) &&
        (key == Qt::Key_Question || key == Qt::Key_Slash)) {
        OnCommand(Command::About);
        return;
    }
    viewKeys.Press(key, event->modifiers());
    OnKeyDown(key);
}

void MainWindow::keyReleaseEvent(QKeyEvent* event) {
    // The releases in between auto-repeated presses do not let the key go.
    if (!event->isAutoRepeat())
        viewKeys.Release(event->key(), event->modifiers());
}

void MainWindow::OnKeyDown(int key) {
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        ToggleRegion(false);
        break;
    case Qt::Key_Space:
        ToggleColorEdit();
        break;
    case Qt::Key_PageUp:
        if (appSettings.regionMode)
            ResizeBy(resizeStep);
        break;
    case Qt::Key_PageDown:
        if (appSettings.regionMode)
            ResizeBy(-resizeStep);
        break;
    case Qt::Key_End:
        if (puzzle)
            puzzle->StepForward();
        break;
    case Qt::Key_Home:
        if (puzzle)
            puzzle->StepBack();
        break;
    default:
        break;
    }
}
