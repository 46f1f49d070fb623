#include "MainWindowTestSupport.h"

#include "app/BitmapDialog.h"
#include "app/ExitPaths.h"
#include "app/QuitSignals.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSignalSpy>

#include <csignal>

namespace {

// Run again as test_app_screens, with the primary screen at (800, 40) beside another: the splash
// and the window keep to the usable area of the primary screen, its origin in x and y included.
TEST_F(MainWindowTest, FirstStartIsASolvedThreeCubeInAShapedWindowAtTheDesktopCentre) {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    ASSERT_FALSE(qEnvironmentVariableIsSet("MOZAI_TEST_SCREENS") &&
                 (area.x() == 0 || area.y() == 0))
        << "the two-screen layout is not in effect";
    // The splash shows from inside the creation, shaped, the scene built behind it and the 30 ms
    // ticks going on under it. Seen as it shows: a busy machine may build the scene before a poll.
    struct : QObject {
        QRect at;
        int ticks = 0;
        bool eventFilter(QObject* object, QEvent* event) override {
            auto* dialog = qobject_cast<BitmapDialog*>(object);
            auto* main = dialog ? qobject_cast<MainWindow*>(dialog->parentWidget()) : nullptr;
            if (main == nullptr || event->type() != QEvent::Show)
                return false;
            at = dialog->geometry();
            EXPECT_TRUE(!main->isVisible() && !main->Puzzle() && !dialog->mask().isEmpty() &&
                        appSettings.dialogBitmapId == Pictures::SplashId);
            connect(&main->TickTimer(), &QTimer::timeout, dialog,
                    [this, main] { ticks += main->Puzzle() != nullptr; });
            return false;
        }
    } seen;
    qApp->installEventFilter(&seen);
    MainWindow& w = Start(false, [&seen] { return seen.ticks >= 2; });
    ASSERT_TRUE(w.Created());
    EXPECT_GE(seen.ticks, 2);
    EXPECT_TRUE(w.Puzzle()->Size() == 3 && w.History()->Count() == 0 && w.Demo() == nullptr);
    // Offscreen there is neither translucency nor OpenGL: GDI only, "Graphic Mode" greyed.
    EXPECT_EQ(Menu(), "Type[  2 x 2|  3 x 3*|  4 x 4|  5 x 5|  6 x 6|  7 x 7|  8 x 8|  9 x 9|"
                      "10 x 10]|Mode[Sticker Only|Region Off|~Transparent On]|"
                      "~Graphic Mode[DirectX|GDI*]|Option[Shuffle|Demo On|Color Edit On]|-|"
                      "About|Exit");
    EXPECT_EQ(currentCamera, w.SceneCamera());
    EXPECT_EQ(w.SceneCamera()->GetPosition(), EyeAfter({0, 0, 300}, {}, {0, 1, 0}, Rad30, -Rad20));
    EXPECT_FALSE(w.Puzzle()->Direct3D()) << "without OpenGL the stickers are shaded by the painter";
    // Created framed at the centre; region mode keeps the client's corner and drops the frame.
    const QPoint centre = area.topLeft() + QPoint(area.width() / 2, area.height() / 2);
    EXPECT_EQ(seen.at, QRect(centre - QPoint(170, 65), QSize(340, 130)));
    const QRect shaped(centre - QPoint(150 - 4, 150 - 47), QSize(292, 253));
    EXPECT_TRUE(
        w.Placement().Rect() == shaped && w.geometry() == shaped && w.menuBar()->isHidden() &&
        w.windowFlags().testFlags(Qt::FramelessWindowHint | Qt::Tool | Qt::WindowStaysOnTopHint));
    // Without translucency the transparency command only keeps its state.
    w.OnCommand(Command::Transparent);
    EXPECT_TRUE(w.Menus()->GetModeState(Command::Transparent) && w.windowOpacity() == 1.0);
    // A compositor that starts later makes it translucent; when it stops, the item greys again
    // and says why.
    for (const bool running : {true, false}) {
        w.SetCompositorProbe([running] { return running; });
        w.FollowCompositor();
        EXPECT_EQ(Menu(1), running ? "Sticker Only|Region Off|Transparent Off"
                                   : "Sticker Only|Region Off|~Transparent Off");
        const QAction* item = w.Menus()->FindAction(Command::Transparent);
        EXPECT_EQ((item->toolTip() + item->statusTip()).count("compositing"), running ? 0 : 2);
        EXPECT_TRUE(w.Menus()->Menu()->actions().at(1)->menu()->toolTipsVisible());
        EXPECT_EQ(w.windowOpacity(), running ? 200 / 255.0 : 1.0);
    }
    w.OnTick();
    EXPECT_EQ(w.Frame().size(), QSize(292, 253));
    EXPECT_EQ(w.Frame().pixel(0, 0) & 0xFFFFFF, 0xDCDDDDu) << "background 0xDDDDDC as RGB";
}

// Size 1 is built but has no Type item to mark; the quit test's history gives a 5-cube.
TEST_F(MainWindowTest, AOneCubeFromTheHistoryIsBuiltButMarksNoSize) {
    WriteBytes("history.ini", "1\r\n");
    MainWindow& w = Start();
    EXPECT_TRUE(w.Puzzle()->Size() == 1 && w.History()->Count() == 0);
    EXPECT_EQ(Menu(0).split("|").filter("*"), QStringList("  3 x 3*"));
}

TEST_F(MainWindowTest, AQuitSignalDuringAModalDialogClosesItAndExitsAsExitDoes) {
    const std::string colours =
        "0 255\r\n1 65280\r\n2 16711680\r\n3 1\r\n4 16777215\r\n5 8421504\r\n";
    WriteBytes("history.ini", "5\r\n0 2 1\r\n1 4 0\r\n");
    WriteBytes("color.ini", colours);
    MainWindow& w = Start();
    ASSERT_TRUE(w.Puzzle()->Size() == 5 && w.History()->Count() == 2 &&
                w.Puzzle()->Colour(0) == 255u);
    EXPECT_EQ(Menu(0).split("|").filter("*"), QStringList("  5 x 5*"));
    QFile::remove("history.ini");
    QFile::remove("color.ini");
    QuitSignals quitSignals;
    ConnectExitPaths(w, quitSignals);
    QSignalSpy destroyedSpy(&w, &MainWindow::windowDestroyed);
    // The box closes after 5 s, should the window fail to close it.
    ModalWatcher watcher([](QWidget*) { ::raise(SIGTERM); }, [] { return false; });
    w.OnCommand(Command::About);
    EXPECT_TRUE(watcher.opened == 1 && w.IsDestroyed() && !w.isVisible());
    EXPECT_TRUE(w.Menus() == nullptr && w.Puzzle() == nullptr && w.SceneCamera() == nullptr &&
                w.Tray() == nullptr && w.History() == nullptr && !w.TickTimer().isActive());
    EXPECT_EQ(ReadBytes("history.ini"), "5\r\n0 2 1\r\n1 4 0\r\n");
    EXPECT_EQ(ReadBytes("color.ini"), colours);
    // Nothing runs twice, and commands after the end do nothing.
    w.OnCommand(Command::Exit);
    w.OnTick();
    EXPECT_EQ(destroyedSpy.count(), 1);
}

} // namespace
