#pragma once

#include "math3d/Vector3D.h"
#include "math3d/Vertex3D.h"
#include "puzzle/ActiveTwist.h"
#include "puzzle/CCube.h"
#include "puzzle/CubeFace.h"
#include "puzzle/FaceDepthSort.h"
#include "puzzle/FacePick.h"
#include "puzzle/LcgRandom.h"
#include "puzzle/TwistResult.h"
#include "scene/Colour.h"
#include "scene/Ls3dObject.h"
#include "scene/StickerRasteriser.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class MoveHistory;
class RenderObject;
class ScreenMotion;

// The whole N x N x N puzzle: which cubie sits in which grid cell, the layer twists and their
// animation, the shuffle, the solved check and the stepping through the recorded moves.
//
// Cell (i, j, k), each index 0..N-1, counts along X, Y and Z; its cubie is centred at
// (30 i - c, 30 j - c, 30 k - c) with c = 15 (N - 1), so the cube is centred on the origin.
// Axis 0, 1, 2 is world X, Y, Z; layer L of an axis is the cells whose index along it is L; a
// positive angle turns right-handed about the positive axis.
class CMozai : public Ls3dObject {
public:
    static constexpr int minSize = 1;
    static constexpr int maxSize = 10;
    static constexpr int axisCount = 3;
    static constexpr int colourSlotCount = 6;
    static constexpr int shuffleLength = 50;
    // The most stickers a cube can have (6 N^2 for N = 10), each two triangles.
    static constexpr int stickerCapacity = 6 * maxSize * maxSize;
    static constexpr int verticesPerSticker = 6;

    // A size outside minSize..maxSize is clamped into it. colourTable holds six colours by
    // colour slot (-X, +X, -Y, +Y, -Z, +Z); null gives the default colours.
    CMozai(int n, double px, double py, double pz, double tx, double ty, double tz, double ux,
           double uy, double uz, const COLORREF* colourTable);
    ~CMozai() override;
    CMozai(const CMozai&) = delete;
    CMozai& operator=(const CMozai&) = delete;

    // Copies six colours (the defaults for null). Faces already built keep their colours.
    void SetColours(const COLORREF* table);
    // Recolours every face and colour-table entry of colour from to colour to. Always true.
    bool ReplaceColour(COLORREF from, COLORREF to);
    // The history that completed user twists go to and stepping reads; not owned, may be null.
    void SetHistory(MoveHistory* h) { history = h; }
    void SetDirect3D(bool on) {
        direct3D = on;
        Changed();
    }
    // While held, the animation and the stepping through the history pause. A press or a
    // release ends the drag stroke; a twist it leaves is finished by the ticks.
    void SetHold(bool on) {
        if (on != hold) {
            stroke.reset();
        }
        hold = on;
    }
    // The cubie with this id, searched with i outermost and k innermost; null when none has it.
    CCube* FindCubie(int id) const;
    // The cell (i, j, k) of the cubie with this id, as x, y, z of out; false when none has it.
    bool FindCell(int id, Vertex3D& out) const;

    // One animation step: turns layer (axis, layer) by angle radians. Ignored for a bad axis or
    // layer and while any layer of another axis is turned.
    void TurnLayer(int axis, int layer, double angle);
    // Completes the layer's twist as an exact quarter turn past +-88 degrees, cancels it inside
    // the cancel window, else leaves it running. Every result but TwistRunning discards the
    // active twist.
    TwistResult SettleLayer(int axis, int layer);
    // Puts the active twist's layer back at rest and drops the twist, unrecorded, and the drag's
    // stroke with it: a drag going on afterwards starts a stroke of its own, from rest.
    void CancelTwist();
    // One 30 ms timer step: advances the active twist, or starts the next shuffle twist.
    void Tick();
    // Starts the twist record that Tick (and a drag) advance, replacing any other.
    ActiveTwist& BeginTwist(CubeFace* face, int axis, int layer, bool positive, TwistKind kind);

    // Shuffle, demo and history navigation.
    void Seed(std::uint32_t seed) { random.Seed(seed); }
    // Starts a shuffle of shuffleLength twists unless one is running.
    void StartShuffle();
    // Demo mode twists endlessly, each twist recorded once it completes (no solved check), so the
    // history always rebuilds the cube; switching keeps the history.
    void SetDemo(bool on);
    // Starts one random twist: a quarter turn at once, or a 10 degree first step in demo mode.
    void RandomTwist();
    // Animated undo of the move before the history's navigation position.
    void StepBack();
    // Animated redo of the move at the history's navigation position.
    void StepForward();
    // Applies the whole history at once, stopping at the first record that does not fit.
    void Replay();
    // True when every sticker colour faces one way within 2 degrees; then empties the history
    // and runs onSolved, if set.
    bool IsSolved();

    // Picking and drag-to-twist. A drag movement is a pick ray (origin on the near plane under
    // the previous pointer position, direction from the eye through it) and the drag vectors h
    // and v along the view's right and up axes, whose summed length is the pointer's motion in
    // radians.
    void Drag(const Vertex3D& origin, const Vector3D& direction, const Vector3D& h,
              const Vector3D& v, const RenderObject& view);
    // The first front-facing face hit, walking the drawing order from the near end; (cubieCount,
    // 6) when none is.
    FacePick Pick(const Vertex3D& origin, const Vector3D& direction) const;
    // The colour of the picked face (NoSticker for a bare inner face); false when none is hit.
    bool StickerColourAt(const Vertex3D& origin, const Vector3D& direction, COLORREF& colour) const;
    // Moeller-Trumbore, both windings; hits behind the origin count. t, u, v are written when
    // given.
    static bool IntersectRayTriangle(const Vertex3D& origin, const Vector3D& direction,
                                     const Vertex3D& p0, const Vertex3D& p1, const Vertex3D& p2,
                                     double* t = nullptr, double* u = nullptr, double* v = nullptr);

