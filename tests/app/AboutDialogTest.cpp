#include "app/AboutDialog.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

TEST(AboutDialogTest, ShowsCaptionNameVersionAndIcon) {
    AboutDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("ﾊﾞｰｼﾞｮﾝ情報"));
    EXPECT_TRUE(dialog.OkButton()->text() == "OK" && dialog.OkButton()->isDefault());
    bool version = false, icon = false;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        version |= label->text() == "Mozai Version 2.10";
        icon |= !label->pixmap().isNull();
    }
    EXPECT_TRUE(version && icon);
}

TEST(AboutDialogTest, ClosesByOkEnterEscapeAndTheCloseBox) {
    const auto press = [](QDialog& d, Qt::Key key) {
        QTest::keyClick(d.focusWidget() != nullptr ? d.focusWidget() : &d, key);
    };
    const std::pair<std::function<void(AboutDialog&)>, int> ways[] = {
        {[](AboutDialog& d) { d.OkButton()->click(); }, QDialog::Accepted},
        {[&](AboutDialog& d) { press(d, Qt::Key_Return); }, QDialog::Accepted},
        {[&](AboutDialog& d) { press(d, Qt::Key_Escape); }, QDialog::Rejected},
        {[](AboutDialog& d) { d.close(); }, QDialog::Rejected}};
    for (const auto& [close, result] : ways) {
        AboutDialog dialog;
        QTimer::singleShot(0, &dialog, [&] { close(dialog); });
        QTimer::singleShot(2000, &dialog, [&] { dialog.done(99); }); // not closed
        EXPECT_EQ(dialog.exec(), result);
    }
}

} // namespace
