#include "app/MenuManager.h"

#include "app/CommandIds.h"

#include <QAction>
#include <QCursor>
#include <QMenu>
#include <QPointer>
#include <QString>
#include <QWidget>

namespace {

constexpr int FirstStartSize = 3;

// Items of "Mode" and "Option" that are addressed by position.
constexpr int StickerOnlyPosition = 0;
constexpr int RegionPosition = 1;
constexpr int TransparentPosition = 2;
constexpr int DemoPosition = 1;

const char* const noTranslucencyTip =
    "Translucency needs a compositing window manager, and none is running";

struct TwoWayLabels {
    int id;
    const char* whenOff;
    const char* whenOn;
};

constexpr TwoWayLabels twoWayLabels[] = {
    {Command::StickerOnly, "Sticker Only", "Normal"},
    {Command::Region, "Region On", "Region Off"},
    {Command::Transparent, "Transparent On", "Transparent Off"},
    {Command::Demo, "Demo On", "Demo Off"},
    {Command::ColorEdit, "Color Edit On", "Color Edit Off"},
};

QString TwoWayLabel(int id, bool state) {
    for (const TwoWayLabels& l : twoWayLabels) {
        if (l.id == id)
            return QString::fromLatin1(state ? l.whenOn : l.whenOff);
    }
    return {};
}

int ModeItemPosition(int id) {
    switch (id) {
    case Command::StickerOnly:
        return StickerOnlyPosition;
    case Command::Region:
        return RegionPosition;
    case Command::Transparent:
        return TransparentPosition;
    default:
        return -1;
    }
}

QAction* ItemAt(const QMenu* popup, int position) {
    if (popup == nullptr)
        return nullptr;
    const QList<QAction*> items = popup->actions();
    if (position < 0 || position >= items.size())
        return nullptr;
    return items[position];
}

QAction* FindIn(const QMenu* popup, int id) {
    for (QAction* item : popup->actions()) {
        if (QMenu* sub = item->menu()) {
            if (QAction* found = FindIn(sub, id))
                return found;
        } else if (!item->isSeparator() && item->data().toInt() == id) {
            return item;
        }
    }
    return nullptr;
}

void SetChecked(QAction* item, bool checked) {
    if (item != nullptr)
        item->setChecked(checked);
}

} // namespace

MenuManager::MenuManager(QWidget* owner)
    : owner(owner), markedType(Command::TypeItemForSize(FirstStartSize)) {
    BuildMenu();
}

MenuManager::~MenuManager() = default;

QAction* MenuManager::AddItem(QMenu* popup, int id, const QString& label, bool checkable) {
    QAction* item = popup->addAction(label);
    item->setData(id);
    item->setCheckable(checkable);
    QPointer<QAction> guard(item);
    connect(item, &QAction::triggered, this, [this, guard, id](bool checked) {
        // Qt flips a checkable item when it is chosen; the marks follow the stored states only.
        if (guard && guard->isCheckable())
            guard->setChecked(!checked);
        emit commandChosen(id);
    });
    return item;
}

void MenuManager::BuildMenu() {
    menu = std::make_unique<QMenu>(QStringLiteral("Menu"));

    QMenu* type = menu->addMenu(QStringLiteral("Type"));
    for (int id = Command::TypeFirst; id <= Command::TypeLast; ++id) {
        const int n = Command::SizeOfTypeItem(id);
        // One-digit sizes carry two leading blanks so the labels line up.
        const QString size = QString::number(n);
        AddItem(type, id, (n < 10 ? QStringLiteral("  ") : QString()) + size + " x " + size, true);
    }

    QMenu* mode = menu->addMenu(QStringLiteral("Mode"));
    AddItem(mode, Command::StickerOnly, QStringLiteral("Sticker Only"), false);
    AddItem(mode, Command::Region, QStringLiteral("Region Off"), false);
    AddItem(mode, Command::Transparent, QStringLiteral("Transparent On"), false);

    QMenu* graphic = menu->addMenu(QStringLiteral("Graphic Mode"));
    AddItem(graphic, Command::DirectX, QStringLiteral("DirectX"), true);
    AddItem(graphic, Command::Gdi, QStringLiteral("GDI"), true);

    QMenu* option = menu->addMenu(QStringLiteral("Option"));
    AddItem(option, Command::Shuffle, QStringLiteral("Shuffle"), false);
    AddItem(option, Command::Demo, QStringLiteral("Demo On"), false);
    AddItem(option, Command::ColorEdit, QStringLiteral("Color Edit"), false);

    menu->addSeparator();
    AddItem(menu.get(), Command::About, QStringLiteral("About"), false);
    AddItem(menu.get(), Command::Exit, QStringLiteral("Exit"), false);

    CheckTypeItem(markedType);
    SetModeItem(Command::StickerOnly, stickerOnly);
    SetModeItem(Command::Region, region);
    SetModeItem(Command::Transparent, transparent);
    SetGraphicItem(false);
    SetDemoItem(demo);
    SetColorEditItem(colorEdit);
    SetBusy(busy);
}

