#include "app/screen_factory.h"

#include "platform/utf.h"
#include "screens/gallery_screen.h"
#include "screens/search_panel_screen.h"
#include "screens/sky_screen.h"
#include "screens/window_sky_screen.h"
#include "skin/props/skincore.h"

namespace stellaro {

namespace {

std::unique_ptr<Element> make_sky_screen(Properties& properties, ScreenUse use)
{
    std::unique_ptr<SkyScreen> screen = use == ScreenUse::WINDOW ? std::make_unique<WindowSkyScreen>() : std::make_unique<SkyScreen>();
    if (!screen->build(properties))
        throw ScreenError("the skin has no sky in its \"Main\" screen");
    return screen;
}

std::unique_ptr<Element> make_gallery(Properties& properties)
{
    auto screen = std::make_unique<GalleryScreen>();
    try {
        screen->build(properties);
    } catch (const skincore::SkinError& error) {
        throw ScreenError(std::string("the skin's gallery cannot be built: ") + error.what());
    }
    return screen;
}

std::unique_ptr<Element> make_search_panel(Properties& properties)
{
    auto screen = std::make_unique<SearchPanelScreen>();
    try {
        screen->build(properties);
    } catch (const skincore::SkinError& error) {
        throw ScreenError(std::string("the skin's search panel cannot be built: ") + error.what());
    }
    return screen;
}

std::unique_ptr<Element> make_plain_screen(Properties& properties, const std::string& name)
{
    auto screen = std::make_unique<Element>();
    try {
        if (!screen->load_from_skin(properties, utf8_to_utf16(name)))
            throw ScreenError("the skin has no node '" + name + "'");
    } catch (const skincore::SkinError& error) {
        throw ScreenError("the skin's node '" + name + "' cannot be built: " + error.what());
    }
    screen->set_visible(true);
    return screen;
}

} // namespace

void check_screen_name(const Properties& properties, const std::string& name)
{
    if (!properties.find_block(utf8_to_utf16(name)))
        throw ScreenError("the skin has no node '" + name + "'");
}

std::unique_ptr<Element> make_screen(Properties& properties, const std::string& name, ScreenUse use)
{
    std::unique_ptr<Element> screen;
    if (name == "Main")
        screen = make_sky_screen(properties, use);
    else if (name == "Gallery")
        screen = make_gallery(properties);
    else if (name == "SearchPanel")
        screen = make_search_panel(properties);
    else
        screen = make_plain_screen(properties, name);
    screen->set_id(utf8_to_utf16(name));
    return screen;
}

Stars* sky_of(Element& screen)
{
    if (auto* search_screen = dynamic_cast<SearchPanelScreen*>(&screen))
        return search_screen->sky();
    auto* sky_screen = dynamic_cast<SkyScreen*>(&screen);
    return sky_screen ? sky_screen->sky() : nullptr;
}

} // namespace stellaro
