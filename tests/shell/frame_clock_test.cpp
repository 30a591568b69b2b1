#include "shell/frame_clock.h"

#include <gtest/gtest.h>

namespace stellaro {

namespace {

TEST(FrameClock, StepsAreElapsedSecondsClampedToATenthAcrossTheWrap)
{
    FrameClock clock(1000);
    EXPECT_DOUBLE_EQ(clock.step(1040), 0.04);
    // Two frames in the same millisecond still move animations a little.
    EXPECT_DOUBLE_EQ(clock.step(1040), 0.001);
    // A stall of seconds counts as one tenth.
    EXPECT_DOUBLE_EQ(clock.step(9000), 0.1);
    EXPECT_DOUBLE_EQ(clock.step(9199), 0.1);
    FrameClock wrapping(0xFFFFFFF0u);
    EXPECT_DOUBLE_EQ(wrapping.step(0x18u), 0.04);
}

TEST(FrameClock, AWaitAskedForCountsInFull)
{
    FrameClock clock(1000);
    EXPECT_DOUBLE_EQ(clock.step(1250, 0.25 + FrameClock::MAX_STEP), 0.25);
}

TEST(FrameClock, TheFrameIntervalFollowsTheDisplayOrSixtyWhenItsRateIsUnknownOrAbsurd)
{
    EXPECT_DOUBLE_EQ(frame_interval_ms(75), 1000.0 / 75);
    EXPECT_DOUBLE_EQ(frame_interval_ms(144), 1000.0 / 144);
    for (const int32_t reported : {0, -1, 1, 100000})
        EXPECT_DOUBLE_EQ(frame_interval_ms(reported), 1000.0 / 60) << reported;
}

} // namespace

} // namespace stellaro
