#include "render/D3DRenderer.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QOffscreenSurface>
#include <QOpenGLBuffer>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QOpenGLFunctions>
#include <QOpenGLShaderProgram>
#include <QPointer>
#include <QVector2D>
#include <QWidget>
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstddef>

namespace {

constexpr int positionAttribute = 0;
constexpr int diffuseAttribute = 1;
constexpr int vertexStride = sizeof(ScreenVertex);
constexpr std::size_t bytesPerPixel = 4;
#ifndef GL_BGRA
#define GL_BGRA 0x80E1
#endif
#ifndef GL_UNSIGNED_INT_8_8_8_8_REV
#define GL_UNSIGNED_INT_8_8_8_8_REV 0x8367
#endif

// Window pixels to clip space. Window row y becomes framebuffer row y: the picture lies upside
// down in OpenGL's bottom-up framebuffer, so its rows read back in window order and the edges
// that OpenGL's fill rule includes (its bottom and left) are the window's top and left, as in
// D3D. D3D puts pixel centres on integer coordinates, OpenGL half a pixel further, hence the
// shift. The diffuse bytes arrive in memory order B, G, R, A.
const char* const vertexShader = R"(
attribute vec2 position;
attribute vec4 diffuseBgra;
uniform vec2 targetSize;
varying vec4 colour;
void main() {
    colour = diffuseBgra.zyxw;
    gl_Position = vec4((position + 0.5) / targetSize * 2.0 - 1.0, 0.0, 1.0);
}
)";

const char* const fragmentShader = R"(
#ifdef GL_ES
precision mediump float;
#endif
varying vec4 colour;
void main() {
    gl_FragColor = colour;
}
)";

bool HasGuiApplication() {
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

float Channel(std::uint32_t argb, int shift) {
    return static_cast<float>((argb >> shift) & 0xFFu) / 255.0f;
}

// The device pixels the triangles can touch: their bounding box in window pixels, a pixel wider
// on every side than the fill rule and the centre offset need. Everything for a coordinate that
// is no finite number.
QRect Reach(const ScreenVertex* vertices, int count, qreal ratio, const QRect& target) {
    float left = vertices[0].x, right = left, top = vertices[0].y, bottom = top;
    for (int i = 1; i < count; ++i) {
        left = std::min(left, vertices[i].x);
        right = std::max(right, vertices[i].x);
        top = std::min(top, vertices[i].y);
        bottom = std::max(bottom, vertices[i].y);
    }
    if (!std::isfinite(left) || !std::isfinite(right) || !std::isfinite(top) ||
        !std::isfinite(bottom)) {
        return target;
    }
    const auto clamp = [](double v) { return static_cast<int>(std::clamp(v, -1e6, 1e6)); };
    const int x0 = clamp(std::floor(left * ratio)) - 2;
    const int y0 = clamp(std::floor(top * ratio)) - 2;
    const int x1 = clamp(std::ceil((right + 1) * ratio)) + 2;
    const int y1 = clamp(std::ceil((bottom + 1) * ratio)) + 2;
    return QRect(QPoint(x0, y0), QPoint(x1, y1)) & target;
}

} // namespace

D3DRenderer::D3DRenderer(QWidget* window, int stickerCapacity)
    : D3DRenderer(window == nullptr ? SizeSource() : SizeSource([w = QPointer<QWidget>(window)] {
                      return w ? (QSizeF(w->size()) * w->devicePixelRatioF()).toSize() : QSize();
                  }),
                  stickerCapacity,
                  [w = QPointer<QWidget>(window)] { return w ? w->devicePixelRatioF() : 1.0; }) {}

D3DRenderer::D3DRenderer(SizeSource clientSize, int stickerCapacity, RatioSource ratio)
    : clientSize(std::move(clientSize)), ratioSource(std::move(ratio)),
      stickerCapacity(stickerCapacity) {
    Create();
}

D3DRenderer::~D3DRenderer() {
    Release();
}

