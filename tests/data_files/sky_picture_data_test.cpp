#include "data_files/built_files.h"

#include "skin/io/file_stream.h"
#include "skin/surface/load_565.h"

#include <gtest/gtest.h>

namespace stellaro {

namespace {

std::unique_ptr<PixelBuffer> bitmap(const std::string& name)
{
    FileStream file(built_path("skins/bin/" + name + ".bmp"), FileStream::READ);
    return read_bmp_565(file);
}

Pixel centre(const PixelBuffer& picture, int offset = 0)
{
    return picture.row(picture.height() / 2 + offset)[picture.width() / 2 + offset];
}

TEST(SkyPictureData, StarSpritesBodiesAndSkinPicturesHaveTheirShapesAndSurroundings)
{
    // Star sprites shrink from the brightest class to a few pixels, bright in the middle and
    // black at the corners; the red channel carries the brightness.
    int previous = 1000;
    for (int drawing_class = 0; drawing_class < 8; ++drawing_class) {
        SCOPED_TRACE(drawing_class);
        const std::unique_ptr<PixelBuffer> sprite = bitmap("star" + std::to_string(drawing_class));
        ASSERT_NE(sprite, nullptr);
        EXPECT_EQ(sprite->width(), sprite->height());
        EXPECT_EQ(sprite->width() % 2, 1) << "a centre pixel";
        EXPECT_LE(sprite->width(), previous);
        previous = sprite->width();
        EXPECT_GE(red_of(centre(*sprite)), 200);
        EXPECT_EQ(sprite->row(0)[0], 0);
    }
    EXPECT_LE(previous, 3);

    // The Sun is an animation strip of square frames on black, which adds nothing to the sky.
    const std::unique_ptr<PixelBuffer> sun = bitmap("Sun");
    ASSERT_NE(sun, nullptr);
    EXPECT_GE(sun->width() / sun->height(), 2);
    EXPECT_EQ(sun->width() % sun->height(), 0);
    EXPECT_GT(red_of(sun->row(sun->height() / 2)[sun->height() / 2]), 200);
    EXPECT_EQ(sun->row(0)[0], 0);
    for (const char* name : {"Mercury", "Venus", "Moon", "Mars", "Jupiter", "Saturn", "Uranus", "Neptune"}) {
        SCOPED_TRACE(name);
        const std::unique_ptr<PixelBuffer> body = bitmap(name);
        ASSERT_NE(body, nullptr);
        EXPECT_EQ(body->width(), body->height());
        EXPECT_EQ(body->row(0)[0], TRANSPARENT_KEY);
        EXPECT_TRUE(centre(*body) & OPAQUE_FLAG);
    }
    // The Moon fills its picture so that the phase shading, centred on it, covers the disc.
    const std::unique_ptr<PixelBuffer> moon = bitmap("Moon");
    const std::unique_ptr<PixelBuffer> mars = bitmap("Mars");
    const std::unique_ptr<PixelBuffer> neptune = bitmap("Neptune");
    ASSERT_TRUE(moon && mars && neptune);
    EXPECT_NE(moon->row(moon->height() / 2)[1], TRANSPARENT_KEY);
    EXPECT_GT(red_of(centre(*mars, 3)), 2 * blue_of(centre(*mars, 3)));
    EXPECT_GT(blue_of(centre(*neptune, 3)), 2 * red_of(centre(*neptune, 3)));

    for (const char* name : {"star_general", "background"}) {
        const PictureRef picture = load_565(built_path(std::string("skins/bin/") + name));
        ASSERT_FALSE(picture.empty()) << name;
        EXPECT_GE(picture.size().width, 64) << name;
        EXPECT_EQ(picture.size().width, picture.size().height) << name;
    }
}

} // namespace

} // namespace stellaro
