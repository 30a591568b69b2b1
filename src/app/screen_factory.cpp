#include "app/screen_factory.h"

#include "document/document.h"
#include "platform/utf.h"
#include "screens/gallery_screen.h"
#include "screens/main_screen.h"
#include "screens/satellite_plot.h"
#include "skin/props/skincore.h"

namespace stellaro {

namespace {

std::unique_ptr<Element> make_main_screen(Properties& properties, ScreenUse use)
{
    Document* document = Document::instance();
    if (!document)
        throw ScreenError("the main screen needs the document");
    try {
        auto screen = std::make_unique<MainScreen>(properties, *document);
        screen->set_turn_by_keys(use == ScreenUse::WINDOW);
        return screen;
    } catch (const skincore::SkinError& error) {
        throw ScreenError(std::string("the skin's main screen cannot be built: ") + error.what());
    }
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

std::unique_ptr<Element> make_plain_screen(Properties& properties, const std::string& name)
{
    auto screen = std::make_unique<Element>();
    // The program's own kinds that a node may hold besides the sky; needed only while loading.
    const std::unique_ptr<NodeRegistration> plot_kind = SatellitePlot::register_kind();
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
        screen = make_main_screen(properties, use);
    else if (name == "Gallery")
        screen = make_gallery(properties);
    else
        screen = make_plain_screen(properties, name);
    screen->set_id(utf8_to_utf16(name));
    return screen;
}

Stars* sky_of(Element& screen)
{
    auto* main_screen = dynamic_cast<MainScreen*>(&screen);
    return main_screen ? &main_screen->sky() : nullptr;
}

} // namespace stellaro
