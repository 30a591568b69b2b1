#include "screens/map_tile_loader.h"

#include "platform/utf.h"
#include "skin/io/log.h"
#include "skin/io/zip_reader.h"
#include "skin/surface/decode_image.h"
#include "skin/surface/pixel.h"

#include <algorithm>
#include <cstdio>
#include <limits>

namespace stellaro {

namespace {

// Night colours: only the red channel is kept.
void to_night(PixelBuffer& pixels)
{
    for (int32_t y = 0; y < pixels.height(); ++y) {
        Pixel* row = pixels.row(y);
        for (int32_t x = 0; x < pixels.width(); ++x)
            row[x] &= 0xF800;
    }
}

} // namespace

MapTileLoader::MapTileLoader(std::u16string archive_path, BigPicture& map, CActiveScheduler* scheduler)
    : map(map), scheduler(scheduler), archive_path(std::move(archive_path)), worker([this] { work(); })
{
}

MapTileLoader::~MapTileLoader()
{
    {
        std::lock_guard lock(mutex);
        stopping = true;
    }
    wake.notify_all();
    worker.join();
}

std::u16string MapTileLoader::tile_name(int32_t level, int32_t column, int32_t row)
{
    char name[48];
    std::snprintf(name, sizeof name, "%d_%02lld.jpg", static_cast<int>(level),
                  static_cast<long long>(column) + (static_cast<long long>(row) << level) + 1);
    return utf8_to_utf16(name);
}

void MapTileLoader::request_tile(int32_t level, int32_t column, int32_t row)
{
    {
        std::lock_guard lock(mutex);
        int64_t distance2 = 0;
        std::erase_if(pending, [&](const Request& r) { return !map.tile_wanted(r.level, r.column, r.row, distance2); });
        for (const Request& r : pending)
            if (r.level == level && r.column == column && r.row == row)
                return;
        pending.push_back({level, column, row});
        arm();
    }
    wake.notify_one();
}

void MapTileLoader::arm()
{
    if (!scheduler || armed)
        return;
    scheduler->set_active(delivery);
    armed = true;
}

int32_t MapTileLoader::deliver()
{
    std::deque<Finished> ready;
    {
        std::lock_guard lock(mutex);
        ready.swap(output);
    }
    for (Finished& finished : ready)
        map.tile_loaded(finished.tile.level, finished.tile.column, finished.tile.row, std::move(finished.pixels));
    return static_cast<int32_t>(ready.size());
}

bool MapTileLoader::busy() const
{
    std::lock_guard lock(mutex);
    return !pending.empty() || working || !output.empty();
}

void MapTileLoader::Delivery::run()
{
    {
        std::lock_guard lock(loader.mutex);
        loader.armed = false;
        loader.signalled = false;
    }
    for (;;) {
        loader.deliver();
        std::lock_guard lock(loader.mutex);
        // Tiles finished since the completion was sent are taken now, not left waiting.
        if (!loader.output.empty())
            continue;
        if (!loader.pending.empty() || loader.working)
            loader.arm();
        return;
    }
}

bool MapTileLoader::take_nearest(Request& request)
{
    const auto distance = [this](const Request& r) {
        int64_t distance2 = 0;
        return map.tile_wanted(r.level, r.column, r.row, distance2) ? distance2 : std::numeric_limits<int64_t>::max();
    };
    std::erase_if(pending, [&](const Request& r) { return distance(r) == std::numeric_limits<int64_t>::max(); });
    if (pending.empty())
        return false;
    const auto nearest = std::min_element(pending.begin(), pending.end(),
                                          [&](const Request& a, const Request& b) { return distance(a) < distance(b); });
    request = *nearest;
    pending.erase(nearest);
    return true;
}

void MapTileLoader::work()
{
    ZipReader archive(archive_path);
    if (!archive.is_open())
        log() << "Map archive {" << archive_path << "} cannot be opened\n";
    std::unique_lock lock(mutex);
    for (;;) {
        Request request{};
        wake.wait(lock, [&] { return stopping || !pending.empty(); });
        if (stopping)
            return;
        if (!take_nearest(request))
            continue;
        working = true;
        lock.unlock();
        const std::u16string name = tile_name(request.level, request.column, request.row);
        std::unique_ptr<PixelBuffer> pixels = archive.find(name) ? decode_image(archive) : nullptr;
        if (!pixels)
            log() << "Bad tile {" << name << "} failed to load\n";
        else if (night)
            to_night(*pixels);
        lock.lock();
        working = false;
        if (pixels) {
            output.push_back({request, std::move(pixels)});
            if (armed && !signalled) {
                signalled = true;
                scheduler->complete(delivery);
            }
        }
    }
}

} // namespace stellaro
