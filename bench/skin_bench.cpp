#include "skin/io/paths.h"
#include "skin/props/properties.h"

#include <benchmark/benchmark.h>

namespace stellaro {

namespace {

// The compiled default skin beside the program (the benchmark lives in a sibling folder).
std::u16string default_skin()
{
    return dir_part(get_app_path()) + u"../bin/skins/bin/default.skin";
}

void BM_LoadDefaultSkin(benchmark::State& state)
{
    Properties properties;
    if (!properties.load_skin(default_skin(), 96)) {
        state.SkipWithError("default.skin is missing: build the program first");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(properties.load_skin(default_skin(), 96));
}
BENCHMARK(BM_LoadDefaultSkin)->Unit(benchmark::kMillisecond);

// 10,000 lookups as the sky view makes them when it loads: the node, then colours, pictures,
// the font and some names the skin does not have.
void BM_TenThousandSkinLookups(benchmark::State& state)
{
    Properties properties;
    if (!properties.load_skin(default_skin(), 96)) {
        state.SkipWithError("default.skin is missing: build the program first");
        return;
    }
    static const char16_t* const COLOURS[] = {u"grid_color", u"star_color", u"planet_color", u"const_name_color",
                                              u"const_color", u"compass_mark_color", u"hor_color", u"no_color"};
    static const char16_t* const PICTURES[] = {u"background", u"star0", u"star3", u"star7", u"star8"};
    for (auto _ : state) {
        int64_t sum = 0;
        for (int i = 0; i < 1000; ++i) {
            const SkinBlock* main = properties.find_block(u"Main");
            const SkinBlock* sky = properties.child_block(main, 0);
            for (int c = 0; c < 4; ++c)
                sum += properties.get_color(sky, COLOURS[(i + c) % 8], {}).r;
            for (int p = 0; p < 3; ++p)
                sum += properties.get_picture(sky, PICTURES[(i + p) % 5], {}).p3.x;
            sum += properties.get_string(sky, u"id", u"").size();
            sum += properties.get_int(sky, u"cache", 0);
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_TenThousandSkinLookups)->Unit(benchmark::kMicrosecond);

} // namespace

} // namespace stellaro
