#include "app/QtColourEditUi.h"
#include "ModalWatcher.h"
#include "persist/ColourEditMessages.h"

#include <QColorDialog>
#include <QMessageBox>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

TEST(QtColourEditUiTest, ChooserStartsAtThePickedColourAndHandsBackTheCustomColours) {
    QWidget owner;
    QtColourEditUi ui(&owner);
    for (bool accept : {true, false}) {
        ColourEditUi::CustomColours custom{}, given{};
        for (int i = 0; i < 16; ++i)
            given[i] = custom[i] = 0x00010203u * static_cast<COLORREF>(i + 1); // all distinct
        COLORREF chosen = 0xABCDEF;
        QColorDialog* dialog = nullptr;
        QList<QRgb> offered;
        ModalWatcher watcher(
            [&](QWidget* modal) {
                dialog = qobject_cast<QColorDialog*>(modal);
                for (int i = 0; dialog != nullptr && i < 16; ++i)
                    offered << QColorDialog::customColor(i).rgb();
                ASSERT_TRUE(dialog && dialog->testOption(QColorDialog::DontUseNativeDialog));
                EXPECT_EQ(dialog->currentColor(), QColor(0x56, 0x34, 0x12)); // 0x00BBGGRR
                EXPECT_EQ(dialog->parentWidget(), &owner);
                dialog->setCurrentColor(QColor(200, 100, 50));
                for (QPushButton* button : dialog->findChildren<QPushButton*>())
                    if (button->text().contains("Custom"))
                        button->click(); // "Add to Custom Colors"
                accept ? dialog->accept() : dialog->reject();
            },
            2000);
        EXPECT_EQ(ui.ChooseColour(0x00123456, custom, chosen), accept);
        EXPECT_EQ(chosen, accept ? 0x003264C8u : 0xABCDEFu) << "a cancel leaves it alone";
        for (int i = 0; i < 16 && offered.size() == 16; ++i)
            EXPECT_EQ(offered[i], qRgb(given[i] & 0xFF, (given[i] >> 8) & 0xFF, given[i] >> 16));
        // The added colour comes back whether the user chose or cancelled.
        int added = 0, kept = 0;
        for (int i = 0; i < 16; ++i) {
            added += custom[i] == 0x003264C8u;
            kept += custom[i] == given[i];
        }
        EXPECT_TRUE(offered.size() == 16 && added == 1 && kept == 15) << accept;
    }
}

TEST(QtColourEditUiTest, ErrorsAreWarningBoxesOwnedByTheMainWindowWithTheExactText) {
    QWidget owner;
    QtColourEditUi ui(&owner);
    const std::pair<const char*, const char*> messages[] = {
        {invalidColoursMessage, "The color informations are invalid.\n Please delete \"color.ini\" "
                                "'色情報が不正です \"color.ini\" を削除してください'"},
        {sameColourMessage,
         "The same color as other surfaces can't be set.\n '複数面に同一色は選択できません'"},
        {blackColourMessage, "Black color cannot be set.\n '黒は選択できません'"}};
    for (const auto& [text, shown] : messages) {
        QStringList seen;
        ModalWatcher watcher([&](QWidget* modal) {
            if (auto* box = qobject_cast<QMessageBox*>(modal))
                seen << box->windowTitle() << box->text()
                     << QString::number(box->icon() == QMessageBox::Warning &&
                                        box->standardButtons() == QMessageBox::Ok &&
                                        box->parentWidget() == &owner);
        });
        ui.ShowError(text);
        EXPECT_EQ(seen, QStringList({"Color Setting Error", QString::fromUtf8(shown), "1"}));
    }
}

} // namespace