QMenu* MenuManager::SubMenu(int position) const {
    if (!menu)
        return nullptr;
    QAction* entry = ItemAt(menu.get(), position);
    return entry != nullptr ? entry->menu() : nullptr;
}

QAction* MenuManager::FindAction(int id) const {
    return menu ? FindIn(menu.get(), id) : nullptr;
}

void MenuManager::CheckTypeItem(int id) {
    if (QMenu* type = SubMenu(TypePosition)) {
        SetChecked(FindIn(type, markedType), false);
        SetChecked(FindIn(type, id), true);
    }
    markedType = id;
}

void MenuManager::SetModeItem(int id, bool state) {
    const int position = ModeItemPosition(id);
    if (position < 0)
        return;
    if (id == Command::StickerOnly)
        stickerOnly = state;
    else if (id == Command::Region)
        region = state;
    else
        transparent = state;

    QAction* item = ItemAt(SubMenu(ModePosition), position);
    if (item == nullptr)
        return;
    if (id == Command::Transparent && !layeredAvailable) {
        item->setEnabled(false);
        return;
    }
    item->setText(TwoWayLabel(id, state));
}

bool MenuManager::GetModeState(int id) const {
    switch (id) {
    case Command::StickerOnly:
        return stickerOnly;
    case Command::Region:
        return region;
    case Command::Transparent:
        return transparent;
    default:
        return false;
    }
}

void MenuManager::SetGraphicItem(bool direct3DOn) {
    direct3D = direct3DOn;
    if (QMenu* graphic = SubMenu(GraphicPosition)) {
        SetChecked(FindIn(graphic, Command::DirectX), false);
        SetChecked(FindIn(graphic, Command::Gdi), false);
        SetChecked(FindIn(graphic, direct3DOn ? Command::DirectX : Command::Gdi), true);
    }
}

void MenuManager::SetLayeredAvailable(bool available) {
    layeredAvailable = available;
    QMenu* mode = SubMenu(ModePosition);
    if (QAction* item = ItemAt(mode, TransparentPosition)) {
        item->setEnabled(available);
        // A greyed item says nothing by itself of why.
        const QString why = available ? QString() : QString::fromLatin1(noTranslucencyTip);
        item->setToolTip(why);
        item->setStatusTip(why);
        mode->setToolTipsVisible(true);
    }
}

void MenuManager::SetDemoItem(bool on) {
    demo = on;
    if (QAction* item = ItemAt(SubMenu(OptionPosition), DemoPosition))
        item->setText(TwoWayLabel(Command::Demo, on));
}

void MenuManager::SetColorEditItem(bool on) {
    colorEdit = on;
    if (QMenu* option = SubMenu(OptionPosition)) {
        if (QAction* item = FindIn(option, Command::ColorEdit))
            item->setText(TwoWayLabel(Command::ColorEdit, on));
    }
}

void MenuManager::SetBusy(bool isBusy) {
    busy = isBusy;
    if (!menu)
        return;
    for (int position : {TypePosition, ModePosition, GraphicPosition, OptionPosition, AboutPosition,
                         ExitPosition}) {
        if (QAction* entry = ItemAt(menu.get(), position))
            entry->setEnabled(!isBusy);
    }
    menu->setDefaultAction(FindAction(Command::Exit));
}

void MenuManager::GreyTopItem(int position, bool grey) {
    if (QAction* entry = ItemAt(menu.get(), position))
        entry->setEnabled(!grey);
}

void MenuManager::ShowPopup() {
    ShowPopupAt(QCursor::pos());
}

void MenuManager::ShowPopupAt(const QPoint& global) {
    if (owner != nullptr) {
        owner->raise();
        owner->activateWindow();
    }
    if (menu)
        menu->popup(global);
}
