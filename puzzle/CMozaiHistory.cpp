#include "puzzle/CMozai.h"

#include "math3d/Angles.h"
#include "persist/MoveHistory.h"

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
    CCube* placeholder = cubies[0][0][0].get();
    BeginTwist(placeholder, placeholder->Face(0), axis, layer, step > 0, kind);
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
    for (const MoveRecord* rec = history->NextReplay(); rec != nullptr;
         rec = history->NextReplay()) {
        if (!ValidLayer(rec->axis, rec->layer)) {
            break;
        }
        if (AllLayersAtRest()) {
            // 89 degrees from rest always settles as an exact quarter turn built from the rest
            // corners, so the animation step it would make first is skipped: it could not be seen.
            const double quarter = rec->positive ? Rad90 : -Rad90;
            CommitLayer(rec->axis, rec->layer, quarter);
            PermuteLayer(rec->axis, rec->layer, quarter);
            continue;
        }
        const double angle = rec->positive ? replayAngle : -replayAngle;
        TurnLayer(rec->axis, rec->layer, angle);
        SettleLayer(rec->axis, rec->layer);
    }
    history->BeginReplay();
}
