#include "document/city_database.h"
#include "document/document.h"
#include "platform/utf.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

namespace stellaro {

namespace {

// 25,000 cities spread over the inhabited latitudes, as the real list is.
std::vector<CityRecord> sample_cities()
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int32_t> latitude(-55 * 1024, 70 * 1024);
    std::uniform_int_distribution<int32_t> longitude(-180 * 1024, 180 * 1024);
    std::vector<CityRecord> cities(25000);
    for (size_t i = 0; i < cities.size(); ++i) {
        CityRecord& city = cities[i];
        city.name = utf8_to_utf16("City number " + std::to_string(i));
        city.key = utf8_to_utf16("2489 686237 " + std::to_string(i));
        city.country = u"XX";
        city.latitude = latitude(random);
        city.longitude = longitude(random);
    }
    return cities;
}

const std::string& sample_file()
{
    static const std::string path = [] {
        const std::string file = (std::filesystem::temp_directory_path() / "stellaro-bench-cities.db").string();
        std::ofstream(file, std::ios::binary) << serialize_cities(sample_cities());
        return file;
    }();
    return path;
}

void read_cities_db(benchmark::State& state)
{
    const std::string& path = sample_file();
    std::vector<CityRecord> cities;
    for (auto _ : state) {
        read_city_file(path, cities);
        benchmark::DoNotOptimize(cities.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(cities.size()));
}
BENCHMARK(read_cities_db)->Unit(benchmark::kMillisecond);

void find_nearest_city(benchmark::State& state)
{
    setenv("STELLARO_REGISTRY", (std::filesystem::temp_directory_path() / "stellaro-bench.reg").c_str(), 1);
    Document document(utf8_to_utf16(sample_file()));
    double longitude = -170.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(document.find_nearest_city(longitude, 48.0));
        longitude = longitude > 170.0 ? -170.0 : longitude + 1.7;
    }
}
BENCHMARK(find_nearest_city)->Unit(benchmark::kMicrosecond);

} // namespace

} // namespace stellaro
