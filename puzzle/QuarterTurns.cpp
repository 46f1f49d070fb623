#include "puzzle/QuarterTurns.h"

QuarterTurns QuarterTurns::About(int axis, bool positive) {
    QuarterTurns t;
    // The two coordinates across the axis, in right-handed order: a positive quarter turn takes
    // the first to the second.
    if (axis < 0 || axis > 2) {
        return t;
    }
    const int a = (axis + 1) % 3;
    const int b = (axis + 2) % 3;
    t.from[a] = b;
    t.from[b] = a;
    t.negate[positive ? a : b] = true;
    return t;
}

QuarterTurns QuarterTurns::Then(const QuarterTurns& next) const {
    QuarterTurns t;
    for (int i = 0; i < 3; ++i) {
        t.from[i] = from[next.from[i]];
        t.negate[i] = next.negate[i] != negate[next.from[i]];
    }
    return t;
}

void QuarterTurns::Apply(double& x, double& y, double& z) const {
    const double in[3] = {x, y, z};
    double out[3];
    for (int i = 0; i < 3; ++i) {
        out[i] = negate[i] ? -in[from[i]] : in[from[i]];
    }
    x = out[0];
    y = out[1];
    z = out[2];
}
