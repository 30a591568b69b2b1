// The gallery of element kinds drawn and driven headless, as `render --screen` does it.
#include "support/golden.h"
#include "support/test_support.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <functional>
#include <string>

namespace stellaro {

namespace {

using Json = nlohmann::json;

class GalleryRender : public ::testing::Test {
protected:
    // Renders the gallery after the events; the run, with the dump read into `dump`.
    ProgramRun render(const std::string& events, const std::string& options = "")
    {
        write_file(folder.file("script.events"), events);
        const ProgramRun run = run_program("render --screen Gallery --out " + folder.file("gallery.png") + " --events " +
                                           folder.file("script.events") + " --dump " + folder.file("dump.json") + " " +
                                           options);
        if (run.status == 0)
            dump = Json::parse(read_file(folder.file("dump.json")));
        return run;
    }

    // The first element of that name in the top screen, its rows included.
    Json element(const std::string& name) const
    {
        Json found;
        const std::function<bool(const Json&)> search = [&](const Json& node) {
            if (node["name"] == name) {
                found = node;
                return true;
            }
            for (const char* list : {"children", "rows"})
                if (node.contains(list))
                    for (const Json& child : node[list])
                        if (search(child))
                            return true;
            return false;
        };
        search(dump["screens"].back());
        return found;
    }

    TemporaryRegistry registry;
    TemporaryFolder folder;
    Json dump;
};

} // namespace

TEST_F(GalleryRender, EveryKindInItsStatesInDayAndNightColours)
{
    for (const bool night : {false, true}) {
        const ProgramRun run = render("", night ? "--night" : "");
        ASSERT_EQ(run.status, 0) << run.err;
        const auto picture = read_png_565(folder.file("gallery.png"));
        ASSERT_TRUE(picture);
        EXPECT_TRUE(matches_golden(*picture, night ? "gallery-night.png" : "gallery-day.png"));
    }
    EXPECT_EQ(element("gallery_button_disabled")["enabled"], false);
    EXPECT_EQ(element("gallery_progress")["value"], 0.6);
    EXPECT_EQ(element("gallery_list")["selection"], 1);
    EXPECT_EQ(element("gallery_hours")["value"], 21.0);
}

TEST_F(GalleryRender, TapsDragsAndTypingChangeWhatTheDumpShows)
{
    const ProgramRun run = render("tap gallery_switch\n"
                                  "tap gallery_choice\ntap gallery_choice\ntap gallery_choice\n"
                                  "tap-text Item 3\n"
                                  "drag gallery_list 0 -200\n"
                                  "drag gallery_hours 0 -112\n"
                                  "drag gallery_minutes 0 56\n"
                                  "tap gallery_name\ntext V\u00e9ga\n"
                                  "tap gallery_notes\nkey End down\nkey End up\ntext  Bring a red torch.\n");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(element("gallery_switch")["state"], 1);
    EXPECT_EQ(element("gallery_choice")["state"], 0) << "three states wrap around";
    EXPECT_EQ(element("gallery_list")["selection"], 2);
    EXPECT_GE(element("gallery_list")["first_item"], 3);
    EXPECT_EQ(element("gallery_hours")["value"], 23.0);
    EXPECT_EQ(element("gallery_minutes")["value"], 29.0);
    EXPECT_EQ(element("gallery_name")["text"], "V\u00e9ga");
    const std::string notes = element("gallery_notes")["text"];
    EXPECT_EQ(notes.substr(notes.size() - 18), "Bring a red torch.");
}

TEST_F(GalleryRender, TheMenuOpensOverTheGalleryRefreshesAndClosesOnBackspace)
{
    ASSERT_EQ(render("tap gallery_menu_button\nwait 400\ntap-text Night mode\nwait 400\n").status, 0);
    ASSERT_EQ(dump["screens"].size(), 2u);
    EXPECT_EQ(element("caption")["text"], "Gallery");

    ASSERT_EQ(render("tap gallery_menu_button\nwait 400\ntap-text Language\u2026\nwait 400\n").status, 0);
    EXPECT_EQ(element("caption")["text"], "Language");

    ASSERT_EQ(render("tap gallery_menu_button\nwait 400\ntap-text About\nkey Backspace down\nkey Backspace up\n").status, 0);
    EXPECT_EQ(dump["screens"].size(), 1u) << "a disabled entry does nothing, Backspace closes";
}

TEST_F(GalleryRender, NamesThatNoShownElementCarriesAreErrorsNamingTheLine)
{
    const ProgramRun missing = render("wait 40\ntap gallery_nothing\n");
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find("line 2"), std::string::npos) << missing.err;
    EXPECT_NE(missing.err.find("gallery_nothing"), std::string::npos) << missing.err;
    // The menu's entries are not shown until it opens.
    EXPECT_EQ(render("tap-text Night mode\n").status, 2);
    EXPECT_EQ(render("drag gallery_list 0\n").status, 2);

    const ProgramRun unknown = run_program("render --screen Nowhere --out " + folder.file("x.png"));
    EXPECT_EQ(unknown.status, 1);
    EXPECT_NE(unknown.err.find("'Nowhere'"), std::string::npos) << unknown.err;
}

} // namespace stellaro
