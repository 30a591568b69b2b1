// The real window under a private X server (Xvfb), driven with xdotool like a user would.
#pragma once
#include "support/test_support.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <thread>

namespace stellaro {

inline bool have_program(const std::string& name)
{
    return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
}

// Runs a shell command and gives its standard output.
inline std::string output_of(const std::string& command)
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

// The element of a dump (as the program writes it with --dump) with that name, or null.
inline const nlohmann::json* find_element(const nlohmann::json& element, const std::string& name)
{
    if (element.value("name", "") == name)
        return &element;
    if (!element.contains("children"))
        return nullptr;
    for (const nlohmann::json& child : element["children"]) {
        if (const nlohmann::json* found = find_element(child, name))
            return found;
    }
    return nullptr;
}

inline nlohmann::json read_dump(const std::string& path)
{
    return nlohmann::json::parse(read_file(path), nullptr, false);
}

// The element of the dump's top screen, or an empty object when the dump or the element is missing.
inline nlohmann::json element_of(const nlohmann::json& dump, const std::string& name)
{
    if (!dump.is_object() || !dump.contains("screens") || dump["screens"].empty())
        return nlohmann::json::object();
    const nlohmann::json* found = find_element(dump["screens"].back(), name);
    return found ? *found : nlohmann::json::object();
}

// A window's picture as xwd dumps it. Every dump of one window has the same header, so two dumps
// differ in about as many 4-byte words as their pictures differ in pixels.
using Screenshot = std::string;

inline int differing(const Screenshot& one, const Screenshot& other)
{
    if (one.size() != other.size())
        return static_cast<int>(one.size() / 4);
    int count = 0;
    for (size_t i = 0; i + 4 <= one.size(); i += 4)
        count += one.compare(i, 4, other, i, 4) != 0;
    return count;
}

// The program's window on a private X server (Xvfb) of its own, with the tools to drive and see it.
class WindowFixture : public ::testing::Test {
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
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1700x1000x24", "-nolisten", "tcp", nullptr);
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
        return "DISPLAY=" + display + " SDL_RENDER_DRIVER=software SDL_FRAMEBUFFER_ACCELERATION=0 STELLARO_RUNTIME_DIR=" + folder.path() +
               "/run STELLARO_REGISTRY=" + folder.file("settings.reg") + " ";
    }

    // Starts the program with the arguments (and more environment variables, "NAME=value ...");
    // its output goes to files in the test folder.
    void start_program(const std::string& arguments, const std::string& variables = "")
    {
        const std::string command = "exec env -u SDL_VIDEODRIVER " + environment() + variables + " " STELLARO_EXE " " + arguments +
                                    " >" + folder.file("out.txt") + " 2>" + folder.file("err.txt");
        program = fork();
        if (program == 0) {
            execl("/bin/sh", "sh", "-c", command.c_str(), nullptr);
            _exit(127);
        }
    }

    // Closes the window as its close button does (SDL turns SIGTERM into the same quit event)
    // and gives the program's exit status, or -1 when it does not end within 20 s.
    int close_program()
    {
        kill(program, SIGTERM);
        int status = 0;
        for (int i = 0; i < 400; ++i) {
            if (waitpid(program, &status, WNOHANG) == program) {
                program = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return -1;
    }

    // Waits for the program's window and gives it the keyboard; false when none appeared.
    bool find_window()
    {
        const std::string found = xdotool("search --sync --onlyvisible --name \"^Stellaro II$\"");
        if (found.empty())
            return false;
        window = found.substr(0, found.find('\n'));
        xdotool("windowfocus --sync " + window);
        return true;
    }

    // A left click at a point of the window.
    void click(int x, int y) const
    {
        xdotool("mousemove --window " + window + " " + std::to_string(x) + " " + std::to_string(y) + " click 1");
    }

    // A left click at the centre of an element of a dump.
    void click(const nlohmann::json& element) const
    {
        const nlohmann::json& rect = element["rect"];
        click(rect[0].get<int>() + rect[2].get<int>() / 2, rect[1].get<int>() + rect[3].get<int>() / 2);
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
        // A UTF-8 locale, so that typed text is read as such.
        return output_of(environment() + "LC_ALL=C.UTF-8 timeout -k 2 20 xdotool " + arguments + " 2>/dev/null");
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

    // Waits up to 20 s for the condition, asking every 100 ms.
    static bool wait_until(const std::function<bool()>& condition)
    {
        for (int i = 0; i < 200; ++i) {
            if (condition())
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return condition();
    }

    // The program's exit status once it has ended by itself, or -1 when it is still running after 20 s.
    int exit_status()
    {
        int status = 0;
        if (!wait_until([&] { return waitpid(program, &status, WNOHANG) == program; }))
            return -1;
        program = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    bool running() const { return program > 0 && waitpid(program, nullptr, WNOHANG) == 0; }

    // The program's window can be seen (it is mapped, not iconified).
    bool window_shown() const { return !xdotool("search --onlyvisible --name \"^Stellaro II$\"").empty(); }

    // The screen as the render command lays it out headless at that size, after the render
    // options (e.g. "--open menu"); the window shows its elements at the same places.
    nlohmann::json layout(const std::string& options)
    {
        const ProgramRun run = run_program("render " + options + " --dump " + folder.file("layout.json") + " --out " +
                                               folder.file("layout.png"),
                                           environment());
        EXPECT_EQ(run.status, 0) << run.err;
        return read_dump(folder.file("layout.json"));
    }

    // A left click at the centre of a rectangle [x, y, width, height].
    void click_rect(const nlohmann::json& rect) const
    {
        click(rect[0].get<int>() + rect[2].get<int>() / 2, rect[1].get<int>() + rect[3].get<int>() / 2);
    }

    TemporaryFolder folder;
    std::string display;
    pid_t server = -1;
    pid_t program = -1;
    std::string window;
};

// The rectangle of the shown row of a list (an element of a dump) that holds the text, or null.
inline nlohmann::json row_with_text(const nlohmann::json& list, const std::string& text)
{
    const std::function<bool(const nlohmann::json&)> holds = [&](const nlohmann::json& element) {
        if (element.value("text", "") == text && element.value("visible", false))
            return true;
        if (element.contains("children"))
            for (const nlohmann::json& child : element["children"])
                if (holds(child))
                    return true;
        return false;
    };
    if (list.contains("rows"))
        for (const nlohmann::json& row : list["rows"])
            if (holds(row))
                return row["rect"];
    return nullptr;
}

} // namespace stellaro
