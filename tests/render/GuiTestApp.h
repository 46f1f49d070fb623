#pragma once

#include <QApplication>
#include <QFile>
#include <gtest/gtest.h>
#include <memory>

// The QApplication the tests of one executable share. With MOZAI_TEST_DISPLAY_FILE set (the X11
// tests), DISPLAY is read from that file first: the suite's Xvfb picks its display when it starts.
class GuiTestApp : public ::testing::Environment {
public:
    void SetUp() override {
        if (qEnvironmentVariableIsSet("MOZAI_TEST_DISPLAY_FILE")) {
            QFile file(qEnvironmentVariable("MOZAI_TEST_DISPLAY_FILE"));
            ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << "the suite's Xvfb is not running";
            qputenv("DISPLAY", file.readAll().trimmed());
        }
        app = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { app.reset(); }

private:
    int argc = 1;
    char name[9] = "gui-test";
    char* argv[2] = {name, nullptr};
    std::unique_ptr<QApplication> app;
};

inline ::testing::Environment* const guiTestApp =
    ::testing::AddGlobalTestEnvironment(new GuiTestApp);
