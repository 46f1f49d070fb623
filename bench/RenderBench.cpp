// Costs of the per-frame render steps: the window shape from a frame, and the OpenGL sticker
// pass with its read-back (skipped without OpenGL, e.g. offscreen with no X display).
#include <QApplication>
#include <QImage>
#include <QWidget>
#include <array>
#include <benchmark/benchmark.h>
#include <cmath>
#include <vector>

#include "render/D3DRenderer.h"
#include "render/FramePainter.h"
#include "render/QImageCanvas.h"
#include "render/WindowRegion.h"
#include "scene/Camera.h"

namespace {

constexpr int stickersPerEdge = 3;

struct Point {
    double x, y;
};

Point Along(Point origin, Point a, Point b, double s, double t) {
    return {origin.x + (a.x - origin.x) * s + (b.x - origin.x) * t,
            origin.y + (a.y - origin.y) * s + (b.y - origin.y) * t};
}

ScreenPoint Pixel(Point p) {
    return {static_cast<int>(p.x), static_cast<int>(p.y)};
}

// The outline of a cube seen corner-on, from the top corner clockwise.
std::array<Point, 6> Hexagon(int side) {
    const double c = side / 2.0, r = side * 0.4, h = r * std::sqrt(3.0) / 2;
    return {{{c, c - r},
             {c + h, c - r / 2},
             {c + h, c + r / 2},
             {c, c + r},
             {c - h, c + r / 2},
             {c - h, c - r / 2}}};
}

// The three visible faces of a 3x3x3 cube: calls sticker(face, four corners) for each sticker.
template <typename Sticker> void ForEachSticker(int side, Sticker&& sticker) {
    const std::array<Point, 6> hexagon = Hexagon(side);
    const Point centre{side / 2.0, side / 2.0};
    const Point edges[3][2] = {
        {hexagon[5], hexagon[1]}, {hexagon[1], hexagon[3]}, {hexagon[3], hexagon[5]}};
    for (int f = 0; f < 3; ++f) {
        const Point a = edges[f][0], b = edges[f][1];
        for (int i = 0; i < stickersPerEdge; ++i) {
            for (int j = 0; j < stickersPerEdge; ++j) {
                const double s0 = (i + 0.1) / stickersPerEdge, s1 = (i + 0.9) / stickersPerEdge;
                const double t0 = (j + 0.1) / stickersPerEdge, t1 = (j + 0.9) / stickersPerEdge;
                sticker(f, Along(centre, a, b, s0, t0), Along(centre, a, b, s1, t0),
                        Along(centre, a, b, s1, t1), Along(centre, a, b, s0, t1));
            }
        }
    }
}

// Black bodies under coloured stickers on the background, as the painter leaves a frame.
QImage CubeFrame(int side) {
    QImage frame(side, side, QImage::Format_RGB32);
    frame.fill(0xFFDCDDDD);
    QImageCanvas canvas(frame);
    const COLORREF colours[3] = {Rgb(255, 255, 255), Rgb(255, 0, 0), Rgb(0, 0, 255)};
    ScreenPoint body[6];
    const std::array<Point, 6> hexagon = Hexagon(side);
    for (int i = 0; i < 6; ++i) {
        body[i] = Pixel(hexagon[i]);
    }
    canvas.FillPolygon(body, 6, 0);
    ForEachSticker(side, [&](int face, Point p0, Point p1, Point p2, Point p3) {
        const ScreenPoint quad[4] = {Pixel(p0), Pixel(p1), Pixel(p2), Pixel(p3)};
        canvas.FillPolygon(quad, 4, colours[face]);
    });
    return frame;
}

void RegionFromFrame(benchmark::State& state) {
    const QImage frame = CubeFrame(static_cast<int>(state.range(0)));
    WindowRegion region;
    for (auto _ : state) {
        region.BuildFromBitmap(frame, backgroundColour);
        benchmark::DoNotOptimize(region.Region());
        region.Release();
    }
}
BENCHMARK(RegionFromFrame)->Arg(300)->Arg(900)->Unit(benchmark::kMillisecond);

// The three faces of a 3x3x3 cube facing the eye, as black bodies with inset stickers. Every
// square is sent in both windings; the camera culls the one turned away.
class CubeFaces : public Ls3dObject {
public:
    CubeFaces() : Ls3dObject(0, 0, 0, 0, 0, 1, 0, 1, 0) {}
    void Draw(RenderObject* r) override {
        const COLORREF colours[3] = {Rgb(255, 0, 0), Rgb(255, 255, 255), Rgb(0, 0, 255)};
        for (int axis = 0; axis < 3; ++axis) {
            Square(r, axis, -half, half, -half, half, 0);
            for (int i = 0; i < stickersPerEdge; ++i) {
                for (int j = 0; j < stickersPerEdge; ++j) {
                    const double u = -half + i * cell, v = -half + j * cell;
                    Square(r, axis, u + inset, u + cell - inset, v + inset, v + cell - inset,
                           colours[axis]);
                }
            }
        }
    }

private:
    static constexpr double half = 45, cell = 30, inset = 3;

