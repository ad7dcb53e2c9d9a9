// The pieces the pictures rest on: exact loops of the moving textures,
// the library-free math, and the colour quantiser.
#include <gtest/gtest.h>

#include <cmath>

#include "fmath.h"
#include "materials.h"
#include "noise.h"
#include "quantize.h"

TEST(Noise, RepeatsWithItsPeriod) {
    for (int i = 0; i < 50; ++i) {
        float x = 0.37f * static_cast<float>(i), y = 0.61f * static_cast<float>(i);
        // Equal up to the rounding of the shifted coordinate.
        EXPECT_NEAR(noise::value(x, y, 7u, 0, 5), noise::value(x, y + 5.0f, 7u, 0, 5), 1e-5f);
        EXPECT_NEAR(noise::fbm(x, y, 7u, 4, 3, 0), noise::fbm(x + 3.0f, y, 7u, 4, 3, 0), 1e-5f);
        EXPECT_GT(std::fabs(noise::value(x, y, 7u, 0, 5) - noise::value(x, y + 2.5f, 7u, 0, 5)) +
                      std::fabs(noise::value(x + 0.5f, y, 7u, 0, 5) - noise::value(x + 0.5f, y + 2.5f, 7u, 0, 5)),
                  0.0f);
    }
}

TEST(Noise, StaysInRange) {
    for (int i = 0; i < 1000; ++i) {
        float v = noise::fbm(static_cast<float>(i) * 0.731f, static_cast<float>(i) * 0.177f, 3u, 5);
        EXPECT_GE(v, 0.0f);
        EXPECT_LE(v, 1.0f);
    }
}

TEST(Materials, WaterLoopsAfterThreeFrames) {
    // Frame 3 would be frame 0 again: the animation 0, 1, 2, 0 is seamless.
    for (int i = 0; i < 200; ++i) {
        float a = static_cast<float>(i % 40) - 20.0f, b = static_cast<float>(i) * 3.7f;
        EXPECT_NEAR(mat::fallingWater(a, b, 3, 240.0f, 2.2f, 400u), mat::fallingWater(a, b, 0, 240.0f, 2.2f, 400u), 1e-4f);
        EXPECT_NEAR(mat::foam(a, b, 3, 36.0f, 9.0f, 430u), mat::foam(a, b, 0, 36.0f, 9.0f, 430u), 1e-4f);
        EXPECT_NEAR(mat::rollingMist(a, b, 3, 120.0f, 28.0f, 440u), mat::rollingMist(a, b, 0, 120.0f, 28.0f, 440u), 1e-4f);
    }
}

TEST(Materials, WaterMovesDownByAThirdOfItsPeriod) {
    for (int i = 0; i < 100; ++i) {
        float a = static_cast<float>(i % 30), b = static_cast<float>(i) * 2.3f;
        EXPECT_NEAR(mat::fallingWater(a, b + 80.0f, 1, 240.0f, 2.2f, 400u), mat::fallingWater(a, b, 0, 240.0f, 2.2f, 400u),
                    1e-4f);
    }
}

TEST(Math, SinCosExpAgreeWithTheLibrary) {
    for (int i = -400; i <= 400; ++i) {
        double x = i * 0.0917;
        EXPECT_NEAR(fm::sin(x), std::sin(x), 1e-9);
        EXPECT_NEAR(fm::cos(x), std::cos(x), 1e-9);
        double e = i * 0.05;
        EXPECT_NEAR(fm::exp(e) / std::exp(e), 1.0, 1e-12);
    }
}

TEST(Quantize, FewColoursAreKeptExactly) {
    Image img(16, 16);
    const Rgb colours[5] = {rgb(0, 0, 0), rgb(1, 0, 0), rgb(0, 0.5f, 1), rgb(1, 1, 1), rgb(0.2f, 0.6f, 0.2f)};
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) img.at(x, y) = colours[(x / 4 + y) % 5];
    QuantizeOptions options;
    options.colours = 16;
    IndexedImage out = quantize(img, options);
    ASSERT_EQ(out.palette.size(), 16u);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const PaletteEntry& p = out.palette[out.index[static_cast<size_t>(y) * 16 + x]];
            const Rgb& c = img.at(x, y);
            EXPECT_EQ(p.r, static_cast<int>(c.r * 255.0f + 0.5f));
            EXPECT_EQ(p.g, static_cast<int>(c.g * 255.0f + 0.5f));
            EXPECT_EQ(p.b, static_cast<int>(c.b * 255.0f + 0.5f));
        }
}

TEST(Quantize, DitheringKeepsTheAverageOfAGradient) {
    // A smooth ramp through four colours: the dithered mean of each column
    // follows the ramp instead of stepping in bands.
    Image img(64, 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 64; ++x) img.at(x, y) = rgb(static_cast<float>(x) / 63.0f, 0.3f, 0.6f);
    std::vector<PaletteEntry> palette = {{0, 77, 153}, {85, 77, 153}, {170, 77, 153}, {255, 77, 153}};
    IndexedImage out = mapToPalette(img, palette, Dither::FloydSteinberg, 1.0f);
    for (int x = 4; x < 60; ++x) {
        double sum = 0;
        for (int y = 0; y < 32; ++y) sum += palette[out.index[static_cast<size_t>(y) * 64 + x]].r;
        EXPECT_NEAR(sum / 32.0, x * 255.0 / 63.0, 24.0) << "column " << x;
    }
}

TEST(Quantize, NearestColourIsExact) {
    std::vector<PaletteEntry> palette;
    for (int i = 0; i < 64; ++i)
        palette.push_back(PaletteEntry{static_cast<uint8_t>(i * 37 % 256), static_cast<uint8_t>(i * 91 % 256),
                                       static_cast<uint8_t>(i * 53 % 256)});
    NearestColour nearest(palette);
    for (int i = 0; i < 500; ++i) {
        float r = static_cast<float>(i * 13 % 256), g = static_cast<float>(i * 29 % 256), b = static_cast<float>(i * 7 % 256);
        float best = 1e30f;
        for (const PaletteEntry& p : palette)
            best = std::min(best, (p.r - r) * (p.r - r) + (p.g - g) * (p.g - g) + (p.b - b) * (p.b - b));
        const PaletteEntry& got = palette[static_cast<size_t>(nearest.find(r, g, b))];
        EXPECT_EQ((got.r - r) * (got.r - r) + (got.g - g) * (got.g - g) + (got.b - b) * (got.b - b), best);
    }
}
