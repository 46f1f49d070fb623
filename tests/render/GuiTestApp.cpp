#include "GuiTestApp.h"

#include <QFile>
#include <cstdio>
#include <cstdlib>

void GuiTestApp::SetUp() {
    const QByteArray displayFile = qgetenv("MOZAI_TEST_DISPLAY_FILE");
    if (!displayFile.isEmpty()) {
        QFile file(QString::fromLocal8Bit(displayFile));
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "no X server: cannot read %s\n", displayFile.constData());
            std::exit(1);
        }
        qputenv("DISPLAY", file.readAll().trimmed());
    }
    app = std::make_unique<QApplication>(argc, argv);
}

void GuiTestApp::TearDown() {
    app.reset();
}

namespace {
[[maybe_unused]] ::testing::Environment* const guiTestApp =
    ::testing::AddGlobalTestEnvironment(new GuiTestApp);
} // namespace
