#pragma once

// The two motions of demo mode: the window drift (pixels per tick) and the view spin (radians per
// tick), each set by the user's last drag and replayed on every timer tick.
class DemoMotion {
public:
    // Steps of this size or less count as no motion.
    static constexpr double DriftDeadZone = 1.0;
    static constexpr double SpinDeadZone = 0.0126;

    void SetDrift(double dx, double dy);
    void SetSpin(double a, double b);
    // False, outputs untouched, while there is no drift; otherwise writes the drift.
    bool DriftStep(double& dx, double& dy) const;
    // False, arguments untouched, while there is no spin; otherwise adds the spin to them.
    bool SpinStep(double& a, double& b) const;

    double driftX = 0.0;
    double driftY = 0.0;
    double spinX = 0.0;
    double spinY = 0.0;
};
