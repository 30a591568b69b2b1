// The location screen as `render --open location` shows it: the world map at its coarsest and
// finest levels, and what the dump reports of the place.
#include "support/golden.h"
#include "support/test_support.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>

namespace stellaro {

namespace {

const std::string PARIS = "--time 2026-12-24T21:00+01:00 --lat 48.85 --lon 2.35";

class LocationRender : public ::testing::Test {
protected:
    // Renders the location screen after the events; the dump read into `dump`.
    void render(const std::string& events, const std::string& options)
    {
        write_file(folder.file("script.events"), events);
        const ProgramRun run = run_program("render --open location --out " + folder.file("location.png") + " --events " +
                                           folder.file("script.events") + " --dump " + folder.file("dump.json") + " " +
                                           options);
        ASSERT_EQ(run.status, 0) << run.err;
        dump = nlohmann::json::parse(read_file(folder.file("dump.json")));
    }

    TemporaryRegistry registry;
    TemporaryFolder folder;
    nlohmann::json dump;
};

} // namespace

TEST_F(LocationRender, TheMapAtLevelsZeroAndFour)
{
    // A 480-pixel screen opens at level 1: one step out, three in.
    for (const auto& [events, name] : {std::pair{std::string("tap minus\n"), "location-level0.png"},
                                       std::pair{std::string("tap plus\ntap plus\ntap plus\n"), "location-level4.png"}}) {
        render(events, PARIS);
        const auto picture = read_png_565(folder.file("location.png"));
        ASSERT_TRUE(picture);
        EXPECT_TRUE(matches_golden(*picture, name));
    }
}

TEST_F(LocationRender, TheSettingsLocationButtonOpensTheScreen)
{
    write_file(folder.file("script.events"), "tap setting_location\n");
    const ProgramRun run = run_program("render --open settings --out " + folder.file("location.png") + " --events " +
                                       folder.file("script.events") + " --dump " + folder.file("dump.json") + " " + PARIS);
    ASSERT_EQ(run.status, 0) << run.err;
    const nlohmann::json screens = nlohmann::json::parse(read_file(folder.file("dump.json")))["screens"];
    EXPECT_EQ(screens.back()["name"], "Location");
}

TEST_F(LocationRender, TheDumpReportsThePlaceItsCityAndZone)
{
    render("", PARIS);
    const nlohmann::json place = dump["document"]["place"];
    EXPECT_DOUBLE_EQ(place["longitude"].get<double>(), 2.35);
    EXPECT_DOUBLE_EQ(place["latitude"].get<double>(), 48.85);
    EXPECT_EQ(place["city"], "Paris");
    EXPECT_EQ(place["zone"], "+01:00");
}

} // namespace stellaro
