#include "app/FrameView.h"

#include "app/AppSettings.h"
#include "app/MainWindow.h"
#include "render/D3DRenderer.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

FrameView::FrameView(MainWindow* window) : QWidget(window), window(window) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    // Motion without a button held still arrives, so a stale capture can be noticed.
    setMouseTracking(true);
}

void FrameView::Present() {
    repaint();
}

void FrameView::paintEvent(QPaintEvent*) {
    // Every paint, the window system's exposes and the frames alike, comes as a spontaneous
    // event: the rasteriser's target is rebuilt only when it no longer fits or was lost.
    if (appSettings.useDirect3D && window->Renderer() && window->Renderer()->TargetStale())
        window->ResetRendererForSize();
    QPainter painter(this);
    const QImage& frame = window->Frame();
    painter.drawImage(0, 0, frame);
    // The class background of the window is black; it shows where no frame has been drawn yet.
    const QRegion uncovered =
        QRegion(rect()) - QRegion(QRect(QPoint(), frame.deviceIndependentSize().toSize()));
    for (const QRect& r : uncovered)
        painter.fillRect(r, Qt::black);
    if (!firstFrameShown && !frame.isNull() && isVisible()) {
        firstFrameShown = true;
        emit window->firstFramePainted();
    }
}

void FrameView::resizeEvent(QResizeEvent*) {
    window->OnSize();
}

QPoint FrameView::ClientPoint(const QMouseEvent* event) const {
    return window->Input().ClientPoint(event->position(), event->globalPosition());
}

void FrameView::mousePressEvent(QMouseEvent* event) {
    const QPoint p = ClientPoint(event);
    if (event->button() == Qt::LeftButton)
        window->Input().OnLeftButtonDown(p.x(), p.y());
    else if (event->button() == Qt::RightButton)
        window->Input().OnRightButtonDown(p.x(), p.y());
}

void FrameView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        window->Input().OnLeftButtonUp();
    else if (event->button() == Qt::RightButton)
        window->Input().OnRightButtonUp();
}

void FrameView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = ClientPoint(event);
    window->Input().OnMouseMove(p.x(), p.y());
}

void FrameView::wheelEvent(QWheelEvent* event) {
    const QPoint delta = event->angleDelta();
    // Only the vertical wheel turns the size; sideways scrolling and the empty begin and end
    // events of a touchpad gesture do nothing.
    if (delta.y() == 0 && (delta.x() != 0 || event->phase() != Qt::NoScrollPhase))
        return;
    window->Input().OnMouseWheel(delta.y());
}

void FrameView::focusOutEvent(QFocusEvent*) {
    window->Input().OnFocusLost();
}
