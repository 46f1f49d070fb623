// What the camera's painter costs per point, per polygon and per frame of the largest cube.
#include "math3d/Angles.h"
#include "scene/Camera.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

class NullCanvas : public Canvas {
public:
    void FillPolygon(const ScreenPoint* points, int count, COLORREF fill) override {
        benchmark::DoNotOptimize(points[count - 1]);
        benchmark::DoNotOptimize(fill);
    }
    void DrawLine(ScreenPoint from, ScreenPoint to, COLORREF colour) override {
        benchmark::DoNotOptimize(from);
        benchmark::DoNotOptimize(to);
        benchmark::DoNotOptimize(colour);
    }
};

// The outer faces of a 10-cube: every face drawn as a black body square and a sticker.
class OuterFaces : public Ls3dObject {
public:
    OuterFaces() : Ls3dObject(0, 0, 0, -1, 0, 1, 0, 0, 1) {
        constexpr int n = 10;
        constexpr double half = 15 * n;
        for (int axis = 0; axis < 3; ++axis) {
            for (double side : {-half, half}) {
                for (int i = 0; i < n; ++i) {
                    for (int j = 0; j < n; ++j) {
                        const double a = 30 * i - half;
                        const double b = 30 * j - half;
                        double c[4][3] = {{a, b, side},
                                          {a + 30, b, side},
                                          {a + 30, b + 30, side},
                                          {a, b + 30, side}};
                        std::vector<Vertex3D> face;
                        for (auto& p : c) {
                            face.emplace_back(p[(axis) % 3], p[(axis + 1) % 3], p[(axis + 2) % 3]);
                        }
                        faces.push_back(face);
                    }
                }
            }
        }
    }
    void Draw(RenderObject* renderer) override {
        for (const auto& f : faces) {
            renderer->DrawPolygon(f.data(), 4, 0, true);
            renderer->DrawPolygon(f.data(), 4, 0x0000FF, true);
        }
    }
    std::vector<std::vector<Vertex3D>> faces;
};

// The start-up view of a 10-cube in a 300 x 300 window.
class StartUpCamera : public Camera {
public:
    StartUpCamera() : Camera(0, 0, 1000, 0, 0, 0, 0, 1, 0, 1, 1000, fov, 0, 0, 300, 300) {
        Rotate(Rad30, -Rad20);
    }
    static constexpr double fov = 0.39269908169872414;
};

void Project(benchmark::State& state) {
    const StartUpCamera camera;
    Vertex3D p(10, 20, 30);
    for (auto _ : state) {
        benchmark::DoNotOptimize(camera.Project(p));
        p.x += 1e-9;
    }
}
BENCHMARK(Project);

void FrameOfTenCube(benchmark::State& state) {
    StartUpCamera camera;
    OuterFaces scene;
    NullCanvas canvas;
    camera.SetScene(&scene);
    for (auto _ : state) {
        camera.Render(&canvas);
    }
    state.SetItemsProcessed(state.iterations() * 2 * static_cast<int64_t>(scene.faces.size()));
}
BENCHMARK(FrameOfTenCube)->Unit(benchmark::kMicrosecond);

} // namespace
