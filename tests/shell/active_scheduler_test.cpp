#include "shell/active_scheduler.h"

#include <gtest/gtest.h>

#include <atomic>
#include <deque>
#include <functional>
#include <memory>
#include <thread>

namespace stellaro {

namespace {

struct Counter : CActive {
    using CActive::CActive;
    void run() override { ++runs; }
    int runs = 0;
};

TEST(ActiveScheduler, CompletionsFromOtherThreadsRunOnTheCallersThread)
{
    std::atomic<int> wakes {0};
    CActiveScheduler scheduler([&] { ++wakes; });
    std::deque<Counter> objects;
    for (int i = 0; i < 50; ++i)
        scheduler.set_active(objects.emplace_back(i));
    std::thread([&] {
        for (auto& object : objects)
            scheduler.complete(object);
    }).join();
    EXPECT_EQ(wakes.load(), 50);
    EXPECT_EQ(objects[0].runs, 0);
    scheduler.process_actives();
    for (const auto& object : objects) {
        EXPECT_EQ(object.runs, 1);
        EXPECT_FALSE(object.is_active());
    }
    EXPECT_EQ(scheduler.active_count(), 0);
}

TEST(ActiveScheduler, TimersCompleteWhenDue)
{
    CActiveScheduler scheduler(nullptr);
    Counter late(1);
    Counter overdue(2);
    scheduler.set_active(late);
    scheduler.set_active(overdue);
    scheduler.add_timer(1500, late);
    scheduler.add_timer(900, overdue);
    EXPECT_EQ(scheduler.run_timers(1000), 500u);
    scheduler.process_actives();
    EXPECT_EQ(overdue.runs, 1);
    EXPECT_EQ(late.runs, 0);
    EXPECT_EQ(scheduler.run_timers(1500), CActiveScheduler::NO_TIMER);
    scheduler.process_actives();
    EXPECT_EQ(late.runs, 1);
    // Tick counts wrap around.
    scheduler.set_active(late);
    scheduler.add_timer(5, late);
    EXPECT_EQ(scheduler.run_timers(0xFFFFFFF0u), 21u);
    scheduler.run_timers(6);
    scheduler.process_actives();
    EXPECT_EQ(late.runs, 2);
}

TEST(ActiveScheduler, ACancelledOrDestroyedRequestNeverRunsWhereverItStood)
{
    CActiveScheduler scheduler(nullptr);
    Counter object(3);
    // Waiting for a completion that still arrives; queued for its run; waiting for its timer.
    const std::function<void(CActive&)> stages[] = {
        [&](CActive& active) { scheduler.set_active(active); },
        [&](CActive& active) {
            scheduler.set_active(active);
            scheduler.complete(active);
        },
        [&](CActive& active) {
            scheduler.set_active(active);
            scheduler.add_timer(10, active);
        },
    };
    for (const auto& stage : stages) {
        stage(object);
        object.cancel();
        EXPECT_FALSE(object.is_active());
        auto doomed = std::make_unique<Counter>(4);
        stage(*doomed);
        doomed.reset();
        EXPECT_EQ(scheduler.active_count(), 0);
    }
    // A cancelled object takes new requests.
    scheduler.set_active(object);
    scheduler.complete(object);
    scheduler.process_actives();
    EXPECT_EQ(object.runs, 1);
}

TEST(ActiveScheduler, ACompletionRacingACancelNeverRuns)
{
    CActiveScheduler scheduler(nullptr);
    Counter object(6);
    for (int round = 0; round < 2000; ++round) {
        scheduler.set_active(object);
        std::thread worker([&] { scheduler.complete(object); });
        object.cancel();
        worker.join();
        scheduler.process_actives();
        ASSERT_FALSE(object.is_active()) << round;
    }
    EXPECT_EQ(object.runs, 0);
    EXPECT_EQ(scheduler.active_count(), 0);
}

} // namespace

} // namespace stellaro