    // Drawing. Paints the faces far to near through the camera: a black body square, then the
    // sticker; in Direct3D mode the stickers also go to the rasteriser as translucent triangles.
    // Bare faces between two cubies that keep together are left out: the bodies around them
    // cover them, so the picture is the one painting every face gives.
    void Draw(RenderObject* camera) override;
    // Paints every face, hidden or not: the picture the leaner drawing is held to.
    void SetDrawEveryFace(bool on) { drawEveryFace = on; }
    // Orders the faces by distance of their centres from eye, farthest first, keeping the
    // previous order among equal distances.
    void SortFaces(const Vertex3D& eye);
    // The clear colour of the rasteriser, opaque; false (nothing set) in GDI mode or without a
    // rasteriser.
    bool SetBackground(COLORREF colour);
    // The hardware sticker pass; not owned, null for none.
    void SetRasteriser(StickerRasteriser* r) { rasteriser = r; }

    // Read-outs of the state.
    int Size() const { return size; }
    int CubieCount() const { return cubieCount; }
    int FaceCount() const { return faceCount; }
    int ShuffleRemaining() const { return shuffleRemaining; }
    bool Hold() const { return hold; }
    bool Demo() const { return demo; }
    bool Direct3D() const { return direct3D; }
    COLORREF Colour(int slot) const;
    // The layer's angle away from rest; 0 for a bad axis or layer.
    double LayerAngle(int axis, int layer) const;
    const ActiveTwist* CurrentTwist() const { return activeTwist.get(); }
    // The cubie now in cell (i, j, k); null outside the grid.
    CCube* Cubie(int i, int j, int k) const;
    // Every face of every cubie, in cubie-id order until faces are sorted for drawing.
    const std::vector<CubeFace*>& Faces() const { return faceList; }
    // Changes whenever the picture Draw paints could change: corners moved, colours, the sticker
    // pass, the grab outline. Equal readings mean the same picture from the same view.
    std::uint64_t ChangeCount() const { return changeCount; }

    // Run when the cube is found solved; the application shows its congratulations.
    std::function<void()> onSolved;

private:
    bool ValidLayer(int axis, int layer) const;
    // Random twists stop where a load would stop reading: beyond it the file could no longer
    // rebuild the cube, and a demo left running for days would grow it without end.
    bool HistoryFull() const;
    bool AllLayersAtRest() const;
    // The link of the cell at (u, v) of the layer's slice: u, v are j, k for axis 0, i, k for
    // axis 1 and i, j for axis 2.
    std::unique_ptr<CCube>& LayerCell(int axis, int layer, int u, int v);
    // Moves the cubie links of a layer for a completed quarter turn of angle (+-Rad90).
    void PermuteLayer(int axis, int layer, double angle);
    // Commits every cubie of the layer (see CCube::CommitTurn) and puts the layer at rest.
    void CommitLayer(int axis, int layer, double angle);
    // A user twist has completed: records it, if a history is set, and runs the solved check.
    void CompleteUserTwist(int axis, int layer, bool positive);
    // Continues the drag stroke, or picks a face and starts one on the layer whose grid line
    // through the grabbed sticker, drawn on the screen, lies closest to the pointer's motion.
    // Writes the motion's progress along that line, in radians, positive onward. False when
    // nothing is to turn.
    bool DecideTwist(const Vertex3D& origin, const Vector3D& direction, const Vector3D& d,
                     const ScreenMotion& screen, double& progress);
    // Turns the stroke's layer to its progress past the quarters recorded, never back past rest,
    // completing and recording each quarter on the way.
    void FollowStroke(double progress);
    // Ends a twist the last stroke left to the ticks at once, the way the ticks would.
    void FinishTwist();
    void DiscardTwist() {
        activeTwist.reset();
        Changed();
    }
    void Changed() { ++changeCount; }
    // Sets faceShows for the faces Draw paints from eye: every sticker, and every bare face not
    // covered by the cubie next to it. A turned layer parts from its neighbours, so the cut shows.
    void MarkFacesThatMayShow(const Vertex3D& eye);
    // Starts the animated step back or forward of one record; a record that does not fit the
    // cube is consumed without turning.
    void StepThrough(int axis, int layer, bool turnPositive, TwistKind kind);

    std::unique_ptr<CCube> cubies[maxSize][maxSize][maxSize];
    COLORREF colours[colourSlotCount] = {};
    std::unique_ptr<ActiveTwist> activeTwist;
    std::optional<DragStroke> stroke;
    MoveHistory* history = nullptr;
    double layerAngle[axisCount][maxSize] = {};
    std::vector<CubeFace*> faceList;
    bool hold = false;
    int size = minSize;
    int cubieCount = 0;
    int faceCount = 0;
    int shuffleRemaining = 0;
    bool direct3D = true;
    bool demo = false;
    // Filled per frame for the sticker rasteriser: two triangles a sticker.
    ScreenVertex stickerVertices[stickerCapacity * verticesPerSticker];
    StickerRasteriser* rasteriser = nullptr;
    // Kept, so a frame allocates nothing.
    std::vector<FaceDepth> faceDepths;
    // The frame's distance of each face from the eye, by CCube::faceCount * cubie id + face index.
    std::vector<double> faceDistance;
    // By CCube::faceCount * cubie id + face index.
    std::vector<std::uint8_t> faceShows;
    bool drawEveryFace = false;
    std::uint64_t changeCount = 0;
    FaceDepthSort faceSorter;
    // The shuffle's generator, seeded with the millisecond tick count at construction.
    LcgRandom random;
};
