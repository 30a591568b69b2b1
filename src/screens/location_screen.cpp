#include "screens/location_screen.h"

#include "screens/coordinate_text.h"
#include "shell/application.h"
#include "shell/game_base.h"
#include "skin/props/skincore.h"

#include <algorithm>
#include <cmath>

namespace stellaro {

namespace {

constexpr double DEGREES_PER_UNIT = 360.0 / MAP_WIDTH;

CActiveScheduler* application_scheduler()
{
    Application* application = Application::instance();
    return application ? &application->game_base().scheduler() : nullptr;
}

} // namespace

double map_x_of_longitude(double longitude_deg) { return (longitude_deg + 180.0) * MAP_UNITS_PER_DEGREE; }
double map_y_of_latitude(double latitude_deg) { return (90.0 - latitude_deg) * MAP_UNITS_PER_DEGREE; }
double longitude_of_map_x(double x) { return x * DEGREES_PER_UNIT - 180.0; }
double latitude_of_map_y(double y) { return 90.0 - y * DEGREES_PER_UNIT; }

LocationScreen::LocationScreen(Properties& properties, Document& document, std::unique_ptr<Element>& home,
                               std::u16string_view map_archive)
    : properties(properties), document(document), home(home)
{
    if (!load_from_skin(properties, NODE))
        throw skincore::NodeNotFoundInSkin(NODE);
    set_id(NODE);
    set_visible(true);
    map_ = &part<BigPicture>(*this, u"map");
    plus = &part<Button>(*this, u"plus");
    minus = &part<Button>(*this, u"minus");
    back = &part<Button>(*this, u"back");
    gps = &part<Button>(*this, u"btn_gps");
    city = &part<Button>(*this, u"city");
    latlong = &part<Element>(*this, u"latlong");
    target = &part<Button>(*this, u"btn_target");
    target_tip = &part<Element>(*target, u"tip");
    arrow = &part<Element>(*this, u"target_arrow");
    arrow_tip = &part<Element>(*arrow, u"tip");
    for (Button* button : {plus, minus, back, gps, city, target})
        button->set_listener(this);

    night = document.night_mode;
    map_->setup(static_cast<int32_t>(MAP_WIDTH), static_cast<int32_t>(MAP_HEIGHT), MAP_TILE_PX, MAP_TILE_PX, 0.0);
    map_->set_zoom_range(0.0, MAP_TOP_LEVEL);
    map_->set_listener(this);
    loader_ = std::make_unique<MapTileLoader>(std::u16string(map_archive), *map_, application_scheduler());
    loader_->set_night(night);
    map_->set_provider(loader_.get());
    map_->set_center(map_x_of_longitude(document.longitude), map_y_of_latitude(document.latitude));
    document.add_listener(this);
    refresh();
}

LocationScreen::~LocationScreen()
{
    document.remove_listener(this);
    // The worker goes before the map it reads for.
    loader_.reset();
}

template <typename Kind>
Kind& LocationScreen::part(Element& parent, std::u16string_view name)
{
    Kind* found = dynamic_cast<Kind*>(parent.find_child(name));
    if (!found)
        throw skincore::NodeNotFound(NODE, std::u16string(name));
    return *found;
}

void LocationScreen::open()
{
    if (document.night_mode != night) {
        // Cached tiles have the other colours: start afresh.
        night = document.night_mode;
        loader_->set_night(night);
        map_->setup(static_cast<int32_t>(MAP_WIDTH), static_cast<int32_t>(MAP_HEIGHT), MAP_TILE_PX, MAP_TILE_PX,
                    map_->zoom());
        map_->set_zoom_range(0.0, MAP_TOP_LEVEL);
    }
    target_drag = {};
    map_->set_center(map_x_of_longitude(document.longitude), map_y_of_latitude(document.latitude));
    refresh();
    Application* application = Application::instance();
    if (application && home)
        application->push_screen(std::move(home));
}

void LocationScreen::close()
{
    if (is_open())
        if (Application* application = Application::instance())
            home = application->remove_screen(this);
}

void LocationScreen::city_chosen(int32_t city_index)
{
    // The document tells its listeners, and this screen moves the map to the city.
    document.set_city(city_index);
}

void LocationScreen::place_chosen(double longitude_deg, double latitude_deg)
{
    document.set_location(std::clamp(longitude_deg, -180.0, 180.0), std::clamp(latitude_deg, -90.0, 90.0));
    map_->animate_to(map_x_of_longitude(document.longitude), map_y_of_latitude(document.latitude));
    refresh();
}

void LocationScreen::zoom_by_steps(int steps)
{
    map_->zoom_to(std::round(map_->zoom_target()) + steps);
    refresh();
}

bool LocationScreen::loading() const { return loader_->busy() || map_->in_motion(); }

double LocationScreen::degrees_per_pixel() const
{
    return 360.0 / (MAP_TILE_PX * std::exp2(std::floor(map_->zoom())));
}

void LocationScreen::place_tip(Element& element, const Element& tip, Point point)
{
    const Point offset{point.x - tip.border_min.x, point.y - tip.border_min.y};
    if (element.border_min == offset)
        return;
    element.border_min = offset;
    element.invalidate_measure();
    request_repaint();
}

void LocationScreen::refresh()
{
    minus->set_visible(map_->zoom_target() > map_->min_zoom());
    plus->set_visible(map_->zoom_target() < map_->max_zoom());

    double longitude = document.longitude;
    double latitude = document.latitude;
    int32_t shown = document.city_index;
    arrow->set_visible(false);
    if (target_drag.x != 0 || target_drag.y != 0) {
        longitude += target_drag.x * degrees_per_pixel();
        latitude -= target_drag.y * degrees_per_pixel();
        shown = document.find_nearest_city(longitude, latitude);
        if (shown >= 0) {
            const CityRecord& nearest = document.cities[static_cast<size_t>(shown)];
            place_tip(*arrow, *arrow_tip,
                      map_->picture_to_screen(map_x_of_longitude(nearest.longitude / 1024.0),
                                              map_y_of_latitude(nearest.latitude / 1024.0)));
            arrow->send_text(u"#text", nearest.name);
            arrow->set_visible(true);
        }
    }
    if (shown >= static_cast<int32_t>(document.cities.size()))
        shown = -1;
    shown_longitude_ = longitude;
    shown_latitude_ = latitude;
    shown_city_ = shown;
    city->send_text(u"#text", shown >= 0 ? document.cities[static_cast<size_t>(shown)].name
                                         : properties.translate(u"SelectCity"));
    latlong->send_text(u"latlong", format_longitude(longitude, false) + u" " + format_latitude(latitude, false));
    place_tip(*target, *target_tip, map_->picture_to_screen(map_x_of_longitude(longitude), map_y_of_latitude(latitude)));
}

void LocationScreen::update(double elapsed)
{
    Element::update(elapsed);
    const Size map_size{map_->width(), map_->height()};
    if (map_size != laid_out) {
        // The first layout: a zoom at which the map fills the width, then the markers on it.
        if (laid_out == Size{} && map_size.width > 0)
            map_->set_zoom(std::ceil(std::log2(map_size.width / static_cast<double>(MAP_TILE_PX))));
        laid_out = map_size;
        refresh();
    }
    // The scheduler wakes the window for finished tiles; a loop that never runs it (a headless
    // run) still gets them here.
    loader_->deliver();
    // Without a scheduler nothing else wakes the loop when a tile is finished.
    if (!application_scheduler() && loader_->busy())
        request_frame_after(0.03);
}

bool LocationScreen::on_key(const KeyEvent& event)
{
    if (event.down && (event.code == KEY_BACKSPACE || event.code == KEY_ESC)) {
        close();
        return true;
    }
    return Element::on_key(event);
}

bool LocationScreen::on_pointer_button(const PointerEvent& event)
{
    // The controls float above the map: a press they take is not also a press on the map.
    if (event.down) {
        map_has_pointer = false;
        if (Element::on_pointer_button(event))
            return true;
        if (!map_->effectively_visible() || !map_->contains({event.x, event.y}))
            return false;
        map_has_pointer = map_->on_pointer_button(event);
        return map_has_pointer;
    }
    if (map_has_pointer) {
        map_has_pointer = false;
        map_->on_pointer_button(event);
        return true;
    }
    return Element::on_pointer_button(event);
}

void LocationScreen::on_pointer_move(const PointerEvent& event)
{
    if (map_has_pointer)
        map_->on_pointer_move(event);
    else
        Element::on_pointer_move(event);
}

void LocationScreen::on_click(Button& button, Point)
{
    if (&button == back)
        close();
    else if (&button == city)
        open_city_list();
    else if (&button == gps)
        open_gps();
    else if (&button == plus)
        zoom_by_steps(1);
    else if (&button == minus)
        zoom_by_steps(-1);
    refresh();
}

void LocationScreen::on_press_changed(Button& button, Point, bool)
{
    if (&button != target || target->held())
        return;
    if (target_drag.x != 0 || target_drag.y != 0) {
        const double longitude = std::clamp(document.longitude + target_drag.x * degrees_per_pixel(), -180.0, 180.0);
        const double latitude = std::clamp(document.latitude - target_drag.y * degrees_per_pixel(), -90.0, 90.0);
        target_drag = {};
        document.set_location(longitude, latitude);
    }
    refresh();
}

void LocationScreen::on_drag(Button& button, ButtonDrag& drag)
{
    drag.consumed_x = drag.dx;
    drag.consumed_y = drag.dy;
    if (&button != target)
        return;
    target_drag.x += drag.dx;
    target_drag.y += drag.dy;
    refresh();
}

void LocationScreen::view_moved(double, double) { refresh(); }

void LocationScreen::tapped(const PointerEvent& event)
{
    double x = 0.0;
    double y = 0.0;
    map_->screen_to_picture({event.x, event.y}, x, y);
    document.set_location(std::clamp(longitude_of_map_x(x), -180.0, 180.0), std::clamp(latitude_of_map_y(y), -90.0, 90.0));
    refresh();
}

void LocationScreen::document_changed(DocumentChange change)
{
    if (change.by_city && document.city_index >= 0 && static_cast<size_t>(document.city_index) < document.cities.size()) {
        const CityRecord& chosen = document.cities[static_cast<size_t>(document.city_index)];
        map_->animate_to(map_x_of_longitude(chosen.longitude / 1024.0), map_y_of_latitude(chosen.latitude / 1024.0));
    }
    refresh();
}

void LocationScreen::set_openers(std::function<void()> city_list, std::function<void()> gps)
{
    city_list_opener = std::move(city_list);
    gps_opener = std::move(gps);
}

void LocationScreen::open_city_list()
{
    if (city_list_opener)
        city_list_opener();
}

void LocationScreen::open_gps()
{
    if (gps_opener)
        gps_opener();
}

} // namespace stellaro
