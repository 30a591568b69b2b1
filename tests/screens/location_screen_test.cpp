// The location screen driven through its listeners as its buttons and map drive it.
#include "document/document.h"
#include "platform/utf.h"
#include "screens/location_screen.h"
#include "skin/elements/element_factory.h"
#include "skin/kinds/toolkit_kinds.h"
#include "skin/props/properties.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <memory>

namespace stellaro {

namespace {

const std::u16string APP_FOLDER = utf8_to_utf16(STELLARO_APP_DIR);

class LocationScreenTest : public ::testing::Test {
protected:
    LocationScreenTest()
    {
        properties.load_language_file(APP_FOLDER + u"/english.lng");
        EXPECT_TRUE(properties.load_skin(APP_FOLDER + u"/skins/bin/default.skin", 96));
        document = std::make_unique<Document>(APP_FOLDER + u"/cities.db");
        document->set_persistent(false);
        auto made = std::make_unique<LocationScreen>(properties, *document, home, APP_FOLDER + u"/map.zip");
        screen = made.get();
        home = std::move(made);
        screen->set_horizontal(0, 480);
        screen->set_vertical(0, 800);
        settle();
    }

    // Lays the screen out and lets the map's animations end.
    void settle()
    {
        for (int frame = 0; frame < 100; ++frame) {
            screen->arrange_x();
            screen->arrange_y();
            screen->update(0.05);
        }
    }
    Button& button(std::u16string_view name) const { return *dynamic_cast<Button*>(screen->find_child(name)); }
    void drag_target(int32_t dx, int32_t dy)
    {
        ButtonDrag drag{0, 0, dx, dy};
        screen->on_drag(button(u"btn_target"), drag);
    }
    void release_target() { screen->on_press_changed(button(u"btn_target"), Point{}, false); }
    std::u16string text_of(std::u16string_view parent) const
    {
        ElementState state;
        screen->find_child(parent)->find_child(u"#text")->describe(state);
        return state.text.value_or(u"");
    }

    TemporaryRegistry registry;
    std::vector<std::unique_ptr<NodeRegistration>> kinds = register_toolkit_kinds();
    Properties properties;
    std::unique_ptr<Document> document;
    std::unique_ptr<Element> home;
    LocationScreen* screen = nullptr;
};

} // namespace

TEST_F(LocationScreenTest, TheTargetMarkerSitsOnThePlaceWhereverTheMapIsCentred)
{
    document->set_location(2.35, 48.85);
    screen->map().set_zoom(4.0);
    screen->map().set_center(map_x_of_longitude(10.0), map_y_of_latitude(40.0));
    settle();
    const Element& tip = *screen->find_child(u"btn_target")->find_child(u"tip");
    double x = 0.0;
    double y = 0.0;
    screen->map().screen_to_picture({tip.x(), tip.y()}, x, y);
    EXPECT_NEAR(longitude_of_map_x(x), 2.35, 0.1);
    EXPECT_NEAR(latitude_of_map_y(y), 48.85, 0.1);
}

TEST_F(LocationScreenTest, DraggingTheTargetShowsTheNearestCityAndTheReleaseMovesThePlace)
{
    document->set_location(2.35, 48.85);
    screen->map().set_zoom(4.0);
    settle();
    // At level 4 one pixel is 360 / 4096 degrees: 57 pixels east is about 5 degrees.
    drag_target(57, 0);
    EXPECT_TRUE(screen->find_child(u"target_arrow")->visible());
    ASSERT_GE(screen->shown_city(), 0);
    const std::u16string nearest = document->cities[static_cast<size_t>(screen->shown_city())].name;
    EXPECT_EQ(text_of(u"target_arrow"), nearest);
    EXPECT_EQ(text_of(u"city"), nearest);
    EXPECT_NEAR(screen->shown_longitude(), 2.35 + 57 * 0.087890625, 1e-9);
    release_target();
    EXPECT_FALSE(screen->find_child(u"target_arrow")->visible());
    EXPECT_NEAR(document->longitude, 2.35 + 57 * 0.087890625, 1e-9);
    EXPECT_DOUBLE_EQ(document->latitude, 48.85);
}

TEST_F(LocationScreenTest, ADragOffTheMapIsClampedAndOpenSeaHasNoCity)
{
    document->set_location(100.0, 10.0);
    screen->map().set_zoom(0.0);
    settle();
    // At level 0 the map is 256 pixels wide: 256 pixels are 360 degrees.
    drag_target(256, -256);
    release_target();
    EXPECT_DOUBLE_EQ(document->longitude, 180.0);
    EXPECT_DOUBLE_EQ(document->latitude, 90.0);

    document->set_location(-140.0, -40.0);
    screen->refresh();
    EXPECT_EQ(screen->shown_city(), -1);
    EXPECT_EQ(text_of(u"city"), properties.translate(u"SelectCity"));
}

TEST_F(LocationScreenTest, TheZoomButtonsShowOnlyWhereTheyCanZoom)
{
    for (int press = 0; press < 6; ++press) {
        screen->on_click(button(u"minus"), Point{});
        settle();
    }
    EXPECT_EQ(screen->map().zoom(), 0.0);
    EXPECT_FALSE(button(u"minus").visible());
    EXPECT_TRUE(button(u"plus").visible());
    for (int press = 0; press < 6; ++press) {
        screen->on_click(button(u"plus"), Point{});
        settle();
    }
    EXPECT_EQ(screen->map().zoom(), 4.0);
    EXPECT_FALSE(button(u"plus").visible());
    EXPECT_TRUE(button(u"minus").visible());
}

TEST_F(LocationScreenTest, APlaceChosenElsewhereMovesTheDocumentAndTheMap)
{
    screen->place_chosen(30.5, 50.45);
    settle();
    EXPECT_DOUBLE_EQ(document->longitude, 30.5);
    EXPECT_DOUBLE_EQ(document->latitude, 50.45);
    EXPECT_NEAR(screen->map().center_x(), map_x_of_longitude(30.5), 1.0);
    EXPECT_NEAR(screen->map().center_y(), map_y_of_latitude(50.45), 1.0);
    ASSERT_FALSE(document->cities.empty());
    screen->city_chosen(0);
    settle();
    EXPECT_EQ(document->city_index, 0);
    EXPECT_NEAR(screen->map().center_x(), map_x_of_longitude(document->cities[0].longitude / 1024.0), 1.0);
}

} // namespace stellaro
