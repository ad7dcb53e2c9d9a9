// The far view: the fall seen whole from across its gorge. A tall white
// column drops from a forested lip between two darker cliffs into a pool;
// mist rises from the plunge and hangs over everything.
#include <cmath>

#include "fmath.h"
#include "glow.h"
#include "materials.h"
#include "noise.h"
#include "scenes.h"

using fm::bump;
using fm::clamp01;
using fm::mix;
using fm::smoothstep;

namespace {

constexpr float kFallX = 240.0f;   // centre of the column
constexpr float kLipY = 205.0f;    // where the water leaves the lip
constexpr float kPoolY = 470.0f;   // the pool's far shore, where the water lands
constexpr float kFallPeriod = 240.0f;
constexpr float kSprayPeriod = 120.0f;
constexpr float kRipplePeriod = 20.0f;
constexpr float kFoamPeriod = 36.0f;

// Geometry, as functions of one coordinate.
float lipY(float x) {
    float notch = smoothstep(55.0f, 25.0f, std::fabs(x - kFallX));
    return kLipY - 6.0f + 10.0f * noise::fbm(x / 45.0f, 0.5f, 301u, 3) + 5.0f * notch;
}
// The side cliffs close in towards the plunge, then fall back as their
// feet curve out round the pool towards the viewer.
float recede(float y) { float t = smoothstep(kPoolY - 40.0f, 660.0f, y); return 190.0f * t * (0.6f + 0.4f * t); }
float leftEdge(float y) {
    return 150.0f + 0.10f * (y - 200.0f) + 26.0f * (noise::fbm(y / 38.0f, 2.5f, 302u, 4) - 0.5f) - recede(y);
}
float rightEdge(float y) {
    return 332.0f - 0.09f * (y - 200.0f) + 26.0f * (noise::fbm(y / 38.0f, 7.5f, 303u, 4) - 0.5f) + recede(y);
}
float leftTop(float x) { return 92.0f + 0.30f * x + 16.0f * noise::fbm(x / 35.0f, 1.5f, 304u, 4); }
float rightTop(float x) { return 80.0f + 0.30f * (480.0f - x) + 16.0f * noise::fbm(x / 35.0f, 3.5f, 305u, 4); }
float fallCentre(float y) { return kFallX + 3.0f * static_cast<float>(fm::sin(y * 0.013)); }
float fallHalfWidth(float y) {
    float t = clamp01((y - kLipY) / (kPoolY - kLipY));
    return 22.0f + 20.0f * t;
}
// Distance along the fall: water speeds up as it drops, so the pattern
// moves further on screen near the bottom than near the lip.
float fallAlong(float y) { return 60.0f * std::sqrt(std::max(0.0f, y - kLipY + 20.0f)); }

float cover(float inside) { return clamp01(inside + 0.5f); } // edge anti-aliasing

Rgb sky(float x, float y) {
    float t = clamp01(y / 240.0f);
    Rgb c = lerp(rgb(0.36f, 0.53f, 0.73f), rgb(0.80f, 0.87f, 0.92f), t * t * (3.0f - 2.0f * t));
    float cloud = noise::fbm(x / 150.0f, y / 45.0f, 310u, 5);
    c = lerp(c, rgb(0.95f, 0.96f, 0.97f), smoothstep(0.48f, 0.78f, cloud) * 0.75f);
    return c;
}

Rgb haze(Rgb c, float amount) { return lerp(c, mat::kMist, clamp01(amount)); }

// Everything that does not move: sky, hills, cliffs, forest, the pool's
// still colour. The water is laid over it frame by frame.
Image renderStill(std::vector<float>& stillMist) {
    Image img(kFrameWidth, kFrameHeight);
    stillMist.assign(img.px.size(), 0.0f);
    for (int py = 0; py < kFrameHeight; ++py) {
        float y = static_cast<float>(py) + 0.5f;
        float le = leftEdge(y), re = rightEdge(y);
        for (int px = 0; px < kFrameWidth; ++px) {
            float x = static_cast<float>(px) + 0.5f;
            Rgb c = sky(x, y);

            // Two ranges of hills behind the lip, paler with distance.
            float ridge1 = 150.0f + 45.0f * noise::fbm(x / 170.0f, 0.3f, 320u, 4) - 25.0f;
            Rgb hill1 = lerp(rgb(0.56f, 0.66f, 0.77f), rgb(0.62f, 0.72f, 0.82f), clamp01((y - ridge1) / 60.0f));
            c = lerp(c, hill1, cover(y - ridge1));
            float ridge2 = 178.0f + 30.0f * noise::fbm(x / 90.0f, 0.7f, 321u, 4) - 10.0f -
                           0.6f * mat::treeline(x, 322u, 5.0f, 2.0f, 8.0f);
            Rgb hill2 = haze(mat::foliage(x, y, 323u, 10.0f), 0.55f);
            c = lerp(c, hill2, cover(y - ridge2));

            // The lip's forest and the back wall the water runs down.
            float lip = lipY(x);
            float notch = smoothstep(38.0f, 60.0f, std::fabs(x - kFallX));
            float canopy = lip + 3.0f - notch * mat::treeline(x, 330u, 6.0f, 8.0f, 26.0f);
            c = lerp(c, haze(mat::foliage(x, y, 331u, 7.0f), 0.3f), cover(y - canopy) * notch);
            if (y > lip) {
                float wet = bump(std::fabs(x - fallCentre(y)) / (fallHalfWidth(y) + 45.0f));
                float depth = clamp01((y - lip) / (kPoolY - lip));
                Rgb wall = mat::rock(x, y, 340u, 24.0f, wet);
                float ledge = smoothstep(0.60f, 0.68f, noise::fbm(x / 28.0f, y / 14.0f, 341u, 4)) *
                              smoothstep(30.0f, 70.0f, std::fabs(x - kFallX));
                wall = lerp(wall, mat::foliage(x, y, 342u, 5.0f), ledge);
                c = lerp(c, haze(wall, 0.22f + 0.25f * depth), cover(y - lip));
            }

            // Pool: lighter where the water is stirred up, deep at the edges.
            float shore = kPoolY + 4.0f * (noise::fbm(x / 30.0f, 9.0f, 350u, 3) - 0.5f);
            if (y > shore - 1.0f) {
                float dx = (x - kFallX) / 200.0f, dy = (y - kPoolY) / 150.0f;
                float near = clamp01(1.0f - std::sqrt(dx * dx + dy * dy));
                Rgb water = lerp(mat::kDeepWater, rgb(0.28f, 0.46f, 0.55f), near * near);
                // Mirror of the bright column, broken up by the surface.
                float mirror = bump(std::fabs(x - kFallX) / 55.0f) * smoothstep(kPoolY + 140.0f, kPoolY + 10.0f, y);
                water = lerp(water, rgb(0.62f, 0.74f, 0.82f), mirror * 0.45f);
                // Dark reflections of the cliffs near the sides.
                float side = smoothstep(90.0f, 200.0f, std::fabs(x - kFallX));
                water = lerp(water, rgb(0.05f, 0.12f, 0.12f), side * 0.55f);
                c = lerp(c, water, cover(y - shore));
            }

            // The two side cliffs, nearer, so darker and sharper, crowned
            // with forest that spills down their faces.
            auto sideCliff = [&](float edgeDist, float top, uint32_t seed, bool lit) {
                float edgeCover = cover(edgeDist);
                if (edgeCover <= 0.0f) return;
                float treeTop = top - mat::treeline(x, seed, 9.0f, 10.0f, 34.0f);
                float forestDepth = 38.0f + 40.0f * noise::fbm(x / 40.0f, 5.0f, seed + 1u, 3);
                Rgb face = mat::rock(x, y, seed + 2u, 34.0f, 0.0f) * (lit ? 0.78f : 0.58f);
                // The face turns away from the light near the gorge: a shadowed rim.
                float rim = clamp01(1.0f - std::fabs(edgeDist) / 18.0f);
                face = face * (1.0f - 0.35f * rim);
                float patches = smoothstep(0.50f, 0.60f, noise::fbm(x / 34.0f, y / 22.0f, seed + 3u, 4));
                face = lerp(face, mat::foliage(x, y, seed + 4u, 6.0f), patches);
                float inForest = cover(top + forestDepth - y);
                Rgb s = lerp(face, mat::foliage(x, y, seed + 5u, 8.0f), inForest);
                float depth = clamp01((y - 100.0f) / 450.0f);
                s = haze(s, 0.06f + 0.16f * depth);
                c = lerp(c, s, cover(y - treeTop) * edgeCover);
            };
            sideCliff(le - x, leftTop(x), 360u, false);
            sideCliff(x - re, rightTop(x), 370u, true);

            // Boulders along the near shore, framing the bottom corners.
            float boulderTop = 600.0f - 70.0f * smoothstep(200.0f, 0.0f, x) - 55.0f * smoothstep(300.0f, 480.0f, x) +
                               18.0f * noise::fbm(x / 22.0f, 4.0f, 380u, 4);
            Rgb boulder = haze(mat::rock(x, y, 381u, 18.0f, 0.3f) * 0.62f, 0.04f);
            float bush = smoothstep(0.55f, 0.62f, noise::fbm(x / 25.0f, y / 18.0f, 382u, 4));
            boulder = lerp(boulder, mat::foliage(x, y, 383u, 5.0f), bush);
            c = lerp(c, boulder, cover(y - boulderTop));

            img.at(px, py) = c;

            // Mist that lingers: a bank over the pool and a veil along the
            // gorge at mid height. It does not move, so it is part of the
            // still picture's description but applied over the water too.
            float bank = bump(std::sqrt(fm::sq((x - kFallX) / 280.0f) + fm::sq((y - 440.0f) / 170.0f)));
            float veil = bump(std::fabs(y - 340.0f) / 170.0f) * 0.45f;
            float gorge = smoothstep(230.0f, 470.0f, y) * smoothstep(640.0f, 520.0f, y) * 0.35f;
            float wisps = noise::fbm(x / 110.0f, y / 30.0f, 390u, 5);
            float streaks = smoothstep(0.45f, 0.75f, noise::fbm(x / 160.0f, y / 12.0f, 391u, 4));
            stillMist[static_cast<size_t>(py) * kFrameWidth + px] =
                clamp01((0.6f * bank + veil + gorge) * (0.35f + 0.9f * wisps) + 0.3f * streaks * veil);
        }
    }
    return img;
}

// The moving parts of frame f laid over the still picture.
void renderWater(const Image& still, const std::vector<float>& stillMist, int f, Image& out) {
    out = still;
    for (int py = 0; py < kFrameHeight; ++py) {
        float y = static_cast<float>(py) + 0.5f;
        float cx = fallCentre(y), hw = fallHalfWidth(y);
        float along = fallAlong(y);
        float t = clamp01((y - kLipY) / (kPoolY - kLipY));
        for (int px = 0; px < kFrameWidth; ++px) {
            float x = static_cast<float>(px) + 0.5f;
            Rgb c = out.at(px, py);

            // The falling column.
            if (y > kLipY - 4.0f && y < kPoolY + 12.0f && std::fabs(x - cx) < hw + 20.0f) {
                float across = x - cx;
                float fray = (mat::fallingWater(across * 0.5f, along, f, kFallPeriod, 2.0f, 410u) - 0.5f) * (6.0f + 14.0f * t);
                float inside = hw - std::fabs(across) + fray;
                float alpha = smoothstep(-3.0f, 5.0f, inside) * cover(y - (kLipY - 2.0f)) *
                              smoothstep(kPoolY + 12.0f, kPoolY + 2.0f, y);
                float b = mat::fallingWater(across, along, f, kFallPeriod, 2.2f, 400u);
                float edgeDark = smoothstep(0.0f, hw, std::fabs(across)) * 0.25f;
                Rgb shade = rgb(0.40f, 0.56f, 0.68f);
                Rgb water = lerp(shade, mat::kFoam, clamp01(b * (1.0f - edgeDark) + 0.25f * t));
                // Where the river bends over the lip it is still glassy.
                float glass = smoothstep(kLipY + 16.0f, kLipY, y);
                water = lerp(water, lerp(rgb(0.30f, 0.45f, 0.50f), rgb(0.85f, 0.93f, 0.97f), b * b), glass * 0.8f);
                c = lerp(c, water, alpha * (0.88f + 0.12f * b));
            }

            // The pool's surface: foam at the plunge, rings moving out.
            if (y > kPoolY - 16.0f) {
                float ex = (x - kFallX) / 1.0f, ey = (y - (kPoolY + 6.0f)) * 3.6f;
                float r = std::sqrt(ex * ex + ey * ey);
                float ring = static_cast<float>(fm::sin(fm::kTwoPi * (r / kRipplePeriod - static_cast<float>(f) / 3.0f)));
                float fade = bump(r / 260.0f) * smoothstep(40.0f, 70.0f, r);
                float broken = noise::fbm(x / 14.0f, y / 5.0f, 420u, 3);
                c = lerp(c, c * 0.75f, clamp01(-ring) * fade * broken * 0.7f);
                c = lerp(c, rgb(0.75f, 0.85f, 0.92f), clamp01(ring) * fade * broken * 0.35f);
                float fr = std::sqrt(fm::sq((x - kFallX) / 100.0f) + fm::sq((y - kPoolY - 2.0f) / 24.0f));
                float froth = mat::foam(x, r, f, kFoamPeriod, 9.0f, 430u);
                float foamCover = smoothstep(1.0f, 0.45f, fr + (froth - 0.5f) * 0.6f) *
                                  smoothstep(kPoolY - 16.0f, kPoolY - 4.0f, y + froth * 10.0f);
                c = lerp(c, lerp(rgb(0.70f, 0.80f, 0.88f), mat::kFoam, froth), foamCover);
            }

            // Spray boiling up from the plunge, and the mist that stays.
            float sprayEnv = bump(std::sqrt(fm::sq((x - kFallX) / 125.0f) + fm::sq((y - 450.0f) / 95.0f)));
            float spray = sprayEnv > 0.0f ? mat::rollingMist(x, y, f, kSprayPeriod, 28.0f, 440u) * sprayEnv : 0.0f;
            float columnMist = bump(std::fabs(x - cx) / (hw + 30.0f)) * t * 0.5f;
            float moving = columnMist > 0.0f ? columnMist * mat::rollingMist(x, y, f, kSprayPeriod, 14.0f, 450u) : 0.0f;
            float still = stillMist[static_cast<size_t>(py) * kFrameWidth + px];
            c = lerp(c, mat::kMist, clamp01(still * 0.75f));
            c = screen(c, mat::kMist * clamp01(0.85f * spray + 0.6f * moving));
            out.at(px, py) = c;
        }
    }
    addGlow(out, 0.62f, 10, 0.55f);
}

} // namespace

void renderFarView(Image frames[kFramesPerView]) {
    std::vector<float> stillMist;
    Image still = renderStill(stillMist);
    for (int f = 0; f < kFramesPerView; ++f) renderWater(still, stillMist, f, frames[f]);
}

StillArea farStillArea() { return StillArea{8, 260, 100, 420}; }
