#include "MainWindowTestSupport.h"

#include "app/DemoMotion.h"
#include "app/ScreenEdges.h"

#include <QMoveEvent>

namespace {

TEST_F(MainWindowTest, ViewKeysTurnTheCameraTenDegreesPerTickAndCancelInPairs) {
    MainWindow& w = Start();
    const std::tuple<std::vector<Qt::Key>, double, double> cases[] = {
        {{Qt::Key_Up}, 0, Rad10},
        {{Qt::Key_X}, 0, -Rad10},
        {{Qt::Key_A}, Rad10, 0},
        {{Qt::Key_Right, Qt::Key_W}, -Rad10, Rad10},
        {{Qt::Key_Up, Qt::Key_Down}, 0, 0},
        {{Qt::Key_W, Qt::Key_X, Qt::Key_Left}, Rad10, 0},
        {{Qt::Key_Left, Qt::Key_D}, 0, 0},
        {{Qt::Key_Shift}, 0, 0},
        {{Qt::Key_S}, 0, 0},
        {{Qt::Key_Shift, Qt::Key_Left}, 3 * Rad10, 0}};
    for (const auto& [keys, yaw, pitch] : cases) {
        Qt::KeyboardModifiers modifiers;
        for (Qt::Key key : keys) {
            modifiers |= key == Qt::Key_Shift ? Qt::ShiftModifier : Qt::NoModifier;
            QTest::keyPress(w.View(), key, modifiers);
        }
        EXPECT_TRUE(TickTurns(w, yaw, pitch)) << "case " << &keys - &std::get<0>(cases[0]);
        for (Qt::Key key : keys)
            QTest::keyRelease(w.View(), key, modifiers);
    }
    // They keep turning it while a modal dialog has the keyboard: About, opened by Alt+/ or
    // Alt+Shift+? (the command opens it in the quit test), closed by Return (OK) or Escape.
    for (const auto& [key, modifiers, closeKey] :
         {std::tuple{Qt::Key_Slash, Qt::KeyboardModifiers(Qt::AltModifier), Qt::Key_Return},
          {Qt::Key_Question, Qt::AltModifier | Qt::ShiftModifier, Qt::Key_Escape}}) {
        QString title; // " open" added while the key has not closed it
        ModalWatcher about(
            [&, closeKey = closeKey](QWidget* dialog) {
                QTest::keyPress(dialog, Qt::Key_Left);
                EXPECT_TRUE(TickTurns(w, Rad10, 0)) << "with About open";
                QTest::keyRelease(dialog, Qt::Key_Left);
                EXPECT_TRUE(TickTurns(w, 0, 0));
                QTest::keyClick(dialog->focusWidget() ? dialog->focusWidget() : dialog, closeKey);
                title = dialog->windowTitle() + (dialog->isVisible() ? " open" : "");
            },
            [] { return false; });
        QTest::keyClick(w.View(), key, modifiers); // returns once About has closed
        EXPECT_EQ(title.toStdString(), "ﾊﾞｰｼﾞｮﾝ情報") << key;
    }
    // Held keys go with the focus.
    QTest::keyPress(w.View(), Qt::Key_Up);
    w.Input().OnFocusLost();
    EXPECT_TRUE(TickTurns(w, 0, 0));
}

TEST_F(MainWindowTest, ButtonStateMachineRowByRow) {
    MainWindow& w = Start();
    WindowInput& in = w.Input();
    // Each step, then the left and right button flags, the capture and the puzzle's hold.
    const std::tuple<const char*, std::function<void()>, std::vector<bool>> rows[] = {
        {"idle + left down: twist drag", [&] { in.OnLeftButtonDown(10, 20); }, {1, 0, 1, 1}},
        {"twist drag + left down", [&] { in.OnLeftButtonDown(30, 30); }, {1, 0, 1, 1}},
        {"twist drag + right down: move", [&] { in.OnRightButtonDown(40, 50); }, {1, 1, 1, 1}},
        {"move + left up: view drag", [&] { in.OnLeftButtonUp(); }, {0, 1, 1, 0}},
        {"view drag + left down: no hold", [&] { in.OnLeftButtonDown(60, 70); }, {1, 1, 1, 0}},
        {"move + right up: twist drag", [&] { in.OnRightButtonUp(); }, {1, 0, 1, 0}},
        {"twist drag + left up", [&] { in.OnLeftButtonUp(); }, {0, 0, 0, 0}},
        {"idle + right down: view drag", [&] { in.OnRightButtonDown(5, 6); }, {0, 1, 1, 0}},
        {"view drag + right up", [&] { in.OnRightButtonUp(); }, {0, 0, 0, 0}},
        {"releases in idle", [&] { in.OnLeftButtonUp(), in.OnRightButtonUp(); }, {0, 0, 0, 0}},
        {"twist + focus lost", [&] { in.OnLeftButtonDown(1, 1), in.OnFocusLost(); }, {0, 0, 0, 0}},
        // A restart clears the flags but not the capture; the next bare motion releases it.
        {"restart in a twist drag",
         [&] { in.OnLeftButtonDown(1, 1), w.OnCommand(Command::TypeItemForSize(2)); },
         {0, 0, 1, 0}},
        {"stale capture released", [&] { in.OnMouseMove(3, 3); }, {0, 0, 0, 0}},
    };
    for (const auto& [name, step, flags] : rows) {
        step();
        const MouseState& m = in.Mouse();
        EXPECT_EQ(std::vector<bool>(
                      {m.leftButtonDown, m.rightButtonDown, m.mouseCaptured, w.Puzzle()->Hold()}),
                  flags)
            << name;
        // The anchor is taken; the capture is not taken again.
        EXPECT_TRUE(&name != &std::get<0>(rows[2]) ||
                    (m.moveAnchor == QPoint(40, 50) && m.lastMousePos == QPoint(10, 20)));
    }
}

// Moved by two buttons, resized about its centre by wheel and page keys within 30..900; framed,
// neither, nor is an anchor taken. After a window manager's move: the end-to-end test.
TEST_F(MainWindowTest, OnlyTheShapedWindowMovesByTwoButtonsAndResizesByWheelAndPageKeys) {
    MainWindow& w = Start();
    const QRect start = w.Placement().Rect();
    Throw(w, 30, 30, 0, 0); // while the anchor is still (0, 0) nothing moves
    EXPECT_EQ(w.Placement().Rect(), start);
    Throw(w, 10, -5);
    EXPECT_TRUE(w.Placement().Rect() == start.translated(10, -5) &&
                w.geometry() == w.Placement().Rect());
    const QRect before = w.Placement().Rect();
    w.Input().OnMouseWheel(120); // the wheel's events: the end-to-end test
    EXPECT_EQ(w.Placement().Rect(), before.adjusted(-3, -3, 3, 3));
    EXPECT_EQ(w.SceneCamera()->GetAspect(), (before.height() + 6.0) / (before.width() + 6.0));
    QTest::keyClick(w.View(), Qt::Key_PageDown);
    EXPECT_EQ(w.Placement().Rect(), before);
    // {width, height, wheel delta} in, client size out; never larger than the usable area (the
    // end-to-end test grows it at a corner).
    const QRect area = WindowPlacement::AvailableArea();
    const int cap = std::min({900, area.width(), area.height()});
    ASSERT_LT(cap, 900) << "the offscreen screen is smaller than the limit";
    const int cases[][5] = {{cap - 3, 300, 120, cap - 3, 300},
                            {cap - 6, 300, 120, cap, 306},
                            {200, 35, -120, 200, 35},
                            {200, 36, 0, 194, 30}};
    for (const auto& c : cases) {
        w.setGeometry(QRect(start.topLeft(), QSize(c[0], c[1])));
        w.Input().OnMouseWheel(c[2]);
        EXPECT_EQ(appSettings.clientRect.size(), QSize(c[3], c[4])) << c[0] << "x" << c[1];
    }
    w.OnCommand(Command::Region);
    const QRect framed = w.Placement().Rect();
    Throw(w, 50, 50, 10, 10);
    EXPECT_EQ(w.Input().Mouse().moveAnchor, QPoint(100, 100));
    w.Input().MoveWindowTo(300, 300);
    w.Input().OnMouseWheel(120);
    QTest::keyClick(w.View(), Qt::Key_PageUp);
    EXPECT_EQ(w.Placement().Rect(), framed);
}

// The demo's twists are recorded after what was there (the end-to-end test reads the file).
TEST_F(MainWindowTest, TheDemoTwistsAtOnceAndKeepsTheLastSpinAndThrowUntilSwitchedOff) {
    WriteBytes("history.ini", "3\r\n0 2 1\r\n");
    MainWindow& w = Start();
    Camera& camera = *w.SceneCamera();
    const auto motion = [&w] {
        return std::vector<double>{w.Demo()->spinX, w.Demo()->spinY, w.Demo()->driftX,
                                   w.Demo()->driftY};
    };
    QRect before = w.Placement().Rect();
    const Vertex3D eye = camera.GetPosition();
    w.OnCommand(Command::Demo);
    EXPECT_EQ(w.History()->Count(), 1) << "switching on keeps the history";
    Tick(w, 3);
    EXPECT_NE(w.Puzzle()->CurrentTwist(), nullptr) << "random twists start at once";
    EXPECT_TRUE(camera.GetPosition() == eye && w.Placement().Rect() == before);
    // A right drag turns the view scaled by the window width; the demo keeps its last step, 4
    // pixels right and up: each tick then turns the view by (-0.1, 0.1). No motion turns nothing.
    const double s = 300.0 / w.Placement().Rect().width();
    QTest::mousePress(w.View(), Qt::RightButton, {}, QPoint(100, 100));
    QTest::mouseMove(w.View(), QPoint(110, 103));
    const Vertex3D dragged = EyeAfter(camera.GetPosition(), camera.GetTarget(), camera.GetUp(),
                                      -s * 4 / 40.0, -s * -4 / 40.0);
    QTest::mouseMove(w.View(), QPoint(114, 99));
    w.Input().OnMouseMove(114, 99);
    EXPECT_TRUE(camera.GetPosition() == dragged &&
                w.Input().Mouse().lastMousePos == QPoint(114, 99));
    QTest::mouseRelease(w.View(), Qt::RightButton, {}, QPoint(114, 99));
    EXPECT_FALSE(w.Input().Mouse().rightButtonDown);
    EXPECT_EQ(motion(), std::vector<double>({0.1, -0.1, 0, 0}));
    EXPECT_TRUE(TickTurns(w, -0.1, 0.1) && TickTurns(w, -0.1, 0.1));
    // A throw whose last step is (1, 5) drifts 5 pixels a tick down, and waits while framed.
    Throw(w, 1, 5);
    for (int command : {0, Command::Region, Command::Region}) {
        if (command != 0)
            w.OnCommand(command);
        before = w.Placement().Rect();
        w.OnTick();
        EXPECT_EQ(w.Placement().Rect(), before.translated(0, appSettings.regionMode ? 5 : 0));
        EXPECT_EQ(motion(), std::vector<double>({0.1, -0.1, 0, 5}));
    }
    // Held with both buttons, it stays. The window system reports the drift's moves late, after
    // a newer one: echoes, not the user's moves, so the window drifts on from where it is.
    const QRect held = w.Placement().Rect();
    w.Input().OnLeftButtonDown(100, 100);
    w.Input().OnRightButtonDown(100, 100);
    Tick(w, 2);
    EXPECT_EQ(w.Placement().Rect(), held);
    Throw(w, 1, 5);
    QPoint placed[4];
    for (QPoint& at : placed)
        at = (w.OnTick(), w.Placement().Rect().topLeft());
    for (int i = 0; i < 3; ++i) {
        QMoveEvent echo(placed[i], QPoint());
        QCoreApplication::sendEvent(&w, &echo);
    }
    w.OnTick();
    EXPECT_EQ(w.Placement().Rect().topLeft(), placed[3] + QPoint(0, 5));
    // Thrown towards each edge of the usable area, the window turns back with its centre on it.
    const QRect area = WindowPlacement::AvailableArea();
    for (const QPoint step : {QPoint(-25, 0), QPoint(25, 0), QPoint(0, -25), QPoint(0, 25)}) {
        SCOPED_TRACE(testing::Message() << "thrown by " << step.x() << ", " << step.y());
        Throw(w, step.x(), step.y());
        for (int i = 0; i < 200 && QPointF(w.Demo()->driftX, w.Demo()->driftY) == step; ++i)
            w.OnTick();
        EXPECT_EQ(QPointF(w.Demo()->driftX, w.Demo()->driftY), QPointF(-step));
        const QRect r = w.Placement().Rect();
        const QPoint centre = r.topLeft() + QPoint(r.width() / 2, r.height() / 2);
        const QPoint edge =
            step.x() + step.y() < 0 ? area.topLeft() : area.bottomRight() + QPoint(1, 1);
        EXPECT_EQ(step.x() != 0 ? centre.x() : centre.y(), step.x() != 0 ? edge.x() : edge.y());
    }
    Tick(w, 40);
    w.Puzzle()->onSolved = nullptr;
    EXPECT_TRUE(w.History()->Count() > 1 && !w.Puzzle()->IsSolved());
    // Off and on again: at rest until the next drag.
    w.OnCommand(Command::Demo);
    w.OnCommand(Command::Demo);
    EXPECT_EQ(motion(), std::vector<double>(4, 0.0));
    before = w.Placement().Rect();
    EXPECT_TRUE(TickTurns(w, 0, 0) && w.Placement().Rect() == before);
}

// A primary screen right of a 1280-pixel one, under a 24-pixel top panel: 1920 x 1026 usable.
const QRect area(1280, 24, 1920, 1026);
constexpr int L = 1280, T = 24, R = 1280 + 1920, B = 24 + 1026;

// The dead zones (steps of a pixel or less, spins up to 0.0126) and the edges the drift turns at.
TEST(DemoMotionTest, SmallStepsAreNoMotionAndDriftTurnsOnlyWhenHeadingOffAnEdge) {
    DemoMotion m;
    m.SetDrift(1.0, -1.5);
    m.SetSpin(0.0127, -0.0126);
    EXPECT_EQ(std::vector<double>({m.driftX, m.driftY, m.spinX, m.spinY}),
              std::vector<double>({0, -1.5, 0.0127, 0}));
    // {ddx, ddy, cx, cy} in, {ddx, ddy} out
    const int cases[][6] = {
        {-5, 3, L, 500, 5, 3},   {5, 3, L, 500, 5, 3},           {5, 3, R, 500, -5, 3},
        {-5, 3, R, 500, -5, 3},  {2, -7, 1900, T - 3, 2, 7},     {2, 7, 1900, B + 1, 2, -7},
        {2, -7, 1900, B, 2, -7}, {-4, -4, L + 1, T + 1, -4, -4}, {-4, 4, 0, 0, 4, 4}};
    for (const auto& c : cases) {
        int ddx = c[0], ddy = c[1];
        BounceDrift(ddx, ddy, c[2], c[3], area);
        EXPECT_EQ(std::pair(ddx, ddy), std::pair(c[4], c[5])) << "row " << &c - cases;
    }
}

} // namespace
