#pragma once

#include "math3d/Vector3D.h"
#include "scene/ObjectBase.h"

class RenderObject;

// A scene object that can be turned about the world origin and drawn.
class Ls3dObject : public ObjectBase {
public:
    Ls3dObject(double px, double py, double pz, double tx, double ty, double tz, double ux,
               double uy, double uz);

    // Draws this object through the renderer; the base draws nothing.
    virtual void Draw(RenderObject* renderer);

    // Turns position, target and up by angle radians about axis (unit length) through the world
    // origin, not through the object's own position.
    void Rotate(double angle, const Vector3D& axis);
};
