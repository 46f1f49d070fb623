#pragma once

#include "math3d/Vertex3D.h"
#include "scene/Colour.h"

// The colour of a face without a sticker (an inner face); the same value as the frame's
// background, so a bare face never shows as a sticker.
constexpr COLORREF NoSticker = 0xDDDDDC;

// One of the six faces of a cubie. Its corners are links into the owning cubie's corner array,
// so the face follows the cubie's animation without copying.
class CubeFace {
public:
    static constexpr int cornerCount = 4;

    // Non-owning links into the cubie's current corners, null until the cubie wires the face.
    const Vertex3D* corner[cornerCount] = {};
    Vertex3D centre;
    COLORREF colour = NoSticker;
    int cubieId = -1;
    int faceIndex = 6;

    // The mean of the four current corners, also stored in centre. An unwired face keeps its
    // stored centre.
    Vertex3D Centre();
    // Corner c (0..3) of the sticker: the face shrunk towards its centre to 0.9 of its size. The
    // origin for any other c.
    Vertex3D StickerCorner(int c);
    // The four sticker corners at once.
    void StickerCorners(Vertex3D out[cornerCount]);

private:
    static Vertex3D Shrunk(const Vertex3D& p, const Vertex3D& m);
};
