#pragma once

#include <functional>

#include "scene/Camera.h"

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

// On the z = 0 plane, facing an eye on +Z at 300 with a 200 x 200 viewport: about 0.8 pixels per
// unit around pixel (100, 100). This one covers the window's top-left corner.
inline const Vertex3D cornerQuad[4] = {{-150, 60, 0}, {-60, 60, 0}, {-60, 150, 0}, {-150, 150, 0}};
// Around the centre.
inline const Vertex3D centreQuad[4] = {{-20, -20, 0}, {20, -20, 0}, {20, 20, 0}, {-20, 20, 0}};

inline Camera MakeCamera() {
    return Camera(0, 0, 300, 0, 0, 0, 0, 1, 0, 1, 1000, 0.39269908169872414, 0, 0, 200, 200);
}
