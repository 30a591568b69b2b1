#include "app/commands.h"

#include "app/command_table.h"

#include <array>

namespace stellaro {

namespace {

const std::array COMMANDS = {
    Command {"run", "run [--lat DEG --lon DEG] [--time YYYY-MM-DDTHH:MM[:SS][Z|+HH:MM]] [--size WxH] [--rotate 0|90|180|270] [--screen NODE] [--language NAME] [--dump FILE.json]",
             "opens the sky map window (the default command), or another screen of the skin (e.g. Gallery); --dump writes "
             "the element tree as JSON when the window closes; without a display draws stellaro-sky.png (or the screen) instead",
             run_command},
    Command {"info", "info [--lat DEG --lon DEG] [--time YYYY-MM-DDTHH:MM[:SS][Z|+HH:MM]]",
             "the place, the nearest city, the moment and its sidereal times", info_command},
    Command {"ephemeris", "ephemeris [--time YYYY-MM-DDTHH:MM[:SS][Z|+HH:MM] | --jd JD] [--lat DEG --lon DEG] [--fast] [--airless] [--csv] [--star HR]... [--constellation CODE]...",
             "apparent places of date of the Sun, the Moon and the planets (and of catalogue stars and constellation labels): "
             "geocentric right ascension and declination, azimuth and altitude seen from the place (bodies computed at TT = UT + "
             "delta T); --jd is a Julian day in UT; the table's altitudes include refraction (10 C, 1010 hPa) unless --airless; "
             "the CSV is always airless and appends topocentric RA and Dec, distance, lit fraction and magnitude", ephemeris_command},
    Command {"render", "render --out FILE.png [--size WxH] [--rotate 0|90|180|270] [--time T] [--lat DEG --lon DEG] [--az DEG --alt DEG --zoom Z] [--night] "
                       "[--select star:HR|body:N|body:NAME|constellation:CODE] [--hide grid,stars,constellations,planets,background,refraction] "
                       "[--frames N] [--open search|datetime|settings|menu|about|info|location] [--language NAME] [--events FILE] [--screen NODE] "
                       "[--dump FILE.json]",
             "draws a screen (the main screen unless --screen names another node of the skin, e.g. Gallery) headless into a PNG, "
             "turned as --rotate turns the window, after "
             "scripted input (press/move/release X Y, tap NAME, tap-text TEXT, drag NAME DX DY, key NAME down|up, text S, "
             "wait MS); --open opens a panel of the main screen first (search, date and time, settings), or the main menu, the "
             "about panel, the selected object's information or the location screen (once its map tiles are read) over it; --language names a language file (english, german...) "
             "instead of the stored choice; --dump writes the element tree as JSON with the document's state",
             render_command},
};

void print_help(std::ostream& out)
{
    out << "Usage: stellaro [COMMAND] [OPTIONS]\n"
           "Without a command the program shows the sky for the stored place and the clock.\n\n"
           "Commands:\n";
    for (const Command& command : COMMANDS)
        out << "  stellaro " << command.usage << "\n      " << command.summary << "\n";
    out << "\n  --lat and --lon take degrees (north and east positive); a --time without a zone is\n"
           "  local time, and it is Universal Time once the zone is applied. Years are astronomical (0000 is\n"
           "  1 BC, -0044 is 45 BC); dates before 1582-10-15 are Julian, 1582-10-05 to 1582-10-14 are refused.\n"
           "  Options never change the stored settings.\n";
}

} // namespace

int run_command_line(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err)
{
    if (!arguments.empty() && (arguments[0] == "--help" || arguments[0] == "-h" || arguments[0] == "help")) {
        print_help(out);
        return 0;
    }
    const std::string name = arguments.empty() || arguments[0].rfind("--", 0) == 0 ? "run" : arguments[0];
    for (const Command& command : COMMANDS) {
        if (name != command.name)
            continue;
        OptionList options(std::vector<std::string>(arguments.begin() + (arguments.empty() || arguments[0].rfind("--", 0) == 0 ? 0 : 1), arguments.end()));
        try {
            return command.run(options, out);
        } catch (const UsageError& error) {
            err << "stellaro " << command.name << ": " << error.what() << "\n";
            return 2;
        }
    }
    err << "stellaro: unknown command '" << name << "' (see stellaro --help)\n";
    return 2;
}

} // namespace stellaro
