#include "astro/angles.h"
#include "astro/sky_grid.h"
#include "catalog/constellation_file.h"
#include "catalog/star_catalog_file.h"
#include "platform/utf.h"
#include "skin/io/packed_bytes.h"
#include "skin/io/zip_reader.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace stellaro {

namespace {

std::string temporary_file(const std::string& name, const std::string& bytes)
{
    const std::string path = (std::filesystem::temp_directory_path() / name).string();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

// As many stars as the bright-star catalogue, spread over the sky, a third with a Bayer letter.
const std::string& catalogue_file()
{
    static const std::string path = [] {
        std::mt19937 random(11);
        std::uniform_int_distribution<int32_t> ra(0, RA_UNITS_PER_TURN - 1);
        std::uniform_real_distribution<double> sine(-1.0, 1.0);
        std::vector<StarRecord> stars;
        for (int32_t id = 1; id <= 9110; ++id) {
            StarRecord star;
            star.id = id;
            star.ra = ra(random);
            star.dec = static_cast<int32_t>(std::asin(sine(random)) * RAD_TO_DEG * 3600);
            star.magnitude = 6000 - id % 7000;
            star.colour = {200, 210, 255, 255};
            if (id % 3 == 0) {
                star.bayer_letter = u'α' + id % 24;
                star.constellation_code = u"Ori";
            }
            star.direction = equatorial_vector(star.ra * RA_UNITS_TO_HOURS * HOURS_TO_RAD, star.dec * DEC_UNITS_TO_DEGREES * DEG_TO_RAD);
            star.direction_fixed = fixed_vector(star.direction);
            stars.push_back(star);
        }
        return temporary_file("stellaro-bench-catalog.db", star_catalog_bytes(9110, stars));
    }();
    return path;
}

void create_sky_grid(benchmark::State& state)
{
    SkyGrid grid;
    for (auto _ : state) {
        grid.reset();
        benchmark::DoNotOptimize(grid.node(23, 12).direction_fixed.z);
    }
}
BENCHMARK(create_sky_grid)->Unit(benchmark::kMicrosecond);

void load_star_catalog_9110(benchmark::State& state)
{
    const std::u16string path = utf8_to_utf16(catalogue_file());
    StarCatalog catalog;
    SkyGrid grid;
    for (auto _ : state) {
        load_star_catalog(path, catalog, grid);
        benchmark::DoNotOptimize(catalog.size());
    }
    state.SetItemsProcessed(state.iterations() * 9110);
}
BENCHMARK(load_star_catalog_9110)->Unit(benchmark::kMillisecond);

void load_constellations_88(benchmark::State& state)
{
    const std::u16string catalogue = utf8_to_utf16(catalogue_file());
    StarCatalog catalog;
    SkyGrid grid;
    load_star_catalog(catalogue, catalog, grid);
    std::string text;
    for (int line = 0; line < 88; ++line) {
        text += "C" + std::to_string(line) + ",x,0,0,0,0";
        for (int k = 0; k < 16; ++k)
            text += "," + (k % 6 == 5 ? std::string("-1") : std::to_string(1 + (line * 101 + k * 7) % 9110));
        text += "\n";
    }
    const std::u16string path = utf8_to_utf16(temporary_file("stellaro-bench-constellations.txt", text));
    std::vector<Constellation> constellations;
    for (auto _ : state) {
        load_constellations(path, catalog, constellations);
        benchmark::DoNotOptimize(constellations.data());
    }
}
BENCHMARK(load_constellations_88)->Unit(benchmark::kMicrosecond);

// 1,000 stored members of 2 KiB (map tiles are small), then the central directory's signature.
const std::string& archive_file()
{
    static const std::string path = [] {
        std::string out;
        const std::string data(2048, 'p');
        for (int i = 0; i < 1000; ++i) {
            const std::string name = "tiles/tile_" + std::to_string(i) + ".jpg";
            put_integer(out, 0x04034B50, 4);
            out.append(14, '\0');
            put_integer(out, static_cast<uint32_t>(data.size()), 4);
            put_integer(out, static_cast<uint32_t>(data.size()), 4);
            put_integer(out, static_cast<uint32_t>(name.size()), 2);
            put_integer(out, 0, 2);
            out += name + data;
        }
        put_integer(out, 0x02014B50, 4);
        return temporary_file("stellaro-bench-tiles.zip", out);
    }();
    return path;
}

void zip_find_last_of_1000(benchmark::State& state)
{
    ZipReader zip(utf8_to_utf16(archive_file()));
    for (auto _ : state)
        benchmark::DoNotOptimize(zip.find(u"Tiles/Tile_999.jpg"));
}
BENCHMARK(zip_find_last_of_1000)->Unit(benchmark::kMillisecond);

} // namespace

} // namespace stellaro
