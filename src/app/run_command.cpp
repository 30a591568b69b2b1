#include "app/command_table.h"
#include "app/place_and_moment.h"
#include "app/program_setup.h"

#include "document/document.h"
#include "platform/utf.h"
#include "screens/window_sky_screen.h"
#include "shell/application.h"
#include "shell/running_instance.h"
#include "skin/io/log.h"
#include "skin/props/properties.h"
#include "sky/stars.h"

#include <iostream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace stellaro {

namespace {

constexpr const char16_t* TITLE = u"Stellaro II";
// One wheel notch zooms as far as dragging the zoom knob by this many pixels.
constexpr double WHEEL_PIXELS = 20.0;
// Where the sky goes when there is no display to show it on.
constexpr const char* NO_DISPLAY_PICTURE = "stellaro-sky.png";
constexpr const char16_t* NO_LANGUAGES = u"No languages, please reinstall\n"
                                         u"\u041d\u0435 \u043d\u0430\u0439\u0434\u0435\u043d\u044b \u044f\u0437\u044b\u043a\u043e\u0432\u044b\u0435 "
                                         u"\u0444\u0430\u0439\u043b\u044b, \u043d\u0443\u0436\u043d\u0430 "
                                         u"\u043f\u0435\u0440\u0435\u0443\u0441\u0442\u0430\u043d\u043e\u0432\u043a\u0430\n";

// What the running program does with the application's calls.
class MainListener : public ApplicationListener {
public:
    MainListener(Application& application, WindowSkyScreen& screen) : application(application), screen(screen)
    {
        backlight.emplace();
    }

    void on_command_line(std::u16string_view) override { application.bring_to_front(); }
    bool on_close() override { return true; }
    bool on_wheel(Point, int steps) override
    {
        Stars* stars = screen.sky();
        if (!stars)
            return false;
        stars->zoom_by(-steps * WHEEL_PIXELS);
        return true;
    }
    void on_screen_closed(Element*, ScreenClosing) override {}
    void on_resolution_changed() override {}
    void on_help() override {}
    void on_deactivated() override { backlight.reset(); }
    void on_activated() override
    {
        backlight.reset();
        backlight.emplace();
    }
    bool filter_key(const KeyEvent&) override { return false; }

private:
    Application& application;
    WindowSkyScreen& screen;
    std::optional<BacklightHold> backlight;
};

int32_t parse_orientation(const std::string& text)
{
    const int degrees = parse_integer_in("--rotate", text, 0, 270);
    if (degrees % 90 != 0)
        throw UsageError("--rotate: expected 0, 90, 180 or 270, got '" + text + "'");
    return degrees / 90;
}

// Without a display the sky is drawn into a picture instead, by the render command.
int render_instead(const std::string& why, const std::vector<std::string>& place_options, const std::string& size, std::ostream& out)
{
    std::cerr << "stellaro: " << why << "; drawing the sky into " << NO_DISPLAY_PICTURE
              << " instead (stellaro render draws it with every option)\n";
    std::vector<std::string> arguments = {"--out", NO_DISPLAY_PICTURE, "--size", size};
    arguments.insert(arguments.end(), place_options.begin(), place_options.end());
    OptionList render_options(arguments);
    // The render command names its picture; the line below says it once, in these words.
    std::ostringstream render_output;
    const int status = render_command(render_options, render_output);
    if (status == 0)
        out << "No display: the sky was drawn into " << NO_DISPLAY_PICTURE << "\n";
    return status;
}

} // namespace

int run_command(OptionList& options, std::ostream& out)
{
    WindowSettings settings;
    std::string size_text = "480x800";
    if (const auto size = options.value("--size")) {
        const Size window = parse_size(*size);
        settings.width = window.width;
        settings.height = window.height;
        size_text = *size;
    }
    if (const auto rotate = options.value("--rotate"))
        settings.orientation = parse_orientation(*rotate);
    // The place and the moment as given, handed to the render command when there is no display.
    std::vector<std::string> place_options;
    std::optional<std::string> lat = options.value("--lat");
    std::optional<std::string> lon = options.value("--lon");
    std::optional<std::string> time = options.value("--time");
    for (const auto& [name, value] : {std::pair{"--lat", lat}, std::pair{"--lon", lon}, std::pair{"--time", time}}) {
        if (value) {
            place_options.push_back(name);
            place_options.push_back(*value);
        }
    }
    options.finish();
    // Bad values are reported before a window opens.
    if (lat)
        parse_number_in("--lat", *lat, -90.0, 90.0);
    if (lon)
        parse_number_in("--lon", *lon, -180.0, 180.0);
    if (time)
        parse_moment("--time", *time);

    log() << " WinMain 0\n";
    std::vector<std::string> handed = {"run"};
    handed.insert(handed.end(), place_options.begin(), place_options.end());
    if (show_running_instance(handed, TITLE)) {
        out << "Stellaro is already running: its window was brought forward.\n";
        return 0;
    }
    log() << " WinMain 1\n";
    auto made = std::make_unique<Application>(TITLE, settings);
    if (!made->has_window()) {
        // The render command makes an application of its own.
        const std::string why = made->window_error();
        made.reset();
        close_running_instance();
        return render_instead(why, place_options, size_text, out);
    }
    Application& application = *made;
    const std::unique_ptr<NodeRegistration> sky_kind = Stars::register_kind();

    Properties properties;
    if (!load_language(properties)) {
        application.message_box(NO_LANGUAGES);
        close_running_instance();
        return 1;
    }
    if (!properties.load_skin(u"%app_path%/skins/bin/default.skin", DOTS_PER_INCH)) {
        application.message_box(properties.translate(u"NoSkins"));
        close_running_instance();
        return 1;
    }
    Document document;
    if (!place_options.empty()) {
        OptionList given(place_options);
        apply_place_and_moment(given, document);
    }
    if (document.night_mode)
        properties.to_night_colors();
    auto screen = std::make_unique<WindowSkyScreen>();
    if (!screen->build(properties)) {
        application.message_box(properties.translate(u"NoSkins"));
        close_running_instance();
        return 1;
    }
    MainListener listener(application, *screen);
    application.set_listener(&listener);
    WindowSkyScreen* shown = screen.get();
    application.push_screen(std::move(screen));
    application.run();
    application.set_listener(nullptr);
    application.remove_screen(shown);
    close_running_instance();
    return 0;
}

} // namespace stellaro
