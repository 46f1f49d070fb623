// A cube that stands still is not painted again, nor ticked for long; anything that changes the
// picture is painted.

#include "MainWindowTestSupport.h"

#include "app/CommandIds.h"
#include "math3d/Angles.h"
#include "persist/MoveHistory.h"
#include "puzzle/CMozai.h"
#include "tests/puzzle/PuzzleTestSupport.h"

#include <QTest>

TEST_F(MainWindowTest, AStillCubeIsNotPaintedAgainButEveryChangeIs) {
    MainWindow& w = Start();
    w.OnTick();
    const int still = w.FramesPainted();
    for (int i = 0; i < 5; ++i)
        w.OnTick();
    EXPECT_EQ(w.FramesPainted(), still);
    // Nor does it keep waking the process: the ticks stop, and so do the autosave's looks once
    // it has written what changed; the next input starts both.
    faceColours[0] = 0x102030;
    for (int i = 0; i < MainWindow::stillTicksBeforeSleep; ++i)
        w.OnTick();
    EXPECT_FALSE(w.TickTimer().isActive());
    EXPECT_TRUE(w.AutoSaver()->Paused());
    EXPECT_EQ(ReadFile("color.ini").rfind("0 1056816", 0), 0u) << ReadFile("color.ini");
    QTest::keyPress(&w, Qt::Key_Left);
    EXPECT_TRUE(w.TickTimer().isActive() && !w.AutoSaver()->Paused());
    w.OnTick();
    QTest::keyRelease(&w, Qt::Key_Left);
    EXPECT_GT(w.FramesPainted(), still) << "the held key turned the view";

    const std::function<void()> changes[] = {
        [&] { w.SceneCamera()->Rotate(Rad1, 0); },
        [&] { w.Puzzle()->ReplaceColour(w.Puzzle()->Colour(0), 0x123456); },
        [&] { w.OnCommand(Command::StickerOnly); },
        [&] { w.OnCommand(Command::Region); },
        [&] { w.OnCommand(Command::Shuffle); },
    };
    for (const auto& change : changes) {
        SCOPED_TRACE(&change - changes);
        QCoreApplication::processEvents();
        const int before = w.FramesPainted();
        change();
        QCoreApplication::processEvents();
        w.OnTick();
        EXPECT_GT(w.FramesPainted(), before);
        w.OnTick();
        const int settled = w.FramesPainted();
        if (w.Puzzle()->ShuffleRemaining() == 0 && !w.Puzzle()->CurrentTwist()) {
            w.OnTick();
            EXPECT_EQ(w.FramesPainted(), settled) << "nothing moved after the change";
        }
    }
}

// Whatever changes the drawing moves the change count the window decides by: a session of drags,
// steps, shuffle, demo, colour edits and mode switches, checked step by step against all that is
// drawn (cells, corners, colours, the sticker pass, the grab outline).
TEST(ChangeCountTest, MovesWithEveryChangeOfTheDrawing) {
    MoveHistory history;
    CMozai p(3, 0, 0, 0, -1, 0, 1, 0, 0, 1, nullptr);
    p.SetHistory(&history);
    p.Seed(3);
    const auto drawn = [&] {
        std::vector<long long> s = State(p);
        for (const CubeFace* f : p.Faces())
            s.push_back(f->colour);
        const ActiveTwist* t = p.CurrentTwist();
        const bool outlined = t && p.ShuffleRemaining() <= 0 && t->kind == TwistKind::UserTwist;
        s.insert(s.end(), {p.Direct3D(), outlined ? reinterpret_cast<long long>(t->face) : 0});
        return s;
    };
    std::vector<long long> before = drawn();
    std::uint64_t count = p.ChangeCount();
    int changes = 0;
    const auto step = [&](const std::function<void()>& action, int ticks = 0) {
        for (int t = 0; t <= ticks; ++t) {
            t == 0 ? action() : p.Tick();
            const std::vector<long long> now = drawn();
            changes += now != before;
            EXPECT_TRUE(now == before || p.ChangeCount() != count) << "an unmarked change";
            before = now;
            count = p.ChangeCount();
        }
    };
    CCube* corner = p.Cubie(2, 2, 2);
    step([&] { p.BeginTwist(corner, corner->Face(4), 0, 2, true, TwistKind::UserTwist); });
    step([&] { p.TurnLayer(0, 2, Rad30); }, 12);
    step([&] { p.StepBack(); }, 12);
    step([&] { p.StepForward(); }, 12);
    step([&] { p.StartShuffle(); }, 2 * CMozai::shuffleLength + 4);
    step([&] { p.ReplaceColour(p.Colour(2), 0x010203); });
    step([&] { p.SetDirect3D(false); });
    step([&] { p.SetDemo(true); }, 30);
    step([&] { p.SetDemo(false); }, 12);
    step([&] { p.Replay(); });
    EXPECT_GT(changes, 100) << "the session changes the drawing at almost every step";
}
