#include "app/MenuManager.h"
#include "app/CommandIds.h"

#include <QAction>
#include <QCursor>
#include <QMenu>
#include <QStringList>
#include <QWidget>

#include <gtest/gtest.h>

#include <vector>

namespace {

const std::vector<int> allIds{32771, 32772, 32773, 32774, 32775, 32776, 32777, 32778, 32779, 32781,
                              32782, 32789, 32790, 32791, 32783, 32784, 32786, 104,   105};

class MenuManagerTest : public ::testing::Test {
protected:
    QAction* Top(int position) const { return menus.Menu()->actions().at(position); }

    // The labels of a popup of "Menu" (of "Menu" itself for -1), checked items marked with "*".
    QStringList Read(int position) const {
        QStringList labels;
        for (const QAction* item : (position < 0 ? menus.Menu() : Top(position)->menu())->actions())
            labels << (item->isSeparator() ? "-" : item->text() + (item->isChecked() ? "*" : ""));
        return labels;
    }

    // The shell's start-up on a first start.
    void StartUp(bool direct3DAvailable) {
        menus.SetModeItem(Command::StickerOnly, false);
        menus.SetModeItem(Command::Region, true);
        menus.SetDemoItem(false);
        if (direct3DAvailable)
            menus.SetGraphicItem(true);
        else
            menus.GreyTopItem(MenuManager::GraphicPosition, true);
        menus.CheckTypeItem(Command::TypeItemForSize(3));
    }

