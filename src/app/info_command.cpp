#include "app/command_table.h"
#include "app/load_report.h"
#include "app/place_and_moment.h"
#include "app/text_format.h"
#include "astro/earth_rotation.h"
#include "astro/julian_date.h"
#include "document/document.h"
#include "platform/utf.h"

#include <cmath>
#include <cstdio>

namespace stellaro {

namespace {

std::string time_line(double hours)
{
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%.8f h = ", hours);
    return buffer + format_hms(hours, 4);
}

std::string local_moment(const Document& document)
{
    const CalendarMoment date = calendar_from_julian_date(JulianDate(document.date_jd, true));
    const double total_seconds = std::round((document.hour * 60.0 + document.minute) * 60.0 * 1000.0) / 1000.0;
    const int hour = static_cast<int>(total_seconds / 3600.0);
    const int minute = static_cast<int>((total_seconds - hour * 3600.0) / 60.0);
    const double second = total_seconds - hour * 3600.0 - minute * 60.0;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02.0f", date.year, date.month, date.day, hour, minute, second);
    return buffer;
}

} // namespace

int info_command(OptionList& options, std::ostream& out)
{
    Document document;
    apply_place_and_moment(options, document);
    options.finish();
    // The nearest city is only as good as the city database.
    if (report_cities("info", document))
        return 1;

    const ObserverTime& observer = document.observer;
    out << "place: " << format_place(document.latitude, document.longitude) << "\n";
    out << "nearest city: ";
    if (document.city_index >= 0) {
        const CityRecord& city = document.cities[static_cast<size_t>(document.city_index)];
        out << utf16_to_utf8(city.name) << ", " << utf16_to_utf8(city.country) << "\n";
    } else {
        out << "none\n";
    }
    out << "local time: " << local_moment(document) << "\n";
    out << "time zone: " << format_zone(document.zone_bias_minutes()) << "\n";
    char jd[32];
    std::snprintf(jd, sizeof jd, "%.6f", observer.jd);
    out << "julian day: " << jd << "\n";
    out << "greenwich mean sidereal time: " << time_line(greenwich_mean_sidereal_time(observer.jd)) << "\n";
    out << "greenwich apparent sidereal time: " << time_line(observer.sidereal_time) << "\n";
    out << "local sidereal time: " << time_line(observer.local_sidereal_time()) << "\n";
    return 0;
}

} // namespace stellaro
