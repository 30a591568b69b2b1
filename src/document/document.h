#pragma once
#include "astro/observer_time.h"
#include "document/city_database.h"
#include "document/city_record.h"
#include "skin/io/singleton.h"

#include <optional>
#include <string>
#include <vector>

namespace stellaro {

inline constexpr std::u16string_view CITIES_FILE = u"%app_path%/cities.db";

struct DocumentChange {
    bool by_city = false; // the place was set by choosing a city
};

// Told when the place changes. A listener removes itself from the document when destroyed.
class DocumentListener {
public:
    virtual ~DocumentListener();
    virtual void document_changed(DocumentChange change);
};

// The one model object: the observer's place, the moment shown, the view switches and the
// city database. The place and the switches are kept in the registry.
class Document : public Singleton<Document> {
public:
    // Reads the clock, the stored settings and "%app_path%/cities.db".
    Document();
    // Reads the cities from the given file instead.
    explicit Document(const std::u16string& cities_path);
    ~Document();

    void set_location(double longitude, double latitude);
    void set_city(int32_t index);
    void reset_moment_to_clock();
    void update_moment();
    // Shows the local civil date (0 h, as a Julian day), hour and minute; stops following the clock.
    void set_moment(double date_jd, double hour, double minute);
    int32_t find_nearest_city(double longitude, double latitude) const;

    void load_settings();
    void save_settings();
    // Off: nothing is written to the registry (command-line runs that must not change settings).
    void set_persistent(bool on) { persistent = on; }
    // A fixed zone bias in minutes (UTC = local + bias) instead of the system's rules; nothing for those.
    void set_fixed_zone(std::optional<int> bias_minutes);
    // A zone given with the moment overrides every zone rule.
    bool zone_fixed() const { return fixed_zone.has_value(); }
    // The zone bias in minutes in force for the moment shown.
    int zone_bias_minutes() const;
    // The time-zone database's name of the zone whose rules give the local time: the zone of the
    // place's nearest city, the sea zone of the longitude when no city is near, the computer's
    // zone when asked for or when the cities do not say. Empty for the computer's zone.
    const std::string& zone_rules() const { return zone; }
    // The zone as people read it: the zone's name, or the computer's zone's name.
    std::string zone_name() const;
    // Use the computer's zone instead of the place's; a change tells the listeners (the local
    // time moved) and is saved.
    void set_use_system_zone(bool on);

    void add_listener(DocumentListener* listener);
    void remove_listener(DocumentListener* listener);
    void notify(DocumentChange change);

    std::vector<DocumentListener*> listeners;
    std::vector<CityRecord> cities;
    bool night_mode = false;
    bool live_time = true;
    ObserverTime observer;
    double date_jd = 0.0;
    double hour = 0.0;
    double minute = 0.0;
    bool show_back = true;
    bool show_grid = true;
    bool show_stars = true;
    bool show_constellations = true;
    bool show_planets = true;
    // Atmospheric refraction in what the sky draws and the altitudes it shows.
    bool refraction = true;
    // The local time is the computer's, not the place's.
    bool use_system_zone = false;
    double longitude = 0.0;
    double latitude = 0.0;
    int32_t city_index = -1;
    // What reading the city database found, for the commands to report.
    CityReadResult cities_read;

private:
    void load_cities(const std::u16string& path);
    // Chooses the zone for the place and the switch, then shows the moment in it.
    void place_changed();

    bool persistent = true;
    std::optional<int> fixed_zone;
    std::string zone;
};

} // namespace stellaro
