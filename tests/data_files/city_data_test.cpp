#include "data_files/built_files.h"

#include "document/city_database.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace stellaro {

namespace {

class CityData : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        cities = new std::vector<CityRecord>;
        result = new CityReadResult(read_city_file(built_file("cities.db"), *cities));
    }
    static void TearDownTestSuite()
    {
        delete result;
        delete cities;
    }

    static const CityRecord* find(std::u16string_view name, std::u16string_view country)
    {
        for (const CityRecord& city : *cities)
            if (city.name == name && city.country == country)
                return &city;
        return nullptr;
    }

    static std::vector<CityRecord>* cities;
    static CityReadResult* result;
};

std::vector<CityRecord>* CityData::cities = nullptr;
CityReadResult* CityData::result = nullptr;

TEST_F(CityData, EveryCityIsReadWithAKeyForEachCharacter)
{
    ASSERT_TRUE(result->complete) << result->problem;
    EXPECT_EQ(result->skipped, 0u);
    ASSERT_EQ(cities->size(), 24346u);
    for (const CityRecord& city : *cities) {
        ASSERT_FALSE(city.name.empty());
        ASSERT_EQ(city.key.size(), city.name.size()) << utf16_to_utf8(city.name);
        ASSERT_NE(city.key.find_first_not_of(u' '), std::u16string::npos) << utf16_to_utf8(city.name);
        for (size_t i = 0; i < city.key.size(); ++i) {
            const char16_t k = city.key[i];
            ASSERT_TRUE(k == u' ' || (k >= u'0' && k <= u'9')) << utf16_to_utf8(city.name);
            if (city.name[i] == u' ') {
                ASSERT_EQ(k, u' ') << utf16_to_utf8(city.name);
            }
        }
        ASSERT_EQ(city.country.size(), 2u) << utf16_to_utf8(city.name);
    }
}

TEST_F(CityData, KeysSpellNamesOnTheKeypad)
{
    const CityRecord* new_york = find(u"New York City", u"US");
    ASSERT_NE(new_york, nullptr);
    EXPECT_EQ(new_york->key, u"639 9675 2489");
    const CityRecord* sao_paulo = find(u"São Paulo", u"BR");
    ASSERT_NE(sao_paulo, nullptr);
    EXPECT_EQ(sao_paulo->key, u"726 72856");
    const CityRecord* zurich = find(u"Zürich", u"CH");
    ASSERT_NE(zurich, nullptr);
    EXPECT_EQ(zurich->key, u"987424");
    const CityRecord* lodz = find(u"Łódź", u"PL");
    ASSERT_NE(lodz, nullptr);
    EXPECT_EQ(lodz->key, u"5639");
    // Hyphens and apostrophes separate words that can be typed on their own.
    const CityRecord* aix = find(u"Aix-en-Provence", u"FR");
    ASSERT_NE(aix, nullptr);
    EXPECT_EQ(aix->key, u"249 36 77683623");
    // A Cyrillic name is spelt through its transliteration.
    const CityRecord* zuunmod = find(u"Зуунмод", u"MN");
    ASSERT_NE(zuunmod, nullptr);
    EXPECT_EQ(zuunmod->key, u"9886663");
}

TEST_F(CityData, PositionsKeepTheirPrecision)
{
    const CityRecord* berlin = find(u"Berlin", u"DE");
    ASSERT_NE(berlin, nullptr);
    EXPECT_NEAR(berlin->latitude / 1024.0, 52.52437, 0.001);
    EXPECT_NEAR(berlin->longitude / 1024.0, 13.41053, 0.001);
    const CityRecord* sydney = find(u"Sydney", u"AU");
    ASSERT_NE(sydney, nullptr);
    EXPECT_LT(sydney->latitude, 0);
    EXPECT_GT(sydney->longitude, 150 * 1024);
}

TEST_F(CityData, TheListIsInAlphabeticalOrder)
{
    // Plain ASCII names are enough to see the order; accented ones sort by their base letters.
    std::u16string previous;
    for (const CityRecord& city : *cities) {
        if (std::any_of(city.name.begin(), city.name.end(), [](char16_t c) { return c >= 0x80; }))
            continue;
        const std::u16string lower = to_lower(city.name);
        ASSERT_LE(previous, lower) << utf16_to_utf8(city.name);
        previous = lower;
    }
    // Of two cities with one name the larger comes first.
    const auto paris = std::find_if(cities->begin(), cities->end(), [](const CityRecord& c) { return c.name == u"Paris"; });
    ASSERT_NE(paris, cities->end());
    EXPECT_EQ(paris->country, u"FR");
}

} // namespace

} // namespace stellaro
