#include "app/BitmapDialog.h"

#include "app/PictureColours.h"
#include "app/Pictures.h"
#include "render/WindowRegion.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include <utility>

BitmapDialog::BitmapDialog(int bitmapId, WindowRegion* region, QWidget* mainWindow,
                           TurnCamera turnCamera)
    : QDialog(mainWindow, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      bitmapId(bitmapId), mainWindow(mainWindow), turnCamera(std::move(turnCamera)),
      ticks(bitmapId == Pictures::CongratulationsId ? CongratulationsTicks : SplashTicks) {
    timer.setTimerType(Qt::PreciseTimer);
    timer.setInterval(TickMs);
    connect(&timer, &QTimer::timeout, this, &BitmapDialog::Tick);

    const QImage loaded = Pictures::BitmapById(bitmapId);
    if (!loaded.isNull()) {
        picture = loaded.convertToFormat(QImage::Format_RGB32);
        PlaceAndShape(region);
    }
}

bool BitmapDialog::Run() {
    if (picture.isNull()) {
        return false;
    }
    timer.start();
    exec();
    return true;
}

void BitmapDialog::done(int result) {
    timer.stop();
    hide();
    QDialog::done(result);
    if (mainWindow != nullptr) {
        mainWindow->activateWindow();
    }
}

void BitmapDialog::PlaceAndShape(WindowRegion* region) {
    using PictureColours::BannerHeight;
    using PictureColours::BannerWidth;
    // The desktop's right and bottom edges are exclusive, as the centring arithmetic expects.
    int right = BannerWidth;
    int bottom = BannerHeight;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect desktop = screen->geometry();
        right = desktop.x() + desktop.width();
        bottom = desktop.y() + desktop.height();
    }
    setFixedSize(BannerWidth, BannerHeight);
    setGeometry((right - BannerWidth) / 2, (bottom - BannerHeight) / 2, BannerWidth, BannerHeight);
    if (region != nullptr) {
        region->ApplyFromDC(this, picture, BannerWidth, BannerHeight, WindowRegion::noKey);
    }
}

void BitmapDialog::Tick() {
    --ticks;
    if (bitmapId == Pictures::CongratulationsId && turnCamera) {
        turnCamera(BannerYaw, BannerPitch);
    }
    emit ticked(ticks);
    if (ticks <= 0) {
        done(0);
    }
}

void BitmapDialog::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, picture);
    if (!painted) {
        painted = true;
        emit firstPainted();
    }
}

void BitmapDialog::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton) {
        done(0);
    }
}

void BitmapDialog::keyPressEvent(QKeyEvent*) {
    done(0);
}
