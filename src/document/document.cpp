#include "document/document.h"

#include "astro/angles.h"
#include "astro/julian_date.h"
#include "platform/clock.h"
#include "platform/local_time.h"
#include "skin/io/log.h"
#include "skin/io/paths.h"
#include "skin/io/registry.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace stellaro {

namespace {

constexpr double SETTINGS_SCALE = 1048576.0; // 2^20
constexpr int32_t NEAR_LIMIT = 5121;         // 5 degrees in 1/1024 degree, plus one
constexpr int32_t FULL_TURN = 368640;        // 360 x 1024

int32_t to_stored(double degrees)
{
    const double scaled = std::trunc(degrees * SETTINGS_SCALE);
    return static_cast<int32_t>(std::clamp(scaled, -2147483648.0, 2147483647.0));
}

void load_switch(const char16_t* name, bool& field)
{
    bool value = false;
    if (reg_get_bool(SETTINGS_KEY, name, value))
        field = value;
}

void load_degrees(const char16_t* name, double& field, double limit)
{
    uint32_t value = 0;
    if (reg_get_dword(SETTINGS_KEY, name, value))
        field = std::clamp(static_cast<int32_t>(value) / SETTINGS_SCALE, -limit, limit);
}

} // namespace

DocumentListener::~DocumentListener()
{
    if (Document* document = Document::instance())
        document->remove_listener(this);
}

void DocumentListener::document_changed(DocumentChange) {}

Document::Document() : Document(std::u16string(CITIES_FILE)) {}

Document::Document(const std::u16string& cities_path)
{
    Stopwatch stopwatch;
    reset_moment_to_clock();
    load_settings();
    observer.set_observer(longitude, latitude);
    load_cities(cities_path);
    if (!cities.empty()) {
        log() << "Document::Document0 " << stopwatch.lap() << "\n";
        city_index = find_nearest_city(longitude, latitude);
        log() << "Document::Document1 " << stopwatch.lap() << "\n";
    }
    place_changed();
}

Document::~Document() = default;

void Document::load_cities(const std::u16string& path)
{
    cities_read = read_city_file(native_path(path), cities);
}

void Document::set_location(double new_longitude, double new_latitude)
{
    if (new_longitude == longitude && new_latitude == latitude)
        return;
    longitude = new_longitude;
    latitude = new_latitude;
    observer.set_observer(longitude, latitude);
    city_index = find_nearest_city(longitude, latitude);
    place_changed();
    notify({false});
    save_settings();
}

void Document::set_city(int32_t index)
{
    if (index < 0 || static_cast<size_t>(index) >= cities.size())
        return;
    const CityRecord& city = cities[static_cast<size_t>(index)];
    longitude = city.longitude / 1024.0;
    latitude = city.latitude / 1024.0;
    observer.set_observer(longitude, latitude);
    city_index = index;
    place_changed();
    notify({true});
    save_settings();
}

void Document::place_changed()
{
    std::string chosen;
    if (!use_system_zone && !cities.empty()) {
        if (city_index >= 0 && static_cast<size_t>(city_index) < cities.size()) {
            chosen = cities[static_cast<size_t>(city_index)].zone;
        } else {
            // Out at sea the zone is the sea zone of the longitude: whole hours, 15 degrees wide.
            const int hours = static_cast<int>(std::lround(longitude / 15.0));
            chosen = hours == 0 ? "Etc/GMT" : std::string("Etc/GMT") + (hours > 0 ? "-" : "+") + std::to_string(std::abs(hours));
        }
        if (!chosen.empty() && !zone_available(chosen)) {
            log() << "Document: the zone " << chosen << " is not in the system's zone rules; the computer's zone is used\n";
            chosen.clear();
        }
    }
    zone = chosen;
    if (live_time)
        reset_moment_to_clock();
    else
        update_moment();
}

void Document::set_use_system_zone(bool on)
{
    if (on == use_system_zone)
        return;
    use_system_zone = on;
    place_changed();
    // The local time moved, as it does with the place.
    notify({false});
    save_settings();
}

std::string Document::zone_name() const { return zone.empty() ? system_zone_name() : zone; }

