// The main screen drawn and driven headless, as `render --events --dump` does it: its panels,
// the selection with its target marker, the zoom knob, the drums and the switches.
#include "support/golden.h"
#include "support/test_support.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace stellaro {

namespace {

using Json = nlohmann::json;

struct Spot {
    int x = 0;
    int y = 0;
};

const std::string PARIS_EVENING = "--time 2026-12-24T21:00+01:00 --lat 48.85 --lon 2.35";
// Vega is selected and in the middle of the view; Deneb lies up and to the left of it.
constexpr int VEGA_HR = 7001;
constexpr int DENEB_HR = 7924;

class MainScreenRender : public ::testing::Test {
protected:
    // Renders the main screen after the events; the run, with the dump read into `dump`.
    ProgramRun render(const std::string& events, const std::string& options)
    {
        write_file(folder.file("script.events"), events);
        const ProgramRun run = run_program("render --out " + folder.file("main.png") + " --events " +
                                           folder.file("script.events") + " --dump " + folder.file("dump.json") + " " +
                                           options);
        EXPECT_EQ(run.status, 0) << run.err;
        dump = run.status == 0 ? Json::parse(read_file(folder.file("dump.json"))) : Json{};
        return run;
    }

    // The first element of that name below the named parent (the whole screen when empty).
    Json element(const std::string& name, const std::string& parent = "") const
    {
        Json found;
        const std::function<bool(const Json&, bool)> search = [&](const Json& node, bool inside) {
            if (inside && node["name"] == name) {
                found = node;
                return true;
            }
            const bool below = inside || node["name"] == parent;
            for (const char* list : {"children", "rows"})
                if (node.contains(list))
                    for (const Json& child : node[list])
                        if (search(child, below))
                            return true;
            return false;
        };
        if (dump.contains("screens"))
            search(dump["screens"].back(), parent.empty());
        return found;
    }
    bool shown(const std::string& name, const std::string& parent = "") const { return element(name, parent)["visible"] == true; }
    // The centre of a shown element.
    Spot centre(const std::string& name) const
    {
        const Json rect = element(name)["rect"];
        return {rect[0].get<int>() + rect[2].get<int>() / 2, rect[1].get<int>() + rect[3].get<int>() / 2};
    }
    Json document() const { return dump["document"]; }

    TemporaryRegistry registry;
    TemporaryFolder folder;
    Json dump;
};

std::string tap_at(Spot at)
{
    const std::string where = std::to_string(at.x) + " " + std::to_string(at.y);
    return "press " + where + "\nrelease " + where + "\n";
}

} // namespace

TEST_F(MainScreenRender, ThePanelsOpenAndCloseOneAtATime)
{
    render("tap button_datetime\ntap button_settings\n", PARIS_EVENING);
    EXPECT_TRUE(shown("panel_settings"));
    EXPECT_FALSE(shown("panel_datetime"));
    EXPECT_EQ(element("button_settings")["state"], 1);
    EXPECT_EQ(element("button_datetime")["state"], 0);

    render("tap button_settings\ntap button_settings\n", PARIS_EVENING);
    EXPECT_FALSE(shown("panel_settings") || shown("panel_datetime") || shown("panel_search"));
    EXPECT_TRUE(shown("stars"));

    render("tap button_planets\n", PARIS_EVENING + " --open search");
    EXPECT_TRUE(shown("panel_search"));
    EXPECT_TRUE(shown("stars")) << "the sky stays in view beside the search panel";
    EXPECT_FALSE(shown("btn_zoom"));
    EXPECT_EQ(element("button_planets")["state"], 1);
    EXPECT_EQ(element("button_stars")["state"], 0);

    const ProgramRun unknown = run_program("render --out " + folder.file("x.png") + " --open moon");
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.err.find("--open: unknown panel 'moon' (search, datetime, settings, "), std::string::npos) << unknown.err;
}

