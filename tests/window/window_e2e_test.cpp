// The real window under a private X server (Xvfb), driven with xdotool like a user would.
#include "support/test_support.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <thread>

namespace stellaro {

namespace {

bool have_program(const std::string& name)
{
    return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
}

// Runs a shell command and gives its standard output.
std::string output_of(const std::string& command)
{
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return out;
    char buffer[65536];
    size_t got = 0;
    while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        out.append(buffer, got);
    pclose(pipe);
    return out;
}

// A window's picture as xwd dumps it. Every dump of one window has the same header, so two dumps
// differ in about as many 4-byte words as their pictures differ in pixels.
using Screenshot = std::string;

int differing(const Screenshot& one, const Screenshot& other)
{
    if (one.size() != other.size())
        return static_cast<int>(one.size() / 4);
    int count = 0;
    for (size_t i = 0; i + 4 <= one.size(); i += 4)
        count += one.compare(i, 4, other, i, 4) != 0;
    return count;
}

class WindowEndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* tool : {"xvfb-run", "Xvfb", "xdotool", "xwd"}) {
            if (!have_program(tool))
                GTEST_SKIP() << tool << " is missing: apt-get install xvfb xauth xdotool x11-apps to run the window test";
        }
        start_server();
        ASSERT_FALSE(display.empty()) << "Xvfb did not start";
    }

    void TearDown() override
    {
        stop(program);
        stop(server);
    }

    void start_server()
    {
        int fds[2];
        ASSERT_EQ(pipe(fds), 0);
        server = fork();
        if (server == 0) {
            close(fds[0]);
            const int null = open("/dev/null", O_WRONLY);
            dup2(null, 1);
            dup2(null, 2);
            const std::string fd = std::to_string(fds[1]);
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "640x900x24", "-nolisten", "tcp", nullptr);
            _exit(127);
        }
        close(fds[1]);
        // Xvfb writes the display number it found free once it is ready.
        std::string number;
        char c = 0;
        while (read(fds[0], &c, 1) == 1 && c != '\n')
            number.push_back(c);
        close(fds[0]);
        if (!number.empty())
            display = ":" + number;
    }

    // Software drawing straight into the window's pixels: the same on every machine.
    std::string environment() const
    {
        return "DISPLAY=" + display + " SDL_RENDER_DRIVER=software SDL_FRAMEBUFFER_ACCELERATION=0 STELLARO_RUNTIME_DIR=" + folder.path() + "/run ";
    }

    // Starts the program with the arguments; its output goes to files in the test folder.
    void start_program(const std::string& arguments)
    {
        const std::string command = "exec env -u SDL_VIDEODRIVER " + environment() + STELLARO_EXE " " + arguments +
                                    " >" + folder.file("out.txt") + " 2>" + folder.file("err.txt");
        program = fork();
        if (program == 0) {
            execl("/bin/sh", "sh", "-c", command.c_str(), nullptr);
            _exit(127);
        }
    }

    static void stop(pid_t& pid)
    {
        if (pid <= 0)
            return;
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        pid = -1;
    }

    std::string xdotool(const std::string& arguments) const
    {
        return output_of(environment() + "timeout -k 2 20 xdotool " + arguments + " 2>/dev/null");
    }

    std::optional<Screenshot> screenshot() const
    {
        Screenshot shot = output_of(environment() + "timeout -k 2 20 xwd -silent -id " + window);
        return shot.size() > 100 ? std::optional<Screenshot>(std::move(shot)) : std::nullopt;
    }

    // Screenshots every 200 ms until one is accepted (frames come late on a busy machine), or
    // the last one tried.
    std::optional<Screenshot> first_that(const std::function<bool(const Screenshot&)>& accepted) const
    {
        std::optional<Screenshot> shot;
        for (int i = 0; i < 75; ++i) {
            shot = screenshot();
            if (shot && accepted(*shot))
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
        }
        return shot;
    }

    static constexpr int CHANGED = 2000;

    // Once the view is at rest (two screenshots in a row agree), does what the user does and
    // gives the first picture that differs from the still one in more than CHANGED pixels.
    std::optional<Screenshot> after(const std::function<void()>& action) const
    {
        std::optional<Screenshot> last;
        const std::optional<Screenshot> still = first_that([&last](const Screenshot& shot) {
            const bool same = last && differing(*last, shot) == 0;
            last = shot;
            return same;
        });
        if (!still)
            return std::nullopt;
        action();
        std::optional<Screenshot> changed = first_that([&](const Screenshot& shot) { return differing(shot, *still) > CHANGED; });
        return changed && differing(*changed, *still) > CHANGED ? changed : std::nullopt;
    }

    TemporaryFolder folder;
    std::string display;
    pid_t server = -1;
    pid_t program = -1;
    std::string window;
};

TEST_F(WindowEndToEnd, TheSkyWindowPansZoomsAndComesForwardForASecondStart)
{
    start_program("--lat 48.14 --lon 11.58 --time 2026-12-06T22:00+01:00");
    const std::string found = xdotool("search --sync --onlyvisible --name \"^Stellaro II$\"");
    ASSERT_FALSE(found.empty()) << "no window appeared; stderr: " << read_file(folder.file("err.txt"));
    window = found.substr(0, found.find('\n'));
    xdotool("windowfocus --sync " + window);

    // A drag across the middle turns the sky.
    EXPECT_TRUE(after([&] {
        xdotool("mousemove --window " + window + " 150 400 mousedown 1");
        for (int x = 170; x <= 330; x += 20)
            xdotool("mousemove --window " + window + " " + std::to_string(x) + " 410");
        xdotool("mouseup 1");
    })) << "the drag did not turn the sky";
    // Three notches of the wheel away from the user zoom in (once the drag's glide has ended).
    EXPECT_TRUE(after([&] { xdotool("mousemove --window " + window + " 240 400 click --repeat 3 --delay 50 4"); }))
        << "the wheel did not zoom";

    // A second start hands over and ends; there is still one window.
    const ProgramRun second = run_program("", environment());
    EXPECT_EQ(second.status, 0) << second.err;
    EXPECT_NE(second.out.find("already running"), std::string::npos) << second.out;
    const std::string windows = xdotool("search --onlyvisible --name \"^Stellaro II$\"");
    EXPECT_EQ(std::count(windows.begin(), windows.end(), '\n'), 1) << windows;
}

} // namespace

} // namespace stellaro
