// A cube that stands still is not painted again; anything that changes the picture is.

#include "MainWindowTestSupport.h"

#include "app/CommandIds.h"
#include "math3d/Angles.h"
#include "puzzle/CMozai.h"
#include "puzzle/DrawSignature.h"

TEST_F(MainWindowTest, AStillCubeIsNotPaintedAgainButEveryChangeIs) {
    MainWindow& w = Start();
    w.OnTick();
    const int still = w.FramesPainted();
    for (int i = 0; i < 5; ++i)
        w.OnTick();
    EXPECT_EQ(w.FramesPainted(), still);

    const std::function<void()> changes[] = {
        [&] { w.SceneCamera()->Rotate(Rad1, 0); },
        [&] {
            w.Puzzle()->TurnLayer(1, 0, Rad90 - Rad1);
            w.Puzzle()->SettleLayer(1, 0);
        },
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

TEST(DrawSignatureTest, FollowsCornersColoursAndTheGrabOutline) {
    CMozai a(3, 0, 0, 0, -1, 0, 1, 0, 0, 1, nullptr);
    CMozai b(3, 0, 0, 0, -1, 0, 1, 0, 0, 1, nullptr);
    EXPECT_EQ(DrawSignature(a), DrawSignature(b));

    a.TurnLayer(2, 1, Rad10);
    EXPECT_NE(DrawSignature(a), DrawSignature(b));
    b.TurnLayer(2, 1, Rad10);
    EXPECT_EQ(DrawSignature(a), DrawSignature(b));

    a.ReplaceColour(a.Colour(3), 0x010203);
    EXPECT_NE(DrawSignature(a), DrawSignature(b));

    CMozai c(2, 0, 0, 0, -1, 0, 1, 0, 0, 1, nullptr);
    const std::uint64_t idle = DrawSignature(c);
    c.BeginTwist(c.Cubie(0, 0, 0), c.Cubie(0, 0, 0)->Face(4), 0, 0, true, TwistKind::UserTwist);
    EXPECT_NE(DrawSignature(c), idle) << "the grabbed face gets its outline";
    c.SetDirect3D(false);
    EXPECT_NE(DrawSignature(c), idle);
}
