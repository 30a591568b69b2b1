#include "app/load_report.h"

#include "document/document.h"
#include "skin/io/paths.h"
#include "sky/stars.h"

#include <iostream>

namespace stellaro {

bool report_load_problem(const std::string& command, const std::string& file, const std::string& problem)
{
    if (problem.empty())
        return false;
    std::cerr << "stellaro " << command << ": " << file << ": " << problem << "\n";
    return true;
}

bool report_cities(const std::string& command, const Document& document)
{
    return report_load_problem(command, native_path(CITIES_FILE), document.cities_read.problem);
}

bool report_catalog(const std::string& command, const SkyCatalogLoad& load)
{
    const bool stars = report_load_problem(command, native_path(STAR_CATALOG_FILE), load.stars.problem);
    // Figures naming stars that an unsound catalogue lost are that catalogue's fault, told above.
    const ConstellationLoad& figures = load.constellations;
    if (stars && figures.damaged == 0 && !figures.unterminated_tail)
        return true;
    return report_load_problem(command, native_path(CONSTELLATIONS_FILE), figures.problem) || stars;
}

bool report_sky(const std::string& command, const Stars& sky)
{
    bool reported = report_catalog(command, sky.catalog_load());
    for (const auto& [file, problem] : sky.picture_problems())
        reported = report_load_problem(command, file, problem) || reported;
    return reported;
}

} // namespace stellaro
