#include "app/command_table.h"
#include "app/element_dump.h"
#include "app/event_script.h"
#include "app/headless_run.h"
#include "app/load_report.h"
#include "app/place_and_moment.h"
#include "app/program_setup.h"
#include "app/screen_factory.h"

#include "astro/angles.h"
#include "astro/body.h"
#include "astro/constellation.h"
#include "document/document.h"
#include "platform/utf.h"
#include "screens/main_screen.h"
#include "shell/frame_clock.h"
#include "skin/elements/keys.h"
#include "skin/props/properties.h"
#include "skin/props/skincore.h"
#include "skin/surface/png_writer.h"
#include "skin/surface/render_surface.h"
#include "sky/stars.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace stellaro {

namespace {

// Without --frames the sky is stepped until every label and body has appeared and a selected
// object has been reached (labels come two per frame, body positions one per frame, the view
// turns one radian per second), but not beyond a minute.
constexpr int MAX_SETTLING_FRAMES = 1500;
constexpr int MAX_FRAMES = 100000;
constexpr uint32_t OPENED_SETTLING_MS = 1000;
constexpr int MAX_LOADING_MS = 10000;

// What --open may open before the picture is taken, each as a tap on the main screen would: its
// panels, or a screen over it (opened once the sky has settled, so that it shows over the
// finished picture). False when there is nothing to open.
struct Openable {
    const char* name;
    bool over_the_sky;
    bool (*open)(MainScreen& screen);
    // Whether what was opened still loads on another thread (the picture waits for it).
    bool (*loading)(const MainScreen& screen) = nullptr;
};
constexpr Openable OPENABLE[] = {
    {"search", false, [](MainScreen& screen) { screen.open_panel(MainScreen::Panel::SEARCH); return true; }},
    {"datetime", false, [](MainScreen& screen) { screen.open_panel(MainScreen::Panel::DATETIME); return true; }},
    {"settings", false, [](MainScreen& screen) { screen.open_panel(MainScreen::Panel::SETTINGS); return true; }},
    {"menu", true, [](MainScreen& screen) { screen.open_menu(); return true; }},
    {"about", true, [](MainScreen& screen) { screen.open_about(); return true; }},
    {"cities", true, [](MainScreen& screen) { screen.open_city_list(); return true; }},
    {"info", true, [](MainScreen& screen) { return screen.open_selection_info(); }},
    {"gps", false, [](MainScreen& screen) { screen.open_gps(); return true; }},
    {"location", true, [](MainScreen& screen) { screen.open_location(); return true; },
     [](const MainScreen& screen) { return screen.location().loading(); }},
};

const Openable& parse_openable(const std::string& text)
{
    std::string names;
    for (const Openable& openable : OPENABLE) {
        if (text == openable.name)
            return openable;
        names += names.empty() ? openable.name : std::string(", ") + openable.name;
    }
    throw UsageError("--open: unknown panel '" + text + "' (" + names + ")");
}

void apply_hidden(const std::string& list, Document& document)
{
    std::stringstream items(list);
    std::string item;
    while (std::getline(items, item, ',')) {
        if (item == "grid")
            document.show_grid = false;
        else if (item == "stars")
            document.show_stars = false;
        else if (item == "constellations")
            document.show_constellations = false;
        else if (item == "planets")
            document.show_planets = false;
        else if (item == "background")
            document.show_back = false;
        else if (item == "refraction")
            document.refraction = false;
        else
            throw UsageError("--hide: unknown switch '" + item + "' (grid, stars, constellations, planets, background, refraction)");
    }
}

SkyObject parse_selection(const std::string& text, const Stars& sky)
{
    const size_t colon = text.find(':');
    const std::string kind = text.substr(0, colon);
    const std::string value = colon == std::string::npos ? "" : text.substr(colon + 1);
    if (kind == "star") {
        const int number = parse_integer_in("--select", value, 1, 1000000);
        const StarRecord* star = sky.catalog().stars.find(number);
        if (!star || !star->valid)
            throw UsageError("--select: the catalogue has no star HR " + value);
        return {SkyKind::star, number};
    }
    if (kind == "body") {
        if (const std::optional<Body> body = body_named(value))
            return SkyObject::of(*body);
        return {SkyKind::body, parse_integer_in("--select", value, 0, static_cast<int>(BODY_COUNT) - 1)};
    }
    if (kind == "constellation") {
        const auto& all = sky.catalog().constellations;
        const Constellation* found = find_constellation(all, utf8_to_utf16(value));
        if (!found)
            throw UsageError("--select: no constellation '" + value + "'");
        return {SkyKind::constellation, static_cast<int32_t>(found - all.data())};
    }
    throw UsageError("--select: expected star:HR, body:N or constellation:CODE, got '" + text + "'");
}

// Steps frames until the opened screen has loaded what its worker reads (in real time, which
// frames do not take), but not beyond MAX_LOADING_MS.
void wait_for_loading(HeadlessRun& run, const Openable& opened, const MainScreen& screen)
{
    const auto start = std::chrono::steady_clock::now();
    do {
        run.frame(FRAME_MS);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    } while (opened.loading(screen) && std::chrono::steady_clock::now() - start < std::chrono::milliseconds(MAX_LOADING_MS));
    // The last tiles are handed over and drawn.
    run.frame(FRAME_MS);
}

// Whether the picture has come to rest: the sky has shown its labels and reached its selection;
// other screens have nothing more to draw.
bool settled(HeadlessRun& run, const Stars* sky)
{
    if (sky && sky->effectively_visible())
        return sky->settled();
    return !run.application().needs_redraw();
}

} // namespace

