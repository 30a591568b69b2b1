// The city list: the keypad filter over the cities, and the screen of the default skin choosing
// a city from the data files.
#include "document/document.h"
#include "platform/utf.h"
#include "screens/city_filter.h"
#include "screens/city_list_screen.h"
#include "skin/kinds/old_text.h"
#include "skin/kinds/toolkit_kinds.h"
#include "skin/kinds/vlist.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace stellaro {

namespace {

CityRecord named(const std::u16string& name, const std::u16string& key)
{
    CityRecord city;
    city.name = name;
    city.key = key;
    city.country = u"XX";
    return city;
}

TEST(CityFilter, NewYorkMatchesAtItsSecondWordOrAcrossTheSpace)
{
    const CityMatch second_word = match_city(u"639 9675", u"9");
    ASSERT_TRUE(second_word.matched);
    EXPECT_EQ(second_word.begin, 4u); // "Y"
    EXPECT_EQ(second_word.end, 5u);
    EXPECT_EQ(second_word.next_digit, u'6');

    const CityMatch across = match_city(u"639 9675", u"6399");
    ASSERT_TRUE(across.matched);
    EXPECT_EQ(across.begin, 0u); // "New Y"
    EXPECT_EQ(across.end, 5u);
    EXPECT_EQ(across.next_digit, u'6');

    // The span takes in the spaces after it; a whole word typed points at the next one.
    const CityMatch word = match_city(u"639 9675", u"639");
    EXPECT_EQ(word.end, 4u);
    EXPECT_EQ(word.next_digit, u'9');

    EXPECT_FALSE(match_city(u"639 9675", u"67").matched);
    EXPECT_FALSE(match_city(u"", u"").matched);
    const CityMatch to_the_end = match_city(u"639 9675", u"9675");
    EXPECT_EQ(to_the_end.end, 8u);
    EXPECT_EQ(to_the_end.next_digit, 0);
}

TEST(CityFilter, AnEmptyFilterListsEveryCityAndEnablesTheirFirstDigits)
{
    const std::vector<CityRecord> cities = {named(u"New York", u"639 9675"), named(u"Oslo", u"6756"),
                                            named(u"Tokyo", u"86596"), named(u"Kyiv", u"5948")};
    CityFilterResult result;
    filter_cities(cities, u"", 2, result);
    EXPECT_EQ(result.matches, (std::vector<int32_t>{0, 1, 2, 3}));
    EXPECT_EQ(result.current_position, 2);
    const std::array<bool, 10> firsts = {false, false, false, false, false, true, true, false, true, false};
    EXPECT_EQ(result.next_digits, firsts);

    // Only digits that continue some match stay enabled; the current city not matching is -1.
    filter_cities(cities, u"6", 2, result);
    EXPECT_EQ(result.matches, (std::vector<int32_t>{0, 1}));
    EXPECT_EQ(result.current_position, -1);
    const std::array<bool, 10> next = {false, false, false, true, false, false, false, true, false, false};
    EXPECT_EQ(result.next_digits, next);
}

const std::u16string APP_FOLDER = utf8_to_utf16(STELLARO_APP_DIR);

class CityListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        properties.load_language_file(APP_FOLDER + u"/english.lng");
        ASSERT_TRUE(properties.load_skin(APP_FOLDER + u"/skins/bin/default.skin", 96));
        ASSERT_GT(document.cities.size(), 20000u);
        document.set_persistent(true);
    }

    void frame(Element& screen)
    {
        screen.update(0.04);
        screen.set_horizontal(0, 480);
        screen.set_vertical(0, 800);
        screen.draw(surface, {0, 0});
    }

    // The index of the Moscow of Russia among the cities.
    int32_t moscow() const
    {
        for (size_t i = 0; i < document.cities.size(); ++i)
            if (document.cities[i].name == u"Moscow" && document.cities[i].country == u"RU")
                return static_cast<int32_t>(i);
        return -1;
    }

    TemporaryRegistry registry;
    EnvironmentGuard zone{"TZ", "UTC"};
    Document document{APP_FOLDER + u"/cities.db"};
    std::vector<std::unique_ptr<NodeRegistration>> kinds = register_toolkit_kinds();
    Properties properties;
    RenderSurface surface{Size{480, 800}};
};

