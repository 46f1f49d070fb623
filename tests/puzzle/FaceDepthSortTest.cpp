#include "ReferenceFaceSort.h"

#include "puzzle/FaceDepthSort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>

namespace {

// Distances of every kind of spread, each compared with the bubble sort: evenly spread, few
// distinct values (ties everywhere), a sorted or reversed run, and distances bunched so tightly
// (powers of two) that the buckets cannot part them.
TEST(FaceDepthSort, EqualsTheBubbleSortOnAnySpread) {
    std::mt19937 random(7);
    std::vector<CubeFace> faces(2000);
    FaceDepthSort sorter;
    for (std::size_t n : {0, 1, 2, 3, 17, 500, 2000}) {
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
}

// Distances that are no numbers or infinite have no defined place, but every face stays.
TEST(FaceDepthSort, NonFiniteDistancesLoseNoFace) {
    std::vector<CubeFace> faces(6);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    std::vector<FaceDepth> depths = {{1, &faces[0]},    {nan, &faces[1]}, {inf, &faces[2]},
                                     {-inf, &faces[3]}, {2, &faces[4]},   {nan, &faces[5]}};
    std::vector<FaceDepth> before = depths;
    FaceDepthSort().Sort(depths);
    auto byFace = [](const FaceDepth& a, const FaceDepth& b) { return a.second < b.second; };
    std::sort(depths.begin(), depths.end(), byFace);
    for (std::size_t i = 0; i < depths.size(); ++i) {
        EXPECT_EQ(depths[i].second, before[i].second);
    }
}

} // namespace
