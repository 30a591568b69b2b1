// The tiled picture: which tiles it asks for and when, what it keeps, and its coordinates.
#include "skin/kinds/big_picture.h"

#include <gtest/gtest.h>

#include <cmath>

#include <tuple>
#include <vector>

namespace stellaro {

namespace {

using Tile = std::tuple<int32_t, int32_t, int32_t>;

struct RecordingProvider : TileProvider {
    void request_tile(int32_t level, int32_t column, int32_t row) override { requests.emplace_back(level, column, row); }
    std::vector<Tile> requests;
};

// The world map's shape: 8192 x 4096 at the finest level, tiles of 256, shown 480 x 800.
class BigPictureTest : public ::testing::Test {
protected:
    BigPictureTest()
    {
        picture.setup(8192, 4096, 256, 256, 4.0);
        picture.set_zoom_range(0.0, 4.0);
        picture.set_horizontal(0, 480);
        picture.set_vertical(0, 800);
        picture.set_visible(true);
        picture.set_provider(&provider);
        picture.set_center(4096.0, 2048.0);
    }
    void paint() { picture.draw(surface, {0, 0}); }
    static std::unique_ptr<PixelBuffer> tile_pixels() { return PixelBuffer::create({256, 256}); }
    PointerEvent pointer(int32_t x, int32_t y, uint32_t time_ms, bool down) const
    {
        PointerEvent event;
        event.x = x;
        event.y = y;
        event.time = time_ms;
        event.down = down;
        return event;
    }

    RecordingProvider provider;
    BigPicture picture;
    RenderSurface surface{Size{480, 800}};
};

} // namespace

TEST_F(BigPictureTest, AsksForTheVisibleTilesNearestTheCentreFirstAndOnlyOnce)
{
    paint();
    // The whole picture at the coarsest level comes first, to draw from while the rest loads.
    ASSERT_GT(provider.requests.size(), 1u);
    EXPECT_EQ(provider.requests.front(), Tile(0, 0, 0));
    provider.requests.erase(provider.requests.begin());
    for (const auto& [level, column, row] : provider.requests)
        EXPECT_EQ(level, 4);
    int64_t previous = -1;
    for (const auto& [level, column, row] : provider.requests) {
        int64_t distance2 = 0;
        ASSERT_TRUE(picture.tile_wanted(level, column, row, distance2));
        EXPECT_GE(distance2, previous);
        previous = distance2;
    }
    const size_t asked = provider.requests.size();
    paint();
    EXPECT_EQ(provider.requests.size(), asked) << "pending tiles are not asked for again";
}

TEST_F(BigPictureTest, ATileDeliveredAfterItsSlotWasReusedIsDropped)
{
    paint();
    const Tile first = provider.requests.at(1);
    // Far away at another level, more tiles than the cache keeps spare: every old slot goes.
    for (double x = 300.0; x < 8192.0; x += 1200.0) {
        picture.set_center(x, 300.0);
        paint();
        picture.set_center(x, 3800.0);
        paint();
    }
    int64_t distance2 = 0;
    EXPECT_FALSE(picture.tile_wanted(std::get<0>(first), std::get<1>(first), std::get<2>(first), distance2));
    paint();
    ASSERT_FALSE(picture.needs_repaint());
    picture.tile_loaded(std::get<0>(first), std::get<1>(first), std::get<2>(first), tile_pixels());
    EXPECT_FALSE(picture.needs_repaint()) << "a dropped tile changes nothing on the screen";

    const Tile recent = provider.requests.back();
    picture.tile_loaded(std::get<0>(recent), std::get<1>(recent), std::get<2>(recent), tile_pixels());
    EXPECT_TRUE(picture.needs_repaint());
    EXPECT_FALSE(picture.tile_wanted(std::get<0>(recent), std::get<1>(recent), std::get<2>(recent), distance2));
}

TEST_F(BigPictureTest, PanningFastStartsNoRequestsUntilTheViewSlows)
{
    paint();
    picture.on_pointer_button(pointer(240, 400, 1000, true));
    // 3000 pixels a second to the left; the speed is known once the drag has lasted a while.
    const auto drag_to = [&](uint32_t t) {
        picture.on_pointer_move(pointer(240 - static_cast<int32_t>(t - 1000) * 3, 400, t, true));
        paint();
    };
    uint32_t t = 1010;
    for (; !picture.moving_fast() && t < 1100; t += 10)
        drag_to(t);
    ASSERT_TRUE(picture.moving_fast());
    const size_t asked = provider.requests.size();
    for (; t <= 1200; t += 10)
        drag_to(t);
    EXPECT_EQ(provider.requests.size(), asked);
    // A finger held still counts as at rest: the missing tiles are asked for.
    const size_t while_fast = provider.requests.size();
    picture.update(0.2);
    EXPECT_TRUE(picture.needs_repaint());
    paint();
    EXPECT_GT(provider.requests.size(), while_fast);
    // Off again fast, and let go.
    for (t = 1400; t <= 1500; t += 10)
        drag_to(t);
    const size_t asked_again = provider.requests.size();
    picture.on_pointer_button(pointer(240 - 500 * 3, 400, 1500, false));
    paint();
    EXPECT_EQ(provider.requests.size(), asked_again) << "inertia starts fast";
    for (int frame = 0; frame < 200 && picture.in_motion(); ++frame)
        picture.update(0.02);
    EXPECT_FALSE(picture.in_motion()) << "friction stops the view";
    paint();
    EXPECT_GT(provider.requests.size(), asked_again);
}

TEST_F(BigPictureTest, ScreenPointsAndPicturePointsConvertBothWays)
{
    for (double zoom : {0.0, 1.5, 4.0}) {
        picture.set_zoom(zoom);
        double x = 0.0;
        double y = 0.0;
        picture.screen_to_picture({240, 400}, x, y);
        EXPECT_DOUBLE_EQ(x, 4096.0);
        EXPECT_DOUBLE_EQ(y, 2048.0);
        const Point back = picture.picture_to_screen(5000.0, 1000.0);
        picture.screen_to_picture(back, x, y);
        EXPECT_NEAR(x, 5000.0, std::exp2(5.0 - zoom));
        EXPECT_NEAR(y, 1000.0, std::exp2(5.0 - zoom));
    }
    // At level 4 one screen pixel is two finest pixels, at the finest level (5) one.
    picture.set_zoom(4.0);
    double x = 0.0;
    double y = 0.0;
    picture.screen_to_picture({241, 400}, x, y);
    EXPECT_DOUBLE_EQ(x, 4098.0);
}

TEST_F(BigPictureTest, TheZoomStaysInsideItsRange)
{
    EXPECT_EQ(picture.max_level(), 5);
    picture.set_zoom(7.0);
    EXPECT_EQ(picture.zoom(), 4.0);
    picture.set_zoom(-2.0);
    EXPECT_EQ(picture.zoom(), 0.0);
    picture.zoom_to(9.0);
    EXPECT_EQ(picture.zoom_target(), 4.0);
    for (int frame = 0; frame < 100 && picture.in_motion(); ++frame)
        picture.update(0.02);
    EXPECT_EQ(picture.zoom(), 4.0);
    // At rest the picture asks for no more frames.
    picture.take_frame_wait_seconds();
    picture.update(0.02);
    EXPECT_EQ(picture.take_frame_wait_seconds(), Element::NO_FRAME_WAIT);
}

} // namespace stellaro
