#include "shell/active_scheduler.h"

#include "skin/io/log.h"

#include <algorithm>
#include <string>

namespace stellaro {

namespace {

std::u16string number(int64_t value)
{
    const std::string text = std::to_string(value);
    return std::u16string(text.begin(), text.end());
}

} // namespace

CActive::~CActive() { cancel(); }

bool CActive::is_active() const
{
    const CActiveScheduler* scheduler = owner.load();
    return scheduler && scheduler->is_active(*this);
}

void CActive::cancel()
{
    if (CActiveScheduler* scheduler = owner.load())
        scheduler->cancel(*this);
}

CActiveScheduler::CActiveScheduler(std::function<void()> wake) : wake(std::move(wake)) {}

CActiveScheduler::~CActiveScheduler()
{
    if (counter.load() != 0)
        fatal(u"Some active objects still live while scheduler is terminating active_counter=" + number(counter.load()),
              u"CActiveScheduler::~CActiveScheduler()");
}

bool CActiveScheduler::is_active(const CActive& object) const
{
    std::lock_guard lock(mutex);
    return object.request == CActive::Request::PENDING || object.request == CActive::Request::COMPLETED;
}

void CActiveScheduler::set_active(CActive& object)
{
    std::lock_guard lock(mutex);
    if (object.request == CActive::Request::PENDING || object.request == CActive::Request::COMPLETED)
        fatal(u"Object " + number(object.identifier) + u" is already active", u"CActiveScheduler::set_active()");
    object.request = CActive::Request::PENDING;
    object.owner.store(this);
    ++counter;
}

bool CActiveScheduler::queue_locked(CActive& object)
{
    if (object.request == CActive::Request::CANCELLED) {
        object.request = CActive::Request::IDLE;
        return false;
    }
    if (object.request != CActive::Request::PENDING)
        fatal(u"Active object " + number(object.identifier) + u" is not marked active", u"CActiveScheduler::complete()");
    object.request = CActive::Request::COMPLETED;
    completed.push_back(&object);
    return true;
}

void CActiveScheduler::complete(CActive& object)
{
    bool queued = false;
    {
        std::lock_guard lock(mutex);
        queued = queue_locked(object);
    }
    if (queued && wake)
        wake();
}

void CActiveScheduler::cancel(CActive& object)
{
    std::lock_guard lock(mutex);
    switch (object.request) {
    case CActive::Request::IDLE:
    case CActive::Request::CANCELLED:
        return;
    case CActive::Request::PENDING:
        // A timer is this scheduler's own completion and goes with the request; any other
        // completion may still be on its way.
        if (std::erase_if(timers, [&](const auto& timer) { return timer.second == &object; }) > 0)
            object.request = CActive::Request::IDLE;
        else
            object.request = CActive::Request::CANCELLED;
        break;
    case CActive::Request::COMPLETED:
        std::erase(completed, &object);
        object.request = CActive::Request::IDLE;
        break;
    }
    object.owner.store(nullptr);
    --counter;
}

void CActiveScheduler::process_actives()
{
    for (;;) {
        CActive* object = nullptr;
        {
            std::lock_guard lock(mutex);
            if (completed.empty())
                return;
            object = completed.front();
            completed.pop_front();
            object->request = CActive::Request::IDLE;
            object->owner.store(nullptr);
            --counter;
        }
        object->run();
    }
}

void CActiveScheduler::add_timer(uint32_t due_tick, CActive& object)
{
    std::lock_guard lock(mutex);
    timers.emplace_back(due_tick, &object);
}

uint32_t CActiveScheduler::run_timers(uint32_t now_tick)
{
    uint32_t next = NO_TIMER;
    int32_t queued = 0;
    {
        std::lock_guard lock(mutex);
        // Completed in the order the timers were added, as they always were.
        std::vector<CActive*> due;
        for (auto it = timers.begin(); it != timers.end();) {
            // Tick differences wrap with the counter, as tick counts do.
            const auto remaining = static_cast<int32_t>(it->first - now_tick);
            if (remaining < 1) {
                due.push_back(it->second);
                it = timers.erase(it);
            } else {
                next = std::min(next, static_cast<uint32_t>(remaining));
                ++it;
            }
        }
        for (CActive* object : due)
            queued += queue_locked(*object) ? 1 : 0;
    }
    for (int32_t i = 0; i < queued && wake; ++i)
        wake();
    return next;
}

} // namespace stellaro
