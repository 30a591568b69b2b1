#include "app/main_screen_maker.h"

#include "app/screen_factory.h"

namespace stellaro {

std::unique_ptr<Element> make_main_screen(Properties& properties)
{
    return make_screen(properties, "Main", ScreenUse::WINDOW);
}

} // namespace stellaro
