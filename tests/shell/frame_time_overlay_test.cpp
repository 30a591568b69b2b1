#include "shell/frame_time_overlay.h"

#include <gtest/gtest.h>

namespace stellaro {

namespace {

TEST(FrameTimeOverlay, AveragesTheLastTwentyFramesAndColoursBySpeed)
{
    FrameTimeOverlay overlay;
    overlay.add(1000);
    EXPECT_EQ(overlay.average_ms(), 0.0);
    for (uint32_t tick = 1050; tick <= 2000; tick += 50)
        overlay.add(tick);
    EXPECT_EQ(overlay.count(), FrameTimeOverlay::SAMPLES);
    EXPECT_DOUBLE_EQ(overlay.average_ms(), 50.0);
    overlay.add(2010);
    EXPECT_EQ(overlay.count(), FrameTimeOverlay::SAMPLES);
    EXPECT_NEAR(overlay.average_ms(), (2010.0 - 1100.0) / 19.0, 1e-9);
    const std::u16string still = overlay.text(false);
    EXPECT_EQ(still.substr(0, 9), u"[47.8 ms]");
    EXPECT_EQ(still.substr(still.size() - 3), u" Kp");
    EXPECT_EQ(overlay.text(true).substr(0, 8), u"47.8 ms ");

    EXPECT_EQ(FrameTimeOverlay::colour_for(10), (Colour{64, 255, 64, 255}));
    EXPECT_EQ(FrameTimeOverlay::colour_for(30).r, 160);
    EXPECT_EQ(FrameTimeOverlay::colour_for(40), (Colour{255, 255, 64, 255}));
    EXPECT_EQ(FrameTimeOverlay::colour_for(50).g, 160);
    EXPECT_EQ(FrameTimeOverlay::colour_for(60), (Colour{255, 64, 64, 255}));
    EXPECT_EQ(FrameTimeOverlay::colour_for(500), (Colour{255, 64, 64, 255}));
}

} // namespace

} // namespace stellaro
