#include "document/city_database.h"
#include "platform/utf.h"
#include "screens/city_filter.h"
#include "skin/io/paths.h"

#include <benchmark/benchmark.h>

namespace stellaro {

namespace {

// The program's own city list (24,346 cities), built beside the program.
const std::vector<CityRecord>& real_cities()
{
    static const std::vector<CityRecord> cities = [] {
        std::vector<CityRecord> read;
        read_city_file(utf16_to_utf8(dir_part(get_app_path()) + u"../bin/cities.db"), read);
        return read;
    }();
    return cities;
}

// One typed digit: the whole list filtered again, as the list does on every key, for the
// filters "6", "66", "667" and "6672" in turn.
void filter_cities_per_digit(benchmark::State& state)
{
    const std::vector<CityRecord>& cities = real_cities();
    if (cities.empty()) {
        state.SkipWithError("cities.db is not built");
        return;
    }
    const std::u16string typed = u"6672";
    CityFilterResult result;
    size_t length = 1;
    for (auto _ : state) {
        filter_cities(cities, std::u16string_view(typed).substr(0, length), 0, result);
        benchmark::DoNotOptimize(result.matches.data());
        length = length == typed.size() ? 1 : length + 1;
    }
    state.counters["cities"] = static_cast<double>(cities.size());
}
BENCHMARK(filter_cities_per_digit)->Unit(benchmark::kMicrosecond);

} // namespace

} // namespace stellaro
