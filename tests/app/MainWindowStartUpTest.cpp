#include "MainWindowTestSupport.h"

#include "app/CommandIds.h"
#include "app/ExitPaths.h"
#include "app/QuitSignals.h"
#include "app/TrayIcon.h"
#include "persist/MoveHistory.h"
#include "puzzle/CMozai.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QSignalSpy>
#include <QTimer>

#include <csignal>

namespace {

constexpr double startYaw = 0.5235987755982988;
constexpr double startPitch = -0.3490658503988659;
// Two moves, then the six side colours, none of them the defaults.
const std::string twoMoves = "3\r\n0 2 1\r\n1 0 0\r\n";
const std::string ownColours =
    "0 255\r\n1 65280\r\n2 16711680\r\n3 1\r\n4 16777215\r\n5 8421504\r\n";

void TickUntilIdle(MainWindow& w) {
    for (int i = 0; i < 40; ++i)
        w.OnTick();
}

TEST_F(MainWindowTest, FirstStartIsASolvedThreeCubeInAShapedWindowAtTheDesktopCentre) {
    MainWindow& w = Start();
    ASSERT_TRUE(w.Created());
    EXPECT_TRUE(splashShown);
    EXPECT_EQ(appSettings.dialogBitmapId, -1);
    EXPECT_EQ(appSettings.cubeSize, 3);
    EXPECT_EQ(w.Puzzle()->Size(), 3);
    EXPECT_EQ(w.History()->Count(), 0);
    EXPECT_EQ(w.History()->Size(), 3);
    for (int id = Command::TypeFirst; id <= Command::TypeLast; ++id)
        EXPECT_EQ(Checked(id), id == Command::TypeItemForSize(3)) << id;

    EXPECT_EQ(Label(Command::StickerOnly), "Sticker Only");
    EXPECT_EQ(Label(Command::Region), "Region Off");
    EXPECT_EQ(Label(Command::Transparent), "Transparent On");
    EXPECT_FALSE(Item(Command::Transparent)->isEnabled()) << "no translucency offscreen";
    EXPECT_EQ(Label(Command::Demo), "Demo On");
    EXPECT_EQ(Label(Command::ColorEdit), "Color Edit On");
    // Without a display there is no OpenGL: GDI only, "Graphic Mode" greyed.
    EXPECT_EQ(w.Renderer(), nullptr);
    EXPECT_FALSE(appSettings.useDirect3D);
    EXPECT_TRUE(Checked(Command::Gdi));
    EXPECT_FALSE(w.Menus()->Menu()->actions().at(MenuManager::GraphicPosition)->isEnabled());

    EXPECT_TRUE(w.TickTimer().isActive());
    EXPECT_EQ(w.TickTimer().interval(), 30);
    EXPECT_EQ(w.TickTimer().timerType(), Qt::PreciseTimer);
    EXPECT_NE(w.Tray(), nullptr);
    EXPECT_NE(w.Region(), nullptr);
    EXPECT_EQ(w.Demo(), nullptr);
    EXPECT_EQ(currentCamera, w.SceneCamera());
    EXPECT_EQ(w.SceneCamera()->GetPosition(), EyeAfter(Vertex3D(0, 0, 300), Vertex3D(0, 0, 0),
                                                       Vector3D(0, 1, 0), startYaw, startPitch));

    // Created framed, 300 x 300 at the centre; the switch to region mode keeps the client's
    // corner in place and takes off the side borders and the caption.
    const QRect desktop = QGuiApplication::primaryScreen()->geometry();
    const int x = (desktop.width() - 300) / 2;
    const int y = (desktop.height() - 300) / 2;
    EXPECT_EQ(w.Placement(), QRect(x + 4, y + 47, 292, 253));
    EXPECT_EQ(w.geometry(), w.Placement());
    EXPECT_TRUE(
        w.windowFlags().testFlags(Qt::FramelessWindowHint | Qt::Tool | Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(w.menuBar()->isHidden());
    EXPECT_EQ(appSettings.clientRect, QRect(0, 0, 292, 253));

    // Without translucency the transparency command only keeps its state.
    w.OnCommand(Command::Transparent);
    EXPECT_TRUE(w.Menus()->GetModeState(Command::Transparent));
    EXPECT_EQ(Label(Command::Transparent), "Transparent On");
    EXPECT_DOUBLE_EQ(w.windowOpacity(), 1.0);

    w.OnTick();
    EXPECT_EQ(w.Frame().size(), QSize(292, 253));
    EXPECT_EQ(w.Frame().pixel(0, 0) & 0xFFFFFF, 0xDCDDDDu) << "background 0xDDDDDC as RGB";
}

TEST_F(MainWindowTest, TheHistoryDecidesTheCubeSize) {
    struct Case {
        std::string file;
        int size;
        int moves;
        int markedSize;
    };
    // Size 1 is built, but no Type item names it: the default mark stays. A size beyond 10
    // gives the default and an empty history.
    for (const Case& c : {Case{"5\r\n0 1 1\r\n", 5, 1, 5}, Case{"1\r\n", 1, 0, 3},
                          Case{"11\r\n0 0 1\r\n", 3, 0, 3}, Case{"garbage", 3, 0, 3}}) {
        SetUp();
        WriteFile("history.ini", c.file);
        MainWindow& w = Start();
        EXPECT_EQ(w.Puzzle()->Size(), c.size) << c.file;
        EXPECT_EQ(appSettings.cubeSize, c.size) << c.file;
        EXPECT_EQ(w.History()->Count(), c.moves) << c.file;
        EXPECT_TRUE(Checked(Command::TypeItemForSize(c.markedSize))) << c.file;
        window.reset();
    }
}

TEST_F(MainWindowTest, ShutDownFreesTheSceneAndSavesTheHistory) {
    WriteFile("history.ini", twoMoves);
    MainWindow& w = Start();
    w.OnCommand(Command::Demo);
    ASSERT_NE(w.Demo(), nullptr);
    QFile::remove("history.ini");
    EXPECT_TRUE(w.ShutDown());
    EXPECT_FALSE(w.TickTimer().isActive());
    EXPECT_EQ(w.Demo(), nullptr);
    EXPECT_EQ(w.Tray(), nullptr);
    EXPECT_EQ(w.Puzzle(), nullptr);
    EXPECT_EQ(w.SceneCamera(), nullptr);
    EXPECT_EQ(w.Region(), nullptr);
    EXPECT_EQ(w.History(), nullptr);
    EXPECT_NE(w.Menus(), nullptr) << "the menu outlives the scene";
    // Switching the demo on emptied the history.
    EXPECT_EQ(ReadFile("history.ini"), "3\r\n");
    EXPECT_TRUE(w.StartUp());
    EXPECT_NE(w.Puzzle(), nullptr);
}

TEST_F(MainWindowTest, ExitWritesTheAppliedMovesAndTheColours) {
    WriteFile("history.ini", twoMoves);
    WriteFile("color.ini", ownColours);
    MainWindow& w = Start();
    ASSERT_EQ(w.History()->Count(), 2);
    EXPECT_EQ(w.Puzzle()->Colour(0), 255u);
    // Home undoes the newest move; it is not saved.
    w.OnKeyDown(Qt::Key_Home);
    TickUntilIdle(w);
    QFile::remove("history.ini");
    QFile::remove("color.ini");

    QSignalSpy destroyedSpy(&w, &MainWindow::windowDestroyed);
    w.OnCommand(Command::Exit);
    EXPECT_TRUE(w.IsDestroyed());
    EXPECT_EQ(destroyedSpy.count(), 1);
    EXPECT_EQ(w.Menus(), nullptr);
    EXPECT_EQ(w.Puzzle(), nullptr);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(ReadFile("history.ini"), "3\r\n0 2 1\r\n");
    EXPECT_EQ(ReadFile("color.ini"), ownColours);

    // Nothing runs twice, and commands after the end do nothing.
    w.DestroyWindow();
    w.OnCommand(Command::Shuffle);
    w.OnTick();
    EXPECT_EQ(destroyedSpy.count(), 1);
}

TEST_F(MainWindowTest, SigtermLeavesTheFilesAsExitDoes) {
    WriteFile("history.ini", twoMoves);
    WriteFile("color.ini", ownColours);
    MainWindow& w = Start();
    QuitSignals quitSignals;
    ConnectExitPaths(w, quitSignals);
    QFile::remove("history.ini");
    QFile::remove("color.ini");

    ASSERT_EQ(::raise(SIGTERM), 0);
    QElapsedTimer clock;
    clock.start();
    while (!w.IsDestroyed() && clock.elapsed() < 2000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    ASSERT_TRUE(w.IsDestroyed());
    EXPECT_EQ(ReadFile("history.ini"), twoMoves);
    EXPECT_EQ(ReadFile("color.ini"), ownColours);
}

TEST_F(MainWindowTest, AQuitSignalDuringAModalDialogWaitsForItToClose) {
    WriteFile("history.ini", twoMoves);
    MainWindow& w = Start();
    QuitSignals quitSignals;
    ConnectExitPaths(w, quitSignals);
    bool aboutWasOpen = false;
    QTimer::singleShot(50, [&] {
        aboutWasOpen = QApplication::activeModalWidget() != nullptr;
        ::raise(SIGTERM);
    });
    // Closing the box gives the signal a way out if the window did not close it.
    QTimer::singleShot(1500, [] {
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
    });
    w.OnCommand(Command::About);
    EXPECT_TRUE(aboutWasOpen);
    EXPECT_TRUE(w.IsDestroyed());
    EXPECT_EQ(ReadFile("history.ini"), twoMoves);
}

TEST_F(MainWindowTest, StartUpFailureIsReportedInJapaneseWithTheErrorIcon) {
    MainWindow& w = Start();
    QString text, caption;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            text = box->text();
            caption = box->windowTitle();
            icon = box->icon();
            box->accept();
        }
    });
    w.ReportStartUpFailure();
    EXPECT_EQ(text, QString::fromUtf8("初期化に失敗したので終了します"));
    EXPECT_EQ(caption, "Error");
    EXPECT_EQ(icon, QMessageBox::Critical);
}

TEST_F(MainWindowTest, ChangeCubeSizeRefusesSizesOutsideOneToTen) {
    MainWindow& w = Start();
    CMozai* const before = w.Puzzle();
    EXPECT_FALSE(w.ChangeCubeSize(0));
    EXPECT_FALSE(w.ChangeCubeSize(11));
    EXPECT_EQ(w.Puzzle(), before);
    EXPECT_EQ(appSettings.cubeSize, 3);
    EXPECT_TRUE(w.ChangeCubeSize(1));
    EXPECT_EQ(w.Puzzle()->Size(), 1);
    EXPECT_EQ(ReadFile("history.ini"), "1\r\n");
}

} // namespace
