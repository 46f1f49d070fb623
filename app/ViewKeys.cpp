#include "app/ViewKeys.h"

namespace {

constexpr int viewKeys[] = {Qt::Key_Up, Qt::Key_Down, Qt::Key_Left, Qt::Key_Right, Qt::Key_W,
                            Qt::Key_X,  Qt::Key_A,    Qt::Key_D,    Qt::Key_Shift};

// One axis: +step for the first key pair, -step for the second, nothing for both or neither.
double AxisStep(bool plus, bool minus) {
    double turn = plus ? ViewKeys::step : 0.0;
    if (minus)
        turn = turn == 0.0 ? -ViewKeys::step : 0.0;
    return turn;
}

} // namespace

unsigned ViewKeys::Bit(int key) {
    unsigned bit = 1;
    for (int k : viewKeys) {
        if (k == key)
            return bit;
        bit <<= 1;
    }
    return 0;
}

void ViewKeys::Press(int key, Qt::KeyboardModifiers modifiers) {
    if (modifiers & Qt::ShiftModifier)
        held |= Bit(Qt::Key_Shift);
    else
        held &= ~Bit(Qt::Key_Shift);
    held |= Bit(key);
}

void ViewKeys::Release(int key, Qt::KeyboardModifiers modifiers) {
    if (modifiers & Qt::ShiftModifier)
        held |= Bit(Qt::Key_Shift);
    else
        held &= ~Bit(Qt::Key_Shift);
    held &= ~Bit(key);
}

bool ViewKeys::IsHeld(int key) const {
    const unsigned bit = Bit(key);
    return bit != 0 && (held & bit) != 0;
}

bool ViewKeys::Step(double& yaw, double& pitch) const {
    pitch = AxisStep(IsHeld(Qt::Key_Up) || IsHeld(Qt::Key_W),
                     IsHeld(Qt::Key_Down) || IsHeld(Qt::Key_X));
    yaw = AxisStep(IsHeld(Qt::Key_Left) || IsHeld(Qt::Key_A),
                   IsHeld(Qt::Key_Right) || IsHeld(Qt::Key_D));
    if (IsHeld(Qt::Key_Shift)) {
        yaw *= shiftFactor;
        pitch *= shiftFactor;
    }
    return yaw != 0.0 || pitch != 0.0;
}
