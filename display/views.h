// The two views of the falls: the frames and the sound that `distance`
// picks. The frame names stand in one table, far view first.
#pragma once

#include "motion.h"

#include <cstdint>

constexpr int FRAME_NAME_COUNT = 6;
extern const char* const FRAME_NAMES[FRAME_NAME_COUNT];  // "BITMAP00" to "BITMAP05"

constexpr uint16_t FAR_SOUND = 148;   // resources of type "WAVE"
constexpr uint16_t NEAR_SOUND = 152;

struct View {
    const char* const* frameNames;  // FRAME_COUNT entries of FRAME_NAMES: frame i at [i]
    uint16_t sound;
};

// 1 is the far view, 0 the near view; any other value shows nothing.
const View* FindView(int16_t distance);
