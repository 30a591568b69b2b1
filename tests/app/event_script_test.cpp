// Events files that are too large, too long in time or full of junk: refused at once, with a
// short message that quotes the bad line safely.
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace stellaro {

namespace {

class EventScript : public ::testing::Test {
protected:
    ProgramRun render(const std::string& events_path)
    {
        return run_program("render --screen Gallery --size 240x320 --frames 1 --out " + folder.file("x.png") + " --events " +
                           events_path);
    }

    ProgramRun render_script(const std::string& events)
    {
        write_file(folder.file("script.events"), events);
        return render(folder.file("script.events"));
    }

    TemporaryRegistry registry;
    TemporaryFolder folder;
};

bool printable(const std::string& text)
{
    return std::all_of(text.begin(), text.end(), [](unsigned char c) { return c == '\n' || (c >= 0x20 && c != 0x7f); });
}

TEST_F(EventScript, AnEndlessFileIsRefusedAfterItsFirstMebibyte)
{
    const ProgramRun endless = render("/dev/zero");
    EXPECT_EQ(endless.status, 2);
    EXPECT_NE(endless.err.find("larger than 1 MiB"), std::string::npos) << endless.err;

    // A script of exactly the limit is read (and fails on its first line, not on its size).
    const ProgramRun at_limit = render_script(std::string(1024 * 1024, '#'));
    EXPECT_EQ(at_limit.status, 0) << at_limit.err;
}

TEST_F(EventScript, ABadLineIsQuotedShortWithItsControlBytesEscaped)
{
    const std::string junk = "tap \x1b[2J\x01\xff\xc3\xa9" + std::string(100000, 'x');
    const ProgramRun run = render_script("wait 40\n" + junk + "\n");
    EXPECT_EQ(run.status, 2);
    EXPECT_LT(run.err.size(), 400u) << run.err;
    EXPECT_TRUE(printable(run.err)) << run.err;
    EXPECT_NE(run.err.find("line 2"), std::string::npos) << run.err;
    // The first characters, escaped; valid UTF-8 stays as it is.
    EXPECT_NE(run.err.find("'tap \\x1B[2J\\x01\\xFF\u00e9xxx"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("x'..."), std::string::npos) << run.err;

    const ProgramRun binary = render_script(std::string("\x00\x01\x02\x7f\x80\r\x1b", 7) + "\n");
    EXPECT_EQ(binary.status, 2);
    EXPECT_TRUE(printable(binary.err)) << binary.err;
    EXPECT_NE(binary.err.find("'\\x00\\x01\\x02\\x7F\\x80\\x0D\\x1B'"), std::string::npos) << binary.err;
}

TEST_F(EventScript, AScriptLetsAtMostTenMinutesPass)
{
    // Ten minutes in one wait are allowed, and cheap; a minute more on top is refused by its line.
    const ProgramRun ten_minutes = render_script("wait 600000\n");
    EXPECT_EQ(ten_minutes.status, 0) << ten_minutes.err;
    const ProgramRun longer = render_script("wait 300000\nwait 300000\nwait 60000\n");
    EXPECT_EQ(longer.status, 2);
    EXPECT_NE(longer.err.find("line 3"), std::string::npos) << longer.err;
    EXPECT_NE(longer.err.find("10 minutes"), std::string::npos) << longer.err;
    const ProgramRun hour = render_script("wait 3600000\n");
    EXPECT_EQ(hour.status, 2);
    EXPECT_NE(hour.err.find("line 1"), std::string::npos) << hour.err;
}

TEST_F(EventScript, SleepLetsRealTimePassButNotTheProgramsTime)
{
    const ProgramRun after_ten_minutes = render_script("wait 600000\nsleep 20\n");
    EXPECT_EQ(after_ten_minutes.status, 0) << after_ten_minutes.err;
    const ProgramRun too_long = render_script("sleep 60001\n");
    EXPECT_EQ(too_long.status, 2);
    EXPECT_NE(too_long.err.find("sleep MS (0..60000)"), std::string::npos) << too_long.err;
}

} // namespace

} // namespace stellaro
