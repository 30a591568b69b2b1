// The main screen's panels and switches, driven through its listeners as its buttons drive it.
#include "document/document.h"
#include "platform/utf.h"
#include "screens/main_screen.h"
#include "skin/elements/element_factory.h"
#include "skin/kinds/checkbox.h"
#include "skin/kinds/toolkit_kinds.h"
#include "skin/props/properties.h"
#include "sky/stars.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace stellaro {

namespace {

const std::u16string APP_FOLDER = utf8_to_utf16(STELLARO_APP_DIR);

class MainScreenTest : public ::testing::Test {
protected:
    MainScreenTest()
    {
        static const std::unique_ptr<NodeRegistration> sky_kind = Stars::register_kind();
        static const std::vector<std::unique_ptr<NodeRegistration>> kinds = register_toolkit_kinds();
        properties.load_language_file(APP_FOLDER + u"/english.lng");
        EXPECT_TRUE(properties.load_skin(APP_FOLDER + u"/skins/bin/default.skin", 96));
        start();
    }

    // Starts the program's model and screen afresh, as a restart does.
    void start()
    {
        screen.reset();
        document.reset();
        document = std::make_unique<Document>(APP_FOLDER + u"/no-cities.db");
        screen = std::make_unique<MainScreen>(properties, *document);
    }

    // Lays the screen out in a window of the given size, as each frame does.
    void lay_out(int32_t width, int32_t height)
    {
        screen->set_horizontal(0, width);
        screen->set_vertical(0, height);
    }

    Checkbox& box(std::u16string_view name) const { return *dynamic_cast<Checkbox*>(screen->find_child(name)); }
    bool shown(std::u16string_view name) const { return screen->find_child(name)->visible(); }
    void click(std::u16string_view name) { screen->on_click(box(name), Point{}); }

    TemporaryRegistry registry;
    Properties properties;
    std::unique_ptr<Document> document;
    std::unique_ptr<MainScreen> screen;
};

} // namespace

TEST_F(MainScreenTest, ThePanelsOpenOneAtATime)
{
    EXPECT_FALSE(shown(u"panel_search") || shown(u"panel_datetime") || shown(u"panel_settings"));
    click(u"button_datetime");
    EXPECT_TRUE(shown(u"panel_datetime"));
    click(u"button_search");
    EXPECT_TRUE(shown(u"panel_search"));
    EXPECT_FALSE(shown(u"panel_datetime"));
    EXPECT_EQ(box(u"button_datetime").state(), 0u);
    EXPECT_TRUE(shown(u"stars")) << "the sky stays in view beside the search";
    EXPECT_FALSE(shown(u"btn_zoom"));
    click(u"button_search");
    EXPECT_FALSE(shown(u"panel_search"));
    EXPECT_TRUE(shown(u"stars"));
    EXPECT_TRUE(shown(u"btn_zoom"));

    // Exactly one search tab is on; clicking it again changes nothing.
    EXPECT_EQ(box(u"button_stars").state(), 1u);
    click(u"button_planets");
    click(u"button_planets");
    EXPECT_EQ(box(u"button_planets").state(), 1u);
    EXPECT_EQ(box(u"button_stars").state(), 0u);

    // The menu closes the panels; its button stays on while the menu is up.
    click(u"button_settings");
    click(u"button_menu");
    EXPECT_EQ(box(u"button_menu").state(), 1u);
    EXPECT_FALSE(shown(u"panel_settings"));
    EXPECT_EQ(box(u"button_settings").state(), 0u);
    screen->update(0.04);
    EXPECT_EQ(box(u"button_menu").state(), 0u) << "no menu screen is up";
}

TEST_F(MainScreenTest, EscapeClosesTheOpenPanel)
{
    const KeyEvent escape{KEY_ESC, true};
    EXPECT_FALSE(screen->on_key(escape)) << "with no panel open the key is left to others";
    for (const MainScreen::Panel panel : {MainScreen::Panel::SEARCH, MainScreen::Panel::DATETIME, MainScreen::Panel::SETTINGS}) {
        screen->open_panel(panel);
        EXPECT_TRUE(screen->on_key(escape));
        EXPECT_FALSE(shown(u"panel_search") || shown(u"panel_datetime") || shown(u"panel_settings"));
        EXPECT_EQ(box(u"button_search").state() + box(u"button_datetime").state() + box(u"button_settings").state(), 0u);
    }
}

