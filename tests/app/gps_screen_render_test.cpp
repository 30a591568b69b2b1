// The GPS screen in the program, fed by a private gpsd replaying receiver logs, or by none.
#include "support/gps_replay.h"
#include "support/test_support.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>

namespace stellaro {

namespace {

using Json = nlohmann::json;

// Generous: gpsfake's gpsd needs a second or two to start on a busy machine.
constexpr auto DEADLINE = std::chrono::seconds(60);
constexpr const char* NO_GPS_TEXT = "No GPS receiver was found. Connect one, or choose the place on the map or from the list of cities.";
constexpr const char* POSITION_TEXT = "The GPS receiver has found your position. Choose it to observe from here.";

class GpsScreenRender : public ::testing::Test {
protected:
    // Renders the GPS screen over the main screen after the events, with gpsd at the address;
    // the dump is read into `dump`.
    ProgramRun render(const std::string& address, const std::string& events)
    {
        write_file(folder.file("script.events"), events);
        const ProgramRun run = run_program("render --open gps --lat 10 --lon 20 --out " + folder.file("gps.png") +
                                               " --events " + folder.file("script.events") + " --dump " + folder.file("dump.json"),
                                           "STELLARO_GPSD=" + address);
        dump = run.status == 0 ? Json::parse(read_file(folder.file("dump.json"))) : Json();
        return run;
    }

    // Renders again and again (the receiver's reports come in real time) until the dump
    // satisfies the condition or the deadline passes.
    bool render_until(const std::string& address, const std::string& events, const std::function<bool()>& condition)
    {
        const auto until = std::chrono::steady_clock::now() + DEADLINE;
        do {
            if (render(address, events).status == 0 && condition())
                return true;
        } while (std::chrono::steady_clock::now() < until);
        return false;
    }

    // The element of that name in the top screen; null when absent.
    Json element(const std::string& name) const
    {
        Json found;
        const std::function<bool(const Json&)> search = [&](const Json& node) {
            if (node["name"] == name) {
                found = node;
                return true;
            }
            if (node.contains("children"))
                for (const Json& child : node["children"])
                    if (search(child))
                        return true;
            return false;
        };
        if (dump.contains("screens"))
            search(dump["screens"].back());
        return found;
    }

    std::string text_of(const std::string& name) const
    {
        const Json found = element(name);
        return found.is_object() && found.contains("text") ? found["text"].get<std::string>() : std::string();
    }

    int state_of(const std::string& name) const
    {
        const Json found = element(name);
        return found.is_object() && found.contains("state") ? found["state"].get<int>() : -1;
    }

    double place(const char* which) const { return dump["document"]["place"][which].get<double>(); }

    TemporaryRegistry registry;
    TemporaryFolder folder;
    Json dump;
};

void skip_without_gpsfake()
{
    if (!GpsReplay::available())
        GTEST_SKIP() << "gpsfake is not installed (package gpsd-clients)";
}

} // namespace

TEST_F(GpsScreenRender, WithoutGpsdTheScreenSaysSoAndBackChangesNothing)
{
    const std::string nobody = "127.0.0.1:" + free_tcp_port();
    ASSERT_EQ(render(nobody, "sleep 300\n").status, 0);
    EXPECT_EQ(text_of("desc"), NO_GPS_TEXT);
    EXPECT_EQ(state_of("gps_state"), 0);
    EXPECT_EQ(text_of("latlong"), "");
    EXPECT_EQ(text_of("sat_back"), "");
    EXPECT_FALSE(element("use")["visible"].get<bool>());

    ASSERT_EQ(render(nobody, "sleep 300\ntap back\n").status, 0);
    EXPECT_TRUE(element("desc").is_null()) << "back closes the screen";
    EXPECT_DOUBLE_EQ(place("latitude"), 10.0);
    EXPECT_DOUBLE_EQ(place("longitude"), 20.0);
}

TEST_F(GpsScreenRender, AnAddressThatIsNoneMeansNoGps)
{
    ASSERT_EQ(render("no-port-here", "sleep 100\n").status, 0);
    EXPECT_EQ(text_of("desc"), NO_GPS_TEXT);
}

TEST_F(GpsScreenRender, ShowsTheSatellitesAndBackTakesTheFix)
{
    skip_without_gpsfake();
    GpsReplay replay("fix_3d.nmea");
    ASSERT_TRUE(render_until(replay.address(), "sleep 1000\n", [this] { return state_of("gps_state") == 2; }))
        << text_of("desc");
    EXPECT_EQ(text_of("desc"), POSITION_TEXT);
    EXPECT_EQ(text_of("latlong"), "E 37 37' N 55 45'");
    EXPECT_EQ(text_of("sat_back"), "9* 2* 20* 5* 13* 7 16 29") << "strongest first, the silent one last";
    EXPECT_TRUE(element("use")["visible"].get<bool>());

    ASSERT_TRUE(render_until(replay.address(), "sleep 1000\ntap back\n", [this] { return place("latitude") != 10.0; }));
    EXPECT_NEAR(place("latitude"), 55.7558, 1e-6);
    EXPECT_NEAR(place("longitude"), 37.6173, 1e-6);
}

TEST_F(GpsScreenRender, WithoutAFixBackKeepsThePlace)
{
    skip_without_gpsfake();
    GpsReplay replay("no_fix.nmea");
    ASSERT_TRUE(render_until(replay.address(), "sleep 1000\n", [this] {
        return state_of("gps_state") == 1 && !text_of("sat_back").empty();
    }));
    EXPECT_EQ(text_of("latlong"), "");
    EXPECT_EQ(text_of("sat_back"), "2 5 7");
    ASSERT_EQ(render(replay.address(), "sleep 1000\ntap back\n").status, 0);
    EXPECT_DOUBLE_EQ(place("latitude"), 10.0);
    EXPECT_DOUBLE_EQ(place("longitude"), 20.0);
}

TEST_F(GpsScreenRender, MoreThanTwelveSatellitesShowTheTwelveStrongest)
{
    skip_without_gpsfake();
    GpsReplay replay("many_satellites.nmea");
    ASSERT_TRUE(render_until(replay.address(), "sleep 1000\n", [this] {
        const std::string shown = text_of("sat_back");
        return std::count(shown.begin(), shown.end(), ' ') == 11;
    }));
    EXPECT_EQ(text_of("sat_back"), "16* 15* 14* 13 12 11 10 9 8 7 6 5");
}

} // namespace stellaro
