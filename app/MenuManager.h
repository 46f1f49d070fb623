#pragma once

#include <QObject>

#include <memory>

class QAction;
class QPoint;
class QMenu;
class QString;
class QWidget;

// Owns the one command menu "Menu" (shown on the menu bar in framed mode and as the tray popup
// otherwise), keeps the state behind each two-way item and shows it as the item's label, which
// names the action the item will perform next. A chosen item is reported as commandChosen(id).
class MenuManager : public QObject {
    Q_OBJECT

public:
    // Entries of "Menu" by position.
    static constexpr int TypePosition = 0;
    static constexpr int ModePosition = 1;
    static constexpr int GraphicPosition = 2;
    static constexpr int OptionPosition = 3;
    static constexpr int SeparatorPosition = 4;
    static constexpr int AboutPosition = 5;
    static constexpr int ExitPosition = 6;

    explicit MenuManager(QWidget* owner);
    ~MenuManager() override;
    MenuManager(const MenuManager&) = delete;
    MenuManager& operator=(const MenuManager&) = delete;

    // Builds a fresh menu tree and applies the stored states to it.
    void BuildMenu();
    void CheckTypeItem(int id);
    // Identifiers other than the three "Mode" items are ignored.
    void SetModeItem(int id, bool state);
    bool GetModeState(int id) const;
    void SetGraphicItem(bool direct3D);
    void SetLayeredAvailable(bool available);
    void SetDemoItem(bool on);
    void SetColorEditItem(bool on);
    void SetBusy(bool busy);
    // A position outside "Menu" is ignored.
    void GreyTopItem(int position, bool grey);
    // Raises the owner and pops the menu up at the mouse cursor, or at a global point.
    void ShowPopup();
    void ShowPopupAt(const QPoint& global);

    QMenu* Menu() const { return menu.get(); }
    // The item carrying `id`, or null.
    QAction* FindAction(int id) const;

    int GetMarkedType() const { return markedType; }
    bool GetGraphicState() const { return direct3D; }
    bool GetDemoState() const { return demo; }
    bool GetColorEditState() const { return colorEdit; }
    bool IsBusy() const { return busy; }
    bool IsLayeredAvailable() const { return layeredAvailable; }

signals:
    void commandChosen(int id);

private:
    QMenu* SubMenu(int position) const;
    QAction* AddItem(QMenu* popup, int id, const QString& label, bool checkable);

    QWidget* owner;
    std::unique_ptr<QMenu> menu;
    int markedType;
    bool stickerOnly = false;
    bool region = true;
    bool transparent = false;
    bool direct3D = true;
    bool demo = false;
    bool colorEdit = false;
    bool busy = false;
    bool layeredAvailable = false;
};
