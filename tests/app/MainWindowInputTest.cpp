#include "MainWindowTestSupport.h"

#include "app/CommandIds.h"
#include "app/DemoMotion.h"
#include "app/FrameView.h"
#include "math3d/Angles.h"
#include "puzzle/CMozai.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>

namespace {

// Flags, capture and hold after each row of the button table.
struct Buttons {
    bool left;
    bool right;
    bool captured;
    bool hold;
};

void ExpectButtons(const MainWindow& w, const Buttons& b, const char* row) {
    EXPECT_EQ(w.Mouse().leftButtonDown, b.left) << row;
    EXPECT_EQ(w.Mouse().rightButtonDown, b.right) << row;
    EXPECT_EQ(w.Mouse().mouseCaptured, b.captured) << row;
    EXPECT_EQ(w.Puzzle()->Hold(), b.hold) << row;
}

TEST_F(MainWindowTest, ViewKeysTurnTheCameraTenDegreesPerTickAndCancelInPairs) {
    MainWindow& w = Start();
    Camera& camera = *w.SceneCamera();
    FrameView* view = w.View();
    struct Case {
        std::vector<Qt::Key> keys;
        double yaw;
        double pitch;
    };
    const std::vector<Case> cases = {
        {{Qt::Key_Up}, 0, Rad10},
        {{Qt::Key_X}, 0, -Rad10},
        {{Qt::Key_A}, Rad10, 0},
        {{Qt::Key_Right, Qt::Key_W}, -Rad10, Rad10},
        {{Qt::Key_Up, Qt::Key_Down}, 0, 0},
        {{Qt::Key_W, Qt::Key_X, Qt::Key_Left}, Rad10, 0},
        {{Qt::Key_Left, Qt::Key_D}, 0, 0},
        {{Qt::Key_Shift}, 0, 0},
        {{Qt::Key_S}, 0, 0},
        {{Qt::Key_Shift, Qt::Key_Left}, 3 * Rad10, 0},
    };
    for (const Case& c : cases) {
        Qt::KeyboardModifiers modifiers;
        for (Qt::Key key : c.keys) {
            if (key == Qt::Key_Shift)
                modifiers |= Qt::ShiftModifier;
            QTest::keyPress(view, key, modifiers);
        }
        const Vertex3D expected = EyeAfter(camera, c.yaw, c.pitch);
        w.OnTick();
        EXPECT_EQ(camera.GetPosition(), expected) << c.keys.size() << " keys, yaw " << c.yaw;
        for (Qt::Key key : c.keys)
            QTest::keyRelease(view, key, modifiers);
    }

    // Held keys go with the focus.
    QTest::keyPress(view, Qt::Key_Up);
    w.OnFocusLost();
    const Vertex3D still = camera.GetPosition();
    w.OnTick();
    EXPECT_EQ(camera.GetPosition(), still);
}

TEST_F(MainWindowTest, ButtonStateMachineRowByRow) {
    MainWindow& w = Start();
    ExpectButtons(w, {false, false, false, false}, "idle");
    w.OnLeftButtonDown(10, 20);
    ExpectButtons(w, {true, false, true, true}, "idle + left down: twist drag");
    EXPECT_EQ(w.Mouse().lastMousePos, QPoint(10, 20));
    w.OnLeftButtonDown(30, 30);
    ExpectButtons(w, {true, false, true, true}, "twist drag + left down");
    w.OnRightButtonDown(40, 50);
    ExpectButtons(w, {true, true, true, true}, "twist drag + right down: window drag");
    EXPECT_EQ(w.Mouse().moveAnchor, QPoint(40, 50));
    EXPECT_EQ(w.Mouse().lastMousePos, QPoint(10, 20)) << "the capture is not taken again";
    w.OnLeftButtonUp();
    ExpectButtons(w, {false, true, true, false}, "window drag + left up: view drag");
    w.OnLeftButtonDown(60, 70);
    ExpectButtons(w, {true, true, true, false}, "view drag + left down: no hold");
    EXPECT_EQ(w.Mouse().moveAnchor, QPoint(60, 70));
    w.OnRightButtonUp();
    ExpectButtons(w, {true, false, true, false}, "window drag + right up: twist drag");
    w.OnLeftButtonUp();
    ExpectButtons(w, {false, false, false, false}, "twist drag + left up");
    w.OnRightButtonDown(5, 6);
    ExpectButtons(w, {false, true, true, false}, "idle + right down: view drag");
    EXPECT_EQ(w.Mouse().lastMousePos, QPoint(5, 6));
    w.OnRightButtonUp();
    ExpectButtons(w, {false, false, false, false}, "view drag + right up");
    w.OnLeftButtonUp();
    w.OnRightButtonUp();
    ExpectButtons(w, {false, false, false, false}, "releases in idle");

    // Focus loss returns to idle from a twist drag and lets the puzzle go.
    w.OnLeftButtonDown(1, 1);
    w.OnFocusLost();
    ExpectButtons(w, {false, false, false, false}, "focus lost in a twist drag");

    // A restart clears the flags but not the capture; the next bare motion releases it.
    w.OnLeftButtonDown(1, 1);
    w.OnCommand(Command::TypeItemForSize(2));
    ExpectButtons(w, {false, false, true, false}, "restart during a twist drag");
    w.OnMouseMove(3, 3);
    ExpectButtons(w, {false, false, false, false}, "stale capture released");

    // Colour editing takes left presses and nothing else.
    w.OnCommand(Command::ColorEdit);
    w.OnLeftButtonDown(4, 4);
    ExpectButtons(w, {false, false, false, false}, "left down while editing colours");
    w.OnMouseMove(50, 50);
    ExpectButtons(w, {false, false, false, false}, "left drag while editing colours");
}

TEST_F(MainWindowTest, ARightDragTurnsTheViewScaledByTheWindowWidth) {
    MainWindow& w = Start();
    Camera& camera = *w.SceneCamera();
    const double s = 300.0 / w.Placement().width();
    QTest::mousePress(w.View(), Qt::RightButton, {}, QPoint(100, 100));
    const Vertex3D expected = EyeAfter(camera, -s * 8 / 40.0, -s * -4 / 40.0);
    QTest::mouseMove(w.View(), QPoint(108, 96));
    EXPECT_EQ(camera.GetPosition(), expected);
    EXPECT_EQ(w.Mouse().lastMousePos, QPoint(108, 96));
    // No motion: nothing turns and the last position stays.
    w.OnMouseMove(108, 96);
    EXPECT_EQ(camera.GetPosition(), expected);
    QTest::mouseRelease(w.View(), Qt::RightButton, {}, QPoint(108, 96));
    EXPECT_FALSE(w.Mouse().rightButtonDown);
}

TEST_F(MainWindowTest, TwoButtonDragMovesTheShapedWindowAndStopsAtTheScreenEdge) {
    MainWindow& w = Start();
    const QRect start = w.Placement();
    // While the anchor is still (0, 0) a two-button drag does nothing.
    w.OnLeftButtonDown(0, 0);
    w.OnRightButtonDown(0, 0);
    w.OnMouseMove(30, 30);
    EXPECT_EQ(w.Placement(), start);
    w.OnLeftButtonUp();
    w.OnRightButtonUp();

    w.OnLeftButtonDown(100, 100);
    w.OnRightButtonDown(100, 100);
    w.OnMouseMove(110, 95);
    EXPECT_EQ(w.Placement(), start.translated(10, -5));
    EXPECT_EQ(w.geometry(), w.Placement());
    // Far past the left edge: the centre stops on it.
    w.OnMouseMove(100 - 5000, 100);
    EXPECT_EQ(w.Placement().x(), -(start.width() / 2));
    EXPECT_EQ(w.Placement().width(), start.width());
    w.OnLeftButtonUp();
    w.OnRightButtonUp();
}

TEST_F(MainWindowTest, TwoButtonDragInFramedModeDoesNothing) {
    MainWindow& w = Start();
    w.OnCommand(Command::Region);
    const QRect framed = w.Placement();
    w.OnLeftButtonDown(100, 100);
    w.OnRightButtonDown(120, 120);
    EXPECT_TRUE(w.Mouse().moveAnchor.isNull()) << "no anchor in framed mode";
    w.OnMouseMove(150, 150);
    w.MoveWindowTo(300, 300);
    EXPECT_EQ(w.Placement(), framed);
}

TEST_F(MainWindowTest, DemoKeepsTheLastSpinAndThrowsTheWindow) {
    MainWindow& w = Start();
    w.OnCommand(Command::Demo);
    Camera& camera = *w.SceneCamera();
    w.OnRightButtonDown(100, 100);
    w.OnMouseMove(104, 100);
    w.OnRightButtonUp();
    EXPECT_DOUBLE_EQ(w.Demo()->spinX, 0.1);
    EXPECT_EQ(w.Demo()->spinY, 0.0);
    const Vertex3D spun = EyeAfter(camera, -0.1, 0);
    w.OnTick();
    EXPECT_EQ(camera.GetPosition(), spun);

    // The last two-button step was (1, 5): the window keeps drifting 5 pixels a tick down.
    w.OnLeftButtonDown(100, 100);
    w.OnRightButtonDown(100, 100);
    w.OnMouseMove(101, 105);
    w.OnLeftButtonUp();
    w.OnRightButtonUp();
    EXPECT_EQ(w.Demo()->driftX, 0.0);
    EXPECT_EQ(w.Demo()->driftY, 5.0);
    const QRect before = w.Placement();
    w.OnTick();
    EXPECT_EQ(w.Placement(), before.translated(0, 5));
    // At the bottom edge it turns back.
    const int fullH = QGuiApplication::primaryScreen()->availableGeometry().height();
    for (int i = 0; i < 200 && w.Demo()->driftY > 0; ++i)
        w.OnTick();
    EXPECT_EQ(w.Demo()->driftY, -5.0);
    EXPECT_EQ(w.Placement().y() + w.Placement().height() / 2, fullH);
}

TEST_F(MainWindowTest, TheWheelAndPageKeysResizeAroundTheCentreWithinLimits) {
    MainWindow& w = Start();
    const QRect start = w.Placement();
    QWheelEvent up(QPointF(50, 50), w.View()->mapToGlobal(QPointF(50, 50)), QPoint(),
                   QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(w.View(), &up);
    EXPECT_EQ(w.Placement(), start.adjusted(-3, -3, 3, 3));
    EXPECT_EQ(appSettings.clientRect.size(), start.size() + QSize(6, 6));
    EXPECT_EQ(w.SceneCamera()->GetAspect(), (start.height() + 6.0) / (start.width() + 6.0));
    QTest::keyClick(w.View(), Qt::Key_PageDown);
    EXPECT_EQ(w.Placement(), start);

    // A step that would leave 30..900 does nothing.
    w.setGeometry(QRect(start.topLeft(), QSize(897, 300)));
    w.ResizeBy(6);
    EXPECT_EQ(appSettings.clientRect.size(), QSize(897, 300));
    w.setGeometry(QRect(start.topLeft(), QSize(894, 300)));
    w.ResizeBy(6);
    EXPECT_EQ(appSettings.clientRect.size(), QSize(900, 306));
    w.setGeometry(QRect(start.topLeft(), QSize(200, 35)));
    w.OnMouseWheel(-120);
    EXPECT_EQ(appSettings.clientRect.size(), QSize(200, 35));
    w.setGeometry(QRect(start.topLeft(), QSize(200, 36)));
    w.OnMouseWheel(0); // a zero delta shrinks
    EXPECT_EQ(appSettings.clientRect.size(), QSize(194, 30));

    // Framed: neither the wheel nor the page keys resize.
    w.OnCommand(Command::Region);
    const QRect framed = w.Placement();
    w.OnMouseWheel(120);
    QTest::keyClick(w.View(), Qt::Key_PageUp);
    EXPECT_EQ(w.Placement(), framed);
}

} // namespace
