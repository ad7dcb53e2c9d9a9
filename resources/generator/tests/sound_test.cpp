// The two looping sounds: RIFF layout, format, and a seamless loop.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "generated_output.h"

namespace {

void checkFormat(const std::vector<uint8_t>& wav) {
    EXPECT_EQ(fourcc(wav, 0), "RIFF");
    EXPECT_EQ(le32(wav, 4), wav.size() - 8);
    EXPECT_EQ(fourcc(wav, 8), "WAVE");
    EXPECT_EQ(fourcc(wav, 12), "fmt ");
    EXPECT_EQ(le32(wav, 16), 16u);
    EXPECT_EQ(le16(wav, 20), 1);
    EXPECT_EQ(le16(wav, 22), 2);
    EXPECT_EQ(le32(wav, 24), 8000u);
    EXPECT_EQ(le32(wav, 28), 32000u);
    EXPECT_EQ(le16(wav, 32), 4);
    EXPECT_EQ(le16(wav, 34), 16);
}

std::vector<int16_t> channel(const std::vector<uint8_t>& wav, size_t data, size_t frames, int c) {
    std::vector<int16_t> out(frames);
    for (size_t i = 0; i < frames; ++i) out[i] = static_cast<int16_t>(le16(wav, data + i * 4 + static_cast<size_t>(c) * 2));
    return out;
}

// The jump from the last frame back to the first must look like any other
// step between neighbours: within four times their RMS, where a click
// would stand far above.
void checkSeam(const std::vector<int16_t>& x) {
    double sumSq = 0;
    for (size_t i = 1; i < x.size(); ++i) sumSq += std::pow(x[i] - x[i - 1], 2);
    double rmsStep = std::sqrt(sumSq / static_cast<double>(x.size() - 1));
    double seam = std::abs(x.front() - x.back());
    EXPECT_GT(rmsStep, 100.0) << "the sound is nearly silent";
    EXPECT_LE(seam, 4.0 * rmsStep);
}

double rms(const std::vector<int16_t>& x) {
    double s = 0;
    for (int16_t v : x) s += static_cast<double>(v) * v;
    return std::sqrt(s / static_cast<double>(x.size()));
}

} // namespace

TEST(Sound, FarViewLayout) {
    std::vector<uint8_t> wav = readFileBytes(generatedDir() + "/WAVE148.wav");
    ASSERT_EQ(wav.size(), 40056u);
    EXPECT_EQ(le32(wav, 4), 40048u);
    checkFormat(wav);
    EXPECT_EQ(fourcc(wav, 36), "fact");
    EXPECT_EQ(le32(wav, 40), 4u);
    EXPECT_EQ(le32(wav, 44), 10000u);
    EXPECT_EQ(fourcc(wav, 48), "data");
    EXPECT_EQ(le32(wav, 52), 40000u);
    EXPECT_EQ(56u + 40000u, wav.size()); // nothing after the data
}

TEST(Sound, NearViewLayout) {
    std::vector<uint8_t> wav = readFileBytes(generatedDir() + "/WAVE152.wav");
    ASSERT_EQ(wav.size(), 84524u);
    EXPECT_EQ(le32(wav, 4), 84516u);
    checkFormat(wav);
    EXPECT_EQ(fourcc(wav, 36), "data"); // no fact chunk
    EXPECT_EQ(le32(wav, 40), 84480u);
    EXPECT_EQ(44u + 84480u, wav.size());
}

TEST(Sound, FarLoopHasNoClick) {
    std::vector<uint8_t> wav = readFileBytes(generatedDir() + "/WAVE148.wav");
    ASSERT_EQ(wav.size(), 40056u);
    for (int c = 0; c < 2; ++c) checkSeam(channel(wav, 56, 10000, c));
}

TEST(Sound, NearLoopHasNoClick) {
    std::vector<uint8_t> wav = readFileBytes(generatedDir() + "/WAVE152.wav");
    ASSERT_EQ(wav.size(), 84524u);
    for (int c = 0; c < 2; ++c) checkSeam(channel(wav, 44, 21120, c));
}

TEST(Sound, NearViewIsLouderThanFarView) {
    std::vector<uint8_t> far = readFileBytes(generatedDir() + "/WAVE148.wav");
    std::vector<uint8_t> near = readFileBytes(generatedDir() + "/WAVE152.wav");
    ASSERT_EQ(far.size(), 40056u);
    ASSERT_EQ(near.size(), 84524u);
    EXPECT_GT(rms(channel(near, 44, 21120, 0)), 1.3 * rms(channel(far, 56, 10000, 0)));
}

TEST(Sound, ChannelsAreRelatedButNotEqual) {
    // A wide stereo image: the ears hear different water.
    std::vector<uint8_t> wav = readFileBytes(generatedDir() + "/WAVE152.wav");
    ASSERT_EQ(wav.size(), 84524u);
    std::vector<int16_t> l = channel(wav, 44, 21120, 0), r = channel(wav, 44, 21120, 1);
    EXPECT_NE(l, r);
}