    static Vertex3D OnFace(int axis, double u, double v) {
        const double c[3] = {axis == 0 ? half : u, axis == 1 ? half : (axis == 0 ? u : v),
                             axis == 2 ? half : v};
        return Vertex3D(c[0], c[1], c[2]);
    }
    static void Square(RenderObject* r, int axis, double u0, double u1, double v0, double v1,
                       COLORREF colour) {
        const Vertex3D one[4] = {OnFace(axis, u0, v0), OnFace(axis, u1, v0), OnFace(axis, u1, v1),
                                 OnFace(axis, u0, v1)};
        const Vertex3D other[4] = {one[3], one[2], one[1], one[0]};
        r->DrawPolygon(one, 4, colour, true);
        r->DrawPolygon(other, 4, colour, true);
    }
};

// One frame in region mode without OpenGL: background, camera painting, window shape.
void PaintFrameInRegionMode(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    // Corner-on from 300 units away; up is square to the line of sight.
    Camera camera(173, 173, 173, 0, 0, 0, -1, 2, -1, 1, 1000, 0.39269908169872414, 0, 0, side,
                  side);
    CubeFaces cube;
    camera.SetScene(&cube);
    QWidget window;
    window.resize(side, side);
    WindowRegion region;
    FrameInputs in;
    in.camera = &camera;
    in.window = &window;
    in.clientSize = QSize(side, side);
    in.regionMode = true;
    in.region = &region;
    FramePainter painter;
    for (auto _ : state) {
        painter.PaintFrame(in);
    }
}
BENCHMARK(PaintFrameInRegionMode)->Arg(300)->Arg(900)->Unit(benchmark::kMillisecond);

// The sticker pass of one 3x3x3 frame: 54 stickers, 324 vertices, then the OR into the frame.
void StickerPassWithReadBack(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    D3DRenderer renderer([side] { return QSize(side, side); }, 324);
    if (!renderer.available()) {
        state.SkipWithError("no OpenGL context");
        return;
    }
    std::vector<ScreenVertex> vertices;
    for (int copy = 0; copy < 2; ++copy) {
        ForEachSticker(side, [&](int, Point p0, Point p1, Point p2, Point p3) {
            const auto at = [](Point p) {
                ScreenVertex v;
                v.x = static_cast<float>(p.x);
                v.y = static_cast<float>(p.y);
                v.diffuse = 0x50FF8040;
                return v;
            };
            vertices.insert(vertices.end(), {at(p0), at(p1), at(p2), at(p0), at(p2), at(p3)});
        });
    }
    QImage frame = CubeFrame(side);
    for (auto _ : state) {
        renderer.ClearTarget();
        renderer.DrawVertices(vertices.data(), static_cast<int>(vertices.size()), false);
        renderer.CopyToDC(frame, side, side);
    }
}
BENCHMARK(StickerPassWithReadBack)->Arg(300)->Arg(900)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
