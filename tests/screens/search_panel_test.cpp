// The search panel of the default skin over the sky of the data files: choosing rows, the
// rulers scrolling the lists, the tabs, and a skin loaded anew.
#include "document/document.h"
#include "platform/utf.h"
#include "screens/search_panel_screen.h"
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
        document.set_location(2.35, 48.85);
        properties.load_language_file(APP_FOLDER + u"/english.lng");
        ASSERT_TRUE(properties.load_skin(APP_FOLDER + u"/skins/bin/default.skin", 96));
        screen.build(properties);
        frames(2);
        panel = screen.panel();
    }

    void frames(int count)
    {
        for (int i = 0; i < count; ++i) {
            screen.update(0.04);
            screen.set_horizontal(0, 480);
            screen.set_vertical(0, 800);
            screen.draw(surface, {0, 0});
        }
    }

    void tap(Element& element, int32_t dy = 0)
    {
        PointerEvent event{element.x() + element.width() / 2, element.y() + element.height() / 2 + dy};
        event.down = true;
        screen.on_pointer_button(event);
        event.down = false;
        screen.on_pointer_button(event);
    }

    // The row in view showing that name.
    Element* row(VList& list, std::u16string_view name)
    {
        std::vector<Element*> rows;
        list.append_parts(rows);
        for (Element* each : rows)
            if (auto* item = dynamic_cast<VListItem*>(each); item && panel->row_name(panel->tab(), item->index()) == name)
                return each;
        return nullptr;
    }

    Element* row_at(VList& list, int32_t index)
    {
        std::vector<Element*> rows;
        list.append_parts(rows);
        for (Element* each : rows)
            if (dynamic_cast<VListItem*>(each)->index() == index)
                return each;
        return nullptr;
    }

    int32_t index_of(const NameIndex& names, std::u16string_view name)
    {
        for (size_t i = 0; i < names.size(); ++i)
            if (names[i].first == name)
                return static_cast<int32_t>(i);
        return -1;
    }

    TemporaryRegistry registry;
    Document document{APP_FOLDER + u"/no-cities.db"};
    std::vector<std::unique_ptr<NodeRegistration>> kinds = register_toolkit_kinds();
    std::unique_ptr<NodeRegistration> sky_kind = Stars::register_kind();
    Properties properties;
    SearchPanelScreen screen;
    SearchPanel* panel = nullptr;
    RenderSurface surface{Size{480, 800}};
};

} // namespace

TEST_F(SearchPanelTest, ChoosingAStarSwitchesStarsOnSelectsItAndTurnsTheSkyToIt)
{
    document.show_stars = false;
    Stars& sky = *screen.sky();
    VList& list = panel->list(SearchTab::stars);
    Element* achernar = row(list, u"Achernar");
    ASSERT_NE(achernar, nullptr);
    const double azimuth_before = sky.view().view_azimuth;
    tap(*achernar);

    const int32_t index = index_of(sky.star_names(), u"Achernar");
    EXPECT_EQ(list.selection(), index);
    EXPECT_EQ(sky.selection(), (SkyObject{SkyKind::star, sky.star_names()[static_cast<size_t>(index)].second}));
    EXPECT_TRUE(document.show_stars);
    // And it was saved.
    document.show_stars = false;
    document.load_settings();
    EXPECT_TRUE(document.show_stars);
    frames(200);
    EXPECT_FALSE(screen.find_child(u"panel_search")->visible());
    EXPECT_NE(sky.view().view_azimuth, azimuth_before);
    const SelectedPoint seen = sky.selected_object_point(sky.selection());
    ASSERT_TRUE(seen.found);
    EXPECT_LT(std::abs(seen.point.x - sky.width() / 2), 24);
    EXPECT_LT(std::abs(seen.point.y - sky.height() / 2), 24);
}

