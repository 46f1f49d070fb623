#pragma once

#include "app/DemoMotion.h"

#include <QPoint>
#include <QRect>

#include <functional>
#include <memory>
#include <optional>

class Camera;

// The motions of demo mode on the desktop: the view keeps the spin of the last view drag, and
// the window keeps drifting by the last pointer step of the last two-button drag, turned back
// where its centre meets an edge of the screen. The motion exists only while the demo runs;
// outside it the calls do nothing.
class DemoDrive {
public:
    // Moves the window by a step; the outer rectangle placed, or nothing when the window is not
    // shaped to the cube and so does not move.
    using MoveBy = std::function<std::optional<QRect>(const QPoint& step)>;

    // Starts from rest.
    void Start() { motion = std::make_unique<DemoMotion>(); }
    void Stop() { motion.reset(); }
    DemoMotion* Motion() const { return motion.get(); }

    // A view drag step, in radians.
    void Spun(double a, double b);
    // The window was moved by `step` to `placed`: that is the drift from now on.
    void Thrown(QPoint step, const QRect& placed);
    // One tick: the spin turns `camera`; unless `holding` (the pointer carries the window), the
    // drift moves the window.
    void Step(Camera* camera, const MoveBy& moveBy, bool holding);

private:
    std::unique_ptr<DemoMotion> motion;
};
