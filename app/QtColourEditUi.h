#pragma once

#include "persist/ColourEditUi.h"

#include <QPointer>
#include <QWidget>

// The colour editor's dialogs on Qt: the colour chooser and its warning boxes, owned by the main
// window.
class QtColourEditUi : public ColourEditUi {
public:
    explicit QtColourEditUi(QWidget* owner);

    // Qt keeps one set of sixteen custom colours per process; they are set from `custom` before
    // the chooser opens and read back after it closes, whether it was accepted or not.
    bool ChooseColour(COLORREF initial, CustomColours& custom, COLORREF& chosen) override;
    // `text` is UTF-8.
    void ShowError(const char* text) override;

private:
    QPointer<QWidget> owner;
};
