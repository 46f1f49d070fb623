#include "PuzzleTestSupport.h"
#include "ReferenceFaceSort.h"

#include <map>
#include <random>

namespace {

struct Call {
    std::vector<Vertex3D> corners; // two for a line
    COLORREF colour;
    bool shade;
};

class Recorder : public Camera, public StickerRasteriser {
public:
    using Camera::Camera;
    std::vector<Call> polygons, lines;
    std::vector<ScreenVertex> vertices;
    int clears = 0;
    bool culled = true;
    std::uint32_t clearColour = 0;

    void DrawPolygon(const Vertex3D* corners, int count, COLORREF colour, bool shade) override {
        polygons.push_back({std::vector<Vertex3D>(corners, corners + count), colour, shade});
    }
    void DrawLine(const Vertex3D& a, const Vertex3D& b, COLORREF colour) override {
        lines.push_back({{a, b}, colour, false});
    }
    void SetClearColour(std::uint32_t argb) override { clearColour = argb; }
    bool ClearTarget() override { return ++clears; }
    bool DrawVertices(const ScreenVertex* v, int n, bool cull) override {
        vertices.assign(v, v + n);
        return !(culled = cull);
    }
    // Draws a frame of the puzzle; gives the number of stickers (polygons that are not black).
    long Frame(CMozai& puzzle) {
        polygons.clear(), lines.clear(), vertices.clear(), clears = 0;
        puzzle.Draw(this);
        return std::count_if(polygons.begin(), polygons.end(), [](auto& c) { return c.colour; });
    }
};

class Drawing : public WiredPuzzle {
protected:
    Recorder* r = static_cast<Recorder*>((camera = MakeStartUpCamera<Recorder>(3)).get());

