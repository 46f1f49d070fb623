#include "app/DemoDrive.h"

#include "app/ScreenEdges.h"
#include "app/WindowPlacement.h"
#include "scene/Camera.h"

#include <cmath>

void DemoDrive::Spun(double a, double b) {
    if (motion)
        motion->SetSpin(a, b);
}

void DemoDrive::Thrown(QPoint step, const QRect& placed) {
    if (!motion)
        return;
    BounceDrift(step.rx(), step.ry(), placed.x() + placed.width() / 2,
                placed.y() + placed.height() / 2, WindowPlacement::AvailableArea());
    motion->SetDrift(step.x(), step.y());
}

void DemoDrive::Step(Camera* camera, const MoveBy& moveBy, bool holding) {
    if (!motion)
        return;
    double a = 0;
    double b = 0;
    if (motion->SpinStep(a, b) && camera)
        camera->Rotate(-a, -b);
    double dx = 0;
    double dy = 0;
    if (holding || !motion->DriftStep(dx, dy))
        return;
    const QPoint step(static_cast<int>(std::trunc(dx)), static_cast<int>(std::trunc(dy)));
    if (const std::optional<QRect> placed = moveBy(step))
        Thrown(step, *placed);
}
