#include "screens/coordinate_text.h"

#include <cmath>
#include <cstdint>

namespace stellaro {

namespace {

std::u16string number(int64_t value)
{
    std::u16string text;
    const std::string digits = std::to_string(value);
    text.assign(digits.begin(), digits.end());
    return text;
}

std::u16string two_digits(int64_t value)
{
    return {static_cast<char16_t>(u'0' + value / 10 % 10), static_cast<char16_t>(u'0' + value % 10)};
}

// Whole units, then the whole sixtieths and the whole sixtieths of those.
struct Sexagesimal {
    int64_t whole, minutes, seconds;
};

Sexagesimal sexagesimal(double value)
{
    const double whole = std::trunc(value);
    const double minutes = (value - whole) * 60.0;
    const double minute = std::trunc(minutes);
    return {static_cast<int64_t>(whole), static_cast<int64_t>(minute), static_cast<int64_t>(std::trunc((minutes - minute) * 60.0))};
}

std::u16string geographic(std::u16string text, double degrees, bool with_fraction)
{
    const double value = std::fabs(degrees);
    const double whole = std::trunc(value);
    const double minutes = (value - whole) * 60.0;
    const auto minute = static_cast<int64_t>(std::trunc(minutes));
    text += number(static_cast<int64_t>(whole)) + u" " + two_digits(minute);
    if (with_fraction) {
        text += u'.';
        double fraction = minutes - std::trunc(minutes);
        for (int i = 0; i < 4; ++i) {
            const double digit = std::trunc(fraction * 10.0);
            text += static_cast<char16_t>(u'0' + static_cast<int>(digit));
            fraction = fraction * 10.0 - digit;
        }
    }
    return text + u"'";
}

} // namespace

std::u16string format_right_ascension(double hours)
{
    const Sexagesimal s = sexagesimal(hours);
    return number(s.whole) + u"h " + two_digits(s.minutes) + u"m " + two_digits(s.seconds) + u"s";
}

std::u16string format_signed_degrees(double degrees)
{
    const bool positive = degrees > 0.0;
    const Sexagesimal s = sexagesimal(positive ? degrees : -degrees);
    return std::u16string(positive ? u"+" : u"-") + number(s.whole) + u"\u00B0" + two_digits(s.minutes) + u"'" +
           two_digits(s.seconds) + u"''";
}

std::u16string format_latitude(double degrees, bool with_fraction)
{
    return geographic(degrees >= 0.0 ? u"N " : u"S ", degrees, with_fraction);
}

std::u16string format_longitude(double degrees, bool with_fraction)
{
    return geographic(degrees > 0.0 ? u"E " : u"W ", degrees, with_fraction);
}

} // namespace stellaro
