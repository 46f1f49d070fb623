#pragma once

#include "math3d/Angles.h"

#include <Qt>

// The keys that turn the view while held: the arrows, W, A, D, X, and Shift to speed them up.
// The set is kept from key press and release events and read once per timer tick.
class ViewKeys {
public:
    // Turn per tick while a key is held, and the factor with Shift.
    static constexpr double step = Rad10;
    static constexpr double shiftFactor = 3.0;

    // Keys other than the view keys are ignored; the modifiers refresh the Shift state.
    void Press(int key, Qt::KeyboardModifiers modifiers);
    void Release(int key, Qt::KeyboardModifiers modifiers);
    // Everything up, as after the window lost the focus.
    void Clear() { held = 0; }
    bool IsHeld(int key) const;

    // This tick's turn: pitch up with Up or W, down with Down or X; yaw left with Left or A,
    // right with Right or D. Opposite keys cancel. False when there is nothing to turn.
    bool Step(double& yaw, double& pitch) const;

private:
    // The bit of a view key, or 0 for any other key.
    static unsigned Bit(int key);

    unsigned held = 0;
};
