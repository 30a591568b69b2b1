#include "skin/surface/decode_image.h"
#include "skin/surface/render_surface.h"

#include "databuild/jpeg_codec.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <cstring>
#include <string>
#include <vector>

namespace stellaro {

namespace {

constexpr Size FRAME{1920, 1080};

// A frame-sized source with every kind of pixel the painters tell apart.
const RenderSurface& source_frame()
{
    static const RenderSurface source = [] {
        RenderSurface surface(FRAME);
        PixelBuffer* buffer = surface.buffer();
        for (int32_t y = 0; y < FRAME.height; ++y)
            for (int32_t x = 0; x < FRAME.width; ++x) {
                const auto value = static_cast<Pixel>(x * 37 + y * 91);
                buffer->row(y)[x] = (x + y) % 13 == 0 ? TRANSPARENT_KEY : value;
            }
        return surface;
    }();
    return source;
}

RenderSurface& target_frame()
{
    static RenderSurface target = [] {
        RenderSurface surface(FRAME);
        surface.apply({0, 0}, FRAME, SolidFiller(Pixel{0x1234}));
        return surface;
    }();
    return target;
}

// Processor time of this thread: other work on a shared machine does not count.
double thread_seconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Seconds for one memcpy of a whole frame, averaged over many runs in this process.
double memcpy_seconds()
{
    static const double seconds = [] {
        const size_t bytes = static_cast<size_t>(FRAME.width) * FRAME.height * 2;
        std::vector<uint8_t> from(bytes, 1), to(bytes, 2);
        std::memcpy(to.data(), from.data(), bytes);
        constexpr int RUNS = 200;
        const double start = thread_seconds();
        for (int run = 0; run < RUNS; ++run) {
            std::memcpy(to.data(), from.data(), bytes);
            benchmark::DoNotOptimize(to.data());
            benchmark::ClobberMemory();
        }
        return (thread_seconds() - start) / RUNS;
    }();
    return seconds;
}

// Runs one frame operation, reporting its processor time as a multiple of a frame memcpy.
template <typename Operation>
void frame_benchmark(benchmark::State& state, Operation operation)
{
    const double reference = memcpy_seconds();
    double total = 0;
    for (auto _ : state) {
        const double start = thread_seconds();
        operation();
        benchmark::ClobberMemory();
        total += thread_seconds() - start;
    }
    state.counters["x_memcpy"] = total / static_cast<double>(state.iterations()) / reference;
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * FRAME.width * FRAME.height * 2);
}

void BM_FrameMemcpy(benchmark::State& state)
{
    const size_t bytes = static_cast<size_t>(FRAME.width) * FRAME.height * 2;
    std::vector<uint8_t> from(bytes, 1), to(bytes, 2);
    frame_benchmark(state, [&] { std::memcpy(to.data(), from.data(), bytes); });
}
BENCHMARK(BM_FrameMemcpy);

void BM_FrameFill(benchmark::State& state)
{
    const SolidFiller filler(Colour{10, 20, 30});
    frame_benchmark(state, [&] { target_frame().apply({0, 0}, FRAME, filler); });
}
BENCHMARK(BM_FrameFill);

void BM_FrameDimHalf(benchmark::State& state)
{
    const auto filler = dim_filler(128);
    frame_benchmark(state, [&] { target_frame().apply({0, 0}, FRAME, *filler); });
}
BENCHMARK(BM_FrameDimHalf);

void blit_benchmark(benchmark::State& state, const SpanPainter& painter)
{
    frame_benchmark(state, [&] { target_frame().draw(source_frame(), {0, 0}, painter); });
}

void BM_FramePlainCopy(benchmark::State& state) { blit_benchmark(state, plain_copy_painter()); }
BENCHMARK(BM_FramePlainCopy);

void BM_FrameColourKeyCopy(benchmark::State& state) { blit_benchmark(state, colour_key_painter()); }
BENCHMARK(BM_FrameColourKeyCopy);

void BM_FrameAddOverHalf(benchmark::State& state) { blit_benchmark(state, add_half_painter()); }
BENCHMARK(BM_FrameAddOverHalf);

void BM_FrameTint(benchmark::State& state) { blit_benchmark(state, *tint_painter(200, 150, 100)); }
BENCHMARK(BM_FrameTint);

void BM_FrameScaledBlit(benchmark::State& state)
{
    static const RenderSurface half = [] {
        RenderSurface surface(Size{960, 540});
        surface.draw(source_frame(), {0, 0}, plain_copy_painter());
        return surface;
    }();
    frame_benchmark(state, [&] { target_frame().draw_scaled(half, {0, 0}, FRAME, plain_copy_painter()); });
}
BENCHMARK(BM_FrameScaledBlit);

// A 256 x 256 map-like tile, encoded once.
std::string jpeg_tile()
{
    RgbImage tile{256, 256, std::vector<uint8_t>(256 * 256 * 3)};
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            const bool land = (x * x / 64 + y * 3 + (x ^ y) % 17) % 97 < 60;
            uint8_t* pixel = tile.at(x, y);
            pixel[0] = static_cast<uint8_t>(land ? 90 + (x ^ y) % 40 : 20);
            pixel[1] = static_cast<uint8_t>(land ? 120 + (x * y) % 50 : 60);
            pixel[2] = static_cast<uint8_t>(land ? 60 : 140 + (x + y) % 30);
        }
    return encode_jpeg(tile, 85);
}

class MemoryStream final : public InputStream {
public:
    explicit MemoryStream(const std::string& bytes) : bytes(bytes) {}
    size_t read(void* buffer, size_t count) override
    {
        const size_t n = std::min(count, bytes.size() - at);
        std::memcpy(buffer, bytes.data() + at, n);
        at += n;
        return n;
    }
    uint64_t skip(uint64_t count) override
    {
        const size_t n = std::min<size_t>(static_cast<size_t>(count), bytes.size() - at);
        at += n;
        return n;
    }
    bool is_open() const override { return true; }
    uint64_t size() const override { return bytes.size(); }
    bool seek(uint64_t position) override
    {
        at = std::min<size_t>(static_cast<size_t>(position), bytes.size());
        return true;
    }
    uint64_t tell() const override { return at; }

private:
    const std::string& bytes;
    size_t at = 0;
};

void BM_DecodeJpegTile256(benchmark::State& state)
{
    const std::string tile = jpeg_tile();
    for (auto _ : state) {
        MemoryStream stream(tile);
        benchmark::DoNotOptimize(decode_image(stream));
    }
}
BENCHMARK(BM_DecodeJpegTile256);

} // namespace

} // namespace stellaro
