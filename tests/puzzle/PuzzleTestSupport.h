#pragma once

#include "math3d/Angles.h"
#include "math3d/Geometry.h"
#include "persist/ColourEditUi.h"
#include "persist/FaceColours.h"
#include "persist/MoveHistory.h"
#include "puzzle/CMozai.h"
#include "scene/Camera.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// A puzzle placed as the application places it, with a fixed random seed.
inline std::unique_ptr<CMozai> MakePuzzle(int n, const COLORREF* colours = nullptr) {
    auto p = std::make_unique<CMozai>(n, 0, 0, 0, -1, 0, 1, 0, 0, 1, colours);
    p->Seed(1);
    return p;
}

// An N-cube's start-up camera in a 300 x 300 window (seeing +Z, +X and +Y), or another first turn.
template <class C = Camera>
std::unique_ptr<C> MakeStartUpCamera(int n, double yaw = Rad30, double pitch = -Rad20) {
    auto camera = std::make_unique<C>(0, 0, 100.0 * n, 0, 0, 0, 0, 1, 0, 1, 1000,
                                      0.39269908169872414, 0, 0, 300, 300);
    camera->Rotate(yaw, pitch);
    return camera;
}

// True when the cubie in cell (i, j, k), or the given one, is there at rest as if built there.
inline bool SitsAt(const CMozai& p, int i, int j, int k, const CCube* expected = nullptr) {
    const CCube& cubie = *p.Cubie(i, j, k);
    const double c = 15.0 * (p.Size() - 1);
    const CCube home(0, 30 * i - c, 30 * j - c, 30 * k - c, 0, 0, 1, 0, 1, 0);
    return (expected == nullptr || expected == &cubie) && cubie.Corners() == cubie.RestCorners() &&
           std::is_permutation(home.Corners().begin(), home.Corners().end(),
                               cubie.RestCorners().begin());
}

// Which cubie sits in each cell, then every cubie's corners to a millionth.
inline std::vector<long long> State(const CMozai& p) {
    std::vector<long long> s;
    const int n = p.Size();
    for (int c = 0; c < n * n * n; ++c)
        s.push_back(p.Cubie(c / (n * n), c / n % n, c % n)->Id());
    for (int id = 0; id < p.CubieCount(); ++id)
        for (const Vertex3D& v : p.FindCubie(id)->Corners())
            s.insert(s.end(),
                     {std::llround(v.x * 1e6), std::llround(v.y * 1e6), std::llround(v.z * 1e6)});
    return s;
}

// A quarter turn made at once, as the replay makes it.
inline TwistResult QuarterTurn(CMozai& p, int axis, int layer, bool positive) {
    p.TurnLayer(axis, layer, positive ? Rad90 : -Rad90);
    return p.SettleLayer(axis, layer);
}

inline long StickersOf(const CMozai& p, COLORREF colour) {
    return std::count_if(p.Faces().begin(), p.Faces().end(),
                         [&](const CubeFace* f) { return f->colour == colour; });
}

inline int TickUntilIdle(CMozai& p) {
    int ticks = 0;
    for (; (p.CurrentTwist() != nullptr || p.ShuffleRemaining() > 0) && ticks < 2000; ++ticks)
        p.Tick();
    return ticks;
}

// The pick ray (origin, direction) through a window pixel, as the input handler builds it.
inline std::pair<Vertex3D, Vector3D> RayAt(const Camera& camera, ScreenPoint pt) {
    const Vertex3D origin = camera.Unproject(pt);
    return {origin, Vector3D(camera.GetPosition(), origin)};
}

// A 3-cube coloured by `table`, wired to a history, counting congratulations, seen at start-up.
class WiredPuzzle : public testing::Test {
protected:
    FaceColourTable table = defaultFaceColours;
    std::unique_ptr<CMozai> puzzle;
    std::unique_ptr<Camera> camera = MakeStartUpCamera(3);
    MoveHistory history;
    int solvedCalls = 0;

    void SetUp() override { Restart(); }
    void Restart(int n = 3) {
        history.Clear();
        puzzle = MakePuzzle(n, table.data());
        puzzle->SetHistory(&history);
        puzzle->onSolved = [this] { ++solvedCalls; };
        puzzle->SortFaces(camera->GetPosition()); // picking walks the order of the last frame
    }
    // The middle of the front (+Z) sticker of cell (i, j, 2).
    ScreenPoint FrontPixel(int i, int j) {
        return camera->Project(puzzle->Cubie(i, j, 2)->Face(4)->Centre());
    }
    // One movement with the left button held, in a window 300 pixels wide: 60 pixels a radian.
    void Drag(ScreenPoint from, int dx, int dy) {
        const auto [origin, direction] = RayAt(*camera, from);
        puzzle->Drag(origin, direction, camera->GetRight() * (dx / 60.0),
                     camera->GetUp() * (-dy / 60.0), *camera);
    }
};

// A colour chooser that answers `answer()`, or else from `answers` in turn (NoColour cancels),
// and leaves 0xABCDEF in the last custom colour; message boxes that keep their texts.
struct FakeColourUi : ColourEditUi {
    bool ChooseColour(COLORREF initial, CustomColours& custom, COLORREF& chosen) override {
        initials.push_back(initial);
        offered.push_back(custom);
        custom[15] = 0xABCDEF;
        chosen = answer ? answer() : answers.at(initials.size() - 1);
        return chosen != NoColour;
    }
    void ShowError(const char* text) override { errors.emplace_back(text); }
    std::function<COLORREF()> answer;
    std::vector<COLORREF> answers, initials;
    std::vector<CustomColours> offered;
    std::vector<std::string> errors;
};
