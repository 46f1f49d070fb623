#include "MainWindowTestSupport.h"

#include "app/BitmapDialog.h"
#include "app/CommandIds.h"
#include "app/FrameView.h"
#include "app/Pictures.h"
#include "persist/ColourEditUi.h"
#include "persist/FaceColours.h"
#include "persist/MoveHistory.h"
#include "puzzle/CMozai.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>

#include <vector>

namespace {

// A point on the front face, left of and below the window's centre: the start of every drag
// here. Dragged sideways, its layer turns a full quarter before the face would point along the
// drag (and the turn reverse).
QPoint StickerPoint() {
    return appSettings.clientRect.center() + QPoint(-30, 25);
}

// A left drag from `from`, `steps` moves of `step` pixels, then the release.
void LeftDrag(MainWindow& w, QPoint from, QPoint step, int steps, bool release = true) {
    w.OnLeftButtonDown(from.x(), from.y());
    for (int i = 1; i <= steps; ++i)
        w.OnMouseMove(from.x() + i * step.x(), from.y() + i * step.y());
    if (release)
        w.OnLeftButtonUp();
}

void TickUntilIdle(MainWindow& w) {
    for (int i = 0; i < 40; ++i)
        w.OnTick();
}

// Counts the paint events of a widget.
class PaintCounter : public QObject {
public:
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

class FakeColourUi : public ColourEditUi {
public:
    bool ChooseColour(COLORREF initial, CustomColours&, COLORREF& chosen) override {
        offered.push_back(initial);
        chosen = answer;
        return true;
    }
    void ShowError(const char* text) override { errors.emplace_back(text); }

    COLORREF answer = 0x123456;
    std::vector<COLORREF> offered;
    std::vector<std::string> errors;
};

TEST_F(MainWindowTest, ALeftDragAcrossASideStickerTurnsALayerAboutTheVerticalAxis) {
    MainWindow& w = Start();
    w.OnTick();
    const QPoint start = StickerPoint();
    EXPECT_NE(w.Frame().pixel(start) & 0xFFFFFF, 0xDCDDDDu) << "the drag starts on the cube";
    EXPECT_TRUE(w.mask().contains(start)) << "the window is cut to the cube";
    EXPECT_FALSE(w.mask().contains(QPoint(1, 1)));

    LeftDrag(w, start, QPoint(5, 0), 24);
    TickUntilIdle(w);
    ASSERT_EQ(w.History()->Count(), 1);
    EXPECT_EQ(w.History()->Newest()->axis, 1) << "a sideways drag on a side turns about Y";
    EXPECT_FALSE(w.Puzzle()->Hold());
    EXPECT_EQ(w.Puzzle()->CurrentTwist(), nullptr);

    // In colour-edit mode the same drag twists nothing.
    w.OnCommand(Command::ColorEdit);
    LeftDrag(w, start, QPoint(5, 0), 24);
    TickUntilIdle(w);
    EXPECT_EQ(w.History()->Count(), 1);
}

TEST_F(MainWindowTest, ACongratulationsBannerOpenedInATickKeepsTheCubeAnimated) {
    MainWindow& w = Start();
    w.OnTick();
    const QPoint start = StickerPoint();
    LeftDrag(w, start, QPoint(5, 0), 24);
    TickUntilIdle(w);
    ASSERT_EQ(w.History()->Count(), 1);

    // Back by two thirds of a turn and let go: the timer's ticks finish the twist, the cube is
    // solved inside a tick, and the banner comes up there.
    LeftDrag(w, start, QPoint(-5, 0), 12);
    PaintCounter paints;
    w.View()->installEventFilter(&paints);
    bool bannerShown = false;
    bool menuBusy = false;
    bool puzzleHeld = false;
    int paintsAtOpen = -1;
    int paintsDuringBanner = -1;
    QElapsedTimer bannerClock;
    // Watches for the banner, notes the state it brings, and closes it after 300 ms.
    QTimer watch;
    watch.setInterval(10);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        auto* banner = qobject_cast<BitmapDialog*>(QApplication::activeModalWidget());
        if (banner == nullptr)
            return;
        if (paintsAtOpen < 0) {
            paintsAtOpen = paints.count;
            bannerClock.start();
            bannerShown = appSettings.dialogBitmapId == Pictures::CongratulationsId;
            menuBusy = w.Menus()->IsBusy();
            puzzleHeld = w.Puzzle()->Hold();
        } else if (bannerClock.elapsed() >= 300) {
            paintsDuringBanner = paints.count - paintsAtOpen;
            banner->done(0);
        }
    });
    watch.start();
    QElapsedTimer clock;
    clock.start();
    while (paintsDuringBanner < 0 && clock.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    watch.stop();
    QCoreApplication::processEvents();
    EXPECT_TRUE(bannerShown);
    EXPECT_TRUE(menuBusy);
    EXPECT_TRUE(puzzleHeld);
    EXPECT_GE(paintsDuringBanner, 4) << "about ten ticks of 30 ms in 300 ms";
    EXPECT_EQ(w.History()->Count(), 0) << "solved: the history is emptied";
    EXPECT_FALSE(w.Menus()->IsBusy());
    EXPECT_FALSE(w.Puzzle()->Hold());
    EXPECT_FALSE(w.Menus()->Menu()->actions().at(MenuManager::GraphicPosition)->isEnabled())
        << "without OpenGL, Graphic Mode is greyed again";
    EXPECT_EQ(appSettings.dialogBitmapId, -1);
}

TEST_F(MainWindowTest, FocusLossDuringATwistDragLetsThePuzzleGo) {
    MainWindow& w = Start();
    w.OnTick();
    LeftDrag(w, StickerPoint(), QPoint(5, 0), 8, false);
    ASSERT_TRUE(w.Puzzle()->Hold());
    w.OnFocusLost();
    EXPECT_FALSE(w.Puzzle()->Hold());
    TickUntilIdle(w);
    EXPECT_EQ(w.Puzzle()->CurrentTwist(), nullptr) << "the half-made twist is settled";
}

TEST_F(MainWindowTest, AClickInColourEditModeRecoloursTheSideUnderIt) {
    MainWindow& w = Start();
    w.OnTick();
    const QPoint start = StickerPoint();
    w.OnCommand(Command::ColorEdit);
    // Without a chooser a click does nothing.
    w.OnLeftButtonDown(start.x(), start.y());
    w.OnLeftButtonUp();

    FakeColourUi ui;
    w.SetColourEditUi(&ui);
    const FaceColourTable before = faceColours;
    w.OnLeftButtonDown(start.x(), start.y());
    w.OnLeftButtonUp();
    ASSERT_EQ(ui.offered.size(), 1u);
    EXPECT_TRUE(ui.errors.empty());
    int changed = 0;
    for (int s = 0; s < faceSlotCount; ++s) {
        if (faceColours[s] != before[s]) {
            ++changed;
            EXPECT_EQ(before[s], ui.offered[0]);
            EXPECT_EQ(faceColours[s], ui.answer);
        }
    }
    EXPECT_EQ(changed, 1);
    EXPECT_FALSE(w.Mouse().leftButtonDown);
    faceColours = defaultFaceColours;
    w.SetColourEditUi(nullptr);
}

} // namespace
