#pragma once

// The real main window on the offscreen platform, started in the test's own working directory
// with fresh settings and no history.ini or color.ini left from an earlier test.

#include "app/AppSettings.h"
#include "app/BitmapDialog.h"
#include "app/MainWindow.h"
#include "app/MenuManager.h"
#include "app/Pictures.h"
#include "scene/Camera.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QTimer>

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        QFile::remove("history.ini");
        QFile::remove("color.ini");
        appSettings = AppSettings{};
    }

    // Creates the window, closing the splash as soon as it shows.
    MainWindow& Start(bool layeredSupported = false) {
        splashShown = false;
        QTimer::singleShot(0, [this] {
            auto* splash = qobject_cast<BitmapDialog*>(QApplication::activeModalWidget());
            if (splash == nullptr)
                return;
            bool windowHidden = true;
            for (QWidget* w : QApplication::topLevelWidgets())
                windowHidden = windowHidden && !(qobject_cast<MainWindow*>(w) && w->isVisible());
            splashShown = appSettings.dialogBitmapId == Pictures::SplashId && windowHidden;
            splash->done(0);
        });
        window = std::make_unique<MainWindow>(layeredSupported);
        window->ShowInitially();
        return *window;
    }

    static void WriteFile(const char* name, const std::string& bytes) {
        std::ofstream(name, std::ios::binary) << bytes;
    }
    static std::string ReadFile(const char* name) {
        std::ifstream in(name, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    QAction* Item(int id) const { return window->Menus()->FindAction(id); }
    QString Label(int id) const { return Item(id)->text(); }
    bool Checked(int id) const { return Item(id)->isChecked(); }

    // The eye of a camera posed at (p, t, u) after it turns by (yaw, pitch).
    static Vertex3D EyeAfter(const Vertex3D& p, const Vertex3D& t, const Vector3D& u, double yaw,
                             double pitch) {
        Camera* const current = currentCamera;
        Camera reference(p.x, p.y, p.z, t.x, t.y, t.z, u.x, u.y, u.z, 1, 1000, 0.4, 0, 0, 1, 1);
        currentCamera = current;
        reference.Rotate(yaw, pitch);
        return reference.GetPosition();
    }
    static Vertex3D EyeAfter(const Camera& camera, double yaw, double pitch) {
        return EyeAfter(camera.GetPosition(), camera.GetTarget(), camera.GetUp(), yaw, pitch);
    }

    std::unique_ptr<MainWindow> window;
    // The last start showed the splash while the main window was still hidden.
    bool splashShown = false;
};
