#pragma once

// Whether the window system can show a whole window translucent. On X11 that needs a running
// compositing manager; elsewhere Qt's window opacity is taken to work. Checked when constructed.
class LayeredWindowApi {
public:
    LayeredWindowApi();

    bool supported = false;

    // The constant alpha of a translucent window, of 255.
    static constexpr int alpha = 200;
};
