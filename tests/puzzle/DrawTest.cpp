#include "ReferenceFaceSort.h"
#include "ViewTestSupport.h"

#include "persist/MoveHistory.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct PolygonCall {
    std::vector<Vertex3D> corners;
    COLORREF colour;
    bool shade;
};
struct LineCall {
    Vertex3D from;
    Vertex3D to;
    COLORREF colour;
};

// Records what the puzzle asks of the camera, before the camera culls or skips anything.
class RecordingCamera : public Camera {
public:
    explicit RecordingCamera(int n)
        : Camera(0, 0, 100.0 * n, 0, 0, 0, 0, 1, 0, 1, 1000, halfFieldOfView, 0, 0, windowSize,
                 windowSize) {
        Rotate(Rad30, -Rad20);
    }
    std::vector<PolygonCall> polygons;
    std::vector<PolygonCall> stickers; // the polygons that are not black
    std::vector<LineCall> lines;
    void DrawPolygon(const Vertex3D* corners, int count, COLORREF colour, bool shade) override {
        polygons.push_back({std::vector<Vertex3D>(corners, corners + count), colour, shade});
        if (colour != 0) {
            stickers.push_back(polygons.back());
        }
        Camera::DrawPolygon(corners, count, colour, shade);
    }
    void DrawLine(const Vertex3D& a, const Vertex3D& b, COLORREF colour) override {
        lines.push_back({a, b, colour});
        Camera::DrawLine(a, b, colour);
    }
};

class FillCounter : public Canvas {
public:
    std::vector<COLORREF> fills;
    void FillPolygon(const ScreenPoint*, int, COLORREF fill) override { fills.push_back(fill); }
    void DrawLine(ScreenPoint, ScreenPoint, COLORREF) override {}
};

class RecordingRasteriser : public StickerRasteriser {
public:
    std::string calls; // C clear, D draw
    std::vector<ScreenVertex> vertices;
    int count = -1;
    bool cull = true;
    std::uint32_t clearColour = 0;
    void SetClearColour(std::uint32_t argb) override { clearColour = argb; }
    bool ClearTarget() override {
        calls += 'C';
        return true;
    }
    bool DrawVertices(const ScreenVertex* v, int n, bool c) override {
        calls += 'D';
        vertices.assign(v, v + n);
        count = n;
        cull = c;
        return true;
    }
};

class Drawing : public testing::Test {
protected:
    std::unique_ptr<CMozai> puzzle = MakePuzzle(3);
    RecordingCamera camera{3};
    FillCounter canvas;
    RecordingRasteriser rasteriser;

    void SetUp() override {
        camera.SetScene(puzzle.get());
        puzzle->SetRasteriser(&rasteriser);
    }
    void Frame() {
        camera.polygons.clear();
        camera.stickers.clear();
        camera.lines.clear();
        canvas.fills.clear();
        camera.Render(&canvas);
    }
};

TEST_F(Drawing, GdiModeSendsEveryFaceFarToNearAndEachStickerOnItsBody) {
    puzzle->SetDirect3D(false);
    Frame();
    ASSERT_EQ(camera.polygons.size(), 162u + 54u);
    EXPECT_EQ(camera.stickers.size(), 54u);
    EXPECT_EQ(rasteriser.calls, "");
    double last = 1e9;
    for (std::size_t i = 0; i < camera.polygons.size(); ++i) {
        const PolygonCall& p = camera.polygons[i];
        EXPECT_TRUE(p.shade);
        ASSERT_EQ(p.corners.size(), 4u);
        const Vertex3D centre = Camera::Centroid(p.corners.data(), 4);
        if (p.colour == 0) {
            const double d = Distance(centre, camera.GetPosition());
            EXPECT_LE(d, last);
            last = d;
        } else {
            // The sticker is its body shrunk to 0.9 about the same centre.
            const PolygonCall& body = camera.polygons[i - 1];
            EXPECT_EQ(body.colour, 0u);
            EXPECT_TRUE(centre == Camera::Centroid(body.corners.data(), 4));
            EXPECT_NEAR(Distance(p.corners[0], p.corners[2]),
                        0.9 * Distance(body.corners[0], body.corners[2]), 1e-5);
        }
    }
    // The camera culls what faces away: three faces of each cubie and the stickers of three
    // sides are left. Sticker-only mode paints no body and every sticker, the far ones first.
    EXPECT_EQ(std::count(canvas.fills.begin(), canvas.fills.end(), 0u), 81);
    EXPECT_EQ(canvas.fills.size(), 81u + 27u);
    EXPECT_TRUE(camera.lines.empty());
    camera.SetStickerOnly(true);
    Frame();
    EXPECT_EQ(camera.polygons.size(), 216u);
    EXPECT_EQ(canvas.fills.size(), 54u);
}

