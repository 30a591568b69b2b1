#pragma once
#include "platform/gps_fix.h"

#include <cstdint>
#include <memory>

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
    // How long the destructor waits for the thread; one still stuck connecting to a far address
    // (name lookup, an unanswered connect) is left to end on its own.
    static constexpr int STOP_WAIT_MS = 500;

    explicit GpsPoller(GpsdAddress address);
    // Stops the thread and closes the connection.
    ~GpsPoller();
    GpsPoller(const GpsPoller&) = delete;
    GpsPoller& operator=(const GpsPoller&) = delete;

    GpsSnapshot latest() const;
    // The serial of the latest snapshot, cheaper than copying it.
    uint64_t serial() const;

private:
    // Shared with the thread, which may outlive the poller.
    struct Shared;
    std::shared_ptr<Shared> shared;
};

} // namespace stellaro
