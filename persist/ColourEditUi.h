#pragma once

#include "scene/Colour.h"

#include <array>

// The dialogs behind colour editing. The model decides what to ask and what to refuse; the shell
// shows the colour chooser and the message boxes.
class ColourEditUi {
public:
    using CustomColours = std::array<COLORREF, 16>;

    virtual ~ColourEditUi() = default;
    // Opens the colour chooser at `initial`, offering `custom` (which the chooser may change).
    // Writes the choice to `chosen` and returns true, or returns false when the user cancels.
    virtual bool ChooseColour(COLORREF initial, CustomColours& custom, COLORREF& chosen) = 0;
    // A warning message box with the caption colourErrorCaption and an OK button.
    virtual void ShowError(const char* text) = 0;
};
