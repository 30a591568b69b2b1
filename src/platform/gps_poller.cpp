#include "platform/gps_poller.h"

#include "platform/gps_link.h"

#include <chrono>

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

// Compares as the screen shows them, so that a repeated report is no news. NaN coordinates
// (no fix) count as equal to each other.
bool same_fix(const GpsFix& a, const GpsFix& b)
{
    const auto same = [](double x, double y) { return x == y || (x != x && y != y); };
    return a.kind == b.kind && same(a.latitude_deg, b.latitude_deg) && same(a.longitude_deg, b.longitude_deg) &&
           same(a.altitude_m, b.altitude_m) && a.satellites_used == b.satellites_used &&
           same_satellites(a.satellites, b.satellites);
}

} // namespace

GpsPoller::GpsPoller(GpsdAddress address) : address(std::move(address))
{
    worker = std::thread([this] { run(); });
}

GpsPoller::~GpsPoller()
{
    {
        std::lock_guard lock(mutex);
        stopping = true;
    }
    stop_signal.notify_all();
    worker.join();
}

GpsSnapshot GpsPoller::latest() const
{
    std::lock_guard lock(mutex);
    return snapshot;
}

uint64_t GpsPoller::serial() const
{
    std::lock_guard lock(mutex);
    return snapshot.serial;
}

void GpsPoller::publish(bool connected, const GpsFix& fix)
{
    std::lock_guard lock(mutex);
    if (snapshot.serial > 0 && snapshot.connected == connected && same_fix(snapshot.fix, fix))
        return;
    snapshot.connected = connected;
    snapshot.fix = fix;
    ++snapshot.serial;
}

bool GpsPoller::pause(int ms)
{
    std::unique_lock lock(mutex);
    return stop_signal.wait_for(lock, std::chrono::milliseconds(ms), [this] { return stopping; });
}

void GpsPoller::run()
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
}

} // namespace stellaro
