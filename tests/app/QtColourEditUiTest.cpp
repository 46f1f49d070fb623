#include "app/QtColourEditUi.h"
#include "persist/ColourEditMessages.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Once the event loop of the next modal dialog runs, hands it to `act` if it is a T, and
// otherwise closes it so that a wrong dialog cannot hang the test. Sets `found`.
template <typename T> void WhenModal(bool& found, std::function<void(T&)> act) {
    found = false;
    QTimer::singleShot(0, [&found, act] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<T*>(modal)) {
            found = true;
            act(*dialog);
        } else if (modal != nullptr) {
            modal->close();
        }
    });
}

TEST(QtColourEditUiTest, ChooserStartsAtThePickedColourAndHandsBackTheCustomColours) {
    QWidget owner;
    QtColourEditUi ui(&owner);
    for (bool accept : {true, false}) {
        ColourEditUi::CustomColours custom{};
        for (int i = 0; i < 16; ++i) {
            custom[i] = 0x00010203u * static_cast<COLORREF>(i + 1); // all distinct
        }
        const auto given = custom;
        COLORREF chosen = 0xABCDEF;
        bool found;
        WhenModal<QColorDialog>(found, [&](QColorDialog& d) {
            EXPECT_EQ(d.currentColor(), QColor(0x56, 0x34, 0x12)); // 0x00BBGGRR
            EXPECT_TRUE(d.testOption(QColorDialog::DontUseNativeDialog));
            EXPECT_EQ(d.parentWidget(), &owner);
            for (int i = 0; i < 16; ++i) {
                EXPECT_EQ(QColorDialog::customColor(i).rgb(),
                          qRgb(given[i] & 0xFF, (given[i] >> 8) & 0xFF, given[i] >> 16));
            }
            d.setCurrentColor(QColor(200, 100, 50));
            for (QPushButton* button : d.findChildren<QPushButton*>()) {
                if (button->text().contains("Custom")) {
                    button->click(); // "Add to Custom Colors"
                }
            }
            accept ? d.accept() : d.reject();
        });
        EXPECT_EQ(ui.ChooseColour(0x00123456, custom, chosen), accept);
        EXPECT_TRUE(found);
        EXPECT_EQ(chosen, accept ? 0x003264C8u : 0xABCDEFu) << "a cancel leaves it alone";
        // The added colour comes back whether the user chose or cancelled.
        int added = 0, kept = 0;
        for (int i = 0; i < 16; ++i) {
            added += custom[i] == 0x003264C8u;
            kept += custom[i] == given[i];
        }
        EXPECT_EQ(added, 1) << accept;
        EXPECT_EQ(kept, 15) << accept;
    }
}

TEST(QtColourEditUiTest, ErrorsAreWarningBoxesOwnedByTheMainWindowWithTheExactText) {
    QWidget owner;
    QtColourEditUi ui(&owner);
    for (const char* text : {invalidColoursMessage, sameColourMessage, blackColourMessage}) {
        bool found;
        WhenModal<QMessageBox>(found, [&](QMessageBox& box) {
            EXPECT_EQ(box.windowTitle(), "Color Setting Error");
            EXPECT_EQ(box.icon(), QMessageBox::Warning);
            EXPECT_EQ(box.text(), QString::fromUtf8(text));
            EXPECT_EQ(box.textFormat(), Qt::PlainText);
            EXPECT_EQ(box.standardButtons(), QMessageBox::Ok);
            EXPECT_EQ(box.parentWidget(), &owner);
            box.button(QMessageBox::Ok)->click();
        });
        ui.ShowError(text);
        EXPECT_TRUE(found);
    }
    EXPECT_TRUE(
        QString::fromUtf8(blackColourMessage).endsWith(QStringLiteral("'黒は選択できません'")));
}

} // namespace
