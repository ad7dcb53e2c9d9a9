#pragma once
// Synthesis of the two looping water sounds: filtered noise in three bands
// (a low rumble, a mid splash band that bubbles, a broad hiss), slow swells,
// and for the near view bursts of spray. The loop is seamless because the
// noise is made longer than the pass and its tail is crossfaded into the head.
#include <cstdint>

#include "wave_writer.h"

struct WaterSoundParams {
    int frames = 10000;       // sample frames in one pass
    int crossfade = 1600;     // frames over which the tail blends into the head
    uint64_t seed = 1;
    float rumble = 1.0f;      // gain of the low band
    float splash = 1.0f;      // gain of the mid band
    float hiss = 1.0f;        // gain of the high band
    float swell = 0.2f;       // depth of slow loudness changes
    float bursts = 0.0f;      // spray bursts per second (near view)
    float level = 0.15f;      // RMS of the result, full scale = 1
};

StereoPcm synthesiseWater(const WaterSoundParams& params);

WaterSoundParams farWaterSound();
WaterSoundParams nearWaterSound();
