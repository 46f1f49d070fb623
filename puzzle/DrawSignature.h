#pragma once

#include <cstdint>

class CMozai;

// A fingerprint of everything the puzzle's drawing depends on: where every cubie's corners are,
// the colour of every face, whether the sticker pass is fed, and whether (and which) face carries
// the grab outline. Two equal fingerprints draw the same picture from the same view, so a frame
// whose fingerprint (with the view's) has not changed need not be painted again.
std::uint64_t DrawSignature(const CMozai& puzzle);

// Folds a value into a running fingerprint.
class SignatureMixer {
public:
    void Add(std::uint64_t word);
    void Add(double value);
    std::uint64_t Value() const { return state; }

private:
    std::uint64_t state = 0x9E3779B97F4A7C15ull;
};
