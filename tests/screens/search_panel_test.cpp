// The search panel of the default skin over the sky of the data files: choosing rows, the tabs,
// the ruler scrolling its list and a skin loaded anew.
#include "document/document.h"
#include "platform/utf.h"
#include "screens/main_screen.h"
#include "skin/kinds/toolkit_kinds.h"
#include "skin/kinds/vlist.h"
#include "skin/surface/render_surface.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace stellaro {

namespace {

const std::u16string APP_FOLDER = utf8_to_utf16(STELLARO_APP_DIR);
// The sky of the skin reads its catalogue from the program's data folder; set before any path
// is expanded, which happens once per process.
const bool DATA_FOLDER_SET = setenv("STELLARO_DATA_DIR", STELLARO_APP_DIR, 1) == 0;

class SearchPanelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(DATA_FOLDER_SET);
        document.set_persistent(true);
        properties.load_language_file(APP_FOLDER + u"/english.lng");
        ASSERT_TRUE(properties.load_skin(APP_FOLDER + u"/skins/bin/default.skin", 96));
        screen = std::make_unique<MainScreen>(properties, document);
        screen->open_panel(MainScreen::Panel::SEARCH);
        frames(2);
        panel = &screen->search();
    }

    void frames(int count)
    {
        for (int i = 0; i < count; ++i) {
            screen->update(0.04);
            screen->set_horizontal(0, 480);
            screen->set_vertical(0, 800);
            screen->draw(surface, {0, 0});
        }
    }

    void press(Point at, bool down)
    {
        PointerEvent event{at.x, at.y};
        event.down = down;
        screen->on_pointer_button(event);
    }

    // Taps the row in view showing that name; false when none does.
    bool tap_row(SearchTab tab, std::u16string_view name)
    {
        std::vector<Element*> rows;
        panel->list(tab).append_parts(rows);
        for (Element* row : rows) {
            if (panel->row_name(tab, dynamic_cast<VListItem&>(*row).index()) != name)
                continue;
            const Point centre{row->x() + row->width() / 2, row->y() + row->height() / 2};
            press(centre, true);
            press(centre, false);
            return true;
        }
        return false;
    }

    void open_tab(const char16_t* button)
    {
        screen->open_panel(MainScreen::Panel::SEARCH);
        screen->on_click(dynamic_cast<Checkbox&>(*screen->find_child(button)), {});
        frames(2);
    }

    TemporaryRegistry registry;
    Document document{APP_FOLDER + u"/no-cities.db"};
    std::vector<std::unique_ptr<NodeRegistration>> kinds = register_toolkit_kinds();
    std::unique_ptr<NodeRegistration> sky_kind = Stars::register_kind();
    Properties properties;
    std::unique_ptr<MainScreen> screen;
    SearchPanel* panel = nullptr;
    RenderSurface surface{Size{480, 800}};
};

} // namespace

TEST_F(SearchPanelTest, ChoosingAStarSwitchesStarsOnSelectsItAndTurnsTheSkyToIt)
{
    document.show_stars = false;
    Stars& sky = screen->sky();
    ASSERT_TRUE(tap_row(SearchTab::stars, u"Achernar"));
    const int32_t row = panel->list(SearchTab::stars).selection();
    EXPECT_EQ(panel->row_name(SearchTab::stars, row), u"Achernar");
    EXPECT_EQ(sky.selection(), (SkyObject{SkyKind::star, sky.star_names()[static_cast<size_t>(row)].second}));
    // Switched on and saved.
    document.show_stars = false;
    document.load_settings();
    EXPECT_TRUE(document.show_stars);

    frames(200);
    EXPECT_FALSE(screen->find_child(u"panel_search")->visible());
    const SelectedPoint seen = sky.selected_object_point(sky.selection());
    ASSERT_TRUE(seen.found);
    EXPECT_LT(std::abs(seen.point.x - sky.width() / 2), 24);
    EXPECT_LT(std::abs(seen.point.y - sky.height() / 2), 24);
}

TEST_F(SearchPanelTest, TabsShowTheirListAndPlanetsAndConstellationsSelectTheirKind)
{
    open_tab(u"button_planets");
    EXPECT_FALSE(panel->list(SearchTab::stars).visible());
    EXPECT_FALSE(panel->ruler(SearchTab::stars)->host()->visible());
    ASSERT_TRUE(tap_row(SearchTab::planets, u"Jupiter"));
    EXPECT_EQ(screen->sky().selection(), SkyObject::of(Body::jupiter));
    EXPECT_EQ(panel->row_designation(SearchTab::planets, panel->list(SearchTab::planets).selection()), u"Planet");

    open_tab(u"button_constellations");
    EXPECT_TRUE(panel->ruler(SearchTab::constellations)->host()->visible());
    ASSERT_TRUE(tap_row(SearchTab::constellations, u"Andromeda"));
    const SkyObject chosen = screen->sky().selection();
    ASSERT_EQ(chosen.kind, SkyKind::constellation);
    EXPECT_EQ(screen->sky().catalog().constellations[static_cast<size_t>(chosen.index)].code, u"And");

    // A skin loaded anew (night mode, language): the panel takes the new elements, back on the
    // stars' tab as the screen is built.
    screen->reload_skin(properties);
    screen->open_panel(MainScreen::Panel::SEARCH);
    frames(2);
    EXPECT_TRUE(panel->list(SearchTab::stars).visible());
    EXPECT_FALSE(panel->list(SearchTab::constellations).visible());
    EXPECT_EQ(panel->list(SearchTab::constellations).count(), 88);
    EXPECT_FALSE(panel->ruler(SearchTab::constellations)->cell_letters().empty());
}

TEST_F(SearchPanelTest, TheRulerShowsTheHintWhileHeldAndScrollsToTheLetterOnRelease)
{
    AlphabetRuler& ruler = *panel->ruler(SearchTab::stars);
    const Element& button = *ruler.host()->find_child(u"ruler_button");
    const Element& table = *ruler.host()->find_child(u"ruler_table");
    const auto& letters = ruler.letters();
    const auto s = std::find(letters.begin(), letters.end(), u"S") - letters.begin();
    // The middle of the letter's share of the table.
    const Point at{button.x() + button.width() / 2,
                   static_cast<int32_t>(table.y() + (2 * s + 1) * table.height() / (2 * static_cast<int64_t>(letters.size())))};

    press(at, true);
    EXPECT_TRUE(panel->hint().visible());
    press(at, false);
    EXPECT_FALSE(panel->hint().visible());
    frames(3);
    // The first row wholly in view is the first name beginning with the letter.
    VList& list = panel->list(SearchTab::stars);
    std::vector<Element*> rows;
    list.append_parts(rows);
    const auto top = std::min_element(rows.begin(), rows.end(), [&](Element* a, Element* b) {
        return (a->y() < list.y() ? INT32_MAX : a->y()) < (b->y() < list.y() ? INT32_MAX : b->y());
    });
    const NameIndex& names = screen->sky().star_names();
    const auto first_s = std::find_if(names.begin(), names.end(), [](const auto& entry) { return entry.first.front() == u'S'; });
    EXPECT_EQ(dynamic_cast<VListItem&>(**top).index(), first_s - names.begin());

    // Opening the panel again starts without a selection.
    list.set_selection(3);
    panel->clear_selection();
    EXPECT_EQ(list.selection(), -1);
}

} // namespace stellaro
