#include "astro/julian_date.h"
#include "document/document.h"
#include "platform/executable_path.h"
#include "platform/utf.h"
#include "skin/props/properties.h"
#include "skin/surface/render_surface.h"
#include "sky/label_placement.h"
#include "sky/stars.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace stellaro {

namespace {

// The program's folder with its data files, beside this benchmark's folder.
std::string program_folder()
{
    return (std::filesystem::path(executable_path()).parent_path().parent_path() / "bin").string();
}

double cpu_seconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Processor seconds of one memcpy of a frame of that many bytes.
double memcpy_seconds(size_t bytes)
{
    std::vector<uint8_t> from(bytes, 1), to(bytes, 2);
    std::memcpy(to.data(), from.data(), bytes);
    constexpr int RUNS = 200;
    const double start = cpu_seconds();
    for (int run = 0; run < RUNS; ++run) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    return (cpu_seconds() - start) / RUNS;
}

// Paris on the evening of 2026-12-24 looking at Orion, every switch on, all labels made.
class SkyBench {
public:
    SkyBench(Size size, double zoom) : document(u"/nonexistent/cities.db"), frame(size)
    {
        document.set_persistent(false);
        document.set_location(2.35, 48.85);
        document.set_fixed_zone(-60);
        document.set_moment(julian_day_from_calendar(2026, 12, 24, true), 21, 0);
        const std::u16string folder = utf8_to_utf16(program_folder());
        properties.load_language_file(folder + u"/english.lng");
        properties.load_skin(folder + u"/skins/bin/default.skin", 96);
        sky = std::make_unique<Stars>(nullptr, folder);
        const SkinBlock* main = properties.find_block(u"Main");
        sky->init_from_skin(properties, main && properties.child_count(main) ? properties.child_block(main, 0) : nullptr);
        sky->set_visible(true);
        sky->set_horizontal(0, size.width);
        sky->set_vertical(0, size.height);
        sky->view().view_azimuth = 120.0 * 0.017453292519943295;
        sky->view().view_altitude = 25.0 * 0.017453292519943295;
        sky->view().zoom = zoom;
        for (int i = 0; i < 1500; ++i) {
            step();
            if (sky->settled())
                break;
        }
    }

    void step()
    {
        sky->update(0.04);
        sky->draw(frame, Point{0, 0});
    }

    Document document;
    Properties properties;
    std::unique_ptr<Stars> sky;
    RenderSurface frame;
};

void BM_SkyFrame(benchmark::State& state)
{
    const Size size{static_cast<int32_t>(state.range(0)), static_cast<int32_t>(state.range(1))};
    SkyBench bench(size, static_cast<double>(state.range(2)));
    const double reference = memcpy_seconds(static_cast<size_t>(size.width) * size.height * 2);
    double total = 0;
    for (auto _ : state) {
        const double start = cpu_seconds();
        bench.step();
        benchmark::ClobberMemory();
        total += cpu_seconds() - start;
    }
    state.counters["x_memcpy"] = total / static_cast<double>(state.iterations()) / reference;
    state.counters["memcpy_us"] = reference * 1e6;
}
BENCHMARK(BM_SkyFrame)->Args({480, 800, 0})->Args({480, 800, 3})->Args({1920, 1080, 0})->Args({1920, 1080, 3})->Unit(benchmark::kMicrosecond);

void BM_SkyNearestObject(benchmark::State& state)
{
    SkyBench bench(Size{480, 800}, 0.0);
    const double reference = memcpy_seconds(480 * 800 * 2);
    double total = 0;
    int32_t x = 0;
    for (auto _ : state) {
        const double start = cpu_seconds();
        benchmark::DoNotOptimize(bench.sky->nearest_object(Point{x, 400}));
        total += cpu_seconds() - start;
        x = (x + 37) % 480;
    }
    state.counters["x_memcpy"] = total / static_cast<double>(state.iterations()) / reference;
}
BENCHMARK(BM_SkyNearestObject)->Unit(benchmark::kMicrosecond);

// The label placement pass on a crowded field: 400 names of a cluster within 200 x 200 pixels
// (the Pleiades and Hyades at the deepest zoom are fewer), brightest placed first.
void BM_SkyLabelPlacement(benchmark::State& state)
{
    std::vector<LabelWish> wishes;
    uint32_t seed = 12345;
    const auto next = [&seed](int32_t range) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<int32_t>((seed >> 8) % static_cast<uint32_t>(range));
    };
    for (int32_t i = 0; i < 400; ++i)
        wishes.push_back({i, Point{140 + next(200), 300 + next(200)}, Size{40 + next(40), 13}, 3, next(700), false, false});
    LabelPlacer placer;
    size_t placed = 0;
    for (auto _ : state) {
        placer.clear();
        for (const LabelWish& wish : wishes)
            placer.add(wish);
        placed = placer.place().size();
        benchmark::DoNotOptimize(placed);
    }
    state.counters["placed"] = static_cast<double>(placed);
}
BENCHMARK(BM_SkyLabelPlacement)->Unit(benchmark::kMicrosecond);

// The whole process: start-up, data files, skin, one 480 x 800 frame and the PNG.
void BM_SkyRenderProcess(benchmark::State& state)
{
    const std::string folder = program_folder();
    const std::string out = (std::filesystem::temp_directory_path() / "stellaro_bench_render.png").string();
    const std::string command = "STELLARO_REGISTRY=/nonexistent/registry.reg " + folder + "/stellaro render --frames 1 --out " +
                                out + " --time 2026-12-24T21:00+01:00 --lat 48.85 --lon 2.35 >/dev/null 2>&1";
    const double reference = memcpy_seconds(480 * 800 * 2);
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("stellaro render failed");
            break;
        }
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    state.counters["memcpy_us"] = reference * 1e6;
    std::filesystem::remove(out);
}
BENCHMARK(BM_SkyRenderProcess)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

} // namespace stellaro
