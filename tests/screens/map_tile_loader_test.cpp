// The map's tile loader: a worker thread reading the archive, its tiles reaching the interface
// thread through the active-object scheduler. Run under ThreadSanitizer too.
#include "platform/utf.h"
#include "screens/location_screen.h"
#include "screens/map_tile_loader.h"
#include "shell/active_scheduler.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace stellaro {

namespace {

const std::u16string MAP = utf8_to_utf16(STELLARO_APP_DIR) + u"/map.zip";

// A scheduler whose wake-ups the test waits for, as the window's loop would.
class WakeableScheduler {
public:
    WakeableScheduler() : scheduler([this] { wake(); }) {}
    // Waits for a wake-up (at most a generous while: a loaded machine is slow, never stuck) and
    // runs the completions; false when none came.
    bool run_completions()
    {
        {
            std::unique_lock lock(mutex);
            if (!cv.wait_for(lock, std::chrono::seconds(30), [this] { return woken; }))
                return false;
            woken = false;
        }
        scheduler.process_actives();
        return true;
    }
    CActiveScheduler scheduler;

private:
    void wake()
    {
        std::lock_guard lock(mutex);
        woken = true;
        cv.notify_all();
    }
    std::mutex mutex;
    std::condition_variable cv;
    bool woken = false;
};

class MapTileLoaderTest : public ::testing::Test {
protected:
    MapTileLoaderTest()
    {
        map.setup(static_cast<int32_t>(MAP_WIDTH), static_cast<int32_t>(MAP_HEIGHT), MAP_TILE_PX, MAP_TILE_PX, 4.0);
        map.set_zoom_range(0.0, MAP_TOP_LEVEL);
        map.set_horizontal(0, 480);
        map.set_vertical(0, 800);
        map.set_visible(true);
        map.set_center(map_x_of_longitude(2.35), map_y_of_latitude(48.85));
    }
    // How many of the visible tiles still wait for their pictures.
    int32_t waiting() const
    {
        int32_t count = 0;
        int64_t distance2 = 0;
        for (int32_t row = 0; row < 8; ++row)
            for (int32_t column = 0; column < 16; ++column)
                count += map.tile_wanted(4, column, row, distance2) ? 1 : 0;
        return count;
    }

    WakeableScheduler wakeable;
    BigPicture map;
    RenderSurface surface{Size{480, 800}};
};

} // namespace

TEST_F(MapTileLoaderTest, NamesTilesByLevelAndNumber)
{
    EXPECT_EQ(MapTileLoader::tile_name(0, 0, 0), u"0_01.jpg");
    EXPECT_EQ(MapTileLoader::tile_name(3, 5, 2), u"3_22.jpg");
    EXPECT_EQ(MapTileLoader::tile_name(4, 15, 7), u"4_128.jpg");
}

TEST_F(MapTileLoaderTest, EveryVisibleTileArrivesThroughTheScheduler)
{
    MapTileLoader loader(MAP, map, &wakeable.scheduler);
    map.set_provider(&loader);
    map.draw(surface, {0, 0});
    ASSERT_GT(waiting(), 0);
    while (waiting() > 0)
        ASSERT_TRUE(wakeable.run_completions()) << waiting() << " tiles never came";
    // Drawn now, the middle of the view is the map (France), not the placeholder colour.
    map.draw(surface, {0, 0});
    EXPECT_NE(surface.pixel({240, 400}), 0);
    EXPECT_EQ(wakeable.scheduler.active_count(), loader.busy() ? 1 : 0);
}

TEST_F(MapTileLoaderTest, TilesThatScrolledAwayAreSkippedAndMissingOnesEndTheWork)
{
    MapTileLoader loader(MAP, map, &wakeable.scheduler);
    // Tiles the map never asked for are not wanted: the worker drops them unread.
    for (int32_t column = 0; column < 16; ++column)
        loader.request_tile(4, column, 7);
    MapTileLoader missing(u"/nonexistent/map.zip", map, nullptr);
    map.set_provider(&missing);
    map.draw(surface, {0, 0});
    // Pending tiles of an archive that is not there fail one by one; the loader goes idle.
    for (int i = 0; i < 3000 && missing.busy(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_FALSE(missing.busy());
    EXPECT_EQ(missing.deliver(), 0);
    for (int i = 0; i < 3000 && loader.busy(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_FALSE(loader.busy());
    EXPECT_EQ(loader.deliver(), 0);
}

TEST_F(MapTileLoaderTest, StopsWhileTilesAreStillBeingRead)
{
    {
        MapTileLoader loader(MAP, map, &wakeable.scheduler);
        map.set_provider(&loader);
        map.draw(surface, {0, 0});
        map.set_provider(nullptr);
    }
    EXPECT_EQ(wakeable.scheduler.active_count(), 0);
    wakeable.scheduler.process_actives();
}

} // namespace stellaro
