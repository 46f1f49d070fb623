#include "app/MenuManager.h"
#include "MenuText.h"
#include "app/CommandIds.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <vector>

namespace {

// Every item reports its own identifier, and choosing one changes no mark.
TEST(MenuManagerTest, ChosenItemsReachTheOwnerByIdentifierAndLeaveTheMarksAlone) {
    const std::vector<int> allIds{32771, 32772, 32773, 32774, 32775, 32776, 32777,
                                  32778, 32779, 32781, 32782, 32789, 32790, 32791,
                                  32783, 32784, 32786, 104,   105};
    QWidget owner;
    MenuManager menus(&owner);
    menus.SetLayeredAvailable(true);
    menus.CheckTypeItem(Command::TypeItemForSize(3));
    const QString before = MenuText(menus.Menu());
    std::vector<int> chosen;
    QObject::connect(&menus, &MenuManager::commandChosen, [&](int id) { chosen.push_back(id); });
    for (int id : allIds)
        menus.FindAction(id)->trigger();
    EXPECT_EQ(chosen, allIds);
    EXPECT_EQ(MenuText(menus.Menu()), before);
    chosen.clear();
    menus.SetLayeredAvailable(false); // a greyed item cannot be chosen
    menus.FindAction(Command::Transparent)->trigger();
    EXPECT_TRUE(chosen.empty());
}

} // namespace