// A screen at rest asks for no new layout on its frames, whatever panel is open: a layout
// on every frame would draw the whole window at the display's rate.
TEST_F(MainScreenTest, AtRestNoFrameLaysTheScreenOutAgain)
{
    const auto frame = [this] {
        screen->set_horizontal(0, 480);
        screen->set_vertical(0, 800);
        screen->update(0.01);
    };
    for (const std::optional<MainScreen::Panel> panel :
         {std::optional<MainScreen::Panel>{}, std::optional{MainScreen::Panel::SEARCH}, std::optional{MainScreen::Panel::DATETIME},
          std::optional{MainScreen::Panel::SETTINGS}}) {
        if (panel)
            screen->open_panel(*panel);
        // Panels slide in over a few seconds of frames.
        for (int i = 0; i < 300; ++i)
            frame();
        frame();
        EXPECT_FALSE(screen->needs_layout()) << "panel " << (panel ? static_cast<int>(*panel) : -1);
    }
}

TEST_F(MainScreenTest, TheSwitchesAndThePlaceOutliveARestart)
{
    const Element& marker = *box(u"button_settings").find_child(u"exclamation");
    click(u"setting_grid");
    click(u"setting_stars");
    click(u"setting_constellations");
    EXPECT_FALSE(marker.visible());
    click(u"setting_planets");
    EXPECT_TRUE(marker.visible()) << "nothing is left to see";
    EXPECT_FALSE(document->show_planets);
    document->set_location(12.5, 41.9);

    start();
    EXPECT_FALSE(document->show_grid || document->show_stars || document->show_constellations || document->show_planets);
    EXPECT_TRUE(document->show_back);
    EXPECT_NEAR(document->longitude, 12.5, 1e-6);
    EXPECT_NEAR(document->latitude, 41.9, 1e-6);
    EXPECT_EQ(box(u"setting_stars").state(), 0u);
    EXPECT_EQ(box(u"setting_background").state(), 1u);
    const Element& restarted = *box(u"button_settings").find_child(u"exclamation");
    EXPECT_TRUE(restarted.visible());
    click(u"setting_planets");
    EXPECT_FALSE(restarted.visible());
}

TEST_F(MainScreenTest, ASkinReloadRebuildsFromTheDocument)
{
    click(u"setting_grid");
    click(u"button_settings");
    document->live_time = false;
    properties.send_reload_skin();
    EXPECT_EQ(box(u"setting_grid").state(), 0u);
    EXPECT_FALSE(shown(u"panel_settings")) << "the panels start closed";
    EXPECT_TRUE(screen->find_child(u"btn_now")->visible());
    EXPECT_TRUE(box(u"button_datetime").find_child(u"exclamation")->visible());
}

TEST_F(MainScreenTest, AnOpenPanelInALandscapeWindowLeavesTheSelectionPillInView)
{
    const Element& pill = *screen->find_child(u"btn_close_selection")->parent();
    const Element& panel = *screen->find_child(u"panel_settings");
    const auto beside = [&] { return pill.x() >= panel.x() + panel.width() && pill.x() + pill.width() <= 800; };
    lay_out(800, 480);
    const int32_t centred_x = pill.x();
    click(u"button_settings");
    for (int frame = 0; frame < 2; ++frame) {
        screen->update(0.04);
        lay_out(800, 480);
    }
    ASSERT_GT(panel.height() + 92, 480 - 64) << "the settings reach the top of a landscape window";
    EXPECT_TRUE(beside());
    EXPECT_GE(pill.width(), 200) << "room for a name";
    EXPECT_EQ(pill.y(), 16);

    // Closed again, the pill returns to the middle.
    click(u"button_settings");
    screen->update(0.04);
    lay_out(800, 480);
    EXPECT_EQ(pill.x(), centred_x);

    // In the portrait design size the panel rises below the pill, which stays centred.
    lay_out(480, 800);
    const int32_t portrait_x = pill.x();
    click(u"button_settings");
    screen->update(0.04);
    lay_out(480, 800);
    EXPECT_EQ(pill.x(), portrait_x);
    EXPECT_GE(panel.y(), pill.y() + pill.height());
}

TEST_F(MainScreenTest, TheSelectionPillWaitsWhileTheInformationIsOverTheScreen)
{
    lay_out(800, 480);
    auto& sky = *dynamic_cast<Stars*>(screen->find_child(u"stars"));
    sky.select(SkyObject::of(Body::moon));
    screen->update(0.04);
    ASSERT_TRUE(shown(u"btn_selection"));
    // A phone-wide panel over a landscape window would cut the pill in two.
    ASSERT_TRUE(screen->open_selection_info());
    EXPECT_FALSE(shown(u"btn_selection"));
    EXPECT_FALSE(shown(u"btn_close_selection"));
    EXPECT_TRUE(shown(u"btn_target")) << "the object stays marked in the sky beside the panel";
    // On top again, the screen shows it with its next frame.
    screen->update(0.04);
    EXPECT_TRUE(shown(u"btn_selection"));
    EXPECT_TRUE(shown(u"btn_close_selection"));
}

} // namespace stellaro
