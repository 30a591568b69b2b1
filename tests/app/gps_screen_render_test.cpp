// The GPS screen in the program, fed by a private gpsd replaying receiver logs, or by none.
#include "support/gps_replay.h"
#include "support/test_support.h"

#include <algorithm>
#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace stellaro {

namespace {

using Json = nlohmann::json;

constexpr const char* NO_GPS_TEXT = "No GPS receiver was found. Connect one, or choose the place on the map or from the list of cities.";

class GpsScreenRender : public ::testing::Test {
protected:
    // Renders the GPS screen after the events with gpsd at the address; the dump into `dump`.
    // The receiver's reports come in real time: with a condition the render is repeated until
    // the dump satisfies it or a generous deadline passes.
    bool render(const std::string& address, const std::string& events, const std::function<bool()>& condition = nullptr)
    {
        write_file(folder.file("script.events"), events);
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        do {
            const ProgramRun run = run_program("render --open gps --lat 10 --lon 20 --out " + folder.file("gps.png") + " --events " +
                                                   folder.file("script.events") + " --dump " + folder.file("dump.json"),
                                               "STELLARO_GPSD=" + address);
            dump = run.status == 0 ? Json::parse(read_file(folder.file("dump.json"))) : Json();
            if (run.status == 0 && (!condition || condition()))
                return true;
        } while (condition && std::chrono::steady_clock::now() < until);
        return false;
    }

    // A field of the element of that name in the top screen; null when absent.
    Json field(const std::string& name, const char* key) const
    {
        Json found;
        const std::function<void(const Json&)> search = [&](const Json& node) {
            if (node["name"] == name && node.contains(key))
                found = node[key];
            for (const Json& child : node.value("children", Json::array()))
                search(child);
        };
        search(dump["screens"].back());
        return found;
    }
    std::string text(const std::string& name) const { return field(name, "text").is_string() ? field(name, "text").get<std::string>() : ""; }
    int state() const { return field("gps_state", "state").is_number() ? field("gps_state", "state").get<int>() : -1; }
    double place(const char* which) const { return dump["document"]["place"][which].get<double>(); }

    TemporaryRegistry registry;
    TemporaryFolder folder;
    Json dump;
};

} // namespace

TEST_F(GpsScreenRender, WithoutGpsdTheScreenSaysSoAndBackChangesNothing)
{
    for (const std::string& address : {"127.0.0.1:" + free_tcp_port(), std::string("no-port-here")}) {
        ASSERT_TRUE(render(address, "sleep 300\n"));
        EXPECT_EQ(text("desc"), NO_GPS_TEXT);
        EXPECT_EQ(state(), 0);
        EXPECT_EQ(text("latlong") + text("sat_back"), "");
        EXPECT_FALSE(field("use", "visible").get<bool>());
    }
    ASSERT_TRUE(render("127.0.0.1:" + free_tcp_port(), "sleep 300\ntap back\n"));
    EXPECT_TRUE(field("desc", "name").is_null()) << "back closes the screen";
    EXPECT_EQ(place("latitude") * 100 + place("longitude"), 1020.0);
}

TEST_F(GpsScreenRender, ShowsTheSatellitesAndBackTakesTheFix)
{
    if (!GpsReplay::available())
        GTEST_SKIP() << "gpsfake is not installed (package gpsd-clients)";
    GpsReplay replay("fix_3d.nmea");
    ASSERT_TRUE(render(replay.address(), "sleep 1000\n", [this] { return state() == 2 && !text("sat_back").empty(); }));
    EXPECT_EQ(text("desc"), "The GPS receiver has found your position. Choose it to observe from here.");
    EXPECT_EQ(text("latlong"), "E 37 37' N 55 45'");
    EXPECT_EQ(text("sat_back"), "9* 2* 20* 5* 13* 7 16 29") << "strongest first, used ones marked";
    EXPECT_TRUE(field("use", "visible").get<bool>());
    ASSERT_TRUE(render(replay.address(), "sleep 1000\ntap back\n", [this] { return place("latitude") != 10.0; }));
    EXPECT_NEAR(place("latitude"), 55.7558, 1e-6);
    EXPECT_NEAR(place("longitude"), 37.6173, 1e-6);
}

TEST_F(GpsScreenRender, WithoutAFixBackKeepsThePlace)
{
    if (!GpsReplay::available())
        GTEST_SKIP() << "gpsfake is not installed (package gpsd-clients)";
    GpsReplay replay("no_fix.nmea");
    ASSERT_TRUE(render(replay.address(), "sleep 1000\n", [this] { return state() == 1 && !text("sat_back").empty(); }));
    EXPECT_EQ(text("latlong"), "");
    EXPECT_EQ(text("sat_back"), "2 5 7");
    ASSERT_TRUE(render(replay.address(), "sleep 1000\ntap back\n"));
    EXPECT_EQ(place("latitude") * 100 + place("longitude"), 1020.0);
}

TEST_F(GpsScreenRender, MoreThanTwelveSatellitesShowTheTwelveStrongest)
{
    if (!GpsReplay::available())
        GTEST_SKIP() << "gpsfake is not installed (package gpsd-clients)";
    GpsReplay replay("many_satellites.nmea");
    const auto twelve = [this] {
        const std::string shown = text("sat_back");
        return std::count(shown.begin(), shown.end(), ' ') == 11;
    };
    ASSERT_TRUE(render(replay.address(), "sleep 1000\n", twelve));
    EXPECT_EQ(text("sat_back"), "16* 15* 14* 13 12 11 10 9 8 7 6 5");
}

} // namespace stellaro
