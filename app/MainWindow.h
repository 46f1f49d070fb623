#pragma once

#include "app/MouseState.h"
#include "app/ViewKeys.h"
#include "app/WindowModeGeometry.h"
#include "persist/FaceColours.h"
#include "puzzle/ColourEditor.h"
#include "render/FramePainter.h"

#include <QMainWindow>
#include <QTimer>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>

class AutoSave;
class Camera;
class CMozai;
class ColourEditUi;
class D3DRenderer;
class DemoMotion;
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

    // Runs the creation sequence: menu, colours, StartUp and the splash. layeredSupported says
    // whether the window system can show the window translucent.
    explicit MainWindow(bool layeredSupported);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // False when the start-up failed and the window is already destroyed.
    bool Created() const { return created; }
    // How long the splash showed at creation.
    std::chrono::milliseconds SplashTime() const { return splashTime; }
    // Applies the mode of the settings and shows the window at its place.
    void ShowInitially();
    // Brings the window to the front, for a second start of the program.
    void Activate();

    bool StartUp();
    bool ShutDown();
    bool Restart();
    bool ChangeCubeSize(int n);
    // The destruction sequence: colours saved, scene shut down (history saved), menu freed. Runs
    // once; afterwards windowDestroyed() is emitted and the window stays hidden.
    void DestroyWindow();
    bool IsDestroyed() const { return destroyed; }
    // The message box of a failed start or restart.
    void ReportStartUpFailure();

    // One 30 ms step: animation, view keys, demo motion, frame.
    void OnTick();
    // A menu command by identifier.
    void OnCommand(int id);
    // The splash and the congratulations banner: the picture of bitmapId in the bitmap dialog,
    // modally. The one place where that dialog is run.
    void RunBitmapDialog(int bitmapId);
    // Runs a modal loop (a dialog's). Opened inside a tick it keeps the ticks coming, as they
    // must: Qt does not fire a timer again while the handler of its last timeout waits.
    void KeepTicking(const std::function<void()>& modalLoop);
    // The puzzle's solved callback.
    void Congratulate();

    // Input handlers, positions in client pixels.
    void OnLeftButtonDown(int x, int y);
    void OnLeftButtonUp();
    void OnRightButtonDown(int x, int y);
    void OnRightButtonUp();
    void OnMouseMove(int x, int y);
    void OnMouseWheel(int delta);
    void OnKeyDown(int key);
    void OnFocusLost();
    void OnSize();
    void OnTrayPopup();

    // Window placement.
    bool SetWindowMode(bool on);
    void MoveWindowTo(int x, int y);
    bool ResizeBy(int step);
    // Keeps the centre of a w x h window at (x, y) on the primary screen's usable area.
    static void ClampToScreen(int& x, int& y, int w, int h);
    // The top-level geometry as last placed (client area plus menu bar), kept here because the
    // window system reports it late.
    QRect Placement() const { return placement; }
    // The outer rectangle, frame included in framed mode.
    QRect WindowRect() const;
    // A mouse position in client pixels, from the event's local and screen positions.
    QPoint ClientPoint(const QPointF& local, const QPointF& global) const;

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
    DemoMotion* Demo() const { return demo.get(); }
    const MouseState& Mouse() const { return mouse; }
    ViewKeys& HeldKeys() { return viewKeys; }
    const QTimer& TickTimer() const { return timer; }
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
    // A fingerprint of everything the next frame would be painted from.
    std::uint64_t FrameKey() const;
    bool ReadClientRect();
    void ToggleRegion(bool fromMenu);
    void ToggleTransparency();
    void ToggleDemo();
    void ToggleStickerOnly();
    void ToggleColorEdit();
    void SetGraphicMode(bool direct3D);
    void ShowAbout();
    void EditColourAt(int x, int y);
    void BeginCapture(int x, int y);
    void EndCapture();
    void RecordMoveAnchor(int x, int y);
    void Place(const QRect& geometry);
    void ApplyTrackingLimits();
    void LearnFrameMetrics();
    void ResetRendererForSize();
    void ApplyDemoMotion();
    void TurnViewByKeys();

    const bool layeredSupported;
    bool created = false;
    bool destroyed = false;
    std::chrono::milliseconds splashTime{0};

    std::unique_ptr<MenuManager> menuManager;
    std::unique_ptr<MoveHistory> history;
    std::unique_ptr<Camera> camera;
    std::unique_ptr<CMozai> puzzle;
    std::unique_ptr<WindowRegion> region;
    std::unique_ptr<TrayIcon> trayIcon;
    std::unique_ptr<D3DRenderer> renderer;
    std::unique_ptr<DemoMotion> demo;
    std::unique_ptr<AutoSave> autoSave;
    ColourEditUi* colourEditUi = nullptr;
    // One for the process: it keeps the chooser's custom colours between edits.
    ColourEditor colourEditor{faceColours};

    QTimer timer;
    // Ticks under way, and handlers under way of any kind.
    int tickDepth = 0;
    int busyDepth = 0;
    bool destroyPending = false;
    MouseState mouse;
    ViewKeys viewKeys;
    FrameView* view = nullptr;
    FramePainter painter;
    std::uint64_t paintedKey = 0;
    int framesPainted = 0;

    QRect placement;
    // Whether the window now has its frame; the region mode setting changes first.
    bool framed = true;
    FrameMetrics metrics;
    // The metrics were read from a framed window on screen.
    bool metricsKnown = false;
    // Set while the window is moved or re-flagged by this class, so that the window system's
    // echoes of it do not overwrite the kept placement.
    bool placing = false;
};
