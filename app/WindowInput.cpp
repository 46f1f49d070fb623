#include "app/WindowInput.h"

#include "app/AppSettings.h"
#include "app/CommandIds.h"
#include "app/DemoDrive.h"
#include "app/MainWindow.h"
#include "app/WindowPlacement.h"
#include "math3d/Vector3D.h"
#include "math3d/Vertex3D.h"
#include "puzzle/CMozai.h"
#include "scene/Camera.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenuBar>

WindowInput::WindowInput(MainWindow& window) : window(window) {
    qApp->installEventFilter(this);
}

// The capture is Qt's implicit mouse grab, which the view holds from the first button press to
// the last release; the flag records whether the shell counts it as taken.
void WindowInput::BeginCapture(int x, int y) {
    if (mouse.mouseCaptured)
        return;
    mouse.lastMousePos = QPoint(x, y);
    mouse.mouseCaptured = true;
}

void WindowInput::EndCapture() {
    mouse.mouseCaptured = false;
}

void WindowInput::RecordMoveAnchor(int x, int y) {
    if (!appSettings.regionMode)
        return;
    mouse.moveAnchor = QPoint(x, y);
    lastDragScreenPos = mouse.moveAnchor + window.Placement().WindowRect().topLeft();
}

void WindowInput::ClearButtons() {
    mouse.leftButtonDown = false;
    mouse.rightButtonDown = false;
}

bool WindowInput::WindowDragging() const {
    return mouse.leftButtonDown && mouse.rightButtonDown && appSettings.regionMode &&
           !mouse.moveAnchor.isNull();
}

QPoint WindowInput::ClientPoint(const QPointF& local, const QPointF& global) const {
    if (WindowDragging())
        return (global - QPointF(window.Placement().WindowRect().topLeft())).toPoint();
    return local.toPoint();
}

void WindowInput::OnLeftButtonDown(int x, int y) {
    window.WakeTicks();
    MainWindow::BusyScope busy(window);
    if (appSettings.colorEditMode) {
        window.EditColourAt(x, y);
        return;
    }
    mouse.leftButtonDown = true;
    if (mouse.rightButtonDown) {
        RecordMoveAnchor(x, y);
        return;
    }
    // A twist drag begins: steps still kept for Home and End would undo the wrong moves.
    window.HistorySteps().Clear();
    BeginCapture(x, y);
    CMozai* puzzle = window.Puzzle();
    // Only a drag that began with the cube at rest owns the twist that may come up during it.
    dragOwnsTwist = puzzle && !puzzle->CurrentTwist() && puzzle->ShuffleRemaining() == 0;
    if (puzzle)
        puzzle->SetHold(true);
}

void WindowInput::OnLeftButtonUp() {
    window.WakeTicks();
    if (!mouse.leftButtonDown)
        return;
    mouse.leftButtonDown = false;
    if (CMozai* puzzle = window.Puzzle())
        puzzle->SetHold(false);
    if (!mouse.rightButtonDown)
        EndCapture();
}

void WindowInput::OnRightButtonDown(int x, int y) {
    window.WakeTicks();
    mouse.rightButtonDown = true;
    if (mouse.leftButtonDown) {
        // The second button means a window move, not a twist: the layer the drag has turned
        // so far goes back before the window moves.
        CMozai* puzzle = window.Puzzle();
        const ActiveTwist* twist = puzzle ? puzzle->CurrentTwist() : nullptr;
        if (dragOwnsTwist && twist && twist->kind == TwistKind::UserTwist &&
            puzzle->ShuffleRemaining() == 0)
            puzzle->CancelTwist();
        dragOwnsTwist = false;
        RecordMoveAnchor(x, y);
    } else {
        BeginCapture(x, y);
    }
}

void WindowInput::OnRightButtonUp() {
    window.WakeTicks();
    if (!mouse.rightButtonDown)
        return;
    mouse.rightButtonDown = false;
    if (!mouse.leftButtonDown)
        EndCapture();
}

void WindowInput::OnFocusLost() {
    // A twist drag cut short must not leave the puzzle held; the banner's hold stays.
    CMozai* puzzle = window.Puzzle();
    if (mouse.leftButtonDown && puzzle && appSettings.dialogBitmapId == AppSettings::noDialogBitmap)
        puzzle->SetHold(false);
    ClearButtons();
    EndCapture();
    viewKeys.Clear();
}

