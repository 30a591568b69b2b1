// The constellation figures file, checked against the real star catalogue.
#include "fuzz_support.h"

#include "astro/sky_grid.h"
#include "astro/star_catalog.h"
#include "catalog/constellation_file.h"
#include "catalog/star_catalog_file.h"

#include <string_view>
#include <vector>

namespace {

// Figures that name real stars get past the catalogue check only with the real catalogue.
const stellaro::StarCatalog& real_catalog()
{
    static const stellaro::StarCatalog catalog = [] {
        stellaro::StarCatalog loaded;
        stellaro::SkyGrid grid;
        stellaro::load_star_catalog(stellaro::fuzz_data_path(u"catalog.db"), loaded, grid);
        return loaded;
    }();
    return catalog;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace stellaro;
    std::vector<Constellation> constellations;
    parse_constellations(std::string_view(reinterpret_cast<const char*>(data), size), real_catalog(), constellations);
    return 0;
}
