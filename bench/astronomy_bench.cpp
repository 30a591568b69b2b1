#include "astro/apparent_place.h"
#include "astro/body_position_cache.h"
#include "astro/delta_t.h"
#include "astro/earth_rotation.h"
#include "astro/observer_time.h"
#include "astro/solar_system.h"
#include "astro/topocentric.h"

#include <benchmark/benchmark.h>

namespace stellaro {

namespace {

constexpr double SOME_DAY = 2461380.5;

// Arguments: body number, fast (0 or 1).
void measure_body_position(benchmark::State& state)
{
    const auto body = static_cast<Body>(state.range(0));
    const bool fast = state.range(1) != 0;
    double jd = SOME_DAY;
    for (auto _ : state) {
        benchmark::DoNotOptimize(body_position(jd, body, fast));
        jd += 0.001;
    }
}
BENCHMARK(measure_body_position)->Name("body_position")->ArgsProduct({{0, 1, 2, 3, 4, 5, 6, 7, 8}, {0, 1}})->ArgNames({"body", "fast"})->Unit(benchmark::kMicrosecond);

void measure_greenwich_apparent_sidereal_time(benchmark::State& state)
{
    double jd = SOME_DAY;
    for (auto _ : state) {
        benchmark::DoNotOptimize(greenwich_apparent_sidereal_time(jd));
        jd += 0.001;
    }
}
BENCHMARK(measure_greenwich_apparent_sidereal_time)->Name("greenwich_apparent_sidereal_time")->Unit(benchmark::kMicrosecond);

// What the sky view asks for in one frame once the cache is warm: two days for each of the nine
// bodies, to interpolate between, and two more for the selected body.
void cached_body_position_frame(benchmark::State& state)
{
    BodyPositionCache cache;
    int warm_up = 1000;
    for (const Body body : ALL_BODIES) {
        cache.cached_body_position(body, SOME_DAY, warm_up);
        cache.cached_body_position(body, SOME_DAY + 1.0, warm_up);
    }
    for (auto _ : state) {
        int budget = 1;
        for (const Body body : ALL_BODIES) {
            benchmark::DoNotOptimize(cache.cached_body_position(body, SOME_DAY, budget));
            benchmark::DoNotOptimize(cache.cached_body_position(body, SOME_DAY + 1.0, budget));
        }
        int selected_budget = 2;
        benchmark::DoNotOptimize(cache.cached_body_position(Body::moon, SOME_DAY, selected_budget));
        benchmark::DoNotOptimize(cache.cached_body_position(Body::moon, SOME_DAY + 1.0, selected_budget));
    }
}
BENCHMARK(cached_body_position_frame)->Unit(benchmark::kMicrosecond);

// A frame right after a change of date: one new computation, the rest answered from the cache.
void cached_body_position_frame_after_date_change(benchmark::State& state)
{
    BodyPositionCache cache;
    double day = SOME_DAY;
    for (auto _ : state) {
        int budget = 1;
        for (const Body body : ALL_BODIES)
            benchmark::DoNotOptimize(cache.cached_body_position(body, day, budget));
        day += 1.0;
    }
}
BENCHMARK(cached_body_position_frame_after_date_change)->Unit(benchmark::kMicrosecond);

// The full apparent place of one catalogue star (precession, nutation, aberration), as the
// information panel and the ephemeris compute it; the sky draws with one rotation per moment.
void measure_apparent_place(benchmark::State& state)
{
    double jd = SOME_DAY;
    for (auto _ : state) {
        benchmark::DoNotOptimize(apparent_place(16.49012, -26.43194, terrestrial_time(jd)));
        jd += 0.001;
    }
}
BENCHMARK(measure_apparent_place)->Name("apparent_place")->Unit(benchmark::kMicrosecond);

// The rotation to the frame of date that the sky computes once per moment.
void measure_frame_of_date(benchmark::State& state)
{
    double jd = SOME_DAY;
    for (auto _ : state) {
        benchmark::DoNotOptimize(frame_of_date(jd));
        jd += 0.001;
    }
}
BENCHMARK(measure_frame_of_date)->Name("frame_of_date")->Unit(benchmark::kMicrosecond);

// The Moon seen from a place at a UT moment: its full geocentric place at TT, then the parallax.
void measure_topocentric_moon(benchmark::State& state)
{
    ObserverTime observer;
    observer.set_observer(18.4241, -33.9249);
    double jd = SOME_DAY;
    for (auto _ : state) {
        observer.jd = jd;
        observer.sidereal_time = greenwich_apparent_sidereal_time(jd);
        const BodyPosition moon = body_position(terrestrial_time(jd), Body::moon, false);
        benchmark::DoNotOptimize(topocentric({moon.ra, moon.dec}, moon.distance_au * KM_PER_AU, observer));
        jd += 0.001;
    }
}
BENCHMARK(measure_topocentric_moon)->Name("topocentric_moon")->Unit(benchmark::kMicrosecond);

} // namespace

} // namespace stellaro
