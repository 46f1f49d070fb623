#pragma once

#include "app/DemoDrive.h"
#include "app/HistoryKeys.h"
#include "app/WindowInput.h"
#include "app/WindowPlacement.h"
#include "persist/FaceColours.h"
#include "puzzle/ColourEditor.h"
#include "render/FramePainter.h"

#include <QMainWindow>
#include <QTimer>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <tuple>

class AutoSave;
class Camera;
class CMozai;
class ColourEditUi;
class D3DRenderer;
class FrameView;
class MenuManager;
class MoveHistory;
class TrayIcon;
class WindowRegion;

// The one top-level window. It owns every long-lived object of the program, builds and tears
// down the scene in a fixed order, runs the 30 ms tick that animates and paints, and turns each
// window event and menu command into one handler call. Frames are painted only by the tick and
// after a size change; a paint event shows the last frame.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    static constexpr int tickMilliseconds = 30;
    // Still ticks before the timer stops.
    static constexpr int stillTicksBeforeSleep = 10;
    // The window is created at this size, centred on the desktop.
    static constexpr int initialSize = 300;
    // Width of the window the drag scales are measured for.
    static constexpr double dragReferenceWidth = 300.0;
    // Mouse pixels per radian of a twist drag and of a view drag.
    static constexpr double twistPixelsPerRadian = 60.0;
    static constexpr double viewPixelsPerRadian = 40.0;
    // Growth per wheel notch or Page Up, in pixels on each axis, and the client size limits.
    static constexpr int resizeStep = 6;
    static constexpr int minClientSize = 30;
    static constexpr int maxClientSize = 900;
    // Tracking limits of the framed window, frame included.
    static constexpr int minTrackWidth = 30;
    static constexpr int minTrackHeight = 130;
    static constexpr int maxTrackSize = 900;
    // The tray icon's identifier.
    static constexpr int trayIconId = 1;
    // Window opacity while translucent, of 255.
    static constexpr int translucentAlpha = 200;

    // How often the window looks whether translucency has come or gone (a compositor).
    static constexpr int compositorCheckMilliseconds = 1000;

    // Runs the creation sequence: menu, colours, StartUp and the splash. layeredSupported says
    // whether the window system can show the window translucent now.
    explicit MainWindow(bool layeredSupported);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // False when the start-up failed and the window is already destroyed.
    bool Created() const { return created; }
    // When the splash was first painted and when it closed, at creation.
    std::chrono::steady_clock::time_point SplashShown() const { return splashShown; }
    std::chrono::steady_clock::time_point SplashClosed() const { return splashClosed; }
    // Applies the mode of the settings and shows the window at its place.
    void ShowInitially();
    // Brings the window to the front, for a second start of the program.
    void Activate();

    bool StartUp();
    bool ShutDown();
    bool Restart();
    bool ChangeCubeSize(int n);
    // The destruction sequence: colours saved, scene shut down (history saved), menu freed. Runs
    // once; afterwards windowDestroyed() is emitted and the window stays hidden. A failed save
    // is said on stderr.
    void DestroyWindow();
    bool IsDestroyed() const { return destroyed; }
    // Whether the destruction sequence wrote both files (or had nothing to write).
    bool SavedAtExit() const { return savedAtExit; }
    // The message box of a failed start or restart.
    void ReportStartUpFailure();

    // One 30 ms step: animation, view keys, demo motion, frame.
    void OnTick();
    // Starts the ticks again after they stopped for a still cube; every input event and command
    // calls it, since only they can set anything in motion.
    void WakeTicks();
    // A menu command by identifier.
    void OnCommand(int id);
    // The splash and the congratulations banner: the picture of bitmapId in the bitmap dialog,
    // modally; shown runs once it is first painted. The one place where that dialog is run.
    void RunBitmapDialog(int bitmapId, const std::function<void()>& shown = {});
    // Runs a modal loop (a dialog's). Opened inside a tick it keeps the ticks coming, as they
    // must: Qt does not fire a timer again while the handler of its last timeout waits.
    void KeepTicking(const std::function<void()>& modalLoop);
    // The puzzle's solved callback.
    void Congratulate();

    void OnSize();
    void OnTrayPopup();
    // The Menu key and Shift+F10: the popup at the window's centre.
    void ShowMenuAtWindow();
    bool SetWindowMode(bool on);
    // Looks whether translucency is possible now and follows it: the item, the opacity.
    void FollowCompositor();
    // What FollowCompositor asks, from now on every compositorCheckMilliseconds; without a probe
    // nothing changes.
    void SetCompositorProbe(std::function<bool()> probe);

    // The colour chooser and message boxes of colour editing; not owned, may be null.
    void SetColourEditUi(ColourEditUi* ui) { colourEditUi = ui; }

    // The long-lived objects, null while they do not exist.
    MenuManager* Menus() const { return menuManager.get(); }
    MoveHistory* History() const { return history.get(); }
    Camera* SceneCamera() const { return camera.get(); }
    CMozai* Puzzle() const { return puzzle.get(); }
    WindowRegion* Region() const { return region.get(); }
    TrayIcon* Tray() const { return trayIcon.get(); }
    D3DRenderer* Renderer() const { return renderer.get(); }
    DemoMotion* Demo() const { return demo.Motion(); }
    WindowInput& Input() { return input; }
    HistoryKeys& HistorySteps() { return historyKeys; }
    WindowPlacement& Placement() { return placement; }
    const QTimer& TickTimer() const { return timer; }
    const AutoSave* AutoSaver() const { return autoSave.get(); }
    FrameView* View() const { return view; }
    // The last painted frame.
    const QImage& Frame() const { return painter.Frame(); }
    // Frames painted so far; a tick in which nothing visible changed paints none.
    int FramesPainted() const { return framesPainted; }

