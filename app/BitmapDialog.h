#pragma once

#include <QDialog>
#include <QImage>
#include <QPointer>
#include <QTimer>

#include <functional>

class WindowRegion;

// The splash and the congratulations banner: a borderless modal window showing one picture,
// shaped to the pixels that differ from the picture's top-left pixel, centred on the desktop. It
// closes by itself after its ticks run out, or early on a left or right button release or any
// key; closing re-activates the main window.
class BitmapDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr int TickMs = 20;
    static constexpr int SplashTicks = 60;
    static constexpr int CongratulationsTicks = 200;
    // The view turn per banner tick: -0.05 in single precision, widened.
    static constexpr double BannerYaw = static_cast<double>(-0.05f);
    static constexpr double BannerPitch = 0.0;

    // Turns the main camera by (yaw, pitch) radians.
    using TurnCamera = std::function<void(double yaw, double pitch)>;

    // `bitmapId` names the picture (Pictures::BitmapById). `region` may be null: the window is
    // then the whole rectangle. `turnCamera` runs on each tick of the congratulations banner.
    BitmapDialog(int bitmapId, WindowRegion* region, QWidget* mainWindow,
                 TurnCamera turnCamera = {});

    // Shows the window modally until it closes. A picture that cannot be loaded ends it at once
    // without showing anything; the result is then false.
    bool Run();

    // Ends the window early or at the last tick; the result code is not used.
    void done(int result) override;

    int RemainingTicks() const { return ticks; }
    bool PictureLoaded() const { return !picture.isNull(); }

signals:
    // After each tick's work, with the ticks still to go.
    void ticked(int remaining);
    // The picture has been painted for the first time.
    void firstPainted();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Tick();
    void PlaceAndShape(WindowRegion* region);

    int bitmapId;
    QImage picture;
    QPointer<QWidget> mainWindow;
    TurnCamera turnCamera;
    QTimer timer;
    int ticks;
    bool painted = false;
};
