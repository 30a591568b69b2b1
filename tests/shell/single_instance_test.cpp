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
    TemporaryFolder folder;
    const std::string run = folder.path() + "/run";
    EnvironmentGuard runtime{"STELLARO_RUNTIME_DIR", run};
};

TEST_F(SingleInstanceTest, ASecondStartHandsItsCommandLineOver)
{
    SingleInstance first("stellaro");
    ASSERT_EQ(first.claim({}), SingleInstance::Outcome::OWNER);
    EXPECT_TRUE(first.receive().empty());

    // The later start is another process, as it is in real life (locks are per open file).
    const std::vector<std::string> arguments{"render", "--night", "\u0417\u0432\u0435\u0437\u0434\u0430"};
    const pid_t child = fork();
    if (child == 0)
        _exit(SingleInstance("stellaro").claim(arguments) == SingleInstance::Outcome::HANDED_OVER ? 0 : 1);
    std::vector<HandedCommandLine> received;
    for (int i = 0; i < 200 && received.empty(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        received = first.receive();
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].arguments, arguments);
    EXPECT_FALSE(received[0].working_folder.empty());
}

TEST_F(SingleInstanceTest, AStaleSocketDoesNotBlockANewStart)
{
    // A socket file left by a copy that was killed: nobody listens on it and nobody holds the lock.
    ASSERT_EQ(mkdir(run.c_str(), 0700), 0);
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, (run + "/stellaro.socket").c_str());
    ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    close(fd);
    EXPECT_EQ(SingleInstance("stellaro").claim({}), SingleInstance::Outcome::OWNER);
}

} // namespace

} // namespace stellaro
