#pragma once
#include "platform/gps_fix.h"

#include <memory>

namespace stellaro {

// A connection to gpsd through its client library, which is loaded when first needed so that
// the program runs where it is not installed. Not thread-safe: one thread uses a link.
class GpsLink {
public:
    // The client library's file name.
    static constexpr const char* LIBRARY = "libgps.so.28";

    // Whether the client library could be loaded (it is loaded once per process).
    static bool library_available();
    // Connects to gpsd and asks it to stream reports; null without the library or when gpsd does
    // not answer. May block while the address is resolved and connected.
    static std::unique_ptr<GpsLink> connect(const GpsdAddress& address);

    ~GpsLink();
    GpsLink(const GpsLink&) = delete;
    GpsLink& operator=(const GpsLink&) = delete;

    // Waits up to `timeout_ms` for a report and reads it. Nothing when none came in time;
    // false when the connection is gone.
    enum class Read { NOTHING, NEW_DATA, CLOSED };
    Read read(int timeout_ms);
    // The fix and sky view as far as the reports have told them.
    GpsFix fix() const;

private:
    struct State;
    explicit GpsLink(std::unique_ptr<State> state);
    std::unique_ptr<State> state;
};

} // namespace stellaro
