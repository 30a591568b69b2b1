#pragma once
#include "platform/gps_fix.h"

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

namespace stellaro {

// What the poller last knew.
struct GpsSnapshot {
    bool connected = false; // gpsd answers
    GpsFix fix;
    uint64_t serial = 0;    // grows with every change, so readers can tell news from old
};

// Keeps a connection to gpsd on a thread of its own, reconnecting when it is lost, so that
// nobody waits on the network: readers take the latest snapshot whenever they like.
class GpsPoller {
public:
    // How long to wait between attempts to reach gpsd.
    static constexpr int RETRY_MS = 1000;

    explicit GpsPoller(GpsdAddress address);
    // Stops the thread and closes the connection.
    ~GpsPoller();
    GpsPoller(const GpsPoller&) = delete;
    GpsPoller& operator=(const GpsPoller&) = delete;

    GpsSnapshot latest() const;
    // The serial of the latest snapshot, cheaper than copying it.
    uint64_t serial() const;

private:
    void run();
    void publish(bool connected, const GpsFix& fix);
    // Sleeps up to `ms` or until stopped; true when stopped.
    bool pause(int ms);

    const GpsdAddress address;
    mutable std::mutex mutex;
    std::condition_variable stop_signal;
    bool stopping = false;
    GpsSnapshot snapshot;
    std::thread worker;
};

} // namespace stellaro
