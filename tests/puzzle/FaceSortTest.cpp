#include "PuzzleTestSupport.h"
#include "ReferenceFaceSort.h"

#include <random>
#include <set>

namespace {

// Against the bubble sort, distances of every spread: even, few distinct values (ties
// everywhere), sorted, reversed, and bunched so tightly (powers of two) that no bucket parts them.
TEST(FaceDepthSort, EqualsTheBubbleSortOnAnySpread) {
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
    std::vector<FaceDepth> odd = {{1, &faces[0]},
                                  {NAN, &faces[1]},
                                  {INFINITY, &faces[2]},
                                  {-INFINITY, &faces[3]},
                                  {NAN, &faces[4]}};
    sorter.Sort(odd);
    std::set<CubeFace*> kept;
    for (const FaceDepth& d : odd)
        kept.insert(d.second);
    EXPECT_EQ(kept.size(), 5u);
}

// The drawing order is the bubble sort's whether the faces come nearly sorted (a small turn of
// the view, as every frame) or not (a jump to the other side, a layer in the middle of a twist).
TEST(FaceSort, SortFacesEqualsTheReferenceOrder) {
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