TEST_F(MainScreenRender, ATapSelectsAStarAndTheDraggedTargetAnother)
{
    const std::string vega = PARIS_EVENING + " --select star:" + std::to_string(VEGA_HR);
    render("wait 3000\n", vega);
    ASSERT_TRUE(shown("btn_target"));
    EXPECT_EQ(element("btn_selection")["text"], "Vega");
    const Spot on_vega = centre("btn_target");
    const Spot on_deneb{on_vega.x - 146, on_vega.y - 288};

    // Without a selection the marker, the name and the close button are hidden.
    render("wait 100\n", PARIS_EVENING + " --az 314 --alt 14");
    EXPECT_FALSE(shown("btn_target") || shown("btn_selection") || shown("btn_close_selection"));

    render("wait 3000\n" + tap_at(on_deneb) + "wait 3000\n", vega);
    EXPECT_EQ(document()["selection"]["index"], DENEB_HR);
    EXPECT_EQ(element("btn_selection")["text"], "Deneb");

    render("wait 3000\ndrag btn_target -146 -288\nwait 3000\n", vega);
    EXPECT_EQ(document()["selection"]["kind"], "star");
    EXPECT_EQ(document()["selection"]["index"], DENEB_HR);
    EXPECT_EQ(element("btn_selection")["text"], "Deneb");
    EXPECT_EQ(centre("btn_target").x, on_vega.x) << "the view turned to the new selection";

    render("wait 3000\ntap btn_close_selection\n", vega);
    EXPECT_EQ(document()["selection"]["kind"], "nothing");
    EXPECT_FALSE(shown("btn_selection"));
}

TEST_F(MainScreenRender, TheZoomKnobZoomsAndSpringsBack)
{
    render("wait 40\n", PARIS_EVENING);
    const Json rest = element("btn_zoom")["rect"];
    render("drag btn_zoom 0 -50\n", PARIS_EVENING + " --frames 1");
    const int knob_y = element("btn_zoom")["rect"][1].get<int>();
    EXPECT_LT(knob_y, rest[1].get<int>()) << "let go, it has only begun to return";
    EXPECT_GT(knob_y, rest[1].get<int>() - 50);
    EXPECT_GT(document()["view"]["zoom"].get<double>(), 0.5);
    render("drag btn_zoom 0 -50\nwait 200\n", PARIS_EVENING);
    EXPECT_EQ(element("btn_zoom")["rect"], rest);
    EXPECT_GT(document()["view"]["zoom"].get<double>(), 0.5) << "the zoom reached stays";
}

TEST_F(MainScreenRender, TheDrumsRollIntoEachOtherAndNowReturnsToTheClock)
{
    // The minute over the hour, the day and the month at once.
    render("drag minute 0 -48\n", "--time 2026-01-31T23:59Z --open datetime");
    EXPECT_EQ(document()["moment"]["local"], "2026-02-01T00:00:00+00:00");
    for (const auto& [drum, value] : {std::pair{"year", 2026.0}, {"month", 1.0}, {"day", 0.0}, {"hour", 0.0}, {"minute", 0.0}})
        EXPECT_EQ(element(drum)["value"], value) << drum;
    EXPECT_EQ(document()["live_time"], false);
    EXPECT_TRUE(shown("btn_now"));
    EXPECT_TRUE(shown("exclamation", "button_datetime"));

    // The day drum over the month's end.
    render("drag day 0 -48\n", "--time 2026-01-31T12:00Z --open datetime");
    EXPECT_EQ(document()["moment"]["local"], "2026-02-01T12:00:00+00:00");
    // 31 January to February: the day comes to the month's last.
    render("drag month 0 -48\n", "--time 2026-01-31T12:00Z --open datetime");
    EXPECT_EQ(document()["moment"]["local"], "2026-02-28T12:00:00+00:00");
    EXPECT_EQ(element("day")["value"], 27.0);
    render("drag year 0 -48\n", "--time 2008-02-29T12:00Z --open datetime");
    EXPECT_EQ(document()["moment"]["local"], "2009-02-28T12:00:00+00:00");
    // Let go on a spare row of February, the day drum snaps back to the 28th, or on to 1 March.
    render("drag day 0 -614\n", "--time 2026-02-15T12:00Z --open datetime");
    EXPECT_EQ(document()["moment"]["local"], "2026-02-28T12:00:00+00:00");
    EXPECT_EQ(element("day")["value"], 27.0);
    // The spare rows below the 28th show no day.
    std::vector<std::string> days;
    const Json day_drum = element("day");
    for (const Json& row : day_drum["rows"])
        days.push_back(row["children"][0].value("text", "?"));
    EXPECT_NE(std::find(days.begin(), days.end(), "28"), days.end());
    EXPECT_NE(std::find(days.begin(), days.end(), ""), days.end());
    EXPECT_EQ(std::find(days.begin(), days.end(), "29"), days.end());
    render("drag day 0 -720\n", "--time 2026-02-15T12:00Z --open datetime");
    EXPECT_EQ(document()["moment"]["local"], "2026-03-01T12:00:00+00:00");

    render("drag minute 0 -48\ntap btn_now\n", "--open datetime");
    EXPECT_EQ(document()["live_time"], true);
    EXPECT_FALSE(shown("btn_now"));
    EXPECT_FALSE(shown("exclamation", "button_datetime"));
}

