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
#include <vector>

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

uint32_t big_endian(const std::string& bytes, size_t at)
{
    return (static_cast<uint32_t>(static_cast<uint8_t>(bytes[at])) << 24) | (static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 1])) << 16) |
           (static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 2])) << 8) | static_cast<uint8_t>(bytes[at + 3]);
}

// A window's picture as xwd dumps it: 32-bit pixels (24-bit colour) only.
struct Screenshot {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;

    // Pixels brighter than the darkest sky blue.
    int lit() const
    {
        int count = 0;
        for (uint32_t pixel : pixels) {
            const uint32_t r = (pixel >> 16) & 255, g = (pixel >> 8) & 255, b = pixel & 255;
            if (r + g + b > 120)
                ++count;
        }
        return count;
    }
    int differing(const Screenshot& other) const
    {
        if (other.pixels.size() != pixels.size())
            return static_cast<int>(pixels.size());
        int count = 0;
        for (size_t i = 0; i < pixels.size(); ++i)
            count += (pixels[i] & 0xFFFFFF) != (other.pixels[i] & 0xFFFFFF);
        return count;
    }
};

std::optional<Screenshot> parse_xwd(const std::string& bytes)
{
    if (bytes.size() < 100)
        return std::nullopt;
    const uint32_t header_size = big_endian(bytes, 0);
    const uint32_t format = big_endian(bytes, 8);
    const uint32_t width = big_endian(bytes, 16);
    const uint32_t height = big_endian(bytes, 20);
    const uint32_t byte_order = big_endian(bytes, 28);
    const uint32_t bits_per_pixel = big_endian(bytes, 44);
    const uint32_t bytes_per_line = big_endian(bytes, 48);
    const uint32_t colours = big_endian(bytes, 76);
    const size_t start = static_cast<size_t>(header_size) + static_cast<size_t>(colours) * 12;
    if (format != 2 || bits_per_pixel != 32 || width == 0 || height == 0 || width > 10000 || height > 10000 ||
        bytes_per_line < width * 4 || start + static_cast<size_t>(bytes_per_line) * height > bytes.size())
        return std::nullopt;
    Screenshot shot;
    shot.width = static_cast<int>(width);
    shot.height = static_cast<int>(height);
    shot.pixels.resize(static_cast<size_t>(width) * height);
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) {
            const size_t at = start + static_cast<size_t>(y) * bytes_per_line + x * 4;
            const auto byte = [&](size_t i) { return static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + i])); };
            shot.pixels[static_cast<size_t>(y) * width + x] = byte_order == 0
                ? byte(0) | (byte(1) << 8) | (byte(2) << 16) | (byte(3) << 24)
                : (byte(0) << 24) | (byte(1) << 16) | (byte(2) << 8) | byte(3);
        }
    }
    return shot;
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

    std::string environment() const
    {
        return "DISPLAY=" + display + " SDL_RENDER_DRIVER=software SDL_FRAMEBUFFER_ACCELERATION=0 STELLARO_RUNTIME_DIR=" + folder.path() + "/run ";
    }

    // Starts the program with the arguments; its output goes to files in the test folder.
    void start_program(const std::vector<std::string>& arguments)
    {
        program = fork();
        if (program == 0) {
            setenv("DISPLAY", display.c_str(), 1);
            // Software drawing straight into the window's pixels: the same on every machine.
            setenv("SDL_RENDER_DRIVER", "software", 1);
            setenv("SDL_FRAMEBUFFER_ACCELERATION", "0", 1);
            setenv("STELLARO_RUNTIME_DIR", (folder.path() + "/run").c_str(), 1);
            unsetenv("SDL_VIDEODRIVER");
            const int out = open(folder.file("out.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            const int err = open(folder.file("err.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            dup2(out, 1);
            dup2(err, 2);
            std::vector<char*> argv;
            argv.push_back(const_cast<char*>(STELLARO_EXE));
            for (const std::string& argument : arguments)
                argv.push_back(const_cast<char*>(argument.c_str()));
            argv.push_back(nullptr);
            execv(STELLARO_EXE, argv.data());
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

    // Waits for the program to end by itself (after SIGTERM); its exit status, or -1.
    int wait_for_end(std::chrono::seconds patience)
    {
        const auto give_up = std::chrono::steady_clock::now() + patience;
        while (std::chrono::steady_clock::now() < give_up) {
            int status = 0;
            if (waitpid(program, &status, WNOHANG) == program) {
                program = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return -1;
    }

    std::string xdotool(const std::string& arguments) const
    {
        return output_of(environment() + "timeout -k 2 20 xdotool " + arguments + " 2>/dev/null");
    }

    std::optional<Screenshot> screenshot() const
    {
        return parse_xwd(output_of(environment() + "timeout -k 2 20 xwd -silent -id " + window));
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
            const bool same = last && last->differing(shot) == 0;
            last = shot;
            return same;
        });
        if (!still)
            return std::nullopt;
        action();
        std::optional<Screenshot> changed = first_that([&](const Screenshot& shot) { return shot.differing(*still) > CHANGED; });
        return changed && changed->differing(*still) > CHANGED ? changed : std::nullopt;
    }

    TemporaryFolder folder;
    std::string display;
    pid_t server = -1;
    pid_t program = -1;
    std::string window;
};

TEST_F(WindowEndToEnd, TheSkyWindowPansZoomsAndComesForwardForASecondStart)
{
    const std::vector<std::string> arguments = {"--lat", "48.14", "--lon", "11.58", "--time", "2026-12-06T22:00+01:00"};
    start_program(arguments);
    const std::string found = xdotool("search --sync --onlyvisible --name \"^Stellaro II$\"");
    ASSERT_FALSE(found.empty()) << "no window appeared; stderr: " << read_file(folder.file("err.txt"));
    window = found.substr(0, found.find('\n'));
    xdotool("windowfocus --sync " + window);

    // Stars, lines and labels: the sky is drawn, not a blank window.
    const std::optional<Screenshot> first = first_that([](const Screenshot& shot) { return shot.lit() > 200; });
    ASSERT_TRUE(first);
    EXPECT_EQ(first->width, 480);
    EXPECT_EQ(first->height, 800);
    EXPECT_GT(first->lit(), 200);

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
    EXPECT_TRUE(after([&] { xdotool("key --delay 30 Right Right Right Right"); })) << "the arrow keys did not turn the view";

    // The layout follows the window's size.
    const std::optional<Screenshot> resized = after([&] { xdotool("windowsize --sync " + window + " 400 560"); });
    ASSERT_TRUE(resized);
    EXPECT_EQ(resized->width, 400);
    EXPECT_EQ(resized->height, 560);
    EXPECT_GT(resized->lit(), 200);

    // A second start hands over and ends; there is still one window.
    const ProgramRun second = run_program("", environment());
    EXPECT_EQ(second.status, 0) << second.err;
    EXPECT_NE(second.out.find("already running"), std::string::npos) << second.out;
    const std::string windows = xdotool("search --onlyvisible --name \"^Stellaro II$\"");
    EXPECT_EQ(std::count(windows.begin(), windows.end(), '\n'), 1) << windows;

    // The window goes when asked to, and the program ends cleanly.
    kill(program, SIGTERM);
    EXPECT_EQ(wait_for_end(std::chrono::seconds(10)), 0) << read_file(folder.file("err.txt"));
}

} // namespace

} // namespace stellaro
