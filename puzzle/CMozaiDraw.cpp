#include "puzzle/CMozai.h"

#include "math3d/Geometry.h"
#include "scene/Camera.h"

#include <cmath>
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

// Where a face's entry lies in the per-face tables: by cubie id, then face index.
std::size_t FaceSlot(const CubeFace& face) {
    return static_cast<std::size_t>(CCube::faceCount * face.cubieId + face.faceIndex);
}

// 0xAARRGGBB from 0x00BBGGRR.
std::uint32_t ToArgb(COLORREF colour, std::uint32_t alpha) {
    return alpha << 24 | static_cast<std::uint32_t>(RedOf(colour)) << 16 |
           static_cast<std::uint32_t>(GreenOf(colour)) << 8 |
           static_cast<std::uint32_t>(BlueOf(colour));
}

} // namespace

void CMozai::SortFaces(const Vertex3D& eye) {
    // Distances are worked out cubie by cubie, where a face's corners lie next to each other in
    // memory; walking the last frame's drawing order instead jumps to another cubie at every face.
    // A face no cubie in the grid holds keeps NaN here and is measured on its own below.
    const std::size_t n = faceList.size();
    faceDistance.assign(static_cast<std::size_t>(faceCount), std::nan(""));
    for (int i = 0; i < size; ++i) {
        for (int j = 0; j < size; ++j) {
            for (int k = 0; k < size; ++k) {
                CCube* cubie = cubies[i][j][k].get();
                for (int f = 0; cubie != nullptr && f < CCube::faceCount; ++f) {
                    CubeFace* face = cubie->Face(f);
                    if (FaceSlot(*face) < faceDistance.size()) {
                        faceDistance[FaceSlot(*face)] = Distance(face->Centre(), eye);
                    }
                }
            }
        }
    }
    faceDepths.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        CubeFace* face = faceList[i];
        double distance = 0;
        if (face != nullptr) {
            const std::size_t slot = FaceSlot(*face);
            distance = slot < faceDistance.size() && !std::isnan(faceDistance[slot])
                           ? faceDistance[slot]
                           : Distance(face->Centre(), eye);
        }
        faceDepths[i] = {distance, face};
    }
    faceSorter.Sort(faceDepths);
    for (std::size_t i = 0; i < n; ++i) {
        faceList[i] = faceDepths[i].second;
    }
}

void CMozai::MarkFacesThatMayShow(const Vertex3D& eye) {
    faceShows.assign(static_cast<std::size_t>(faceCount), 0);
    // Only one axis turns at a time; its turned layers each move on their own, the rest as one.
    int turnedAxis = -1;
    for (int a = 0; a < axisCount; ++a) {
        for (int l = 0; l < size; ++l) {
            if (layerAngle[a][l] != 0) {
                turnedAxis = a;
            }
        }
    }
    auto group = [&](const int cell[axisCount]) {
        if (turnedAxis < 0 || layerAngle[turnedAxis][cell[turnedAxis]] == 0) {
            return -1;
        }
        return cell[turnedAxis];
    };
    const double offset = CCube::edge / 2 * (size - 1);
    const double eyeAlong[axisCount] = {eye.x, eye.y, eye.z};
    for (int i = 0; i < size; ++i) {
        for (int j = 0; j < size; ++j) {
            for (int k = 0; k < size; ++k) {
                const int cell[axisCount] = {i, j, k};
                const int own = group(cell);
                // Open sides, by 2 * axis + (1 for the positive direction).
                bool open[2 * axisCount];
                bool anyOpen = false;
                // Set when a cut on the turned axis passes by the cubie and the eye looks at the
                // cubie's side of it, past its own cut face.
                bool seenBehindCut = false;
                for (int d = 0; d < 2 * axisCount; ++d) {
                    int next[axisCount] = {i, j, k};
                    const int step = d % 2 != 0 ? 1 : -1;
                    next[d / 2] += step;
                    const bool outside = next[d / 2] < 0 || next[d / 2] >= size;
                    open[d] = outside || group(next) != own;
                    anyOpen = anyOpen || open[d];
                    if (!outside && open[d]) {
                        // Turning about the axis leaves the cut faces' normals where they are.
                        const double cut = CCube::edge * (cell[d / 2] + 0.5 * step) - offset;
                        seenBehindCut = seenBehindCut || step * (cut - eyeAlong[d / 2]) >= 0;
                    }
                }
                CCube* cubie = cubies[i][j][k].get();
                if (cubie == nullptr) {
                    continue;
                }
                const Vertex3D centre(CCube::edge * i - offset, CCube::edge * j - offset,
                                      CCube::edge * k - offset);
                const Vertex3D* corners = cubie->Corners().data();
                for (int f = 0; f < CCube::faceCount; ++f) {
                    const CubeFace* face = cubie->Face(f);
                    const std::size_t index = FaceSlot(*face);
                    if (index >= faceShows.size()) {
                        continue;
                    }
                    // Stickers always go: in sticker-only mode nothing covers them. The bare
                    // faces of a cubie closed in on every side are not even projected.
                    if (face->colour != NoSticker && face->colour != bodyColour) {
                        faceShows[index] = 1;
                        continue;
                    }
                    if (!anyOpen) {
                        continue;
                    }
                    // The side a face looks to at rest, from the middle of its diagonal.
                    const Vertex3D& a = cubie->RestCorners()[face->corner[0] - corners];
                    const Vertex3D& c = cubie->RestCorners()[face->corner[2] - corners];
                    const double out[axisCount] = {(a.x + c.x) / 2 - centre.x,
                                                   (a.y + c.y) / 2 - centre.y,
                                                   (a.z + c.z) / 2 - centre.z};
                    int d = 0;
                    for (int e = 1; e < axisCount; ++e) {
                        if (std::fabs(out[e]) > std::fabs(out[d])) {
                            d = e;
                        }
                    }
                    // A bare face reaching a hidden side of a turned layer, or a cut seen from
                    // behind, can peek out by a pixel of its outline along the hidden edge.
                    const bool peeks = (own >= 0 || seenBehindCut) && d != turnedAxis;
                    faceShows[index] = open[2 * d + (out[d] > 0 ? 1 : 0)] || peeks ? 1 : 0;
                }
            }
        }
    }
}

void CMozai::Draw(RenderObject* camera) {
    if (camera == nullptr) {
        return;
    }
    SortFaces(camera->GetPosition());
    if (!drawEveryFace) {
        MarkFacesThatMayShow(camera->GetPosition());
    }
    const bool shade = !direct3D;
    int stickers = 0;
    for (CubeFace* face : faceList) {
        if (face == nullptr) {
            continue;
        }
        if (!drawEveryFace &&
            (FaceSlot(*face) >= faceShows.size() || faceShows[FaceSlot(*face)] == 0)) {
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
        face->StickerCorners(corners);
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
