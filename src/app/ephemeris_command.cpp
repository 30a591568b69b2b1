#include "app/command_table.h"
#include "app/load_report.h"
#include "app/place_and_moment.h"
#include "app/text_format.h"
#include "astro/apparent_place.h"
#include "astro/coordinates.h"
#include "astro/delta_t.h"
#include "astro/earth_rotation.h"
#include "astro/julian_date.h"
#include "astro/refraction.h"
#include "astro/solar_system.h"
#include "astro/topocentric.h"
#include "catalog/sky_catalog.h"
#include "document/document.h"
#include "platform/utf.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <string>

namespace stellaro {

namespace {

// Julian days of -4712 January 1.5 and 9999 December 31.
constexpr double FIRST_JD = 0.0;
constexpr double LAST_JD = 5373484.5;

// The text padded with spaces to a width in characters (the angle signs take several bytes).
std::string pad(const std::string& text, size_t width, bool right)
{
    size_t characters = 0;
    for (const char c : text)
        characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    const std::string fill(characters < width ? width - characters : 0, ' ');
    return right ? fill + text : text + fill;
}

std::string csv_field(const std::string& text)
{
    if (text.find_first_of(",\"\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (const char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

std::string decimal(double value, int decimals)
{
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return buffer;
}

// One object's row: the geocentric apparent place of date and the place seen from the observer,
// with what is known of a body (distance, lit fraction, magnitude).
struct EphemerisRow {
    std::string name;
    EquatorialPosition geocentric;
    EquatorialPosition topocentric;
    std::optional<double> phase_angle; // degrees, for an object that shows phases
    std::optional<double> distance_au;
    std::optional<double> illuminated_fraction;
    std::optional<double> magnitude;
};

std::string optional_decimal(const std::optional<double>& value, int decimals)
{
    return value ? decimal(*value, decimals) : std::string();
}

// Prints the apparent places of objects for one observer, as a table or as CSV. Each object is
// one row, whatever it is, so that anything with a right ascension and declination can be added.
// The CSV's azimuth and altitude are always airless, so that scripts get the geometry.
class EphemerisTable {
public:
    EphemerisTable(std::ostream& out, const ObserverTime& observer, bool csv, bool airless)
        : out(out), observer(observer), csv(csv), refracted(!csv && !airless)
    {
    }

    void print_header(const std::string& place) const
    {
        if (csv) {
            out << "body,ra_hours,dec_degrees,phase_angle,azimuth,altitude,topocentric_ra_hours,topocentric_dec_degrees,"
                   "distance_au,illuminated_fraction,magnitude\n";
            return;
        }
        // Half a millisecond on and the seconds cut to milliseconds: rounded, with any carry
        // into the minute, hour or date taken by the calendar.
        const double shown = observer.jd + 0.0005 / 86400.0;
        const CalendarMoment moment = calendar_from_jd(shown);
        char when[128];
        std::snprintf(when, sizeof when, "%s%04d-%02d-%02d %02d:%02d:%06.3f UT, julian day %.6f, delta T %.1f s",
                      moment.year < 0 ? "-" : "", std::abs(moment.year),
                      moment.month, moment.day, moment.hour, moment.minute, std::floor(moment.second * 1000.0) / 1000.0,
                      observer.jd, delta_t_seconds(decimal_year(observer.jd)));
        out << "moment: " << when << "\n";
        out << "place: " << place << "\n";
        out << "apparent places of date: right ascension and declination from the Earth's centre; azimuth (from north "
               "through east) and altitude seen from the place, "
            << (refracted ? "altitude with refraction (10 \u00b0C, 1010 hPa)" : "altitude without refraction") << "\n\n";
        out << pad("body", 10, false) << pad("right ascension", 16, true) << pad("declination", 15, true) << pad("phase", 10, true)
            << pad("azimuth", 14, true) << pad("altitude", 13, true) << "\n";
    }

    void print_row(const EphemerisRow& row) const
    {
        HorizontalPosition horizontal = equatorial_to_horizontal(observer, row.topocentric.ra, row.topocentric.dec);
        if (refracted)
            horizontal.altitude = refracted_altitude(horizontal.altitude);
        if (csv) {
            out << csv_field(row.name) << ',' << decimal(row.geocentric.ra, 10) << ',' << decimal(row.geocentric.dec, 10) << ','
                << decimal(row.phase_angle.value_or(0.0), 10) << ',' << decimal(horizontal.azimuth, 10) << ','
                << decimal(horizontal.altitude, 10) << ',' << decimal(row.topocentric.ra, 10) << ','
                << decimal(row.topocentric.dec, 10) << ',' << optional_decimal(row.distance_au, 10) << ','
                << optional_decimal(row.illuminated_fraction, 6) << ',' << optional_decimal(row.magnitude, 3) << "\n";
            return;
        }
        // The azimuth has no sign: drop the "+" of the angle format.
        const std::string azimuth = format_dms(horizontal.azimuth, 0).substr(1);
        const std::string phase = row.phase_angle ? decimal(*row.phase_angle, 2) + "\u00b0" : std::string("-");
        out << pad(row.name, 10, false) << pad(format_hms(row.geocentric.ra, 2), 16, true)
            << pad(format_dms(row.geocentric.dec, 1), 15, true) << pad(phase, 10, true) << pad(azimuth, 14, true)
            << pad(format_dms(horizontal.altitude, 0), 13, true) << "\n";
    }

private:
    std::ostream& out;
    const ObserverTime& observer;
    bool csv;
    bool refracted;
};

// A body's row at the observer's moment (UT), computed at the dynamical time of that moment.
EphemerisRow body_row(Body body, const ObserverTime& observer, bool fast)
{
    const BodyPosition position = body_position(terrestrial_time(observer.jd), body, fast);
    EphemerisRow row;
    row.name = std::string(body_name(body));
    row.geocentric = {position.ra, position.dec};
    row.topocentric = topocentric(row.geocentric, position.distance_au * KM_PER_AU, observer).position;
    if (body == Body::moon)
        row.phase_angle = position.phase_angle;
    row.distance_au = position.distance_au;
    if (body != Body::sun)
        row.illuminated_fraction = position.illuminated_fraction;
    row.magnitude = position.magnitude;
    return row;
}

// A catalogue place (J2000.0) as a row: its apparent place of date, the same from any place.
EphemerisRow catalogue_row(const std::string& name, double ra_hours, double dec_deg, const ObserverTime& observer)
{
    EphemerisRow row;
    row.name = name;
    row.geocentric = apparent_place(ra_hours, dec_deg, terrestrial_time(observer.jd));
    row.topocentric = row.geocentric;
    return row;
}

// The catalogue stars and constellation label points asked for, as rows; an unknown number or
// code is a usage error. False, after the problems were reported, when the files they come from
// did not load soundly (the constellations' label points rest on the catalogue too).
bool print_catalogue_rows(const EphemerisTable& table, const ObserverTime& observer, const std::vector<std::string>& stars,
                          const std::vector<std::string>& codes)
{
    SkyCatalog sky;
    const SkyCatalogLoad load = load_sky_catalog(sky);
    report_catalog("ephemeris", load);
    if (!load.stars.sound() || (!codes.empty() && !load.constellations.sound()))
        return false;
    for (const std::string& text : stars) {
        const int number = parse_integer_in("--star", text, 1, 9999999);
        const StarRecord* star = sky.stars.find(number);
        if (!star)
            throw UsageError("--star: the catalogue has no star HR " + text);
        table.print_row(catalogue_row("HR " + text, star->ra_hours(), star->dec_degrees(), observer));
    }
    for (const std::string& code : codes) {
        const Constellation* constellation = find_constellation(sky.constellations, utf8_to_utf16(code));
        if (!constellation)
            throw UsageError("--constellation: no constellation '" + code + "'");
        table.print_row(catalogue_row(utf16_to_utf8(constellation->code), constellation->label_ra, constellation->label_dec, observer));
    }
    return true;
}

} // namespace

int ephemeris_command(OptionList& options, std::ostream& out)
{
    const auto jd_text = options.value("--jd");
    if (jd_text && options.value("--time"))
        throw UsageError("--jd and --time cannot be given together");
    const bool fast = options.flag("--fast");
    const bool airless = options.flag("--airless");
    const bool csv = options.flag("--csv");
    const std::vector<std::string> stars = options.values("--star");
    const std::vector<std::string> codes = options.values("--constellation");
    Document document;
    // A command that draws or prints changes no stored setting.
    document.set_persistent(false);
    apply_place_and_moment(options, document);
    options.finish();

    ObserverTime observer = document.observer;
    if (jd_text) {
        observer.jd = parse_number_in("--jd", *jd_text, FIRST_JD, LAST_JD);
        observer.sidereal_time = greenwich_apparent_sidereal_time(observer.jd);
    }

    // Everything is checked before anything is printed, so that an error leaves stdout empty.
    std::ostringstream rows;
    const EphemerisTable table(rows, observer, csv, airless);
    table.print_header(format_place(document.latitude, document.longitude));
    for (const Body body : ALL_BODIES)
        table.print_row(body_row(body, observer, fast));
    if ((!stars.empty() || !codes.empty()) && !print_catalogue_rows(table, observer, stars, codes))
        return 1;
    out << rows.str();
    return 0;
}

} // namespace stellaro
