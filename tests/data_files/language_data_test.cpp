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
    LanguageTable english;
    LanguageTable german;
    LanguageTable russian;
    LanguageTable polish;
    ASSERT_TRUE(english.load_language_file(built_path("english.lng")));
    ASSERT_TRUE(german.load_language_file(built_path("german.lng")));
    ASSERT_TRUE(russian.load_language_file(built_path("russian.lng")));
    ASSERT_TRUE(polish.load_language_file(built_path("polish.lng")));
    EXPECT_EQ(english.translate(u"2491"), u"Sirius");
    EXPECT_EQ(english.translate(u"Ori"), u"Orion");
    EXPECT_EQ(english.translate(u"iso3166_DE"), u"Germany");
    EXPECT_EQ(german.translate(u"CMa"), u"Großer Hund");
    EXPECT_EQ(german.translate(u"Moon"), u"Mond");
    EXPECT_EQ(german.translate(u"iso3166_DE"), u"Deutschland");
    EXPECT_EQ(russian.translate(u"2491"), u"Сириус");
    EXPECT_EQ(russian.translate(u"Sun"), u"Солнце");
    // Polish translates few star names: the others keep their English name.
    EXPECT_EQ(polish.translate(u"2061"), u"Betelgeza");
    EXPECT_EQ(polish.translate(u"1017"), u"Mirfak");
    EXPECT_EQ(polish.translate(u"Moon"), u"Księżyc");
}

} // namespace

} // namespace stellaro
