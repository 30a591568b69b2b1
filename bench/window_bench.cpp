// The real program's window under a private X server (Xvfb): what it costs while nothing moves
// (CPU time of the process, not wall time, so that other work on the machine does not count)
// and what it holds in memory, and how many frames it shows while the sky is dragged.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <thread>

namespace {

// What is measured while nothing moves.
constexpr int REST_SECONDS = 10;
// Time for the window to appear, load and settle before measuring.
constexpr int SETTLE_SECONDS = 2;

std::string output_of(const std::string& command)
{
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return out;
    char buffer[4096];
    size_t got = 0;
    while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        out.append(buffer, got);
    pclose(pipe);
    return out;
}

bool have_program(const std::string& name)
{
    return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
}

void stop(pid_t& pid, int signal_number)
{
    if (pid <= 0)
        return;
    kill(pid, signal_number);
    waitpid(pid, nullptr, 0);
    pid = -1;
}

// An Xvfb display, a scratch folder and the program's window on it.
class WindowRun {
public:
    WindowRun()
    {
        char name[] = "/tmp/stellaro-window-bench-XXXXXX";
        if (mkdtemp(name))
            folder = name;
        int fds[2];
        if (pipe(fds) != 0)
            return;
        server = fork();
        if (server == 0) {
            close(fds[0]);
            const int null = open("/dev/null", O_WRONLY);
            dup2(null, 1);
            dup2(null, 2);
            const std::string fd = std::to_string(fds[1]);
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1920x1200x24", "-nolisten", "tcp", nullptr);
            _exit(127);
        }
        close(fds[1]);
        std::string number;
        char c = 0;
        while (read(fds[0], &c, 1) == 1 && c != '\n')
            number.push_back(c);
        close(fds[0]);
        if (!number.empty())
            display = ":" + number;
    }

    ~WindowRun()
    {
        stop(program, SIGKILL);
        stop(server, SIGKILL);
        if (!folder.empty())
            std::filesystem::remove_all(folder);
    }

    // Starts the program with a window of the size and waits for the window; false when none came.
    bool start(const std::string& size)
    {
        if (display.empty() || folder.empty())
            return false;
        const std::string command = "exec env -u SDL_VIDEODRIVER -u SDL_RENDER_DRIVER -u SDL_FRAMEBUFFER_ACCELERATION " +
                                    environment() + "STELLARO_LOG=1 " STELLARO_EXE " run --size " + size +
                                    " >/dev/null 2>&1";
        program = fork();
        if (program == 0) {
            execl("/bin/sh", "sh", "-c", command.c_str(), nullptr);
            _exit(127);
        }
        const std::string found = xdotool("search --sync --onlyvisible --name \"^Stellaro II$\"");
        window = found.substr(0, found.find('\n'));
        return !window.empty();
    }

    // CPU time the program has used so far, in seconds.
    double cpu_seconds() const
    {
        std::ifstream stat("/proc/" + std::to_string(program) + "/stat");
        std::string line;
        std::getline(stat, line);
        // The fields after the command name, which is in brackets and may hold spaces.
        std::istringstream fields(line.substr(line.rfind(')') + 2));
        std::string field;
        long long user = 0;
        long long system = 0;
        for (int i = 3; i <= 15 && fields >> field; ++i) {
            if (i == 14)
                user = std::stoll(field);
            if (i == 15)
                system = std::stoll(field);
        }
        return static_cast<double>(user + system) / static_cast<double>(sysconf(_SC_CLK_TCK));
    }

    // The program's resident memory in megabytes.
    double resident_mb() const
    {
        std::ifstream status("/proc/" + std::to_string(program) + "/status");
        for (std::string line; std::getline(status, line);) {
            if (line.rfind("VmRSS:", 0) == 0)
                return std::stod(line.substr(6)) / 1024.0;
        }
        return 0.0;
    }

    std::string xdotool(const std::string& arguments) const
    {
        return output_of(environment() + "timeout -k 2 20 xdotool " + arguments + " 2>/dev/null");
    }

    // Ends the program as its close button does.
    void close_program() { stop(program, SIGTERM); }

    // Clicks the middle of the named element of the main screen as the render command lays it out
    // at that size; false when the layout has no such element.
    bool click_element(const std::string& size, const std::string& name)
    {
        const std::string dump = folder + "/layout.json";
        output_of(environment() + STELLARO_EXE " render --size " + size + " --dump " + dump + " --out " + folder +
                  "/layout.png >/dev/null 2>&1");
        std::ifstream file(dump);
        std::stringstream text;
        text << file.rdbuf();
        const std::string json = text.str();
        std::smatch found;
        const std::regex rect("\"name\": \"" + name + "\",\\s*\"kind\": \"[a-z]*\",\\s*\"rect\": \\[\\s*([0-9]+),\\s*([0-9]+),\\s*([0-9]+),\\s*([0-9]+)");
        if (!std::regex_search(json, found, rect))
            return false;
        const int x = std::stoi(found[1]) + std::stoi(found[3]) / 2;
        const int y = std::stoi(found[2]) + std::stoi(found[4]) / 2;
        xdotool("mousemove --window " + window + " " + std::to_string(x) + " " + std::to_string(y) + " click 1");
        return true;
    }

