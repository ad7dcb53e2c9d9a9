#pragma once
// PCG32 (O'Neill): small, fast and defined bit for bit, so every build
// of the generator draws the same numbers. The standard distributions are
// avoided on purpose: their output differs between library vendors.
#include <cstdint>

class Pcg32 {
public:
    explicit Pcg32(uint64_t seed, uint64_t stream = 0x5DEECE66Dull)
        : state_(0), inc_((stream << 1u) | 1u) {
        next();
        state_ += seed;
        next();
    }

    uint32_t next() {
        uint64_t old = state_;
        state_ = old * 6364136223846793005ull + inc_;
        uint32_t xorshifted = static_cast<uint32_t>(((old >> 18u) ^ old) >> 27u);
        uint32_t rot = static_cast<uint32_t>(old >> 59u);
        return (xorshifted >> rot) | (xorshifted << ((32u - rot) & 31u));
    }

    // Uniform in [0, 1) with 24 bits, exact in a float.
    float unit() { return static_cast<float>(next() >> 8) * (1.0f / 16777216.0f); }

    // Uniform in [lo, hi).
    float range(float lo, float hi) { return lo + (hi - lo) * unit(); }

    // Uniform integer in [0, n), n > 0; the small bias of a modulo is harmless here.
    uint32_t below(uint32_t n) { return next() % n; }

    // Roughly Gaussian (sum of four uniforms), mean 0, deviation about 1.
    float gauss() {
        float s = unit() + unit() + unit() + unit();
        return (s - 2.0f) * 1.7320508f;
    }

private:
    uint64_t state_;
    uint64_t inc_;
};
