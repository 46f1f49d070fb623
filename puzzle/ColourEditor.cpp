#include "puzzle/ColourEditor.h"

#include "persist/ColourEditMessages.h"
#include "puzzle/CMozai.h"
#include "scene/Camera.h"

namespace {
// The frame's background must stay distinct from every sticker, so choosing it gives the
// nearest colour instead.
constexpr COLORREF backgroundSubstitute = 0xDDDDDB;
// A colour is 24 bits; a chooser cannot hand back more.
constexpr COLORREF colourMask = 0xFFFFFF;
} // namespace

ColourEditor::Outcome ColourEditor::EditFaceColour(const Camera& camera, const PuzzleSource& puzzle,
                                                   const ScreenPoint& point, ColourEditUi& ui) {
    if (!customFilled) {
        custom.fill(0);
        for (int s = 0; s < faceSlotCount; ++s) {
            custom[s] = colours[s];
        }
        customFilled = true;
    }

    const Vertex3D origin = camera.Unproject(point);
    COLORREF picked = 0;
    CMozai* picking = puzzle ? puzzle() : nullptr;
    if (picking == nullptr ||
        !picking->StickerColourAt(origin, Vector3D(camera.GetPosition(), origin), picked)) {
        return Outcome::Missed;
    }
    int slot = 0;
    while (slot < faceSlotCount && colours[slot] != picked) {
        ++slot;
    }
    if (slot == faceSlotCount) {
        ui.ShowError(invalidColoursMessage);
        return Outcome::InvalidColours;
    }

    COLORREF chosen = 0;
    if (!ui.ChooseColour(picked, custom, chosen)) {
        return Outcome::Cancelled;
    }
    chosen &= colourMask;
    if (chosen == backgroundColour) {
        chosen = backgroundSubstitute;
    }
    for (int s = 0; s < faceSlotCount; ++s) {
        if (s != slot && colours[s] == chosen) {
            ui.ShowError(sameColourMessage);
            return Outcome::SameColour;
        }
    }
    if (chosen == 0) {
        ui.ShowError(blackColourMessage);
        return Outcome::Black;
    }
    colours[slot] = chosen;
    // A puzzle rebuilt meanwhile was built from the table, so it has the picked colour too.
    if (CMozai* now = puzzle())
        now->ReplaceColour(picked, chosen);
    return Outcome::Changed;
}
