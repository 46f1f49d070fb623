#include "app/DemoMotion.h"
#include "app/ScreenEdges.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// How the main window feeds and reads the motion is tested with the window; here the limits.
TEST(DemoMotionTest, StepsOfOnePixelOrLessAndSpinsUpTo0_0126AreNoMotion) {
    DemoMotion motion;
    motion.SetDrift(1.0, -1.0);
    motion.SetSpin(0.0126, -0.0126);
    double dx = 7, dy = -7, a = 3, b = -3;
    EXPECT_FALSE(motion.DriftStep(dx, dy) || motion.SpinStep(a, b));
    EXPECT_EQ(std::vector<double>({dx, dy, a, b}), std::vector<double>({7, -7, 3, -3}));
    motion.SetDrift(1.5, -1.5);
    motion.SetSpin(0.0127, -0.0127);
    EXPECT_TRUE(motion.DriftStep(dx, dy) && motion.SpinStep(a, b));
    EXPECT_EQ(std::vector<double>({dx, dy, a, b}),
              std::vector<double>({1.5, -1.5, 3.0127, -3.0127}));
}

// A primary screen right of a 1280-pixel one, under a 24-pixel top panel: 1920 x 1026 usable.
const QRect area(1280, 24, 1920, 1026);
constexpr int L = 1280, T = 24, R = 1280 + 1920, B = 24 + 1026;

// Which drifts turn; the window stopping at each edge is shown with the main window's throws.
TEST(ScreenEdgesTest, DriftTurnsOnlyWhenHeadingOffAnEdge) {
    // {ddx, ddy, cx, cy} in, {ddx, ddy} out
    const int cases[][6] = {
        {-5, 3, L, 500, 5, 3},   {5, 3, L, 500, 5, 3},           {5, 3, R, 500, -5, 3},
        {-5, 3, R, 500, -5, 3},  {2, -7, 1900, T - 3, 2, 7},     {2, 7, 1900, B + 1, 2, -7},
        {2, -7, 1900, B, 2, -7}, {-4, -4, L + 1, T + 1, -4, -4}, {-4, 4, 0, 0, 4, 4}};
    for (const auto& c : cases) {
        int ddx = c[0], ddy = c[1];
        BounceDrift(ddx, ddy, c[2], c[3], area);
        EXPECT_EQ(ddx, c[4]) << c[0] << " at x " << c[2];
        EXPECT_EQ(ddy, c[5]) << c[1] << " at y " << c[3];
    }
}

} // namespace
