// The world map: a frame with every tile cached, a screenful of tiles from cold, and finding a
// tile in the archive.
#include "platform/utf.h"
#include "screens/location_screen.h"
#include "screens/map_tile_loader.h"
#include "skin/io/zip_reader.h"
#include "skin/kinds/big_picture.h"
#include "skin/surface/decode_image.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <tuple>
#include <vector>

namespace stellaro {

namespace {

// The archive the data builder made beside the program.
std::u16string map_archive() { return utf8_to_utf16((std::filesystem::path(STELLARO_EXE).parent_path() / "map.zip").string()); }

struct Requests : TileProvider {
    void request_tile(int32_t level, int32_t column, int32_t row) override { tiles.emplace_back(level, column, row); }
    std::vector<std::tuple<int32_t, int32_t, int32_t>> tiles;
};

// A map view of the size over Paris at level 4 (or between levels), its tiles not yet asked for.
void set_up(BigPicture& map, Size size, double zoom)
{
    map.setup(static_cast<int32_t>(MAP_WIDTH), static_cast<int32_t>(MAP_HEIGHT), MAP_TILE_PX, MAP_TILE_PX, zoom);
    map.set_zoom_range(0.0, MAP_TOP_LEVEL);
    map.set_horizontal(0, size.width);
    map.set_vertical(0, size.height);
    map.set_visible(true);
    map.set_center(map_x_of_longitude(2.35), map_y_of_latitude(48.85));
}

// Reads and decodes every asked-for tile and hands it to the map.
void load_all(BigPicture& map, ZipReader& zip, Requests& requests)
{
    for (const auto& [level, column, row] : requests.tiles)
        if (zip.find(MapTileLoader::tile_name(level, column, row)))
            map.tile_loaded(level, column, row, decode_image(zip));
    requests.tiles.clear();
}

void map_frame_cached(benchmark::State& state)
{
    const Size size{static_cast<int32_t>(state.range(0)), static_cast<int32_t>(state.range(1))};
    const double zoom = state.range(2) / 10.0;
    BigPicture map;
    Requests requests;
    ZipReader zip(map_archive());
    set_up(map, size, zoom);
    map.set_provider(&requests);
    RenderSurface surface(size);
    map.draw(surface, {0, 0});
    load_all(map, zip, requests);
    if (requests.tiles.empty() && zip.member_count() == 0)
        state.SkipWithError("map.zip is missing");
    for (auto _ : state) {
        map.request_repaint();
        map.draw(surface, {0, 0});
        benchmark::DoNotOptimize(surface.buffer());
    }
}
BENCHMARK(map_frame_cached)->Args({480, 800, 40})->Args({1920, 1080, 40})->Args({1920, 1080, 35})->Unit(benchmark::kMicrosecond);

void map_screenful_cold(benchmark::State& state)
{
    ZipReader zip(map_archive());
    RenderSurface surface(Size{480, 800});
    for (auto _ : state) {
        BigPicture map;
        Requests requests;
        set_up(map, {480, 800}, 4.0);
        map.set_provider(&requests);
        map.draw(surface, {0, 0});
        load_all(map, zip, requests);
        map.draw(surface, {0, 0});
        benchmark::DoNotOptimize(surface.buffer());
    }
}
BENCHMARK(map_screenful_cold)->Unit(benchmark::kMillisecond);

void map_zip_lookup(benchmark::State& state)
{
    ZipReader zip(map_archive());
    std::vector<std::u16string> names;
    for (int32_t level = 0; level <= MAP_TOP_LEVEL; ++level)
        for (int32_t row = 0; row < std::max(1, (1 << level) / 2); ++row)
            for (int32_t column = 0; column < (1 << level); ++column)
                names.push_back(MapTileLoader::tile_name(level, column, row));
    size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(zip.find(names[next]));
        next = (next + 1) % names.size();
    }
    state.counters["members"] = static_cast<double>(zip.member_count());
}
BENCHMARK(map_zip_lookup);

} // namespace

} // namespace stellaro
