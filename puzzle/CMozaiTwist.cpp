#include "puzzle/CMozai.h"

#include "math3d/Angles.h"
#include "persist/MoveHistory.h"

#include <utility>

namespace {
// A twist past this angle completes as a quarter turn (88 degrees).
constexpr double completeAngle = Rad90 - Rad2;
// Half-widths of the cancel windows; the one about Z is narrower.
constexpr double cancelWindow[CMozai::axisCount] = {Rad2, Rad2, Rad1};
// Tick eases in and out: small steps near rest and near the quarter turn.
constexpr double fastStep = Rad10;
constexpr double slowStep = Rad2;
constexpr double easeOutAngle = Rad90 - Rad10;
} // namespace

std::unique_ptr<CCube>& CMozai::LayerCell(int axis, int layer, int u, int v) {
    switch (axis) {
    case 0:
        return cubies[layer][u][v];
    case 1:
        return cubies[u][layer][v];
    default:
        return cubies[u][v][layer];
    }
}

void CMozai::TurnLayer(int axis, int layer, double angle) {
    if (!ValidLayer(axis, layer)) {
        return;
    }
    for (int a = 0; a < axisCount; ++a) {
        for (int l = 0; a != axis && l < size; ++l) {
            if (layerAngle[a][l] != 0) {
                return;
            }
        }
    }
    layerAngle[axis][layer] += angle;
    Changed();
    const CubieTurn turn(angle, axis);
    for (int u = 0; u < size; ++u) {
        for (int v = 0; v < size; ++v) {
            LayerCell(axis, layer, u, v)->TurnCorners(turn);
        }
    }
}

void CMozai::CommitLayer(int axis, int layer, double angle) {
    const CubieTurn turn(angle, axis);
    for (int u = 0; u < size; ++u) {
        for (int v = 0; v < size; ++v) {
            LayerCell(axis, layer, u, v)->CommitTurn(turn);
        }
    }
    layerAngle[axis][layer] = 0;
    Changed();
}

TwistResult CMozai::SettleLayer(int axis, int layer) {
    if (!ValidLayer(axis, layer)) {
        DiscardTwist();
        return TwistResult::TwistRefused;
    }
    for (int a = 0; a < axisCount; ++a) {
        for (int l = 0; l < size; ++l) {
            if ((a != axis || l != layer) && layerAngle[a][l] != 0) {
                DiscardTwist();
                return TwistResult::TwistRefused;
            }
        }
    }
    const double a = layerAngle[axis][layer];
    const double w = cancelWindow[axis];
    if (a > completeAngle) {
        CommitLayer(axis, layer, Rad90);
        PermuteLayer(axis, layer, Rad90);
        DiscardTwist();
        return TwistResult::TwistDonePositive;
    }
    if (-w < a && a <= w) {
        CommitLayer(axis, layer, 0);
        DiscardTwist();
        return TwistResult::TwistCancelled;
    }
    if (a < -completeAngle) {
        CommitLayer(axis, layer, -Rad90);
        PermuteLayer(axis, layer, -Rad90);
        DiscardTwist();
        return TwistResult::TwistDoneNegative;
    }
    return TwistResult::TwistRunning;
}

void CMozai::PermuteLayer(int axis, int layer, double angle) {
    if (!ValidLayer(axis, layer)) {
        return;
    }
    // The slice's (u, v) order is right-handed about X and Z but not about Y.
    const double s = axis == 1 ? -angle : angle;
    auto transpose = [&] {
        for (int u = 0; u < size; ++u) {
            for (int v = u + 1; v < size; ++v) {
                std::swap(LayerCell(axis, layer, u, v), LayerCell(axis, layer, v, u));
            }
        }
    };
    auto reverse = [&] {
        for (int u = 0; u < size / 2; ++u) {
            for (int v = 0; v < size; ++v) {
                std::swap(LayerCell(axis, layer, u, v), LayerCell(axis, layer, size - 1 - u, v));
            }
        }
    };
    if (s > 0) {
        transpose();
        reverse();
    } else {
        reverse();
        transpose();
    }
}

ActiveTwist& CMozai::BeginTwist(CubeFace* face, int axis, int layer, bool positive,
                                TwistKind kind) {
    activeTwist = std::make_unique<ActiveTwist>();
    Changed();
    activeTwist->face = face;
    activeTwist->axis = axis;
    activeTwist->layer = layer;
    activeTwist->positive = positive;
    activeTwist->kind = kind;
    return *activeTwist;
}

void CMozai::Tick() {
    if (activeTwist && !hold) {
        const int axis = activeTwist->axis;
        const int layer = activeTwist->layer;
        // A twist on a layer that does not exist is left for SettleLayer to refuse.
        const double a = ValidLayer(axis, layer) ? layerAngle[axis][layer] : 0;
        double step = fastStep;
        if (a <= -easeOutAngle || a >= easeOutAngle || (-fastStep <= a && a <= fastStep)) {
            step = slowStep;
        }
        if (!activeTwist->positive) {
            step = -step;
        }
        TurnLayer(axis, layer, step);
        const TwistKind kind = activeTwist->kind;
        const TwistResult r = SettleLayer(axis, layer);
        const bool done =
            r == TwistResult::TwistDonePositive || r == TwistResult::TwistDoneNegative;
        if (done && kind == TwistKind::UserTwist) {
            CompleteUserTwist(axis, layer, r == TwistResult::TwistDonePositive);
        } else if (done && kind == TwistKind::DemoTwist && history != nullptr) {
            history->Append(axis, layer, r == TwistResult::TwistDonePositive);
        }
    } else if (shuffleRemaining > 0 && !activeTwist && !HistoryFull()) {
        RandomTwist();
    }
}
