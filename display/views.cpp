#include "views.h"

const char* const FRAME_NAMES[FRAME_NAME_COUNT] = {
    "BITMAP00", "BITMAP01", "BITMAP02", "BITMAP03", "BITMAP04", "BITMAP05",
};

namespace {

const View FAR_VIEW = {FRAME_NAMES + 0, FAR_SOUND};
const View NEAR_VIEW = {FRAME_NAMES + FRAME_COUNT, NEAR_SOUND};

}  // namespace

const View* FindView(int16_t distance)
{
    switch (distance) {
    case 1: return &FAR_VIEW;
    case 0: return &NEAR_VIEW;
    default: return nullptr;
    }
}
