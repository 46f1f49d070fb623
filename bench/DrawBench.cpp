// What a frame of the puzzle costs, and one projected point: the far-to-near sort of every face and
// the whole Draw into a canvas that does nothing, each frame after the view has turned by 10
// degrees (one tick of an arrow key). The bubble sort that defines the order runs beside them for
// comparison.
#include "math3d/Angles.h"
#include "puzzle/CMozai.h"
#include "scene/Camera.h"
#include "tests/puzzle/ReferenceFaceSort.h"

#include <benchmark/benchmark.h>

#include <memory>
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

class NullRasteriser : public StickerRasteriser {
public:
    void SetClearColour(std::uint32_t) override {}
    bool ClearTarget() override { return true; }
    bool DrawVertices(const ScreenVertex* v, int count, bool) override {
        benchmark::DoNotOptimize(v[count - 1]);
        return true;
    }
};

// The start-up scene of an N-cube in a 300 x 300 window, drawn once.
struct Scene {
    explicit Scene(int n)
        : puzzle(std::make_unique<CMozai>(n, 0, 0, 0, -1, 0, 1, 0, 0, 1, nullptr)),
          camera(std::make_unique<Camera>(0, 0, 100.0 * n, 0, 0, 0, 0, 1, 0, 1, 1000,
                                          0.39269908169872414, 0, 0, 300, 300)) {
        camera->SetScene(puzzle.get());
        camera->Rotate(Rad30, -Rad20);
        puzzle->SetRasteriser(&rasteriser);
        camera->Render(&canvas);
    }
    NullCanvas canvas;
    NullRasteriser rasteriser;
    std::unique_ptr<CMozai> puzzle;
    std::unique_ptr<Camera> camera;
};

void SortFaces(benchmark::State& state) {
    Scene scene(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        scene.camera->Rotate(Rad10, 0);
        scene.puzzle->SortFaces(scene.camera->GetPosition());
    }
    state.SetItemsProcessed(state.iterations() * scene.puzzle->FaceCount());
}
BENCHMARK(SortFaces)->Arg(3)->Arg(10)->Unit(benchmark::kMicrosecond);

void ReferenceSort(benchmark::State& state) {
    Scene scene(static_cast<int>(state.range(0)));
    std::vector<CubeFace*> faces = scene.puzzle->Faces();
    for (auto _ : state) {
        scene.camera->Rotate(Rad10, 0);
        ReferenceSortFaces(faces, scene.camera->GetPosition());
    }
    state.SetItemsProcessed(state.iterations() * scene.puzzle->FaceCount());
}
BENCHMARK(ReferenceSort)->Arg(3)->Arg(10)->Unit(benchmark::kMicrosecond);

// Range 0 is N, range 1 the Direct3D mode.
void Draw(benchmark::State& state) {
    Scene scene(static_cast<int>(state.range(0)));
    scene.puzzle->SetDirect3D(state.range(1) != 0);
    for (auto _ : state) {
        scene.camera->Rotate(Rad10, 0);
        scene.camera->Render(&scene.canvas);
    }
    state.SetItemsProcessed(state.iterations() * scene.puzzle->FaceCount());
}
BENCHMARK(Draw)->ArgsProduct({{3, 10}, {0, 1}})->Unit(benchmark::kMicrosecond);

// One point through the camera's projection, the painter's innermost step.
void Project(benchmark::State& state) {
    Scene scene(3);
    Vertex3D p(10, 20, 30);
    for (auto _ : state) {
        benchmark::DoNotOptimize(scene.camera->Project(p));
        p.x += 1e-9;
    }
}
BENCHMARK(Project);

} // namespace
