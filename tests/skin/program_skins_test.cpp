#include "platform/utf.h"
#include "skin/elements/element.h"
#include "skin/elements/element_factory.h"

#include <gtest/gtest.h>

namespace stellaro {

namespace {

const std::u16string SKIN_BIN = utf8_to_utf16(STELLARO_APP_DIR "/skins/bin/");

// Stands in for the sky view, whose kind belongs to the program: takes what the skin gives it.
class SkyStandIn : public Element {
public:
    using Element::Element;

    void init_from_skin(Properties& properties, const SkinBlock* block) override
    {
        Element::init_from_skin(properties, block);
        background = properties.get_picture(block, u"background", {});
        horizon = properties.get_color(block, u"hor_color", {0, 0, 0, 255});
        font = properties.get_font(block, u"font", FontHandle());
        for (int i = 0; i < 8; ++i)
            sprites[i] = properties.get_picture(block, u"star" + utf8_to_utf16(std::to_string(i)), {});
    }

    PictureRef background;
    PictureRef sprites[8];
    Colour horizon;
    FontHandle font;
};

// The drawing of the whole sky from this skin is checked against golden pictures elsewhere;
// here: the main screen is complete and lays the sky out over all of it.
TEST(ProgramSkins, DefaultSkinBuildsTheMainScreen)
{
    Properties properties;
    ASSERT_TRUE(properties.load_skin(SKIN_BIN + u"default.skin", 96));
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
    EXPECT_FALSE(sky->background.empty());
    for (const PictureRef& sprite : sky->sprites) {
        ASSERT_FALSE(sprite.empty());
        EXPECT_GT(sprite.size().width, 0);
    }
    EXPECT_NE(sky->horizon, (Colour{0, 0, 0, 255}));
    ASSERT_TRUE(sky->font);
    EXPECT_GT(sky->font->description().size, 0);
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
