#include "platform/utf.h"
#include "skin/elements/element.h"
#include "skin/elements/element_factory.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <vector>

namespace stellaro {

namespace {

const std::u16string SKIN_BIN = utf8_to_utf16(STELLARO_APP_DIR "/skins/bin/");

// What the sky and the controls draw from the default skin is checked against golden pictures
// elsewhere; here: the main screen's node builds (plain elements standing in for the kinds) and
// lays the sky out over all of it.
TEST(ProgramSkins, DefaultSkinBuildsTheMainScreen)
{
    Properties properties;
    ASSERT_TRUE(properties.load_skin(SKIN_BIN + u"default.skin", 96));
    std::vector<std::unique_ptr<NodeRegistration>> kinds;
    for (const char16_t* kind : {u"stars", u"node", u"button", u"checkbox", u"color", u"htable", u"vtable", u"oldtext", u"spinner", u"vlist", u"image"})
        kinds.push_back(std::make_unique<NodeRegistration>(kind, factory_of<Element>()));
    Element screen;
    ASSERT_TRUE(screen.load_from_skin(properties, u"Main"));
    screen.set_visible(true);
    screen.set_horizontal(0, 320);
    screen.set_vertical(0, 240);
    const Element* sky = screen.find_child(u"stars");
    ASSERT_NE(sky, nullptr);
    EXPECT_EQ((std::array{sky->x(), sky->y(), sky->width(), sky->height()}), (std::array{0, 0, 320, 240}));
}

} // namespace

} // namespace stellaro
