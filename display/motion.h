// One animation tick of the waterfall, without windows or graphics: which
// frame is shown, where the image stands after this tick's move, and
// whether the frame is placed unscaled or stretched over the window.
//
// The display runs the operations once per tick in this order:
//   index = WrapFrameIndex; ReflectSteps; [MoveImage; ChooseBlit]; AdvanceFrameIndex
// where the bracketed two run only when the frame of the tick is ready.
#pragma once

#include <cstdint>

constexpr int32_t FRAME_WIDTH = 480;
constexpr int32_t FRAME_HEIGHT = 640;
constexpr int16_t FRAME_COUNT = 3;

enum MoveMode : int16_t {
    MOVE_CENTER = 0,
    MOVE_BOUNCE = 1,
    MOVE_BOUNCE_LEFT = 2,
    MOVE_SIDEWAYS = 3,
    MOVE_UPDOWN = 4,
    MOVE_EDGE_CLOCKWISE = 5,
    MOVE_EDGE_COUNTERCLOCKWISE = 6,
};

// Zero when the process starts and never reset: a process shows one window.
struct MotionState {
    int32_t xPos;
    int32_t yPos;
    int16_t xStep;
    int16_t yStep;
    int16_t frameIndex;  // the frame the next tick shows; 1, 2 or 3 between ticks
};

// A window's outer rectangle in screen coordinates.
struct WindowRect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

struct BlitPlan {
    bool stretch;
    int32_t destX;
    int32_t destY;
    int32_t destWidth;
    int32_t destHeight;
    int32_t srcWidth;  // taken from the frame's top-left corner
    int32_t srcHeight;
};

// Returns the frame index of this tick, 0 to 2.
int16_t WrapFrameIndex(MotionState& state);

// Turns a step around when the previous tick left the image beyond an edge.
void ReflectSteps(MotionState& state, const WindowRect& rect);

void MoveImage(MotionState& state, const WindowRect& rect, int16_t moveMode);

BlitPlan ChooseBlit(const MotionState& state, const WindowRect& rect, int32_t frameWidth,
                    int32_t frameHeight);

void AdvanceFrameIndex(MotionState& state);
