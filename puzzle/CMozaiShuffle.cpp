#include "puzzle/CMozai.h"

#include "math3d/Angles.h"
#include "math3d/Geometry.h"
#include "persist/MoveHistory.h"

#include <cmath>

namespace {
// Stickers of one colour must face the same way within 2 degrees.
const double solvedCosine = std::cos(Rad2);
} // namespace

void CMozai::StartShuffle() {
    // At the cap no shuffle twist could start, and one left waiting would hold the cube forever.
    if (shuffleRemaining < 1 && !HistoryFull()) {
        shuffleRemaining = shuffleLength;
        Changed();
    }
}

void CMozai::SetDemo(bool on) {
    demo = on;
    shuffleRemaining = on ? shuffleLength : 0;
    Changed();
}

bool CMozai::HistoryFull() const {
    return history != nullptr && history->Count() >= maxLoadedMoves;
}

void CMozai::RandomTwist() {
    const int r = random.Next();
    double step = demo ? Rad10 : Rad90;
    const int layer = r % size;
    // Counting down from shuffleLength, the axes run 2, 1, 0, 2, 1, 0, ...
    const int axis = shuffleRemaining % axisCount;
    // The same r decides the layer and the direction, so for even N every even layer turns
    // positively and every odd layer negatively.
    if (r % 2 != 0) {
        step = -step;
    }
    BeginTwist(cubies[0][0][0]->Face(0), axis, layer, step > 0,
               demo ? TwistKind::DemoTwist : TwistKind::UserTwist);
    TurnLayer(axis, layer, step);
    shuffleRemaining -= 1;
    Changed();
    if (demo && shuffleRemaining <= 0) {
        shuffleRemaining = shuffleLength;
    }
}

bool CMozai::IsSolved() {
    Vector3D reference[colourSlotCount];
    for (int i = 0; i < size; ++i) {
        for (int j = 0; j < size; ++j) {
            for (int k = 0; k < size; ++k) {
                CCube* cubie = cubies[i][j][k].get();
                for (int f = 0; cubie != nullptr && f < CCube::faceCount; ++f) {
                    const CubeFace* face = cubie->Face(f);
                    if (face == nullptr || face->colour == 0 || face->colour == NoSticker) {
                        continue;
                    }
                    int slot = 0;
                    while (slot < colourSlotCount && colours[slot] != face->colour) {
                        ++slot;
                    }
                    if (slot == colourSlotCount) {
                        return false;
                    }
                    const Vector3D n = cubie->FaceNormal(f);
                    if (reference[slot].Length() == 0) {
                        reference[slot] = n;
                    } else if (Dot(reference[slot], n) <= solvedCosine) {
                        return false;
                    }
                }
            }
        }
    }
    if (onSolved) {
        if (history != nullptr) {
            history->Clear();
        }
        onSolved();
    }
    return true;
}
