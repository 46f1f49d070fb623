#include "MainWindowTestSupport.h"

#include "app/AboutDialog.h"
#include "app/CommandIds.h"
#include "app/DemoMotion.h"
#include "app/FrameView.h"
#include "persist/MoveHistory.h"
#include "puzzle/CMozai.h"

#include <QApplication>
#include <QMenuBar>
#include <QTest>
#include <QTimer>

namespace {

TEST_F(MainWindowTest, ASizeChangeRebuildsASolvedCubeAndEmptiesTheHistory) {
    WriteFile("history.ini", "3\r\n0 2 1\r\n1 0 0\r\n");
    MainWindow& w = Start();
    w.OnCommand(Command::StickerOnly);
    w.OnCommand(Command::Demo);
    w.OnCommand(Command::ColorEdit);
    w.OnCommand(Command::Region);
    ASSERT_TRUE(w.SceneCamera()->IsStickerOnly());

    w.OnCommand(Command::TypeItemForSize(5));
    EXPECT_EQ(w.Puzzle()->Size(), 5);
    EXPECT_EQ(w.History()->Count(), 0);
    EXPECT_EQ(ReadFile("history.ini"), "5\r\n");
    EXPECT_TRUE(Checked(Command::TypeItemForSize(5)));
    EXPECT_FALSE(Checked(Command::TypeItemForSize(3)));
    // The demo and sticker-only end; region mode and colour editing survive.
    EXPECT_EQ(w.Demo(), nullptr);
    EXPECT_FALSE(w.Puzzle()->Demo());
    EXPECT_EQ(Label(Command::Demo), "Demo On");
    EXPECT_FALSE(w.SceneCamera()->IsStickerOnly());
    EXPECT_EQ(Label(Command::StickerOnly), "Sticker Only");
    EXPECT_FALSE(appSettings.regionMode);
    EXPECT_EQ(Label(Command::Region), "Region On");
    EXPECT_TRUE(appSettings.colorEditMode);
    EXPECT_EQ(Label(Command::ColorEdit), "Color Edit Off");
    EXPECT_TRUE(w.TickTimer().isActive());

    // The same size again: rebuilt from scratch.
    w.OnCommand(Command::Shuffle);
    w.OnCommand(Command::TypeItemForSize(5));
    EXPECT_EQ(w.Puzzle()->ShuffleRemaining(), 0);
    EXPECT_EQ(ReadFile("history.ini"), "5\r\n");
}

TEST_F(MainWindowTest, TwoWayCommandsFlipTheirStateAndLabel) {
    MainWindow& w = Start();
    w.OnCommand(Command::StickerOnly);
    EXPECT_TRUE(w.SceneCamera()->IsStickerOnly());
    EXPECT_EQ(Label(Command::StickerOnly), "Normal");
    w.OnCommand(Command::StickerOnly);
    EXPECT_FALSE(w.SceneCamera()->IsStickerOnly());
    EXPECT_EQ(Label(Command::StickerOnly), "Sticker Only");

    w.OnCommand(Command::Demo);
    ASSERT_NE(w.Demo(), nullptr);
    EXPECT_TRUE(w.Puzzle()->Demo());
    EXPECT_EQ(Label(Command::Demo), "Demo Off");
    EXPECT_EQ(w.Demo()->spinX, 0.0) << "a new demo starts at rest";
    w.OnCommand(Command::Demo);
    EXPECT_EQ(w.Demo(), nullptr);
    EXPECT_FALSE(w.Puzzle()->Demo());
    EXPECT_EQ(Label(Command::Demo), "Demo On");

    w.OnCommand(Command::ColorEdit);
    EXPECT_TRUE(appSettings.colorEditMode);
    EXPECT_EQ(Label(Command::ColorEdit), "Color Edit Off");
    QTest::keyClick(w.View(), Qt::Key_Space);
    EXPECT_FALSE(appSettings.colorEditMode);
    EXPECT_EQ(Label(Command::ColorEdit), "Color Edit On");

    w.OnCommand(Command::Gdi);
    EXPECT_FALSE(appSettings.useDirect3D);
    EXPECT_FALSE(w.Puzzle()->Direct3D());
    EXPECT_TRUE(Checked(Command::Gdi));
    w.OnCommand(Command::DirectX);
    EXPECT_TRUE(appSettings.useDirect3D);
    EXPECT_TRUE(w.Puzzle()->Direct3D());
    EXPECT_TRUE(Checked(Command::DirectX));
    EXPECT_FALSE(Checked(Command::Gdi));
    w.OnTick(); // no renderer exists offscreen; the frame is painted all the same
    EXPECT_FALSE(w.Frame().isNull());

    w.OnCommand(Command::Shuffle);
    EXPECT_EQ(w.Puzzle()->ShuffleRemaining(), CMozai::shuffleLength);
    w.OnCommand(12345); // unknown identifiers do nothing
}

TEST_F(MainWindowTest, TheRegionCommandSwitchesFrameAndMenuBarAndRestoresTheRectangle) {
    MainWindow& w = Start();
    const QRect shaped = w.Placement();
    w.OnCommand(Command::Region);
    EXPECT_FALSE(appSettings.regionMode);
    EXPECT_EQ(Label(Command::Region), "Region On");
    EXPECT_FALSE(w.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_FALSE(w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(w.menuBar()->isHidden());
    EXPECT_TRUE(w.isVisible());
    // The client area keeps its place: the menu bar grows upwards.
    const int menu = w.menuBar()->height();
    EXPECT_EQ(w.Placement().topLeft(), shaped.topLeft() - QPoint(0, menu));
    EXPECT_EQ(w.View()->mapTo(&w, QPoint(0, 0)), QPoint(0, menu));
    EXPECT_TRUE(w.mask().isEmpty()) << "framed windows have no shape";
    // Framed tracking limits, frame included (4-pixel borders, 27 above).
    EXPECT_EQ(w.minimumSize(), QSize(30 - 8, 130 - 31));
    EXPECT_EQ(w.maximumSize(), QSize(900 - 8, 900 - 31));

    w.OnCommand(Command::Region);
    EXPECT_TRUE(appSettings.regionMode);
    EXPECT_EQ(Label(Command::Region), "Region Off");
    EXPECT_TRUE(w.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(w.menuBar()->isHidden());
    EXPECT_EQ(w.Placement(), shaped);
    EXPECT_EQ(w.geometry(), shaped);
}

TEST_F(MainWindowTest, TranslucencyFollowsTheMenuStateOnlyInRegionMode) {
    MainWindow& w = Start(true);
    const double translucent = 200 / 255.0;
    w.OnCommand(Command::Transparent);
    EXPECT_EQ(Label(Command::Transparent), "Transparent Off");
    EXPECT_DOUBLE_EQ(w.windowOpacity(), translucent);
    w.OnCommand(Command::Transparent);
    EXPECT_EQ(Label(Command::Transparent), "Transparent On");
    EXPECT_DOUBLE_EQ(w.windowOpacity(), 1.0);

    // Chosen while framed it only changes the menu; Enter then brings the translucency, the
    // region command does not.
    w.OnCommand(Command::Region);
    w.OnCommand(Command::Transparent);
    EXPECT_DOUBLE_EQ(w.windowOpacity(), 1.0);
    QTest::keyClick(w.View(), Qt::Key_Return);
    EXPECT_TRUE(appSettings.regionMode);
    EXPECT_DOUBLE_EQ(w.windowOpacity(), translucent);
    QTest::keyClick(w.View(), Qt::Key_Return);
    EXPECT_FALSE(appSettings.regionMode);
    EXPECT_DOUBLE_EQ(w.windowOpacity(), 1.0) << "framed windows are never translucent";
    w.OnCommand(Command::Region);
    EXPECT_DOUBLE_EQ(w.windowOpacity(), 1.0);
}

TEST_F(MainWindowTest, AboutOpensModallyFromTheCommandAndFromAltSlashOrQuestionMark) {
    MainWindow& w = Start();
    int opened = 0;
    const auto closeAbout = [&opened] {
        if (auto* about = qobject_cast<AboutDialog*>(QApplication::activeModalWidget())) {
            ++opened;
            about->accept();
        }
    };
    QTimer::singleShot(0, closeAbout);
    w.OnCommand(Command::About);
    QTimer::singleShot(0, closeAbout);
    QTest::keyClick(w.View(), Qt::Key_Slash, Qt::AltModifier);
    QTimer::singleShot(0, closeAbout);
    QTest::keyClick(w.View(), Qt::Key_Question, Qt::AltModifier | Qt::ShiftModifier);
    EXPECT_EQ(opened, 3);
    EXPECT_FALSE(w.IsDestroyed());
}

TEST_F(MainWindowTest, TheMenuReachesTheWindowFromTheBarAndTheTrayPopup) {
    MainWindow& w = Start();
    Item(Command::Demo)->trigger();
    QCoreApplication::processEvents();
    EXPECT_NE(w.Demo(), nullptr);
    w.OnTrayPopup();
    QMenu* menu = w.Menus()->Menu();
    ASSERT_TRUE(menu->isVisible());
    // Clicked, as a user would: the menu runs its own handlers to the end before the command
    // frees it.
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(Item(Command::Exit)).center());
    EXPECT_FALSE(w.IsDestroyed()) << "the command waits for the event loop";
    QCoreApplication::processEvents();
    EXPECT_TRUE(w.IsDestroyed());
    w.OnTrayPopup(); // no menu any more
}

} // namespace
