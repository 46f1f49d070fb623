// Costs of one whole frame of the real puzzle, as the window's tick pays them: background, the
// camera's painting, the window shape cut from the picture, and (where OpenGL is available) the
// sticker pass with its read-back; and the window shape alone.
#include "math3d/Angles.h"
#include "persist/FaceColours.h"
#include "puzzle/CMozai.h"
#include "render/D3DRenderer.h"
#include "render/FramePainter.h"
#include "render/WindowRegion.h"
#include "scene/Camera.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QOpenGLFunctions>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr double fieldOfView = 0.39269908169872414;

// The start-up scene of an n-cube in a side x side window, in region mode.
struct Scene {
    Scene(int n, int side, bool withRenderer)
        : camera(0, 0, 100.0 * n, 0, 0, 0, 0, 1, 0, 1, 1000, fieldOfView, 0, 0, side, side),
          puzzle(n, 0, 0, 0, -1, 0, 1, 0, 0, 1, faceColours.data()) {
        window.resize(side, side);
        camera.SetScene(&puzzle);
        camera.Rotate(Rad30, -Rad20);
        if (withRenderer) {
            renderer = std::make_unique<D3DRenderer>(&window, 36 * n * n);
            if (!renderer->available())
                renderer.reset();
        }
        puzzle.SetRasteriser(renderer.get());
        puzzle.SetBackground(0);
        puzzle.SetDirect3D(renderer != nullptr);
        in.camera = &camera;
        in.window = &window;
        in.clientSize = QSize(side, side);
        in.regionMode = true;
        in.region = &region;
        in.useDirect3D = renderer != nullptr;
        in.renderer = renderer.get();
    }
    ~Scene() {
        puzzle.SetRasteriser(nullptr);
        if (renderer)
            renderer->Release();
    }

    QWidget window;
    Camera camera;
    CMozai puzzle;
    WindowRegion region;
    std::unique_ptr<D3DRenderer> renderer;
    FrameInputs in;
    FramePainter painter;
};

class FillCounter : public Canvas {
public:
    void FillPolygon(const ScreenPoint*, int, COLORREF) override { ++fills; }
    void DrawLine(ScreenPoint, ScreenPoint, COLORREF) override {}
    int fills = 0;
};

// Every frame follows a small turn of the view, as while the user drags, so the face order is
// nearly but not quite the last frame's. With "twist" 1 the middle layer stands half turned, as
// in most frames of the demo, and its cuts show. A pixel ratio above 1 paints a HiDPI frame.
void RunFrames(benchmark::State& state, bool withRenderer, qreal pixelRatio = 1) {
    const int n = static_cast<int>(state.range(0));
    Scene scene(n, static_cast<int>(state.range(1)), withRenderer);
    if (withRenderer && !scene.renderer) {
        state.SkipWithError("no OpenGL context");
        return;
    }
    scene.in.pixelRatio = pixelRatio;
    if (state.range(2) != 0)
        scene.puzzle.TurnLayer(0, n / 2, Rad45);
    FillCounter counter; // what the painter fills in the start view
    scene.camera.Render(&counter);
    state.counters["fills"] = counter.fills;
    for (auto _ : state) {
        scene.camera.Rotate(Rad1, 0);
        scene.painter.PaintFrame(scene.in);
        benchmark::DoNotOptimize(scene.painter.Frame().constBits());
    }
}

void GdiFrame(benchmark::State& state) {
    RunFrames(state, false);
}
BENCHMARK(GdiFrame)
    ->ArgsProduct({{3, 10}, {300, 900}, {0, 1}})
    ->ArgNames({"N", "side", "twist"})
    ->Unit(benchmark::kMillisecond);

// At two device pixels a window pixel the window shape is cut from a picture of its own.
void GdiFrameHiDpi(benchmark::State& state) {
    RunFrames(state, false, 2);
}
BENCHMARK(GdiFrameHiDpi)
    ->ArgsProduct({{3, 10}, {300, 900}, {0}})
    ->ArgNames({"N", "side", "twist"})
    ->Unit(benchmark::kMillisecond);

void FrameWithRenderer(benchmark::State& state) {
    RunFrames(state, true);
}
BENCHMARK(FrameWithRenderer)
    ->ArgsProduct({{3, 10}, {300, 900}, {0, 1}})
    ->ArgNames({"N", "side", "twist"})
    ->Unit(benchmark::kMillisecond);

// The window shape alone, from a finished frame of the start-up view.
void RegionFromFrame(benchmark::State& state) {
    Scene scene(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)), false);
    scene.painter.PaintFrame(scene.in);
    const QImage frame = scene.painter.Frame();
    WindowRegion region;
    for (auto _ : state) {
        region.BuildFromBitmap(frame, backgroundColour);
        benchmark::DoNotOptimize(region.Region());
        region.Release();
    }
}
BENCHMARK(RegionFromFrame)
    ->ArgsProduct({{3, 10}, {300, 900}})
    ->ArgNames({"N", "side"})
    ->Unit(benchmark::kMillisecond);

// Resident memory an OpenGL pass adds to the process: range 0 a bare context with one
// framebuffer of 300 x 300, range 1 the sticker renderer. Only the first one run in a process
// pays for loading the driver, so run each with its own --benchmark_filter.
long ResidentKb() {
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return 0;
}

void GlMemory(benchmark::State& state) {
    QWidget window;
    window.resize(300, 300);
    const long before = ResidentKb();
    long grown = 0;
    for (auto _ : state) {
        if (state.range(0) == 0) {
            QOpenGLContext context;
            QOffscreenSurface surface;
            if (!context.create() || (surface.create(), !context.makeCurrent(&surface))) {
                state.SkipWithError("no OpenGL context");
                return;
            }
            QOpenGLFramebufferObject target(300, 300);
            context.functions()->glClear(GL_COLOR_BUFFER_BIT);
            context.functions()->glFinish();
            grown = ResidentKb() - before;
            context.doneCurrent();
        } else {
            D3DRenderer renderer(&window, 3600);
            if (!renderer.available()) {
                state.SkipWithError("no OpenGL context");
                return;
            }
            renderer.ClearTarget();
            QImage frame(300, 300, QImage::Format_RGB32);
            renderer.CopyToDC(frame, 300, 300);
            grown = ResidentKb() - before;
            renderer.Release();
        }
    }
    state.counters["rss_mb"] = static_cast<double>(grown) / 1024;
}
BENCHMARK(GlMemory)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
