#include "platform/gps_poller.h"

#include "platform/gps_link.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace stellaro {

namespace {

// How long one read waits, which bounds how late a stop is noticed.
constexpr int READ_WAIT_MS = 200;

bool same_satellites(const std::vector<GpsSatellite>& a, const std::vector<GpsSatellite>& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i].prn != b[i].prn || a[i].elevation_deg != b[i].elevation_deg || a[i].azimuth_deg != b[i].azimuth_deg ||
            a[i].signal_db != b[i].signal_db || a[i].used != b[i].used)
            return false;
    }
    return true;
}

// Whether two fixes say the same, so that a repeated report is no news. NaN coordinates (no
// fix) count as equal to each other.
bool same_fix(const GpsFix& a, const GpsFix& b)
{
    const auto same = [](double x, double y) { return x == y || (x != x && y != y); };
    return a.kind == b.kind && same(a.latitude_deg, b.latitude_deg) && same(a.longitude_deg, b.longitude_deg) &&
           same(a.altitude_m, b.altitude_m) && a.satellites_used == b.satellites_used &&
           same_satellites(a.satellites, b.satellites);
}

} // namespace

struct GpsPoller::Shared {
    explicit Shared(GpsdAddress address) : address(std::move(address)) {}

    void publish(bool connected, const GpsFix& fix)
    {
        std::lock_guard lock(mutex);
        if (snapshot.serial > 0 && snapshot.connected == connected && same_fix(snapshot.fix, fix))
            return;
        snapshot.connected = connected;
        snapshot.fix = fix;
        ++snapshot.serial;
    }

    // Sleeps up to `ms` or until stopped; true when stopped.
    bool pause(int ms)
    {
        std::unique_lock lock(mutex);
        return signal.wait_for(lock, std::chrono::milliseconds(ms), [this] { return stopping; });
    }

    void run()
    {
        do {
            std::unique_ptr<GpsLink> link = GpsLink::connect(address);
            if (!link) {
                publish(false, GpsFix{});
                continue;
            }
            publish(true, GpsFix{});
            while (!pause(0)) {
                const GpsLink::Read read = link->read(READ_WAIT_MS);
                if (read == GpsLink::Read::CLOSED) {
                    publish(false, GpsFix{});
                    break;
                }
                if (read == GpsLink::Read::NEW_DATA)
                    publish(true, link->fix());
            }
        } while (!pause(RETRY_MS));
        std::lock_guard lock(mutex);
        finished = true;
        signal.notify_all();
    }

    const GpsdAddress address;
    std::mutex mutex;
    std::condition_variable signal;
    bool stopping = false;
    bool finished = false;
    GpsSnapshot snapshot;
    std::thread worker;
};

GpsPoller::GpsPoller(GpsdAddress address) : shared(std::make_shared<Shared>(std::move(address)))
{
    shared->worker = std::thread([keep = shared] { keep->run(); });
}

GpsPoller::~GpsPoller()
{
    std::unique_lock lock(shared->mutex);
    shared->stopping = true;
    shared->signal.notify_all();
    const bool ended = shared->signal.wait_for(lock, std::chrono::milliseconds(STOP_WAIT_MS), [this] { return shared->finished; });
    lock.unlock();
    if (ended)
        shared->worker.join();
    else
        shared->worker.detach();
}

GpsSnapshot GpsPoller::latest() const
{
    std::lock_guard lock(shared->mutex);
    return shared->snapshot;
}

uint64_t GpsPoller::serial() const
{
    std::lock_guard lock(shared->mutex);
    return shared->snapshot.serial;
}

} // namespace stellaro
