#include "screens/main_screen.h"

#include "skin/kinds/color_box.h"
#include "skin/props/skincore.h"

#include <algorithm>
#include <cmath>

namespace stellaro {

namespace {

// One arrow press (or repeat) turns the view as far as a drag of this many pixels.
constexpr int32_t ARROW_PIXELS = 24;
// The panels let the sky show through a little (skin colours are opaque).
constexpr uint8_t PANEL_ALPHA = 224;

bool overlap(const Element& a, const Element& b)
{
    return a.x() < b.x() + b.width() && b.x() < a.x() + a.width() && a.y() < b.y() + b.height() &&
           b.y() < a.y() + a.height();
}

} // namespace

MainScreen::MainScreen(Properties& properties, Document& document)
    : properties(properties), document(document), main_menu(properties, document), info_panel(properties), settings(document),
      date_time(document, [this] { show_clock_state(); }), city_list(properties, document)
{
    backlight.emplace();
    build();
    properties.add_listener(this);
    document.add_listener(this);
}

void MainScreen::open_gps()
{
    if (!gps_screen)
        gps_screen = std::make_unique<GpsScreen>(properties, document);
    step_aside();
    gps_screen->open();
}

MainScreen::~MainScreen()
{
    close_location();
    properties.remove_listener(this);
    document.remove_listener(this);
    if (stars)
        stars->set_listener(nullptr);
    // The children go with the element base; the drums must not call back into a screen that
    // is half gone.
    for (const char16_t* name : DateTimePanel::NAMES)
        if (auto* drum = dynamic_cast<Spinner*>(find_child(name)))
            drum->set_listener(nullptr);
}

template <typename Kind>
Kind& MainScreen::part(Element& parent, std::u16string_view name)
{
    Kind* found = dynamic_cast<Kind*>(parent.find_child(name));
    if (!found)
        throw skincore::NodeNotFound(parent.id().empty() ? std::u16string(NODE) : parent.id(), std::u16string(name));
    return *found;
}

void MainScreen::build()
{
    if (!load_from_skin(properties, NODE))
        throw skincore::NodeNotFoundInSkin(NODE);
    sky_has_pointer = false;
    stars = &part<Stars>(*this, u"stars");
    stars->set_listener(this);
    zoom_knob = &part<Button>(*this, u"btn_zoom");
    target = &part<Button>(*this, u"btn_target");
    target_tip = &part<Element>(*target, u"tip");
    selection_button = &part<Button>(*this, u"btn_selection");
    close_selection = &part<Button>(*this, u"btn_close_selection");
    selection_bar = close_selection->parent();
    selection_bar_width = selection_bar ? selection_bar->design_size.x : 0;
    search_button = &part<Checkbox>(*this, u"button_search");
    datetime_button = &part<Checkbox>(*this, u"button_datetime");
    datetime_exclamation = &part<Element>(*datetime_button, u"exclamation");
    settings_button = &part<Checkbox>(*this, u"button_settings");
    settings_exclamation = &part<Element>(*settings_button, u"exclamation");
    menu_button = &part<Checkbox>(*this, u"button_menu");
    search_panel = &part<Element>(*this, u"panel_search");
    tab_stars = &part<Checkbox>(*search_panel, u"button_stars");
    tab_constellations = &part<Checkbox>(*search_panel, u"button_constellations");
    tab_planets = &part<Checkbox>(*search_panel, u"button_planets");
    datetime_panel = &part<Element>(*this, u"panel_datetime");
    now_button = &part<Button>(*datetime_panel, u"btn_now");
    settings_panel = &part<Element>(*this, u"panel_settings");
    location_button = &part<Button>(*settings_panel, u"setting_location");

    for (Button* button : {zoom_knob, target, selection_button, close_selection, now_button, location_button})
        button->set_listener(this);
    for (Checkbox* checkbox : {search_button, datetime_button, settings_button, menu_button, tab_stars, tab_constellations, tab_planets})
        checkbox->set_listener(this);
    close_location();
    location_home.reset();
    auto location = std::make_unique<LocationScreen>(properties, document, location_home);
    location_ = location.get();
    location_->set_openers([this] { open_city_list(); }, [this] { open_gps(); });
    location_home = std::move(location);

    zoom_rest = zoom_knob->border_min;
    zoom_offset_px = 0.0;
    if (const Element* track = zoom_knob->parent())
        zoom_travel_px = std::max(0, (track->design_size.y - zoom_knob->design_size.y) / 2);
    target_drag = {};

    for (Element* panel : {search_panel, datetime_panel, settings_panel}) {
        if (auto* box = dynamic_cast<ColorBox*>(panel)) {
            Colour colour = box->colour();
            colour.a = PANEL_ALPHA;
            box->set_colour(colour);
        }
    }

    settings.bind(*settings_panel, this);
    settings.show_document();
    settings_exclamation->set_visible(settings.sky_emptied());
    show_panels();
    date_time.bind(*datetime_panel, properties);
    show_clock_state();
    if (search_)
        search_->rebuild(*search_panel, *stars);
    else
        search_ = std::make_unique<SearchPanel>(*search_panel, *stars, properties, *this);
    tab_stars->set_state(1, true);
    refresh_selection();
    set_visible(true);
}

void MainScreen::reload_skin(Properties&) { build(); }

void MainScreen::show_clock_state()
{
    now_button->set_visible(!document.live_time);
    datetime_exclamation->set_visible(!document.live_time);
}

void MainScreen::document_changed(DocumentChange)
{
    show_document_moment();
}

void MainScreen::show_document_moment()
{
    date_time.show_document();
    show_clock_state();
}

void MainScreen::place(Element& element, Point offset)
{
    if (element.border_min == offset)
        return;
    element.border_min = offset;
    element.invalidate_measure();
    request_repaint();
}

void MainScreen::show_search(bool on, bool animated)
{
    if (animated)
        search_panel->show(on);
    else
        search_panel->set_visible(on);
    if (on && search_)
        search_->clear_selection();
    // The sky stays in view above and beside the panel, which covers only part of the screen;
    // a blank screen around a list would look broken on any window larger than the panel.
    zoom_knob->set_visible(!on);
    if (Element* track = zoom_knob->parent(); track && track != this)
        track->set_visible(!on);
}

void MainScreen::show_panels()
{
    show_search(search_button->state() != 0, false);
    datetime_panel->set_visible(datetime_button->state() != 0);
    settings_panel->set_visible(settings_button->state() != 0);
}

void MainScreen::click_panel_button(Checkbox& clicked)
{
    const bool turning_on = clicked.state() == 0;
    for (Checkbox* button : {search_button, datetime_button, settings_button})
        button->set_state(button == &clicked && turning_on ? 1 : 0, true);
    // The drums show the moment as it is when the panel opens: the clock may have moved it.
    if (&clicked == datetime_button && turning_on)
        show_document_moment();
    show_panels();
}

void MainScreen::open_panel(Panel panel)
{
    Checkbox* button = panel == Panel::SEARCH ? search_button : panel == Panel::DATETIME ? datetime_button : settings_button;
    if (button->state() == 0)
        click_panel_button(*button);
}

void MainScreen::open_menu()
{
    menu_button->set_state(1, true);
    for (Checkbox* button : {search_button, datetime_button, settings_button})
        button->set_state(0, true);
    show_panels();
    step_aside();
    main_menu.open();
}

void MainScreen::step_aside()
{
    selection_button->set_visible(false);
    close_selection->set_visible(false);
}

bool MainScreen::open_selection_info()
{
    // Aside first: the panel keeps a picture of this screen as it was when it opened.
    step_aside();
    if (show_selection_info())
        return true;
    refresh_selection();
    return false;
}

bool MainScreen::show_selection_info()
{
    const SkyObject selected = stars->selection();
    const SkyCatalog& catalog = stars->catalog();
    const auto index = static_cast<size_t>(selected.index);
    switch (selected.kind) {
    case SkyKind::star:
        if (const StarRecord* star = catalog.stars.find(selected.index)) {
            info_panel.show_star(*star, catalog.constellations);
            return true;
        }
        return false;
    case SkyKind::body:
        if (selected.index < 0 || index >= BODY_COUNT)
            return false;
        info_panel.show_body(stars->bodies()[index], selected.index);
        return true;
    case SkyKind::constellation:
        if (selected.index < 0 || index >= catalog.constellations.size())
            return false;
        info_panel.show_constellation(catalog.constellations[index]);
        return true;
    case SkyKind::nothing:
        return false;
    }
    return false;
}

void MainScreen::on_click(Checkbox& checkbox, Point)
{
    if (&checkbox == search_button || &checkbox == datetime_button || &checkbox == settings_button) {
        click_panel_button(checkbox);
    } else if (&checkbox == tab_stars || &checkbox == tab_constellations || &checkbox == tab_planets) {
        if (checkbox.state() != 0)
            return;
        for (Checkbox* tab : {tab_stars, tab_constellations, tab_planets})
            tab->set_state(tab == &checkbox ? 1 : 0, true);
    } else if (&checkbox == menu_button) {
        open_menu();
    } else {
        checkbox.next_state(true);
    }
}

void MainScreen::on_state_changed(Checkbox& checkbox, bool)
{
    if (settings.take_state(checkbox))
        settings_exclamation->set_visible(settings.sky_emptied());
    if (checkbox.state() != 0 && search_) {
        if (&checkbox == tab_stars)
            search_->show_tab(SearchTab::stars);
        else if (&checkbox == tab_constellations)
            search_->show_tab(SearchTab::constellations);
        else if (&checkbox == tab_planets)
            search_->show_tab(SearchTab::planets);
    }
}

void MainScreen::search_chosen(SkyKind kind)
{
    // The chosen object must show: its kind is switched on, as the settings panel would.
    bool& shown = kind == SkyKind::star ? document.show_stars
                  : kind == SkyKind::constellation ? document.show_constellations
                                                   : document.show_planets;
    if (!shown) {
        shown = true;
        document.save_settings();
        settings.show_document();
        settings_exclamation->set_visible(settings.sky_emptied());
    }
    search_button->set_state(0, true);
    show_panels();
}

void MainScreen::on_click(Button& button, Point)
{
    if (&button == now_button) {
        document.live_time = true;
        document.reset_moment_to_clock();
        show_document_moment();
    } else if (&button == close_selection) {
        stars->select(SkyObject{});
        refresh_selection();
    } else if (&button == selection_button) {
        open_selection_info();
    } else if (&button == location_button) {
        open_location();
    }
}

void MainScreen::open_location()
{
    if (location_)
        location_->open();
}

void MainScreen::close_location()
{
    // Only the pointer is compared: the application may have let the screen go already.
    if (location_ && !location_home)
        if (Application* application = Application::instance())
            location_home = application->remove_screen(location_);
}

void MainScreen::on_press_changed(Button& button, Point, bool)
{
    if (&button != target || target->held())
        return;
    const SelectedPoint at = stars->selected_object_point(stars->selection());
    if (at.found && (target_drag.x != 0 || target_drag.y != 0))
        stars->select(stars->nearest_object({at.point.x + target_drag.x, at.point.y + target_drag.y}));
    target_drag = {};
    refresh_selection();
}

void MainScreen::on_drag(Button& button, ButtonDrag& drag)
{
    drag.consumed_x = drag.dx;
    drag.consumed_y = drag.dy;
    if (&button == zoom_knob) {
        zoom_offset_px = std::clamp(zoom_offset_px + drag.dy, -zoom_travel_px, zoom_travel_px);
        place(*zoom_knob, {zoom_rest.x, zoom_rest.y + static_cast<int32_t>(zoom_offset_px)});
        stars->zoom_by(drag.dy);
    } else if (&button == target) {
        target_drag.x += drag.dx;
        target_drag.y += drag.dy;
        refresh_selection();
    }
}

void MainScreen::refresh_selection()
{
    const SkyObject selected = stars->selection();
    const bool shown = selected.kind != SkyKind::nothing && selected.index != -1;
    SelectedPoint at = shown ? stars->selected_object_point(selected) : SelectedPoint{};
    selection_button->set_visible(shown && at.found);
    close_selection->set_visible(shown && at.found);
    // Under an open panel the marker would take the presses meant for the panel.
    target->set_visible(shown && at.found && !under_open_panel(*target));
    if (!shown || !at.found)
        return;
    std::u16string name = at.name;
    if (target_drag.x != 0 || target_drag.y != 0) {
        // The name under the dragged marker is previewed; the selection changes on release.
        const SkyObject under = stars->nearest_object({at.point.x + target_drag.x, at.point.y + target_drag.y});
        const SelectedPoint previewed = stars->selected_object_point(under);
        name = previewed.found ? previewed.name : std::u16string();
    }
    selection_button->set_caption(name);
    const Point sky_origin{stars->x() - x(), stars->y() - y()};
    place(*target, {sky_origin.x + at.point.x + target_drag.x - target_tip->border_min.x,
                    sky_origin.y + at.point.y + target_drag.y - target_tip->border_min.y});
}

void MainScreen::update(double elapsed)
{
    if (document.live_time) {
        document.reset_moment_to_clock();
        // The drums always show the moment shown, also while it follows the clock.
        if (datetime_panel->visible())
            date_time.follow_clock();
    }
    Element::update(elapsed);
    if (!zoom_knob->held() && zoom_offset_px != 0.0) {
        const double step = ZOOM_SPRING_PX_S * elapsed;
        zoom_offset_px = std::abs(zoom_offset_px) <= step ? 0.0 : zoom_offset_px - std::copysign(step, zoom_offset_px);
        place(*zoom_knob, {zoom_rest.x, zoom_rest.y + static_cast<int32_t>(zoom_offset_px)});
    }
    if (Element* track = zoom_knob->parent(); track && track != this)
        track->set_visible(!search_panel->visible() && !under_open_panel(*track));
    // The menu is a screen above this one; when it has gone, its button goes off.
    if (menu_button->state() != 0)
        if (Application* application = Application::instance(); !application || application->screens().top() == this)
            menu_button->set_state(0, true);
    keep_selection_clear();
    refresh_selection();
}

void MainScreen::keep_selection_clear()
{
    if (!selection_bar || selection_bar == this)
        return;
    const int32_t gap = std::max(1, selection_bar->border_min.y);
    const int32_t centred_left = (width() - selection_bar_width) / 2;
    const int32_t bar_bottom = selection_bar->border_min.y + selection_bar->design_size.y;
    int32_t beside = -1;
    for (const Element* panel : {search_panel, datetime_panel, settings_panel}) {
        const int32_t panel_right = panel->x() - x() + panel->width();
        if (panel->visible() && panel->y() - y() < bar_bottom && panel_right > centred_left)
            beside = panel_right + gap;
    }
    const int32_t room = width() - beside - gap;
    // Too narrow a strip of sky beside the panel holds no readable name; the pill then stays.
    const bool move = beside >= 0 && room >= selection_bar_width / 2;
    const AnchorMode anchor = move ? AnchorMode::MIN_SIDE : AnchorMode::CENTER;
    const Point size{move ? std::min(room, selection_bar_width) : selection_bar_width, selection_bar->design_size.y};
    const Point offset{move ? beside : 0, selection_bar->border_min.y};
    if (selection_bar->anchor_x == anchor && selection_bar->design_size == size && selection_bar->border_min == offset)
        return;
    selection_bar->anchor_x = anchor;
    selection_bar->design_size = size;
    selection_bar->border_min = offset;
    selection_bar->invalidate_measure();
}

bool MainScreen::under_open_panel(const Element& element) const
{
    for (const Element* panel : {search_panel, datetime_panel, settings_panel})
        if (panel->visible() && overlap(*panel, element))
            return true;
    return false;
}

bool MainScreen::over_panel(Point point) const
{
    for (const Element* panel : {search_panel, datetime_panel, settings_panel})
        if (panel->effectively_visible() && panel->contains(point))
            return true;
    return false;
}

bool MainScreen::on_pointer_button(const PointerEvent& event)
{
    // The controls float above the sky: a press they take is not also a press on the sky.
    if (event.down) {
        sky_has_pointer = false;
        if (Element::on_pointer_button(event))
            return true;
        const Point point{event.x, event.y};
        if (over_panel(point) || !stars->effectively_visible() || !stars->contains(point))
            return false;
        sky_has_pointer = stars->on_pointer_button(event);
        return sky_has_pointer;
    }
    if (sky_has_pointer) {
        sky_has_pointer = false;
        stars->on_pointer_button(event);
        return true;
    }
    return Element::on_pointer_button(event);
}

void MainScreen::on_pointer_move(const PointerEvent& event)
{
    if (sky_has_pointer)
        stars->on_pointer_move(event);
    else
        Element::on_pointer_move(event);
}

bool MainScreen::on_key(const KeyEvent& event)
{
    if (Element::on_key(event))
        return true;
    // Escape (or the back key) closes the open panel, as it closes the menu and the other panels.
    if (event.down && (event.code == KEY_ESC || event.code == KEY_BACKSPACE))
        for (Checkbox* button : {search_button, datetime_button, settings_button})
            if (button->state() != 0) {
                click_panel_button(*button);
                return true;
            }
    if (stars->effectively_visible() && stars->on_key(event))
        return true;
    return turn_by_keys && turn_by_arrow(event);
}

bool MainScreen::on_text(std::u16string_view text)
{
    if (Element::on_text(text))
        return true;
    return stars->effectively_visible() && stars->on_text(text);
}

bool MainScreen::turn_by_arrow(const KeyEvent& event)
{
    if (!event.down || !stars->effectively_visible())
        return false;
    int32_t dx = 0;
    int32_t dy = 0;
    switch (event.code) {
    case KEY_LEFT: dx = ARROW_PIXELS; break;
    case KEY_RIGHT: dx = -ARROW_PIXELS; break;
    case KEY_UP: dy = ARROW_PIXELS; break;
    case KEY_DOWN: dy = -ARROW_PIXELS; break;
    default: return false;
    }
    // Turning by hand lets go of a followed object, as a drag does.
    drag_started();
    stars->view().pan_velocity_x = 0.0;
    stars->view().pan_velocity_y = 0.0;
    stars->view().drag(dx, dy);
    stars->refresh_projection();
    stars->request_repaint();
    return true;
}

void MainScreen::drag_started()
{
    if (stars->selection().kind == SkyKind::nothing)
        return;
    stars->select(SkyObject{});
    refresh_selection();
}

void MainScreen::tapped(const PointerEvent& event)
{
    stars->select(stars->nearest_object({event.x - stars->x(), event.y - stars->y()}));
    refresh_selection();
}

void MainScreen::on_command_line(std::u16string_view text)
{
    if (Application* application = Application::instance())
        application->bring_to_front();
    if (command_line_handler)
        command_line_handler(text);
    show_document_moment();
}

bool MainScreen::on_wheel(Point, int steps)
{
    // The window's wheel goes to the screen on top.
    if (location_ && !location_home) {
        location_->zoom_by_steps(steps);
        return true;
    }
    if (!stars->effectively_visible())
        return false;
    stars->zoom_by(-steps * WHEEL_PIXELS);
    return true;
}

void MainScreen::on_activated()
{
    backlight.reset();
    backlight.emplace();
}

} // namespace stellaro
