#include "data_files/built_files.h"

#include "skin/props/language_table.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <map>

namespace stellaro {

namespace {

TEST(LanguageData, EveryLanguageNamesStarsConstellationsBodiesCountriesAndTextsInItsOwnWords)
{
    // A few texts per language; Polish translates few star names, the others keep their English one.
    const std::map<std::string, std::vector<std::pair<std::u16string, std::u16string>>> samples = {
        {"english", {{u"2491", u"Sirius"}, {u"Ori", u"Orion"}, {u"iso3166_DE", u"Germany"}}},
        {"german", {{u"CMa", u"Großer Hund"}, {u"Moon", u"Mond"}, {u"iso3166_DE", u"Deutschland"}, {u"MonthDec", u"Dez"}, {u"MonthOct", u"Okt"}, {u"Oct", u"Oktant"}}},
        {"russian", {{u"2491", u"Сириус"}, {u"Sun", u"Солнце"}, {u"MonthDec", u"дек"}, {u"Declination", u"Склонение"}}},
        {"french", {}}, {"spanish", {}}, {"italian", {}}, {"ukrainian", {}},
        {"polish", {{u"2061", u"Betelgeza"}, {u"1017", u"Mirfak"}, {u"Moon", u"Księżyc"}}}};
    for (const auto& [language, texts] : samples) {
        SCOPED_TRACE(language);
        const std::string file = built_file(language + ".lng");
        EXPECT_EQ(read_file(file).substr(0, 2), "\xFF\xFE"); // UTF-16 with the byte-order mark
        LanguageTable table;
        ASSERT_TRUE(table.load_language_file(utf8_to_utf16(file)));
        for (const char16_t* key : {u"2491", u"424", u"Ori", u"Sun", u"Mercury", u"Venus", u"Moon", u"Mars", u"Jupiter",
                                    u"Saturn", u"Uranus", u"Neptune", u"MainMenu", u"About", u"Language", u"NightMode",
                                    u"Minimize", u"Exit", u"ReallyExit", u"Cancel", u"NoSkins", u"SelectCity",
                                    u"GPS_HELP_NO_GPS", u"GPS_HELP_NO_POSITION", u"GPS_HELP_POSITION", u"iso3166_DE",
                                    u"iso3166_XK"})
            EXPECT_NE(table.translate_or(key, u""), u"") << utf16_to_utf8(key);
        // Only the star names the IAU approved: they are also the labels of the sky.
        EXPECT_EQ(table.translate_or(u"1544", u""), u""); // "Al Taj I"
        // 88 constellations, the 332 approved star names, 250 countries and the texts.
        EXPECT_GE(table.size(), 88u + 332u + 250u + 40u);
        for (const auto& [key, text] : texts)
            EXPECT_EQ(table.translate(key), text) << utf16_to_utf8(key);
    }
}

TEST(LanguageData, MonthAbbreviationsStayShortEnoughForTheirDrum)
{
    // A month key shared with a longer text (a constellation's abbreviation, a coordinate caption) would
    // be cut on the drum.
    for (const char* language : {"english", "french", "german", "italian", "polish", "russian", "spanish", "ukrainian"}) {
        SCOPED_TRACE(language);
        LanguageTable table;
        ASSERT_TRUE(table.load_language_file(utf8_to_utf16(built_file(std::string(language) + ".lng"))));
        for (const char16_t* month : {u"MonthJan", u"MonthFeb", u"MonthMar", u"MonthApr", u"MonthMay", u"MonthJun",
                                      u"MonthJul", u"MonthAug", u"MonthSep", u"MonthOct", u"MonthNov", u"MonthDec"})
            EXPECT_LE(table.translate(month).size(), 5u) << utf16_to_utf8(month);
        EXPECT_GT(table.translate(u"Declination").size(), 5u);
    }
}

} // namespace

} // namespace stellaro
