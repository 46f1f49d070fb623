#pragma once

#include <cstdint>

// A colour as the model keeps it everywhere: 0x00BBGGRR, red in the low byte.
using COLORREF = std::uint32_t;

// "No colour": a polygon filled with it gets the background colour, a line gets black.
constexpr COLORREF NoColour = 0xFFFFFFFF;

// The frame's background, also the colour of a cubie face without a sticker.
constexpr COLORREF backgroundColour = 0xDDDDDC;

constexpr int RedOf(COLORREF c) {
    return static_cast<int>(c & 0xFF);
}
constexpr int GreenOf(COLORREF c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int BlueOf(COLORREF c) {
    return static_cast<int>((c >> 16) & 0xFF);
}
constexpr COLORREF Rgb(int r, int g, int b) {
    return static_cast<COLORREF>(r & 0xFF) | (static_cast<COLORREF>(g & 0xFF) << 8) |
           (static_cast<COLORREF>(b & 0xFF) << 16);
}