    QWidget owner;
    MenuManager menus{&owner};
};

TEST_F(MenuManagerTest, ReadsAsTheResourceAfterStartUp) {
    menus.SetLayeredAvailable(false);
    StartUp(true);
    EXPECT_EQ(Read(-1),
              QStringList({"Type", "Mode", "Graphic Mode", "Option", "-", "About", "Exit"}));
    EXPECT_EQ(Read(0), QStringList({"  2 x 2", "  3 x 3*", "  4 x 4", "  5 x 5", "  6 x 6",
                                    "  7 x 7", "  8 x 8", "  9 x 9", "10 x 10"}));
    EXPECT_EQ(Read(1), QStringList({"Sticker Only", "Region Off", "Transparent On"}));
    EXPECT_FALSE(menus.FindAction(Command::Transparent)->isEnabled());
    EXPECT_EQ(Read(2), QStringList({"DirectX*", "GDI"}));
    EXPECT_EQ(Read(3), QStringList({"Shuffle", "Demo On", "Color Edit On"}));
    EXPECT_EQ(menus.Menu()->defaultAction(), menus.FindAction(Command::Exit));
    for (int id : allIds)
        EXPECT_EQ(menus.FindAction(id)->data().toInt(), id);
    EXPECT_EQ(menus.FindAction(32785), nullptr);
}

TEST_F(MenuManagerTest, WithoutDirect3DGdiKeepsItsMarkAndGraphicModeIsGreyed) {
    StartUp(false);
    EXPECT_EQ(Read(2), QStringList({"DirectX", "GDI*"}));
    EXPECT_FALSE(Top(MenuManager::GraphicPosition)->isEnabled());
    EXPECT_FALSE(menus.GetGraphicState());
}

TEST_F(MenuManagerTest, TwoWayItemsNameTheNextAction) {
    menus.SetLayeredAvailable(true);
    for (bool state : {true, false, true}) {
        for (int id : {Command::StickerOnly, Command::Region, Command::Transparent})
            menus.SetModeItem(id, state);
        menus.SetDemoItem(state);
        menus.SetColorEditItem(state);
        if (state) {
            EXPECT_EQ(Read(1), QStringList({"Normal", "Region Off", "Transparent Off"}));
            EXPECT_EQ(Read(3), QStringList({"Shuffle", "Demo Off", "Color Edit Off"}));
        } else {
            EXPECT_EQ(Read(1), QStringList({"Sticker Only", "Region On", "Transparent On"}));
            EXPECT_EQ(Read(3), QStringList({"Shuffle", "Demo On", "Color Edit On"}));
        }
        for (int id : {Command::StickerOnly, Command::Region, Command::Transparent})
            EXPECT_EQ(menus.GetModeState(id), state);
        EXPECT_EQ(menus.GetDemoState(), state);
        EXPECT_EQ(menus.GetColorEditState(), state);
    }
    menus.SetModeItem(Command::Shuffle, false); // not a Mode item: nothing happens
    EXPECT_EQ(Read(1), QStringList({"Normal", "Region Off", "Transparent Off"}));
    EXPECT_FALSE(menus.GetModeState(Command::Demo));
}

TEST_F(MenuManagerTest, TransparencyWithoutLayeredWindowsIsStoredButOnlyGreyed) {
    menus.SetLayeredAvailable(false);
    menus.SetModeItem(Command::Transparent, true);
    EXPECT_TRUE(menus.GetModeState(Command::Transparent));
    EXPECT_EQ(Read(1).at(2), "Transparent On");
    menus.SetLayeredAvailable(true);
    EXPECT_TRUE(menus.FindAction(Command::Transparent)->isEnabled());
}

TEST_F(MenuManagerTest, CheckTypeItemMovesTheSingleMark) {
    StartUp(true);
    menus.CheckTypeItem(Command::TypeLast);
    StartUp(true); // a restart marks the size again; the previous mark goes
    menus.CheckTypeItem(Command::TypeItemForSize(5));
    EXPECT_EQ(Read(0).filter("*"), QStringList({"  5 x 5*"}));
}

TEST_F(MenuManagerTest, BusyGreysEveryEntryAndKeepsExitDefault) {
    StartUp(false);
    menus.SetBusy(true);
    for (int position : {0, 1, 2, 3, 5, 6})
        EXPECT_FALSE(Top(position)->isEnabled()) << position;
    EXPECT_EQ(menus.Menu()->defaultAction(), menus.FindAction(Command::Exit));

    menus.SetBusy(false);
    menus.GreyTopItem(MenuManager::GraphicPosition, true); // as after the congratulations
    menus.GreyTopItem(7, true);                            // no such entry
    for (int position : {0, 1, 3, 5, 6})
        EXPECT_TRUE(Top(position)->isEnabled()) << position;
    EXPECT_FALSE(Top(MenuManager::GraphicPosition)->isEnabled());
    EXPECT_EQ(menus.Menu()->defaultAction(), menus.FindAction(Command::Exit));
}

TEST_F(MenuManagerTest, ChosenItemsReachTheOwnerAndLeaveTheMarksAlone) {
    menus.SetLayeredAvailable(true);
    StartUp(true);
    std::vector<int> chosen;
    QObject::connect(&menus, &MenuManager::commandChosen, [&](int id) { chosen.push_back(id); });
    for (int id : allIds)
        menus.FindAction(id)->trigger();
    EXPECT_EQ(chosen, allIds);
    EXPECT_EQ(Read(0).filter("*"), QStringList({"  3 x 3*"}));
    EXPECT_EQ(Read(2), QStringList({"DirectX*", "GDI"}));

    chosen.clear();
    menus.SetLayeredAvailable(false); // a greyed item cannot be chosen
    menus.FindAction(Command::Transparent)->trigger();
    EXPECT_TRUE(chosen.empty());
}

TEST_F(MenuManagerTest, RebuildingKeepsTheStoredStates) {
    menus.SetModeItem(Command::Region, false);
    menus.SetDemoItem(true);
    menus.CheckTypeItem(Command::TypeItemForSize(7));
    menus.SetBusy(true);
    menus.BuildMenu();
    EXPECT_EQ(Read(1).at(1), "Region On");
    EXPECT_EQ(Read(3).at(1), "Demo Off");
    EXPECT_EQ(Read(0).filter("*"), QStringList({"  7 x 7*"}));
    EXPECT_FALSE(Top(0)->isEnabled());
}

TEST_F(MenuManagerTest, PopupOpensAtTheCursor) {
    QCursor::setPos(120, 90);
    menus.ShowPopup();
    EXPECT_TRUE(menus.Menu()->isVisible());
    EXPECT_EQ(menus.Menu()->pos(), QCursor::pos());
    menus.Menu()->hide();
}

} // namespace
