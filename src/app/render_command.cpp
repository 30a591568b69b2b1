#include "app/command_table.h"
#include "app/place_and_moment.h"
#include "app/program_setup.h"

#include "astro/angles.h"
#include "astro/body.h"
#include "astro/constellation.h"
#include "document/document.h"
#include "platform/utf.h"
#include "screens/sky_screen.h"
#include "shell/frame_clock.h"
#include "skin/elements/keys.h"
#include "skin/props/properties.h"
#include "skin/surface/png_writer.h"
#include "skin/surface/render_surface.h"
#include "sky/stars.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace stellaro {

namespace {

// Without --frames the sky is stepped until every label and body has appeared and a selected
// object has been reached (labels come two per frame, body positions one per frame, the view
// turns one radian per second), but not beyond a minute.
constexpr int MAX_SETTLING_FRAMES = 1500;
constexpr int MAX_FRAMES = 100000;
constexpr uint32_t MAX_WAIT_MS = 3600000;

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
        else
            throw UsageError("--hide: unknown switch '" + item + "' (grid, stars, constellations, planets, background)");
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

// Runs the screen headless: frames of update and paint into one surface, and scripted input.
class HeadlessRun {
public:
    HeadlessRun(SkyScreen& screen, Size size) : screen(screen), surface(size)
    {
        screen.set_horizontal(0, size.width);
        screen.set_vertical(0, size.height);
    }

    void frame(uint32_t dt_ms)
    {
        now += dt_ms;
        screen.update(dt_ms / 1000.0);
        screen.draw(surface, Point{0, 0});
    }

    void wait(uint32_t ms)
    {
        while (ms > 0) {
            const uint32_t step = std::min(ms, FRAME_MS);
            frame(step);
            ms -= step;
        }
    }

    // One line of an events file; throws UsageError naming the line when it is not understood.
    void apply(const std::string& line, int number)
    {
        std::istringstream words(line);
        std::string verb;
        words >> verb;
        if (verb.empty() || verb[0] == '#')
            return;
        const auto fail = [&](const std::string& why) -> UsageError {
            return UsageError("--events: line " + std::to_string(number) + ": " + why + ": '" + line + "'");
        };
        if (verb == "press" || verb == "move" || verb == "release") {
            long long x = 0, y = 0;
            std::string rest;
            if (!(words >> x >> y) || (words >> rest) || std::llabs(x) > 100000 || std::llabs(y) > 100000)
                throw fail("expected " + verb + " X Y");
            PointerEvent event;
            event.x = static_cast<int32_t>(x);
            event.y = static_cast<int32_t>(y);
            event.time = now;
            if (verb == "move") {
                screen.on_pointer_move(event);
            } else {
                event.down = verb == "press";
                screen.on_pointer_button(event);
            }
        } else if (verb == "key") {
            std::string name, state, rest;
            if (!(words >> name >> state) || (words >> rest) || (state != "down" && state != "up"))
                throw fail("expected key NAME down|up");
            const auto code = key_from_name(name);
            if (!code)
                throw fail("unknown key '" + name + "'");
            KeyEvent event;
            event.code = *code;
            event.down = state == "down";
            screen.on_key(event);
        } else if (verb == "text") {
            const size_t start = line.find("text") + 4;
            const std::string text = start < line.size() ? line.substr(start + 1) : std::string();
            screen.on_text(utf8_to_utf16(text));
        } else if (verb == "wait") {
            long long ms = -1;
            std::string rest;
            if (!(words >> ms) || (words >> rest) || ms < 0 || ms > MAX_WAIT_MS)
                throw fail("expected wait MS (0.." + std::to_string(MAX_WAIT_MS) + ")");
            wait(static_cast<uint32_t>(ms));
        } else {
            throw fail("unknown event '" + verb + "'");
        }
    }

    const RenderSurface& frame_surface() const { return surface; }

private:
    SkyScreen& screen;
    RenderSurface surface;
    uint32_t now = 0;
};

std::vector<std::string> read_event_lines(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw UsageError("--events: cannot read '" + path + "'");
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

} // namespace

int render_command(OptionList& options, std::ostream& out)
{
    const auto out_path = options.value("--out");
    if (!out_path || out_path->empty())
        throw UsageError("--out FILE.png is required");
    const auto size_text = options.value("--size");
    const Size size = size_text ? parse_size(*size_text) : Size{480, 800};
    const auto az = options.value("--az");
    const auto alt = options.value("--alt");
    const auto zoom = options.value("--zoom");
    const bool night = options.flag("--night");
    const auto select = options.value("--select");
    const auto hide = options.value("--hide");
    const auto frames_text = options.value("--frames");
    const auto events_path = options.value("--events");
    const int frames = frames_text ? parse_integer_in("--frames", *frames_text, 1, MAX_FRAMES) : 0;
    const double azimuth = az ? parse_number_in("--az", *az, -360.0, 360.0) : 0.0;
    const double altitude = alt ? parse_number_in("--alt", *alt, -90.0, 90.0) : 0.0;
    const double zoom_level = zoom ? parse_number_in("--zoom", *zoom, 0.0, 3.0) : 0.0;
    const std::vector<std::string> events = events_path ? read_event_lines(*events_path) : std::vector<std::string>{};

    Document document;
    apply_place_and_moment(options, document);
    options.finish();
    if (hide)
        apply_hidden(*hide, document);
    document.night_mode = night;

    const std::unique_ptr<NodeRegistration> sky_kind = Stars::register_kind();
    Properties properties;
    // Without a language the picture is drawn all the same.
    load_language(properties);
    if (!properties.load_skin(u"%app_path%/skins/bin/default.skin", DOTS_PER_INCH)) {
        std::cerr << "stellaro render: cannot load skins/bin/default.skin\n";
        return 1;
    }
    if (night)
        properties.to_night_colors();
    SkyScreen screen;
    if (!screen.build(properties)) {
        std::cerr << "stellaro render: the skin has no sky in its \"Main\" screen\n";
        return 1;
    }
    Stars& sky = *screen.sky();
    sky.view().view_azimuth = azimuth * DEG_TO_RAD;
    sky.view().view_altitude = std::clamp(altitude * DEG_TO_RAD, -SkyView::MAX_ALTITUDE, SkyView::MAX_ALTITUDE);
    sky.view().zoom = zoom_level;
    if (select) {
        const SkyObject object = parse_selection(*select, sky);
        sky.select(object);
    }

    HeadlessRun run(screen, size);
    for (size_t i = 0; i < events.size(); ++i)
        run.apply(events[i], static_cast<int>(i + 1));
    if (frames > 0) {
        for (int i = 0; i < frames; ++i)
            run.frame(FRAME_MS);
    } else {
        int i = 0;
        do
            run.frame(FRAME_MS);
        while (!sky.settled() && ++i < MAX_SETTLING_FRAMES);
    }
    if (!write_png(run.frame_surface(), *out_path)) {
        std::cerr << "stellaro render: cannot write " << *out_path << "\n";
        return 1;
    }
    out << *out_path << "\n";
    return 0;
}

} // namespace stellaro
