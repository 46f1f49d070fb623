#pragma once

#include <QRect>
#include <QSize>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "scene/StickerRasteriser.h"

class QImage;
class QOffscreenSurface;
class QOpenGLBuffer;
class QOpenGLContext;
class QOpenGLFramebufferObject;
class QOpenGLShaderProgram;
class QWidget;

// The off-screen sticker rasteriser behind the "DirectX" graphic mode, on OpenGL: it fills
// pre-transformed, alpha-blended triangles into a framebuffer of the window's client size, and
// the frame painter ORs that picture into its own. It never presents anything. Without an OpenGL
// context it is not available and every call says so. GUI thread only; release it before the
// application object goes.
class D3DRenderer : public StickerRasteriser {
public:
    // The client size in device pixels; an empty size means none can be read.
    using SizeSource = std::function<QSize()>;
    // Device pixels per window pixel: the vertices come in window pixels.
    using RatioSource = std::function<qreal()>;

    static constexpr std::uint32_t initialClearColour = 0xFF000000;

    // The client size is the window's size() at its device pixel ratio. A null window cannot be
    // created.
    D3DRenderer(QWidget* window, int stickerCapacity);
    D3DRenderer(SizeSource clientSize, int stickerCapacity, RatioSource ratio = {});
    ~D3DRenderer() override;
    D3DRenderer(const D3DRenderer&) = delete;
    D3DRenderer& operator=(const D3DRenderer&) = delete;

    bool Create();
    bool available() const { return isAvailable; }
    int StickerCapacity() const { return stickerCapacity; }
    // The back buffer's size; empty while there is none (no context, or a zero client size).
    QSize TargetSize() const;

    void SetClearColour(std::uint32_t argb) override;
    bool ClearTarget() override;
    // Draws count / 3 triangles of at most StickerCapacity() vertices; cull drops the triangles
    // that run clockwise on screen.
    bool DrawVertices(const ScreenVertex* vertices, int count, bool cull) override;
    // ORs the back buffer into the frame's top-left width x height pixels (low 24 bits).
    bool CopyToDC(QImage& frame, int width, int height);
    // Reallocates the back buffer at the current client size.
    bool ResetForSize();
    // Whether the back buffer needs ResetForSize: the client size or pixel ratio moved away from
    // it, or the context was lost. Never while not available.
    bool TargetStale() const;
    // Frees everything and forgets the window; may be called at any point.
    void Release();

private:
    bool MakeCurrent();
    bool BuildProgram();
    void AllocateTarget();
    void DropGl();

    SizeSource clientSize;
    RatioSource ratioSource;
    qreal pixelRatio = 1.0;
    int stickerCapacity = 0;
    bool isAvailable = false;
    std::uint32_t clearColour = initialClearColour;

    std::unique_ptr<QOpenGLContext> context;
    std::unique_ptr<QOffscreenSurface> surface;
    std::unique_ptr<QOpenGLShaderProgram> program;
    std::unique_ptr<QOpenGLBuffer> stickerBuffer;
    std::unique_ptr<QOpenGLFramebufferObject> backBuffer;
    std::vector<unsigned char> readBack;
    // The part of the back buffer that may differ from black since it was last cleared.
    QRect drawn;
};
