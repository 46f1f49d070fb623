#include "puzzle/CMozai.h"

#include <algorithm>
#include <chrono>

namespace {

// Which outer side of the solved cube each colour slot colours, and through which cubie face.
struct ColourSlot {
    int axis;        // the cell index that decides the side: 0 i, 1 j, 2 k
    bool high;       // the side at index N - 1 rather than 0
    int face;        // the cubie face that faces that side before any twist
    COLORREF colour; // default colour
};

constexpr ColourSlot colourSlots[CMozai::colourSlotCount] = {
    {0, false, 3, 0xD1D1D1}, {0, true, 1, 0x0000B0},  {1, false, 5, 0x009F34},
    {1, true, 0, 0x00EAEA},  {2, false, 2, 0x0080FF}, {2, true, 4, 0x80400F},
};

std::uint32_t MillisecondTicks() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

} // namespace

CMozai::CMozai(int n, double px, double py, double pz, double tx, double ty, double tz, double ux,
               double uy, double uz, const COLORREF* colourTable)
    : Ls3dObject(px, py, pz, tx, ty, tz, ux, uy, uz) {
    SetColours(colourTable);
    size = std::clamp(n, minSize, maxSize);
    cubieCount = size * size * size;
    faceCount = CCube::faceCount * cubieCount;
    faceList.assign(faceCount, nullptr);

    const double c = CCube::edge / 2 * (size - 1);
    const int last = size - 1;
    for (int i = 0; i < size; ++i) {
        for (int j = 0; j < size; ++j) {
            for (int k = 0; k < size; ++k) {
                const int id = (size * i + j) * size + k;
                auto cubie = std::make_unique<CCube>(id, CCube::edge * i - c, CCube::edge * j - c,
                                                     CCube::edge * k - c, 0, 0, 1, 0, 1, 0);
                const int cell[3] = {i, j, k};
                for (int s = 0; s < colourSlotCount; ++s) {
                    const ColourSlot& slot = colourSlots[s];
                    if (cell[slot.axis] == (slot.high ? last : 0)) {
                        cubie->Face(slot.face)->colour = colours[s];
                    }
                }
                for (int f = 0; f < CCube::faceCount; ++f) {
                    faceList[CCube::faceCount * id + f] = cubie->Face(f);
                }
                cubies[i][j][k] = std::move(cubie);
            }
        }
    }
    random.Seed(MillisecondTicks());
}

CMozai::~CMozai() = default;

void CMozai::SetColours(const COLORREF* table) {
    for (int s = 0; s < colourSlotCount; ++s) {
        colours[s] = table != nullptr ? table[s] : colourSlots[s].colour;
    }
}

bool CMozai::ReplaceColour(COLORREF from, COLORREF to) {
    for (CubeFace* face : faceList) {
        if (face != nullptr && face->colour == from) {
            face->colour = to;
            Changed();
        }
    }
    for (COLORREF& c : colours) {
        if (c == from) {
            c = to;
        }
    }
    return true;
}

CCube* CMozai::FindCubie(int id) const {
    for (int i = 0; i < size; ++i) {
        for (int j = 0; j < size; ++j) {
            for (int k = 0; k < size; ++k) {
                if (cubies[i][j][k] && cubies[i][j][k]->Id() == id) {
                    return cubies[i][j][k].get();
                }
            }
        }
    }
    return nullptr;
}

bool CMozai::FindCell(int id, Vertex3D& out) const {
    for (int i = 0; i < size; ++i) {
        for (int j = 0; j < size; ++j) {
            for (int k = 0; k < size; ++k) {
                if (cubies[i][j][k] && cubies[i][j][k]->Id() == id) {
                    out.Set(i, j, k);
                    return true;
                }
            }
        }
    }
    return false;
}

COLORREF CMozai::Colour(int slot) const {
    return slot >= 0 && slot < colourSlotCount ? colours[slot] : NoColour;
}

double CMozai::LayerAngle(int axis, int layer) const {
    return ValidLayer(axis, layer) ? layerAngle[axis][layer] : 0;
}

CCube* CMozai::Cubie(int i, int j, int k) const {
    if (i < 0 || j < 0 || k < 0 || i >= size || j >= size || k >= size) {
        return nullptr;
    }
    return cubies[i][j][k].get();
}

bool CMozai::ValidLayer(int axis, int layer) const {
    return axis >= 0 && axis < axisCount && layer >= 0 && layer < size;
}

bool CMozai::AllLayersAtRest() const {
    for (const auto& axis : layerAngle) {
        for (double angle : axis) {
            if (angle != 0) {
                return false;
            }
        }
    }
    return true;
}

void CMozai::CancelTwist() {
    stroke.reset();
    if (!activeTwist) {
        return;
    }
    const int axis = activeTwist->axis;
    const int layer = activeTwist->layer;
    if (ValidLayer(axis, layer)) {
        CommitLayer(axis, layer, 0);
    }
    DiscardTwist();
}
