#pragma once

#include "math3d/Vector3D.h"
#include "math3d/Vertex3D.h"

// Anything placed in the scene: where it is, the point it faces and its unit up direction.
class ObjectBase {
public:
    // Sets the pose through this class's own setters, so up is normalised and no override runs.
    ObjectBase(double px, double py, double pz, double tx, double ty, double tz, double ux,
               double uy, double uz);

    // The virtual operations keep this order in every derived class.
    virtual ~ObjectBase() = default;
    virtual void SetPosition(const Vertex3D& p);
    virtual void SetPosition(double x, double y, double z);
    virtual Vertex3D GetPosition() const;
    virtual void SetTarget(const Vertex3D& p);
    virtual void SetTarget(double x, double y, double z);
    virtual Vertex3D GetTarget() const;
    // Stores v normalised; a vector shorter than Vector3D::minimumLength is stored as given.
    virtual void SetUp(const Vector3D& v);
    virtual void SetUp(double x, double y, double z);
    virtual Vector3D GetUp() const;

protected:
    Vertex3D position;
    Vertex3D target;
    Vector3D up;
};
