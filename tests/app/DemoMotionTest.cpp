#include "app/DemoMotion.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(DemoMotionTest, AtRestTheStepsLeaveTheirArgumentsAlone) {
    const DemoMotion motion;
    double dx = 7, dy = -7, a = 3, b = -3;
    EXPECT_FALSE(motion.DriftStep(dx, dy));
    EXPECT_FALSE(motion.SpinStep(a, b));
    EXPECT_EQ((std::vector<double>{dx, dy, a, b}), (std::vector<double>{7, -7, 3, -3}));
}

TEST(DemoMotionTest, DeadZones) {
    DemoMotion motion;
    motion.SetDrift(1.0, -1.0);
    motion.SetSpin(0.0126, -0.0126);
    EXPECT_EQ((std::vector<double>{motion.driftX, motion.driftY, motion.spinX, motion.spinY}),
              (std::vector<double>{0, 0, 0, 0}));

    motion.SetDrift(1.5, -1.5);
    motion.SetSpin(0.0127, -0.0127);
    EXPECT_EQ((std::vector<double>{motion.driftX, motion.driftY, motion.spinX, motion.spinY}),
              (std::vector<double>{1.5, -1.5, 0.0127, -0.0127}));
}

TEST(DemoMotionTest, LastDragSetsTheMotionOfEveryTick) {
    DemoMotion motion;
    motion.SetSpin(4 / 40.0, 0 / 40.0); // right drag, 4 px right
    double a = 1.0, b = 2.0;
    ASSERT_TRUE(motion.SpinStep(a, b));
    EXPECT_DOUBLE_EQ(a, 1.1);
    EXPECT_EQ(b, 2.0);

    motion.SetDrift(1, 5); // two-button drag, 1 px right and 5 px down
    double dx = 42, dy = 42;
    ASSERT_TRUE(motion.DriftStep(dx, dy));
    EXPECT_EQ(dx, 0.0);
    EXPECT_EQ(dy, 5.0);
}

} // namespace
