#pragma once

#include "app/MouseState.h"
#include "app/ViewKeys.h"

#include <QObject>
#include <QPoint>
#include <QPointF>
#include <QRect>

#include <optional>

class MainWindow;
class QKeyEvent;

// The main window's mouse, wheel and keys: the button state machine with its capture, the
// twist and view drags, the two-button window drag, resizing around the centre, the key table
// and the held view keys. Positions are client pixels; the window hands every event here.
class WindowInput : public QObject {
    Q_OBJECT

public:
    explicit WindowInput(MainWindow& window);

    void OnLeftButtonDown(int x, int y);
    void OnLeftButtonUp();
    void OnRightButtonDown(int x, int y);
    void OnRightButtonUp();
    void OnMouseMove(int x, int y);
    void OnMouseWheel(int delta);
    void OnFocusLost();
    // A key event of the main window: shortcuts, the key table, the held view keys.
    void KeyPressed(const QKeyEvent& event);
    void KeyReleased(const QKeyEvent& event);

    // Moves the shaped window so that the move anchor lies under client point (x, y); the outer
    // rectangle placed, or nothing while the window is framed.
    std::optional<QRect> MoveWindowTo(int x, int y);
    // The same for a step of the whole window.
    std::optional<QRect> MoveWindowBy(const QPoint& step);
    bool ResizeBy(int step);
    // The client point of an event. While both buttons carry the window it is measured from
    // where the window was placed, not from where the window system has it yet, so the window's
    // own motion never feeds back into the drag.
    QPoint ClientPoint(const QPointF& local, const QPointF& global) const;
    // Both buttons hold the shaped window.
    bool WindowDragging() const;
    // StartUp clears the button flags.
    void ClearButtons();

    const MouseState& Mouse() const { return mouse; }
    ViewKeys& HeldKeys() { return viewKeys; }
    const ViewKeys& HeldKeys() const { return viewKeys; }

protected:
    // While a modal dialog has the keyboard, the view keys still turn the cube.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The key table, after KeyPressed.
    void OnKeyDown(int key, bool autoRepeat);
    void BeginCapture(int x, int y);
    void EndCapture();
    void RecordMoveAnchor(int x, int y);
    void DragWindow(int x, int y);

    MainWindow& window;
    MouseState mouse;
    ViewKeys viewKeys;
    // The left drag under way began with no twist running, so a twist now running is its own.
    bool dragOwnsTwist = false;
    // The screen point of the last window-drag event: the drift is the pointer's last step.
    QPoint lastDragScreenPos;
};
