#include "app/MainWindow.h"

#include "app/AppSettings.h"
#include "app/AutoSave.h"
#include "app/BitmapDialog.h"
#include "app/CommandIds.h"
#include "app/FrameView.h"
#include "app/MenuManager.h"
#include "app/Pictures.h"
#include "app/TrayIcon.h"
#include "persist/CubeSizeRule.h"
#include "persist/FaceColours.h"
#include "persist/MoveHistory.h"
#include "puzzle/CMozai.h"
#include "render/D3DRenderer.h"
#include "render/WindowRegion.h"
#include "scene/Camera.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>

#include <chrono>

namespace {

const char* const title = "Mozai";
const char* const startUpFailureText = "初期化に失敗したので終了します";
const char* const startUpFailureCaption = "Error";

// The camera's lens and starting pose; the eye backs off 100 units per cubie along the line.
constexpr double cameraNear = 1.0;
constexpr double cameraFar = 1000.0;
constexpr double cameraFov = 0.39269908169872414; // pi / 8
constexpr double eyeDistancePerCubie = 100.0;
constexpr double startYaw = 0.5235987755982988;    // 30 degrees
constexpr double startPitch = -0.3490658503988659; // -20 degrees
// Rasteriser vertices per cubie row squared: 6 sides, 6 vertices per sticker.
constexpr int verticesPerSquaredSize = 36;

} // namespace

MainWindow::MainWindow(bool layeredSupported) : layeredSupported(layeredSupported) {
    setWindowTitle(QString::fromLatin1(title));
    setWindowIcon(Pictures::ProgramIcon());
    view = new FrameView(this);
    setCentralWidget(view);
    menuBar()->setVisible(false);

    timer.setTimerType(Qt::PreciseTimer);
    timer.setInterval(tickMilliseconds);
    connect(&timer, &QTimer::timeout, this, &MainWindow::OnTick);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        connect(screen, &QScreen::geometryChanged, this, [this] {
            if (appSettings.useDirect3D)
                ResetRendererForSize();
        });
    }

    // Created as a framed window without a menu, centred on the usable desktop.
    placement.SetFramed(true);
    placement.PlaceWindowRect(WindowPlacement::Centred(QSize(initialSize, initialSize)));
    connect(&compositorTimer, &QTimer::timeout, this, &MainWindow::FollowCompositor);

    menuManager = std::make_unique<MenuManager>(this);
    // Queued, like a menu's command message: the menu has closed and left its own handlers
    // before the command runs, so "Exit" may free it.
    connect(menuManager.get(), &MenuManager::commandChosen, this, &MainWindow::OnCommand,
            Qt::QueuedConnection);
    menuBar()->addMenu(menuManager->Menu());
    menuManager->SetLayeredAvailable(layeredSupported);
    LoadFaceColours();
    // The splash goes up first and the scene is built behind it: a long history's replay and the
    // OpenGL context take longer than a start may keep the screen empty.
    // The splash may close before the build has run; a timer of this scope then cannot fire late,
    // into the locals of a finished constructor.
    bool started = false;
    bool startedUp = false;
    const auto buildScene = [&] {
        if (started)
            return;
        started = true;
        startedUp = StartUp();
        if (!startedUp) {
            if (QWidget* splash = QApplication::activeModalWidget())
                splash->close();
        }
    };
    QTimer behindSplash;
    behindSplash.setSingleShot(true);
    connect(&behindSplash, &QTimer::timeout, this, buildScene);
    RunBitmapDialog(Pictures::SplashId, [&] {
        splashShown = std::chrono::steady_clock::now();
        behindSplash.start(0);
    });
    splashClosed = std::chrono::steady_clock::now();
    // The splash closed before it was painted, or has no picture.
    buildScene();
    if (!startedUp) {
        ReportStartUpFailure();
        DestroyWindow();
    } else {
        autoSave = std::make_unique<AutoSave>([this] { return history.get(); });
    }
    created = !destroyed;
}

MainWindow::~MainWindow() {
    DestroyWindow();
}

void MainWindow::ShowInitially() {
    if (destroyed)
        return;
    SetWindowMode(appSettings.regionMode);
    show();
}

