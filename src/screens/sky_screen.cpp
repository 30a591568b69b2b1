#include "screens/sky_screen.h"

#include "document/document.h"

namespace stellaro {

SkyScreen::SkyScreen() = default;

SkyScreen::~SkyScreen()
{
    if (stars)
        stars->set_listener(nullptr);
}

bool SkyScreen::build(Properties& properties)
{
    stars = nullptr;
    if (!load_from_skin(properties, NODE))
        return false;
    stars = dynamic_cast<Stars*>(find_child(u"stars"));
    if (!stars)
        return false;
    add_input_child(stars);
    stars->set_listener(this);
    set_visible(true);
    return true;
}

void SkyScreen::update(double elapsed)
{
    if (Document* document = Document::instance(); document && document->live_time)
        document->reset_moment_to_clock();
    Element::update(elapsed);
}

void SkyScreen::drag_started()
{
    if (stars)
        stars->select(SkyObject{});
}

void SkyScreen::tapped(const PointerEvent& event)
{
    if (!stars)
        return;
    const SkyObject object = stars->nearest_object(Point{event.x - stars->x(), event.y - stars->y()});
    stars->select(object);
}

} // namespace stellaro
