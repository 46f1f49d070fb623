#include "MainWindowTestSupport.h"

#include "app/QtColourEditUi.h"
#include "persist/ColourEditMessages.h"
#include "tests/puzzle/PuzzleTestSupport.h"

#include <QColorDialog>
#include <QMessageBox>

TEST_F(MainWindowTest, SolvingByADragBringsTheBannerOnceHoldingThePuzzleWithTheTicksGoingOn) {
    MainWindow& w = Start();
    w.OnTick();
    // A downward drag cut short by focus loss: the ticks finish its column's turn about X.
    LeftDrag(w, {0, 5}, 8, false);
    w.Input().OnFocusLost();
    Tick(w);
    ASSERT_EQ(w.History()->Count(), 1);
    const MoveRecord down = *w.History()->Newest();
    EXPECT_TRUE(down.axis == 0 && down.positive && w.Puzzle()->CurrentTwist() == nullptr);
    // Saved soon, as is a step back, which stays redoable: a kill would lose nothing.
    const std::string oneMove = "3\r\n0 " + std::to_string(down.layer) + " 1\r\n";
    for (const auto& [key, bytes] : {std::pair{Qt::Key_Shift, oneMove},
                                     {Qt::Key_Home, std::string("3\r\n")},
                                     {Qt::Key_End, oneMove}}) {
        QTest::keyClick(w.View(), key);
        Tick(w);
        EXPECT_TRUE(FileBecomes("history.ini", bytes)) << key;
    }
    // Back two thirds of the way: a tick finishes the twist and opens the banner; ticks go on.
    LeftDrag(w, {0, -5}, 12);
    bool held = false;
    int framesAtOpen = 0;
    ModalWatcher banner(
        [&](QWidget*) {
            held = appSettings.dialogBitmapId == Pictures::CongratulationsId && w.Puzzle()->Hold();
            framesAtOpen = w.FramesPainted();
        },
        [&] { return w.FramesPainted() - framesAtOpen >= 4; });
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return banner.opened == 1 && !QApplication::activeModalWidget(); }));
    EXPECT_GE(w.FramesPainted() - framesAtOpen, 4) << "the ticks stopped under the banner";
    Tick(w);
    EXPECT_TRUE(banner.opened == 1 && held);
    EXPECT_EQ(w.Menus()->Menu()->defaultAction(), w.Menus()->FindAction(Command::Exit));
    EXPECT_EQ(MenuText(w.Menus()->Menu(), false), "Type|Mode|~Graphic Mode|Option|-|About|Exit")
        << "no OpenGL";
    EXPECT_TRUE(!w.Puzzle()->Hold() && appSettings.dialogBitmapId == -1);
    w.OnCommand(Command::Exit);
    EXPECT_EQ(ReadBytes("history.ini"), "3\r\n") << "solved: the history is emptied";
}

// Home and End pressed during a step are carried out in order, no more than there are moves; a
// drag or shuffle drops them. A second button pressed into a twist drag undoes it unrecorded.
TEST_F(MainWindowTest, StepsPressedDuringAStepWaitTheirTurnAndTheSecondButtonUndoesATwist) {
    WriteBytes("history.ini", "3\r\n0 0 1\r\n1 1 1\r\n2 2 0\r\n0 2 1\r\n");
    MainWindow& w = Start();
    const HistoryKeys& kept = w.HistorySteps();
    const auto press = [&](Qt::Key key, bool repeat = false) {
        w.Input().KeyPressed(QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier, QString(), repeat));
        return kept.Count();
    };
    // The first steps at once; a held key's press is not kept; the last would pass the oldest.
    const std::vector<int> counts{
        press(Qt::Key_Home), press(Qt::Key_End),  press(Qt::Key_Home, true), press(Qt::Key_Home),
        press(Qt::Key_Home), press(Qt::Key_Home), press(Qt::Key_Home),       press(Qt::Key_Home)};
    EXPECT_EQ(counts, (std::vector<int>{0, 1, 1, 2, 3, 4, 5, 5}));
    // Carried out in order, each once the step before it has ended.
    for (int i = 0; i < 100 && kept.Count() == 5; ++i)
        w.OnTick();
    EXPECT_EQ(w.History()->AppliedMoves(), 4) << "End is the next";
    Tick(w, 200);
    EXPECT_TRUE(kept.Empty() && w.History()->AppliedMoves() == 0 && w.History()->Count() == 4);
    for (const bool shuffle : {false, true}) {
        const int applied = w.History()->AppliedMoves();
        EXPECT_EQ(press(Qt::Key_End) + press(Qt::Key_End), 1);
        shuffle ? w.OnCommand(Command::Shuffle) : LeftDrag(w, {0, 0}, 0);
        EXPECT_TRUE(kept.Empty() && w.History()->AppliedMoves() == applied + 1) << shuffle;
        Tick(w, 200);
    }
    LeftDrag(w, {3, 0}, 1, false);
    ASSERT_NE(w.Puzzle()->CurrentTwist(), nullptr);
    const ActiveTwist twist = *w.Puzzle()->CurrentTwist();
    const double turned = std::abs(w.Puzzle()->LayerAngle(twist.axis, twist.layer));
    w.Input().OnRightButtonDown(0, 0);
    EXPECT_TRUE(!w.Puzzle()->CurrentTwist() && !w.Puzzle()->LayerAngle(twist.axis, twist.layer));
    // The second button let go and the drag going on: a stroke from rest, not the old one resumed.
    w.Input().OnRightButtonUp();
    w.Input().OnMouseMove(StickerPoint().x() + 4, StickerPoint().y());
    const ActiveTwist* now = w.Puzzle()->CurrentTwist();
    EXPECT_TRUE(!now || std::abs(w.Puzzle()->LayerAngle(now->axis, now->layer)) < turned);
}

