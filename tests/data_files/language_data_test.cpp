#include "data_files/built_files.h"

#include "skin/props/language_table.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace stellaro {

namespace {

constexpr const char* LANGUAGES[] = {"english", "german", "french", "spanish", "russian", "italian", "ukrainian", "polish"};

TEST(LanguageData, EveryLanguageNamesStarsConstellationsBodiesAndCountries)
{
    for (const char* language : LANGUAGES) {
        SCOPED_TRACE(language);
        const std::string file = built_file(std::string(language) + ".lng");
        const std::string bytes = read_file(file);
        ASSERT_GE(bytes.size(), 2u);
        EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE"); // UTF-16 with the byte-order mark
        LanguageTable table;
        ASSERT_TRUE(table.load_language_file(utf8_to_utf16(file)));
        EXPECT_NE(table.translate_or(u"2491", u""), u"");    // Sirius
        EXPECT_NE(table.translate_or(u"Ori", u""), u"");     // Orion
        EXPECT_NE(table.translate_or(u"424", u""), u"");     // Polaris
        for (const char16_t* body : {u"Sun", u"Mercury", u"Venus", u"Moon", u"Mars", u"Jupiter", u"Saturn", u"Uranus", u"Neptune"})
            EXPECT_NE(table.translate_or(body, u""), u"") << utf16_to_utf8(body);
        for (const char16_t* key : {u"MainMenu", u"About", u"Language", u"NightMode", u"Minimize", u"Exit", u"ReallyExit",
                                    u"Cancel", u"NoSkins", u"SelectCity", u"GPS_HELP_NO_GPS", u"GPS_HELP_NO_POSITION",
                                    u"GPS_HELP_POSITION"})
            EXPECT_NE(table.translate_or(key, u""), u"") << utf16_to_utf8(key);
        EXPECT_NE(table.translate_or(u"iso3166_DE", u""), u"");
        EXPECT_NE(table.translate_or(u"iso3166_XK", u""), u"");
        // Only the star names the IAU approved: they are also the labels of the sky.
        EXPECT_EQ(table.translate_or(u"1544", u""), u""); // "Al Taj I"
        // 88 constellations, the 332 approved star names, 250 countries and the texts.
        EXPECT_GE(table.size(), 88u + 332u + 250u + 40u);
    }
}

TEST(LanguageData, TextsAreInTheirLanguage)
{
    // Polish translates few star names: the others keep their English name.
    struct Case {
        const char* language;
        std::u16string_view key, text;
    };
    for (const Case& c : {Case{"english", u"2491", u"Sirius"}, Case{"english", u"Ori", u"Orion"},
                          Case{"english", u"iso3166_DE", u"Germany"}, Case{"german", u"CMa", u"Großer Hund"},
                          Case{"german", u"Moon", u"Mond"}, Case{"german", u"iso3166_DE", u"Deutschland"},
                          Case{"russian", u"2491", u"Сириус"}, Case{"russian", u"Sun", u"Солнце"},
                          Case{"polish", u"2061", u"Betelgeza"}, Case{"polish", u"1017", u"Mirfak"},
                          Case{"polish", u"Moon", u"Księżyc"}}) {
        LanguageTable table;
        ASSERT_TRUE(table.load_language_file(built_path(std::string(c.language) + ".lng"))) << c.language;
        EXPECT_EQ(table.translate(c.key), c.text) << c.language << " " << utf16_to_utf8(c.key);
    }
}

} // namespace

} // namespace stellaro
