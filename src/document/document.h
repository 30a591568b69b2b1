#pragma once
#include "astro/observer_time.h"
#include "document/city_database.h"
#include "document/city_record.h"
#include "skin/io/singleton.h"

#include <optional>
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
    // The zone bias in minutes in force for the moment shown.
    int zone_bias_minutes() const;

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
    double longitude = 0.0;
    double latitude = 0.0;
    int32_t city_index = -1;
    // What reading the city database found, for the commands to report.
    CityReadResult cities_read;

private:
    void load_cities(const std::u16string& path);

    bool persistent = true;
    std::optional<int> fixed_zone;
};

} // namespace stellaro
