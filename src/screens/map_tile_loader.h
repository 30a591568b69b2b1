#pragma once
#include "shell/active_scheduler.h"
#include "skin/kinds/big_picture.h"
#include "skin/surface/pixel_buffer.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace stellaro {

// Reads the world map's tiles ("<level>_<nn>.jpg", n = column + row x 2^level + 1) from a
// stored zip archive on a worker thread, nearest to the view first, for one BigPicture.
// Requests come from the map on the interface thread; finished tiles wait in an output queue
// until `deliver` hands them to the map there. With a scheduler, each batch of finished tiles
// wakes the interface thread through an active object, which delivers them.
class MapTileLoader final : public TileProvider {
public:
    // Starts the worker; the map must outlive the loader. The scheduler may be null (then the
    // owner calls `deliver` from its updates).
    MapTileLoader(std::u16string archive_path, BigPicture& map, CActiveScheduler* scheduler);
    // Stops the worker and waits for it.
    ~MapTileLoader() override;
    MapTileLoader(const MapTileLoader&) = delete;
    MapTileLoader& operator=(const MapTileLoader&) = delete;

    // The member name of a tile in the archive.
    static std::u16string tile_name(int32_t level, int32_t column, int32_t row);

    // Queues the tile unless an equal request waits; drops waiting requests the map no
    // longer wants.
    void request_tile(int32_t level, int32_t column, int32_t row) override;
    // Hands the finished tiles to the map; how many there were. Interface thread.
    int32_t deliver();
    // Whether requests wait or tiles are being read or wait for delivery.
    bool busy() const;
    // Tiles read from now on are turned to night colours.
    void set_night(bool on) { night = on; }

private:
    struct Request {
        int32_t level;
        int32_t column;
        int32_t row;
    };
    struct Finished {
        Request tile;
        std::unique_ptr<PixelBuffer> pixels;
    };
    // Completes on the interface thread once tiles are finished.
    class Delivery final : public CActive {
    public:
        explicit Delivery(MapTileLoader& loader) : loader(loader) {}
        void run() override;

    private:
        MapTileLoader& loader;
    };

    void work();
    // The nearest request the map still wants, removed from the queue; false when none. Locked.
    bool take_nearest(Request& request);
    // Arms the active object unless it already is. Locked.
    void arm();

    BigPicture& map;
    CActiveScheduler* scheduler;
    const std::u16string archive_path;
    std::atomic<bool> night{false};
    mutable std::mutex mutex;
    std::condition_variable wake;
    std::vector<Request> pending;
    std::deque<Finished> output;
    bool working = false;
    // The active object waits for a completion or its run; and whether the completion was sent.
    bool armed = false;
    bool signalled = false;
    bool stopping = false;
    Delivery delivery{*this};
    // Last: it starts once everything above is ready.
    std::thread worker;
};

} // namespace stellaro
