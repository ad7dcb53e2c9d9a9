// Which frames and sound each value of `distance` picks.

#include "views.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Frames(const View& view)
{
    return std::vector<std::string>(view.frameNames, view.frameNames + FRAME_COUNT);
}

TEST(View, FarIsDistance1WithTheFirstThreeFramesAndSound148)
{
    const View* view = FindView(1);
    ASSERT_TRUE(view);
    EXPECT_EQ(Frames(*view), (std::vector<std::string>{"BITMAP00", "BITMAP01", "BITMAP02"}));
    EXPECT_EQ(view->sound, 148);
}

TEST(View, NearIsDistance0WithTheLastThreeFramesAndSound152)
{
    const View* view = FindView(0);
    ASSERT_TRUE(view);
    EXPECT_EQ(Frames(*view), (std::vector<std::string>{"BITMAP03", "BITMAP04", "BITMAP05"}));
    EXPECT_EQ(view->sound, 152);
}

TEST(View, NoOtherDistanceHasOne)
{
    // 256 and 257 would alias 0 and 1 if the value were cut to a byte.
    for (int16_t distance : {2, -1, 256, 257, -256, SHRT_MIN, SHRT_MAX})
        EXPECT_FALSE(FindView(distance)) << distance;
}

}  // namespace
