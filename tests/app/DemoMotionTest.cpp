#include "app/DemoMotion.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<double> Fields(const DemoMotion& m) {
    return {m.driftX, m.driftY, m.spinX, m.spinY};
}

TEST(DemoMotionTest, StepsOfOnePixelOrLessAndSpinsUpTo0_0126AreNoMotion) {
    DemoMotion motion;
    double dx = 7, dy = -7, a = 3, b = -3;
    EXPECT_FALSE(motion.DriftStep(dx, dy) || motion.SpinStep(a, b));
    motion.SetDrift(1.0, -1.0);
    motion.SetSpin(0.0126, -0.0126);
    EXPECT_EQ(Fields(motion), std::vector<double>(4, 0.0));
    EXPECT_FALSE(motion.DriftStep(dx, dy) || motion.SpinStep(a, b));
    EXPECT_EQ(std::vector<double>({dx, dy, a, b}), std::vector<double>({7, -7, 3, -3}));
    motion.SetDrift(1.5, -1.5);
    motion.SetSpin(0.0127, -0.0127);
    EXPECT_EQ(Fields(motion), std::vector<double>({1.5, -1.5, 0.0127, -0.0127}));
}

TEST(DemoMotionTest, DriftStepsReplaceTheirArgumentsSpinStepsAddToThem) {
    DemoMotion motion;
    motion.SetSpin(0, 0.1);
    motion.SetDrift(0, 5);
    double dx = 42, dy = 42, a = 1.0, b = 2.0;
    ASSERT_TRUE(motion.DriftStep(dx, dy) && motion.SpinStep(a, b));
    EXPECT_EQ(std::vector<double>({dx, dy, a}), std::vector<double>({0, 5, 1.0}));
    EXPECT_DOUBLE_EQ(b, 2.1);
}

} // namespace
