// The six animation frames: their headers and tables as the display loads
// them, and that the three frames of a view show one scene.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>

#include "generated_output.h"
#include "scenes.h"

namespace {

constexpr size_t kFileHeader = 14;
constexpr size_t kInfo = kFileHeader;          // BITMAPINFOHEADER
constexpr size_t kTable = kInfo + 40;          // colour table
constexpr size_t kPixels = kTable + 256 * 4;   // pixel rows

std::vector<uint8_t> frameBytes(int n) {
    char name[32];
    std::snprintf(name, sizeof name, "/BITMAP%02d.bmp", n);
    return readFileBytes(generatedDir() + name);
}

struct Colour {
    int r, g, b;
};

// Colour of pixel (x, y), top row first, through the frame's own table.
Colour pixel(const std::vector<uint8_t>& bmp, int x, int y) {
    size_t row = static_cast<size_t>(kFrameHeight - 1 - y); // rows are stored bottom-up
    uint8_t index = bmp.at(kPixels + row * kFrameWidth + static_cast<size_t>(x));
    size_t entry = kTable + index * 4u;
    return Colour{bmp[entry + 2], bmp[entry + 1], bmp[entry]};
}

// Mean colour of a square block: what the eye sees of a dithered area.
std::array<double, 3> blockMean(const std::vector<uint8_t>& bmp, int x0, int y0, int side) {
    std::array<double, 3> sum{0, 0, 0};
    for (int y = y0; y < y0 + side; ++y)
        for (int x = x0; x < x0 + side; ++x) {
            Colour c = pixel(bmp, x, y);
            sum[0] += c.r;
            sum[1] += c.g;
            sum[2] += c.b;
        }
    for (double& v : sum) v /= side * side;
    return sum;
}

// Largest channel difference of 8 x 8 block means over a rectangle.
double largestBlockDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b, StillArea area) {
    double worst = 0;
    for (int y = area.y0; y + 8 <= area.y1; y += 8)
        for (int x = area.x0; x + 8 <= area.x1; x += 8) {
            auto ma = blockMean(a, x, y, 8), mb = blockMean(b, x, y, 8);
            for (int c = 0; c < 3; ++c) worst = std::max(worst, std::abs(ma[c] - mb[c]));
        }
    return worst;
}

} // namespace

class Frame : public ::testing::TestWithParam<int> {};

TEST_P(Frame, HasTheExactSizeAndHeaders) {
    std::vector<uint8_t> bmp = frameBytes(GetParam());
    ASSERT_EQ(bmp.size(), 308278u);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    EXPECT_EQ(le32(bmp, 2), 308278u);
    EXPECT_EQ(le32(bmp, 10), kPixels);
    EXPECT_EQ(le32(bmp, kInfo + 0), 40u);
    EXPECT_EQ(le32s(bmp, kInfo + 4), 480);
    EXPECT_EQ(le32s(bmp, kInfo + 8), 640);
    EXPECT_EQ(le16(bmp, kInfo + 12), 1);
    EXPECT_EQ(le16(bmp, kInfo + 14), 8);
    EXPECT_EQ(le32(bmp, kInfo + 16), 0u);
    EXPECT_EQ(le32(bmp, kInfo + 20), 307200u);
    EXPECT_EQ(le32s(bmp, kInfo + 24), 0);
    EXPECT_EQ(le32s(bmp, kInfo + 28), 0);
    EXPECT_EQ(le32(bmp, kInfo + 32), 256u);
    EXPECT_EQ(le32(bmp, kInfo + 36), 0u);
    // Without the file header: the resource is 308,264 bytes.
    EXPECT_EQ(bmp.size() - kFileHeader, 308264u);
}

TEST_P(Frame, ColourTableReservedBytesAreZero) {
    std::vector<uint8_t> bmp = frameBytes(GetParam());
    ASSERT_EQ(bmp.size(), 308278u);
    for (size_t i = 0; i < 256; ++i) EXPECT_EQ(bmp[kTable + i * 4 + 3], 0) << "entry " << i;
}

TEST_P(Frame, UsesMostOfItsPalette) {
    // A table chosen from the frame's own pixels leaves few entries idle.
    std::vector<uint8_t> bmp = frameBytes(GetParam());
    ASSERT_EQ(bmp.size(), 308278u);
    std::array<bool, 256> used{};
    for (size_t i = kPixels; i < bmp.size(); ++i) used[bmp[i]] = true;
    int count = 0;
    for (bool u : used) count += u ? 1 : 0;
    EXPECT_GE(count, 240);
}

INSTANTIATE_TEST_SUITE_P(AllSix, Frame, ::testing::Range(0, 6));

TEST(Frames, AllSixPalettesDiffer) {
    std::vector<std::vector<uint8_t>> tables;
    for (int n = 0; n < 6; ++n) {
        std::vector<uint8_t> bmp = frameBytes(n);
        ASSERT_EQ(bmp.size(), 308278u);
        tables.emplace_back(bmp.begin() + kTable, bmp.begin() + kPixels);
    }
    for (int i = 0; i < 6; ++i)
        for (int j = i + 1; j < 6; ++j) EXPECT_NE(tables[i], tables[j]) << "frames " << i << " and " << j;
}

class View : public ::testing::TestWithParam<int> {};

TEST_P(View, FramesAreNotIdentical) {
    int first = GetParam() * 3;
    for (int f = 0; f < 3; ++f) {
        std::vector<uint8_t> a = frameBytes(first + f), b = frameBytes(first + (f + 1) % 3);
        ASSERT_EQ(a.size(), b.size());
        size_t differing = 0;
        for (int y = 0; y < kFrameHeight; ++y)
            for (int x = 0; x < kFrameWidth; ++x) {
                Colour ca = pixel(a, x, y), cb = pixel(b, x, y);
                if (ca.r != cb.r || ca.g != cb.g || ca.b != cb.b) ++differing;
            }
        EXPECT_GT(differing, 10000u) << "frames " << first + f << " and " << first + (f + 1) % 3;
    }
}

TEST_P(View, StillAreaLooksTheSameInAllThreeFrames) {
    // Rock far from the water is rendered identically in true colour; after
    // each frame's own palette and dithering, its block averages agree.
    int first = GetParam() * 3;
    StillArea area = GetParam() == 0 ? farStillArea() : nearStillArea();
    ASSERT_GE(area.x1 - area.x0, 32);
    ASSERT_GE(area.y1 - area.y0, 32);
    std::vector<uint8_t> f0 = frameBytes(first), f1 = frameBytes(first + 1), f2 = frameBytes(first + 2);
    EXPECT_LE(largestBlockDifference(f0, f1, area), 6.0);
    EXPECT_LE(largestBlockDifference(f1, f2, area), 6.0);
    EXPECT_LE(largestBlockDifference(f0, f2, area), 6.0);
}

TEST_P(View, WaterAreaMovesBetweenFrames) {
    // The centre of each view is falling water: its blocks change clearly.
    int first = GetParam() * 3;
    StillArea water{200, 260, 280, 420};
    std::vector<uint8_t> f0 = frameBytes(first), f1 = frameBytes(first + 1);
    EXPECT_GT(largestBlockDifference(f0, f1, water), 20.0);
}

INSTANTIATE_TEST_SUITE_P(FarAndNear, View, ::testing::Values(0, 1));
