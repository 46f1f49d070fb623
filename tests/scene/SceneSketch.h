#pragma once

#include <functional>

#include "scene/Camera.h"

// The start-up camera of a 3-cube in a 200 x 200 client, before its first rotation: the eye on
// +Z at 300 looking at the origin, about 0.8 pixels per unit around pixel (100, 100).
inline Camera StartUpCamera() {
    return Camera(0, 0, 300, 0, 0, 0, 0, 1, 0, 1, 1000, 0.39269908169872414, 0, 0, 200, 200);
}

// A scene that draws whatever the test asks through the camera.
class SceneSketch : public Ls3dObject {
public:
    SceneSketch() : Ls3dObject(0, 0, 0, 0, 0, 1, 0, 1, 0) {}
    void Draw(RenderObject* renderer) override {
        ++draws;
        draw(renderer);
    }
    std::function<void(RenderObject*)> draw = [](RenderObject*) {};
    int draws = 0;
};
