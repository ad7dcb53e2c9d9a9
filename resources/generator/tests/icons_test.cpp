// Icon files: directory, entries and the DIB of each image.
#include <gtest/gtest.h>

#include "generated_output.h"

namespace {

struct Expected {
    int size;
    int bits;
};

void checkIcon(const std::string& name, const std::vector<Expected>& images) {
    SCOPED_TRACE(name);
    std::vector<uint8_t> ico = readFileBytes(generatedDir() + "/" + name);
    ASSERT_GE(ico.size(), 6u);
    EXPECT_EQ(le16(ico, 0), 0);
    EXPECT_EQ(le16(ico, 2), 1);
    ASSERT_EQ(le16(ico, 4), images.size());
    size_t expectedOffset = 6 + 16 * images.size();
    for (size_t i = 0; i < images.size(); ++i) {
        SCOPED_TRACE("image " + std::to_string(i));
        const size_t e = 6 + 16 * i;
        const int size = images[i].size, bits = images[i].bits;
        EXPECT_EQ(ico[e + 0], size);
        EXPECT_EQ(ico[e + 1], size);
        EXPECT_EQ(ico[e + 2], bits == 4 ? 16 : 0);
        EXPECT_EQ(ico[e + 3], 0);
        EXPECT_EQ(le16(ico, e + 4), 1);
        EXPECT_EQ(le16(ico, e + 6), bits);
        const uint32_t bytes = le32(ico, e + 8), offset = le32(ico, e + 12);
        EXPECT_EQ(offset, expectedOffset);
        const uint32_t xorRow = static_cast<uint32_t>(((size * bits + 31) / 32) * 4);
        const uint32_t andRow = static_cast<uint32_t>(((size + 31) / 32) * 4);
        const uint32_t table = 4u << bits;
        EXPECT_EQ(bytes, 40 + table + (xorRow + andRow) * static_cast<uint32_t>(size));
        ASSERT_LE(static_cast<size_t>(offset) + bytes, ico.size());
        EXPECT_EQ(le32(ico, offset), 40u);
        EXPECT_EQ(le32s(ico, offset + 4), size);
        EXPECT_EQ(le32s(ico, offset + 8), size * 2); // colour bits and mask stacked
        EXPECT_EQ(le16(ico, offset + 12), 1);
        EXPECT_EQ(le16(ico, offset + 14), bits);
        EXPECT_EQ(le32(ico, offset + 16), 0u);
        for (uint32_t k = 0; k < (1u << bits); ++k) EXPECT_EQ(ico[offset + 40 + k * 4 + 3], 0);
        // The mask is not all one value: there is a shape on a clear ground
        // (or, for the square picture, at least the rounded corners).
        size_t clear = 0, solid = 0;
        const size_t mask = offset + 40 + table + xorRow * static_cast<uint32_t>(size);
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                bool bit = (ico[mask + static_cast<size_t>(y) * andRow + static_cast<size_t>(x / 8)] >> (7 - x % 8)) & 1;
                (bit ? clear : solid) += 1;
            }
        EXPECT_GT(solid, static_cast<size_t>(size * size / 3));
        EXPECT_GT(clear, 0u);
        expectedOffset += bytes;
    }
    EXPECT_EQ(ico.size(), expectedOffset);
}

} // namespace

TEST(Icons, Group100) { checkIcon("ICON100.ico", {{32, 4}}); }
TEST(Icons, Group101) { checkIcon("ICON101.ico", {{32, 4}, {48, 8}, {16, 4}}); }
TEST(Icons, Group154) { checkIcon("ICON154.ico", {{32, 4}}); }
TEST(Icons, Group208) { checkIcon("ICON208.ico", {{32, 8}}); }
TEST(Icons, Group209) { checkIcon("ICON209.ico", {{32, 8}}); }
