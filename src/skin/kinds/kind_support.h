#pragma once
#include "skin/elements/element.h"

#include <atomic>
#include <cstdint>

namespace stellaro {

// A process-wide count of the live elements of one kind, for leak checks and diagnostics.
template <typename Kind>
class LiveCount {
public:
    static int64_t live_instances() { return counter().load(); }

protected:
    LiveCount() { ++counter(); }
    LiveCount(const LiveCount&) { ++counter(); }
    ~LiveCount() { --counter(); }
    LiveCount& operator=(const LiveCount&) = default;

private:
    static std::atomic<int64_t>& counter()
    {
        static std::atomic<int64_t> count{0};
        return count;
    }
};

} // namespace stellaro
