#include "puzzle/CMozai.h"

#include "math3d/Angles.h"
#include "persist/MoveHistory.h"
#include "puzzle/QuarterTurns.h"

#include <vector>

namespace {
// Stepping animates from a first step of 10 degrees; replay turns 89 degrees, which settles at
// once as a quarter turn.
constexpr double navigationStep = Rad10;
constexpr double replayAngle = Rad90 - Rad1;
} // namespace

void CMozai::CompleteUserTwist(int axis, int layer, bool positive) {
    if (history != nullptr) {
        history->Append(axis, layer, positive);
    }
    IsSolved();
}

void CMozai::StepThrough(int axis, int layer, bool turnPositive, TwistKind kind) {
    // The history hands out what the file held: a record that does not fit this cube is consumed
    // without turning anything.
    if (!ValidLayer(axis, layer)) {
        return;
    }
    const double step = turnPositive ? navigationStep : -navigationStep;
    BeginTwist(cubies[0][0][0]->Face(0), axis, layer, step > 0, kind);
    TurnLayer(axis, layer, step);
}

void CMozai::StepBack() {
    if (demo || hold || activeTwist || history == nullptr) {
        return;
    }
    const MoveRecord* rec = history->StepBack();
    if (rec != nullptr) {
        StepThrough(rec->axis, rec->layer, !rec->positive, TwistKind::BackTwist);
    }
}

void CMozai::StepForward() {
    if (demo || hold || activeTwist || history == nullptr) {
        return;
    }
    const MoveRecord* rec = history->StepForward();
    if (rec != nullptr) {
        StepThrough(rec->axis, rec->layer, rec->positive, TwistKind::ForwardTwist);
    }
}

void CMozai::Replay() {
    if (demo || hold || activeTwist || history == nullptr) {
        return;
    }
    history->BeginReplay();
    // From rest every record settles at once as an exact quarter turn, so the cubies only change
    // cells while each one's turns are gathered, and turn once at the end: the bits that turning
    // them move by move gives.
    const bool atRest = AllLayersAtRest();
    std::vector<QuarterTurns> turns(atRest ? static_cast<std::size_t>(cubieCount) : 0);
    for (const MoveRecord* rec = history->NextReplay(); rec != nullptr;
         rec = history->NextReplay()) {
        if (!ValidLayer(rec->axis, rec->layer)) {
            break;
        }
        if (atRest) {
            const QuarterTurns quarter = QuarterTurns::About(rec->axis, rec->positive);
            for (int u = 0; u < size; ++u) {
                for (int v = 0; v < size; ++v) {
                    QuarterTurns& t = turns[static_cast<std::size_t>(
                        LayerCell(rec->axis, rec->layer, u, v)->Id())];
                    t = t.Then(quarter);
                }
            }
            PermuteLayer(rec->axis, rec->layer, rec->positive ? Rad90 : -Rad90);
            continue;
        }
        const double angle = rec->positive ? replayAngle : -replayAngle;
        TurnLayer(rec->axis, rec->layer, angle);
        SettleLayer(rec->axis, rec->layer);
    }
    if (atRest) {
        for (int i = 0; i < size; ++i) {
            for (int j = 0; j < size; ++j) {
                for (int k = 0; k < size; ++k) {
                    CCube& cubie = *cubies[i][j][k];
                    cubie.CommitTurns(turns[static_cast<std::size_t>(cubie.Id())]);
                }
            }
        }
        Changed();
    }
    history->BeginReplay();
}
