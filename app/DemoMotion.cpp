#include "app/DemoMotion.h"

namespace {

double OutsideDeadZone(double value, double deadZone) {
    return value < -deadZone || value > deadZone ? value : 0.0;
}

} // namespace

void DemoMotion::SetDrift(double dx, double dy) {
    driftX = OutsideDeadZone(dx, DriftDeadZone);
    driftY = OutsideDeadZone(dy, DriftDeadZone);
}

void DemoMotion::SetSpin(double a, double b) {
    spinX = OutsideDeadZone(a, SpinDeadZone);
    spinY = OutsideDeadZone(b, SpinDeadZone);
}

bool DemoMotion::DriftStep(double& dx, double& dy) const {
    if (driftX == 0.0 && driftY == 0.0)
        return false;
    dx = driftX;
    dy = driftY;
    return true;
}

bool DemoMotion::SpinStep(double& a, double& b) const {
    if (spinX == 0.0 && spinY == 0.0)
        return false;
    a += spinX;
    b += spinY;
    return true;
}
