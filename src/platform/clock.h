#pragma once
#include <cstdint>

namespace stellaro {

// Milliseconds since an arbitrary start, steadily increasing (the log's tick count).
uint32_t tick_count();

// Seconds measured from construction, for the timing lines of the log.
class Stopwatch {
public:
    Stopwatch();
    double seconds() const;
    // Seconds since construction or the previous lap.
    double lap();

private:
    int64_t start_ns;
};

} // namespace stellaro
