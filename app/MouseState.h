#pragma once

#include <QPoint>

// What the shell remembers of the mouse between events, in client coordinates.
struct MouseState {
    bool leftButtonDown = false;
    bool rightButtonDown = false;
    bool mouseCaptured = false;
    // Where the next motion is measured from.
    QPoint lastMousePos;
    // The client point kept under the cursor while both buttons drag the window; (0, 0) means
    // no two-button press has happened in region mode yet. Never reset.
    QPoint moveAnchor;
};
