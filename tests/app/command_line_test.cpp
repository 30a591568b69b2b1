#include "app/command_line.h"

#include <gtest/gtest.h>

namespace stellaro {

namespace {

TEST(CommandLine, MomentForms)
{
    MomentArgument m = parse_moment("--time", "2026-12-24T21:00+01:00");
    EXPECT_EQ(m.year, 2026);
    EXPECT_EQ(m.month, 12);
    EXPECT_EQ(m.day, 24);
    EXPECT_EQ(m.hour, 21);
    EXPECT_EQ(m.minute, 0);
    EXPECT_EQ(m.bias_minutes, -60);

    m = parse_moment("--time", "1987-04-10T19:21:05.25Z");
    EXPECT_DOUBLE_EQ(m.second, 5.25);
    EXPECT_EQ(m.bias_minutes, 0);

    m = parse_moment("--time", "2000-02-29T00:00-09:30");
    EXPECT_EQ(m.bias_minutes, 570);
    EXPECT_FALSE(parse_moment("--time", "2000-01-01T00:00").bias_minutes);
}

TEST(CommandLine, MalformedMomentsAreRefused)
{
    for (const char* text : {"", "2026-12-24", "2026-12-24 21:00", "2026-12-24T21", "2026-12-24T21:00:", "2026-12-24T21:00:5",
                             "2026-12-24T21:00.5", "2026-12-24T21:00+1", "2026-12-24T21:00+01:00x", "2026-12-32T00:00",
                             "2026-00-10T00:00", "2026-02-29T00:00", "2026-01-01T24:00", "2026-01-01T00:60", "2026-01-01T00:00:60",
                             "2026-01-01T00:00*01:00", "2026-01-01T00:00+15:00"})
        EXPECT_THROW(parse_moment("--time", text), UsageError) << text;
}

TEST(CommandLine, OptionsAreTakenOnce)
{
    OptionList options({"--lat", "10", "--csv", "--star=1", "--star", "2"});
    EXPECT_TRUE(options.flag("--csv"));
    EXPECT_FALSE(options.flag("--fast"));
    EXPECT_EQ(options.values("--star"), (std::vector<std::string> {"1", "2"}));
    EXPECT_EQ(options.value("--lat"), "10");
    EXPECT_NO_THROW(options.finish());

    OptionList twice({"--lat", "1", "--lat", "2"});
    EXPECT_THROW(twice.value("--lat"), UsageError);
    OptionList dangling({"--lat"});
    EXPECT_THROW(dangling.value("--lat"), UsageError);
    OptionList left({"--what"});
    EXPECT_THROW(left.finish(), UsageError);
    EXPECT_THROW(parse_number_in("--lat", "95", -90, 90), UsageError);
    EXPECT_THROW(parse_number("--lat", "1e999"), UsageError);
    EXPECT_THROW(parse_number("--lat", "nan"), UsageError);
    EXPECT_EQ(parse_integer_in("--frames", "12", 1, 100), 12);
    EXPECT_THROW(parse_integer_in("--frames", "1.5", 1, 100), UsageError);
}

} // namespace

} // namespace stellaro
