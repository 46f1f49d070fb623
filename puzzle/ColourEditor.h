#pragma once

#include "persist/ColourEditUi.h"
#include "persist/FaceColours.h"
#include "scene/Canvas.h"
#include "scene/Colour.h"

#include <functional>

class Camera;
class CMozai;

// Changes one side colour: the user clicks a sticker in colour-edit mode and picks a new colour.
// The two rules of the side colours hold after every edit: no two sides share a colour and none
// is black. The custom colours offered by the chooser are filled from the side colours on the
// first edit and then kept as the chooser leaves them, so the shell keeps one editor for the
// whole process.
class ColourEditor {
public:
    enum class Outcome {
        Missed,         // the click hit no face: nothing shown
        InvalidColours, // the face's colour is no side's (a bare inner face)
        Cancelled,
        SameColour, // another side has the chosen colour
        Black,
        Changed,
    };

    // Edits `sideColours` (the shell passes faceColours); not owned.
    explicit ColourEditor(FaceColourTable& sideColours) : colours(sideColours) {}

    // The puzzle now; null while there is none. The chooser may run a nested event loop in
    // which the puzzle is replaced (a size change), so it is asked for again afterwards.
    using PuzzleSource = std::function<CMozai*()>;

    // Picks the face under the client pixel `point`, asks `ui` for its new colour and applies it
    // to the table and to every sticker of that colour, or shows why it cannot.
    Outcome EditFaceColour(const Camera& camera, const PuzzleSource& puzzle,
                           const ScreenPoint& point, ColourEditUi& ui);

    const ColourEditUi::CustomColours& CustomColours() const { return custom; }

private:
    FaceColourTable& colours;
    ColourEditUi::CustomColours custom = {};
    bool customFilled = false;
};
