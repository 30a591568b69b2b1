#include "support/test_support.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>

namespace stellaro {

namespace {

std::string line_of(const std::string& text, const std::string& key)
{
    const size_t start = text.find(key + ": ");
    if (start == std::string::npos)
        return {};
    const size_t end = text.find('\n', start);
    return text.substr(start + key.size() + 2, end - start - key.size() - 2);
}

TEST(InfoCommand, MoscowOn1987April10)
{
    TemporaryFolder home;
    const ProgramRun run = run_program("info --lat 55.7558 --lon 37.6173 --time 1987-04-10T03:00+03:00",
                                       "STELLARO_REGISTRY=" + home.file("r.reg"));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(line_of(run.out, "place"), "55.7558\u00b0 N, 37.6173\u00b0 E");
    EXPECT_EQ(line_of(run.out, "local time"), "1987-04-10 03:00:00");
    EXPECT_EQ(line_of(run.out, "time zone"), "UTC+03:00");
    EXPECT_EQ(line_of(run.out, "julian day"), "2446895.500000");
    EXPECT_NE(line_of(run.out, "greenwich apparent sidereal time").find("13h 10m 46.1351s"), std::string::npos) << run.out;
    EXPECT_NE(line_of(run.out, "greenwich mean sidereal time").find("13h 10m 46.3668s"), std::string::npos) << run.out;
    EXPECT_NE(line_of(run.out, "local sidereal time").find("15h 41m 14."), std::string::npos) << run.out;
    // Options do not change the stored settings.
    EXPECT_EQ(read_file(home.file("r.reg")), "");
}

TEST(InfoCommand, ATimeWithoutAZoneIsInTheZoneOfTheNearestCity)
{
    TemporaryFolder home;
    const auto zone_at = [&](const std::string& place, const std::string& moment) {
        const ProgramRun run = run_program("info " + place + " --time " + moment, "STELLARO_REGISTRY=" + home.file("r.reg"));
        EXPECT_EQ(run.status, 0) << run.err;
        return line_of(run.out, "time zone");
    };
    EXPECT_EQ(zone_at("--lat 28.61 --lon 77.21", "2024-01-15T12:00"), "UTC+05:30 (Asia/Kolkata)");
    EXPECT_EQ(zone_at("--lat 27.70 --lon 85.32", "2024-01-15T12:00"), "UTC+05:45 (Asia/Kathmandu)");
    EXPECT_EQ(zone_at("--lat -33.87 --lon 151.21", "2024-01-15T12:00"), "UTC+11:00 (Australia/Sydney)");
    EXPECT_EQ(zone_at("--lat 40.71 --lon -74.01", "2024-03-10T01:30"), "UTC-05:00 (America/New_York)");
    EXPECT_EQ(zone_at("--lat 40.71 --lon -74.01", "2024-03-10T03:30"), "UTC-04:00 (America/New_York)");
}

TEST(InfoCommand, SecondsAreCutAsAClockShowsThemAndCarryIntoTheDate)
{
    TemporaryFolder home;
    const auto local_time = [&](const std::string& moment) {
        const ProgramRun run = run_program("info --lat 0 --lon 0 --time " + moment, "STELLARO_REGISTRY=" + home.file("r.reg"));
        EXPECT_EQ(run.status, 0) << run.err;
        return line_of(run.out, "local time");
    };
    EXPECT_EQ(local_time("2026-01-01T00:00:59.5Z"), "2026-01-01 00:00:59");
    EXPECT_EQ(local_time("2026-01-01T00:59:59.999Z"), "2026-01-01 00:59:59");
    EXPECT_EQ(local_time("2026-02-28T23:59:59.5Z"), "2026-02-28 23:59:59");
    EXPECT_EQ(local_time("2026-03-01T00:00:00Z"), "2026-03-01 00:00:00");
    // A tenth of a millisecond short of the new year shows the new year, not 23:59:60.
    EXPECT_EQ(local_time("2026-12-31T23:59:59.9999Z"), "2027-01-01 00:00:00");
}

TEST(InfoCommand, DamagedSettingsFileNeverStopsTheProgram)
{
    TemporaryFolder home;
    write_file(home.file("r.reg"), std::string("Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\x]\n\"a\"=\xff\xfe\n", 60));
    const ProgramRun run = run_program("info", "STELLARO_REGISTRY=" + home.file("r.reg"));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("damaged"), std::string::npos);
    EXPECT_EQ(line_of(run.out, "place"), "0.0000\u00b0 N, 0.0000\u00b0 E");
    // Reading never moves the file: only a save keeps it aside.
    EXPECT_TRUE(std::filesystem::exists(home.file("r.reg")));
    EXPECT_FALSE(std::filesystem::exists(home.file("r.reg.bad")));
}

// Another copy of the program may be in the middle of writing the file.
TEST(InfoCommand, AnEmptySettingsFileIsNoDamage)
{
    TemporaryFolder home;
    write_file(home.file("r.reg"), "");
    const ProgramRun run = run_program("info", "STELLARO_REGISTRY=" + home.file("r.reg"));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_TRUE(std::filesystem::exists(home.file("r.reg")));
    EXPECT_FALSE(std::filesystem::exists(home.file("r.reg.bad")));
}

TEST(InfoCommand, AFifoInPlaceOfTheSettingsFileIsReportedAndLeftAlone)
{
    TemporaryFolder home;
    ASSERT_EQ(mkfifo(home.file("r.reg").c_str(), 0600), 0);
    const ProgramRun run = run_program("info", "STELLARO_REGISTRY=" + home.file("r.reg") + " timeout -k 5 60");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("not a regular file"), std::string::npos) << run.err;
    EXPECT_EQ(line_of(run.out, "place"), "0.0000\u00b0 N, 0.0000\u00b0 E");
    EXPECT_TRUE(std::filesystem::is_fifo(home.file("r.reg")));
}

} // namespace

} // namespace stellaro
