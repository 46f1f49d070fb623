#include "app/Pictures.h"

#include <QString>

// Pictures live in a static library, whose resource initialiser is linked in only when
// something names it. (Q_INIT_RESOURCE cannot be used inside a namespace.)
static void EnsureResources() {
    static const bool loaded = [] {
        Q_INIT_RESOURCE(mozai);
        return true;
    }();
    (void)loaded;
}

namespace {

QImage Load(const char* path) {
    EnsureResources();
    return QImage(QString::fromLatin1(path));
}

} // namespace

QImage Pictures::Splash() {
    return Load(":/pictures/splash.png");
}

QImage Pictures::Congratulations() {
    return Load(":/pictures/congratulations.png");
}

QImage Pictures::BitmapById(int id) {
    switch (id) {
    case SplashId:
        return Splash();
    case CongratulationsId:
        return Congratulations();
    default:
        return {};
    }
}

QIcon Pictures::ProgramIcon() {
    EnsureResources();
    QIcon icon;
    icon.addFile(QStringLiteral(":/pictures/icon32.png"));
    icon.addFile(QStringLiteral(":/pictures/icon64.png"));
    return icon;
}
