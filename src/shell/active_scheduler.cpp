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

CActive::~CActive()
{
    if (active)
        fatal(u"Active object " + number(identifier) + u" is already active", u"CActive::~CActive()");
}

CActiveScheduler::CActiveScheduler(std::function<void()> wake) : wake(std::move(wake)) {}

CActiveScheduler::~CActiveScheduler()
{
    if (counter.load() != 0)
        fatal(u"Some active objects still live while scheduler is terminating active_counter=" + number(counter.load()),
              u"CActiveScheduler::~CActiveScheduler()");
}

void CActiveScheduler::set_active(CActive& object)
{
    if (object.active)
        fatal(u"Object " + number(object.identifier) + u" is already active", u"CActiveScheduler::set_active()");
    object.active = true;
    ++counter;
}

void CActiveScheduler::complete(CActive& object)
{
    if (!object.active)
        fatal(u"Active object " + number(object.identifier) + u" is not marked active", u"CActiveScheduler::complete()");
    {
        std::lock_guard lock(mutex);
        completed.push_back(&object);
    }
    if (wake)
        wake();
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
        }
        if (!object->active)
            fatal(u"Active object " + number(object->identifier) + u" is not marked active", u"CActiveScheduler::process_actives()");
        object->active = false;
        --counter;
        object->run();
    }
}

void CActiveScheduler::add_timer(uint32_t due_tick, CActive& object)
{
    timers.emplace_back(due_tick, &object);
}

uint32_t CActiveScheduler::run_timers(uint32_t now_tick)
{
    uint32_t next = NO_TIMER;
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
        complete(*object);
    return next;
}

} // namespace stellaro
