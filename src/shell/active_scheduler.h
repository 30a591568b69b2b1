#pragma once
#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <vector>

namespace stellaro {

// Work that waits (on another thread or for a time) and is finished on the main thread.
class CActive {
public:
    explicit CActive(int32_t identifier = 0) : identifier(identifier) {}
    virtual ~CActive();
    virtual void run() = 0;

    bool active = false;
    int32_t identifier;
};

// Runs the completions of active objects on the main thread: `complete` may be called from any
// thread; it queues the object and wakes the main loop, which calls `process_actives`.
class CActiveScheduler {
public:
    // `wake` is called (from any thread) when completions wait to be processed.
    explicit CActiveScheduler(std::function<void()> wake);
    ~CActiveScheduler();

    void set_active(CActive& object);
    void complete(CActive& object);
    void process_actives();

    // Completes the object once the tick count reaches `due_tick`.
    void add_timer(uint32_t due_tick, CActive& object);
    // Completes the timers that are due; returns the milliseconds until the next one, or
    // NO_TIMER when none is left.
    uint32_t run_timers(uint32_t now_tick);
    static constexpr uint32_t NO_TIMER = 10000000;

    int32_t active_count() const { return counter.load(); }

private:
    std::function<void()> wake;
    std::atomic<int32_t> counter {0};
    std::mutex mutex;
    std::deque<CActive*> completed;
    std::vector<std::pair<uint32_t, CActive*>> timers;
};

} // namespace stellaro
