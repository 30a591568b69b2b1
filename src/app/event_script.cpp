#include "app/event_script.h"

#include "app/command_line.h"
#include "app/quoted_text.h"
#include "platform/atomic_file.h"
#include "platform/utf.h"
#include "shell/frame_clock.h"
#include "skin/elements/element_query.h"
#include "skin/elements/keys.h"

#include <chrono>
#include <cstdlib>
#include <sstream>
#include <thread>

namespace stellaro {

namespace {

constexpr long long MAX_COORDINATE = 100000;
// A script is a few lines of input, not a data file: anything larger is a mistake (or
// /dev/zero) and is refused before it fills the memory.
constexpr size_t MAX_SCRIPT_BYTES = 1024 * 1024;
// All the time a script lets pass, its waits, taps and drags together: ten minutes of the program.
constexpr long long MAX_SCRIPT_MS = 10 * 60 * 1000;
// The longest a line may let real time pass: a minute is plenty for any outside source to answer.
constexpr long long MAX_SLEEP_MS = 60 * 1000;
// A drag moves in this many frames, then holds still long enough for its speed to fall to
// nothing before the release.
constexpr int DRAG_STEPS = 10;
constexpr int HOLD_FRAMES = 8;

class LineRunner {
public:
    LineRunner(HeadlessRun& run, const std::string& line, int number) : run(run), line(line), number(number) {}

    void run_line()
    {
        std::istringstream words(line);
        std::string verb;
        words >> verb;
        if (verb.empty() || verb[0] == '#')
            return;
        if (verb == "press" || verb == "move" || verb == "release")
            pointer(verb, words);
        else if (verb == "tap")
            tap(shown(rest_after(verb)));
        else if (verb == "tap-text")
            tap(showing(rest_after(verb)));
        else if (verb == "drag")
            drag(words);
        else if (verb == "key")
            key(words);
        else if (verb == "text")
            run.text(utf8_to_utf16(rest_after(verb)));
        else if (verb == "wait")
            wait(words);
        else if (verb == "sleep")
            sleep(words);
        else
            throw fail("unknown event " + quoted(verb));
    }

private:
    UsageError fail(const std::string& why) const
    {
        return UsageError("--events: line " + std::to_string(number) + ": " + why + ": " + quoted(line));
    }

    // Refuses a line that would take the script past its time.
    void spend(long long ms) const
    {
        if (run.now() + ms > MAX_SCRIPT_MS)
            throw fail("the script would let more than " + std::to_string(MAX_SCRIPT_MS / 60000) + " minutes pass");
    }

    void wait(std::istringstream& words)
    {
        const std::string usage = "wait MS (0.." + std::to_string(MAX_SCRIPT_MS) + ")";
        const long long ms = number_word(words, 0, MAX_SCRIPT_MS, usage);
        no_more(words, usage);
        spend(ms);
        run.wait(static_cast<uint32_t>(ms));
    }

    // Real time passes for what comes from outside (gpsd's reports); the program's own clock
    // stands still, and one frame then shows what arrived.
    void sleep(std::istringstream& words)
    {
        const std::string usage = "sleep MS (0.." + std::to_string(MAX_SLEEP_MS) + ")";
        const long long ms = number_word(words, 0, MAX_SLEEP_MS, usage);
        no_more(words, usage);
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        run.frame(0);
    }

    // Everything after the verb and one space: names and texts may hold spaces.
    std::string rest_after(const std::string& verb) const
    {
        const size_t start = line.find(verb) + verb.size();
        return start < line.size() ? line.substr(start + 1) : std::string();
    }

    long long number_word(std::istringstream& words, long long low, long long high, const std::string& usage) const
    {
        long long value = 0;
        if (!(words >> value) || value < low || value > high)
            throw fail("expected " + usage);
        return value;
    }

