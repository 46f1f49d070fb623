#pragma once

#include <cstdint>

// The shuffle's 32-bit linear congruential generator: values 0..32767.
class LcgRandom {
public:
    static constexpr int maxValue = 0x7FFF;

    explicit LcgRandom(std::uint32_t seed = 0) : state(seed) {}

    void Seed(std::uint32_t seed) { state = seed; }
    int Next() {
        state = state * 214013u + 2531011u;
        return static_cast<int>((state >> 16) & maxValue);
    }

private:
    std::uint32_t state;
};
