#include "astro/body_position_cache.h"

#include "astro/delta_t.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>

namespace stellaro {

BodyPositionCache::BodyPositionCache(LogLine log_line, size_t days_per_body)
    : log_line(std::move(log_line)), days_per_body(std::max<size_t>(days_per_body, 1))
{
}

std::optional<BodyPosition> BodyPositionCache::cached_body_position(Body body, double day, int& budget)
{
    if (body_index(body) >= BODY_COUNT || !std::isfinite(day))
        return std::nullopt;
    Days& days = bodies[body_index(body)];
    if (const auto found = days.find(day); found != days.end()) {
        found->second.last_use = ++use_count;
        return found->second.position;
    }
    if (budget <= 0)
        return std::nullopt;
    --budget;

    const auto start = std::chrono::steady_clock::now();
    const BodyPosition position = body_position(terrestrial_time(day), body, true);
    const std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
    make_room(days);
    days.emplace(day, Entry{position, ++use_count});
    if (log_line) {
        char line[64];
        std::snprintf(line, sizeof line, "Planet%zu elapsed=%.3f\n", body_index(body), elapsed.count());
        log_line(line);
    }
    return position;
}

void BodyPositionCache::make_room(Days& days) const
{
    while (days.size() >= days_per_body) {
        const auto oldest = std::min_element(days.begin(), days.end(),
                                             [](const auto& a, const auto& b) { return a.second.last_use < b.second.last_use; });
        days.erase(oldest);
    }
}

size_t BodyPositionCache::size(Body body) const
{
    return body_index(body) >= BODY_COUNT ? 0 : bodies[body_index(body)].size();
}

void BodyPositionCache::clear()
{
    for (Days& days : bodies)
        days.clear();
}

} // namespace stellaro
