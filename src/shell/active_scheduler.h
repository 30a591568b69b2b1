#pragma once
#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <vector>

namespace stellaro {

class CActiveScheduler;

// Work that waits (on another thread or for a time) and is finished on the main thread.
// Destroying an object cancels its request; whoever completes it from another thread must be
// done with it by then.
class CActive {
public:
    explicit CActive(int32_t identifier = 0) : identifier(identifier) {}
    virtual ~CActive();
    CActive(const CActive&) = delete;
    CActive& operator=(const CActive&) = delete;
    CActive(CActive&&) = delete;
    CActive& operator=(CActive&&) = delete;
    virtual void run() = 0;

    // Whether a request waits for its completion or for its run.
    bool is_active() const;
    // Withdraws the request: its completion, queued or still to come, never runs. (A completion
    // still on its way when the object is set active again counts for the new request.)
    void cancel();

    const int32_t identifier;

private:
    friend class CActiveScheduler;
    // Where the request stands; guarded by the scheduler's lock.
    enum class Request : int32_t {
        IDLE,
        PENDING,   // set active, not yet completed
        COMPLETED, // queued for its run
        CANCELLED, // withdrawn while a completion may still arrive; that completion is dropped
    };
    Request request = Request::IDLE;
    // The scheduler while a request is active, so that an idle object may outlive it.
    std::atomic<CActiveScheduler*> owner {nullptr};
};

// Runs the completions of active objects on the main thread: `complete` may be called from any
// thread; it queues the object and wakes the main loop, which calls `process_actives`.
class CActiveScheduler {
public:
    // `wake` is called (from any thread) when completions wait to be processed.
    explicit CActiveScheduler(std::function<void()> wake);
    ~CActiveScheduler();
    CActiveScheduler(const CActiveScheduler&) = delete;
    CActiveScheduler& operator=(const CActiveScheduler&) = delete;

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
    friend class CActive;
    bool is_active(const CActive& object) const;
    void cancel(CActive& object);
    // Queues the completion; false when the request was withdrawn. The lock is held.
    bool queue_locked(CActive& object);

    std::function<void()> wake;
    std::atomic<int32_t> counter {0};
    mutable std::mutex mutex;
    std::deque<CActive*> completed;
    std::vector<std::pair<uint32_t, CActive*>> timers;
};

} // namespace stellaro
