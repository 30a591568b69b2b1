#include "platform/utf.h"
#include "skin/elements/element.h"
#include "skin/elements/element_factory.h"
#include "skin/surface/png_writer.h"
#include "skin/surface/span_filler.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace stellaro {

namespace {

const std::u16string SKIN_BIN = utf8_to_utf16(STELLARO_APP_DIR "/skins/bin/");

// Stands in for the sky view: draws what the skin gives it (the background tiled, a horizon in
// its colour and one sprite of each class), enough to show the skin is complete.
class SkyStandIn : public Element {
public:
    using Element::Element;

    void init_from_skin(Properties& properties, const SkinBlock* block) override
    {
        Element::init_from_skin(properties, block);
        background = properties.get_picture(block, u"background", {});
        horizon = properties.get_color(block, u"hor_color", {});
        font = properties.get_font(block, u"font", FontHandle());
        for (int i = 0; i < 8; ++i)
            sprites[i] = properties.get_picture(block, u"star" + utf8_to_utf16(std::to_string(i)), {});
    }

    void paint(RenderSurface& surface, Point origin) override
    {
        background.draw(surface, origin, {width(), height()}, plain_copy_painter());
        surface.draw_line(origin + Point{0, height() / 2}, origin + Point{width(), height() / 2}, horizon);
        for (int i = 0; i < 8; ++i)
            sprites[i].draw(surface, origin + Point{20 + 35 * i, height() / 4}, or_painter());
        Element::paint(surface, origin);
    }

    PictureRef background;
    PictureRef sprites[8];
    Colour horizon;
    FontHandle font;
};

TEST(ProgramSkins, DefaultSkinBuildsTheMainScreenAndPaintsIt)
{
    Properties properties;
    ASSERT_TRUE(properties.load_skin(SKIN_BIN + u"default.skin", 96));
    const SkinBlock* main = properties.find_block(u"Main");
    ASSERT_NE(main, nullptr);

    // The sky element's kind belongs to the program; a stand-in takes its place here.
    const NodeRegistration stars(u"stars", factory_of<SkyStandIn>());
    Element screen;
    ASSERT_TRUE(screen.load_from_skin(properties, u"Main"));
    screen.set_visible(true);
    screen.set_horizontal(0, 320);
    screen.set_vertical(0, 240);

    auto* sky = static_cast<SkyStandIn*>(screen.find_child(u"stars"));
    ASSERT_NE(sky, nullptr);
    EXPECT_EQ((Point{sky->x(), sky->y()}), (Point{0, 0}));
    EXPECT_EQ((Size{sky->width(), sky->height()}), (Size{320, 240}));
    ASSERT_FALSE(sky->background.empty());
    for (const PictureRef& sprite : sky->sprites) {
        ASSERT_FALSE(sprite.empty());
        EXPECT_GT(sprite.size().width, 0);
    }
    EXPECT_NE(sky->horizon, (Colour{0, 0, 0, 255}));
    ASSERT_TRUE(sky->font);
    EXPECT_GT(sky->font->description().size, 0);

    RenderSurface frame({320, 240});
    frame.apply({0, 0}, {320, 240}, SolidFiller(TRANSPARENT_KEY));
    screen.draw(frame, {0, 0});
    EXPECT_EQ(frame.pixel({5, 120}), to_pixel(sky->horizon));
    int changed = 0;
    for (int32_t y = 0; y < 240; y += 3)
        for (int32_t x = 0; x < 320; x += 3)
            changed += frame.pixel({x, y}) != TRANSPARENT_KEY;
    EXPECT_GT(changed, 320 * 240 / 9 / 2);
    if (const char* out = std::getenv("STELLARO_SKIN_PNG"))
        write_png(frame, out);
}

TEST(ProgramSkins, SplashSkinHasItsScreen)
{
    Properties properties;
    ASSERT_TRUE(properties.load_skin(SKIN_BIN + u"splash.skin", 96));
    const SkinBlock* splash = properties.find_block(u"Splash");
    ASSERT_NE(splash, nullptr);
    ASSERT_EQ(properties.child_count(splash), 1u);
    const SkinBlock* background = properties.child_block(splash, 0);
    EXPECT_EQ(properties.get_string(background, u"type", u""), u"color");
    EXPECT_GE(properties.child_count(background), 1u);
}

} // namespace

} // namespace stellaro
