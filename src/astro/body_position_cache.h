#pragma once
#include "astro/solar_system.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>

namespace stellaro {

// Positions of the bodies by whole Julian day, computed on demand within a budget per frame so
// that the first computations after a change of date spread over several frames. Each body keeps
// the days it used most recently, so a program left running does not grow without end.
class BodyPositionCache {
public:
    // Receives a line ("Planet3 elapsed=0.042\n", milliseconds) for each computation.
    using LogLine = std::function<void(const std::string& line)>;
    static constexpr size_t DAYS_PER_BODY = 64;

    explicit BodyPositionCache(LogLine log_line = {}, size_t days_per_body = DAYS_PER_BODY);

    // The body's geocentric position (computed without light time and aberration) at
    // the day, a Julian day in UT (the position is that of the dynamical time of that moment).
    // A day not yet known is computed when budget is above 0, which takes one from it; otherwise,
    // and for a day that is not a number, the answer is nothing.
    std::optional<BodyPosition> cached_body_position(Body body, double day, int& budget);

    // The number of days kept for the body.
    size_t size(Body body) const;
    void clear();

private:
    struct Entry {
        BodyPosition position;
        uint64_t last_use = 0;
    };
    using Days = std::map<double, Entry>;

    void make_room(Days& days) const;

    std::array<Days, BODY_COUNT> bodies;
    LogLine log_line;
    size_t days_per_body;
    uint64_t use_count = 0;
};

} // namespace stellaro
