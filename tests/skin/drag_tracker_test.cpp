#include "skin/elements/drag_tracker.h"

#include <gtest/gtest.h>

namespace stellaro {

namespace {

PointerEvent at(int32_t x, int32_t y, uint32_t time, bool down = false)
{
    PointerEvent event;
    event.x = x;
    event.y = y;
    event.time = time;
    event.down = down;
    return event;
}

TEST(DragTracker, SmallMovesStayATapAndTenPixelsMakeADrag)
{
    DragTracker tracker;
    tracker.on_button(at(100, 100, 1000, true));
    tracker.on_move(at(109, 91, 1010));
    EXPECT_EQ(tracker.moved(), 0.0);
    tracker.on_button(at(105, 105, 1020));
    EXPECT_FALSE(tracker.pressed() || tracker.dragging());
    EXPECT_EQ(tracker.velocity_x(), 0.0);

    tracker.on_button(at(100, 100, 2000, true));
    tracker.on_move(at(110, 100, 2010));
    EXPECT_EQ(tracker.moved(), -1.0);
    EXPECT_EQ(tracker.delta_x(), 10);
    // Back inside the square still moves once dragging.
    tracker.on_move(at(101, 103, 2020));
    EXPECT_EQ(tracker.delta_x(), -9);
    EXPECT_EQ(tracker.delta_y(), 3);
    EXPECT_EQ(tracker.samples().size(), 3u);
}

TEST(DragTracker, VelocityOverTheLastQuarterSecond)
{
    DragTracker tracker;
    tracker.on_button(at(0, 0, 1000, true));
    for (uint32_t i = 1; i <= 10; ++i)
        tracker.on_move(at(static_cast<int32_t>(20 * i), static_cast<int32_t>(-5 * i), 1000 + 20 * i));
    // Samples from 0 to 200 ms: 200 pixels in 200 ms, measured oldest minus newest.
    EXPECT_DOUBLE_EQ(tracker.velocity_x(), -1000.0);
    EXPECT_DOUBLE_EQ(tracker.velocity_y(), 250.0);
    // A pause drops the old samples: only the new ones younger than 251 ms count.
    tracker.on_move(at(300, -50, 1452));
    EXPECT_EQ(tracker.samples().size(), 1u);
    tracker.on_button(at(330, -50, 1490));
    EXPECT_EQ(tracker.velocity_x(), 0.0); // a span under 50 ms gives no velocity
    tracker.on_button(at(0, 0, 2000, true));
    tracker.on_move(at(0, 30, 2010));
    tracker.on_button(at(0, 37, 2070));
    // (0 - 37) * 1000 / 70, with integer division.
    EXPECT_DOUBLE_EQ(tracker.velocity_y(), -528.0);
}

} // namespace

} // namespace stellaro
