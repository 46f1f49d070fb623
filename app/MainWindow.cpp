#include "app/MainWindow.h"

#include "app/AppSettings.h"
#include "app/AutoSave.h"
#include "app/BitmapDialog.h"
#include "app/CommandIds.h"
#include "app/DemoMotion.h"
#include "app/FrameView.h"
#include "app/MenuManager.h"
#include "app/Pictures.h"
#include "app/TrayIcon.h"
#include "persist/CubeSizeRule.h"
#include "persist/FaceColours.h"
#include "persist/MoveHistory.h"
#include "puzzle/CMozai.h"
#include "puzzle/DrawSignature.h"
#include "render/D3DRenderer.h"
#include "render/WindowRegion.h"
#include "scene/Camera.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>

#include <chrono>
#include <cmath>

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

    // Created as a framed window without a menu, centred on the desktop.
    QRect desktop(0, 0, initialSize, initialSize);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        desktop = screen->geometry();
    const int right = desktop.x() + desktop.width();
    const int bottom = desktop.y() + desktop.height();
    const QRect framedRect((right - initialSize) / 2, (bottom - initialSize) / 2, initialSize,
                           initialSize);
    framed = true;
    Place(GeometryFromFramed(framedRect, metrics));

    menuManager = std::make_unique<MenuManager>(this);
    // Queued, like a menu's command message: the menu has closed and left its own handlers
    // before the command runs, so "Exit" may free it.
    connect(menuManager.get(), &MenuManager::commandChosen, this, &MainWindow::OnCommand,
            Qt::QueuedConnection);
    menuBar()->addMenu(menuManager->Menu());
    menuManager->SetLayeredAvailable(layeredSupported);
    LoadFaceColours();
    if (StartUp()) {
        autoSave = std::make_unique<AutoSave>([this] { return history.get(); });
        const auto splashStart = std::chrono::steady_clock::now();
        RunBitmapDialog(Pictures::SplashId);
        splashTime = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now() - splashStart);
    } else {
        ReportStartUpFailure();
        DestroyWindow();
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
    const int menu = menuBar()->isHidden() ? 0 : metrics.menu;
    appSettings.clientRect = QRect(0, 0, placement.width(), std::max(0, placement.height() - menu));
    return true;
}

bool MainWindow::StartUp() {
    if (!ReadClientRect())
        return false;
    const QRect client = appSettings.clientRect;

    history = std::make_unique<MoveHistory>();
    const bool loaded = history->Load();
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
    mouse.leftButtonDown = false;
    mouse.rightButtonDown = false;
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
    demo.reset();
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
        history->Save();
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
    SaveFaceColours();
    ShutDown();
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
    TurnViewByKeys();
    ApplyDemoMotion();
    // A still cube is not painted again: the window keeps showing the last frame.
    if (framesPainted == 0 || FrameKey() != paintedKey)
        PaintFrame();
    --tickDepth;
}

void MainWindow::TurnViewByKeys() {
    double yaw = 0;
    double pitch = 0;
    if (viewKeys.Step(yaw, pitch) && camera)
        camera->Rotate(yaw, pitch);
}

void MainWindow::ApplyDemoMotion() {
    if (!menuManager || !menuManager->GetDemoState() || !demo)
        return;
    double a = 0;
    double b = 0;
    if (demo->SpinStep(a, b) && camera)
        camera->Rotate(-a, -b);
    double dx = 0;
    double dy = 0;
    if (demo->DriftStep(dx, dy)) {
        MoveWindowTo(static_cast<int>(std::trunc(dx)) + mouse.moveAnchor.x(),
                     static_cast<int>(std::trunc(dy)) + mouse.moveAnchor.y());
    }
}

void MainWindow::PaintFrame() {
    if (destroyed)
        return;
    FrameInputs inputs;
    inputs.camera = camera.get();
    inputs.window = this;
    inputs.clientSize = appSettings.clientRect.size();
    inputs.regionMode = appSettings.regionMode;
    inputs.region = region.get();
    inputs.useDirect3D = appSettings.useDirect3D;
    inputs.renderer = renderer.get();
    paintedKey = FrameKey();
    ++framesPainted;
    painter.PaintFrame(inputs);
    if (camera)
        view->Present();
}

std::uint64_t MainWindow::FrameKey() const {
    SignatureMixer mix;
    mix.Add(puzzle ? DrawSignature(*puzzle) : 0);
    if (camera) {
        for (const Vertex3D& p : {camera->GetPosition(), camera->GetTarget()}) {
            mix.Add(p.x);
            mix.Add(p.y);
            mix.Add(p.z);
        }
        const Vector3D up = camera->GetUp();
        mix.Add(up.x);
        mix.Add(up.y);
        mix.Add(up.z);
        mix.Add(static_cast<std::uint64_t>(camera->IsStickerOnly()));
    }
    const QRect& client = appSettings.clientRect;
    mix.Add(static_cast<std::uint64_t>(client.width()) << 32 |
            static_cast<std::uint32_t>(client.height()));
    mix.Add(static_cast<std::uint64_t>(appSettings.regionMode) << 1 | appSettings.useDirect3D);
    mix.Add(reinterpret_cast<std::uintptr_t>(renderer.get()));
    return mix.Value();
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

void MainWindow::RunBitmapDialog(int bitmapId) {
    appSettings.dialogBitmapId = bitmapId;
    BitmapDialog dialog(bitmapId, region.get(), this, [this](double yaw, double pitch) {
        if (camera)
            camera->Rotate(yaw, pitch);
    });
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
