#include "catalog/sky_catalog.h"

#include "platform/clock.h"
#include "skin/io/log.h"

namespace stellaro {

SkyCatalogLoad load_sky_catalog(SkyCatalog& sky, std::u16string_view star_path,
                                std::u16string_view constellations_path)
{
    SkyCatalogLoad result;
    Stopwatch stopwatch;
    sky.grid.reset();
    log() << "create_grid " << stopwatch.lap() << "\n";
    result.stars = load_star_catalog(star_path, sky.stars, sky.grid);
    log() << "load_stars " << stopwatch.lap() << "\n";
    result.constellations = load_constellations(constellations_path, sky.stars, sky.constellations);
    log() << "load_constellations " << stopwatch.lap() << "\n";
    return result;
}

} // namespace stellaro
