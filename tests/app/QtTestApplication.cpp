// One QApplication for all tests of an executable.

#include <QApplication>

#include <gtest/gtest.h>

#include <memory>

namespace {

class QtTestApplication : public ::testing::Environment {
    void SetUp() override { app = std::make_unique<QApplication>(argc, argv); }
    void TearDown() override { app.reset(); }

    int argc = 1;
    char name[16] = "mozai-app-test";
    char* argv[2] = {name, nullptr};
    std::unique_ptr<QApplication> app;
};

[[maybe_unused]] ::testing::Environment* const registered =
    ::testing::AddGlobalTestEnvironment(new QtTestApplication);

} // namespace
