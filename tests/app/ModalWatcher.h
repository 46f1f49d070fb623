#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>

// Hands each modal dialog that opens while it lives to `seen`, and closes it keepMs later.
struct ModalWatcher {
    explicit ModalWatcher(const std::function<void(QWidget*)>& seen = {}, int keepMs = 0) {
        QObject::connect(&poll, &QTimer::timeout, [this, seen, keepMs] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal != nullptr && modal != current) {
                current = modal;
                ++opened;
                clock.start();
                if (seen)
                    seen(modal);
            }
            if (modal != nullptr && clock.elapsed() >= keepMs)
                modal->close();
        });
        poll.start(5);
    }

    int opened = 0;
    QTimer poll;
    QPointer<QWidget> current;
    QElapsedTimer clock;
};