void WindowInput::OnMouseMove(int x, int y) {
    window.WakeTicks();
    MainWindow::BusyScope busy(window);
    if (!mouse.leftButtonDown && !mouse.rightButtonDown) {
        if (mouse.mouseCaptured)
            EndCapture();
        return;
    }
    Camera* camera = window.SceneCamera();
    if (!camera)
        return;
    if (mouse.leftButtonDown && mouse.rightButtonDown) {
        if (!mouse.moveAnchor.isNull())
            DragWindow(x, y);
        return;
    }
    const int dx = x - mouse.lastMousePos.x();
    const int dy = y - mouse.lastMousePos.y();
    if (dx == 0 && dy == 0)
        return;
    const QRect outer = window.Placement().WindowRect();
    if (outer.width() <= 0)
        return;
    const double s = MainWindow::dragReferenceWidth / outer.width();

    if (mouse.leftButtonDown) {
        const double dx1 = dx / MainWindow::twistPixelsPerRadian;
        const double dy1 = dy / MainWindow::twistPixelsPerRadian;
        const Vertex3D p =
            camera->Unproject(ScreenPoint{mouse.lastMousePos.x(), mouse.lastMousePos.y()});
        const Vector3D ray(camera->GetPosition(), p);
        // Screen y grows downwards, so upward motion gives a positive vertical drag.
        const Vector3D horizontal = camera->GetRight() * (s * dx1);
        const Vector3D vertical = camera->GetUp() * (-s * dy1);
        if (CMozai* puzzle = window.Puzzle())
            puzzle->Drag(p, ray, horizontal, vertical, *camera);
    } else {
        const double dx2 = dx / MainWindow::viewPixelsPerRadian;
        const double dy2 = dy / MainWindow::viewPixelsPerRadian;
        window.demo.Spun(dx2, dy2);
        camera->Rotate(-s * dx2, -s * dy2);
    }
    mouse.lastMousePos = QPoint(x, y);
}

void WindowInput::DragWindow(int x, int y) {
    const QPoint screenPos = QPoint(x, y) + window.Placement().WindowRect().topLeft();
    const std::optional<QRect> placed = MoveWindowTo(x, y);
    // A thrown window keeps the pointer's last step, not the distance the window moved: the
    // window may lag behind the pointer or stop at an edge.
    if (placed)
        window.demo.Thrown(screenPos - lastDragScreenPos, *placed);
    lastDragScreenPos = screenPos;
}

std::optional<QRect> WindowInput::MoveWindowTo(int x, int y) {
    return MoveWindowBy(QPoint(x, y) - mouse.moveAnchor);
}

std::optional<QRect> WindowInput::MoveWindowBy(const QPoint& step) {
    if (!appSettings.regionMode)
        return std::nullopt;
    WindowPlacement& placement = window.Placement();
    return placement.MoveWindowTo(placement.WindowRect().topLeft() + step);
}

bool WindowInput::ResizeBy(int step) {
    if (!window.ReadClientRect())
        return false;
    const int menu = window.menuBar()->isHidden() ? 0 : window.Placement().Metrics().menu;
    if (window.Placement().ResizeBy(appSettings.clientRect.size(), step, menu,
                                    MainWindow::minClientSize, MainWindow::maxClientSize) &&
        appSettings.useDirect3D)
        window.ResetRendererForSize();
    return true;
}

// A resize that cannot read the client rectangle leaves the window as it is.
void WindowInput::OnMouseWheel(int delta) {
    window.WakeTicks();
    if (!appSettings.regionMode)
        return;
    ResizeBy(delta > 0 ? MainWindow::resizeStep : -MainWindow::resizeStep);
}

void WindowInput::KeyPressed(const QKeyEvent& event) {
    window.WakeTicks();
    const int key = event.key();
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    if ((modifiers & Qt::AltModifier) && (key == Qt::Key_Question || key == Qt::Key_Slash)) {
        window.OnCommand(Command::About);
        return;
    }
    // The desktop's way to a menu, for a window without a menu bar or a tray.
    if (key == Qt::Key_Menu || (key == Qt::Key_F10 && (modifiers & Qt::ShiftModifier))) {
        window.ShowMenuAtWindow();
        return;
    }
    viewKeys.Press(key, modifiers);
    OnKeyDown(key, event.isAutoRepeat());
}

void WindowInput::KeyReleased(const QKeyEvent& event) {
    // The releases in between auto-repeated presses do not let the key go.
    if (!event.isAutoRepeat())
        viewKeys.Release(event.key(), event.modifiers());
}

bool WindowInput::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if ((type == QEvent::KeyPress || type == QEvent::KeyRelease) &&
        QApplication::activeModalWidget() != nullptr && watched->isWidgetType()) {
        const auto* key = static_cast<const QKeyEvent*>(event);
        window.WakeTicks();
        if (type == QEvent::KeyPress)
            viewKeys.Press(key->key(), key->modifiers());
        else if (!key->isAutoRepeat())
            viewKeys.Release(key->key(), key->modifiers());
    }
    return false;
}

void WindowInput::OnKeyDown(int key, bool autoRepeat) {
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        window.ToggleRegion(false);
        break;
    case Qt::Key_Space:
        window.ToggleColorEdit();
        break;
    case Qt::Key_PageUp:
        if (appSettings.regionMode)
            ResizeBy(MainWindow::resizeStep);
        break;
    case Qt::Key_PageDown:
        if (appSettings.regionMode)
            ResizeBy(-MainWindow::resizeStep);
        break;
    case Qt::Key_End:
    case Qt::Key_Home:
        window.HistorySteps().Press(window.Puzzle(), window.History(), key == Qt::Key_Home,
                                    autoRepeat);
        break;
    default:
        break;
    }
}
