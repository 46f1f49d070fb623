#include "puzzle/CMozai.h"

#include "math3d/Geometry.h"
#include "scene/Camera.h"

#include <cstddef>

namespace {

// The cubie body under every face; never a sticker colour.
constexpr COLORREF bodyColour = 0;
// The outline of the face a drag has grabbed: light green.
constexpr COLORREF grabOutlineColour = 0x55FF55;
// The hardware pass lays stickers translucently (80 of 255) over what it drew before.
constexpr std::uint32_t stickerAlpha = 0x50;
constexpr std::uint32_t opaqueAlpha = 0xFF;
// Two triangles per sticker square.
constexpr int stickerTriangleCorners[CMozai::verticesPerSticker] = {0, 3, 2, 2, 1, 0};

// 0xAARRGGBB from 0x00BBGGRR.
std::uint32_t ToArgb(COLORREF colour, std::uint32_t alpha) {
    return alpha << 24 | static_cast<std::uint32_t>(RedOf(colour)) << 16 |
           static_cast<std::uint32_t>(GreenOf(colour)) << 8 |
           static_cast<std::uint32_t>(BlueOf(colour));
}

} // namespace

void CMozai::SortFaces(const Vertex3D& eye) {
    const std::size_t n = faceList.size();
    faceDepths.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        CubeFace* face = faceList[i];
        faceDepths[i] = {face != nullptr ? Distance(face->Centre(), eye) : 0, face};
    }
    faceSorter.Sort(faceDepths);
    for (std::size_t i = 0; i < n; ++i) {
        faceList[i] = faceDepths[i].second;
    }
}

void CMozai::Draw(RenderObject* camera) {
    if (camera == nullptr) {
        return;
    }
    SortFaces(camera->GetPosition());
    const bool shade = !direct3D;
    int stickers = 0;
    for (CubeFace* face : faceList) {
        if (face == nullptr) {
            continue;
        }
        Vertex3D corners[CubeFace::cornerCount];
        for (int c = 0; c < CubeFace::cornerCount; ++c) {
            corners[c] = *face->corner[c];
        }
        camera->DrawPolygon(corners, CubeFace::cornerCount, bodyColour, shade);
        const COLORREF colour = face->colour;
        if (colour == NoSticker || colour == bodyColour) {
            continue;
        }
        for (int c = 0; c < CubeFace::cornerCount; ++c) {
            corners[c] = face->StickerCorner(c);
        }
        // Only outer faces carry stickers, so the buffer holds them all; a colour table that
        // coloured inner faces too gets its extra stickers painted but not rasterised.
        if (direct3D && stickers < stickerCapacity) {
            ScreenPoint projected[CubeFace::cornerCount];
            for (int c = 0; c < CubeFace::cornerCount; ++c) {
                projected[c] =
                    currentCamera != nullptr ? currentCamera->Project(corners[c]) : ScreenPoint{};
            }
            const std::uint32_t diffuse = ToArgb(colour, stickerAlpha);
            ScreenVertex* out = &stickerVertices[verticesPerSticker * stickers];
            for (int m = 0; m < verticesPerSticker; ++m) {
                const ScreenPoint& p = projected[stickerTriangleCorners[m]];
                out[m] = ScreenVertex{
                    static_cast<float>(p.x), static_cast<float>(p.y), 0, 1.0f, diffuse, 0, 0};
            }
            ++stickers;
        }
        camera->DrawPolygon(corners, CubeFace::cornerCount, colour, shade);
    }
    if (direct3D && rasteriser != nullptr) {
        rasteriser->ClearTarget();
        rasteriser->DrawVertices(stickerVertices, verticesPerSticker * stickers, false);
    }
    // Shuffle twists are user twists too; the running count keeps them unmarked.
    if (activeTwist && shuffleRemaining <= 0 && activeTwist->kind == TwistKind::UserTwist &&
        activeTwist->face != nullptr) {
        const CubeFace& grabbed = *activeTwist->face;
        for (int c = 0; c < CubeFace::cornerCount; ++c) {
            camera->DrawLine(*grabbed.corner[c], *grabbed.corner[(c + 1) % CubeFace::cornerCount],
                             grabOutlineColour);
        }
    }
}

bool CMozai::SetBackground(COLORREF colour) {
    if (!direct3D || rasteriser == nullptr) {
        return false;
    }
    rasteriser->SetClearColour(ToArgb(colour, opaqueAlpha));
    return true;
}
