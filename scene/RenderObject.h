#pragma once

#include "math3d/Matrix4D.h"
#include "math3d/Vector3D.h"
#include "math3d/Vertex3D.h"
#include "scene/Colour.h"
#include "scene/Ls3dObject.h"

#include <cstdint>

// An object that looks at the scene: its view, perspective and screen matrices always follow its
// pose and projection settings, and it declares the drawing primitives.
class RenderObject : public Ls3dObject {
public:
    // Builds the view at once; projection and screen stay identities until SetProjection.
    RenderObject(double px, double py, double pz, double tx, double ty, double tz, double ux,
                 double uy, double uz);

    // The pose setters rebuild the view.
    void SetPosition(const Vertex3D& p) override;
    void SetPosition(double x, double y, double z) override;
    void SetTarget(const Vertex3D& p) override;
    void SetTarget(double x, double y, double z) override;
    void SetUp(const Vector3D& v) override;
    void SetUp(double x, double y, double z) override;

    virtual void DrawLine(const Vertex3D& a, const Vertex3D& b, COLORREF colour) = 0;
    // corners holds count points, 3 or 4.
    virtual void DrawPolygon(const Vertex3D* corners, int count, COLORREF colour, bool shade) = 0;
    // Changes only the viewport; near, far and field of view stay.
    virtual void SetViewport(double left, double top, double right, double bottom);

    // Ls3dObject::Rotate, then the view is rebuilt.
    void Rotate(double angle, const Vector3D& axis);

    // The unit right direction: the line of sight crossed with the up direction.
    Vector3D GetRight() const;

    void BuildView();
    // fov is half the vertical field of view, in radians.
    void SetProjection(double nearZ, double farZ, double fov, double left, double top, double right,
                       double bottom);
    void BuildPerspective();
    void BuildScreen();

    const Matrix4D& GetView() const { return view; }
    const Matrix4D& GetProjection() const { return projection; }
    const Matrix4D& GetScreen() const { return screen; }
    // screen * projection * view: world points to window pixels, formed again only after one of
    // them was rebuilt.
    const Matrix4D& GetToScreen() const;
    double GetAspect() const { return aspect; }
    double GetNearZ() const { return nearZ; }
    double GetFarZ() const { return farZ; }
    double GetFov() const { return fov; }
    // Counts the rebuilds of the view, projection and screen matrices: what the object sees
    // changed since an earlier reading when this differs from it.
    std::uint64_t MatrixVersion() const { return matrixVersion; }

protected:
    Matrix4D view;
    Matrix4D projection;
    Matrix4D screen;
    double nearZ = 0;
    double farZ = 0;
    double fov = 0;
    double aspect = 0;
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
    std::uint64_t matrixVersion = 0;

private:
    mutable Matrix4D toScreen;
    mutable std::uint64_t toScreenVersion = 0;
};
