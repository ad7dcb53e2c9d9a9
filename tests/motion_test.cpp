// The motion step replayed tick by tick, in the order the display runs it.

#include "motion.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

struct Position {
    int32_t x;
    int32_t y;
    bool operator==(const Position& other) const { return x == other.x && y == other.y; }
    bool operator!=(const Position& other) const { return !(*this == other); }
};

std::ostream& operator<<(std::ostream& out, const Position& p)
{
    return out << "(" << p.x << ", " << p.y << ")";
}

struct Tick {
    int16_t frame;
    bool drawn;
    BlitPlan plan;
};

// The display's tick: wrap, reflect, then move and choose only for a frame
// that is ready, then advance.
Tick RunTick(MotionState& state, const WindowRect& rect, int16_t mode, bool frameReady = true)
{
    Tick tick{WrapFrameIndex(state), frameReady, {}};
    ReflectSteps(state, rect);
    if (frameReady) {
        MoveImage(state, rect, mode);
        tick.plan = ChooseBlit(state, rect, FRAME_WIDTH, FRAME_HEIGHT);
    }
    AdvanceFrameIndex(state);
    return tick;
}

MotionState StartState(int16_t speed)
{
    MotionState state{};
    state.xStep = speed;
    state.yStep = speed;
    return state;
}

Position At(const MotionState& state) { return Position{state.xPos, state.yPos}; }

// Positions after ticks 1..count.
std::vector<Position> Replay(const WindowRect& rect, int16_t mode, int16_t speed, int count)
{
    MotionState state = StartState(speed);
    std::vector<Position> positions;
    for (int i = 0; i < count; ++i) {
        RunTick(state, rect, mode);
        positions.push_back(At(state));
    }
    return positions;
}

const WindowRect kScreen1024{0, 0, 1024, 768};

struct ThreeTicks {
    int16_t mode;
    Position tick1, tick2, tick3;
    int16_t xStepAfter2, yStepAfter2;
};

void PrintTo(const ThreeTicks& c, std::ostream* out) { *out << "mode " << c.mode; }

class FirstTicks : public testing::TestWithParam<ThreeTicks> {};