TEST_F(Drawing, Direct3DModeRasterisesTwoTranslucentTrianglesPerSticker) {
    Frame();
    EXPECT_EQ(rasteriser.calls, "CD");
    ASSERT_EQ(rasteriser.count, 324);
    EXPECT_FALSE(rasteriser.cull);
    const std::vector<PolygonCall>& stickers = camera.stickers;
    ASSERT_EQ(stickers.size(), 54u);
    const int order[6] = {0, 3, 2, 2, 1, 0};
    for (std::size_t s = 0; s < stickers.size(); ++s) {
        EXPECT_FALSE(stickers[s].shade);
        const COLORREF c = stickers[s].colour;
        const std::uint32_t argb = 0x50000000u | RedOf(c) << 16 | GreenOf(c) << 8 | BlueOf(c);
        for (int m = 0; m < 6; ++m) {
            const ScreenVertex& v = rasteriser.vertices[6 * s + m];
            const ScreenPoint p = camera.Project(stickers[s].corners[order[m]]);
            EXPECT_EQ(v.x, static_cast<float>(p.x));
            EXPECT_EQ(v.y, static_cast<float>(p.y));
            EXPECT_EQ(v.z, 0.0f);
            EXPECT_EQ(v.rhw, 1.0f);
            EXPECT_EQ(v.u, 0.0f);
            EXPECT_EQ(v.v, 0.0f);
            EXPECT_EQ(v.diffuse, argb);
        }
    }
    // Red 0xB0 of the +X side lands in the red byte of the rasteriser's colour.
    EXPECT_NE(std::find_if(rasteriser.vertices.begin(), rasteriser.vertices.end(),
                           [](const ScreenVertex& v) { return v.diffuse == 0x50B00000u; }),
              rasteriser.vertices.end());

    puzzle->SetRasteriser(nullptr);
    Frame();
    EXPECT_EQ(camera.polygons.size(), 216u);
}

TEST_F(Drawing, BlackAndBareFacesGetTheBodyOnlyAndExtraStickersAreNotRasterised) {
    puzzle->ReplaceColour(puzzle->Colour(1), 0);
    Frame();
    EXPECT_EQ(camera.polygons.size(), 162u + 45u);
    EXPECT_EQ(rasteriser.count, 270);

    // A cube whose bare faces were coloured has more stickers than the buffer holds.
    auto big = MakePuzzle(5);
    camera.SetScene(big.get());
    big->SetRasteriser(&rasteriser);
    big->ReplaceColour(NoSticker, 0x123456);
    Frame();
    EXPECT_EQ(camera.stickers.size(), 750u);
    EXPECT_EQ(rasteriser.count, 3600);
}

TEST_F(Drawing, WithoutAViewerNothingAndWithoutALiveCameraStickersAtTheOrigin) {
    const std::vector<CubeFace*> before = puzzle->Faces();
    puzzle->Draw(nullptr);
    EXPECT_EQ(puzzle->Faces(), before);
    EXPECT_EQ(rasteriser.calls, "");

    currentCamera = nullptr;
    Frame();
    currentCamera = &camera;
    EXPECT_EQ(camera.polygons.size(), 216u);
    ASSERT_EQ(rasteriser.count, 324);
    for (const ScreenVertex& v : rasteriser.vertices) {
        EXPECT_EQ(v.x + v.y, 0.0f);
    }
}

