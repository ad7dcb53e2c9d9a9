#include "noise.h"

#include <cmath>

namespace noise {

uint32_t hash(int32_t x, int32_t y, uint32_t seed) {
    uint32_t h = seed * 0x9E3779B1u;
    h ^= static_cast<uint32_t>(x) * 0x85EBCA77u;
    h = (h << 13) | (h >> 19);
    h ^= static_cast<uint32_t>(y) * 0xC2B2AE3Du;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return h;
}

static inline float lattice(int32_t x, int32_t y, uint32_t seed) {
    return static_cast<float>(hash(x, y, seed) >> 8) * (1.0f / 16777215.0f);
}

static inline int32_t wrap(int32_t i, int period) {
    if (period <= 0) return i;
    int32_t m = i % period;
    return m < 0 ? m + period : m;
}

static inline float fade(float t) { return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f); }

float value(float x, float y, uint32_t seed, int periodX, int periodY) {
    float fx = std::floor(x);
    float fy = std::floor(y);
    int32_t ix = static_cast<int32_t>(fx);
    int32_t iy = static_cast<int32_t>(fy);
    float tx = fade(x - fx);
    float ty = fade(y - fy);
    int32_t x0 = wrap(ix, periodX), x1 = wrap(ix + 1, periodX);
    int32_t y0 = wrap(iy, periodY), y1 = wrap(iy + 1, periodY);
    float a = lattice(x0, y0, seed);
    float b = lattice(x1, y0, seed);
    float c = lattice(x0, y1, seed);
    float d = lattice(x1, y1, seed);
    float top = a + (b - a) * tx;
    float bottom = c + (d - c) * tx;
    return top + (bottom - top) * ty;
}

namespace {

// Octaves of halving weight and doubling frequency; each octave's period
// doubles with it, so the sum repeats exactly where its first octave does.
template <typename Octave>
float sumOctaves(float x, float y, int octaves, int periodX, int periodY, Octave octave) {
    float sum = 0.0f;
    float amp = 1.0f;
    float norm = 0.0f;
    for (int o = 0; o < octaves; ++o) {
        sum += amp * octave(x, y, static_cast<uint32_t>(o), periodX, periodY);
        norm += amp;
        amp *= 0.5f;
        x *= 2.0f;
        y *= 2.0f;
        periodX *= 2;
        periodY *= 2;
    }
    return sum / norm;
}

} // namespace

float fbm(float x, float y, uint32_t seed, int octaves, int periodX, int periodY) {
    return sumOctaves(x, y, octaves, periodX, periodY, [seed](float ox, float oy, uint32_t o, int px, int py) {
        return value(ox, oy, seed + o * 7919u, px, py);
    });
}

float ridged(float x, float y, uint32_t seed, int octaves, int periodX, int periodY) {
    return sumOctaves(x, y, octaves, periodX, periodY, [seed](float ox, float oy, uint32_t o, int px, int py) {
        float n = value(ox, oy, seed + o * 104729u, px, py);
        float r = 1.0f - std::fabs(2.0f * n - 1.0f);
        return r * r;
    });
}

} // namespace noise
