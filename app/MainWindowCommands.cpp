// The command table of the main window: every menu item, by identifier.

#include "app/AboutDialog.h"
#include "app/AppSettings.h"
#include "app/CommandIds.h"
#include "app/FrameView.h"
#include "app/MainWindow.h"
#include "app/MenuManager.h"
#include "puzzle/CMozai.h"
#include "render/D3DRenderer.h"
#include "scene/Camera.h"

void MainWindow::OnCommand(int id) {
    if (destroyed)
        return;
    BusyScope busy(*this);
    WakeTicks();
    if (Command::IsTypeItem(id)) {
        ChangeCubeSize(Command::SizeOfTypeItem(id));
        return;
    }
    switch (id) {
    case Command::StickerOnly:
        ToggleStickerOnly();
        break;
    case Command::Region:
        ToggleRegion(true);
        break;
    case Command::Transparent:
        ToggleTransparency();
        break;
    case Command::DirectX:
        SetGraphicMode(true);
        break;
    case Command::Gdi:
        SetGraphicMode(false);
        break;
    case Command::Shuffle:
        historyKeys.Clear();
        if (puzzle)
            puzzle->StartShuffle();
        break;
    case Command::Demo:
        ToggleDemo();
        break;
    case Command::ColorEdit:
        ToggleColorEdit();
        break;
    case Command::About:
        ShowAbout();
        break;
    case Command::Exit:
        DestroyWindow();
        break;
    default:
        break;
    }
}

void MainWindow::ToggleStickerOnly() {
    if (!camera)
        return;
    const bool on = !menuManager->GetModeState(Command::StickerOnly);
    camera->SetStickerOnly(on);
    menuManager->SetModeItem(Command::StickerOnly, on);
}

void MainWindow::SetGraphicMode(bool direct3D) {
    appSettings.useDirect3D = direct3D;
    if (puzzle)
        puzzle->SetDirect3D(direct3D);
    menuManager->SetGraphicItem(direct3D);
    if (direct3D)
        ResetRendererForSize();
}

void MainWindow::ToggleDemo() {
    if (menuManager->GetDemoState()) {
        menuManager->SetDemoItem(false);
        if (puzzle)
            puzzle->SetDemo(false);
        demo.Stop();
    } else {
        historyKeys.Clear();
        menuManager->SetDemoItem(true);
        if (puzzle)
            puzzle->SetDemo(true);
        demo.Start();
    }
}

void MainWindow::ToggleColorEdit() {
    if (!menuManager)
        return;
    appSettings.colorEditMode = !appSettings.colorEditMode;
    menuManager->SetColorEditItem(appSettings.colorEditMode);
    // The mode shows on the cube itself: a click picks a colour there instead of twisting.
    if (appSettings.colorEditMode)
        view->setCursor(Qt::CrossCursor);
    else
        view->unsetCursor();
}

void MainWindow::ShowAbout() {
    AboutDialog about(this);
    KeepTicking([&about] { about.exec(); });
}

void MainWindow::EditColourAt(int x, int y) {
    // The chooser is modal but the tray menu may still change the cube size meanwhile, so the
    // editor asks for the puzzle again once the chooser has closed.
    if (colourEditUi && camera && puzzle)
        colourEditor.EditFaceColour(
            *camera, [this] { return puzzle.get(); }, ScreenPoint{x, y}, *colourEditUi);
}
