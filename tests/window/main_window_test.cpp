// The sky map's own window as a user works it: the menu's minimising and leaving, and what a
// restart keeps. Elements are found by name in a headless layout of the same screen and size.
#include "window/window_fixture.h"

#include <fstream>

namespace stellaro {

namespace {

class MainWindow : public WindowFixture {
protected:
    void TearDown() override
    {
        WindowFixture::TearDown();
        stop(manager);
    }

    // A plain window manager, so that minimising has someone to iconify the window.
    void start_window_manager()
    {
        std::ofstream(folder.file("twmrc")) << "RandomPlacement\nUsePPosition \"on\"\nNoTitle\n"
                                               "TitleFont \"fixed\"\nResizeFont \"fixed\"\nMenuFont \"fixed\"\n"
                                               "IconFont \"fixed\"\nIconManagerFont \"fixed\"\n";
        const std::string command = "exec env DISPLAY=" + display + " LC_ALL=C twm -f " + folder.file("twmrc") + " >/dev/null 2>&1";
        manager = fork();
        if (manager == 0) {
            execl("/bin/sh", "sh", "-c", command.c_str(), nullptr);
            _exit(127);
        }
    }

    // This program's window is mapped (not iconified).
    bool shown() const
    {
        const std::string windows = xdotool("search --onlyvisible --name \"^Stellaro II$\"");
        return windows.find(window + "\n") != std::string::npos;
    }

    // Waits until two screenshots in a row agree (the window is at rest); false when it never is.
    bool settled() const
    {
        std::optional<Screenshot> last;
        bool agreed = false;
        first_that([&](const Screenshot& shot) {
            agreed = last && differing(*last, shot) == 0;
            last = shot;
            return agreed;
        });
        return agreed;
    }

    // The rectangle of a named element of a layout.
    static nlohmann::json rect(const nlohmann::json& layout, const std::string& name)
    {
        const nlohmann::json element = element_of(layout, name);
        EXPECT_TRUE(element.contains("rect")) << "the layout has no " << name;
        return element.value("rect", nlohmann::json::array({0, 0, 0, 0}));
    }

    // The rectangle of the row of the menu up in a layout that shows the text.
    static nlohmann::json menu_row(const nlohmann::json& layout, const std::string& text)
    {
        const nlohmann::json row = row_with_text(element_of(layout, "vlist"), text);
        EXPECT_FALSE(row.is_null()) << "the menu has no row \"" << text << "\"";
        return row.is_null() ? nlohmann::json::array({0, 0, 0, 0}) : row;
    }

    // The layout after the taps on texts, one after the other (e.g. menu rows).
    nlohmann::json layout_after_taps(const std::string& options, const std::vector<std::string>& texts)
    {
        std::ofstream script(folder.file("taps.txt"));
        for (const std::string& text : texts)
            script << "tap-text " << text << "\n";
        script.close();
        return layout(options + " --events " + folder.file("taps.txt"));
    }

