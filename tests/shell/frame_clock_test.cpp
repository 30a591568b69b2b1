#include "shell/frame_clock.h"
#include "shell/frame_time_overlay.h"

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

TEST(FrameTimeOverlay, AveragesTheLastTwentyFramesAndColoursBySpeed)
{
    FrameTimeOverlay overlay;
    overlay.add(1000);
    EXPECT_EQ(overlay.average_ms(), 0.0);
    for (uint32_t tick = 1050; tick <= 2000; tick += 50)
        overlay.add(tick);
    overlay.add(2010);
    // The oldest two have gone: 19 gaps from 1100 to 2010.
    EXPECT_EQ(overlay.count(), FrameTimeOverlay::SAMPLES);
    EXPECT_EQ(overlay.text(false).substr(0, 9), u"[47.8 ms]");
    EXPECT_EQ(overlay.text(true).substr(0, 8), u"47.8 ms ");
    EXPECT_EQ(FrameTimeOverlay::colour_for(10), (Colour{64, 255, 64, 255}));
    EXPECT_EQ(FrameTimeOverlay::colour_for(40), (Colour{255, 255, 64, 255}));
    EXPECT_EQ(FrameTimeOverlay::colour_for(500), (Colour{255, 64, 64, 255}));
}

} // namespace

} // namespace stellaro
