#include "materials.h"

#include <cmath>

#include "fmath.h"
#include "noise.h"

namespace mat {

using fm::clamp01;
using fm::mix;
using fm::smoothstep;

const Rgb kMist = {0.74f, 0.86f, 0.97f};
const Rgb kFoam = {0.93f, 0.97f, 1.0f};
const Rgb kDeepWater = {0.07f, 0.20f, 0.27f};

Rgb rock(float x, float y, uint32_t seed, float scale, float wet) {
    float s = 1.0f / scale;
    // Height field for shading: broad boulders plus fine grain.
    auto height = [&](float px, float py) {
        float broad = noise::fbm(px * s * 0.8f, py * s * 0.5f, seed, 5);
        float cracks = noise::ridged(px * s * 2.2f, py * s * 0.9f, seed + 11u, 3);
        return broad - 0.35f * cracks;
    };
    float h = height(x, y);
    float hl = height(x - 1.5f, y - 1.5f);
    float light = clamp01(0.5f + (h - hl) * scale * 0.6f);

    // Strata: bands gently tilted and bent by noise.
    float bend = noise::fbm(x * s * 0.3f, y * s * 0.3f, seed + 23u, 3);
    float band = 0.5f + 0.5f * static_cast<float>(fm::sin((y + x * 0.12f) * s * 5.0f + bend * 9.0f));

    Rgb dark = rgb(0.12f, 0.12f, 0.12f);
    Rgb mid = rgb(0.32f, 0.30f, 0.28f);
    Rgb pale = rgb(0.52f, 0.50f, 0.46f);
    float tone = clamp01(0.25f + 0.6f * noise::fbm(x * s * 0.25f, y * s * 0.25f, seed + 5u, 3) + 0.15f * band);
    Rgb c = tone < 0.5f ? lerp(dark, mid, tone * 2.0f) : lerp(mid, pale, (tone - 0.5f) * 2.0f);
    float grain = noise::value(x * 0.6f, y * 0.6f, seed + 91u);
    c = c * ((0.40f + 0.85f * light) * (0.88f + 0.24f * grain));

    // Moss on the lit, rougher parts.
    float moss = smoothstep(0.55f, 0.75f, noise::fbm(x * s * 0.6f, y * s * 0.6f, seed + 41u, 4)) *
                 smoothstep(0.4f, 0.7f, light);
    c = lerp(c, rgb(0.22f, 0.33f, 0.16f) * (0.6f + 0.6f * light), moss * 0.75f);

    // Deep cracks stay dark whatever the light.
    float crack = noise::ridged(x * s * 1.6f, y * s * 0.45f, seed + 77u, 2);
    c = c * (1.0f - 0.55f * smoothstep(0.82f, 0.97f, crack));

    // Wet rock: darker, bluer, with a faint sheen.
    Rgb wetTone = rgb(c.r * 0.55f, c.g * 0.62f, c.b * 0.75f + 0.03f);
    return lerp(c, wetTone, clamp01(wet));
}

Rgb foliage(float x, float y, uint32_t seed, float scale) {
    float s = 1.0f / scale;
    float clumps = noise::fbm(x * s, y * s * 1.3f, seed, 4);
    float fine = noise::value(x * s * 4.0f, y * s * 5.0f, seed + 3u);
    float hl = noise::fbm((x - 1.2f) * s, (y - 1.2f) * s * 1.3f, seed, 4);
    float lit = clamp01(0.5f + (clumps - hl) * scale * 1.4f);
    float v = clamp01(0.15f + 0.75f * clumps * (0.7f + 0.3f * fine));
    Rgb shade = rgb(0.03f, 0.08f, 0.06f);
    Rgb body = rgb(0.09f, 0.19f, 0.11f);
    Rgb light = rgb(0.22f, 0.34f, 0.17f);
    Rgb c = lerp(shade, body, v);
    c = lerp(c, light, clamp01(lit - 0.45f) * v * 1.3f);
    return c;
}

float treeline(float x, uint32_t seed, float spacing, float minHeight, float maxHeight) {
    // Each cell of width `spacing` holds one tree, jittered; the crown is
    // a narrow triangle. The highest crown at x wins.
    float cell = std::floor(x / spacing);
    float best = 0.0f;
    for (int k = -2; k <= 2; ++k) {
        int32_t c = static_cast<int32_t>(cell) + k;
        uint32_t h = noise::hash(c, 17, seed);
        float jitter = static_cast<float>(h & 0xFF) / 255.0f;
        float size = static_cast<float>((h >> 8) & 0xFF) / 255.0f;
        float centre = (static_cast<float>(c) + 0.2f + 0.6f * jitter) * spacing;
        float height = mix(minHeight, maxHeight, size);
        float halfWidth = spacing * (0.75f + 0.5f * static_cast<float>((h >> 16) & 0xFF) / 255.0f);
        float d = std::fabs(x - centre) / halfWidth;
        // Slightly ragged sides: conifer tiers.
        float tiers = 0.08f * static_cast<float>(fm::sin(d * 19.0f + static_cast<float>(h >> 24)));
        float crown = height * (1.0f - d + tiers * d);
        if (crown > best) best = crown;
    }
    return best;
}

float fallingWater(float across, float along, int frame, float period, float grain, uint32_t seed) {
    // Streaks are long in the fall direction and thin across; the lattice
    // repeats along the fall with the period, so shifting by period / 3
    // three times lands on the start again.
    const float cellsAlong = 2.0f;
    float cell = period / cellsAlong;
    float u = (along - static_cast<float>(frame) * period / 3.0f) / cell;
    float v = across / grain;
    int p = static_cast<int>(cellsAlong);
    float coarse = noise::fbm(v * 0.35f, u, seed, 4, 0, p);
    float streak = noise::fbm(v, u * 2.0f, seed + 101u, 3, 0, p * 2);
    float sheets = noise::ridged(v * 0.6f, u * 1.0f, seed + 202u, 2, 0, p);
    float b = 0.45f * coarse + 0.4f * streak + 0.35f * sheets;
    return clamp01((b - 0.3f) * 1.6f);
}

float foam(float x, float radial, int frame, float period, float grain, uint32_t seed) {
    const int cells = 3;
    float cell = period / static_cast<float>(cells);
    float r = (radial - static_cast<float>(frame) * period / 3.0f) / cell;
    float n = noise::fbm(x / grain, r, seed, 4, 0, cells);
    float veins = noise::ridged(x / grain * 2.0f, r * 2.0f, seed + 9u, 3, 0, cells * 2);
    return clamp01(n * 1.1f + 0.35f * veins - 0.2f);
}

float rollingMist(float x, float y, int frame, float period, float scale, uint32_t seed) {
    const int cells = 2;
    float cell = period / static_cast<float>(cells);
    float v = (y + static_cast<float>(frame) * period / 3.0f) / cell;
    float n = noise::fbm(x / scale, v, seed, 5, 0, cells);
    return clamp01((n - 0.3f) * 1.8f);
}

} // namespace mat
