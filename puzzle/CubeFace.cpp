#include "puzzle/CubeFace.h"

namespace {
// The sticker weights are single-precision values: 0.9f and its complement 1 - 0.9f computed in
// float (0.10000002384185791), which place the sticker corners a few bits away from a double pair.
constexpr float stickerWeight = 0.9f;
constexpr float centreWeight = 1.0f - stickerWeight;
} // namespace

Vertex3D CubeFace::Centre() {
    for (const Vertex3D* c : corner) {
        if (c == nullptr) {
            return centre;
        }
    }
    centre.Set((corner[0]->x + corner[1]->x + corner[2]->x + corner[3]->x) * 0.25,
               (corner[0]->y + corner[1]->y + corner[2]->y + corner[3]->y) * 0.25,
               (corner[0]->z + corner[1]->z + corner[2]->z + corner[3]->z) * 0.25);
    return centre;
}

Vertex3D CubeFace::StickerCorner(int c) {
    if (c < 0 || c >= cornerCount || corner[c] == nullptr) {
        return Vertex3D();
    }
    return Shrunk(*corner[c], Centre());
}

void CubeFace::StickerCorners(Vertex3D out[cornerCount]) {
    const Vertex3D m = Centre();
    for (int c = 0; c < cornerCount; ++c) {
        out[c] = corner[c] != nullptr ? Shrunk(*corner[c], m) : Vertex3D();
    }
}

Vertex3D CubeFace::Shrunk(const Vertex3D& p, const Vertex3D& m) {
    const double w = stickerWeight;
    const double r = centreWeight;
    return Vertex3D(w * p.x + r * m.x, w * p.y + r * m.y, w * p.z + r * m.z);
}
