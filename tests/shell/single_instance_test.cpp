#include "platform/single_instance.h"
#include "support/test_support.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <filesystem>
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

// A later start in a process of its own, as in real life (locks are per open file): how its claim went.
SingleInstance::Outcome later_start()
{
    const pid_t child = fork();
    if (child == 0)
        _exit(static_cast<int>(SingleInstance("stellaro").claim({"run"})));
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? static_cast<SingleInstance::Outcome>(WEXITSTATUS(status)) : SingleInstance::Outcome::UNAVAILABLE;
}

// A runtime folder that cannot be trusted is named on stderr with what is wrong; the starts fall
// back alike to the user's own folder, so a second start still finds the first; nothing is made
// inside the folder refused.
TEST_F(SingleInstanceTest, AnUntrustworthyRuntimeFolderIsReportedAndOneCopyStillRuns)
{
    const std::string elsewhere = folder.path() + "/elsewhere";
    ASSERT_EQ(mkdir(elsewhere.c_str(), 0700), 0);
    const EnvironmentGuard cache("XDG_CACHE_HOME", folder.path() + "/cache");
    const auto check = [&](const std::string& problem) {
        testing::internal::CaptureStderr();
        {
            SingleInstance first("stellaro");
            EXPECT_EQ(first.claim({}), SingleInstance::Outcome::OWNER);
            EXPECT_EQ(later_start(), SingleInstance::Outcome::HANDED_OVER) << problem;
        }
        const std::string err = testing::internal::GetCapturedStderr();
        EXPECT_NE(err.find(run + " cannot be used (" + problem), std::string::npos) << err;
        EXPECT_NE(err.find(folder.path() + "/cache/stellaro/run is used instead"), std::string::npos) << err;
        EXPECT_TRUE(std::filesystem::is_empty(elsewhere));
    };

    ASSERT_EQ(symlink(elsewhere.c_str(), run.c_str()), 0);
    check("it is a symbolic link");
    ASSERT_EQ(unlink(run.c_str()), 0);

    ASSERT_EQ(mkdir(run.c_str(), 0700), 0);
    ASSERT_EQ(mkdir((run + "/stellaro.lock").c_str(), 0700), 0);
    check("its lock " + run + "/stellaro.lock");
    ASSERT_EQ(rmdir((run + "/stellaro.lock").c_str()), 0);

    // Only the superuser can give the folder away.
    if (chown(run.c_str(), 65534, 65534) == 0)
        check("it belongs to another user");
}

TEST_F(SingleInstanceTest, WithNoUsableFolderAtAllTheStartSaysSoAndRunsAlone)
{
    write_file(run, "a file where the folder should be");
    write_file(folder.path() + "/cache", "and another one");
    const EnvironmentGuard cache("XDG_CACHE_HOME", folder.path() + "/cache");
    testing::internal::CaptureStderr();
    EXPECT_EQ(SingleInstance("stellaro").claim({}), SingleInstance::Outcome::UNAVAILABLE);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("it is not a folder"), std::string::npos) << err;
    EXPECT_NE(err.find("does not look for another one"), std::string::npos) << err;
}

} // namespace

} // namespace stellaro
