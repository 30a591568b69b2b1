#include "support/test_support.h"

#include "astro/delta_t.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

namespace stellaro {

namespace {

// The comma-separated fields of each line.
std::vector<std::vector<std::string>> rows_of(const std::string& text)
{
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream in(line);
        rows.emplace_back();
        for (std::string field; std::getline(in, field, ',');)
            rows.back().push_back(field);
    }
    return rows;
}

class EphemerisCommand : public ::testing::Test {
protected:
    ProgramRun run(const std::string& arguments) const { return run_program(arguments, "STELLARO_REGISTRY=" + home.file("r.reg")); }

    TemporaryFolder home;
};

// The UT moment of 1992 October 13.0 TD, the textbook's Sun (--jd is in UT).
std::string textbook_sun_jd()
{
    char text[32];
    std::snprintf(text, sizeof text, "%.8f", 2448908.5 - delta_t_seconds(decimal_year(2448908.5)) / 86400.0);
    return text;
}

TEST_F(EphemerisCommand, CsvListsEveryBodyWithTheTextbookSun)
{
    const ProgramRun result = run("ephemeris --jd " + textbook_sun_jd() + " --csv --lat 51.4769 --lon -0.0005");
    ASSERT_EQ(result.status, 0) << result.err;
    const auto rows = rows_of(result.out);
    ASSERT_EQ(rows.size(), 10u) << result.out;
    EXPECT_EQ(rows[0], (std::vector<std::string>{"body", "ra_hours", "dec_degrees", "phase_angle", "azimuth", "altitude",
                                                 "topocentric_ra_hours", "topocentric_dec_degrees", "distance_au",
                                                 "illuminated_fraction", "magnitude"}));
    const char* const names[] = {"Sun", "Mercury", "Venus", "Moon", "Mars", "Jupiter", "Saturn", "Uranus", "Neptune"};
    for (size_t i = 0; i < 9; ++i) {
        ASSERT_EQ(rows[i + 1].size(), 11u);
        EXPECT_EQ(rows[i + 1][0], names[i]);
        EXPECT_GE(rows[i + 1][1].size() - rows[i + 1][1].find('.') - 1, 8u) << "eight decimals";
    }
    const auto& sun = rows[1];
    EXPECT_NEAR(std::stod(sun[1]), 13.0 + 13.0 / 60.0 + 30.76 / 3600.0, 1.0 / 15.0 / 3600.0);
    EXPECT_NEAR(std::stod(sun[2]), -(7.0 + 47.0 / 60.0 + 1.9 / 3600.0), 1.0 / 3600.0);
    // Midnight at Greenwich in October: the Sun is well below the northern horizon.
    EXPECT_LT(std::stod(sun[5]), -30.0);
    EXPECT_EQ(std::stod(sun[3]), 0.0);
    EXPECT_GT(std::stod(rows[4][3]), 0.0) << "only the Moon has a phase";
    EXPECT_NEAR(std::stod(sun[8]), 0.99760775, 1e-7) << "distance";
    EXPECT_NEAR(std::stod(sun[10]), -26.74, 0.01) << "magnitude";
    // The Moon seen from Greenwich is up to a degree from its geocentric place.
    const auto& moon = rows[4];
    const double shift = std::hypot((std::stod(moon[6]) - std::stod(moon[1])) * 15.0, std::stod(moon[7]) - std::stod(moon[2]));
    EXPECT_GT(shift, 0.1);
    EXPECT_LT(shift, 1.1);
}

TEST_F(EphemerisCommand, RefractionLiftsTheTableUnlessAirlessAndNeverTheCsv)
{
    const std::string where = " --time 2027-07-14T17:00Z --lat -33.9249 --lon 18.4241";
    const ProgramRun csv = run("ephemeris --csv" + where);
    EXPECT_EQ(run("ephemeris --csv --airless" + where).out, csv.out);
    const ProgramRun refracted = run("ephemeris" + where);
    const ProgramRun airless = run("ephemeris --airless" + where);
    EXPECT_NE(refracted.out.find("with refraction"), std::string::npos) << refracted.out;
    EXPECT_NE(airless.out.find("without refraction"), std::string::npos) << airless.out;
    EXPECT_NE(refracted.out, airless.out);
}

TEST_F(EphemerisCommand, TableTimeAndStoredPlaceAgreeWithTheCsv)
{
    const ProgramRun table = run("ephemeris --jd " + textbook_sun_jd() + " --lat 0 --lon 0");
    ASSERT_EQ(table.status, 0) << table.err;
    EXPECT_NE(table.out.find("julian day 2448908.4993"), std::string::npos) << table.out;
    EXPECT_NE(table.out.find("delta T 59.0 s"), std::string::npos) << table.out;
    EXPECT_NE(table.out.find("place: 0.0000\u00b0 N, 0.0000\u00b0 E"), std::string::npos) << table.out;
    EXPECT_NE(table.out.find("13h 13m 30.76s"), std::string::npos) << table.out;
    EXPECT_NE(table.out.find("-7\u00b0 47\u2032 01.9\u2033"), std::string::npos) << table.out;

    EXPECT_EQ(run("ephemeris --time 1992-10-13T00:00Z --lat 10 --lon 20 --csv").out,
              run("ephemeris --jd 2448908.5 --lat 10 --lon 20 --csv").out);

    // Without a place the stored one stands in.
    const ProgramRun info = run("info");
    const size_t start = info.out.find("place: ");
    ASSERT_NE(start, std::string::npos);
    const std::string place = info.out.substr(start, info.out.find('\n', start) - start + 1);
    EXPECT_NE(run("ephemeris --jd 2451545").out.find(place), std::string::npos);
}

TEST_F(EphemerisCommand, BadValuesGiveOneLineAndStatus2)
{
    for (const char* arguments : {"ephemeris --jd abc", "ephemeris --jd -5", "ephemeris --jd 1e12", "ephemeris --jd nan",
                                  "ephemeris --jd 2451545 --time 2000-01-01T12:00Z", "ephemeris --lat 95",
                                  "ephemeris --csv=yes", "ephemeris --jd", "ephemeris --bogus 1"}) {
        const ProgramRun result = run(arguments);
        EXPECT_EQ(result.status, 2) << arguments;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << arguments << ": " << result.err;
        EXPECT_TRUE(result.out.empty()) << arguments;
    }
}

} // namespace

} // namespace stellaro
