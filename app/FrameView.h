#pragma once

#include <QWidget>

class MainWindow;

// The client area of the main window: shows the last painted frame and hands every mouse, wheel
// and focus event to the window's handlers with client positions. Keys go on to the window.
class FrameView : public QWidget {
    Q_OBJECT

public:
    explicit FrameView(MainWindow* window);

    // Shows the window's last frame at once: the frame painter's presentation step.
    void Present();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QPoint ClientPoint(const QMouseEvent* event) const;

    MainWindow* window;
    bool firstFrameShown = false;
};
