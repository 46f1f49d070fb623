#pragma once

#include "persist/AtomicFile.h"
#include "scene/Colour.h"

#include <array>
#include <cstddef>

// Opened by bare name, so the file lies in the working directory.
inline constexpr char colourFileName[] = "color.ini";
// Six lines need a hundred bytes; reading stops here whatever the file holds.
inline constexpr std::size_t maxColourFileBytes = 64 * 1024;

// Colour slots: 0 = -X side, 1 = +X, 2 = -Y, 3 = +Y, 4 = -Z, 5 = +Z of the solved cube.
inline constexpr int faceSlotCount = 6;
using FaceColourTable = std::array<COLORREF, faceSlotCount>;

// Orange, red, light grey, blue, green, yellow.
inline constexpr FaceColourTable defaultFaceColours = {33023, 176, 13750737, 8405007, 40756, 60138};

// The side colours of the process; no two equal, none black. The puzzle takes a copy when it is
// built, so a change here reaches it through the puzzle's own colour replacement.
extern FaceColourTable faceColours;

// Fills faceColours from color.ini: the colours of the first six "index colour" pairs in line
// order (the index is ignored). No regular file of that name, an unreadable one, fewer than six
// pairs, a token that is no number, a colour outside 1..white, the background colour or a
// repeated colour gives all six defaults. A file of which anything is left out (a damaged one,
// or one holding more than six pairs or more than maxColourFileBytes) is kept as color.ini.bad;
// when that copy cannot be made, the file is held. Leftovers of an interrupted save are removed
// first.
void LoadFaceColours();

// Why the last LoadFaceColours left color.ini held, as it is until the next load (an errno value
// of the failed .bad copy), or 0.
int ColourFileHeldReason();

// Writes faceColours to color.ini, replacing it whole. Colours equal to the defaults are written
// only over an existing file (so an older file's colours cannot come back) and never create one.
// A failed write leaves the old file as it was; a held file is not written (true).
SaveResult SaveFaceColours();