TEST_F(Drawing, TheGrabbedFaceIsOutlinedWhileItsDragTwistLasts) {
    MoveHistory history;
    puzzle->SetHistory(&history);
    auto outlined = [&](const CubeFace* face) {
        if (camera.lines.size() != 4) {
            return false;
        }
        for (int c = 0; c < 4; ++c) {
            const LineCall& l = camera.lines[c];
            if (l.colour != 0x55FF55 || !(l.from == *face->corner[c]) ||
                !(l.to == *face->corner[(c + 1) % 4])) {
                return false;
            }
        }
        return true;
    };
    Frame();
    CubeFace* grabbed = puzzle->Cubie(1, 1, 2)->Face(4);
    const ScreenPoint from = PixelOf(camera, *grabbed);
    puzzle->SetHold(true);
    MouseDrag(*puzzle, camera, from, {from.x + 30, from.y});
    Frame();
    EXPECT_TRUE(outlined(grabbed));
    puzzle->SetHold(false);
    puzzle->Tick();
    Frame();
    EXPECT_TRUE(outlined(grabbed));
    while (puzzle->CurrentTwist() != nullptr) {
        puzzle->Tick();
    }
    Frame();
    EXPECT_TRUE(camera.lines.empty());

    puzzle->StepBack();
    ASSERT_NE(puzzle->CurrentTwist(), nullptr);
    Frame();
    EXPECT_TRUE(camera.lines.empty());
    while (puzzle->CurrentTwist() != nullptr) {
        puzzle->Tick();
    }

    // Shuffle twists are unmarked while more are to come; the last one shows its placeholder.
    puzzle->StartShuffle();
    for (int tick = 0; tick < 200 && puzzle->ShuffleRemaining() > 0; ++tick) {
        Frame();
        EXPECT_TRUE(camera.lines.empty());
        puzzle->Tick();
    }
    ASSERT_NE(puzzle->CurrentTwist(), nullptr);
    Frame();
    EXPECT_EQ(puzzle->CurrentTwist()->face, puzzle->CurrentTwist()->cubie->Face(0));
    EXPECT_TRUE(outlined(puzzle->CurrentTwist()->face));
}

TEST_F(Drawing, BackgroundSetsAnOpaqueClearColourOnlyInDirect3DMode) {
    EXPECT_TRUE(puzzle->SetBackground(0x332211));
    EXPECT_EQ(rasteriser.clearColour, 0xFF112233u);
    puzzle->SetDirect3D(false);
    EXPECT_FALSE(puzzle->SetBackground(0x445566));
    EXPECT_EQ(rasteriser.clearColour, 0xFF112233u);
    puzzle->SetDirect3D(true);
    puzzle->SetRasteriser(nullptr);
    EXPECT_FALSE(puzzle->SetBackground(0x445566));
}

// The drawing order is the reference bubble sort's, ties included, whether the faces come nearly
// sorted (a small turn of the view, as every frame) or far from it (a jump to the other side,
// the first frame, a face list in the middle of a twist).
TEST(FaceSort, EqualsTheReferenceOrderNearlySortedOrNot) {
    for (int n : {1, 2, 3, 4}) {
        auto puzzle = MakePuzzle(n);
        auto camera = MakeStartUpCamera(n);
        std::vector<Vertex3D> eyes = {{0, 0, 100.0 * n}, {0, 0, -100.0 * n}, {0, 0, 0}};
        for (int step = 0; step < 40; ++step) {
            if (step == 20) {
                puzzle->TurnLayer(1, n - 1, Rad30);
            }
            camera->Rotate(step % 7 == 6 ? Rad180 : Rad10, step % 3 == 0 ? Rad10 : 0);
            eyes.push_back(camera->GetPosition());
        }
        for (const Vertex3D& eye : eyes) {
            std::vector<CubeFace*> expected = puzzle->Faces();
            ReferenceSortFaces(expected, eye);
            puzzle->SortFaces(eye);
            ASSERT_EQ(puzzle->Faces(), expected) << "N " << n;
        }
    }
}

} // namespace
