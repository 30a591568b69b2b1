#pragma once
#include "document/document.h"
#include "platform/gps_poller.h"
#include "skin/elements/element.h"
#include "skin/elements/element_factory.h"
#include "skin/kinds/button.h"
#include "skin/kinds/checkbox.h"
#include "skin/props/properties.h"

#include <cstdint>
#include <memory>

namespace stellaro {

class SatellitePlot;

// What the GPS screen shows, in the order of the "gps_state" checkbox's states.
enum class GpsState : int32_t {
    NO_GPS,      // gpsd or its client library is missing, or gpsd does not answer
    NO_POSITION, // the receiver answers but has no latitude and longitude
    POSITION,    // a two- or three-dimensional fix
};

// The state a poller's snapshot stands for.
GpsState gps_state_of(const GpsSnapshot& snapshot);

// The GPS screen, from the skin node "GPS": the receiver's state ("gps_state", a checkbox of
// three states), a help text ("desc"), the position ("latlong"), the satellites in view
// ("sat_back", a "satplot"), "use" to take the position and "back" (or the back key) to leave.
// While it is open a poller thread talks to gpsd (at STELLARO_GPSD, default the local one), and
// the screen looks at the poller's news a few times a second. Leaving takes the position as the
// document's place only when the last look had one. It rebuilds itself when the skin is reloaded.
class GpsScreen : public ButtonListener, public CheckboxListener, public PropertiesListener {
public:
    static constexpr const char16_t* NODE = u"GPS";
    // How often an open screen looks for news from the poller.
    static constexpr double POLL_SECONDS = 0.25;

    // Throws skincore::NodeNotFoundInSkin without the node, skincore::NodeNotFound for a missing
    // part.
    GpsScreen(Properties& properties, Document& document);
    ~GpsScreen() override;
    GpsScreen(const GpsScreen&) = delete;
    GpsScreen& operator=(const GpsScreen&) = delete;

    // Shows the screen on the application's screen stack and starts talking to gpsd.
    void open();
    // Leaves as "back" does: stops talking to gpsd and, when the last look found a position,
    // makes it the document's place (saved, and the listeners told).
    void leave();
    bool is_open() const { return !owned_screen; }
    GpsState state() const { return state_; }
    // The fix of the last look.
    const GpsFix& fix() const { return fix_; }

    void on_click(Button& button, Point point) override;
    void on_click(Checkbox& checkbox, Point point) override;
    void reload_skin(Properties& properties) override;

private:
    class Screen;
    void build();
    // Takes the poller's news, if any, and shows it.
    void poll();
    void show();
    void close();

    Properties& properties;
    Document& document;
    std::unique_ptr<NodeRegistration> plot_kind;
    std::unique_ptr<Element> owned_screen;
    Element* screen_ = nullptr;
    Button* back = nullptr;
    Button* use = nullptr;
    Element* desc = nullptr;
    Element* latlong = nullptr;
    Checkbox* state_box = nullptr;
    SatellitePlot* plot = nullptr;
    std::unique_ptr<GpsPoller> poller;
    uint64_t seen_serial = 0;
    GpsState state_ = GpsState::NO_GPS;
    GpsFix fix_;
};

} // namespace stellaro
