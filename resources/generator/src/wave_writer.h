#pragma once
// RIFF WAVE files of 16-bit stereo PCM, in the chunk order the resources
// use: "fmt ", an optional "fact", then "data" and nothing after it.
#include <cstdint>
#include <vector>

#include "byte_buffer.h"

struct StereoPcm {
    int sampleRate = 8000;
    std::vector<int16_t> left, right; // equal lengths
};

ByteBuffer waveFile(const StereoPcm& pcm, bool withFactChunk);
