// Events scripts, read from a file as --events reads them and run on a headless gallery, the
// screen with every element kind. A failing line ends the script, as it ends the command.
#include "fuzz_support.h"

#include "app/command_line.h"
#include "app/event_script.h"
#include "app/headless_run.h"
#include "app/screen_factory.h"
#include "skin/props/properties.h"

#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace stellaro;

// Long scripts and long waits only repeat frames already drawn, and real sleeps only slow the
// fuzzer down; capped so that one input stays quick.
constexpr size_t MAX_LINES = 32;
constexpr long MAX_WAIT_MS = 1000;
constexpr long MAX_SLEEP_MS = 5;

// Whether the line starts with the verb and a number above the limit; the script reads words as
// a stream does, after any white space.
bool longer_than(const std::string& line, const std::string& verb, long limit)
{
    const size_t start = line.find_first_not_of(" \t\n\v\f\r");
    return start != std::string::npos && line.compare(start, verb.size(), verb) == 0 &&
           std::strtol(line.c_str() + start + verb.size(), nullptr, 10) > limit;
}

bool long_wait(const std::string& line)
{
    return longer_than(line, "wait", MAX_WAIT_MS) || longer_than(line, "sleep", MAX_SLEEP_MS);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::vector<std::string> lines = read_event_lines(write_scratch_file("events.txt", data, size));
    HeadlessRun run({240, 400});
    // The skin outlives the screens made from it; it is loaded once for all inputs.
    static Properties properties;
    static const bool loaded = static_cast<bool>(properties.load_skin(fuzz_data_path(u"skins/bin/default.skin"), 96));
    if (!loaded)
        std::abort();
    run.open(make_screen(properties, "Gallery", ScreenUse::PICTURE));
    for (size_t i = 0; i < lines.size() && i < MAX_LINES; ++i) {
        if (long_wait(lines[i]))
            continue;
        try {
            run_event_line(run, lines[i], static_cast<int>(i + 1));
        } catch (const UsageError&) {
            break;
        }
    }
    return 0;
}
