#include "data_files/built_files.h"

#include "skin/io/zip_reader.h"
#include "skin/surface/decode_image.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace stellaro {

namespace {

std::unique_ptr<PixelBuffer> tile(ZipReader& zip, int level, int column, int row)
{
    char name[32];
    std::snprintf(name, sizeof name, "%d_%02d.jpg", level, column + row * (1 << level) + 1);
    return zip.find(utf8_to_utf16(name)) ? decode_image(zip) : nullptr;
}

TEST(MapData, EveryTileOfLevelsZeroToFourDecodesAndShowsItsPartOfTheWorld)
{
    ZipReader zip(built_path("map.zip"));
    int tiles = 0;
    for (int level = 0; level <= 4; ++level) {
        const int columns = 1 << level;
        for (int row = 0; row < (level == 0 ? 1 : columns / 2); ++row)
            for (int column = 0; column < columns; ++column) {
                const std::unique_ptr<PixelBuffer> picture = tile(zip, level, column, row);
                ASSERT_NE(picture, nullptr) << level << " " << column << " " << row;
                EXPECT_EQ(std::pair(picture->width(), picture->height()), std::pair(256, 256));
                ++tiles;
            }
    }
    EXPECT_EQ(tiles, 171);
    EXPECT_FALSE(zip.find(u"5_01.jpg"));

    // Level 1, column 1 covers 0..180 degrees east and 90 north to 90 south: the Sahara at
    // 10 E 23 N is sand, the Indian Ocean at 75 E 25 S is water.
    const std::unique_ptr<PixelBuffer> east = tile(zip, 1, 1, 0);
    ASSERT_NE(east, nullptr);
    const auto at = [&](double lon, double lat) { return east->row(static_cast<int>((90.0 - lat) / 180.0 * 256))[static_cast<int>(lon / 180.0 * 256)]; };
    EXPECT_GT(red_of(at(10.0, 23.0)), blue_of(at(10.0, 23.0)));
    EXPECT_GT(blue_of(at(75.0, -25.0)), red_of(at(75.0, -25.0)));
    // Level 0 holds the whole map in its upper half; the lower half is ocean.
    const std::unique_ptr<PixelBuffer> world = tile(zip, 0, 0, 0);
    ASSERT_NE(world, nullptr);
    const Pixel below = world->row(200)[100];
    EXPECT_GT(blue_of(below), red_of(below));
    EXPECT_EQ(world->row(250)[10], below);
}

} // namespace

} // namespace stellaro
