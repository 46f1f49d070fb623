#pragma once

#include <cstdint>

// A pre-transformed vertex for the sticker rasteriser: window pixel position, colour 0xAARRGGBB.
struct ScreenVertex {
    float x = 0;
    float y = 0;
    float z = 0;
    float rhw = 1.0f;
    std::uint32_t diffuse = 0;
    float u = 0;
    float v = 0;
};
static_assert(sizeof(ScreenVertex) == 28, "ScreenVertex is a 28-byte record");

// The optional hardware pass that fills translucent sticker triangles off-screen. The puzzle
// feeds it while it draws; render/ implements it.
class StickerRasteriser {
public:
    virtual ~StickerRasteriser() = default;
    virtual void SetClearColour(std::uint32_t argb) = 0;
    virtual bool ClearTarget() = 0;
    // Draws count / 3 triangles of the first count vertices (clamped to the capacity).
    virtual bool DrawVertices(const ScreenVertex* vertices, int count, bool cull) = 0;
};
