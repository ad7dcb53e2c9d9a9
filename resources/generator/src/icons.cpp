#include "icons.h"

#include <cmath>
#include <functional>

#include "fmath.h"
#include "quantize.h"

using fm::clamp01;
using fm::smoothstep;

namespace {

// A motif: at (u, v) in the unit square, whether the shape covers the point
// and its colour there.
struct Sample {
    bool inside = false;
    Rgb colour;
};
using Motif = std::function<Sample(float u, float v)>;

constexpr int kSub = 4;

// Samples the motif, then adds a one-pixel dark outline so the shape still
// reads on any desktop colour at 16 and 32 pixels.
void rasterise(const Motif& motif, int size, bool outline, Image& colour, std::vector<uint8_t>& opaque) {
    colour = Image(size, size);
    opaque.assign(static_cast<size_t>(size) * size, 0);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            Rgb sum{};
            int hits = 0;
            for (int sy = 0; sy < kSub; ++sy) {
                for (int sx = 0; sx < kSub; ++sx) {
                    float u = (static_cast<float>(x) + (static_cast<float>(sx) + 0.5f) / kSub) / static_cast<float>(size);
                    float v = (static_cast<float>(y) + (static_cast<float>(sy) + 0.5f) / kSub) / static_cast<float>(size);
                    Sample s = motif(u, v);
                    if (!s.inside) continue;
                    sum = sum + s.colour;
                    ++hits;
                }
            }
            if (hits * 2 >= kSub * kSub) {
                colour.at(x, y) = sum * (1.0f / static_cast<float>(hits));
                opaque[static_cast<size_t>(y) * size + x] = 1;
            }
        }
    }
    if (!outline) return;
    std::vector<uint8_t> grown = opaque;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            if (opaque[static_cast<size_t>(y) * size + x]) continue;
            bool touches = false;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    int nx = x + dx, ny = y + dy;
                    if ((dx == 0) == (dy == 0)) continue; // edge neighbours only
                    if (nx >= 0 && ny >= 0 && nx < size && ny < size && opaque[static_cast<size_t>(ny) * size + nx])
                        touches = true;
                }
            if (touches) {
                grown[static_cast<size_t>(y) * size + x] = 1;
                colour.at(x, y) = rgb(0.06f, 0.10f, 0.16f);
            }
        }
    }
    opaque = grown;
}

IconImage finish(const Image& colour, const std::vector<uint8_t>& opaque, int bitsPerPixel) {
    QuantizeOptions options;
    options.colours = 1 << bitsPerPixel;
    options.reserved = {PaletteEntry{0, 0, 0}};
    options.weightMask = &opaque;
    options.dither = Dither::None;
    IconImage icon;
    icon.bitsPerPixel = bitsPerPixel;
    icon.colours = quantize(colour, options);
    // Transparent pixels must be black in the colour bits: the screen is
    // ANDed with the mask and then XORed with them.
    for (size_t i = 0; i < opaque.size(); ++i)
        if (!opaque[i]) icon.colours.index[i] = 0;
    icon.opaque = opaque;
    return icon;
}

IconImage drawIcon(const Motif& motif, int size, int bitsPerPixel) {
    Image colour;
    std::vector<uint8_t> opaque;
    rasterise(motif, size, size <= 32, colour, opaque);
    return finish(colour, opaque, bitsPerPixel);
}

float stripes(float u, float v, float freq) {
    // Vertical streaks that waver a little, like the column in the frames.
    return 0.5f + 0.5f * static_cast<float>(fm::sin(u * freq + 1.3 * fm::sin(v * 9.0)));
}

// A cliff with a forest cap; a white-blue fall drops from a notch into a pool.
Sample fallOverRock(float u, float v) {
    Sample s;
    bool inCliff = u > 0.06f && u < 0.94f && v > 0.16f && v < 0.84f;
    if (inCliff) {
        s.inside = true;
        float shade = 0.75f + 0.25f * stripes(u * 0.6f, v * 0.3f, 40.0f);
        s.colour = lerp(rgb(0.50f, 0.47f, 0.43f), rgb(0.24f, 0.23f, 0.22f), clamp01((v - 0.16f) / 0.7f)) * shade;
        if (u < 0.2f || u > 0.8f) s.colour = s.colour * 0.8f;
    }
    // Forest cap with pointed crowns.
    float crowns = 0.05f * std::fabs(static_cast<float>(fm::sin(u * 31.4)));
    if (u > 0.04f && u < 0.96f && v > 0.10f - crowns && v < 0.26f && std::fabs(u - 0.5f) > 0.11f) {
        s.inside = true;
        s.colour = lerp(rgb(0.16f, 0.42f, 0.20f), rgb(0.06f, 0.22f, 0.10f), clamp01((v - 0.06f) / 0.2f));
    }
    // The fall, widening as it drops.
    float half = 0.09f + 0.05f * clamp01((v - 0.2f) / 0.6f);
    if (std::fabs(u - 0.5f) < half && v > 0.17f && v < 0.86f) {
        s.inside = true;
        float b = stripes(u, v, 70.0f);
        s.colour = lerp(rgb(0.35f, 0.62f, 0.92f), rgb(0.92f, 0.97f, 1.0f), 0.35f + 0.65f * b);
    }
    // Pool with foam where the fall lands.
    float pu = (u - 0.5f) / 0.46f, pv = (v - 0.86f) / 0.11f;
    if (pu * pu + pv * pv < 1.0f) {
        s.inside = true;
        float foamy = clamp01(1.0f - std::sqrt(fm::sq((u - 0.5f) / 0.2f) + fm::sq((v - 0.85f) / 0.06f)));
        s.colour = lerp(rgb(0.10f, 0.36f, 0.62f), rgb(0.92f, 0.96f, 1.0f), smoothstep(0.0f, 0.5f, foamy));
    }
    return s;
}

