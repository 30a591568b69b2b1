#include "data_files/built_files.h"

#include "document/city_database.h"
#include "platform/local_time.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace stellaro {

namespace {

TEST(CityData, EveryCityIsReadInOrderWithItsPositionAndAKeypadKeyForEachCharacter)
{
    std::vector<CityRecord> cities;
    const CityReadResult result = read_city_file(built_file("cities.db"), cities);
    ASSERT_TRUE(result.sound()) << result.problem;
    ASSERT_EQ(cities.size(), 24346u);
    // Plain ASCII names are enough to see the order; accented ones sort by their base letters.
    std::u16string previous;
    for (const CityRecord& city : cities) {
        ASSERT_EQ(city.key.size(), city.name.size()) << utf16_to_utf8(city.name);
        ASSERT_NE(city.key.find_first_not_of(u' '), std::u16string::npos) << utf16_to_utf8(city.name);
        for (size_t i = 0; i < city.key.size(); ++i) {
            const char16_t k = city.key[i];
            ASSERT_TRUE(city.name[i] == u' ' ? k == u' ' : k == u' ' || (k >= u'0' && k <= u'9')) << utf16_to_utf8(city.name);
        }
        ASSERT_EQ(city.country.size(), 2u) << utf16_to_utf8(city.name);
        if (std::none_of(city.name.begin(), city.name.end(), [](char16_t c) { return c >= 0x80; })) {
            ASSERT_LE(previous, to_lower(city.name)) << utf16_to_utf8(city.name);
            previous = to_lower(city.name);
        }
    }
    const auto find = [&](std::u16string_view name, std::u16string_view country) -> const CityRecord* {
        const auto found = std::find_if(cities.begin(), cities.end(), [&](const CityRecord& c) { return c.name == name && c.country == country; });
        return found == cities.end() ? nullptr : &*found;
    };

    // Hyphens and apostrophes separate words that can be typed on their own; a Cyrillic name is
    // spelt through its transliteration.
    const std::u16string_view keys[][3] = {
        {u"New York City", u"US", u"639 9675 2489"}, {u"São Paulo", u"BR", u"726 72856"}, {u"Zürich", u"CH", u"987424"},
        {u"Łódź", u"PL", u"5639"}, {u"Aix-en-Provence", u"FR", u"249 36 77683623"}, {u"Зуунмод", u"MN", u"9886663"}};
    for (const auto& [name, country, key] : keys) {
        const CityRecord* city = find(name, country);
        ASSERT_NE(city, nullptr) << utf16_to_utf8(name);
        EXPECT_EQ(city->key, key);
    }
    const CityRecord* berlin = find(u"Berlin", u"DE");
    const CityRecord* sydney = find(u"Sydney", u"AU");
    ASSERT_TRUE(berlin && sydney);
    EXPECT_NEAR(berlin->latitude / 1024.0, 52.52437, 0.001);
    EXPECT_NEAR(berlin->longitude / 1024.0, 13.41053, 0.001);
    EXPECT_LT(sydney->latitude, 0);
    EXPECT_GT(sydney->longitude, 150 * 1024);
    // Of two cities with one name the larger comes first.
    const auto paris = std::find_if(cities.begin(), cities.end(), [](const CityRecord& c) { return c.name == u"Paris"; });
    ASSERT_NE(paris, cities.end());
    EXPECT_EQ(paris->country, u"FR");
}

TEST(CityData, EveryCityHasAZoneOfItsCountryThatTheSystemKnows)
{
    std::vector<CityRecord> cities;
    ASSERT_TRUE(read_city_file(built_file("cities.db"), cities).sound());
    std::vector<std::string> checked;
    for (const CityRecord& city : cities) {
        if (std::find(checked.begin(), checked.end(), city.zone) != checked.end())
            continue;
        ASSERT_TRUE(zone_available(city.zone)) << utf16_to_utf8(city.name) << ": " << city.zone;
        checked.push_back(city.zone);
    }
    // The nearest reference point of the city's own country, not of a neighbour across a border.
    const struct {
        std::u16string_view name, country;
        const char* zone;
    } expected[] = {{u"Moscow", u"RU", "Europe/Moscow"},    {u"Vladivostok", u"RU", "Asia/Vladivostok"},
                    {u"Chicago", u"US", "America/Chicago"}, {u"Strasbourg", u"FR", "Europe/Paris"},
                    {u"Kathmandu", u"NP", "Asia/Kathmandu"}, {u"Perth", u"AU", "Australia/Perth"}};
    for (const auto& city : expected) {
        const auto found = std::find_if(cities.begin(), cities.end(),
                                        [&](const CityRecord& c) { return c.name == city.name && c.country == city.country; });
        ASSERT_NE(found, cities.end()) << utf16_to_utf8(city.name);
        EXPECT_EQ(found->zone, city.zone) << utf16_to_utf8(city.name);
    }
}

} // namespace

} // namespace stellaro
