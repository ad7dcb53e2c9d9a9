// The dialog's 60 x 60, 16-colour title picture.
#include <gtest/gtest.h>

#include "generated_output.h"

TEST(TitleBitmap, HasTheExactSizeAndHeaders) {
    std::vector<uint8_t> bmp = readFileBytes(generatedDir() + "/BITMAP170.bmp");
    ASSERT_EQ(bmp.size(), 14u + 2024u);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    EXPECT_EQ(le32(bmp, 2), 2038u);
    EXPECT_EQ(le32(bmp, 10), 14u + 40u + 64u);
    const size_t h = 14;
    EXPECT_EQ(le32(bmp, h), 40u);
    EXPECT_EQ(le32s(bmp, h + 4), 60);
    EXPECT_EQ(le32s(bmp, h + 8), 60); // bottom-up
    EXPECT_EQ(le16(bmp, h + 12), 1);
    EXPECT_EQ(le16(bmp, h + 14), 4);
    EXPECT_EQ(le32(bmp, h + 16), 0u);
    EXPECT_EQ(le32(bmp, h + 20), 60u * 32u);
    EXPECT_EQ(le32(bmp, h + 32), 16u);
    for (size_t i = 0; i < 16; ++i) EXPECT_EQ(bmp[h + 40 + i * 4 + 3], 0) << "entry " << i;
}

TEST(TitleBitmap, RowPaddingIsZeroAndTheLetteringIsThere) {
    std::vector<uint8_t> bmp = readFileBytes(generatedDir() + "/BITMAP170.bmp");
    ASSERT_EQ(bmp.size(), 2038u);
    const size_t pixels = 14 + 40 + 64;
    size_t white = 0;
    for (int row = 0; row < 60; ++row) {
        const size_t at = pixels + static_cast<size_t>(row) * 32;
        EXPECT_EQ(bmp[at + 30], 0);
        EXPECT_EQ(bmp[at + 31], 0);
        for (size_t i = 0; i < 30; ++i) {
            // Entry 1 is the letters' white: the title is drawn with it.
            if ((bmp[at + i] >> 4) == 1) ++white;
            if ((bmp[at + i] & 15) == 1) ++white;
        }
    }
    EXPECT_EQ(bmp[14 + 40 + 4 + 0], 255); // entry 1 is white
    EXPECT_GT(white, 100u);
}
