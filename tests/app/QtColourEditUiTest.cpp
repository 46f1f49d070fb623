#include "app/QtColourEditUi.h"
#include "ModalWatcher.h"
#include "persist/ColourEditMessages.h"

#include <QAbstractButton>
#include <QColorDialog>
#include <QMessageBox>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

TEST(QtColourEditUiTest, ChooserStartsAtThePickedColourAndHandsBackTheCustomColours) {
    QWidget owner;
    QtColourEditUi ui(&owner);
    for (bool accept : {true, false}) {
        ColourEditUi::CustomColours custom{};
        for (int i = 0; i < 16; ++i)
            custom[i] = 0x00010203u * static_cast<COLORREF>(i + 1); // all distinct
        const auto given = custom;
        COLORREF chosen = 0xABCDEF;
        bool found = false;
        ModalWatcher watcher(
            [&](QWidget* modal) {
                auto* d = qobject_cast<QColorDialog*>(modal);
                found = d != nullptr;
                if (!found)
                    return;
                EXPECT_EQ(d->currentColor(), QColor(0x56, 0x34, 0x12)); // 0x00BBGGRR
                EXPECT_TRUE(d->testOption(QColorDialog::DontUseNativeDialog));
                EXPECT_EQ(d->parentWidget(), &owner);
                for (int i = 0; i < 16; ++i)
                    EXPECT_EQ(QColorDialog::customColor(i).rgb(),
                              qRgb(given[i] & 0xFF, (given[i] >> 8) & 0xFF, given[i] >> 16));
                d->setCurrentColor(QColor(200, 100, 50));
                for (QPushButton* button : d->findChildren<QPushButton*>())
                    if (button->text().contains("Custom"))
                        button->click(); // "Add to Custom Colors"
                accept ? d->accept() : d->reject();
            },
            2000);
        EXPECT_EQ(ui.ChooseColour(0x00123456, custom, chosen), accept);
        EXPECT_TRUE(found);
        EXPECT_EQ(chosen, accept ? 0x003264C8u : 0xABCDEFu) << "a cancel leaves it alone";
        // The added colour comes back whether the user chose or cancelled.
        int added = 0, kept = 0;
        for (int i = 0; i < 16; ++i) {
            added += custom[i] == 0x003264C8u;
            kept += custom[i] == given[i];
        }
        EXPECT_TRUE(added == 1 && kept == 15) << accept;
    }
}

TEST(QtColourEditUiTest, ErrorsAreWarningBoxesOwnedByTheMainWindowWithTheExactText) {
    QWidget owner;
    QtColourEditUi ui(&owner);
    for (const char* text : {invalidColoursMessage, sameColourMessage, blackColourMessage}) {
        bool found = false;
        ModalWatcher watcher(
            [&](QWidget* modal) {
                auto* box = qobject_cast<QMessageBox*>(modal);
                found = box != nullptr;
                if (!found)
                    return;
                EXPECT_EQ(box->windowTitle(), "Color Setting Error");
                EXPECT_EQ(box->icon(), QMessageBox::Warning);
                EXPECT_EQ(box->text(), QString::fromUtf8(text));
                EXPECT_EQ(box->textFormat(), Qt::PlainText);
                EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
                EXPECT_EQ(box->parentWidget(), &owner);
                box->button(QMessageBox::Ok)->click();
            },
            2000);
        ui.ShowError(text);
        EXPECT_TRUE(found);
    }
    EXPECT_TRUE(
        QString::fromUtf8(blackColourMessage).endsWith(QStringLiteral("'黒は選択できません'")));
}

} // namespace
