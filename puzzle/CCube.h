#pragma once

#include "math3d/Vector3D.h"
#include "math3d/Vertex3D.h"
#include "puzzle/CubeFace.h"
#include "puzzle/CubieTurn.h"
#include "puzzle/QuarterTurns.h"
#include "scene/Ls3dObject.h"

#include <array>

// One small cube of the puzzle: its corners in world coordinates, kept twice (current and at the
// last completed twist), its six faces and a fixed id. The puzzle moves it between grid cells;
// the cubie only turns its own geometry.
class CCube : public Ls3dObject {
public:
    static constexpr int cornerCount = 8;
    static constexpr int faceCount = 6;
    static constexpr double edge = 30;

    // Placed at (x, y, z) with the given target and up; corners at the position +-edge/2.
    CCube(int id, double x, double y, double z, double tx, double ty, double tz, double ux,
          double uy, double uz);
    // The faces link into this cubie's own corner array, so a copy would link into the original.
    CCube(const CCube&) = delete;
    CCube& operator=(const CCube&) = delete;

    // Sets corner c (0..7) of both corner sets; any other c is ignored.
    void SetCorner(int c, double x, double y, double z);
    // Face f (0..5); null for any other f.
    CubeFace* Face(int f);
    int Id() const { return id; }
    // Unit outward normal of face f from the current corners; the zero vector for f outside 0..5.
    Vector3D FaceNormal(int f) const;
    // Turns the current corners by angle radians about world axis 0, 1 or 2 through the origin;
    // another axis leaves them as they are. Rest corners and placement stay.
    void TurnCorners(double angle, int axis) { TurnCorners(CubieTurn(angle, axis)); }
    void TurnCorners(const CubieTurn& turn);
    // Ends a twist: an angle strictly inside +-turnThreshold discards it (current corners back to
    // rest), any other angle turns the rest corners and the placement exactly by it; a quarter
    // turn (+-Rad90) exactly, without rounding.
    void CommitTurn(double angle, int axis);
    void CommitTurn(const CubieTurn& turn);
    // Turns the rest corners and the placement by turns and puts the current corners at rest.
    void CommitTurns(const QuarterTurns& turns);

    const std::array<Vertex3D, cornerCount>& Corners() const { return corners; }
    const std::array<Vertex3D, cornerCount>& RestCorners() const { return restCorners; }

    // A little below pi/2: the commit of +-Rad90 always turns, however pi/2 was rounded.
    static constexpr double turnThreshold = 1.570795;

private:
    static bool Discards(double angle);
    void RestoreCorners();

    int id;
    std::array<Vertex3D, cornerCount> corners;
    std::array<Vertex3D, cornerCount> restCorners;
    std::array<CubeFace, faceCount> faces;
};