int render_command(OptionList& options, std::ostream& out)
{
    const auto out_path = options.value("--out");
    if (!out_path || out_path->empty())
        throw UsageError("--out FILE.png is required");
    const auto size_text = options.value("--size");
    const Size size = size_text ? parse_size(*size_text) : Size{480, 800};
    const auto rotate = options.value("--rotate");
    const int32_t turns = rotate ? parse_rotation(*rotate) : 0;
    const auto az = options.value("--az");
    const auto alt = options.value("--alt");
    const auto zoom = options.value("--zoom");
    const bool night = options.flag("--night");
    const auto select = options.value("--select");
    const auto hide = options.value("--hide");
    const auto frames_text = options.value("--frames");
    const auto events_path = options.value("--events");
    const auto dump_path = options.value("--dump");
    const auto open_text = options.value("--open");
    const std::string screen_name = options.value("--screen").value_or("Main");
    const auto language = options.value("--language");
    const int frames = frames_text ? parse_integer_in("--frames", *frames_text, 1, MAX_FRAMES) : 0;
    const double azimuth = az ? parse_number_in("--az", *az, -360.0, 360.0) : 0.0;
    const double altitude = alt ? parse_number_in("--alt", *alt, -90.0, 90.0) : 0.0;
    const double zoom_level = zoom ? parse_number_in("--zoom", *zoom, 0.0, 3.0) : 0.0;
    const Openable* to_open = open_text ? &parse_openable(*open_text) : nullptr;
    const std::vector<std::string> events = events_path ? read_event_lines(*events_path) : std::vector<std::string>{};

    Document document;
    // A command that draws or prints changes no stored setting.
    document.set_persistent(false);
    apply_place_and_moment(options, document);
    options.finish();
    if (hide)
        apply_hidden(*hide, document);
    document.night_mode = night;

    // The skin outlives the screens made from it, which the run's screen stack owns.
    Properties properties;
    HeadlessRun run(size, turns);
    const std::unique_ptr<NodeRegistration> sky_kind = Stars::register_kind();
    // Every data file the picture is made from that did not load soundly is reported, and then
    // the picture is not written.
    bool sound = load_language(properties, "render", language);
    if (properties.language().loaded_path().empty())
        return 1;
    const SkinLoad skin = properties.load_skin(u"%app_path%/skins/bin/default.skin", DOTS_PER_INCH);
    if (!skin) {
        report_load_problem("render", skin.file, skin.problem);
        return 1;
    }
    if (night)
        properties.to_night_colors();
    std::unique_ptr<Element> made;
    try {
        made = make_screen(properties, screen_name, ScreenUse::PICTURE);
    } catch (const ScreenError& error) {
        std::cerr << "stellaro render: " << error.what() << "\n";
        return 1;
    }
    Element& screen = *made;
    Stars* sky = sky_of(screen);
    if (sky) {
        sky->view().view_azimuth = azimuth * DEG_TO_RAD;
        sky->view().view_altitude = std::clamp(altitude * DEG_TO_RAD, -SkyView::MAX_ALTITUDE, SkyView::MAX_ALTITUDE);
        sky->view().zoom = zoom_level;
        if (select)
            sky->select(parse_selection(*select, *sky));
    } else if (select || az || alt || zoom) {
        throw UsageError("--select, --az, --alt and --zoom need the main screen (--screen Main)");
    }
    if (sky && report_sky("render", *sky))
        sound = false;
    if (!sound)
        return 1;
    auto* main_screen = dynamic_cast<MainScreen*>(made.get());
    if (to_open && !main_screen)
        throw UsageError("--open needs the main screen (--screen Main)");
    if (to_open && std::string(to_open->name) == "info" && !select)
        throw UsageError("--open info needs an object: --select star:HR, body:N or constellation:CODE");
    run.open(std::move(made));
    // A reload of the skin (night mode, another language) makes the main screen's sky anew.
    const auto current_sky = [main_screen, sky] { return main_screen ? &main_screen->sky() : sky; };
    if (to_open && to_open->over_the_sky) {
        int i = 0;
        do
            run.frame(FRAME_MS);
        while (!settled(run, current_sky()) && ++i < MAX_SETTLING_FRAMES);
    }
    if (to_open && !to_open->open(*main_screen)) {
        std::cerr << "stellaro render: there is nothing to show for --open " << to_open->name << "\n";
        return 1;
    }
    // A screen that loads is laid out and filled before the events act on it, and again after.
    if (to_open && to_open->loading)
        wait_for_loading(run, *to_open, *main_screen);
    for (size_t i = 0; i < events.size() && !run.application().quit_requested(); ++i)
        run_event_line(run, events[i], static_cast<int>(i + 1));
    if (to_open && to_open->loading)
        wait_for_loading(run, *to_open, *main_screen);
    if (frames > 0) {
        for (int i = 0; i < frames; ++i)
            run.frame(FRAME_MS);
    } else if (to_open && to_open->over_the_sky) {
        // A second lets the panels' slides and the dimming end (the Sun's panel never rests).
        run.wait(OPENED_SETTLING_MS);
    } else {
        int i = 0;
        do
            run.frame(FRAME_MS);
        while (!settled(run, current_sky()) && ++i < MAX_SETTLING_FRAMES);
    }
    if (dump_path) {
        const DumpedState state{&document, &properties, current_sky()};
        if (const FileResult written = write_dump(run.application().screens(), *dump_path, state); !written) {
            std::cerr << "stellaro render: cannot write " << *dump_path << ": " << written.reason << "\n";
            return 1;
        }
    }
    if (const FileResult written = write_png(run.window_picture(), *out_path); !written) {
        std::cerr << "stellaro render: cannot write " << *out_path << ": " << written.reason << "\n";
        return 1;
    }
    out << *out_path << "\n";
    if (run.application().quit_requested())
        out << "The program was asked to quit: the window would close here.\n";
    return 0;
}

} // namespace stellaro
