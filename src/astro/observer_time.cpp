#include "astro/observer_time.h"

#include "astro/angles.h"
#include "astro/earth_rotation.h"

namespace stellaro {

ObserverTime::ObserverTime() : sidereal_time(greenwich_apparent_sidereal_time(0.0)) {}

void ObserverTime::set_observer(double longitude, double new_latitude)
{
    longitude_hours = (360.0 - longitude) / 15.0;
    latitude = new_latitude;
}

void ObserverTime::set_moment(double date_jd, double hours, double minutes, double seconds, double zone_hours)
{
    jd = date_jd + (hours + zone_hours) / 24.0 + minutes / 1440.0 + seconds / 86400.0;
    sidereal_time = greenwich_apparent_sidereal_time(jd);
}

double ObserverTime::local_sidereal_time() const
{
    // longitude_hours is 24 minus the east longitude in hours.
    return normalize_hours(sidereal_time - longitude_hours + 24.0);
}

} // namespace stellaro