// Which colours the editor takes is its own test's; here, clicks reach it and changes stay.
TEST_F(MainWindowTest, AClickInColourEditModeRecoloursTheSideUnderIt) {
    MainWindow& w = Start();
    w.OnTick();
    FakeColourUi ui;
    w.SetColourEditUi(&ui);
    // Space turns the mode on, shown by a cross over the cube; a left drag then only edits.
    QTest::keyClick(w.View(), Qt::Key_Space);
    EXPECT_TRUE(w.View()->cursor().shape() == Qt::CrossCursor && w.windowTitle() == "Mozai");
    ui.answer = [] { return 0x123456; };
    LeftDrag(w, {5, 0}, 24);
    Tick(w);
    EXPECT_EQ(w.History()->Count(), 0);
    // The sticker point lies on the +Z side, slot 5.
    const int side = 5;
    ASSERT_EQ(ui.initials, std::vector<COLORREF>{defaultFaceColours[side]});
    EXPECT_TRUE(faceColours[side] == 0x123456u && StickersOf(*w.Puzzle(), 0x123456) == 9);
    EXPECT_TRUE(FileBecomes("color.ini", "0 33023\r\n1 176\r\n2 13750737\r\n3 8405007\r\n"
                                         "4 40756\r\n5 1193046\r\n"))
        << "saved soon";
    // The tray menu changes the size while the chooser is open: the new cube gets the colour.
    ui.answer = [&w] {
        w.OnCommand(Command::TypeItemForSize(2));
        return 0x222222;
    };
    w.Input().OnLeftButtonDown(StickerPoint().x(), StickerPoint().y());
    EXPECT_TRUE(w.Puzzle()->Size() == 2 && faceColours[side] == 0x222222u &&
                ui.initials.back() == 0x123456u);
    EXPECT_TRUE(StickersOf(*w.Puzzle(), 0x222222) == 4 && ui.errors.empty());
    faceColours[side] = 14540251;
    w.OnCommand(Command::ColorEdit);
    EXPECT_EQ(w.View()->cursor().shape(), Qt::ArrowCursor) << "the cross goes with the mode";
    w.OnCommand(Command::Exit);
    EXPECT_EQ(ReadBytes("color.ini"),
              "0 33023\r\n1 176\r\n2 13750737\r\n3 8405007\r\n4 40756\r\n5 14540251\r\n");
}

// Colours cross as 0x00BBGGRR; the chooser's added colour comes back, chosen or cancelled.
TEST(QtColourEditUiTest, TheChooserCrossesColoursBothWaysAndErrorsAreWarningBoxes) {
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
                QColorDialog::setCustomColor(3, dialog->currentColor()); // the user adds it
                accept ? dialog->accept() : dialog->reject();
            },
            [] { return false; });
        EXPECT_EQ(ui.ChooseColour(0x00123456, custom, chosen), accept);
        EXPECT_EQ(chosen, accept ? 0x003264C8u : 0xABCDEFu) << "a cancel leaves it alone";
        EXPECT_EQ(offered, expected);
        given[3] = 0x003264C8u;
        EXPECT_EQ(custom, given);
    }
    // Errors: warning boxes with the texts whole, Japanese included, as plain text.
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
