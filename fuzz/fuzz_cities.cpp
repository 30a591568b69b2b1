// The city database from its bytes.
#include "document/city_database.h"

#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace stellaro;
    std::vector<CityRecord> cities;
    parse_cities(std::string_view(reinterpret_cast<const char*>(data), size), cities);
    return 0;
}
