// The information panel, the main menu and the about panel, opened over the sky and driven
// headless as `render --open` does it, and the choice of language.
#include "support/golden.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace stellaro {

namespace {

// A fixed place and moment, and a locale that names no language, so that English is the choice.
const std::string MOMENT = "--time 2026-12-06T22:00+01:00 --lat 48.14 --lon 11.58 ";
const std::string LOCALE = "env -u LC_ALL -u LC_MESSAGES LANG=C";

class PlanetariumScreens : public ::testing::Test {
protected:
    // Renders with the options after the events, one per line.
    ProgramRun render(const std::string& options, const std::string& events = "")
    {
        write_file(folder.file("script.events"), events);
        return run_program("render " + MOMENT + "--out " + picture() + " --events " + folder.file("script.events") +
                               " --dump " + folder.file("dump.json") + " " + options,
                           LOCALE);
    }
    std::string picture() const { return folder.file("screen.png"); }
    std::string dump() const { return read_file(folder.file("dump.json")); }

    // Renders and compares the picture with the golden one.
    void expect_golden(const std::string& options, const std::string& golden)
    {
        const ProgramRun run = render(options);
        ASSERT_EQ(run.status, 0) << run.err;
        const auto shown = read_png_565(picture());
        ASSERT_TRUE(shown);
        EXPECT_TRUE(matches_golden(*shown, golden));
    }

    // True when every pixel of the rectangle has no green or blue: the night colours (the lowest
    // green bit is the opaque mark of drawn text, not a colour).
    bool only_red(int x0, int y0, int x1, int y1) const
    {
        const auto shown = read_png_565(picture());
        if (!shown)
            return false;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                if ((shown->pixels[static_cast<size_t>(y * shown->width + x)] & 0x07DF) != 0)
                    return false;
        return true;
    }

    TemporaryRegistry registry;
    TemporaryFolder folder;
};

TEST_F(PlanetariumScreens, TheInformationPanelShowsAStarTheMoonAndAConstellationInDayAndNight)
{
    for (const bool night : {false, true}) {
        const std::string mode = night ? " --night" : "";
        const std::string suffix = night ? "-night.png" : "-day.png";
        expect_golden("--open info --select star:2061" + mode, "info-star" + suffix);
        expect_golden("--open info --select body:Moon" + mode, "info-moon" + suffix);
        expect_golden("--open info --select constellation:Ori" + mode, "info-constellation" + suffix);
    }
    ASSERT_EQ(render("--open info --select star:2061").status, 0);
    // The name, the Bayer letter with the constellation, the number and the coordinates.
    for (const char* text : {"\"Betelgeuse\"", "α Orion\\nHR 2061", "\"5h 56m 39s\"", "+7°24'43''", "Right ascension"})
        EXPECT_NE(dump().find(text), std::string::npos) << text;
    // A star with neither a name nor a Bayer letter is known by its number.
    ASSERT_EQ(render("--open info --select star:1").status, 0);
    EXPECT_NE(dump().find("\"HR 1\""), std::string::npos);
}

TEST_F(PlanetariumScreens, TheSunsPictureIsAnimated)
{
    ASSERT_EQ(render("--open info --select body:Sun --frames 1").status, 0);
    const auto first = read_png_565(picture());
    ASSERT_EQ(render("--open info --select body:Sun --frames 4").status, 0);
    const auto later = read_png_565(picture());
    ASSERT_TRUE(first && later);
    // Only the picture, 96 pixels square at (20, 64), changes.
    int changed = 0;
    for (int y = 0; y < first->height; ++y)
        for (int x = 0; x < first->width; ++x) {
            const size_t at = static_cast<size_t>(y * first->width + x);
            if (first->pixels[at] == later->pixels[at])
                continue;
            ++changed;
            EXPECT_TRUE(x >= 20 && x < 116 && y >= 64 && y < 160) << x << "," << y;
        }
    EXPECT_GT(changed, 0);
}

TEST_F(PlanetariumScreens, TheInformationPanelsBackButtonClosesIt)
{
    ASSERT_EQ(render("--open info --select body:Moon", "tap back\n").status, 0);
    EXPECT_EQ(dump().find("Selection"), std::string::npos);
}

TEST_F(PlanetariumScreens, TheMenuAndTheAboutPanelInDayAndNight)
{
    expect_golden("--open menu", "main-menu-day.png");
    expect_golden("--open menu --night", "main-menu-night.png");
    expect_golden("--open about", "about-day.png");
    expect_golden("--open about --night", "about-night.png");
    ASSERT_EQ(render("--open about", "tap back\n").status, 0);
    EXPECT_EQ(dump().find("Stellaro"), std::string::npos);
}

// In a wide window the sky shows beside the about panel: the menu it was chosen from is not
// left in that picture.
TEST_F(PlanetariumScreens, TheAboutPanelChosenFromTheMenuLeavesNoMenuBehind)
{
    const auto beside_the_panel = [this](const std::string& events, const std::string& options) {
        const ProgramRun run = render("--size 1600x900 --frames 40 " + options, events);
        EXPECT_EQ(run.status, 0) << run.err;
        return read_png_565(picture());
    };
    const auto chosen = beside_the_panel("tap-text About\n", "--open menu");
    const auto opened = beside_the_panel("", "--open about");
    ASSERT_TRUE(chosen && opened);
    // Where the menu stood: the same dimmed sky, but for a twinkling star here and there.
    int differing = 0;
    int all = 0;
    for (int y = 450; y < 700; ++y)
        for (int x = 600; x < 1500; ++x, ++all)
            differing += chosen->pixels[static_cast<size_t>(y * 1600 + x)] != opened->pixels[static_cast<size_t>(y * 1600 + x)];
    EXPECT_LT(differing, all / 20);
}

TEST_F(PlanetariumScreens, NightModeReloadsTheSkinInRedBothWaysAndIsKept)
{
    ASSERT_EQ(render("--open menu", "tap-text Night mode\n").status, 0);
    // The menu has closed and the rebuilt main screen, its bottom bar too, is red on black now.
    EXPECT_TRUE(only_red(0, 0, 480, 800));
    EXPECT_EQ(dump().find("Night mode"), std::string::npos);
    ASSERT_EQ(render("--open menu", "tap-text Night mode\ntap button_menu\ntap-text Night mode\n").status, 0);
    EXPECT_FALSE(only_red(12, 730, 468, 790));
}

TEST_F(PlanetariumScreens, ExitAsksFirstThenQuits)
{
    ProgramRun run = render("--open menu", "tap-text Exit\ntap-text Cancel\n");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.find("asked to quit"), std::string::npos);
    run = render("--open menu", "tap-text Exit\n");
    EXPECT_NE(dump().find("Exit Stellaro"), std::string::npos);
    run = render("--open menu", "tap-text Exit\ntap-text Exit Stellaro\n");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("asked to quit"), std::string::npos);
}