    pid_t manager = -1;
};

TEST_F(MainWindow, TheMenuMinimisesAndLeavesOnlyWhenTheUserConfirms)
{
    if (!have_program("twm"))
        GTEST_SKIP() << "twm is missing: apt-get install twm to run the window test";
    start_window_manager();
    const std::string options = "--size 480x800 --language english";
    const nlohmann::json bar = layout(options);
    const nlohmann::json menu = layout(options + " --open menu");
    const nlohmann::json question = layout_after_taps(options + " --open menu", {"Exit"});
    start_program(options + " --dump " + folder.file("dump.json"));
    ASSERT_TRUE(find_window()) << "no window appeared; stderr: " << read_file(folder.file("err.txt"));

    EXPECT_TRUE(after([&] { click_rect(rect(bar, "button_menu")); })) << "the menu did not open";
    ASSERT_TRUE(settled());
    click_rect(menu_row(menu, "Minimize"));
    EXPECT_TRUE(wait_until([&] { return !shown(); })) << "the window was not minimised";
    // A second start brings it back, with the place it hands over.
    const ProgramRun second = run_program("--lat -33.5 --lon 151.25", environment());
    EXPECT_EQ(second.status, 0) << second.err;
    EXPECT_TRUE(wait_until([&] { return shown(); })) << "a second start did not bring the window back";
    ASSERT_TRUE(find_window());

    EXPECT_TRUE(after([&] { click_rect(rect(bar, "button_menu")); })) << "the menu did not open again";
    EXPECT_TRUE(after([&] { click_rect(menu_row(menu, "Exit")); })) << "Exit did not ask first";
    EXPECT_TRUE(after([&] { click_rect(menu_row(question, "Cancel")); })) << "Cancel did not take the question away";
    EXPECT_TRUE(running()) << "Cancel ended the program";

    EXPECT_TRUE(after([&] { click_rect(rect(bar, "button_menu")); })) << "the menu did not open a third time";
    EXPECT_TRUE(after([&] { click_rect(menu_row(menu, "Exit")); })) << "Exit did not ask again";
    ASSERT_TRUE(settled());
    click_rect(menu_row(question, "Exit Stellaro"));
    EXPECT_EQ(exit_status(), 0) << "confirming did not end the program cleanly: " << read_file(folder.file("err.txt"));
    const nlohmann::json document = read_dump(folder.file("dump.json"))["document"];
    EXPECT_EQ(document["place"]["latitude"], -33.5);
    EXPECT_EQ(document["place"]["longitude"], 151.25);
}

// In a large landscape window: a switch in the settings (closed with the keyboard), night mode
// and the language chosen in the menu, and the place given when it started, are all there again
// after a restart.
TEST_F(MainWindow, TheSwitchesNightModeLanguageAndPlaceOutliveARestart)
{
    const std::string size = "--size 1600x900";
    const std::string options = size + " --language english";
    const nlohmann::json bar = layout(options);
    const nlohmann::json settings = layout(options + " --open settings");
    const nlohmann::json menu = layout(options + " --open menu");
    const nlohmann::json languages = layout_after_taps(options + " --open menu", {"Language"});
    start_program(options + " --lat 48.14 --lon 11.58 --dump " + folder.file("first.json"));
    ASSERT_TRUE(find_window()) << "no window appeared; stderr: " << read_file(folder.file("err.txt"));

    EXPECT_TRUE(after([&] { click_rect(rect(bar, "button_settings")); })) << "the settings did not open";
    EXPECT_TRUE(after([&] { click_rect(rect(settings, "setting_stars")); })) << "the stars did not go";
    EXPECT_TRUE(after([&] { xdotool("key Escape"); })) << "Escape did not close the settings";
    EXPECT_TRUE(after([&] { click_rect(rect(bar, "button_menu")); })) << "the menu did not open";
    EXPECT_TRUE(after([&] { click_rect(menu_row(menu, "Night mode")); })) << "night mode did not come";
    EXPECT_TRUE(after([&] { click_rect(rect(bar, "button_menu")); })) << "the menu did not open again";
    EXPECT_TRUE(after([&] { click_rect(menu_row(menu, "Language")); })) << "the languages did not show";
    EXPECT_TRUE(after([&] { click_rect(menu_row(languages, "Deutsch")); })) << "the texts did not change";
    ASSERT_EQ(close_program(), 0) << read_file(folder.file("err.txt"));
    const nlohmann::json first = read_dump(folder.file("first.json"))["document"];
    EXPECT_EQ(first["switches"]["stars"], false);
    EXPECT_EQ(first["night_mode"], true);
    EXPECT_EQ(first["language"], "german");

    start_program(size + " --dump " + folder.file("second.json"));
    ASSERT_TRUE(find_window()) << "no window appeared after the restart; stderr: " << read_file(folder.file("err.txt"));
    ASSERT_EQ(close_program(), 0) << read_file(folder.file("err.txt"));
    const nlohmann::json second = read_dump(folder.file("second.json"))["document"];
    // The place is stored to a few metres.
    EXPECT_NEAR(second["place"]["latitude"].get<double>(), 48.14, 1e-4);
    EXPECT_NEAR(second["place"]["longitude"].get<double>(), 11.58, 1e-4);
    EXPECT_EQ(second["switches"]["stars"], false);
    EXPECT_EQ(second["switches"]["constellations"], true);
    EXPECT_EQ(second["night_mode"], true);
    EXPECT_EQ(second["language"], "german");
}

} // namespace

} // namespace stellaro
