#include "app/AboutDialog.h"

#include "app/Pictures.h"
#include "app/Version.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace {

constexpr int IconSize = 32;

} // namespace

AboutDialog::AboutDialog(QWidget* owner) : QDialog(owner) {
    setWindowTitle(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
    setModal(true);

    const QIcon icon = Pictures::ProgramIcon();
    setWindowIcon(icon);
    auto* picture = new QLabel(this);
    picture->setPixmap(icon.pixmap(IconSize, IconSize));

    auto* name = new QLabel(QStringLiteral("Mozai Version ") + QLatin1String(ProductVersion), this);
    name->setTextFormat(Qt::PlainText);
    auto* line = new QLabel(QStringLiteral("A twisty cube for the desktop"), this);
    line->setTextFormat(Qt::PlainText);

    okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    layout->addWidget(picture, 0, 0, 2, 1, Qt::AlignTop);
    layout->addWidget(name, 0, 1);
    layout->addWidget(line, 1, 1);
    layout->addWidget(okButton, 0, 2, Qt::AlignTop);
    layout->setColumnStretch(1, 1);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    okButton->setFocus();
}
