#pragma once
#include "astro/constellation.h"
#include "astro/sky_grid.h"
#include "astro/star_catalog.h"
#include "catalog/constellation_file.h"
#include "catalog/star_catalog_file.h"

#include <string_view>
#include <vector>

namespace stellaro {

inline constexpr std::u16string_view STAR_CATALOG_FILE = u"%app_path%/catalog.db";
inline constexpr std::u16string_view CONSTELLATIONS_FILE = u"%app_path%/constellations.txt";

// Everything the sky shows from the data files: the grid with its star cells, the stars by
// catalogue number and the constellations in file order.
struct SkyCatalog {
    SkyGrid grid;
    StarCatalog stars;
    std::vector<Constellation> constellations;
};

struct SkyCatalogLoad {
    StarCatalogLoad stars;
    ConstellationLoad constellations;
};

// Creates the grid, loads the stars, then the constellations (whose figures must name stars of
// the catalogue), and logs each step's time as "create_grid", "load_stars", "load_constellations".
SkyCatalogLoad load_sky_catalog(SkyCatalog& sky, std::u16string_view star_path = STAR_CATALOG_FILE,
                                std::u16string_view constellations_path = CONSTELLATIONS_FILE);

} // namespace stellaro
