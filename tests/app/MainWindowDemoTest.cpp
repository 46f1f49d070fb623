#include "MainWindowTestSupport.h"

#include "app/DemoMotion.h"

namespace {

// spinX, spinY, driftX, driftY.
std::vector<double> Motion(const MainWindow& w) {
    const DemoMotion& m = *w.Demo();
    return {m.spinX, m.spinY, m.driftX, m.driftY};
}

TEST_F(MainWindowTest, TheDemoTwistsAtOnceAndKeepsTheLastSpinAndThrowUntilSwitchedOff) {
    MainWindow& w = Start();
    Camera& camera = *w.SceneCamera();
    QRect before = w.Placement().Rect();
    const Vertex3D eye = camera.GetPosition();
    w.OnCommand(Command::Demo);
    Tick(w, 3);
    EXPECT_NE(w.Puzzle()->CurrentTwist(), nullptr) << "random twists start at once";
    EXPECT_TRUE(camera.GetPosition() == eye && w.Placement().Rect() == before);

    // A right drag whose last step is 4 pixels right: each tick turns the view by (-0.1, 0).
    w.Input().OnRightButtonDown(100, 100);
    w.Input().OnMouseMove(110, 103);
    w.Input().OnMouseMove(114, 103);
    w.Input().OnRightButtonUp();
    EXPECT_EQ(Motion(w), std::vector<double>({0.1, 0, 0, 0}));
    for (int tick = 0; tick < 2; ++tick) {
        const Vertex3D spun = EyeAfter(camera, -0.1, 0);
        w.OnTick();
        EXPECT_EQ(camera.GetPosition(), spun);
    }

    // A throw whose last step is (1, 5) drifts 5 pixels a tick down, and waits while framed.
    Throw(w, 1, 5);
    for (int command : {0, Command::Region, Command::Region}) {
        if (command != 0)
            w.OnCommand(command);
        before = w.Placement().Rect();
        w.OnTick();
        EXPECT_EQ(w.Placement().Rect(), before.translated(0, appSettings.regionMode ? 5 : 0));
        EXPECT_EQ(Motion(w), std::vector<double>({0.1, 0, 0, 5}));
    }

    ThrowToEachEdge(w);

    // Off and on again: at rest until the next drag.
    w.OnCommand(Command::Demo);
    w.OnCommand(Command::Demo);
    EXPECT_EQ(Motion(w), std::vector<double>(4, 0.0));
    before = w.Placement().Rect();
    const Vertex3D still = camera.GetPosition();
    w.OnTick();
    EXPECT_TRUE(camera.GetPosition() == still && w.Placement().Rect() == before);
}

TEST_F(MainWindowTest, DemoTwistsAreNeverRecordedSoTheNextStartIsSolved) {
    WriteFile("history.ini", "3\r\n0 2 1\r\n");
    MainWindow& w = Start();
    w.OnCommand(Command::Demo);
    EXPECT_EQ(w.History()->Count(), 0) << "switching on empties the history";
    Tick(w, 40);
    w.Puzzle()->onSolved = nullptr;
    EXPECT_TRUE(w.History()->Count() == 0 && !w.Puzzle()->IsSolved());
    w.OnCommand(Command::Exit);
    EXPECT_EQ(ReadFile("history.ini"), "3\r\n");
    MainWindow& next = Start();
    next.Puzzle()->onSolved = nullptr;
    EXPECT_TRUE(next.Puzzle()->IsSolved());
}

} // namespace
