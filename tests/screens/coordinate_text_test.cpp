#include "screens/coordinate_text.h"
#include "screens/system_language.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace stellaro {

namespace {

// Minutes and seconds are cut, never rounded up into the next unit; zero takes the minus sign.
TEST(CoordinateText, SkyCoordinatesTruncateTheirSeconds)
{
    EXPECT_EQ(format_right_ascension(5.5), u"5h 30m 00s");
    EXPECT_EQ(format_right_ascension(23.99999), u"23h 59m 59s");
    EXPECT_EQ(format_signed_degrees(-0.5), u"-0\u00B030'00''");
    EXPECT_EQ(format_signed_degrees(0.0), u"-0\u00B000'00''");
    EXPECT_EQ(format_signed_degrees(359.999), u"+359\u00B059'56''");
    EXPECT_EQ(format_signed_degrees(7.4069), u"+7\u00B024'24''");
}

TEST(CoordinateText, PlacesOnEarthNameTheirHemisphere)
{
    EXPECT_EQ(format_latitude(55.75, true), u"N 55 45.0000'");
    EXPECT_EQ(format_latitude(-33.5, false), u"S 33 30'");
    EXPECT_EQ(format_latitude(0.0, false), u"N 0 00'");
    EXPECT_EQ(format_longitude(37.625, true), u"E 37 37.5000'");
    EXPECT_EQ(format_longitude(0.0, false), u"W 0 00'");
    EXPECT_EQ(format_longitude(-122.25, false), u"W 122 15'");
}

// The locale's language in the order the C library reads it: LC_ALL over LC_MESSAGES over LANG.
TEST(SystemLanguage, TheLocaleNamesTheLanguageFile)
{
    EnvironmentGuard all("LC_ALL", std::nullopt);
    EnvironmentGuard messages("LC_MESSAGES", std::nullopt);
    EnvironmentGuard lang("LANG", "de_DE.UTF-8");
    EXPECT_EQ(system_language_name(), u"GERMAN");
    messages.set("ru_RU.UTF-8");
    EXPECT_EQ(system_language_name(), u"RUSSIAN");
    all.set("uk_UA");
    EXPECT_EQ(system_language_name(), u"UKRAINIAN");
    // Set but empty counts as not set.
    all.set("");
    EXPECT_EQ(system_language_name(), u"RUSSIAN");
    for (const char* none : {"C", "POSIX", "C.UTF-8", "xx_YY.UTF-8", "1234"}) {
        messages.set(none);
        EXPECT_EQ(system_language_name(), u"") << none;
    }
    messages.set("nb_NO.UTF-8");
    EXPECT_EQ(system_language_name(), u"NORWEGIAN");
    messages.set("fr@euro");
    EXPECT_EQ(system_language_name(), u"FRENCH");
}

} // namespace

} // namespace stellaro
