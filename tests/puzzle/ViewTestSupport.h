#pragma once

#include "PuzzleTestSupport.h"

#include "math3d/Geometry.h"
#include "scene/Camera.h"

#include <memory>

constexpr double halfFieldOfView = 0.39269908169872414;
constexpr int windowSize = 300;

// The camera as start-up builds it for an N-cube in a 300 x 300 window, turned to the start-up
// view of the front (+Z), right (+X) and top (+Y) sides.
inline std::unique_ptr<Camera> MakeStartUpCamera(int n) {
    auto camera = std::make_unique<Camera>(0, 0, 100.0 * n, 0, 0, 0, 0, 1, 0, 1, 1000,
                                           halfFieldOfView, 0, 0, windowSize, windowSize);
    camera->Rotate(Rad30, -Rad20);
    return camera;
}

// One movement with the left button held, from `from` to `to`, built as the input handler builds
// it in a window 300 pixels wide: 60 pixels turn one radian.
inline void MouseDrag(CMozai& puzzle, const Camera& camera, ScreenPoint from, ScreenPoint to) {
    const Vertex3D origin = camera.Unproject(from);
    const Vector3D h = camera.GetRight() * ((to.x - from.x) / 60.0);
    const Vector3D v = camera.GetUp() * (-(to.y - from.y) / 60.0);
    puzzle.Drag(origin, Vector3D(camera.GetPosition(), origin), h, v);
}

// The pixel of the middle of the face's sticker.
inline ScreenPoint PixelOf(const Camera& camera, CubeFace& face) {
    return camera.Project(face.Centre());
}
