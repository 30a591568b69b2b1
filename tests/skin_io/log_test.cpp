#include "skin/io/log.h"
#include "skin/io/registry.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace stellaro {

namespace {

class LogTest : public ::testing::Test {
protected:
    void TearDown() override { reg_set_dword(VENDOR_KEY, u"Log", 0); log(); }

    TemporaryRegistry registry;
    TemporaryFolder state;
    EnvironmentGuard state_home{"XDG_STATE_HOME", state.path()};
};

TEST_F(LogTest, OffByDefaultAndTheLogSwitchStartsAFreshFile)
{
    log() << "nothing " << 1 << "\n";
    EXPECT_EQ(read_file(log_file_path()), "");
    ASSERT_TRUE(reg_set_dword(VENDOR_KEY, u"Log", 1));
    log() << "replaced\n";
    ASSERT_TRUE(reg_set_dword(VENDOR_KEY, u"Log", 0));
    log() << "dropped\n";
    ASSERT_TRUE(reg_set_dword(VENDOR_KEY, u"Log", 1));
    log() << u"\u0417\u0432\u0435\u0437\u0434\u0430 " << 0.25 << " " << -7 << "\n";
    EXPECT_EQ(read_file(log_file_path()), "\u0417\u0432\u0435\u0437\u0434\u0430 0.25 -7\n");
}

TEST_F(LogTest, LinesFromManyThreadsStayWhole)
{
    ASSERT_TRUE(reg_set_dword(VENDOR_KEY, u"Log", 1));
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([t] {
            for (int i = 0; i < 200; ++i)
                log() << "thread " << t << " line " << i << "\n";
        });
    for (auto& thread : threads)
        thread.join();
    const std::string text = read_file(log_file_path());
    size_t lines = 0;
    for (size_t start = 0; start < text.size();) {
        const size_t end = text.find('\n', start);
        ASSERT_NE(end, std::string::npos);
        EXPECT_EQ(text.compare(start, 7, "thread "), 0);
        start = end + 1;
        ++lines;
    }
    EXPECT_EQ(lines, 800u);
}

TEST(Fatal, LogsAndEndsTheProcessWithAFailure)
{
    EXPECT_EXIT(fatal(u"Singleton is already instantiated", u"Singleton::Singleton()"), ::testing::ExitedWithCode(EXIT_FAILURE),
                "Gluck: Singleton is already instantiated @ Singleton::Singleton\\(\\)");
}

} // namespace

} // namespace stellaro
