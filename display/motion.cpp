#include "motion.h"

namespace {

// Positions are 32-bit and wrap like the machine's registers instead of
// overflowing: a runaway step must not make the arithmetic undefined.
int32_t Add(int32_t a, int32_t b)
{
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

int32_t Sub(int32_t a, int32_t b)
{
    return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}

// Negation in 16 bits: -32768 stays -32768.
int16_t Negate(int16_t step)
{
    return static_cast<int16_t>(static_cast<uint16_t>(0u - static_cast<uint16_t>(step)));
}

// The largest left and top edges that keep a frame inside the window, and
// the edges that centre it.
struct Spans {
    int32_t spanX;
    int32_t spanY;
    int32_t centreX;
    int32_t centreY;
};

Spans SpansOf(const WindowRect& rect)
{
    return Spans{Sub(rect.right, FRAME_WIDTH), Sub(rect.bottom, FRAME_HEIGHT),
                 Sub(rect.right / 2, FRAME_WIDTH / 2), Sub(rect.bottom / 2, FRAME_HEIGHT / 2)};
}

// The tests run in order and each sees what the ones before it left, so a
// corner can be turned within one tick.
void WalkClockwise(MotionState& s, const WindowRect& rect, const Spans& spans)
{
    if (s.xPos >= 0 && s.xPos <= spans.spanX && s.yPos == rect.top) s.xPos = Add(s.xPos, s.xStep);
    if (s.xPos == spans.spanX && s.xPos != 0 && s.yPos >= 0 && s.yPos < spans.spanY)
        s.yPos = Add(s.yPos, s.yStep);
    if (s.xPos >= 0 && s.xPos <= spans.spanX && s.yPos == spans.spanY) s.xPos = Sub(s.xPos, s.xStep);
    if (s.xPos == 0 && s.yPos > 0 && s.yPos <= spans.spanY) s.yPos = Sub(s.yPos, s.yStep);
}

void WalkCounterClockwise(MotionState& s, const WindowRect& rect, const Spans& spans)
{
    if (s.xPos == 0 && s.yPos >= 0 && s.yPos <= spans.spanY) s.yPos = Add(s.yPos, s.yStep);
    if (s.yPos == spans.spanY && s.xPos >= 0 && s.xPos < spans.spanX) s.xPos = Add(s.xPos, s.xStep);
    if (s.xPos == spans.spanX && s.yPos > 0 && s.yPos <= spans.spanY) s.yPos = Sub(s.yPos, s.yStep);
    if (s.xPos > 0 && s.xPos <= spans.spanX && s.yPos == rect.top) s.xPos = Sub(s.xPos, s.xStep);
}

}  // namespace

int16_t WrapFrameIndex(MotionState& state)
{
    if (state.frameIndex >= FRAME_COUNT) state.frameIndex = 0;
    return state.frameIndex;
}

void ReflectSteps(MotionState& state, const WindowRect& rect)
{
    Spans spans = SpansOf(rect);
    if (state.xPos < 0 || state.xPos > spans.spanX) state.xStep = Negate(state.xStep);
    if (state.yPos < 0 || state.yPos > spans.spanY) state.yStep = Negate(state.yStep);
}

void MoveImage(MotionState& state, const WindowRect& rect, int16_t moveMode)
{
    Spans spans = SpansOf(rect);
    switch (moveMode) {
    case MOVE_CENTER:
        state.xPos = spans.centreX;
        state.yPos = spans.centreY;
        break;
    case MOVE_BOUNCE:
        state.xPos = Add(state.xPos, state.xStep);
        state.yPos = Sub(state.yPos, state.yStep);
        break;
    case MOVE_BOUNCE_LEFT:
        state.xPos = Sub(state.xPos, state.xStep);
        state.yPos = Sub(state.yPos, state.yStep);
        break;
    case MOVE_SIDEWAYS:
        state.xPos = Sub(state.xPos, state.xStep);
        state.yPos = spans.centreY;
        break;
    case MOVE_UPDOWN:
        state.xPos = spans.centreX;
        state.yPos = Sub(state.yPos, state.yStep);
        break;
    case MOVE_EDGE_CLOCKWISE:
        WalkClockwise(state, rect, spans);
        break;
    case MOVE_EDGE_COUNTERCLOCKWISE:
        WalkCounterClockwise(state, rect, spans);
        break;
    default:
        state.xPos = 0;
        state.yPos = 0;
        break;
    }
}

BlitPlan ChooseBlit(const MotionState& state, const WindowRect& rect, int32_t frameWidth,
                    int32_t frameHeight)
{
    // The test looks at right and bottom, not at the window's size.
    if (rect.bottom < frameHeight || rect.right < frameWidth) {
        return BlitPlan{true, 0, 0, Sub(rect.right, rect.left), Sub(rect.bottom, rect.top),
                        FRAME_WIDTH, FRAME_HEIGHT};
    }
    return BlitPlan{false, state.xPos, state.yPos, frameWidth, frameHeight, frameWidth, frameHeight};
}

void AdvanceFrameIndex(MotionState& state)
{
    state.frameIndex = static_cast<int16_t>(static_cast<uint16_t>(state.frameIndex) + 1u);
}
