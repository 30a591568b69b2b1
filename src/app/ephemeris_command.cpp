#include "app/command_table.h"
#include "app/load_report.h"
#include "app/place_and_moment.h"
#include "app/text_format.h"
#include "astro/coordinates.h"
#include "astro/earth_rotation.h"
#include "astro/julian_date.h"
#include "astro/solar_system.h"
#include "catalog/sky_catalog.h"
#include "document/document.h"
#include "platform/utf.h"

#include <array>
#include <cmath>
#include <cstdio>
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

// Prints the apparent places of objects for one observer, as a table or as CSV. Each object is
// one row, whatever it is, so that anything with a right ascension and declination can be added.
class EphemerisTable {
public:
    EphemerisTable(std::ostream& out, const ObserverTime& observer, bool csv) : out(out), observer(observer), csv(csv) {}

    void print_header(const std::string& place) const
    {
        if (csv) {
            out << "body,ra_hours,dec_degrees,phase_angle,azimuth,altitude\n";
            return;
        }
        // Half a millisecond on and the seconds cut to milliseconds: rounded, with any carry
        // into the minute, hour or date taken by the calendar.
        const double shown = observer.jd + 0.0005 / 86400.0;
        const CalendarMoment moment = calendar_from_julian_date(JulianDate(shown, is_gregorian_day(shown)));
        char when[96];
        std::snprintf(when, sizeof when, "%d-%02d-%02d %02d:%02d:%06.3f UT, julian day %.6f", moment.year, moment.month,
                      moment.day, moment.hour, moment.minute, std::floor(moment.second * 1000.0) / 1000.0, observer.jd);
        out << "moment: " << when << "\n";
        out << "place: " << place << "\n";
        out << "apparent geocentric places; azimuth from north through east, altitude without refraction\n\n";
        out << pad("body", 10, false) << pad("right ascension", 16, true) << pad("declination", 15, true) << pad("phase", 10, true)
            << pad("azimuth", 14, true) << pad("altitude", 13, true) << "\n";
    }

    // phase_angle: degrees, for an object that shows phases.
    void print_row(const std::string& name, double ra, double dec, std::optional<double> phase_angle) const
    {
        const HorizontalPosition horizontal = equatorial_to_horizontal(observer, ra, dec);
        if (csv) {
            out << csv_field(name) << ',' << decimal(ra, 10) << ',' << decimal(dec, 10) << ',' << decimal(phase_angle.value_or(0.0), 10)
                << ',' << decimal(horizontal.azimuth, 10) << ',' << decimal(horizontal.altitude, 10) << "\n";
            return;
        }
        // The azimuth has no sign: drop the "+" of the angle format.
        const std::string azimuth = format_dms(horizontal.azimuth, 0).substr(1);
        const std::string phase = phase_angle ? decimal(*phase_angle, 2) + "\u00b0" : std::string("-");
        out << pad(name, 10, false) << pad(format_hms(ra, 2), 16, true) << pad(format_dms(dec, 1), 15, true) << pad(phase, 10, true)
            << pad(azimuth, 14, true) << pad(format_dms(horizontal.altitude, 0), 13, true) << "\n";
    }

private:
    std::ostream& out;
    const ObserverTime& observer;
    bool csv;
};

// The catalogue stars and constellation label points asked for, as rows; an unknown number or
// code is a usage error. False, after the problems were reported, when the files they come from
// did not load soundly (the constellations' label points rest on the catalogue too).
bool print_catalogue_rows(const EphemerisTable& table, const std::vector<std::string>& stars, const std::vector<std::string>& codes)
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
        table.print_row("HR " + text, star->ra_hours(), star->dec_degrees(), std::nullopt);
    }
    for (const std::string& code : codes) {
        const Constellation* constellation = find_constellation(sky.constellations, utf8_to_utf16(code));
        if (!constellation)
            throw UsageError("--constellation: no constellation '" + code + "'");
        table.print_row(utf16_to_utf8(constellation->code), constellation->label_ra, constellation->label_dec, std::nullopt);
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
    const bool csv = options.flag("--csv");
    const std::vector<std::string> stars = options.values("--star");
    const std::vector<std::string> codes = options.values("--constellation");
    Document document;
    apply_place_and_moment(options, document);
    options.finish();

    ObserverTime observer = document.observer;
    if (jd_text) {
        observer.jd = parse_number_in("--jd", *jd_text, FIRST_JD, LAST_JD);
        observer.sidereal_time = greenwich_apparent_sidereal_time(observer.jd);
    }

    // Everything is checked before anything is printed, so that an error leaves stdout empty.
    std::ostringstream rows;
    const EphemerisTable table(rows, observer, csv);
    table.print_header(format_place(document.latitude, document.longitude));
    for (const Body body : ALL_BODIES) {
        const BodyPosition position = body_position(observer.jd, body, fast);
        std::optional<double> phase;
        if (body == Body::moon)
            phase = position.phase_angle;
        table.print_row(std::string(body_name(body)), position.ra, position.dec, phase);
    }
    if ((!stars.empty() || !codes.empty()) && !print_catalogue_rows(table, stars, codes))
        return 1;
    out << rows.str();
    return 0;
}

} // namespace stellaro
