#pragma once

namespace stellaro {

// The observer's place and moment as the astronomy uses them.
struct ObserverTime {
    double jd = 0.0;              // Universal Time
    double longitude_hours = 0.0; // (360 - east longitude) / 15: the west longitude in hours
    double latitude = 0.0;        // degrees, north positive
    double sidereal_time;         // Greenwich apparent sidereal time of jd, hours

    ObserverTime();
    // Longitude east positive, latitude north positive, both in degrees.
    void set_observer(double longitude, double latitude);
    // date_jd is 0 h of the local civil date; UTC = local time + zone_hours.
    void set_moment(double date_jd, double hours, double minutes, double seconds, double zone_hours);
    // Local sidereal time in hours, 0..24.
    double local_sidereal_time() const;
};

} // namespace stellaro
