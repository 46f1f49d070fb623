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

    // The shell's start-up calls on a first start with Direct3D.
    void StartUp() {
        menus.SetModeItem(Command::StickerOnly, false);
        menus.SetModeItem(Command::Region, true);
        menus.SetDemoItem(false);
        menus.SetGraphicItem(true);
        menus.CheckTypeItem(Command::TypeItemForSize(3));
    }

    QWidget owner;
    MenuManager menus{&owner};
};

TEST_F(MenuManagerTest, ReadsAsTheResourceAfterStartUp) {
    menus.SetLayeredAvailable(false);
    StartUp();
    EXPECT_EQ(Read(-1),
              QStringList({"Type", "Mode", "Graphic Mode", "Option", "-", "About", "Exit"}));
    EXPECT_EQ(Read(0), QStringList({"  2 x 2", "  3 x 3*", "  4 x 4", "  5 x 5", "  6 x 6",
                                    "  7 x 7", "  8 x 8", "  9 x 9", "10 x 10"}));
    EXPECT_EQ(Read(1), QStringList({"Sticker Only", "Region Off", "Transparent On"}));
    EXPECT_FALSE(menus.FindAction(Command::Transparent)->isEnabled());
    EXPECT_EQ(Read(2), QStringList({"DirectX*", "GDI"}));
    EXPECT_EQ(Read(3), QStringList({"Shuffle", "Demo On", "Color Edit On"}));
    EXPECT_EQ(menus.Menu()->defaultAction(), menus.FindAction(Command::Exit));
    EXPECT_EQ(menus.FindAction(32785), nullptr);
}

TEST_F(MenuManagerTest, TwoWayItemsNameTheNextAction) {
    menus.SetLayeredAvailable(true);
    for (bool state : {true, false, true}) {
        for (int id : {Command::StickerOnly, Command::Region, Command::Transparent})
            menus.SetModeItem(id, state);
        menus.SetDemoItem(state);
        menus.SetColorEditItem(state);
        EXPECT_EQ(Read(1) + Read(3),
                  state ? QStringList({"Normal", "Region Off", "Transparent Off", "Shuffle",
                                       "Demo Off", "Color Edit Off"})
                        : QStringList({"Sticker Only", "Region On", "Transparent On", "Shuffle",
                                       "Demo On", "Color Edit On"}));
        EXPECT_EQ(std::vector<bool>({menus.GetModeState(Command::StickerOnly),
                                     menus.GetModeState(Command::Region),
                                     menus.GetModeState(Command::Transparent), menus.GetDemoState(),
                                     menus.GetColorEditState()}),
                  std::vector<bool>(5, state));
    }
    menus.SetModeItem(Command::Shuffle, false); // not a Mode item: nothing happens
    EXPECT_EQ(Read(1), QStringList({"Normal", "Region Off", "Transparent Off"}));
    menus.GreyTopItem(7, true); // no such entry
}

TEST_F(MenuManagerTest, CheckTypeItemMovesTheSingleMark) {
    StartUp();
    menus.CheckTypeItem(Command::TypeLast);
    StartUp(); // a restart marks the size again; the previous mark goes
    menus.CheckTypeItem(Command::TypeItemForSize(5));
    EXPECT_EQ(Read(0).filter("*"), QStringList({"  5 x 5*"}));
}

TEST_F(MenuManagerTest, ChosenItemsReachTheOwnerAndLeaveTheMarksAlone) {
    menus.SetLayeredAvailable(true);
    StartUp();
    std::vector<int> chosen;
    QObject::connect(&menus, &MenuManager::commandChosen, [&](int id) { chosen.push_back(id); });
    for (int id : allIds)
        menus.FindAction(id)->trigger();
    EXPECT_EQ(chosen, allIds);
    EXPECT_EQ(Read(0).filter("*") + Read(2), QStringList({"  3 x 3*", "DirectX*", "GDI"}));
    chosen.clear();
    menus.SetLayeredAvailable(false); // a greyed item cannot be chosen
    menus.FindAction(Command::Transparent)->trigger();
    EXPECT_TRUE(chosen.empty());
}

TEST_F(MenuManagerTest, PopupOpensAtTheCursor) {
    QCursor::setPos(120, 90);
    menus.ShowPopup();
    EXPECT_TRUE(menus.Menu()->isVisible());
    EXPECT_EQ(menus.Menu()->pos(), QCursor::pos());
    menus.Menu()->hide();
}

} // namespace
