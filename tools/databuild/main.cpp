// stellaro_databuild: builds the program's data files from the sources in data/.
//
//   stellaro_databuild catalog STARS.tsv OUT/catalog.db
//   stellaro_databuild constellations LINES.tsv NAMES_EN.tsv STARS.tsv OUT/constellations.txt OUT/constellations.zip
//   stellaro_databuild cities CITIES.tsv ZONE1970.tab OUT/cities.db
//   stellaro_databuild languages SOURCES_FOLDER TEXTS_FOLDER OUT_FOLDER name:code...
//   stellaro_databuild map WORLD.jpg BORDERS.txt OUT/map.zip
//   stellaro_databuild pictures OUT_FOLDER
//   stellaro_databuild icon WHITE_ICON.png OUT/icon.bmp
#include "binary_output.h"
#include "catalog_file.h"
#include "city_file.h"
#include "constellation_pictures.h"
#include "constellation_table.h"
#include "icon_picture.h"
#include "language_files.h"
#include "sky_pictures.h"
#include "world_map.h"

#include "platform/clock.h"

#include <iostream>
#include <string>
#include <vector>

namespace stellaro {

namespace {

using Arguments = std::vector<std::string>;

bool build_catalog(const Arguments& args)
{
    StarTable stars;
    if (!load_star_table(args[0], stars))
        return false;
    std::cout << "catalog.db: " << stars.size() << " stars\n";
    return write_output(args[1], catalog_file(stars));
}

bool build_constellations(const Arguments& args)
{
    StarTable stars;
    std::vector<SourceConstellation> constellations;
    if (!load_star_table(args[2], stars) || !load_constellations(args[0], args[1], stars, constellations))
        return false;
    std::string archive;
    if (!constellation_archive(constellations, stars, args[4] + ".scratch.png", archive))
        return false;
    std::cout << "constellations: " << constellations.size() << " figures\n";
    return write_output(args[3], constellation_text(constellations)) && write_output(args[4], archive);
}

bool build_cities(const Arguments& args)
{
    std::string bytes;
    size_t count = 0;
    if (!build_city_file(args[0], args[1], bytes, count))
        return false;
    std::cout << "cities.db: " << count << " cities\n";
    return write_output(args[2], bytes);
}

bool build_languages(const Arguments& args)
{
    std::vector<LanguageFile> languages;
    for (size_t i = 3; i < args.size(); ++i) {
        const size_t colon = args[i].find(':');
        if (colon == std::string::npos || colon == 0 || colon + 1 == args[i].size()) {
            std::cerr << "languages: expected name:code, got " << args[i] << "\n";
            return false;
        }
        languages.push_back({args[i].substr(0, colon), args[i].substr(colon + 1)});
    }
    return build_language_files(args[0], args[1], args[2], languages);
}

bool build_map(const Arguments& args)
{
    std::string archive;
    return build_map_archive(args[0], args[1], archive) && write_output(args[2], archive);
}

bool build_pictures(const Arguments& args)
{
    return write_sky_pictures(args[0]);
}

bool build_icon(const Arguments& args)
{
    return write_icon_picture(args[0], args[1]);
}

struct Command {
    const char* name;
    size_t arguments; // the least number of arguments
    bool (*run)(const Arguments&);
};

constexpr Command COMMANDS[] = {
    {"catalog", 2, build_catalog},     {"constellations", 5, build_constellations},
    {"cities", 3, build_cities},       {"languages", 4, build_languages},
    {"map", 3, build_map},             {"pictures", 1, build_pictures},
    {"icon", 2, build_icon},
};

} // namespace

} // namespace stellaro

using namespace stellaro;

int main(int argc, char** argv)
{
    const Arguments args(argv + (argc > 1 ? 2 : argc), argv + argc);
    for (const Command& command : COMMANDS) {
        if (argc < 2 || argv[1] != std::string(command.name))
            continue;
        if (args.size() < command.arguments) {
            std::cerr << "stellaro_databuild " << command.name << ": too few arguments (see the head of main.cpp)\n";
            return 2;
        }
        Stopwatch watch;
        if (!command.run(args))
            return 1;
        std::cout << command.name << ": " << watch.seconds() << " s\n";
        return 0;
    }
    std::cerr << "usage: stellaro_databuild catalog|constellations|cities|languages|map|pictures|icon ARGUMENTS\n";
    return 2;
}
