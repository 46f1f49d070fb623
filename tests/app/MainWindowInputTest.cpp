#include "MainWindowTestSupport.h"

#include "app/FrameView.h"
#include "math3d/Angles.h"

#include <QTest>
#include <QWindow>

namespace {

TEST_F(MainWindowTest, ViewKeysTurnTheCameraTenDegreesPerTickAndCancelInPairs) {
    MainWindow& w = Start();
    Camera& camera = *w.SceneCamera();
    struct Case {
        std::vector<Qt::Key> keys;
        double yaw, pitch;
    };
    const std::vector<Case> cases = {{{Qt::Key_Up}, 0, Rad10},
                                     {{Qt::Key_X}, 0, -Rad10},
                                     {{Qt::Key_A}, Rad10, 0},
                                     {{Qt::Key_Right, Qt::Key_W}, -Rad10, Rad10},
                                     {{Qt::Key_Up, Qt::Key_Down}, 0, 0},
                                     {{Qt::Key_W, Qt::Key_X, Qt::Key_Left}, Rad10, 0},
                                     {{Qt::Key_Left, Qt::Key_D}, 0, 0},
                                     {{Qt::Key_Shift}, 0, 0},
                                     {{Qt::Key_S}, 0, 0},
                                     {{Qt::Key_Shift, Qt::Key_Left}, 3 * Rad10, 0}};
    for (const Case& c : cases) {
        Qt::KeyboardModifiers modifiers;
        for (Qt::Key key : c.keys) {
            modifiers |= key == Qt::Key_Shift ? Qt::ShiftModifier : Qt::NoModifier;
            QTest::keyPress(w.View(), key, modifiers);
        }
        const Vertex3D expected = EyeAfter(camera, c.yaw, c.pitch);
        w.OnTick();
        EXPECT_EQ(camera.GetPosition(), expected) << c.keys.size() << " keys, yaw " << c.yaw;
        for (Qt::Key key : c.keys)
            QTest::keyRelease(w.View(), key, modifiers);
    }
    // They keep turning it while a modal dialog has the keyboard.
    ModalWatcher about([&](QWidget* dialog) {
        QTest::keyPress(dialog, Qt::Key_Left);
        const Vertex3D expected = EyeAfter(camera, Rad10, 0);
        w.OnTick();
        EXPECT_EQ(camera.GetPosition(), expected) << "with About open";
        QTest::keyRelease(dialog, Qt::Key_Left);
        const Vertex3D still = camera.GetPosition();
        w.OnTick();
        EXPECT_EQ(camera.GetPosition(), still);
    });
    w.OnCommand(Command::About);
    EXPECT_EQ(about.opened, 1);
    // Held keys go with the focus.
    QTest::keyPress(w.View(), Qt::Key_Up);
    w.Input().OnFocusLost();
    const Vertex3D still = camera.GetPosition();
    w.OnTick();
    EXPECT_EQ(camera.GetPosition(), still);
}

TEST_F(MainWindowTest, ButtonStateMachineRowByRow) {
    MainWindow& w = Start();
    struct Row {
        const char* name;
        std::function<void()> step;
        bool left, right, captured, held;
    };
    const std::vector<Row> rows = {
        {"idle + left down: twist drag", [&] { w.Input().OnLeftButtonDown(10, 20); }, 1, 0, 1, 1},
        {"twist drag + left down", [&] { w.Input().OnLeftButtonDown(30, 30); }, 1, 0, 1, 1},
        {"twist drag + right down: window drag", [&] { w.Input().OnRightButtonDown(40, 50); }, 1, 1,
         1, 1},
        {"window drag + left up: view drag", [&] { w.Input().OnLeftButtonUp(); }, 0, 1, 1, 0},
        {"view drag + left down: no hold", [&] { w.Input().OnLeftButtonDown(60, 70); }, 1, 1, 1, 0},
        {"window drag + right up: twist drag", [&] { w.Input().OnRightButtonUp(); }, 1, 0, 1, 0},
        {"twist drag + left up", [&] { w.Input().OnLeftButtonUp(); }, 0, 0, 0, 0},
        {"idle + right down: view drag", [&] { w.Input().OnRightButtonDown(5, 6); }, 0, 1, 1, 0},
        {"view drag + right up", [&] { w.Input().OnRightButtonUp(); }, 0, 0, 0, 0},
        {"releases in idle", [&] { w.Input().OnLeftButtonUp(), w.Input().OnRightButtonUp(); }, 0, 0,
         0, 0},
        {"focus lost in a twist drag",
         [&] { w.Input().OnLeftButtonDown(1, 1), w.Input().OnFocusLost(); }, 0, 0, 0, 0},
        // A restart clears the flags but not the capture; the next bare motion releases it.
        {"restart in a twist drag",
         [&] { w.Input().OnLeftButtonDown(1, 1), w.OnCommand(Command::TypeItemForSize(2)); }, 0, 0,
         1, 0},
        {"stale capture released", [&] { w.Input().OnMouseMove(3, 3); }, 0, 0, 0, 0},
        {"left drag while editing colours",
         [&] {
             w.OnCommand(Command::ColorEdit), w.Input().OnLeftButtonDown(4, 4),
                 w.Input().OnMouseMove(50, 50);
         },
         0, 0, 0, 0}};
    for (const Row& r : rows) {
        r.step();
        const MouseState& m = w.Input().Mouse();
        EXPECT_EQ(std::vector<bool>(
                      {m.leftButtonDown, m.rightButtonDown, m.mouseCaptured, w.Puzzle()->Hold()}),
                  std::vector<bool>({r.left, r.right, r.captured, r.held}))
            << r.name;
        // The anchor is taken; the capture is not taken again.
        if (&r == &rows[2]) {
            EXPECT_TRUE(m.moveAnchor == QPoint(40, 50) && m.lastMousePos == QPoint(10, 20));
        }
    }
}

TEST_F(MainWindowTest, ARightDragTurnsTheViewScaledByTheWindowWidth) {
    MainWindow& w = Start();
    Camera& camera = *w.SceneCamera();
    const double s = 300.0 / w.Placement().Rect().width();
    QTest::mousePress(w.View(), Qt::RightButton, {}, QPoint(100, 100));
    const Vertex3D expected = EyeAfter(camera, -s * 8 / 40.0, -s * -4 / 40.0);
    QTest::mouseMove(w.View(), QPoint(108, 96));
    // No motion: nothing turns and the last position stays.
    w.Input().OnMouseMove(108, 96);
    EXPECT_TRUE(camera.GetPosition() == expected &&
                w.Input().Mouse().lastMousePos == QPoint(108, 96));
    QTest::mouseRelease(w.View(), Qt::RightButton, {}, QPoint(108, 96));
    EXPECT_FALSE(w.Input().Mouse().rightButtonDown);
}

TEST_F(MainWindowTest, ATwoButtonDragMovesOnlyTheShapedWindowAndOnlyOnceAnchored) {
    MainWindow& w = Start();
    const QRect start = w.Placement().Rect();
    // While the anchor is still (0, 0) a two-button drag does nothing.
    w.Input().OnLeftButtonDown(0, 0);
    w.Input().OnRightButtonDown(0, 0);
    w.Input().OnMouseMove(30, 30);
    EXPECT_EQ(w.Placement().Rect(), start);
    w.Input().OnLeftButtonUp();
    w.Input().OnRightButtonUp();
    Throw(w, 10, -5);
    EXPECT_TRUE(w.Placement().Rect() == start.translated(10, -5) &&
                w.geometry() == w.Placement().Rect());
    // Moved by the window manager, the window is dragged, and resized, from where it is now.
    const QPoint moved = start.topLeft() + QPoint(200, 100);
    w.windowHandle()->setPosition(moved);
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.Placement().Rect().topLeft() == moved; }));
    Throw(w, 10, -5);
    EXPECT_EQ(w.Placement().Rect(), QRect(moved + QPoint(10, -5), start.size()));
    w.Input().OnMouseWheel(120);
    EXPECT_EQ(w.Placement().Rect(), QRect(moved + QPoint(7, -8), start.size() + QSize(6, 6)));
    // Framed: no anchor is taken and nothing moves.
    w.OnCommand(Command::Region);
    const QRect framed = w.Placement().Rect();
    w.Input().OnLeftButtonDown(10, 10);
    w.Input().OnRightButtonDown(120, 120);
    EXPECT_EQ(w.Input().Mouse().moveAnchor, QPoint(100, 100));
    w.Input().OnMouseMove(150, 150);
    w.Input().MoveWindowTo(300, 300);
    EXPECT_EQ(w.Placement().Rect(), framed);
}

