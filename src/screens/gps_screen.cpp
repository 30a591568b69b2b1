#include "screens/gps_screen.h"

#include "screens/coordinate_text.h"
#include "screens/satellite_plot.h"
#include "shell/application.h"
#include "skin/io/log.h"
#include "skin/props/skincore.h"

namespace stellaro {

namespace {

template <typename Kind>
Kind* required(Element& screen, const char16_t* name)
{
    auto* found = dynamic_cast<Kind*>(screen.find_child(name));
    if (!found)
        throw skincore::NodeNotFound(GpsScreen::NODE, name);
    return found;
}

void set_text(Element& element, const std::u16string& text) { element.send_text(element.id(), text); }

} // namespace

GpsState gps_state_of(const GpsSnapshot& snapshot)
{
    if (!snapshot.connected)
        return GpsState::NO_GPS;
    return snapshot.fix.has_position() ? GpsState::POSITION : GpsState::NO_POSITION;
}

// The screen's element: looks for news while it is shown; the back key leaves.
class GpsScreen::Screen : public Element {
public:
    explicit Screen(GpsScreen& owner) : owner(owner) {}

    void update(double elapsed) override
    {
        Element::update(elapsed);
        owner.poll();
        request_frame_after(POLL_SECONDS);
    }

    bool on_key(const KeyEvent& event) override
    {
        if (event.down && (event.code == KEY_BACKSPACE || event.code == KEY_ESC)) {
            owner.leave();
            return true;
        }
        return Element::on_key(event);
    }

private:
    GpsScreen& owner;
};

GpsScreen::GpsScreen(Properties& properties, Document& document)
    : properties(properties), document(document), plot_kind(SatellitePlot::register_kind())
{
    build();
    properties.add_listener(this);
}

GpsScreen::~GpsScreen()
{
    properties.remove_listener(this);
    close();
}

void GpsScreen::build()
{
    auto made = std::make_unique<Screen>(*this);
    if (!made->load_from_skin(properties, NODE))
        throw skincore::NodeNotFoundInSkin(NODE);
    made->set_visible(true);
    made->set_id(NODE);
    back = required<Button>(*made, u"back");
    use = required<Button>(*made, u"use");
    desc = required<Element>(*made, u"desc");
    latlong = required<Element>(*made, u"latlong");
    state_box = required<Checkbox>(*made, u"gps_state");
    plot = required<SatellitePlot>(*made, u"sat_back");
    if (state_box->state_count() < 3)
        throw skincore::SkinError("checkbox {gps_state} needs 3 states");
    back->set_listener(this);
    use->set_listener(this);
    state_box->set_listener(this);
    owned_screen = std::move(made);
    screen_ = owned_screen.get();
    show();
}

void GpsScreen::open()
{
    Application* application = Application::instance();
    if (!application || is_open())
        return;
    state_ = GpsState::NO_GPS;
    fix_ = GpsFix{};
    seen_serial = 0;
    if (const auto address = gpsd_address_from_environment()) {
        log() << "GPS: gpsd at " << address->host << ":" << address->port << "\n";
        poller = std::make_unique<GpsPoller>(*address);
    } else {
        log() << "GPS: STELLARO_GPSD is not host:port; no GPS\n";
    }
    show();
    application->push_screen(std::move(owned_screen), ScreenKind::OVERLAY);
}

void GpsScreen::poll()
{
    if (!poller || poller->serial() == seen_serial)
        return;
    const GpsSnapshot snapshot = poller->latest();
    seen_serial = snapshot.serial;
    const GpsState was = state_;
    state_ = gps_state_of(snapshot);
    fix_ = snapshot.fix;
    if (state_ != was)
        log() << "GPS: state " << static_cast<int32_t>(state_) << ", " << fix_.satellites.size() << " satellites in view\n";
    show();
}

void GpsScreen::show()
{
    static constexpr const char16_t* HELP[] = {u"GPS_HELP_NO_GPS", u"GPS_HELP_NO_POSITION", u"GPS_HELP_POSITION"};
    const auto index = static_cast<uint32_t>(state_);
    set_text(*desc, properties.translate(HELP[index]));
    state_box->set_state(index, false);
    set_text(*latlong, state_ == GpsState::POSITION
                           ? format_longitude(fix_.longitude_deg, false) + u" " + format_latitude(fix_.latitude_deg, false)
                           : u"");
    use->set_visible(state_ == GpsState::POSITION);
    plot->set_satellites(state_ == GpsState::NO_GPS ? std::vector<GpsSatellite>{} : strongest_satellites(fix_.satellites));
}

void GpsScreen::leave()
{
    if (!is_open())
        return;
    const bool take = state_ == GpsState::POSITION;
    const GpsFix taken = fix_;
    close();
    if (take) {
        log() << "GPS: the place becomes " << taken.longitude_deg << " " << taken.latitude_deg << "\n";
        document.set_location(taken.longitude_deg, taken.latitude_deg);
    }
}

void GpsScreen::close()
{
    poller.reset();
    if (!is_open())
        return;
    if (Application* application = Application::instance())
        owned_screen = application->remove_screen(screen_);
}

void GpsScreen::on_click(Button&, Point) { leave(); }

void GpsScreen::on_click(Checkbox&, Point) {}

void GpsScreen::reload_skin(Properties&)
{
    const bool was_open = is_open();
    if (was_open && Application::instance())
        owned_screen = Application::instance()->remove_screen(screen_);
    owned_screen.reset();
    build();
    if (was_open && Application::instance())
        Application::instance()->push_screen(std::move(owned_screen), ScreenKind::OVERLAY);
}

} // namespace stellaro
