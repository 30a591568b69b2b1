#include "data_files/built_files.h"

#include "skin/io/file_stream.h"
#include "skin/surface/load_565.h"

#include <gtest/gtest.h>

namespace stellaro {

namespace {

std::unique_ptr<PixelBuffer> bitmap(const std::string& name)
{
    FileStream file(built_path("skins/bin/" + name + ".bmp"), 0);
    return read_bmp_565(file);
}

TEST(SkyPictureData, StarSpritesShrinkFromTheBrightestClassToAFewPixels)
{
    int previous = 1000;
    for (int drawing_class = 0; drawing_class < 8; ++drawing_class) {
        const std::unique_ptr<PixelBuffer> sprite = bitmap("star" + std::to_string(drawing_class));
        ASSERT_NE(sprite, nullptr) << drawing_class;
        EXPECT_EQ(sprite->width(), sprite->height());
        EXPECT_EQ(sprite->width() % 2, 1) << "a centre pixel";
        EXPECT_LE(sprite->width(), previous);
        previous = sprite->width();
        const int c = sprite->width() / 2;
        // Bright in the middle, dark at the corners; the red channel carries the brightness.
        EXPECT_GE(red_of(sprite->row(c)[c]), 200) << drawing_class;
        EXPECT_EQ(sprite->row(0)[0], 0) << drawing_class;
    }
    EXPECT_LE(previous, 3);
}

TEST(SkyPictureData, BodyPicturesHaveTheirFramesAndTransparentSurroundings)
{
    const std::unique_ptr<PixelBuffer> sun = bitmap("Sun");
    ASSERT_NE(sun, nullptr);
    EXPECT_GE(sun->width() / sun->height(), 2) << "an animation strip";
    EXPECT_EQ(sun->width() % sun->height(), 0);
    const int h = sun->height();
    EXPECT_GT(red_of(sun->row(h / 2)[h / 2]), 200);
    EXPECT_EQ(sun->row(0)[0], 0) << "black adds nothing to the sky";

    for (const char* name : {"Mercury", "Venus", "Moon", "Mars", "Jupiter", "Saturn", "Uranus", "Neptune"}) {
        SCOPED_TRACE(name);
        const std::unique_ptr<PixelBuffer> body = bitmap(name);
        ASSERT_NE(body, nullptr);
        EXPECT_EQ(body->width(), body->height());
        const int c = body->width() / 2;
        EXPECT_EQ(body->row(0)[0], TRANSPARENT_KEY);
        EXPECT_NE(body->row(c)[c], TRANSPARENT_KEY);
        EXPECT_TRUE(body->row(c)[c] & OPAQUE_FLAG);
    }
    // The Moon fills its picture so that the phase shading, centred on it, covers the disc.
    const std::unique_ptr<PixelBuffer> moon = bitmap("Moon");
    ASSERT_NE(moon, nullptr);
    EXPECT_NE(moon->row(moon->height() / 2)[1], TRANSPARENT_KEY);

    // Mars is red and Neptune blue beside their centres.
    const auto beside_centre = [](const char* name) {
        const std::unique_ptr<PixelBuffer> body = bitmap(name);
        return body ? body->row(body->height() / 2 + 3)[body->width() / 2 + 3] : Pixel{0};
    };
    const Pixel mars = beside_centre("Mars");
    const Pixel neptune = beside_centre("Neptune");
    EXPECT_GT(red_of(mars), 2 * blue_of(mars));
    EXPECT_GT(blue_of(neptune), 2 * red_of(neptune));
}

TEST(SkyPictureData, TheInformationStarAndTheBackgroundLoadAsSkinPictures)
{
    for (const char* name : {"star_general", "background"}) {
        const PictureRef picture = load_565(built_path(std::string("skins/bin/") + name));
        ASSERT_FALSE(picture.empty()) << name;
        EXPECT_GE(picture.size().width, 64) << name;
        EXPECT_EQ(picture.size().width, picture.size().height) << name;
    }
}

} // namespace

} // namespace stellaro