TEST_F(MainScreenRender, SwitchingOffEverythingToFindShowsTheMarker)
{
    render("tap setting_stars\ntap setting_constellations\n", PARIS_EVENING + " --open settings");
    EXPECT_FALSE(shown("exclamation", "button_settings"));
    render("tap setting_stars\ntap setting_constellations\ntap setting_planets\ntap setting_grid\n",
           PARIS_EVENING + " --open settings");
    EXPECT_TRUE(shown("exclamation", "button_settings"));
    const Json switches = document()["switches"];
    EXPECT_EQ(switches, Json({{"background", true}, {"grid", false}, {"refraction", true}, {"stars", false}, {"constellations", false}, {"planets", false}}));
    EXPECT_TRUE(element("setting_location")["enabled"]);
}

TEST_F(MainScreenRender, TheDocumentIsDumpedBesideTheScreens)
{
    render("wait 40\n", PARIS_EVENING + " --select body:6 --night");
    const Json state = document();
    EXPECT_EQ(state["place"]["latitude"], 48.85);
    EXPECT_EQ(state["place"]["longitude"], 2.35);
    EXPECT_EQ(state["moment"]["utc"], "2026-12-24T20:00:00Z");
    EXPECT_EQ(state["moment"]["local"], "2026-12-24T21:00:00+01:00");
    EXPECT_NEAR(state["moment"]["julian_day"].get<double>(), 2461399.333333, 1e-5);
    EXPECT_EQ(state["night_mode"], true);
    EXPECT_EQ(state["language"], "english");
    EXPECT_EQ(state["selection"], Json({{"kind", "body"}, {"index", 6}, {"name", "Saturn"}}));
    EXPECT_TRUE(state["view"].contains("azimuth") && state["view"].contains("zoom"));
}

TEST_F(MainScreenRender, TheScreenAndItsPanelsInDayAndNightColours)
{
    for (const std::string open : {"", "datetime", "settings"}) {
        for (const bool night : {false, true}) {
            render("wait 40\n", PARIS_EVENING + " --hide background --select star:" + std::to_string(VEGA_HR) +
                                    (open.empty() ? "" : " --open " + open) + (night ? " --night" : ""));
            const auto picture = read_png_565(folder.file("main.png"));
            ASSERT_TRUE(picture);
            const std::string name = "main" + (open.empty() ? "" : "-" + open) + (night ? "-night" : "-day") + ".png";
            EXPECT_TRUE(matches_golden(*picture, name));
        }
    }
}

TEST_F(MainScreenRender, TheCityListNarrowsToMoscowAndChoosingItMovesThePlaceIntoMoscowTime)
{
    const std::string paris = "--time 2026-12-24T21:00 --lat 48.85 --lon 2.35";
    render("wait 40\n", paris);
    EXPECT_EQ(document()["place"]["zone"], "Europe/Paris");
    EXPECT_EQ(document()["moment"]["local"], "2026-12-24T21:00:00+01:00");

    render("text moscow\ntap-text Moscow\nwait 40\n", paris + " --open cities");
    const Json place = document()["place"];
    EXPECT_EQ(place["city"], "Moscow");
    EXPECT_EQ(place["country"], "RU");
    EXPECT_EQ(place["zone"], "Europe/Moscow");
    EXPECT_NEAR(place["latitude"].get<double>(), 55.75, 0.01);
    // The clock shown stays where it was set; it is now Moscow's.
    EXPECT_EQ(document()["moment"]["local"], "2026-12-24T21:00:00+03:00");
    EXPECT_EQ(document()["moment"]["utc"], "2026-12-24T18:00:00Z");
    EXPECT_FALSE(shown("cities")) << "choosing a city closes the list";
}

TEST_F(MainScreenRender, TheCityListFilteredInDayAndNightColours)
{
    for (const bool night : {false, true}) {
        render("text mos\nwait 40\n", PARIS_EVENING + " --open cities" + (night ? " --night" : ""));
        EXPECT_EQ(element("filter")["text"], "667");
        const auto picture = read_png_565(folder.file("main.png"));
        ASSERT_TRUE(picture);
        EXPECT_TRUE(matches_golden(*picture, std::string("cities-mos") + (night ? "-night" : "-day") + ".png"));
    }
}

} // namespace stellaro
