// A cube that stands still is not painted again, nor ticked for long; anything that changes the
// picture is painted.

#include "MainWindowTestSupport.h"

#include "tests/puzzle/PuzzleTestSupport.h"

TEST_F(MainWindowTest, AStillCubeIsNotPaintedAgainButEveryChangeIs) {
    MainWindow& w = Start();
    w.OnTick();
    const int still = w.FramesPainted();
    // Nor does it keep waking the process: the ticks stop, and so do the autosave's looks once
    // it has written what changed; the next input starts both.
    faceColours[0] = 0x102030;
    for (int i = 0; i < MainWindow::stillTicksBeforeSleep; ++i)
        w.OnTick();
    EXPECT_TRUE(w.FramesPainted() == still && !w.TickTimer().isActive() && w.AutoSaver()->Paused());
    EXPECT_EQ(ReadBytes("color.ini").rfind("0 1056816", 0), 0u) << ReadBytes("color.ini");
    QTest::keyPress(&w, Qt::Key_Left);
    EXPECT_TRUE(w.TickTimer().isActive() && !w.AutoSaver()->Paused());
    w.OnTick();
    // Held, the key repeats its press and the ticks never rest: a change is saved all the same.
    faceColours[0] = 0x102031;
    QTimer repeat;
    QObject::connect(&repeat, &QTimer::timeout, [&w] { QTest::keyPress(&w, Qt::Key_Left); });
    repeat.start(20);
    EXPECT_TRUE(QTest::qWaitFor([] { return ReadBytes("color.ini").rfind("0 1056817", 0) == 0; },
                                5 * AutoSave::periodMilliseconds));
    repeat.stop();
    QTest::keyRelease(&w, Qt::Key_Left);
    EXPECT_GT(w.FramesPainted(), still) << "the held key turned the view";

    // Whatever changes the drawing is painted at the next tick, and so is every tick in which the
    // cube moved (a twist's outline, steps back and forward, a shuffle, the demo); at rest the
    // ticks paint nothing more.
    CMozai* p = nullptr;
    const std::function<void()> changes[] = {
        [&] { w.SceneCamera()->Rotate(Rad1, 0); },
        [&] { p->ReplaceColour(p->Colour(0), 0x123456); },
        [&] { w.OnCommand(Command::StickerOnly); },
        [&] { w.OnCommand(Command::Region); },
        [&] { // held, as by a drag: the outline shows
            p->SetHold(true);
            p->BeginTwist(p->Cubie(2, 2, 2)->Face(4), 0, 2, true, TwistKind::UserTwist);
        },
        [&] { p->SetHold(false), p->TurnLayer(0, 2, 2 * Rad30); },
        [&] { QTest::keyClick(w.View(), Qt::Key_Home); },
        [&] { QTest::keyClick(w.View(), Qt::Key_End); },
        [&] { w.OnCommand(Command::Shuffle); },
        [&] { w.OnCommand(Command::Gdi); },
        [&] { w.OnCommand(Command::Demo); },
        [&] { w.OnCommand(Command::Demo); },
    };
    for (const auto& change : changes) {
        SCOPED_TRACE(&change - changes);
        p = w.Puzzle();
        int painted = w.FramesPainted();
        change();
        w.OnTick();
        EXPECT_GT(w.FramesPainted(), painted);
        for (int t = 0; t < 150 && (p->CurrentTwist() || p->ShuffleRemaining() > 0); ++t) {
            const std::vector<long long> was = State(*p);
            painted = w.FramesPainted();
            w.OnTick();
            EXPECT_TRUE(State(*p) == was || w.FramesPainted() > painted) << "tick " << t;
        }
        if (!p->Demo()) {
            painted = w.FramesPainted();
            w.OnTick();
            EXPECT_EQ(w.FramesPainted(), painted) << "nothing moved after the change";
        }
    }
}
