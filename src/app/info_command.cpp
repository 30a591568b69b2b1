#include "app/command_table.h"
#include "app/load_report.h"
#include "app/place_and_moment.h"
#include "app/text_format.h"
#include "astro/earth_rotation.h"
#include "astro/julian_date.h"
#include "document/document.h"
#include "platform/utf.h"

#include <cstdio>
#include <cstdlib>

namespace stellaro {

namespace {

std::string time_line(double hours)
{
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%.8f h = ", hours);
    return buffer + format_hms(hours, 4);
}

// The local moment as a clock shows it: whole seconds, cut rather than rounded. Half a
// millisecond on first, so that a moment stored a hair below a whole second (as most are in
// binary) shows that second; the calendar carries a whole minute into the hour, the date, the year.
std::string local_moment(const Document& document)
{
    const double local = document.date_jd + ((document.hour * 60.0 + document.minute) * 60.0 + 0.0005) / 86400.0;
    const CalendarMoment moment = calendar_from_jd(local);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%s%04d-%02d-%02d %02d:%02d:%02d", moment.year < 0 ? "-" : "", std::abs(moment.year), moment.month, moment.day, moment.hour,
                  moment.minute, static_cast<int>(moment.second));
    return buffer;
}

} // namespace

int info_command(OptionList& options, std::ostream& out)
{
    Document document;
    // A command that draws or prints changes no stored setting.
    document.set_persistent(false);
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
    out << "time zone: " << format_zone(document.zone_bias_minutes());
    if (!document.zone_fixed())
        out << " (" << document.zone_name() << ")";
    out << "\n";
    char jd[32];
    std::snprintf(jd, sizeof jd, "%.6f", observer.jd);
    out << "julian day: " << jd << "\n";
    out << "greenwich mean sidereal time: " << time_line(greenwich_mean_sidereal_time(observer.jd)) << "\n";
    out << "greenwich apparent sidereal time: " << time_line(observer.sidereal_time) << "\n";
    out << "local sidereal time: " << time_line(observer.local_sidereal_time()) << "\n";
    return 0;
}

} // namespace stellaro