TEST_F(SearchPanelTest, TabsShowTheirListAndPlanetsAndConstellationsSelectTheirKind)
{
    screen.on_click(*dynamic_cast<Checkbox*>(screen.find_child(u"button_planets")), {});
    frames(2);
    EXPECT_TRUE(panel->list(SearchTab::planets).visible());
    EXPECT_FALSE(panel->list(SearchTab::stars).visible());
    EXPECT_FALSE(panel->ruler(SearchTab::stars)->host()->visible());
    Element* jupiter = row(panel->list(SearchTab::planets), u"Jupiter");
    ASSERT_NE(jupiter, nullptr);
    tap(*jupiter);
    EXPECT_EQ(screen.sky()->selection(), SkyObject::of(Body::jupiter));
    EXPECT_EQ(panel->row_designation(SearchTab::planets, panel->list(SearchTab::planets).selection()), u"Planet");

    // The panel opened again on the constellations.
    screen.find_child(u"panel_search")->set_visible(true);
    screen.on_click(*dynamic_cast<Checkbox*>(screen.find_child(u"button_constellations")), {});
    frames(2);
    EXPECT_TRUE(panel->ruler(SearchTab::constellations)->host()->visible());
    Element* first = row(panel->list(SearchTab::constellations), u"Andromeda");
    ASSERT_NE(first, nullptr);
    tap(*first);
    EXPECT_EQ(screen.sky()->selection().kind, SkyKind::constellation);
    EXPECT_EQ(screen.sky()->catalog().constellations[static_cast<size_t>(screen.sky()->selection().index)].code, u"And");
}

TEST_F(SearchPanelTest, TheRulerShowsTheHintWhileHeldAndScrollsToTheLetterOnRelease)
{
    AlphabetRuler& ruler = *panel->ruler(SearchTab::stars);
    Element& button = *ruler.host()->find_child(u"ruler_button");
    const Element& table = *ruler.host()->find_child(u"ruler_table");
    const auto& letters = ruler.letters();
    const auto s = std::find(letters.begin(), letters.end(), u"S") - letters.begin();
    // The middle of the letter's share of the table.
    const auto y = static_cast<int32_t>(table.y() + (2 * s + 1) * table.height() / (2 * static_cast<int64_t>(letters.size())));

    PointerEvent event{button.x() + button.width() / 2, y};
    event.down = true;
    screen.on_pointer_button(event);
    EXPECT_TRUE(panel->hint().visible());
    EXPECT_EQ(panel->list(SearchTab::stars).first_index(), 0);
    event.down = false;
    screen.on_pointer_button(event);
    EXPECT_FALSE(panel->hint().visible());
    frames(3);
    // The first row wholly in view is the first name beginning with the letter.
    VList& list = panel->list(SearchTab::stars);
    std::vector<Element*> rows;
    list.append_parts(rows);
    int32_t top_index = -1;
    for (Element* each : rows)
        if (each->y() >= list.y() && (top_index < 0 || each->y() < row_at(list, top_index)->y()))
            top_index = dynamic_cast<VListItem*>(each)->index();
    const NameIndex& names = screen.sky()->star_names();
    const auto first_s = std::find_if(names.begin(), names.end(), [](const auto& entry) { return entry.first.front() == u'S'; });
    EXPECT_EQ(top_index, first_s - names.begin());
}

TEST_F(SearchPanelTest, AReloadedSkinKeepsTheTabAndClearsTheSelectionOnOpening)
{
    panel->show_tab(SearchTab::constellations);
    panel->list(SearchTab::stars).set_selection(3);
    panel->clear_selection();
    EXPECT_EQ(panel->list(SearchTab::stars).selection(), -1);

    ASSERT_TRUE(properties.load_skin(APP_FOLDER + u"/skins/bin/default.skin", 96));
    ASSERT_TRUE(screen.load_from_skin(properties, SearchPanelScreen::NODE));
    panel->rebuild(*screen.find_child(u"panel_search"), *dynamic_cast<Stars*>(screen.find_child(u"stars")));
    frames(2);
    EXPECT_EQ(panel->tab(), SearchTab::constellations);
    EXPECT_TRUE(panel->list(SearchTab::constellations).visible());
    EXPECT_EQ(panel->list(SearchTab::constellations).count(),
              static_cast<int32_t>(dynamic_cast<Stars*>(screen.find_child(u"stars"))->constellation_names().size()));
    EXPECT_FALSE(panel->ruler(SearchTab::constellations)->cell_letters().empty());
}

} // namespace stellaro