// A falling drop: a round belly drawn out to a point at the top.
Sample waterDrop(float u, float v) {
    Sample s;
    const float cx = 0.5f, cy = 0.62f, r = 0.30f;
    float dx = u - cx, dy = v - cy;
    bool belly = dx * dx + dy * dy < r * r;
    // Above the belly the width narrows linearly to the tip.
    float tipY = 0.06f;
    bool cone = v > tipY && v < cy && std::fabs(dx) < r * (v - tipY) / (cy - tipY) * 0.98f;
    if (!belly && !cone) return s;
    s.inside = true;
    float t = clamp01((v - tipY) / (cy + r - tipY));
    Rgb body = lerp(rgb(0.45f, 0.75f, 1.0f), rgb(0.05f, 0.30f, 0.75f), t);
    // Light from the upper left: a bright crescent and a glint.
    float lit = clamp01(1.0f - std::sqrt(fm::sq(u - 0.40f) + fm::sq(v - 0.55f)) / 0.22f);
    body = lerp(body, rgb(0.70f, 0.88f, 1.0f), lit * 0.6f);
    if (fm::sq(u - 0.40f) + fm::sq(v - 0.56f) < 0.0036f) body = rgb(1.0f, 1.0f, 1.0f);
    s.colour = body;
    return s;
}

// A round badge of sky with bands of mist curling in towards the middle.
Sample mistSwirl(float u, float v) {
    Sample s;
    float dx = u - 0.5f, dy = v - 0.5f;
    float r = std::sqrt(dx * dx + dy * dy);
    if (r > 0.47f) return s;
    s.inside = true;
    // Angle without atan2 from the C library: a series on the octant.
    float ax = std::fabs(dx), ay = std::fabs(dy);
    float a = ax > ay ? ay / ax : (ay > 0.0f ? ax / ay : 0.0f);
    float s2 = a * a;
    float base = a * (0.9998660f + s2 * (-0.3302995f + s2 * (0.1801410f + s2 * (-0.0851330f + s2 * 0.0208351f))));
    float ang = ax > ay ? base : 1.5707963f - base;
    if (dx < 0.0f) ang = 3.1415927f - ang;
    if (dy < 0.0f) ang = -ang;
    float band = 0.5f + 0.5f * static_cast<float>(fm::sin(ang * 2.0f + r * 26.0f));
    Rgb sky = lerp(rgb(0.20f, 0.45f, 0.78f), rgb(0.08f, 0.22f, 0.50f), r / 0.47f);
    float mist = smoothstep(0.45f, 0.85f, band) * smoothstep(0.47f, 0.30f, r);
    s.colour = lerp(sky, rgb(0.90f, 0.95f, 1.0f), mist);
    if (r > 0.43f) s.colour = rgb(0.85f, 0.92f, 1.0f); // rim
    return s;
}

} // namespace

Image shrink(const Image& source, int x0, int y0, int side, int n) {
    Image out(n, n);
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            int sx0 = x0 + x * side / n, sx1 = x0 + (x + 1) * side / n;
            int sy0 = y0 + y * side / n, sy1 = y0 + (y + 1) * side / n;
            Rgb sum{};
            for (int sy = sy0; sy < sy1; ++sy)
                for (int sx = sx0; sx < sx1; ++sx) sum = sum + source.at(sx, sy);
            out.at(x, y) = sum * (1.0f / static_cast<float>((sx1 - sx0) * (sy1 - sy0)));
        }
    }
    return out;
}

std::vector<IconImage> icon100() { return {drawIcon(fallOverRock, 32, 4)}; }

std::vector<IconImage> icon101() {
    return {drawIcon(fallOverRock, 32, 4), drawIcon(fallOverRock, 48, 8), drawIcon(fallOverRock, 16, 4)};
}

std::vector<IconImage> icon154() { return {drawIcon(waterDrop, 32, 4)}; }

std::vector<IconImage> icon208() { return {drawIcon(mistSwirl, 32, 8)}; }

std::vector<IconImage> icon209(const Image& farView) {
    // The middle of the far view, with the corners rounded off.
    Image tile = shrink(farView, 40, 70, 400, 32);
    std::vector<uint8_t> opaque(32 * 32, 1);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            float dx = std::max(0.0f, std::fabs(static_cast<float>(x) + 0.5f - 16.0f) - 11.0f);
            float dy = std::max(0.0f, std::fabs(static_cast<float>(y) + 0.5f - 16.0f) - 11.0f);
            if (dx * dx + dy * dy > 25.0f) opaque[static_cast<size_t>(y) * 32 + x] = 0;
        }
    return {finish(tile, opaque, 8)};
}
