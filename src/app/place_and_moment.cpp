#include "app/place_and_moment.h"

#include "astro/julian_date.h"
#include "document/document.h"

namespace stellaro {

void apply_place_and_moment(OptionList& options, Document& document)
{
    document.set_persistent(false);
    const auto lat = options.value("--lat");
    const auto lon = options.value("--lon");
    const double latitude = lat ? parse_number_in("--lat", *lat, -90.0, 90.0) : document.latitude;
    const double longitude = lon ? parse_number_in("--lon", *lon, -180.0, 180.0) : document.longitude;
    document.set_location(longitude, latitude);

    if (const auto time = options.value("--time")) {
        const MomentArgument moment = parse_moment("--time", *time);
        document.set_fixed_zone(moment.bias_minutes);
        document.set_moment(julian_day_from_date(moment.year, moment.month, moment.day), moment.hour,
                            moment.minute + moment.second / 60.0);
    }
}

} // namespace stellaro