TEST_P(FirstTicks, FollowTheModeFromTheZeroStateAndPlaceTheFrameUnscaled)
{
    const ThreeTicks& c = GetParam();
    MotionState state = StartState(4);
    Position expected[] = {c.tick1, c.tick2, c.tick3};
    for (int i = 0; i < 3; ++i) {
        Tick tick = RunTick(state, kScreen1024, c.mode);
        EXPECT_EQ(tick.frame, i);
        EXPECT_EQ(At(state), expected[i]) << "tick " << i + 1;
        EXPECT_FALSE(tick.plan.stretch);
        EXPECT_EQ((Position{tick.plan.destX, tick.plan.destY}), expected[i]);
        EXPECT_EQ(tick.plan.destWidth, 480);
        EXPECT_EQ(tick.plan.destHeight, 640);
        EXPECT_EQ(tick.plan.srcWidth, 480);
        EXPECT_EQ(tick.plan.srcHeight, 640);
        if (i == 1) {
            EXPECT_EQ(state.xStep, c.xStepAfter2);
            EXPECT_EQ(state.yStep, c.yStepAfter2);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Screen1024Speed4, FirstTicks,
                         testing::Values(ThreeTicks{0, {272, 64}, {272, 64}, {272, 64}, 4, 4},
                                         ThreeTicks{1, {4, -4}, {8, 0}, {12, 4}, 4, -4},
                                         ThreeTicks{2, {-4, -4}, {0, 0}, {4, 4}, -4, -4},
                                         ThreeTicks{3, {-4, 64}, {0, 64}, {4, 64}, -4, 4},
                                         ThreeTicks{4, {272, -4}, {272, 0}, {272, 4}, 4, -4},
                                         ThreeTicks{5, {4, 0}, {8, 0}, {12, 0}, 4, 4},
                                         ThreeTicks{6, {0, 4}, {0, 8}, {0, 12}, 4, 4}));

TEST(Bounce, StaysWithinOneStepOfTheSpans)
{
    for (int16_t mode : {MOVE_BOUNCE, MOVE_BOUNCE_LEFT}) {
        for (auto [speed, low, highX, highY] : {std::tuple{4, -4, 548, 132}, std::tuple{1, -1, 545, 129}}) {
            int32_t minX = 0, maxX = 0, minY = 0, maxY = 0;
            for (const Position& p : Replay(kScreen1024, mode, static_cast<int16_t>(speed), 5000)) {
                minX = std::min(minX, p.x), maxX = std::max(maxX, p.x);
                minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
            }
            EXPECT_EQ(minX, low) << "mode " << mode << " speed " << speed;
            EXPECT_EQ(maxX, highX) << "mode " << mode << " speed " << speed;
            EXPECT_EQ(minY, low) << "mode " << mode << " speed " << speed;
            EXPECT_EQ(maxY, highY) << "mode " << mode << " speed " << speed;
        }
    }
}

TEST(EdgeWalk, ClockwiseTurnsThreeCornersWithinATick)
{
    std::vector<Position> p = Replay(kScreen1024, MOVE_EDGE_CLOCKWISE, 4, 334);
    std::pair<int, Position> expected[] = {
        {135, {540, 0}},   {136, {544, 4}}, {166, {544, 124}}, {167, {540, 128}},
        {301, {4, 128}},   {302, {0, 124}}, {333, {0, 0}},     {334, {4, 0}},
    };
    for (auto [tick, position] : expected) EXPECT_EQ(p[tick - 1], position) << "tick " << tick;
}

// The number of ticks until the image first stands at (0, 0) again.
int LapLength(const WindowRect& rect, int16_t mode, int16_t speed)
{
    std::vector<Position> p = Replay(rect, mode, speed, 5000);
    for (size_t i = 0; i < p.size(); ++i) {
        if (p[i] == Position{0, 0}) return static_cast<int>(i) + 1;
    }
    return -1;
}

TEST(EdgeWalk, LapLengthIsTwiceTheSpansOverTheStepLessThree)
{
    for (int16_t mode : {MOVE_EDGE_CLOCKWISE, MOVE_EDGE_COUNTERCLOCKWISE}) {
        EXPECT_EQ(LapLength(kScreen1024, mode, 4), 333) << "mode " << mode;
        EXPECT_EQ(LapLength(kScreen1024, mode, 2), 669) << "mode " << mode;
        EXPECT_EQ(LapLength(kScreen1024, mode, 1), 1341) << "mode " << mode;
    }
}

TEST(EdgeWalk, LapRepeatsExactly)
{
    std::vector<Position> p = Replay(kScreen1024, MOVE_EDGE_COUNTERCLOCKWISE, 4, 700);
    for (int i = 0; i < 333; ++i) EXPECT_EQ(p[i], p[i + 333]) << "tick " << i + 1;
}

TEST(EdgeWalk, StopsForGoodWhenASpanIsNotAMultipleOfTheStep)
{
    const WindowRect screen1366{0, 0, 1366, 768};
    MotionState state = StartState(4);
    for (int tick = 1; tick <= 400; ++tick) {
        RunTick(state, screen1366, MOVE_EDGE_CLOCKWISE);
        if (tick == 221) {
            EXPECT_EQ(At(state), (Position{884, 0}));
        }
        if (tick >= 222) {
            EXPECT_EQ(At(state), (Position{888, 0})) << "tick " << tick;
        }
        if (tick >= 223) {
            EXPECT_EQ(state.xStep, tick % 2 == 1 ? -4 : 4) << "tick " << tick;
        }
    }

    std::vector<Position> ccw = Replay(screen1366, MOVE_EDGE_COUNTERCLOCKWISE, 4, 400);
    EXPECT_EQ(ccw[31], (Position{4, 128}));
    EXPECT_NE(ccw[251], (Position{888, 128}));
    for (int tick = 253; tick <= 400; ++tick) EXPECT_EQ(ccw[tick - 1], (Position{888, 128})) << "tick " << tick;

    const WindowRect screen1680{0, 0, 1680, 1050};
    std::vector<Position> ccw1680 = Replay(screen1680, MOVE_EDGE_COUNTERCLOCKWISE, 4, 600);
    std::vector<Position> cw1680 = Replay(screen1680, MOVE_EDGE_CLOCKWISE, 4, 600);
    EXPECT_NE(ccw1680[101], (Position{0, 412}));
    EXPECT_NE(cw1680[400], (Position{1200, 412}));
    for (int tick = 103; tick <= 600; ++tick) EXPECT_EQ(ccw1680[tick - 1], (Position{0, 412})) << "tick " << tick;
    for (int tick = 402; tick <= 600; ++tick) EXPECT_EQ(cw1680[tick - 1], (Position{1200, 412})) << "tick " << tick;
}

TEST(EdgeWalk, SlowerStepsWalkNormallyOn1366)
{
    const WindowRect screen1366{0, 0, 1366, 768};
    for (int16_t mode : {MOVE_EDGE_CLOCKWISE, MOVE_EDGE_COUNTERCLOCKWISE}) {
        EXPECT_EQ(LapLength(screen1366, mode, 2), 2 * (886 + 128) / 2 - 3) << "mode " << mode;
        EXPECT_EQ(LapLength(screen1366, mode, 1), 2 * (886 + 128) - 3) << "mode " << mode;
    }
}

struct StretchCase {
    WindowRect rect;
    int32_t width, height;
};

void PrintTo(const StretchCase& c, std::ostream* out)
{
    *out << "(" << c.rect.left << ", " << c.rect.top << ", " << c.rect.right << ", " << c.rect.bottom << ")";
}

class SmallWindow : public testing::TestWithParam<StretchCase> {};

TEST_P(SmallWindow, StretchesTheWholeFrameInEveryModeWhileTheStateMoves)
{
    const StretchCase& c = GetParam();
    for (int16_t mode = 0; mode <= 7; ++mode) {
        MotionState state = StartState(4);
        for (int i = 0; i < 10; ++i) {
            BlitPlan plan = RunTick(state, c.rect, mode).plan;
            EXPECT_TRUE(plan.stretch) << "mode " << mode;
            EXPECT_EQ(plan.destX, 0);
            EXPECT_EQ(plan.destY, 0);
            EXPECT_EQ(plan.destWidth, c.width);
            EXPECT_EQ(plan.destHeight, c.height);
            EXPECT_EQ(plan.srcWidth, 480);
            EXPECT_EQ(plan.srcHeight, 640);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Screens, SmallWindow,
                         testing::Values(StretchCase{{0, 0, 800, 600}, 800, 600},
                                         StretchCase{{0, 0, 640, 480}, 640, 480},
                                         StretchCase{{436, 300, 588, 412}, 152, 112}));

TEST(SmallWindow, BounceOn800x600FlipsTheVerticalStepEveryTick)
{
    std::vector<Position> p = Replay({0, 0, 800, 600}, MOVE_BOUNCE, 4, 4);
    EXPECT_EQ(p, (std::vector<Position>{{4, 4}, {8, 0}, {12, 4}, {16, 0}}));
}

TEST(Preview, AwayFromTheOriginPlacesTheFrameAtTheScreenFormula)
{
    MotionState state = StartState(4);
    BlitPlan plan = RunTick(state, {500, 700, 652, 812}, MOVE_CENTER).plan;
    EXPECT_FALSE(plan.stretch);
    EXPECT_EQ(plan.destX, 86);
    EXPECT_EQ(plan.destY, 86);
    EXPECT_EQ(plan.destWidth, 480);
    EXPECT_EQ(plan.destHeight, 640);
}

TEST(UnknownMode, PinsTheImageToTheOrigin)
{
    for (int16_t mode : {7, -1, 100}) {
        MotionState state = StartState(4);
        for (int i = 0; i < 5; ++i) {
            BlitPlan plan = RunTick(state, kScreen1024, mode).plan;
            EXPECT_EQ(At(state), (Position{0, 0})) << "mode " << mode;
            EXPECT_FALSE(plan.stretch);
            EXPECT_EQ(plan.destX, 0);
            EXPECT_EQ(plan.destY, 0);
        }
    }
}

TEST(MissingFrame, SkipsTheMoveButStillReflectsAndAdvances)
{
    MotionState state = StartState(4);
    struct Expected {
        bool drawn;
        Position at;
    } expected[] = {{true, {4, -4}}, {false, {4, -4}}, {true, {8, -8}}, {true, {12, -4}},
                    {false, {12, -4}}, {true, {16, 0}}, {true, {20, 4}}};
    int16_t frames[7];
    for (int i = 0; i < 7; ++i) {
        bool ready = state.frameIndex % 3 != 1;
        Tick tick = RunTick(state, kScreen1024, MOVE_BOUNCE, ready);
        frames[i] = tick.frame;
        EXPECT_EQ(tick.drawn, expected[i].drawn) << "tick " << i + 1;
        EXPECT_EQ(At(state), expected[i].at) << "tick " << i + 1;
    }
    EXPECT_EQ(std::vector<int16_t>(frames, frames + 7), (std::vector<int16_t>{0, 1, 2, 0, 1, 2, 0}));
}

TEST(Speed, ZeroHoldsTheMovingAxes)
{
    struct {
        int16_t mode;
        Position at;
    } cases[] = {{0, {272, 64}}, {1, {0, 0}}, {2, {0, 0}}, {3, {0, 64}},
                 {4, {272, 0}},  {5, {0, 0}}, {6, {0, 0}}};
    for (auto c : cases) {
        for (const Position& p : Replay(kScreen1024, c.mode, 0, 20)) EXPECT_EQ(p, c.at) << "mode " << c.mode;
    }
}

TEST(Speed, NegativeRunsBackwards)
{
    std::vector<Position> bounce = Replay(kScreen1024, MOVE_BOUNCE, -4, 3);
    EXPECT_EQ(bounce, (std::vector<Position>{{-4, 4}, {0, 8}, {4, 12}}));
    std::vector<Position> bounceLeft = Replay(kScreen1024, MOVE_BOUNCE_LEFT, -4, 3);
    EXPECT_EQ(bounceLeft, (std::vector<Position>{{4, 4}, {8, 8}, {12, 12}}));

    MotionState state = StartState(-4);
    for (int tick = 1; tick <= 6; ++tick) {
        RunTick(state, kScreen1024, MOVE_EDGE_CLOCKWISE);
        EXPECT_EQ(At(state), (Position{-4, 0})) << "tick " << tick;
        EXPECT_EQ(state.xStep, tick % 2 == 1 ? -4 : 4) << "tick " << tick;
    }
    for (const Position& p : Replay(kScreen1024, MOVE_EDGE_COUNTERCLOCKWISE, -4, 6)) EXPECT_EQ(p, (Position{0, -4}));
}

TEST(Reflection, NegatesIn16BitsSoTheMostNegativeStepStays)
{
    MotionState state{-1, -1, -32768, -32768, 0};
    ReflectSteps(state, kScreen1024);
    EXPECT_EQ(state.xStep, -32768);
    EXPECT_EQ(state.yStep, -32768);
}

TEST(Reflection, LooksAtThePositionThePreviousTickLeft)
{
    // Inside the spans nothing flips, past either end both flip.
    MotionState inside{544, 128, 4, 4, 0};
    ReflectSteps(inside, kScreen1024);
    EXPECT_EQ(inside.xStep, 4);
    EXPECT_EQ(inside.yStep, 4);
    MotionState beyond{545, -1, 4, 4, 0};
    ReflectSteps(beyond, kScreen1024);
    EXPECT_EQ(beyond.xStep, -4);
    EXPECT_EQ(beyond.yStep, -4);
}

TEST(FrameIndex, CyclesThroughThreeFramesAndStoresOneAhead)
{
    MotionState state = StartState(2);
    int16_t stored[4], shown[4];
    for (int i = 0; i < 4; ++i) {
        shown[i] = RunTick(state, kScreen1024, MOVE_CENTER).frame;
        stored[i] = state.frameIndex;
    }
    EXPECT_EQ(std::vector<int16_t>(shown, shown + 4), (std::vector<int16_t>{0, 1, 2, 0}));
    EXPECT_EQ(std::vector<int16_t>(stored, stored + 4), (std::vector<int16_t>{1, 2, 3, 1}));
}

TEST(FrameIndex, AnyIndexOfThreeOrMoreWrapsToZeroButNegativesDoNot)
{
    for (int16_t index : {3, 4, 32767}) {
        MotionState state{0, 0, 0, 0, index};
        EXPECT_EQ(WrapFrameIndex(state), 0) << index;
    }
    MotionState last{0, 0, 0, 0, 32767};
    AdvanceFrameIndex(last);
    EXPECT_EQ(last.frameIndex, -32768);
    EXPECT_EQ(WrapFrameIndex(last), -32768);
}

TEST(DrawDecision, UsesTheReportedFrameSizeForPlacement)
{
    MotionState state{10, 20, 4, 4, 0};
    BlitPlan placed = ChooseBlit(state, kScreen1024, 300, 200);
    EXPECT_FALSE(placed.stretch);
    EXPECT_EQ(placed.destWidth, 300);
    EXPECT_EQ(placed.destHeight, 200);
    EXPECT_EQ(placed.srcWidth, 300);
    EXPECT_EQ(placed.srcHeight, 200);
    BlitPlan stretched = ChooseBlit(state, {0, 0, 1024, 768}, 480, 800);
    EXPECT_TRUE(stretched.stretch);
    EXPECT_EQ(stretched.srcWidth, 480);
    EXPECT_EQ(stretched.srcHeight, 640);
}

}  // namespace
