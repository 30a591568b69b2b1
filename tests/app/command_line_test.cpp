#include "app/command_line.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <tuple>

namespace stellaro {

namespace {

TEST(CommandLine, MomentForms)
{
    const struct {
        const char* text;
        int year, month, day, hour, minute;
        double second;
        std::optional<int> bias;
    } cases[] = {
        {"2026-12-24T21:00+01:00", 2026, 12, 24, 21, 0, 0.0, -60},
        {"1987-04-10T19:21:05.25Z", 1987, 4, 10, 19, 21, 5.25, 0},
        {"2000-02-29T00:00-09:30", 2000, 2, 29, 0, 0, 0.0, 570},
        {"2000-01-01T00:00", 2000, 1, 1, 0, 0, 0.0, std::nullopt},
        // Astronomical years, Julian before the switch: 1500 and year 0 (1 BC) were leap years.
        {"-0044-03-15T12:00Z", -44, 3, 15, 12, 0, 0.0, 0},
        {"0000-02-29T00:00Z", 0, 2, 29, 0, 0, 0.0, 0},
        {"1500-02-29T00:00Z", 1500, 2, 29, 0, 0, 0.0, 0},
        {"1582-10-04T23:59Z", 1582, 10, 4, 23, 59, 0.0, 0},
    };
    for (const auto& c : cases) {
        const MomentArgument m = parse_moment("--time", c.text);
        EXPECT_EQ(std::make_tuple(m.year, m.month, m.day, m.hour, m.minute), std::make_tuple(c.year, c.month, c.day, c.hour, c.minute))
            << c.text;
        EXPECT_DOUBLE_EQ(m.second, c.second) << c.text;
        EXPECT_EQ(m.bias_minutes, c.bias) << c.text;
    }
}

TEST(CommandLine, MalformedMomentsAreRefused)
{
    for (const char* text : {"", "2026-12-24", "2026-12-24 21:00", "2026-12-24T21", "2026-12-24T21:00:", "2026-12-24T21:00:5",
                             "2026-12-24T21:00.5", "2026-12-24T21:00+1", "2026-12-24T21:00+01:00x", "2026-12-32T00:00",
                             "2026-00-10T00:00", "2026-02-29T00:00", "2026-01-01T24:00", "2026-01-01T00:60", "2026-01-01T00:00:60",
                             "2026-01-01T00:00*01:00", "2026-01-01T00:00+15:00", "1700-02-29T00:00", "--044-03-15T00:00",
                             "-44-03-15T00:00"})
        EXPECT_THROW(parse_moment("--time", text), UsageError) << text;
    // The ten days the Gregorian calendar left out are refused with a message that says why.
    for (const char* text : {"1582-10-05T00:00Z", "1582-10-10T12:00Z", "1582-10-14T23:59Z"}) {
        try {
            parse_moment("--time", text);
            ADD_FAILURE() << text;
        } catch (const UsageError& error) {
            EXPECT_NE(std::string(error.what()).find("never existed"), std::string::npos) << error.what();
        }
    }
}

TEST(CommandLine, OptionsAreTakenOnceAndNumbersOutOfRangeAreRefused)
{
    OptionList options({"--lat", "10", "--csv", "--star=1", "--star", "2"});
    EXPECT_TRUE(options.flag("--csv"));
    EXPECT_EQ(options.values("--star"), (std::vector<std::string> {"1", "2"}));
    EXPECT_EQ(options.value("--lat"), "10");
    EXPECT_NO_THROW(options.finish());
    EXPECT_EQ(parse_integer_in("--frames", "12", 1, 100), 12);
    const std::function<void()> refused[] = {
        [] { OptionList({"--lat", "1", "--lat", "2"}).value("--lat"); },
        [] { OptionList({"--lat"}).value("--lat"); },
        [] { OptionList({"--what"}).finish(); },
        [] { parse_number_in("--lat", "95", -90, 90); },
        [] { parse_number("--lat", "1e999"); },
        [] { parse_number("--lat", "nan"); },
        [] { parse_integer_in("--frames", "1.5", 1, 100); },
    };
    for (size_t i = 0; i < std::size(refused); ++i)
        EXPECT_THROW(refused[i](), UsageError) << "case " << i;
}

TEST(CommandLine, ARepeatedFlagIsRefusedAsRepeated)
{
    OptionList options({"--night", "--csv", "--night"});
    try {
        options.flag("--night");
        ADD_FAILURE() << "a repeated flag was taken";
    } catch (const UsageError& error) {
        EXPECT_STREQ(error.what(), "--night is given more than once");
    }
}

} // namespace

} // namespace stellaro
