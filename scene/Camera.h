#pragma once

#include "math3d/Vector3D.h"
#include "math3d/Vertex3D.h"
#include "scene/Canvas.h"
#include "scene/Colour.h"
#include "scene/RenderObject.h"

// The eye of the scene and its software painter: it orbits the origin, maps world points to
// window pixels and back, and paints shaded polygons on the canvas of the frame being rendered.
class Camera : public RenderObject {
public:
    // The most corners a polygon may have; further corners are not painted.
    static constexpr int maxPolygonCorners = 4;

    // Pose (9 values), then near, far, half the vertical field of view and the viewport.
    // The new camera becomes currentCamera.
    Camera(double px, double py, double pz, double tx, double ty, double tz, double ux, double uy,
           double uz, double nearZ, double farZ, double fov, double left, double top, double right,
           double bottom);
    Camera(const Camera&) = delete;
    Camera& operator=(const Camera&) = delete;
    ~Camera() override;

    // Not owned.
    void SetScene(Ls3dObject* s);
    // Draws the scene on canvas; the canvas is held only during this call. Without a canvas or a
    // scene nothing happens.
    void Render(Canvas* canvas);

    using RenderObject::Rotate;
    // Orbits about the world origin: pitch about the right direction, then yaw about the up
    // direction, both taken from the pose before the call.
    void Rotate(double yaw, double pitch);

    // The window pixel of a world point, truncated toward zero; points behind the eye are not
    // clipped. Coordinates beyond the int range saturate, NaN gives 0.
    ScreenPoint Project(const Vertex3D& p) const;
    // The world point under a pixel at view depth 1, which is the near plane for nearZ 1; callers
    // cast a ray from the position through it. No homogeneous division.
    Vertex3D Unproject(const ScreenPoint& pt) const;

    // Black for NoColour. Nothing happens outside Render.
    void DrawLine(const Vertex3D& a, const Vertex3D& b, COLORREF colour) override;
    // Culls faces turned away (unless sticker-only), shades by the angle to the line of sight and
    // fills with a black outline. Nothing happens outside Render or for fewer than 3 corners.
    void DrawPolygon(const Vertex3D* corners, int count, COLORREF colour, bool shade) override;
    void SetViewport(double left, double top, double right, double bottom) override;

    // The mean of the corners; the origin for no corners or a single one.
    static Vertex3D Centroid(const Vertex3D* corners, int count);

    // Sticker-only display: black (body) polygons are skipped and faces turned away are painted.
    void SetStickerOnly(bool on);
    bool IsStickerOnly() const { return stickerOnly; }

    // Changes whenever the picture the camera paints could change on its side: its matrices or
    // the sticker-only mode. Equal readings mean the same view.
    std::uint64_t ViewVersion() const { return MatrixVersion() + stickerOnlyChanges; }

private:
    Ls3dObject* scene = nullptr;
    Canvas* canvas = nullptr;
    bool stickerOnly = false;
    std::uint64_t stickerOnlyChanges = 0;
};

// The one live camera, or null.
extern Camera* currentCamera;
