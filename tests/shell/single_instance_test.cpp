#include "platform/single_instance.h"
#include "support/test_support.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <thread>

namespace stellaro {

namespace {

class SingleInstanceTest : public ::testing::Test {
protected:
    void SetUp() override { setenv("STELLARO_RUNTIME_DIR", (folder.path() + "/run").c_str(), 1); }
    void TearDown() override { unsetenv("STELLARO_RUNTIME_DIR"); }

    std::vector<HandedCommandLine> wait_for(SingleInstance& owner)
    {
        for (int i = 0; i < 200; ++i) {
            auto received = owner.receive();
            if (!received.empty())
                return received;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return {};
    }

    TemporaryFolder folder;
};

TEST_F(SingleInstanceTest, ASecondStartHandsItsCommandLineOver)
{
    SingleInstance first("stellaro");
    ASSERT_EQ(first.claim({}), SingleInstance::Outcome::OWNER);
    EXPECT_TRUE(first.receive().empty());

    // The later start is another process, as it is in real life (locks are per open file).
    const pid_t child = fork();
    if (child == 0) {
        SingleInstance second("stellaro");
        _exit(second.claim({"render", "--night", "\u0417\u0432\u0435\u0437\u0434\u0430"}) == SingleInstance::Outcome::HANDED_OVER ? 0 : 1);
    }
    const auto received = wait_for(first);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].arguments, (std::vector<std::string> {"render", "--night", "\u0417\u0432\u0435\u0437\u0434\u0430"}));
    EXPECT_FALSE(received[0].working_folder.empty());
}

TEST_F(SingleInstanceTest, AStaleSocketDoesNotBlockANewStart)
{
    const std::string run = folder.path() + "/run";
    ASSERT_EQ(mkdir(run.c_str(), 0700), 0);
    // A socket file left by a copy that was killed: nobody listens on it and nobody holds the lock.
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, (run + "/stellaro.socket").c_str());
    ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    close(fd);

    SingleInstance owner("stellaro");
    EXPECT_EQ(owner.claim({}), SingleInstance::Outcome::OWNER);
}

TEST_F(SingleInstanceTest, AFolderOwnedByOthersOrUnusableIsNotUsed)
{
    write_file(folder.path() + "/run", "not a folder");
    SingleInstance instance("stellaro");
    EXPECT_EQ(instance.claim({}), SingleInstance::Outcome::UNAVAILABLE);
}

TEST(SingleInstanceMessage, EncodingRoundTripsAndRejectsDamage)
{
    const HandedCommandLine original {"/home/user", {"", "a b", "--lat=1"}};
    const auto back = decode_command_line(encode_command_line(original));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->working_folder, original.working_folder);
    EXPECT_EQ(back->arguments, original.arguments);
    EXPECT_FALSE(decode_command_line(""));
    EXPECT_FALSE(decode_command_line("no terminator"));
    EXPECT_TRUE(decode_command_line(std::string("/\0", 2))->arguments.empty());
}

} // namespace

} // namespace stellaro
