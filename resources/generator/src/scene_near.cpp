// The near view: standing by the plunge pool and looking up. The falling
// sheet fills the middle of the frame from a lip near the top, wet dark
// walls and hanging forest frame it, and the spray boils up from below.
#include <cmath>

#include "fmath.h"
#include "glow.h"
#include "materials.h"
#include "noise.h"
#include "scenes.h"

using fm::bump;
using fm::clamp01;
using fm::smoothstep;

namespace {

constexpr float kLipY = 96.0f;
constexpr float kPlungeY = 575.0f;
constexpr float kFallPeriod = 300.0f;
constexpr float kSprayPeriod = 160.0f;

float lipY(float x) { return kLipY + 10.0f * noise::fbm(x / 60.0f, 0.5f, 501u, 3) - 5.0f + 0.0004f * fm::sq(x - 240.0f); }
float sheetLeft(float y) { return 92.0f - 0.11f * (y - kLipY) + 14.0f * (noise::fbm(y / 50.0f, 1.5f, 502u, 3) - 0.5f); }
float sheetRight(float y) { return 392.0f + 0.11f * (y - kLipY) + 14.0f * (noise::fbm(y / 50.0f, 4.5f, 503u, 3) - 0.5f); }
float wallLeft(float y) { return 108.0f - 0.02f * y + 30.0f * (noise::fbm(y / 45.0f, 6.5f, 504u, 4) - 0.5f); }
float wallRight(float y) { return 376.0f + 0.02f * y + 30.0f * (noise::fbm(y / 45.0f, 8.5f, 505u, 4) - 0.5f); }
float fallAlong(float y) { return 80.0f * std::sqrt(std::max(0.0f, y - kLipY + 30.0f)); }

float cover(float inside) { return clamp01(inside + 0.5f); }

Rgb haze(Rgb c, float amount) { return lerp(c, mat::kMist, clamp01(amount)); }

Image renderStill(std::vector<float>& stillMist) {
    Image img(kFrameWidth, kFrameHeight);
    stillMist.assign(img.px.size(), 0.0f);
    for (int py = 0; py < kFrameHeight; ++py) {
        float y = static_cast<float>(py) + 0.5f;
        float wl = wallLeft(y), wr = wallRight(y);
        for (int px = 0; px < kFrameWidth; ++px) {
            float x = static_cast<float>(px) + 0.5f;
            // Bright morning sky through the gap above the lip.
            float t = clamp01(y / 110.0f);
            Rgb c = lerp(rgb(0.55f, 0.70f, 0.86f), rgb(0.86f, 0.91f, 0.95f), t);
            float cloud = noise::fbm(x / 120.0f, y / 40.0f, 510u, 5);
            c = lerp(c, rgb(0.96f, 0.97f, 0.98f), smoothstep(0.5f, 0.8f, cloud) * 0.7f);

            // Forest on the far bank, beyond the lip, in the haze.
            float far = kLipY - 8.0f - mat::treeline(x, 511u, 7.0f, 6.0f, 26.0f);
            c = lerp(c, haze(mat::foliage(x, y, 512u, 6.0f), 0.5f), cover(y - far));

            // The rock behind and beneath the sheet: dark, wet, streaming.
            float lip = lipY(x);
            if (y > lip - 2.0f) {
                Rgb back = mat::rock(x, y, 520u, 30.0f, 0.9f) * 0.8f;
                c = lerp(c, back, cover(y - lip));
            }

            // Side walls, nearer than the sheet, with moss and ferns, and
            // forest hanging over their tops.
            auto wall = [&](float edgeDist, uint32_t seed, float top, bool lit) {
                if (edgeDist < -1.0f) return;
                Rgb rock = mat::rock(x, y, seed, 40.0f, 0.5f) * (lit ? 0.9f : 0.7f);
                float rim = clamp01(1.0f - std::fabs(edgeDist) / 22.0f);
                rock = rock * (1.0f - 0.4f * rim);
                float ferns = smoothstep(0.52f, 0.62f, noise::fbm(x / 30.0f, y / 20.0f, seed + 1u, 4));
                Rgb green = mat::foliage(x, y, seed + 2u, 4.0f) * rgb(1.1f, 1.35f, 1.0f);
                rock = lerp(rock, green, ferns);
                float canopyTop = top - mat::treeline(y * 0.0f + x, seed + 3u, 14.0f, 16.0f, 55.0f);
                float canopyDepth = 70.0f + 60.0f * noise::fbm(x / 50.0f, 1.0f, seed + 4u, 3);
                float inCanopy = cover(top + canopyDepth - y);
                Rgb s = lerp(rock, mat::foliage(x, y, seed + 5u, 9.0f), inCanopy);
                s = haze(s, 0.05f + 0.25f * clamp01((y - 200.0f) / 400.0f));
                c = lerp(c, s, cover(edgeDist) * cover(y - canopyTop));
            };
            wall(wl - x, 530u, 40.0f + 0.25f * x, false);
            wall(x - wr, 540u, 40.0f + 0.25f * (480.0f - x), true);

            // Foreground boulders at the pool's edge, almost black with wet.
            float stoneTop = 560.0f + 40.0f * smoothstep(140.0f, 0.0f, x) * -1.0f + 35.0f * smoothstep(160.0f, 60.0f, x) +
                             0.0f;
            float leftStone = 575.0f - 60.0f * smoothstep(150.0f, 0.0f, x) + 20.0f * noise::fbm(x / 20.0f, 2.0f, 550u, 4);
            float rightStone = 585.0f - 70.0f * smoothstep(330.0f, 480.0f, x) + 20.0f * noise::fbm(x / 20.0f, 3.0f, 551u, 4);
            (void)stoneTop;
            float stone = std::min(leftStone, rightStone) + 45.0f * bump(std::fabs(x - 240.0f) / 110.0f);
            Rgb boulder = mat::rock(x, y, 552u, 16.0f, 1.0f) * 0.55f;
            c = lerp(c, boulder, cover(y - stone));

            img.at(px, py) = c;

            float cloudOfSpray = smoothstep(250.0f, 600.0f, y);
            float wisps = noise::fbm(x / 80.0f, y / 40.0f, 560u, 5);
            float veil = 0.16f + 0.16f * smoothstep(0.4f, 0.8f, noise::fbm(x / 150.0f, y / 18.0f, 561u, 4));
            stillMist[static_cast<size_t>(py) * kFrameWidth + px] =
                clamp01(veil + 0.55f * cloudOfSpray * (0.5f + 0.7f * wisps));
        }
    }
    return img;
}

void renderWater(const Image& still, const std::vector<float>& stillMist, int f, Image& out) {
    out = still;
    for (int py = 0; py < kFrameHeight; ++py) {
        float y = static_cast<float>(py) + 0.5f;
        float sl = sheetLeft(y), sr = sheetRight(y);
        float mid = 0.5f * (sl + sr), half = 0.5f * (sr - sl);
        float along = fallAlong(y);
        float t = clamp01((y - kLipY) / (kPlungeY - kLipY));
        for (int px = 0; px < kFrameWidth; ++px) {
            float x = static_cast<float>(px) + 0.5f;
            Rgb c = out.at(px, py);
            float across = x - mid;

            if (y > kLipY - 10.0f && std::fabs(across) < half + 30.0f) {
                float lip = lipY(x);
                // Thick tongues of water and thin veils between them; the
                // veils show the wet rock behind.
                float tongues = mat::fallingWater(across * 0.22f, along * 0.5f, f, kFallPeriod * 0.5f, 4.0f, 600u);
                float b = mat::fallingWater(across, along, f, kFallPeriod, 3.2f, 601u);
                float fray = (tongues - 0.5f) * (10.0f + 30.0f * t);
                float edge = smoothstep(-4.0f, 10.0f, half - std::fabs(across) + fray);
                float thick = clamp01(0.7f + 0.6f * tongues);
                float alpha = edge * thick * cover(y - lip);
                Rgb shade = rgb(0.24f, 0.41f, 0.55f);
                Rgb water = lerp(shade, mat::kFoam, clamp01(0.05f + b * 1.1f + 0.25f * t));
                // Over the lip the water is a smooth, glassy green-blue bend.
                float glass = smoothstep(lip + 24.0f, lip + 2.0f, y);
                Rgb bend = lerp(rgb(0.18f, 0.34f, 0.36f), rgb(0.80f, 0.90f, 0.94f), smoothstep(0.3f, 0.9f, b));
                water = lerp(water, bend, glass * 0.85f);
                c = lerp(c, water, alpha);
            }

            // Whitewater where the sheet hits the pool.
            float plunge = bump(std::sqrt(fm::sq((x - 240.0f) / 260.0f) + fm::sq((y - kPlungeY - 20.0f) / 75.0f)));
            if (plunge > 0.0f) {
                float r = std::fabs(y - kPlungeY) + 0.2f * std::fabs(x - 240.0f);
                float froth = mat::foam(x, r, f, 48.0f, 14.0f, 610u);
                float amount = smoothstep(0.15f, 0.6f, plunge + (froth - 0.5f) * 0.5f);
                c = lerp(c, lerp(rgb(0.62f, 0.74f, 0.84f), mat::kFoam, froth), amount);
            }

            // Spray rising from the plunge and drifting off the sheet.
            float sprayEnv = bump(std::sqrt(fm::sq((x - 240.0f) / 330.0f) + fm::sq((y - 600.0f) / 330.0f)));
            float spray = sprayEnv > 0.0f ? mat::rollingMist(x, y, f, kSprayPeriod, 34.0f, 620u) * sprayEnv : 0.0f;
            float sheetMist = bump(std::fabs(across) / (half + 40.0f)) * t;
            float drift = sheetMist > 0.0f ? sheetMist * mat::rollingMist(x, y, f, kSprayPeriod, 16.0f, 630u) : 0.0f;
            float still = stillMist[static_cast<size_t>(py) * kFrameWidth + px];
            c = lerp(c, mat::kMist, clamp01(still * 0.7f));
            c = screen(c, mat::kMist * clamp01(0.9f * spray + 0.35f * drift));
            out.at(px, py) = c;
        }
    }
    addGlow(out, 0.62f, 14, 0.5f);
}

} // namespace

void renderNearView(Image frames[kFramesPerView]) {
    std::vector<float> stillMist;
    Image still = renderStill(stillMist);
    for (int f = 0; f < kFramesPerView; ++f) renderWater(still, stillMist, f, frames[f]);
}

StillArea nearStillArea() { return StillArea{0, 130, 40, 260}; }
