#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <utility>

// Hands each modal dialog that opens while it lives to `seen`, and closes it keepMs later.
class ModalWatcher {
public:
    explicit ModalWatcher(std::function<void(QWidget*)> seen = {}, int keepMs = 0)
        : seen(std::move(seen)), keepMs(keepMs) {
        QObject::connect(&poll, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal != nullptr && modal != current) {
                current = modal;
                ++opened;
                clock.start();
                if (this->seen)
                    this->seen(modal);
            }
            if (modal != nullptr && clock.elapsed() >= this->keepMs)
                modal->close();
        });
        poll.start(5);
    }
    int opened = 0;

private:
    std::function<void(QWidget*)> seen;
    int keepMs;
    QTimer poll;
    QPointer<QWidget> current;
    QElapsedTimer clock;
};
