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

// Long scripts and long waits only repeat frames already drawn; capped so that one input
// stays quick.
constexpr size_t MAX_LINES = 32;
constexpr long MAX_WAIT_MS = 1000;

// The script reads words as a stream does, after any white space.
bool long_wait(const std::string& line)
{
    const size_t verb = line.find_first_not_of(" \t\n\v\f\r");
    return verb != std::string::npos && line.compare(verb, 4, "wait") == 0 &&
           std::strtol(line.c_str() + verb + 4, nullptr, 10) > MAX_WAIT_MS;
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