    void SetUp() override {
        WiredPuzzle::SetUp();
        puzzle->SetRasteriser(r);
    }
};

// The faces far to near as black bodies (the outer ones at rest, all when asked for every face);
// each sticker right after its body, shrunk about its centre, and in Direct3D mode also as two
// triangles (corners 0, 3, 2, 2, 1, 0) of 0x50RRGGBB. Only GDI mode shades.
TEST_F(Drawing, FacesFarToNearEachStickerOnItsBodyAndRasterised) {
    const std::map<COLORREF, std::uint32_t> argb = {{0x0080FF, 0x50FF8000}, {0x0000B0, 0x50B00000},
                                                    {0xD1D1D1, 0x50D1D1D1}, {0x80400F, 0x500F4080},
                                                    {0x009F34, 0x50349F00}, {0x00EAEA, 0x50EAEA00}};
    const int order[6] = {0, 3, 2, 2, 1, 0};
    for (bool direct3D : {true, false}) {
        puzzle->SetDirect3D(direct3D);
        puzzle->SetDrawEveryFace(direct3D);
        EXPECT_EQ(r->Frame(*puzzle), 54);
        ASSERT_EQ(r->polygons.size(), (direct3D ? 162u : 54u) + 54u);
        EXPECT_EQ(r->vertices.size(), direct3D ? 324u : 0u);
        EXPECT_TRUE(r->clears == direct3D && !r->culled);
        double last = 1e9;
        for (std::size_t i = 0, s = 0; i < r->polygons.size(); ++i) {
            const Call& p = r->polygons[i];
            const Vertex3D centre = Camera::Centroid(p.corners.data(), 4);
            EXPECT_EQ(p.shade, !direct3D);
            if (p.colour == 0) {
                EXPECT_LE(Distance(centre, camera->GetPosition()), last);
                last = Distance(centre, camera->GetPosition());
                continue;
            }
            const Call& body = r->polygons[i - 1];
            EXPECT_TRUE(body.colour == 0 && centre == Camera::Centroid(body.corners.data(), 4));
            EXPECT_NEAR(Distance(p.corners[0], p.corners[2]),
                        0.9 * Distance(body.corners[0], body.corners[2]), 1e-5);
            for (int m = 0; direct3D && m < 6; ++m, ++s) {
                const ScreenVertex& v = r->vertices[s];
                const ScreenPoint pt = camera->Project(p.corners[order[m]]);
                EXPECT_TRUE(v.x == pt.x && v.y == pt.y && v.z == 0 && v.rhw == 1 && v.u == 0 &&
                            v.v == 0 && v.diffuse == argb.at(p.colour));
            }
        }
    }
}

// Black faces get the body only, as bare ones do; stickers past the buffer are only painted;
// without a camera nothing is drawn, without a rasteriser only that is skipped.
TEST_F(Drawing, BlackFacesAreBareAndWhatIsMissingIsSkipped) {
    puzzle->ReplaceColour(table[1], 0);
    EXPECT_EQ(r->Frame(*puzzle), 45);
    EXPECT_EQ(r->vertices.size(), 270u);
    auto big = MakePuzzle(5);
    big->SetRasteriser(r);
    big->ReplaceColour(NoSticker, 0x123456);
    EXPECT_EQ(r->Frame(*big), 750);
    EXPECT_EQ(r->vertices.size(), 3600u);
    r->clears = 0;
    big->Draw(nullptr);
    EXPECT_EQ(r->clears, 0);
    big->SetRasteriser(nullptr);
    EXPECT_EQ(r->Frame(*big), 750);
    EXPECT_TRUE(!big->SetBackground(0) && puzzle->SetBackground(0x332211));
    EXPECT_EQ(r->clearColour, 0xFF112233u); // opaque, and only in Direct3D mode
    puzzle->SetDirect3D(false);
    EXPECT_FALSE(puzzle->SetBackground(0x445566));
    EXPECT_EQ(r->clearColour, 0xFF112233u);
}

// The face a drag grabbed is outlined in light green until its twist ends; stepping and shuffle
// twists are not, but for the last shuffle twist, which shows its placeholder face. The bare faces
// of the cut show only while the layer is turned (that they show where they must: the frame test).
TEST_F(Drawing, TheGrabbedFaceIsOutlinedAndTheCutShownWhileItsDragTwistLasts) {
    auto outlined = [&](const CubeFace* face) {
        r->Frame(*puzzle);
        bool all = r->lines.size() == 4;
        for (std::size_t c = 0; all && c < 4; ++c)
            all = r->lines[c].colour == 0x55FF55 && r->lines[c].corners[0] == *face->corner[c] &&
                  r->lines[c].corners[1] == *face->corner[(c + 1) % 4];
        return all;
    };
    const CubeFace* grabbed = puzzle->Cubie(1, 1, 2)->Face(4);
    puzzle->SetHold(true);
    Drag(FrontPixel(1, 1), 30, 0);
    EXPECT_TRUE(outlined(grabbed) && r->polygons.size() > 108u);
    puzzle->SetHold(false);
    puzzle->Tick();
    EXPECT_TRUE(outlined(grabbed));
    TickUntilIdle(*puzzle);
    EXPECT_TRUE(history.Count() == 1 && r->Frame(*puzzle) == 54 && r->polygons.size() == 108u);
    puzzle->StepBack();
    EXPECT_TRUE(r->Frame(*puzzle) == 54 && r->lines.empty() && puzzle->CurrentTwist() != nullptr);
    TickUntilIdle(*puzzle);
    puzzle->StartShuffle();
    for (; puzzle->ShuffleRemaining() > 0; puzzle->Tick())
        EXPECT_TRUE(r->Frame(*puzzle) == 54 && r->lines.empty());
    EXPECT_TRUE(outlined(puzzle->Cubie(0, 0, 0)->Face(0)));
}

// As the bubble sort, for distances even, with ties everywhere, sorted, reversed, and bunched so
// tightly (powers of two) that no bucket parts them.
TEST(FaceDepthSort, EqualsTheBubbleSortOnAnySpreadAndInTheDrawingOrder) {
    std::mt19937 random(7);
    std::vector<CubeFace> faces(2000);
    FaceDepthSort sorter;
    for (std::size_t n : {0, 1, 2, 17, 2000}) {
        for (int kind = 0; kind < 5; ++kind) {
            std::vector<FaceDepth> depths;
            for (std::size_t i = 0; i < n; ++i) {
                const double spread = std::uniform_real_distribution<double>(100, 400)(random);
                const double values[5] = {spread, std::floor(spread / 60), double(i), -double(i),
                                          std::ldexp(1.0, -int(random() % 900))};
                depths.emplace_back(values[kind], &faces[i]);
            }
            std::vector<FaceDepth> expected = depths;
            ReferenceSortFarFirst(expected);
            sorter.Sort(depths);
            ASSERT_EQ(depths, expected) << "n " << n << " kind " << kind;
        }
    }
    // Distances that are no numbers or infinite have no defined place, but every face stays.
    std::vector<FaceDepth> odd;
    for (double d : {1.0, std::nan(""), HUGE_VAL, -HUGE_VAL, std::nan("")})
        odd.emplace_back(d, &faces[odd.size()]);
    const std::vector<FaceDepth> given = odd;
    sorter.Sort(odd);
    EXPECT_TRUE(std::is_permutation(odd.begin(), odd.end(), given.begin(), given.end(),
                                    [](auto& a, auto& b) { return a.second == b.second; }));
    // The drawing order too, from nearly sorted faces (a small turn of the view) or not (a jump
    // to the other side, a layer in the middle of a twist).
    for (int n : {1, 2, 3, 4}) {
        auto puzzle = MakePuzzle(n);
        auto camera = MakeStartUpCamera(n);
        const Vertex3D firstEyes[] = {{0, 0, 100.0 * n}, {0, 0, -100.0 * n}, {0, 0, 0}};
        for (int step = 0; step < 43; ++step) {
            if (step == 23)
                puzzle->TurnLayer(1, n - 1, Rad30);
            camera->Rotate(step % 7 == 6 ? Rad180 : Rad10, step % 3 == 0 ? Rad10 : 0);
            const Vertex3D eye = step < 3 ? firstEyes[step] : camera->GetPosition();
            std::vector<CubeFace*> expected = puzzle->Faces();
            ReferenceSortFaces(expected, eye);
            puzzle->SortFaces(eye);
            ASSERT_EQ(puzzle->Faces(), expected) << "N " << n << " step " << step;
        }
    }
}

} // namespace