TEST_F(CityListTest, TypingMosFindsMoscowAndChoosingItMovesThePlaceIntoMoscowTime)
{
    document.set_location(0.0, 51.5);
    CityListScreen cities(properties, document);
    cities.open();
    Element& screen = cities.screen();
    frame(screen);
    auto* list = dynamic_cast<VList*>(screen.find_child(u"cities"));
    ASSERT_NE(list, nullptr);
    // The current city is selected and in view.
    EXPECT_EQ(list->selection(), cities.result().current_position);
    EXPECT_EQ(list->first_index(), cities.result().current_position);

    // Keyboard letters type their digits; a digit no city continues with is refused.
    EXPECT_TRUE(screen.on_text(u"mos"));
    EXPECT_EQ(cities.filter(), u"667");
    EXPECT_FALSE(cities.type_digit(u'1'));
    EXPECT_EQ(cities.filter(), u"667");
    for (const int32_t index : cities.result().matches)
        EXPECT_TRUE(match_city(document.cities[static_cast<size_t>(index)].key, u"667").matched);
    auto* del = dynamic_cast<Button*>(screen.find_child(u"del"));
    ASSERT_NE(del, nullptr);
    EXPECT_TRUE(del->enabled());
    // A digit key is enabled exactly when some listed city continues with it.
    for (char16_t digit = u'2'; digit <= u'9'; ++digit) {
        auto* key = dynamic_cast<Button*>(screen.find_child(std::u16string(1, digit)));
        ASSERT_NE(key, nullptr);
        EXPECT_EQ(key->enabled(), cities.result().next_digits[digit - u'0']) << static_cast<char>(digit);
    }
    EXPECT_TRUE(screen.on_text(u"cow"));
    EXPECT_EQ(cities.filter(), u"667269");
    EXPECT_FALSE(dynamic_cast<Button*>(screen.find_child(u"9"))->enabled()) << "no city goes on from Moscow with a 9";
    screen.on_key({KEY_BACKSPACE, true, true});
    screen.on_key({KEY_BACKSPACE, true, true});
    screen.on_key({KEY_BACKSPACE, true, true});
    EXPECT_EQ(cities.filter(), u"667");

    // Backspace takes a digit back, as "del" does.
    screen.on_key({KEY_BACKSPACE, true, true});
    EXPECT_EQ(cities.filter(), u"66");
    screen.on_text(u"7");

    // The row of Moscow shows "Mos" in the highlight colour.
    const auto row = std::find(cities.result().matches.begin(), cities.result().matches.end(), moscow());
    ASSERT_NE(row, cities.result().matches.end());
    const auto position = static_cast<int32_t>(row - cities.result().matches.begin());
    list->scroll_to(position);
    frame(screen);
    VListItem* item = list->item_at_index(position);
    ASSERT_NE(item, nullptr);
    auto* big = dynamic_cast<OldText*>(item->find_child(u"big"));
    ASSERT_NE(big, nullptr);
    EXPECT_EQ(big->text(), u"Moscow");

    cities.item_clicked(*list, position);
    EXPECT_EQ(document.city_index, moscow());
    EXPECT_NEAR(document.latitude, 55.75, 0.05);
    EXPECT_NEAR(document.longitude, 37.62, 0.05);
    EXPECT_EQ(document.zone_name(), "Europe/Moscow");
    EXPECT_EQ(document.zone_bias_minutes(), -180);

    // Opened again, the filter is empty and Moscow is the selected row.
    cities.open();
    EXPECT_EQ(cities.filter(), u"");
    EXPECT_EQ(cities.result().matches[static_cast<size_t>(cities.result().current_position)], moscow());
}

} // namespace

} // namespace stellaro
