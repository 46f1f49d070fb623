#pragma once

#include "puzzle/CCube.h"
#include "puzzle/CMozai.h"

#include <cstdint>
#include <cstring>

// A fingerprint of everything the puzzle's drawing depends on: where every cubie's corners are,
// the colour of every face, whether the sticker pass is fed, and whether (and which) face carries
// the grab outline. Two equal fingerprints draw the same picture from the same view: the oracle
// the puzzle's own change count is checked against.

// Folds a value into a running fingerprint.
class SignatureMixer {
public:
    void Add(std::uint64_t word);
    void Add(double value);
    std::uint64_t Value() const { return state; }

private:
    std::uint64_t state = 0x9E3779B97F4A7C15ull;
};

inline void SignatureMixer::Add(std::uint64_t word) {
    // One multiply-xorshift round per word: cheap, and any changed bit spreads.
    state ^= word + 0x9E3779B97F4A7C15ull + (state << 6) + (state >> 2);
    state *= 0xFF51AFD7ED558CCDull;
    state ^= state >> 33;
}

inline void SignatureMixer::Add(double value) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    Add(bits);
}

inline std::uint64_t DrawSignature(const CMozai& puzzle) {
    SignatureMixer mix;
    const int n = puzzle.Size();
    mix.Add(static_cast<std::uint64_t>(n));
    mix.Add(static_cast<std::uint64_t>(puzzle.Direct3D()));
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            for (int k = 0; k < n; ++k) {
                CCube* cubie = puzzle.Cubie(i, j, k);
                if (!cubie)
                    continue;
                for (const Vertex3D& c : cubie->Corners()) {
                    mix.Add(c.x);
                    mix.Add(c.y);
                    mix.Add(c.z);
                }
                for (int f = 0; f < CCube::faceCount; ++f)
                    mix.Add(static_cast<std::uint64_t>(cubie->Face(f)->colour));
            }
        }
    }
    // The outline of a grabbed face shows only under these conditions.
    const ActiveTwist* twist = puzzle.CurrentTwist();
    const bool outlined = twist && puzzle.ShuffleRemaining() <= 0 &&
                          twist->kind == TwistKind::UserTwist && twist->face;
    mix.Add(outlined ? reinterpret_cast<std::uintptr_t>(twist->face) : 0);
    return mix.Value();
}
