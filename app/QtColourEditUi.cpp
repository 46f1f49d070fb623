#include "app/QtColourEditUi.h"

#include "persist/ColourEditMessages.h"
#include "render/ColourConversion.h"

#include <QColorDialog>
#include <QMessageBox>
#include <QString>

QtColourEditUi::QtColourEditUi(QWidget* owner) : owner(owner) {}

bool QtColourEditUi::ChooseColour(COLORREF initial, CustomColours& custom, COLORREF& chosen) {
    for (int i = 0; i < static_cast<int>(custom.size()); ++i) {
        QColorDialog::setCustomColor(i, ToQColor(custom[i]));
    }
    QColorDialog dialog(ToQColor(initial), owner);
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    for (int i = 0; i < static_cast<int>(custom.size()); ++i) {
        custom[i] = FromQRgb(QColorDialog::customColor(i).rgb());
    }
    if (accepted) {
        chosen = FromQRgb(dialog.selectedColor().rgb());
    }
    return accepted;
}

void QtColourEditUi::ShowError(const char* text) {
    QMessageBox box(QMessageBox::Warning, QString::fromUtf8(colourErrorCaption),
                    QString::fromUtf8(text), QMessageBox::Ok, owner);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}