    void no_more(std::istringstream& words, const std::string& usage) const
    {
        std::string rest;
        if (words >> rest)
            throw fail("expected " + usage);
    }

    void pointer(const std::string& verb, std::istringstream& words)
    {
        const std::string usage = verb + " X Y";
        const long long x = number_word(words, -MAX_COORDINATE, MAX_COORDINATE, usage);
        const long long y = number_word(words, -MAX_COORDINATE, MAX_COORDINATE, usage);
        no_more(words, usage);
        const Point at{static_cast<int32_t>(x), static_cast<int32_t>(y)};
        if (verb == "press")
            run.press(at);
        else if (verb == "move")
            run.move(at);
        else
            run.release(at);
    }

    Element& shown(const std::string& path)
    {
        run.redraw();
        Element* top = run.top();
        Element* found = top && !path.empty() ? find_shown(*top, utf8_to_utf16(path)) : nullptr;
        if (!found)
            throw fail("no element named " + quoted(path) + " is shown");
        return *found;
    }

    Element& showing(const std::string& text)
    {
        run.redraw();
        Element* top = run.top();
        Element* found = top && !text.empty() ? find_showing_text(*top, utf8_to_utf16(text)) : nullptr;
        if (!found)
            throw fail("no shown element shows " + quoted(text));
        return *found;
    }

    void tap(Element& element)
    {
        spend(2 * FRAME_MS);
        const Point at = centre_of(element);
        run.press(at);
        run.frame(FRAME_MS);
        run.release(at);
        run.frame(FRAME_MS);
    }

    void drag(std::istringstream& words)
    {
        const std::string usage = "drag NAME DX DY";
        std::string name;
        if (!(words >> name))
            throw fail("expected " + usage);
        const long long dx = number_word(words, -MAX_COORDINATE, MAX_COORDINATE, usage);
        const long long dy = number_word(words, -MAX_COORDINATE, MAX_COORDINATE, usage);
        no_more(words, usage);
        const Point start = centre_of(shown(name));
        spend((DRAG_STEPS + HOLD_FRAMES + 1) * FRAME_MS);
        run.press(start);
        Point at = start;
        for (int step = 1; step <= DRAG_STEPS; ++step) {
            run.frame(FRAME_MS);
            at = {start.x + static_cast<int32_t>(dx * step / DRAG_STEPS), start.y + static_cast<int32_t>(dy * step / DRAG_STEPS)};
            run.move(at);
        }
        for (int hold = 0; hold < HOLD_FRAMES; ++hold) {
            run.frame(FRAME_MS);
            run.move(at);
        }
        run.release(at);
        run.frame(FRAME_MS);
    }

    void key(std::istringstream& words)
    {
        std::string name, state;
        if (!(words >> name >> state) || (state != "down" && state != "up"))
            throw fail("expected key NAME down|up");
        no_more(words, "key NAME down|up");
        const auto code = key_from_name(name);
        if (!code)
            throw fail("unknown key " + quoted(name));
        KeyEvent event;
        event.code = *code;
        event.down = state == "down";
        run.key(event);
    }

    HeadlessRun& run;
    const std::string& line;
    int number;
};

} // namespace

std::vector<std::string> read_event_lines(const std::string& path)
{
    std::string bytes;
    if (const FileResult read = read_whole_file(path, bytes, MAX_SCRIPT_BYTES); !read) {
        if (read.too_large)
            throw UsageError("--events: " + quoted(path) + " is larger than " + std::to_string(MAX_SCRIPT_BYTES / (1024 * 1024)) +
                             " MiB; an events file holds a few lines of input");
        throw UsageError("--events: cannot read " + quoted(path) + ": " + read.reason);
    }
    std::vector<std::string> lines;
    std::istringstream text(bytes);
    std::string line;
    while (std::getline(text, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

void run_event_line(HeadlessRun& run, const std::string& line, int number)
{
    LineRunner(run, line, number).run_line();
}

} // namespace stellaro
