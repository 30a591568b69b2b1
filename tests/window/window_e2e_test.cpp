// The real window under a private X server (Xvfb), driven with xdotool like a user would.
#include "support/test_support.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

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

// The element of a dump (as the program writes it with --dump) with that name, or null.
const nlohmann::json* find_element(const nlohmann::json& element, const std::string& name)
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

nlohmann::json read_dump(const std::string& path)
{
    return nlohmann::json::parse(read_file(path), nullptr, false);
}

// The element of the dump's top screen, or an empty object when the dump or the element is missing.
nlohmann::json element_of(const nlohmann::json& dump, const std::string& name)
{
    if (!dump.is_object() || !dump.contains("screens") || dump["screens"].empty())
        return nlohmann::json::object();
    const nlohmann::json* found = find_element(dump["screens"].back(), name);
    return found ? *found : nlohmann::json::object();
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

    TemporaryFolder folder;
    std::string display;
    pid_t server = -1;
    pid_t program = -1;
    std::string window;
};

TEST_F(WindowEndToEnd, TheSkyWindowPansZoomsAndComesForwardForASecondStart)
{
    start_program("--lat 48.14 --lon 11.58 --time 2026-12-06T22:00+01:00 --dump " + folder.file("dump.json"));
    ASSERT_TRUE(find_window()) << "no window appeared; stderr: " << read_file(folder.file("err.txt"));

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

    // A second start hands over and ends; there is still one window, which now shows the place
    // and moment the second start was given.
    ProgramRun second;
    EXPECT_TRUE(after([&] { second = run_program("--lat -33.5 --lon 151.25 --time 2027-03-01T04:30Z", environment()); }))
        << "the handed-over place and moment did not change the sky";
    EXPECT_EQ(second.status, 0) << second.err;
    EXPECT_NE(second.out.find("already running"), std::string::npos) << second.out;
    const std::string windows = xdotool("search --onlyvisible --name \"^Stellaro II$\"");
    EXPECT_EQ(std::count(windows.begin(), windows.end(), '\n'), 1) << windows;
    ASSERT_EQ(close_program(), 0) << read_file(folder.file("err.txt"));
    const nlohmann::json document = read_dump(folder.file("dump.json"))["document"];
    EXPECT_EQ(document["place"]["latitude"], -33.5);
    EXPECT_EQ(document["place"]["longitude"], 151.25);
    EXPECT_EQ(document["moment"]["utc"], "2027-03-01T04:30:00Z");
    EXPECT_EQ(document["live_time"], false);
}

// The gallery in the window as a user works it: typing (with a letter beyond ASCII), copying
// all of it into the clipboard, pasting it at the end of the notes, a switch and a list dragged.
// The dump written as the window closes tells what the input did.
TEST_F(WindowEndToEnd, TheGalleryTakesTypingTheClipboardASwitchAndADrag)
{
    // Where the elements are: the same screen at the same size, laid out headless.
    const ProgramRun layout = run_program("render --screen Gallery --size 480x800 --dump " + folder.file("layout.json") +
                                          " --out " + folder.file("layout.png"), environment());
    ASSERT_EQ(layout.status, 0) << layout.err;
    const nlohmann::json placed = read_dump(folder.file("layout.json"));
    const nlohmann::json name = element_of(placed, "gallery_name");
    const nlohmann::json notes = element_of(placed, "gallery_notes");
    const nlohmann::json switch_box = element_of(placed, "gallery_switch");
    const nlohmann::json list = element_of(placed, "gallery_list");
    for (const nlohmann::json* element : {&name, &notes, &switch_box, &list})
        ASSERT_TRUE(element->contains("rect")) << "the gallery's layout lacks an element";
    const std::string original_notes = notes.value("text", "");

    start_program("run --screen Gallery --size 480x800 --dump " + folder.file("dump.json"));
    ASSERT_TRUE(find_window()) << "no window appeared; stderr: " << read_file(folder.file("err.txt"));
    // The window takes input in order, so each step reaches it after the one before.
    click(name);
    xdotool("type --delay 40 Vega");
    // A letter missing from the keyboard map is typed on a key xdotool maps for it and unmaps
    // after the key is let go; the long delay lets the program read the key before that.
    xdotool("type --delay 400 \u00e9");
    xdotool("key ctrl+a ctrl+c");
    click(notes);
    xdotool("key ctrl+End ctrl+v");
    click(switch_box);
    // Up by about four rows; once the list has moved, everything before has been taken too.
    const nlohmann::json& rect = list["rect"];
    const std::string x = std::to_string(rect[0].get<int>() + rect[2].get<int>() / 2);
    const int bottom = rect[1].get<int>() + rect[3].get<int>() - 20;
    EXPECT_TRUE(after([&] {
        xdotool("mousemove --window " + window + " " + x + " " + std::to_string(bottom) + " mousedown 1");
        for (int step = 1; step <= 8; ++step)
            xdotool("mousemove --window " + window + " " + x + " " + std::to_string(bottom - 25 * step));
        xdotool("mouseup 1");
    })) << "the list did not move";
    ASSERT_EQ(close_program(), 0) << read_file(folder.file("err.txt"));

    const nlohmann::json dump = read_dump(folder.file("dump.json"));
    const std::string typed = "Vega\u00e9";
    EXPECT_EQ(element_of(dump, "gallery_name").value("text", ""), typed);
    EXPECT_EQ(element_of(dump, "gallery_notes").value("text", ""), original_notes + typed);
    EXPECT_EQ(element_of(dump, "gallery_switch").value("state", -1), 1);
    EXPECT_GT(element_of(dump, "gallery_list").value("first_item", 0), 0);
}