signals:
    void windowDestroyed();
    // The first frame reached the screen.
    void firstFramePainted();

protected:
    void closeEvent(QCloseEvent* event) override;
    // Keys reach the window whether or not the view has the focus yet.
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    friend class FrameView;
    friend class WindowInput;

    // Counts the handlers under way. A destruction requested meanwhile (a quit signal while a
    // modal dialog runs inside a tick, say) waits until the outermost handler has returned, so
    // no handler finds its objects gone.
    class BusyScope {
    public:
        explicit BusyScope(MainWindow& w) : window(w) { ++window.busyDepth; }
        ~BusyScope() {
            if (--window.busyDepth == 0 && window.destroyPending)
                window.DestroyWindow();
        }
        BusyScope(const BusyScope&) = delete;
        BusyScope& operator=(const BusyScope&) = delete;

    private:
        MainWindow& window;
    };

    void PaintFrame();
    // What a frame is painted from, read from the change counts of the puzzle and the camera and
    // from the settings; the scene itself is not looked at.
    using FrameKey =
        std::tuple<int, std::uint64_t, std::uint64_t, int, int, bool, bool, const D3DRenderer*>;
    FrameKey CurrentFrameKey() const;
    bool ReadClientRect();
    void ToggleRegion(bool fromMenu);
    void ToggleTransparency();
    // Translucent while shaped, chosen and possible; else opaque.
    void ApplyOpacity();
    void ToggleDemo();
    void ToggleStickerOnly();
    void ToggleColorEdit();
    void SetGraphicMode(bool direct3D);
    void ShowAbout();
    void EditColourAt(int x, int y);
    void ApplyTrackingLimits();
    void LearnFrameMetrics();
    void ResetRendererForSize();
    void TurnViewByKeys();
    bool NothingInMotion() const;

    bool layeredSupported;
    std::function<bool()> compositorProbe;
    QTimer compositorTimer;
    bool created = false;
    bool destroyed = false;
    bool savedAtExit = true;
    // Why history.ini is held (see MoveHistory::HeldReason): every history of the process keeps it.
    int historyHeldReason = 0;
    // The last ShutDown's save of the history.
    SaveResult historySaved;
    std::chrono::steady_clock::time_point splashShown;
    std::chrono::steady_clock::time_point splashClosed;

    std::unique_ptr<MenuManager> menuManager;
    std::unique_ptr<MoveHistory> history;
    std::unique_ptr<Camera> camera;
    std::unique_ptr<CMozai> puzzle;
    std::unique_ptr<WindowRegion> region;
    std::unique_ptr<TrayIcon> trayIcon;
    std::unique_ptr<D3DRenderer> renderer;
    DemoDrive demo;
    std::unique_ptr<AutoSave> autoSave;
    ColourEditUi* colourEditUi = nullptr;
    // One for the process: it keeps the chooser's custom colours between edits.
    ColourEditor colourEditor{faceColours};

    QTimer timer;
    // Ticks under way, and handlers under way of any kind.
    int tickDepth = 0;
    // Ticks in a row in which nothing moved or was painted; the timer stops after a few.
    int stillTicks = 0;
    int busyDepth = 0;
    bool destroyPending = false;
    WindowInput input{*this};
    HistoryKeys historyKeys;
    FrameView* view = nullptr;
    FramePainter painter;
    FrameKey paintedKey;
    int sceneGeneration = 0;
    int framesPainted = 0;

    WindowPlacement placement{*this};
    // The frame metrics were read from a framed window on screen.
    bool metricsKnown = false;
};
