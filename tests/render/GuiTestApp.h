#pragma once

#include <QApplication>
#include <gtest/gtest.h>
#include <memory>

// The QApplication the tests of one executable share, created before the first test.
// With MOZAI_TEST_DISPLAY_FILE set (the X11 tests), DISPLAY is read from that file first: the
// suite's private Xvfb picks its display number when it starts.
class GuiTestApp : public ::testing::Environment {
public:
    void SetUp() override;
    void TearDown() override;

private:
    int argc = 1;
    char name[9] = "gui-test";
    char* argv[2] = {name, nullptr};
    std::unique_ptr<QApplication> app;
};
