#include "MainWindowTestSupport.h"

#include <QCursor>

// A size change rebuilds a solved cube, empties the history and ends the demo and sticker-only;
// region mode and colour editing survive it.
TEST_F(MainWindowTest, TwoWayCommandsFlipStateAndLabelAndASizeChangeEndsSomeOfThem) {
    WriteBytes("history.ini", "3\r\n0 2 1\r\n1 0 0\r\n");
    MainWindow& w = Start(true);
    const QRect shaped = w.Placement().Rect();
    const auto state = [&w] {
        return std::vector<bool>{w.SceneCamera()->IsStickerOnly(), w.Puzzle()->Demo(),
                                 w.Demo() != nullptr, appSettings.colorEditMode,
                                 appSettings.regionMode};
    };
    for (bool on : {true, false}) {
        SCOPED_TRACE(on ? "on" : "off");
        for (int id : {Command::StickerOnly, Command::Demo, Command::ColorEdit, Command::Region})
            w.OnCommand(id);
        w.OnCommand(12345); // unknown identifiers do nothing
        EXPECT_EQ(state(), std::vector<bool>({on, on, on, on, !on}));
        EXPECT_EQ(Menu(1) + "|" + Menu(3),
                  on ? "Normal|Region On|Transparent On|Shuffle|Demo Off|Color Edit Off"
                     : "Sticker Only|Region Off|Transparent On|Shuffle|Demo On|Color Edit On");
        // Framed: a frame, a menu bar, no shape, limits with the frame (4-pixel borders, 27 above);
        // back, the old rectangle. The client area's place: the end-to-end test.
        const Qt::WindowFlags flags = w.windowFlags();
        EXPECT_TRUE(w.isVisible() && w.menuBar()->isHidden() != on &&
                    flags.testFlag(Qt::FramelessWindowHint) != on &&
                    flags.testFlag(Qt::WindowStaysOnTopHint) != on);
        EXPECT_TRUE(on ? w.windowHandle()->mask().isEmpty() &&
                             w.minimumSize() == QSize(30 - 8, 130 - 31) &&
                             w.maximumSize() == QSize(900 - 8, 900 - 31)
                       : w.Placement().Rect() == shaped && w.geometry() == shaped);
    }
    CMozai* const before = w.Puzzle();
    EXPECT_TRUE(!w.ChangeCubeSize(0) && !w.ChangeCubeSize(11) && w.Puzzle() == before);
    for (int id : {Command::StickerOnly, Command::Demo, Command::ColorEdit, Command::Region,
                   Command::TypeItemForSize(5)})
        w.OnCommand(id);
    EXPECT_TRUE(w.Puzzle()->Size() == 5 && w.History()->Count() == 0 && w.TickTimer().isActive());
    EXPECT_EQ(ReadBytes("history.ini"), "5\r\n");
    EXPECT_EQ(state(), std::vector<bool>({false, false, false, true, false}));
    EXPECT_EQ(Menu(0).split("|").filter("*"), QStringList("  5 x 5*"));
    EXPECT_EQ(Menu(1) + "|" + Menu(3),
              "Sticker Only|Region On|Transparent On|Shuffle|Demo On|Color Edit Off");
    // The same size again: rebuilt from scratch.
    w.OnCommand(Command::Shuffle);
    EXPECT_EQ(w.Puzzle()->ShuffleRemaining(), CMozai::shuffleLength);
    w.OnCommand(Command::TypeItemForSize(5));
    EXPECT_EQ(w.Puzzle()->ShuffleRemaining(), 0);
    // The new history is saved soon, as the old one was.
    w.OnCommand(Command::ColorEdit);
    LeftDrag(w, {5, 0}, 12);
    Tick(w);
    EXPECT_TRUE(FileBecomes("history.ini", "5\r\n" + Text(w.History()->Newest()) + "\r\n"));
    for (bool direct3D : {true, false}) {
        w.OnCommand(direct3D ? Command::DirectX : Command::Gdi);
        w.OnTick(); // without a renderer the frame is painted all the same
        EXPECT_TRUE(appSettings.useDirect3D == direct3D && w.Puzzle()->Direct3D() == direct3D &&
                    !w.Frame().isNull());
        EXPECT_EQ(Menu(2), direct3D ? "DirectX*|GDI" : "DirectX|GDI*");
    }
}

// Translucency follows the menu state only in region mode: chosen while framed it only changes
// the menu; Enter then brings it, the region command does not.
TEST_F(MainWindowTest, TranslucencyFollowsTheMenuStateOnlyInRegionMode) {
    MainWindow& w = Start(true);
    const double translucent = 200 / 255.0;
    const std::pair<std::function<void()>, double> steps[] = {
        {[&] { w.OnCommand(Command::Transparent); }, translucent},
        {[&] { w.OnCommand(Command::Transparent); }, 1.0},
        {[&] { w.OnCommand(Command::Region), w.OnCommand(Command::Transparent); }, 1.0},
        {[&] { QTest::keyClick(w.View(), Qt::Key_Return); }, translucent},
        {[&] { QTest::keyClick(w.View(), Qt::Key_Return); }, 1.0},
        {[&] { w.OnCommand(Command::Region); }, 1.0}};
    for (const auto& [step, opacity] : steps) {
        step();
        EXPECT_DOUBLE_EQ(w.windowOpacity(), opacity) << "step " << &step - &steps[0].first;
    }
    EXPECT_TRUE(appSettings.regionMode && Menu(1).contains("Transparent Off"));
}

// The Menu key and Shift+F10 open it at the window's centre: the end-to-end test shows that.
TEST_F(MainWindowTest, TheTrayPopupOpensAtTheCursorAndExitWaitsUntilTheMenuHasClosed) {
    MainWindow& w = Start();
    QCursor::setPos(120, 90);
    w.OnTrayPopup();
    QMenu* menu = w.Menus()->Menu();
    ASSERT_TRUE(menu->isVisible());
    EXPECT_EQ(menu->pos(), QCursor::pos()) << "at the cursor";
    // Clicked as a user would: "Exit" waits until the menu has left its own handlers.
    QTest::mouseClick(menu, Qt::LeftButton, {},
                      menu->actionGeometry(w.Menus()->FindAction(Command::Exit)).center());
    EXPECT_FALSE(w.IsDestroyed()) << "the command waits for the event loop";
    QCoreApplication::processEvents();
    EXPECT_TRUE(w.IsDestroyed());
    w.OnTrayPopup(); // no menu any more
}

TEST(MenuManagerTest, ChosenItemsReachTheOwnerByIdentifierAndLeaveTheMarksAlone) {
    const std::vector<int> allIds{32771, 32772, 32773, 32774, 32775, 32776, 32777,
                                  32778, 32779, 32781, 32782, 32789, 32790, 32791,
                                  32783, 32784, 32786, 104,   105};
    QWidget owner;
    MenuManager menus(&owner);
    menus.SetLayeredAvailable(true);
    menus.CheckTypeItem(Command::TypeItemForSize(3));
    const QString before = MenuText(menus.Menu());
    std::vector<int> chosen;
    QObject::connect(&menus, &MenuManager::commandChosen, [&](int id) { chosen.push_back(id); });
    for (int id : allIds)
        menus.FindAction(id)->trigger();
    EXPECT_EQ(chosen, allIds);
    EXPECT_EQ(MenuText(menus.Menu()), before);
}
