#include "platform/clock.h"

#include <chrono>

namespace stellaro {

namespace {

int64_t now_ns()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

} // namespace

uint32_t tick_count()
{
    return static_cast<uint32_t>(now_ns() / 1000000);
}

Stopwatch::Stopwatch() : start_ns(now_ns()) {}

double Stopwatch::seconds() const
{
    return static_cast<double>(now_ns() - start_ns) * 1e-9;
}

double Stopwatch::lap()
{
    const int64_t now = now_ns();
    const double elapsed = static_cast<double>(now - start_ns) * 1e-9;
    start_ns = now;
    return elapsed;
}

} // namespace stellaro
