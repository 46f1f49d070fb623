#include "scene/Camera.h"

#include "math3d/Geometry.h"
#include "math3d/Matrix4D.h"

#include <algorithm>
#include <cmath>
#include <limits>

Camera* currentCamera = nullptr;

namespace {

// A shaded channel never reaches full intensity.
constexpr int maxShadedChannel = 254;
// Shading factor k = shadeBase - cosine: 1.5 for a face seen head-on, 0.5 edge-on.
constexpr double shadeBase = 0.5;

int ShadeChannel(int channel, double k) {
    const double v = channel * k;
    if (!(v > 0)) { // also a NaN factor from a degenerate polygon
        return 0;
    }
    return v > maxShadedChannel ? maxShadedChannel : static_cast<int>(v);
}

COLORREF Shade(COLORREF colour, double k) {
    return Rgb(ShadeChannel(RedOf(colour), k), ShadeChannel(GreenOf(colour), k),
               ShadeChannel(BlueOf(colour), k));
}

// Truncates toward zero; out-of-range values saturate instead of being undefined.
int ToPixel(double v) {
    if (std::isnan(v)) {
        return 0;
    }
    constexpr double lowest = std::numeric_limits<int>::min();
    constexpr double highest = std::numeric_limits<int>::max();
    return static_cast<int>(std::clamp(std::trunc(v), lowest, highest));
}

} // namespace

Camera::Camera(double px, double py, double pz, double tx, double ty, double tz, double ux,
               double uy, double uz, double n, double f, double halfFov, double l, double t,
               double r, double b)
    : RenderObject(px, py, pz, tx, ty, tz, ux, uy, uz) {
    SetProjection(n, f, halfFov, l, t, r, b);
    currentCamera = this;
}

Camera::~Camera() {
    if (currentCamera == this) {
        currentCamera = nullptr;
    }
}

void Camera::SetScene(Ls3dObject* s) {
    scene = s;
}

void Camera::Render(Canvas* c) {
    if (c == nullptr || scene == nullptr) {
        return;
    }
    canvas = c;
    scene->Draw(this);
    canvas = nullptr;
}

void Camera::Rotate(double yaw, double pitch) {
    Vector3D u = up;
    u.Normalize();
    const Vector3D r = GetRight();
    RenderObject::Rotate(pitch, r);
    RenderObject::Rotate(yaw, u);
}

ScreenPoint Camera::Project(const Vertex3D& p) const {
    const Matrix4D& m = GetToScreen();
    const double x = m.m[0][0] * p.x + m.m[0][1] * p.y + m.m[0][2] * p.z + m.m[0][3];
    const double y = m.m[1][0] * p.x + m.m[1][1] * p.y + m.m[1][2] * p.z + m.m[1][3];
    double w = m.m[3][0] * p.x + m.m[3][1] * p.y + m.m[3][2] * p.z + m.m[3][3];
    if (w == 0) {
        w = 1;
    }
    return ScreenPoint{ToPixel(x / w), ToPixel(y / w)};
}

Vertex3D Camera::Unproject(const ScreenPoint& pt) const {
    Vertex3D p(2.0 * pt.x / right - 1, 1 - 2.0 * pt.y / bottom, 0);
    Matrix4D a = projection * view;
    a.Invert();
    TransformPoint(a, p);
    return p;
}

void Camera::DrawLine(const Vertex3D& a, const Vertex3D& b, COLORREF colour) {
    if (canvas == nullptr) {
        return;
    }
    if (colour == NoColour) {
        colour = 0;
    }
    canvas->DrawLine(Project(a), Project(b), colour);
}

void Camera::DrawPolygon(const Vertex3D* corners, int count, COLORREF colour, bool shade) {
    if (stickerOnly && colour == 0) {
        return;
    }
    if (canvas == nullptr || corners == nullptr || count <= 2) {
        return;
    }
    const Vector3D n = Cross(Vector3D(corners[0], corners[1]), Vector3D(corners[0], corners[2]));
    const Vector3D v(position, Centroid(corners, count));
    double d = Dot(v, n);
    // A front face is counter-clockwise seen from the eye, so its normal points at the eye.
    if (d > 0 && !stickerOnly) {
        return;
    }
    d = d / v.Length() / n.Length();

    const int drawn = std::min(count, maxPolygonCorners);
    ScreenPoint points[maxPolygonCorners];
    for (int i = 0; i < drawn; ++i) {
        points[i] = Project(corners[i]);
    }
    if (colour == NoColour) {
        colour = backgroundColour;
    }
    if (shade && colour != backgroundColour) {
        colour = Shade(colour, shadeBase - d);
    }
    canvas->FillPolygon(points, drawn, colour);
}

void Camera::SetStickerOnly(bool on) {
    if (on != stickerOnly) {
        stickerOnly = on;
        ++stickerOnlyChanges;
    }
}

void Camera::SetViewport(double l, double t, double r, double b) {
    RenderObject::SetViewport(l, t, r, b);
}

Vertex3D Camera::Centroid(const Vertex3D* corners, int count) {
    if (corners == nullptr || count <= 1) {
        return Vertex3D();
    }
    Vertex3D sum;
    for (int i = 0; i < count; ++i) {
        sum += corners[i];
    }
    return sum / count;
}