void MainWindow::Activate() {
    if (destroyed)
        return;
    // A window minimised by the user comes back too.
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

bool MainWindow::ReadClientRect() {
    if (view == nullptr || destroyed)
        return false;
    if (view->isVisible()) {
        appSettings.clientRect = view->rect();
        return true;
    }
    // Before the window is laid out the client is the placement less the menu bar.
    const int menu = menuBar()->isHidden() ? 0 : placement.Metrics().menu;
    const QRect kept = placement.Rect();
    appSettings.clientRect = QRect(0, 0, kept.width(), std::max(0, kept.height() - menu));
    return true;
}

bool MainWindow::StartUp() {
    if (!ReadClientRect())
        return false;
    // A new scene may reuse the addresses and change counts of the last one.
    ++sceneGeneration;
    const QRect client = appSettings.clientRect;

    history = std::make_unique<MoveHistory>();
    history->Hold(historyHeldReason);
    const bool loaded = history->Load();
    historyHeldReason = history->HeldReason();
    appSettings.cubeSize = SettleCubeSize(*history, loaded, appSettings.cubeSize);
    const int n = appSettings.cubeSize;

    camera = std::make_unique<Camera>(0, 0, eyeDistancePerCubie * n, 0, 0, 0, 0, 1, 0, cameraNear,
                                      cameraFar, cameraFov, 0, 0, client.width(), client.height());
    puzzle = std::make_unique<CMozai>(n, 0, 0, 0, -1, 0, 1, 0, 0, 1, faceColours.data());
    puzzle->SetHistory(history.get());
    puzzle->Replay();
    puzzle->onSolved = [this] { Congratulate(); };
    puzzle->SetBackground(0);
    puzzle->SetDirect3D(appSettings.useDirect3D);
    camera->SetScene(puzzle.get());

    region = std::make_unique<WindowRegion>();
    input.ClearButtons();
    historyKeys.Clear();
    camera->Rotate(startYaw, startPitch);

    trayIcon = std::make_unique<TrayIcon>();
    connect(trayIcon.get(), &TrayIcon::popupRequested, this, &MainWindow::OnTrayPopup);
    if (trayIcon->Count() == 0)
        trayIcon->Add(this, Pictures::ProgramIcon(), trayIconId);

    menuManager->SetModeItem(Command::StickerOnly, false);
    menuManager->SetModeItem(Command::Region, appSettings.regionMode);
    menuManager->SetDemoItem(false);

    renderer = std::make_unique<D3DRenderer>(view, verticesPerSquaredSize * n * n);
    if (!renderer->available()) {
        renderer->Release();
        renderer.reset();
        appSettings.useDirect3D = false;
        // The puzzle was told otherwise above; it would draw its stickers flat.
        puzzle->SetDirect3D(false);
        menuManager->GreyTopItem(MenuManager::GraphicPosition, true);
    } else {
        menuManager->SetGraphicItem(appSettings.useDirect3D);
    }
    puzzle->SetRasteriser(renderer.get());

    if (n >= 2 && n <= maxCubeSize)
        menuManager->CheckTypeItem(Command::TypeItemForSize(n));
    timer.start();
    return true;
}

bool MainWindow::ShutDown() {
    timer.stop();
    demo.Stop();
    if (trayIcon) {
        if (trayIcon->Count() > 0)
            trayIcon->Delete(this, trayIconId);
        trayIcon.reset();
    }
    puzzle.reset();
    camera.reset();
    if (renderer) {
        renderer->Release();
        renderer.reset();
    }
    if (region) {
        region->Release();
        region.reset();
    }
    if (history) {
        historySaved = AutoSave::Said(historyFileName, history->Save());
        history.reset();
    }
    return true;
}

bool MainWindow::Restart() {
    ShutDown();
    return StartUp();
}

bool MainWindow::ChangeCubeSize(int n) {
    if (n < minCubeSize || n > maxCubeSize)
        return false;
    appSettings.cubeSize = n;
    if (history) {
        history->Clear();
        history->SetSize(n);
        history->Save();
    }
    if (!Restart()) {
        ReportStartUpFailure();
        DestroyWindow();
        return false;
    }
    return true;
}

void MainWindow::ReportStartUpFailure() {
    QMessageBox box(QMessageBox::Critical, QString::fromLatin1(startUpFailureCaption),
                    QString::fromUtf8(startUpFailureText), QMessageBox::Ok, this);
    box.exec();
}

void MainWindow::DestroyWindow() {
    if (destroyed)
        return;
    if (busyDepth > 0) {
        destroyPending = true;
        // A modal dialog would keep the handler that opened it waiting.
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
        return;
    }
    destroyed = true;
    autoSave.reset();
    const SaveResult colours = AutoSave::Said(colourFileName, SaveFaceColours());
    ShutDown();
    savedAtExit = colours && historySaved;
    menuManager.reset();
    hide();
    emit windowDestroyed();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    DestroyWindow();
    event->accept();
}

void MainWindow::OnTick() {
    BusyScope busy(*this);
    ++tickDepth;
    if (puzzle)
        puzzle->Tick();
    historyKeys.Tick(puzzle.get());
    TurnViewByKeys();
    demo.Step(
        camera.get(), [this](const QPoint& step) { return input.MoveWindowBy(step); },
        input.WindowDragging());
    // A still cube is not painted again: the window keeps showing the last frame.
    const bool paint = framesPainted == 0 || CurrentFrameKey() != paintedKey;
    if (paint)
        PaintFrame();
    // Nor does it keep waking the process: with nothing in motion the ticks stop until an
    // input event or a command wakes them.
    if (!paint && tickDepth == 1 && NothingInMotion()) {
        if (++stillTicks >= stillTicksBeforeSleep) {
            timer.stop();
            if (autoSave)
                autoSave->Pause();
        }
    } else {
        stillTicks = 0;
    }
    --tickDepth;
}

bool MainWindow::NothingInMotion() const {
    double yaw = 0;
    double pitch = 0;
    const MouseState& mouse = input.Mouse();
    return puzzle && puzzle->CurrentTwist() == nullptr && puzzle->ShuffleRemaining() == 0 &&
           historyKeys.Empty() && !demo.Motion() && !input.HeldKeys().Step(yaw, pitch) &&
           !mouse.leftButtonDown && !mouse.rightButtonDown &&
           QApplication::activeModalWidget() == nullptr;
}

void MainWindow::WakeTicks() {
    stillTicks = 0;
    if (autoSave)
        autoSave->Resume();
    if (!destroyed && camera && !timer.isActive())
        timer.start();
}

void MainWindow::TurnViewByKeys() {
    double yaw = 0;
    double pitch = 0;
    if (input.HeldKeys().Step(yaw, pitch) && camera)
        camera->Rotate(yaw, pitch);
}

void MainWindow::PaintFrame() {
    if (destroyed)
        return;
    FrameInputs inputs;
    inputs.camera = camera.get();
    inputs.window = this;
    inputs.clientSize = appSettings.clientRect.size();
    inputs.pixelRatio = devicePixelRatioF();
    inputs.regionMode = appSettings.regionMode;
    inputs.region = region.get();
    inputs.useDirect3D = appSettings.useDirect3D;
    inputs.renderer = renderer.get();
    paintedKey = CurrentFrameKey();
    ++framesPainted;
    painter.PaintFrame(inputs);
    if (camera)
        view->Present();
}

MainWindow::FrameKey MainWindow::CurrentFrameKey() const {
    const QRect& client = appSettings.clientRect;
    return FrameKey{sceneGeneration,
                    puzzle ? puzzle->ChangeCount() : 0,
                    camera ? camera->ViewVersion() : 0,
                    client.width(),
                    client.height(),
                    appSettings.regionMode,
                    appSettings.useDirect3D,
                    renderer.get()};
}

void MainWindow::OnSize() {
    if (!ReadClientRect())
        return;
    if (appSettings.useDirect3D)
        ResetRendererForSize();
    const QRect& c = appSettings.clientRect;
    if (camera)
        camera->SetViewport(c.x(), c.y(), c.x() + c.width(), c.y() + c.height());
    PaintFrame();
}

void MainWindow::ResetRendererForSize() {
    if (renderer)
        renderer->ResetForSize();
}

void MainWindow::OnTrayPopup() {
    if (menuManager)
        menuManager->ShowPopup();
}

void MainWindow::ShowMenuAtWindow() {
    if (menuManager)
        menuManager->ShowPopupAt(
            placement.Rect().topLeft() +
            QPoint(placement.Rect().width() / 2, placement.Rect().height() / 2));
}

void MainWindow::KeepTicking(const std::function<void()>& modalLoop) {
    QTimer standIn;
    if (tickDepth > 0) {
        standIn.setTimerType(Qt::PreciseTimer);
        standIn.setInterval(tickMilliseconds);
        connect(&standIn, &QTimer::timeout, this, [this] {
            if (timer.isActive())
                OnTick();
        });
        standIn.start();
    }
    modalLoop();
}

void MainWindow::RunBitmapDialog(int bitmapId, const std::function<void()>& shown) {
    appSettings.dialogBitmapId = bitmapId;
    // The splash comes before the scene and its region object.
    WindowRegion splashRegion;
    BitmapDialog dialog(bitmapId, region ? region.get() : &splashRegion, this,
                        [this](double yaw, double pitch) {
                            if (camera)
                                camera->Rotate(yaw, pitch);
                        });
    if (shown)
        connect(&dialog, &BitmapDialog::firstPainted, this, shown);
    KeepTicking([&dialog] { dialog.Run(); });
    appSettings.dialogBitmapId = AppSettings::noDialogBitmap;
}

void MainWindow::Congratulate() {
    if (menuManager)
        menuManager->SetBusy(true);
    if (puzzle)
        puzzle->SetHold(true);
    RunBitmapDialog(Pictures::CongratulationsId);
    if (puzzle)
        puzzle->SetHold(false);
    if (menuManager) {
        menuManager->SetBusy(false);
        if (!renderer || !renderer->available())
            menuManager->GreyTopItem(MenuManager::GraphicPosition, true);
    }
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    input.KeyPressed(*event);
}

void MainWindow::keyReleaseEvent(QKeyEvent* event) {
    input.KeyReleased(*event);
}
