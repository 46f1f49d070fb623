#include "scene/ObjectBase.h"

ObjectBase::ObjectBase(double px, double py, double pz, double tx, double ty, double tz, double ux,
                       double uy, double uz) {
    ObjectBase::SetPosition(px, py, pz);
    ObjectBase::SetTarget(tx, ty, tz);
    ObjectBase::SetUp(ux, uy, uz);
}

void ObjectBase::SetPosition(const Vertex3D& p) {
    position = p;
}

void ObjectBase::SetPosition(double x, double y, double z) {
    position.Set(x, y, z);
}

Vertex3D ObjectBase::GetPosition() const {
    return position;
}

void ObjectBase::SetTarget(const Vertex3D& p) {
    target = p;
}

void ObjectBase::SetTarget(double x, double y, double z) {
    target.Set(x, y, z);
}

Vertex3D ObjectBase::GetTarget() const {
    return target;
}

void ObjectBase::SetUp(const Vector3D& v) {
    up = v;
    up.Normalize();
}

void ObjectBase::SetUp(double x, double y, double z) {
    ObjectBase::SetUp(Vector3D(x, y, z));
}

Vector3D ObjectBase::GetUp() const {
    return up;
}