    std::string log_text() const
    {
        std::ifstream file(folder + "/state/stellaro/stellaro.txt");
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }

    std::string window;

private:
    std::string environment() const
    {
        return "DISPLAY=" + display + " XDG_STATE_HOME=" + folder + "/state XDG_CONFIG_HOME=" + folder +
               "/config STELLARO_RUNTIME_DIR=" + folder + "/run ";
    }

    std::string folder;
    std::string display;
    pid_t server = -1;
    pid_t program = -1;
};

bool tools_missing(benchmark::State& state)
{
    for (const char* tool : {"Xvfb", "xdotool"}) {
        if (!have_program(tool)) {
            state.SkipWithError((std::string(tool) + " is missing (apt-get install xvfb xdotool)").c_str());
            return true;
        }
    }
    return false;
}

// Starts the window and lets it settle; false, with the benchmark marked skipped, when no window
// appeared.
bool started_and_settled(WindowRun& run, const std::string& size, benchmark::State& state)
{
    if (!run.start(size)) {
        state.SkipWithError("no window appeared");
        return false;
    }
    std::this_thread::sleep_for(std::chrono::seconds(SETTLE_SECONDS));
    return true;
}

std::string size_of(const benchmark::State& state)
{
    return std::to_string(state.range(0)) + "x" + std::to_string(state.range(1));
}

// The window at rest: its CPU time over REST_SECONDS (as a percentage of one core) and its
// resident memory afterwards.
void BM_WindowAtRest(benchmark::State& state)
{
    if (tools_missing(state))
        return;
    for (auto _ : state) {
        WindowRun run;
        if (!started_and_settled(run, size_of(state), state))
            return;
        const double before = run.cpu_seconds();
        std::this_thread::sleep_for(std::chrono::seconds(REST_SECONDS));
        const double used = run.cpu_seconds() - before;
        state.SetIterationTime(REST_SECONDS);
        state.counters["cpu_percent"] = used * 100.0 / REST_SECONDS;
        state.counters["rss_mb"] = run.resident_mb();
    }
}
BENCHMARK(BM_WindowAtRest)->Args({480, 800})->Args({1920, 1080})->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

// The window at rest with a panel of the bottom bar open (0 search with its list, 1 date and
// time with its drums, 2 settings, 3 the menu): its CPU time over REST_SECONDS as a percentage
// of one core.
void BM_WindowPanelAtRest(benchmark::State& state)
{
    if (tools_missing(state))
        return;
    static const char* const BUTTONS[] = {"button_search", "button_datetime", "button_settings", "button_menu"};
    const std::string size = "480x800";
    for (auto _ : state) {
        WindowRun run;
        if (!started_and_settled(run, size, state))
            return;
        if (!run.click_element(size, BUTTONS[state.range(0)])) {
            state.SkipWithError("the layout has no such button");
            return;
        }
        std::this_thread::sleep_for(std::chrono::seconds(SETTLE_SECONDS));
        const double before = run.cpu_seconds();
        std::this_thread::sleep_for(std::chrono::seconds(REST_SECONDS));
        state.SetIterationTime(REST_SECONDS);
        state.counters["cpu_percent"] = (run.cpu_seconds() - before) * 100.0 / REST_SECONDS;
    }
}
BENCHMARK(BM_WindowPanelAtRest)->DenseRange(0, 3)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

// A drag across the sky with a pointer move every 5 ms: the frames shown per second while the
// sky moves, as the program's log counts them (its longest run of moving frames).
void BM_WindowDrag(benchmark::State& state)
{
    if (tools_missing(state))
        return;
    for (auto _ : state) {
        WindowRun run;
        if (!started_and_settled(run, size_of(state), state))
            return;
        std::string moves = "mousemove --window " + run.window + " 60 400 mousedown 1";
        for (int step = 1; step <= 300; ++step)
            moves += " mousemove --window " + run.window + " " + std::to_string(60 + step) + " " +
                     std::to_string(400 + (step % 40)) + " sleep 0.005";
        moves += " mouseup 1";
        const auto start = std::chrono::steady_clock::now();
        run.xdotool(moves);
        const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
        // The inertia after the release ends its run of frames.
        std::this_thread::sleep_for(std::chrono::seconds(SETTLE_SECONDS));
        run.close_program();
        const std::string log = run.log_text();
        const std::regex motion("GameBase: ([0-9]+) frames in ([0-9]+) ms");
        double frames_per_second = 0.0;
        int longest = 0;
        for (auto it = std::sregex_iterator(log.begin(), log.end(), motion); it != std::sregex_iterator(); ++it) {
            const int frames = std::stoi((*it)[1]);
            const int ms = std::stoi((*it)[2]);
            if (frames > longest && ms > 0) {
                longest = frames;
                frames_per_second = (frames - 1) * 1000.0 / ms;
            }
        }
        state.SetIterationTime(spent.count());
        state.counters["frames"] = longest;
        state.counters["frames_per_second"] = frames_per_second;
    }
}
BENCHMARK(BM_WindowDrag)->Args({480, 800})->Args({1920, 1080})->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

} // namespace