TEST_F(PlanetariumScreens, AnotherLanguageChangesTheTextsAndIsKeptForTheNextStart)
{
    ASSERT_EQ(render("--open menu", "tap-text Language\n").status, 0);
    // Every language by its own name, the loaded one checked.
    for (const char* name : {"English", "Français", "Deutsch", "Italiano", "Polski", "Русский", "Español", "Українська"})
        EXPECT_NE(dump().find(name), std::string::npos) << name;
    ASSERT_EQ(render("--open menu", "tap-text Language\ntap-text Deutsch\n").status, 0);
    EXPECT_NE(dump().find("Einstellungen"), std::string::npos) << "the main screen rebuilt in German";
    EXPECT_NE(read_file(registry.path()).find("\"Language\"=\"german\""), std::string::npos);
    ASSERT_EQ(render("--open about").status, 0);
    EXPECT_NE(dump().find("Datenquellen"), std::string::npos);
}

TEST_F(PlanetariumScreens, TheLanguageComesFromTheOptionTheSettingsOrTheLocale)
{
    ASSERT_EQ(run_program("render --out " + picture() + " --open menu --language russian --dump " + folder.file("dump.json"), LOCALE).status, 0);
    EXPECT_NE(dump().find("Ночной режим"), std::string::npos);
    ASSERT_EQ(run_program("render --out " + picture() + " --open menu --dump " + folder.file("dump.json"),
                          "env -u LC_ALL LC_MESSAGES=de_DE.UTF-8 LANG=C").status, 0);
    EXPECT_NE(dump().find("Nachtmodus"), std::string::npos);
    // The choice kept in the settings wins over the locale.
    write_file(registry.path(), "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\Vendrix\\Stellaro II]\n"
                                "\"Language\"=\"ukrainian\"\n");
    ASSERT_EQ(run_program("render --out " + picture() + " --open menu --dump " + folder.file("dump.json"),
                          "env -u LC_ALL LC_MESSAGES=de_DE.UTF-8 LANG=C").status, 0);
    EXPECT_NE(dump().find("Нічний режим"), std::string::npos);
    const ProgramRun unknown = run_program("render --out " + picture() + " --language klingon", LOCALE);
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.err.find("--language: no language 'klingon' (available: english, french, german"), std::string::npos)
        << unknown.err;
}

} // namespace

} // namespace stellaro
