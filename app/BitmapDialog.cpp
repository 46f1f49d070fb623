#include "app/BitmapDialog.h"

#include "app/PictureColours.h"
#include "app/Pictures.h"
#include "app/WindowPlacement.h"
#include "render/WindowRegion.h"

#include <QMouseEvent>
#include <QPainter>

#include <utility>

BitmapDialog::BitmapDialog(int bitmapId, WindowRegion* region, QWidget* mainWindow,
                           TurnCamera turnCamera)
    : QDialog(mainWindow, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      bitmapId(bitmapId), mainWindow(mainWindow), turnCamera(std::move(turnCamera)),
      ticks(bitmapId == Pictures::CongratulationsId ? CongratulationsTicks : SplashTicks) {
    // Only the main window waits for it: the tray icon and its menu stay usable (greyed).
    setWindowModality(Qt::WindowModal);
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
    setFixedSize(BannerWidth, BannerHeight);
    setGeometry(WindowPlacement::Centred(QSize(BannerWidth, BannerHeight)));
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
