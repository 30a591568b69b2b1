// The star catalogue file from its bytes.
#include "astro/sky_grid.h"
#include "astro/star_catalog.h"
#include "catalog/star_catalog_file.h"

#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace stellaro;
    StarCatalog catalog;
    SkyGrid grid;
    parse_star_catalog(std::string_view(reinterpret_cast<const char*>(data), size), catalog, grid);
    return 0;
}
