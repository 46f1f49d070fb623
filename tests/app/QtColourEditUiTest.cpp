#include "app/QtColourEditUi.h"
#include "ModalWatcher.h"
#include "persist/ColourEditMessages.h"

#include <QColorDialog>
#include <QMessageBox>
#include <QPushButton>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// Colours cross as 0x00BBGGRR; the colour added in the chooser comes back whether the user chose
// or cancelled.
TEST(QtColourEditUiTest, ChooserStartsAtThePickedColourAndHandsBackTheCustomColours) {
    QWidget owner;
    QtColourEditUi ui(&owner);
    for (bool accept : {true, false}) {
        SCOPED_TRACE(accept ? "chosen" : "cancelled");
        ColourEditUi::CustomColours custom{}, given{};
        QList<QRgb> offered, expected;
        for (int i = 0; i < 16; ++i) {
            given[i] = custom[i] = 0x00010203u * static_cast<COLORREF>(i + 1); // all distinct
            expected << qRgb(given[i] & 0xFF, (given[i] >> 8) & 0xFF, given[i] >> 16);
        }
        COLORREF chosen = 0xABCDEF;
        ModalWatcher watcher(
            [&](QWidget* modal) {
                auto* dialog = qobject_cast<QColorDialog*>(modal);
                ASSERT_TRUE(dialog && dialog->testOption(QColorDialog::DontUseNativeDialog));
                for (int i = 0; i < 16; ++i)
                    offered << QColorDialog::customColor(i).rgb();
                EXPECT_TRUE(dialog->currentColor() == QColor(0x56, 0x34, 0x12) &&
                            dialog->parentWidget() == &owner);
                dialog->setCurrentColor(QColor(200, 100, 50));
                for (QPushButton* button : dialog->findChildren<QPushButton*>())
                    if (button->text().contains("Custom"))
                        button->click(); // "Add to Custom Colors"
                accept ? dialog->accept() : dialog->reject();
            },
            2000);
        EXPECT_EQ(ui.ChooseColour(0x00123456, custom, chosen), accept);
        EXPECT_EQ(chosen, accept ? 0x003264C8u : 0xABCDEFu) << "a cancel leaves it alone";
        EXPECT_EQ(offered, expected);
        const auto added = std::find(custom.begin(), custom.end(), 0x003264C8u);
        ASSERT_NE(added, custom.end());
        *added = given[added - custom.begin()];
        EXPECT_EQ(custom, given) << "the others are kept";
    }
}

// The texts arrive whole, Japanese included, as plain text.
TEST(QtColourEditUiTest, ErrorsAreWarningBoxesOwnedByTheMainWindowWithTheExactText) {
    QWidget owner;
    QtColourEditUi ui(&owner);
    for (const char* text : {invalidColoursMessage, sameColourMessage, blackColourMessage}) {
        QStringList seen;
        ModalWatcher watcher([&](QWidget* modal) {
            if (auto* box = qobject_cast<QMessageBox*>(modal))
                seen << box->windowTitle() << box->text()
                     << QString::number(box->icon() == QMessageBox::Warning &&
                                        box->standardButtons() == QMessageBox::Ok &&
                                        box->textFormat() == Qt::PlainText &&
                                        box->parentWidget() == &owner);
        });
        ui.ShowError(text);
        EXPECT_EQ(seen, QStringList({"Color Setting Error", QString::fromUtf8(text), "1"}));
    }
}

} // namespace
