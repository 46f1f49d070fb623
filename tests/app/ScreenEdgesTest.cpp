#include "app/ScreenEdges.h"

#include <gtest/gtest.h>

namespace {

constexpr int FullW = 1920, FullH = 1050;
constexpr int W = 101, H = 81; // odd: the halves truncate to 50 and 40

TEST(ScreenEdgesTest, ClampKeepsTheCentreOnTheScreen) {
    // {x, y} in, {x, y} out
    const int cases[][4] = {{400, 300, 400, 300},
                            {-500, 300, -50, 300},
                            {FullW + 9, 300, FullW - 50, 300},
                            {FullW - 51, 300, FullW - 51, 300},
                            {400, -900, 400, -40},
                            {400, FullH, 400, FullH - 40},
                            {-1000, -1000, -50, -40}};
    for (const auto& c : cases) {
        int x = c[0], y = c[1];
        ClampToScreen(x, y, W, H, FullW, FullH);
        EXPECT_EQ(x, c[2]) << c[0] << "," << c[1];
        EXPECT_EQ(y, c[3]) << c[0] << "," << c[1];
    }
}

TEST(ScreenEdgesTest, DriftTurnsOnlyWhenHeadingOffAnEdge) {
    // {ddx, ddy, cx, cy} in, {ddx, ddy} out
    const int cases[][6] = {{-5, 3, 0, 500, 5, 3},      {5, 3, 0, 500, 5, 3},
                            {5, 3, FullW, 500, -5, 3},  {-5, 3, FullW, 500, -5, 3},
                            {2, -7, 900, -3, 2, 7},     {2, 7, 900, FullH + 1, 2, -7},
                            {2, -7, 900, FullH, 2, -7}, {-4, -4, 1, 1, -4, -4}};
    for (const auto& c : cases) {
        int ddx = c[0], ddy = c[1];
        BounceDrift(ddx, ddy, c[2], c[3], FullW, FullH);
        EXPECT_EQ(ddx, c[4]) << c[0] << " at x " << c[2];
        EXPECT_EQ(ddy, c[5]) << c[1] << " at y " << c[3];
    }
}

} // namespace