TEST_F(MainWindowTest, TheWheelAndPageKeysResizeAroundTheCentreWithinLimits) {
    MainWindow& w = Start();
    const QRect start = w.Placement().Rect();
    QWheelEvent up(QPointF(50, 50), w.View()->mapToGlobal(QPointF(50, 50)), QPoint(),
                   QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(w.View(), &up);
    EXPECT_EQ(w.Placement().Rect(), start.adjusted(-3, -3, 3, 3));
    EXPECT_EQ(w.SceneCamera()->GetAspect(), (start.height() + 6.0) / (start.width() + 6.0));
    QTest::keyClick(w.View(), Qt::Key_PageDown);
    EXPECT_EQ(w.Placement().Rect(), start);

    // {width, height, wheel delta} in, client size out; nothing leaves 30..900.
    const int cases[][5] = {{897, 300, 120, 897, 300},
                            {894, 300, 120, 900, 306},
                            {200, 35, -120, 200, 35},
                            {200, 36, 0, 194, 30}};
    for (const auto& c : cases) {
        w.setGeometry(QRect(start.topLeft(), QSize(c[0], c[1])));
        w.Input().OnMouseWheel(c[2]);
        EXPECT_EQ(appSettings.clientRect.size(), QSize(c[3], c[4])) << c[0] << "x" << c[1];
    }
    // Framed: neither the wheel nor the page keys resize.
    w.OnCommand(Command::Region);
    const QRect framed = w.Placement().Rect();
    w.Input().OnMouseWheel(120);
    QTest::keyClick(w.View(), Qt::Key_PageUp);
    EXPECT_EQ(w.Placement().Rect(), framed);
}

} // namespace