void Document::reset_moment_to_clock()
{
    const LocalClock now = zone_clock_now(zone);
    date_jd = julian_day_from_calendar(now.year, now.month, now.day, true);
    hour = now.hour;
    minute = now.minute;
    update_moment();
}

void Document::set_moment(double new_date_jd, double new_hour, double new_minute)
{
    live_time = false;
    date_jd = new_date_jd;
    hour = new_hour;
    minute = new_minute;
    update_moment();
}

void Document::set_fixed_zone(std::optional<int> bias_minutes)
{
    fixed_zone = bias_minutes;
    update_moment();
}

int Document::zone_bias_minutes() const
{
    if (fixed_zone)
        return *fixed_zone;
    const CalendarMoment day = calendar_from_jd(date_jd);
    const int whole_minute = static_cast<int>(std::floor(minute));
    return stellaro::zone_bias_minutes(zone, day.year, day.month, day.day, static_cast<int>(hour), whole_minute);
}

void Document::update_moment()
{
    // The zone keeps its half-hour and 45-minute parts.
    observer.set_moment(date_jd, hour, minute, 0.0, zone_bias_minutes() / 60.0);
}

int32_t Document::find_nearest_city(double lon_degrees, double lat_degrees) const
{
    if (cities.empty())
        return -1;
    const auto lon = static_cast<int32_t>(std::trunc(lon_degrees * 1024.0));
    const auto lat = static_cast<int32_t>(std::trunc(lat_degrees * 1024.0));
    const auto c = static_cast<int64_t>(std::trunc(std::cos(lat_degrees * DEG_TO_RAD) * 1024.0));
    int32_t best = -1;
    int64_t best_distance = 0;
    for (size_t i = 0; i < cities.size(); ++i) {
        const CityRecord& city = cities[i];
        const int64_t dy = std::llabs(static_cast<int64_t>(lat) - city.latitude);
        if (dy >= NEAR_LIMIT)
            continue;
        const int64_t dx1 = std::llabs(static_cast<int64_t>(lon) - city.longitude);
        const int64_t across = lon >= 0 ? static_cast<int64_t>(lon) - FULL_TURN : static_cast<int64_t>(lon) + FULL_TURN;
        const int64_t dx2 = std::llabs(across - city.longitude);
        const int64_t dx = dx2 < dx1 ? dx2 : dx1;
        const int64_t dxs = dx * c / 1024;
        if (dxs >= NEAR_LIMIT)
            continue;
        const int64_t distance = dxs * dxs + dy * dy;
        if (best < 0 || distance < best_distance) {
            best = static_cast<int32_t>(i);
            best_distance = distance;
        }
    }
    return best;
}

void Document::load_settings()
{
    load_degrees(u"longitude", longitude, 180.0);
    load_degrees(u"latitude", latitude, 90.0);
    load_switch(u"night_mode", night_mode);
    load_switch(u"show_back", show_back);
    load_switch(u"show_grid", show_grid);
    load_switch(u"show_stars", show_stars);
    load_switch(u"show_constellations", show_constellations);
    load_switch(u"show_planets", show_planets);
    load_switch(u"refraction", refraction);
    load_switch(u"system_time_zone", use_system_zone);
}

void Document::save_settings()
{
    if (!persistent)
        return;
    reg_set_dwords(SETTINGS_KEY, {{u"longitude", static_cast<uint32_t>(to_stored(longitude))},
                                  {u"latitude", static_cast<uint32_t>(to_stored(latitude))},
                                  {u"night_mode", night_mode},
                                  {u"show_back", show_back},
                                  {u"show_grid", show_grid},
                                  {u"show_stars", show_stars},
                                  {u"show_constellations", show_constellations},
                                  {u"show_planets", show_planets},
                                  {u"refraction", refraction},
                                  {u"system_time_zone", use_system_zone}});
}

void Document::add_listener(DocumentListener* listener)
{
    listeners.push_back(listener);
}

void Document::remove_listener(DocumentListener* listener)
{
    std::erase(listeners, listener);
}

void Document::notify(DocumentChange change)
{
    // A listener may remove itself while being told; work on a copy of the list.
    const std::vector<DocumentListener*> current = listeners;
    for (DocumentListener* listener : current)
        if (std::find(listeners.begin(), listeners.end(), listener) != listeners.end())
            listener->document_changed(change);
}

} // namespace stellaro