// Closing the window ends the program with status 0 every time, whatever its frames and SDL's
// wakeups between its threads are doing at that moment; every other time the wakeups
// arrive after their window is gone, as they rarely do when it closes.
TEST_F(WindowEndToEnd, ClosingTheWindowAlwaysEndsCleanly)
{
    for (int close = 0; close < 8; ++close) {
        // A sanitizer build wants its runtime first among the libraries; the preloaded one comes first here.
        start_program("run --screen Gallery --size 240x320",
                      close % 2 ? "LD_PRELOAD=" LATE_WAKEUPS " ASAN_OPTIONS=${ASAN_OPTIONS}:verify_asan_link_order=0" : "");
        ASSERT_TRUE(find_window()) << "no window appeared; stderr: " << read_file(folder.file("err.txt"));
        // Closed at different points of a frame's period.
        std::this_thread::sleep_for(std::chrono::milliseconds(close * 13));
        ASSERT_EQ(close_program(), 0) << "close " << close << ": " << read_file(folder.file("err.txt"));
        EXPECT_EQ(read_file(folder.file("err.txt")).find("X Error"), std::string::npos) << read_file(folder.file("err.txt"));
    }
}

// The sky goes on twinkling and following the clock when another window has the focus.
TEST_F(WindowEndToEnd, OutOfFocusTheSkyIsStillDrawn)
{
    start_program("--lat 48.14 --lon 11.58");
    ASSERT_TRUE(find_window()) << "no window appeared; stderr: " << read_file(folder.file("err.txt"));
    // The focus goes to the root window (there is no window manager to give it elsewhere).
    const std::string root = xdotool("search --maxdepth 0 --name \"\"");
    ASSERT_FALSE(root.empty());
    xdotool("windowfocus --sync " + root.substr(0, root.find('\n')));
    const std::optional<Screenshot> first = screenshot();
    ASSERT_TRUE(first);
    const std::optional<Screenshot> later = first_that([&](const Screenshot& shot) { return differing(shot, *first) > 0; });
    ASSERT_TRUE(later);
    EXPECT_GT(differing(*later, *first), 0);
}

// A dump that cannot be written when the window closes is an error.
TEST_F(WindowEndToEnd, ADumpThatCannotBeWrittenFailsTheRun)
{
    // Missing folders would be made; a file where a folder should be cannot be got past.
    write_file(folder.file("plain"), "a file, not a folder");
    start_program("run --screen Gallery --dump " + folder.file("plain/dump.json"));
    ASSERT_TRUE(find_window()) << "no window appeared; stderr: " << read_file(folder.file("err.txt"));
    EXPECT_EQ(close_program(), 1);
    EXPECT_NE(read_file(folder.file("err.txt")).find("cannot write " + folder.file("plain/dump.json") + ": Not a directory"),
              std::string::npos)
        << read_file(folder.file("err.txt"));
}

} // namespace

} // namespace stellaro
