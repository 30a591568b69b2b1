#include "app/command_table.h"
#include "app/element_dump.h"
#include "app/load_report.h"
#include "app/place_and_moment.h"
#include "app/program_setup.h"
#include "app/screen_factory.h"

#include "document/document.h"
#include "platform/sdl_window.h"
#include "platform/utf.h"
#include "screens/main_screen.h"
#include "shell/application.h"
#include "shell/running_instance.h"
#include "skin/io/log.h"
#include "skin/props/properties.h"
#include "sky/stars.h"

#include <cctype>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace stellaro {

namespace {

constexpr const char16_t* TITLE = u"Stellaro II";
constexpr const char* MAIN_SCREEN = "Main";
constexpr const char16_t* NO_LANGUAGES = u"No languages, please reinstall\n"
                                         u"\u041d\u0435 \u043d\u0430\u0439\u0434\u0435\u043d\u044b \u044f\u0437\u044b\u043a\u043e\u0432\u044b\u0435 "
                                         u"\u0444\u0430\u0439\u043b\u044b, \u043d\u0443\u0436\u043d\u0430 "
                                         u"\u043f\u0435\u0440\u0435\u0443\u0441\u0442\u0430\u043d\u043e\u0432\u043a\u0430\n";

// What the program does with the application's calls while it shows another screen than the
// main one (which answers them itself).
class OtherScreenListener : public ApplicationListener {
public:
    explicit OtherScreenListener(Application& application) : application(application) { backlight.emplace(); }

    void on_command_line(std::u16string_view) override { application.bring_to_front(); }
    bool on_close() override { return true; }
    bool on_wheel(Point, int) override { return false; }
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
    std::optional<BacklightHold> backlight;
};

// Where a screen goes when there is no display to show it on: stellaro-sky.png for the sky,
// else the node's name in lower case, e.g. stellaro-gallery.png.
std::string no_display_picture(const std::string& screen)
{
    if (screen == MAIN_SCREEN)
        return "stellaro-sky.png";
    std::string name;
    for (const char c : screen)
        name.push_back(std::isalnum(static_cast<unsigned char>(c)) ? static_cast<char>(std::tolower(static_cast<unsigned char>(c))) : '-');
    return "stellaro-" + name + ".png";
}

// Without a display the screen is drawn into a picture instead, by the render command.
int render_instead(const std::string& why, const std::vector<std::string>& render_options, const std::string& screen, std::ostream& out)
{
    const std::string picture = no_display_picture(screen);
    const std::string what = screen == MAIN_SCREEN ? "the sky" : "the screen " + screen;
    std::cerr << "stellaro: " << why << "; drawing " << what << " into " << picture
              << " instead (stellaro render draws it with every option)\n";
    std::vector<std::string> arguments = {"--out", picture};
    arguments.insert(arguments.end(), render_options.begin(), render_options.end());
    OptionList options(arguments);
    // The render command names its picture; the line below says it once, in these words.
    std::ostringstream render_output;
    const int status = render_command(options, render_output);
    if (status == 0)
        out << "No display: " << what << " was drawn into " << picture << "\n";
    return status;
}

// Loads the language and the skin; false, after saying why, when either is missing. Files that
// did not load soundly are reported; the window shows what did load.
bool load_skin(Properties& properties)
{
    if (!load_language(properties, "run") && properties.language().loaded_path().empty()) {
        show_message(utf16_to_utf8(TITLE), utf16_to_utf8(NO_LANGUAGES));
        return false;
    }
    const SkinLoad skin = properties.load_skin(u"%app_path%/skins/bin/default.skin", DOTS_PER_INCH);
    if (!skin) {
        report_load_problem("run", skin.file, skin.problem);
        show_message(utf16_to_utf8(TITLE), utf16_to_utf8(properties.translate(u"NoSkins")));
        return false;
    }
    return true;
}

// Shows the screen in the application's window until the window closes, then writes the dump
// when one was asked for. The exit status.
int run_window(Application& application, Properties& properties, const std::string& screen_name,
               const std::vector<std::string>& place_options, const std::optional<std::string>& dump_path)
{
    const std::unique_ptr<NodeRegistration> sky_kind = Stars::register_kind();
    Document document;
    report_cities("run", document);
    if (!place_options.empty()) {
        OptionList given(place_options);
        apply_place_and_moment(given, document);
    }
    if (document.night_mode)
        properties.to_night_colors();
    std::unique_ptr<Element> screen;
    try {
        screen = make_screen(properties, screen_name, ScreenUse::WINDOW);
    } catch (const ScreenError& error) {
        application.message_box(utf8_to_utf16(error.what()));
        return 1;
    }
    Stars* sky = sky_of(*screen);
    if (sky)
        report_sky("run", *sky);
    OtherScreenListener other_listener(application);
    auto* main_screen = dynamic_cast<MainScreen*>(screen.get());
    if (main_screen) {
        main_screen->set_command_line_handler([&document](std::u16string_view text) { apply_handed_command_line(text, document); });
        application.set_listener(main_screen);
    } else {
        application.set_listener(&other_listener);
    }
    Element* shown = screen.get();
    application.push_screen(std::move(screen));
    application.run();
    const DumpedState state{&document, &properties, sky};
    const FileResult dumped = dump_path ? write_dump(application.screens(), *dump_path, state) : FileResult {};
    application.set_listener(nullptr);
    application.remove_screen(shown);
    if (!dumped) {
        std::cerr << "stellaro run: cannot write " << *dump_path << ": " << dumped.reason << "\n";
        return 1;
    }
    return 0;
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
    const std::string rotate_text = options.value("--rotate").value_or("0");
    settings.orientation = parse_rotation(rotate_text);
    const std::string screen_name = options.value("--screen").value_or(MAIN_SCREEN);
    const std::optional<std::string> dump_path = options.value("--dump");
    if (dump_path && dump_path->empty())
        throw UsageError("--dump: expected a file name");
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
    Properties properties;
    if (!load_skin(properties))
        return 1;
    try {
        check_screen_name(properties, screen_name);
    } catch (const ScreenError& error) {
        throw UsageError(std::string("--screen: ") + error.what());
    }

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
        std::vector<std::string> render_options = {"--size", size_text, "--rotate", rotate_text, "--screen", screen_name};
        if (dump_path)
            render_options.insert(render_options.end(), {"--dump", *dump_path});
        render_options.insert(render_options.end(), place_options.begin(), place_options.end());
        return render_instead(why, render_options, screen_name, out);
    }
    const int status = run_window(*made, properties, screen_name, place_options, dump_path);
    made.reset();
    close_running_instance();
    return status;
}

} // namespace stellaro
