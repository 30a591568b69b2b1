#include "app/command_table.h"
#include "app/element_dump.h"
#include "app/load_report.h"
#include "app/place_and_moment.h"
#include "app/program_setup.h"
#include "app/screen_factory.h"
#include "app/splash.h"

#include "document/document.h"
#include "platform/sdl_window.h"
#include "platform/utf.h"
#include "screens/main_screen.h"
#include "shell/application.h"
#include "shell/running_instance.h"
#include "skin/io/log.h"
#include "skin/io/paths.h"
#include "skin/props/skincore.h"
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

// The start-up behind the splash screen, the window's loop and the shutdown, in the application's
// window. The exit status: 1 when the start-up failed or the dump could not be written.
int run_window(Application& application, StartupOptions startup, const std::optional<std::string>& dump_path)
{
    const std::unique_ptr<NodeRegistration> sky_kind = Stars::register_kind();
    Properties splash_skin;
    if (const SkinLoad skin = splash_skin.load_skin(u"%app_path%/skins/bin/splash.skin", DOTS_PER_INCH); !skin) {
        report_load_problem("run", skin.file, skin.problem);
        application.message_box(NO_LANGUAGES);
        return 1;
    }
    log() << " WinMain 3\n";
    log() << " WinMain 4\n";
    log() << " WinMain 5\n";
    std::unique_ptr<Splash> splash;
    try {
        splash = std::make_unique<Splash>(application, splash_skin, std::move(startup));
    } catch (const skincore::SkinError& error) {
        report_load_problem("run", native_path(u"%app_path%/skins/bin/splash.skin"), error.what());
        application.message_box(NO_LANGUAGES);
        return 1;
    }
    log() << " WinMain 6\n";
    application.run();
    // Closing the window while the splash shows is the user's choice, not a failure.
    if (splash->failed())
        return 1;
    const DumpedState state{splash->document(), &splash->interface_skin(), splash->sky()};
    const FileResult dumped = dump_path ? write_dump(application.screens(), *dump_path, state) : FileResult {};
    splash.reset();
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
    const std::optional<std::string> language = options.value("--language");
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
    if (language)
        check_language_name(*language);
    if (screen_name != MAIN_SCREEN) {
        Properties skin;
        if (skin.load_skin(u"%app_path%/skins/bin/default.skin", DOTS_PER_INCH)) {
            try {
                check_screen_name(skin, screen_name);
            } catch (const ScreenError& error) {
                throw UsageError(std::string("--screen: ") + error.what());
            }
        }
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
        if (language)
            render_options.insert(render_options.end(), {"--language", *language});
        render_options.insert(render_options.end(), place_options.begin(), place_options.end());
        return render_instead(why, render_options, screen_name, out);
    }
    StartupOptions startup;
    startup.screen = screen_name;
    startup.language = language;
    if (!place_options.empty())
        startup.adjust_document = [place_options](Document& document) {
            OptionList given(place_options);
            apply_place_and_moment(given, document);
        };
    const int status = run_window(*made, std::move(startup), dump_path);
    made.reset();
    close_running_instance();
    return status;
}

} // namespace stellaro
