#include "support/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

namespace stellaro {

namespace {

std::vector<std::string> lines_of(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::vector<std::string> fields_of(const std::string& line)
{
    std::vector<std::string> fields;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, ',');)
        fields.push_back(field);
    return fields;
}

class EphemerisCommand : public ::testing::Test {
protected:
    ProgramRun run(const std::string& arguments) const { return run_program(arguments, "STELLARO_REGISTRY=" + home.file("r.reg")); }

    TemporaryFolder home;
};

TEST_F(EphemerisCommand, CsvPutsTheSunWhereTheTextbookDoes)
{
    const ProgramRun result = run("ephemeris --jd 2448908.5 --csv --lat 51.4769 --lon -0.0005");
    ASSERT_EQ(result.status, 0) << result.err;
    const std::vector<std::string> lines = lines_of(result.out);
    ASSERT_EQ(lines.size(), 10u) << result.out;
    EXPECT_EQ(lines[0], "body,ra_hours,dec_degrees,phase_angle,azimuth,altitude");
    const char* const names[] = {"Sun", "Mercury", "Venus", "Moon", "Mars", "Jupiter", "Saturn", "Uranus", "Neptune"};
    for (size_t i = 0; i < 9; ++i) {
        const std::vector<std::string> fields = fields_of(lines[i + 1]);
        ASSERT_EQ(fields.size(), 6u) << lines[i + 1];
        EXPECT_EQ(fields[0], names[i]);
        for (size_t f = 1; f < fields.size(); ++f) {
            const size_t point = fields[f].find('.');
            ASSERT_NE(point, std::string::npos) << fields[f];
            EXPECT_GE(fields[f].size() - point - 1, 8u) << fields[f];
        }
    }

    const std::vector<std::string> sun = fields_of(lines[1]);
    const double ra = std::stod(sun[1]);
    const double dec = std::stod(sun[2]);
    EXPECT_NEAR(ra, 13.0 + 13.0 / 60.0 + 30.76 / 3600.0, 1.0 / 15.0 / 3600.0);
    EXPECT_NEAR(dec, -(7.0 + 47.0 / 60.0 + 1.9 / 3600.0), 1.0 / 3600.0);
    // Midnight at Greenwich in October: the Sun is well below the northern horizon.
    EXPECT_LT(std::stod(sun[5]), -30.0);
    EXPECT_GT(std::stod(sun[4]), 0.0);
    EXPECT_LT(std::stod(sun[4]), 60.0);
    // Only the Moon has a phase angle.
    EXPECT_EQ(std::stod(sun[3]), 0.0);
    EXPECT_GT(std::stod(fields_of(lines[4])[3]), 0.0);
}

TEST_F(EphemerisCommand, TableTimeFastAndStoredPlace)
{
    const ProgramRun table = run("ephemeris --jd 2448908.5 --lat 0 --lon 0");
    ASSERT_EQ(table.status, 0) << table.err;
    EXPECT_NE(table.out.find("julian day 2448908.500000"), std::string::npos) << table.out;
    EXPECT_NE(table.out.find("place: 0.0000\u00b0 N, 0.0000\u00b0 E"), std::string::npos) << table.out;
    const std::vector<std::string> lines = lines_of(table.out);
    const auto row = [&](const std::string& body) {
        const auto found = std::find_if(lines.begin(), lines.end(), [&](const std::string& line) { return line.rfind(body + " ", 0) == 0; });
        return found == lines.end() ? std::string() : *found;
    };
    EXPECT_NE(row("Sun").find("13h 13m 30.76s"), std::string::npos) << table.out;
    EXPECT_NE(row("Sun").find("-7\u00b0 47\u2032 01.9\u2033"), std::string::npos) << table.out;
    EXPECT_NE(row("Moon").find("\u00b0"), std::string::npos) << table.out;

    // A moment by time or by Julian day gives the same answer.
    EXPECT_EQ(run("ephemeris --time 1992-10-13T00:00Z --lat 10 --lon 20 --csv").out,
              run("ephemeris --jd 2448908.5 --lat 10 --lon 20 --csv").out);

    // Fast skips the small corrections: Venus moves by well under two arcminutes.
    const ProgramRun full = run("ephemeris --jd 2451545 --lat 10 --lon 20 --csv");
    const ProgramRun fast = run("ephemeris --jd 2451545 --lat 10 --lon 20 --csv --fast");
    ASSERT_EQ(fast.status, 0) << fast.err;
    EXPECT_NE(full.out, fast.out);
    EXPECT_NEAR(std::stod(fields_of(lines_of(full.out)[3])[1]), std::stod(fields_of(lines_of(fast.out)[3])[1]), 2.0 / 60.0 / 15.0);

    // Without a place the stored one stands in.
    const ProgramRun info = run("info");
    const ProgramRun stored = run("ephemeris --jd 2451545");
    const size_t start = info.out.find("place: ");
    ASSERT_NE(start, std::string::npos);
    EXPECT_NE(stored.out.find(info.out.substr(start, info.out.find('\n', start) - start) + "\n"), std::string::npos) << stored.out;
}

TEST_F(EphemerisCommand, BadValuesGiveOneLineAndStatus2)
{
    for (const char* arguments : {"ephemeris --jd abc", "ephemeris --jd -5", "ephemeris --jd 1e12", "ephemeris --jd nan",
                                  "ephemeris --jd 2451545 --time 2000-01-01T12:00Z", "ephemeris --lat 95", "ephemeris --lon x",
                                  "ephemeris --csv=yes", "ephemeris --jd", "ephemeris --bogus 1"}) {
        const ProgramRun result = run(arguments);
        EXPECT_EQ(result.status, 2) << arguments;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << arguments << ": " << result.err;
        EXPECT_TRUE(result.out.empty()) << arguments;
    }
}

} // namespace

} // namespace stellaro
