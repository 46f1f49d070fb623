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

// Runs `act` on the first modal dialog of type T once it is up; gives up after 5 s (the
// dialog is then rejected and `found` stays false).
template <typename T> class WhenModal {
public:
    explicit WhenModal(std::function<void(T&)> act) : act(std::move(act)) {
        poll.setInterval(10);
        QObject::connect(&poll, &QTimer::timeout, [this] {
            if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
                poll.stop();
                found = true;
                this->act(*dialog);
            } else if (++polls > 500) {
                poll.stop();
                if (QWidget* stuck = QApplication::activeModalWidget()) {
                    stuck->close();
                }
            }
        });
        poll.start();
    }
    bool found = false;

private:
    std::function<void(T&)> act;
    QTimer poll;
    int polls = 0;
};

ColourEditUi::CustomColours SomeCustomColours() {
    ColourEditUi::CustomColours custom{};
    for (int i = 0; i < 16; ++i) {
        custom[i] = 0x00010203u * static_cast<COLORREF>(i + 1); // 0x00BBGGRR, all distinct
    }
    return custom;
}

TEST(QtColourEditUiTest, TheChooserStartsAtThePickedColourOfferingTheCustomColours) {
    QWidget owner;
    QtColourEditUi ui(&owner);
    auto custom = SomeCustomColours();
    const auto given = custom;
    COLORREF chosen = 0;
    WhenModal<QColorDialog> user([&](QColorDialog& d) {
        EXPECT_EQ(d.currentColor(), QColor(0x56, 0x34, 0x12)); // 0x00123456 is blue 0x12
        EXPECT_TRUE(d.testOption(QColorDialog::DontUseNativeDialog));
        EXPECT_EQ(d.parentWidget(), &owner);
        for (int i = 0; i < 16; ++i) {
            EXPECT_EQ(QColorDialog::customColor(i).rgb(),
                      qRgb(given[i] & 0xFF, (given[i] >> 8) & 0xFF, given[i] >> 16))
                << i;
        }
        d.setCurrentColor(QColor(10, 20, 30));
        d.accept();
    });
    EXPECT_TRUE(ui.ChooseColour(0x00123456, custom, chosen));
    EXPECT_TRUE(user.found);
    EXPECT_EQ(chosen, 0x001E140Au);
    EXPECT_EQ(custom, given);
}

TEST(QtColourEditUiTest, CustomColoursTheUserAddsComeBackEvenWhenHeCancels) {
    QtColourEditUi ui(nullptr);
    for (bool accept : {true, false}) {
        auto custom = SomeCustomColours();
        const auto given = custom;
        COLORREF chosen = 0xABCDEF;
        WhenModal<QColorDialog> user([&](QColorDialog& d) {
            d.setCurrentColor(QColor(200, 100, 50));
            for (QPushButton* button : d.findChildren<QPushButton*>()) {
                if (button->text().contains("Custom")) {
                    button->click(); // "Add to Custom Colors"
                }
            }
            accept ? d.accept() : d.reject();
        });
        EXPECT_EQ(ui.ChooseColour(0x00FF0000, custom, chosen), accept);
        EXPECT_TRUE(user.found);
        EXPECT_EQ(chosen, accept ? 0x003264C8u : 0xABCDEFu) << "a cancel leaves `chosen` alone";
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
        WhenModal<QMessageBox> user([&](QMessageBox& box) {
            EXPECT_EQ(box.windowTitle(), "Color Setting Error");
            EXPECT_EQ(box.icon(), QMessageBox::Warning);
            EXPECT_EQ(box.text(), QString::fromUtf8(text));
            EXPECT_EQ(box.textFormat(), Qt::PlainText);
            EXPECT_EQ(box.standardButtons(), QMessageBox::Ok);
            EXPECT_EQ(box.parentWidget(), &owner);
            box.button(QMessageBox::Ok)->click();
        });
        ui.ShowError(text);
        EXPECT_TRUE(user.found);
    }
    // The Japanese survives as characters, not bytes.
    EXPECT_TRUE(
        QString::fromUtf8(blackColourMessage).endsWith(QStringLiteral("'黒は選択できません'")));
}

} // namespace