bool D3DRenderer::Create() {
    if (isAvailable) {
        return true;
    }
    if (!clientSize || stickerCapacity <= 0 || stickerCapacity > INT_MAX / vertexStride ||
        !HasGuiApplication()) {
        return false;
    }
    context = std::make_unique<QOpenGLContext>();
    if (!context->create()) {
        DropGl();
        return false;
    }
    surface = std::make_unique<QOffscreenSurface>();
    surface->setFormat(context->format());
    surface->create();
    if (!surface->isValid() || !MakeCurrent() ||
        !QOpenGLFramebufferObject::hasOpenGLFramebufferObjects() || !BuildProgram()) {
        DropGl();
        return false;
    }
    stickerBuffer = std::make_unique<QOpenGLBuffer>(QOpenGLBuffer::VertexBuffer);
    stickerBuffer->setUsagePattern(QOpenGLBuffer::DynamicDraw);
    if (!stickerBuffer->create() || !stickerBuffer->bind()) {
        DropGl();
        return false;
    }
    stickerBuffer->allocate(stickerCapacity * vertexStride);
    stickerBuffer->release();
    AllocateTarget();
    isAvailable = true;
    return true;
}

QSize D3DRenderer::TargetSize() const {
    return backBuffer ? backBuffer->size() : QSize();
}

void D3DRenderer::SetClearColour(std::uint32_t argb) {
    clearColour = argb;
}

bool D3DRenderer::ClearTarget() {
    if (!isAvailable || !backBuffer || !MakeCurrent()) {
        return false;
    }
    QOpenGLFunctions* gl = context->functions();
    backBuffer->bind();
    gl->glDisable(GL_SCISSOR_TEST);
    gl->glClearColor(Channel(clearColour, 16), Channel(clearColour, 8), Channel(clearColour, 0),
                     Channel(clearColour, 24));
    gl->glClear(GL_COLOR_BUFFER_BIT);
    // A black clear ORs nothing into the frame: only what is drawn next needs reading back.
    drawn = (clearColour & 0xFFFFFFu) != 0 ? QRect(QPoint(), backBuffer->size()) : QRect();
    return true;
}

bool D3DRenderer::DrawVertices(const ScreenVertex* vertices, int count, bool cull) {
    if (!isAvailable) {
        return false;
    }
    count = std::min(count, stickerCapacity);
    // Like a vertex buffer that cannot be locked: the frame's triangles are skipped.
    if (vertices == nullptr || count < 3 || !backBuffer || !MakeCurrent()) {
        return true;
    }
    QOpenGLFunctions* gl = context->functions();
    stickerBuffer->bind();
    stickerBuffer->write(0, vertices, count * vertexStride);

    backBuffer->bind();
    gl->glViewport(0, 0, backBuffer->width(), backBuffer->height());
    gl->glDisable(GL_DEPTH_TEST);
    gl->glDisable(GL_DITHER);
    gl->glEnable(GL_BLEND);
    gl->glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    if (cull) {
        // Clockwise on screen (y down) is counter-clockwise in the upside-down framebuffer.
        gl->glEnable(GL_CULL_FACE);
        gl->glFrontFace(GL_CCW);
        gl->glCullFace(GL_FRONT);
    } else {
        gl->glDisable(GL_CULL_FACE);
    }

    program->bind();
    program->setUniformValue("targetSize",
                             QVector2D(static_cast<float>(backBuffer->width() / pixelRatio),
                                       static_cast<float>(backBuffer->height() / pixelRatio)));
    gl->glEnableVertexAttribArray(positionAttribute);
    gl->glEnableVertexAttribArray(diffuseAttribute);
    gl->glVertexAttribPointer(positionAttribute, 2, GL_FLOAT, GL_FALSE, vertexStride,
                              reinterpret_cast<const void*>(offsetof(ScreenVertex, x)));
    gl->glVertexAttribPointer(diffuseAttribute, 4, GL_UNSIGNED_BYTE, GL_TRUE, vertexStride,
                              reinterpret_cast<const void*>(offsetof(ScreenVertex, diffuse)));
    gl->glDrawArrays(GL_TRIANGLES, 0, count / 3 * 3);
    drawn |= Reach(vertices, count / 3 * 3, pixelRatio, QRect(QPoint(), backBuffer->size()));
    gl->glDisableVertexAttribArray(positionAttribute);
    gl->glDisableVertexAttribArray(diffuseAttribute);
    program->release();
    stickerBuffer->release();
    return true;
}

bool D3DRenderer::CopyToDC(QImage& frame, int width, int height) {
    if (!isAvailable || frame.isNull() || !backBuffer || !MakeCurrent()) {
        return false;
    }
    const int w = std::min({width, frame.width(), backBuffer->width()});
    const int h = std::min({height, frame.height(), backBuffer->height()});
    if (w <= 0 || h <= 0) {
        return true;
    }
    if (frame.format() != QImage::Format_RGB32 && frame.format() != QImage::Format_ARGB32 &&
        frame.format() != QImage::Format_ARGB32_Premultiplied) {
        frame = frame.convertToFormat(QImage::Format_RGB32);
    }
    const QRect read = drawn & QRect(0, 0, w, h);
    if (read.isEmpty()) {
        return true;
    }
    const std::size_t rowPixels = static_cast<std::size_t>(read.width());
    readBack.resize(rowPixels * static_cast<std::size_t>(read.height()) * bytesPerPixel);
    QOpenGLFunctions* gl = context->functions();
    backBuffer->bind();
    gl->glPixelStorei(GL_PACK_ALIGNMENT, 4);
    // Desktop OpenGL hands pixels over as QImage keeps them; OpenGL ES only as R, G, B, A bytes.
    const bool asQRgb = !context->isOpenGLES();
    gl->glReadPixels(read.x(), read.y(), read.width(), read.height(), asQRgb ? GL_BGRA : GL_RGBA,
                     asQRgb ? GL_UNSIGNED_INT_8_8_8_8_REV : GL_UNSIGNED_BYTE, readBack.data());
    for (int y = 0; y < read.height(); ++y) {
        const unsigned char* src = readBack.data() + y * rowPixels * bytesPerPixel;
        auto* dst = reinterpret_cast<QRgb*>(frame.scanLine(read.y() + y)) + read.x();
        if (asQRgb) {
            const auto* pixels = reinterpret_cast<const QRgb*>(src);
            for (std::size_t x = 0; x < rowPixels; ++x) {
                dst[x] |= pixels[x] & 0x00FFFFFFu;
            }
        } else {
            for (std::size_t x = 0; x < rowPixels; ++x, src += bytesPerPixel) {
                dst[x] |= (static_cast<QRgb>(src[0]) << 16) | (static_cast<QRgb>(src[1]) << 8) |
                          static_cast<QRgb>(src[2]);
            }
        }
    }
    return true;
}

bool D3DRenderer::ResetForSize() {
    if (!isAvailable) {
        return false;
    }
    backBuffer.reset();
    if (MakeCurrent()) {
        AllocateTarget();
    }
    return true;
}

bool D3DRenderer::TargetStale() const {
    if (!isAvailable) {
        return false;
    }
    if (!context || !context->isValid() || (ratioSource && ratioSource() != pixelRatio)) {
        return true;
    }
    const QSize size = clientSize ? clientSize() : QSize();
    return size.isEmpty() ? backBuffer != nullptr : !backBuffer || backBuffer->size() != size;
}

void D3DRenderer::Release() {
    DropGl();
    clientSize = nullptr;
    stickerCapacity = 0;
    isAvailable = false;
}

bool D3DRenderer::MakeCurrent() {
    if (!context || !surface) {
        return false;
    }
    // Asked again each frame, the window system would be asked to make it current again.
    return (QOpenGLContext::currentContext() == context.get() &&
            context->surface() == surface.get()) ||
           context->makeCurrent(surface.get());
}

bool D3DRenderer::BuildProgram() {
    program = std::make_unique<QOpenGLShaderProgram>();
    program->addShaderFromSourceCode(QOpenGLShader::Vertex, vertexShader);
    program->addShaderFromSourceCode(QOpenGLShader::Fragment, fragmentShader);
    program->bindAttributeLocation("position", positionAttribute);
    program->bindAttributeLocation("diffuseBgra", diffuseAttribute);
    return program->link();
}

void D3DRenderer::AllocateTarget() {
    const QSize size = clientSize ? clientSize() : QSize();
    pixelRatio = ratioSource ? ratioSource() : 1.0;
    if (size.isEmpty() || pixelRatio <= 0) {
        return;
    }
    backBuffer = std::make_unique<QOpenGLFramebufferObject>(size);
    if (!backBuffer->isValid()) {
        backBuffer.reset();
        return;
    }
    // A new back buffer holds no picture: ORing it in changes nothing.
    QOpenGLFunctions* gl = context->functions();
    backBuffer->bind();
    gl->glClearColor(0, 0, 0, 0);
    gl->glClear(GL_COLOR_BUFFER_BIT);
    drawn = QRect();
}

void D3DRenderer::DropGl() {
    const bool current = MakeCurrent();
    backBuffer.reset();
    if (stickerBuffer && current) {
        stickerBuffer->destroy();
    }
    stickerBuffer.reset();
    program.reset();
    if (current) {
        context->doneCurrent();
    }
    surface.reset();
    context.reset();
    readBack.clear();
    readBack.shrink_to_fit();
}
