#include "shell/active_scheduler.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

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
    std::vector<Counter> objects(50);
    for (auto& object : objects)
        scheduler.set_active(object);
    EXPECT_EQ(scheduler.active_count(), 50);
    std::thread worker([&] {
        for (auto& object : objects)
            scheduler.complete(object);
    });
    worker.join();
    EXPECT_EQ(wakes.load(), 50);
    for (const auto& object : objects)
        EXPECT_EQ(object.runs, 0);
    scheduler.process_actives();
    for (const auto& object : objects) {
        EXPECT_EQ(object.runs, 1);
        EXPECT_FALSE(object.active);
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

TEST(ActiveSchedulerDeathTest, MisuseIsFatal)
{
    EXPECT_EXIT(
        {
            CActiveScheduler scheduler(nullptr);
            Counter object(7);
            scheduler.set_active(object);
            scheduler.set_active(object);
        },
        ::testing::ExitedWithCode(EXIT_FAILURE), "Object 7 is already active");
    EXPECT_EXIT(
        {
            CActiveScheduler scheduler(nullptr);
            Counter object(8);
            scheduler.complete(object);
        },
        ::testing::ExitedWithCode(EXIT_FAILURE), "Active object 8 is not marked active");
    EXPECT_EXIT(
        {
            CActiveScheduler scheduler(nullptr);
            Counter object(9);
            scheduler.set_active(object);
            object.active = false;
        },
        ::testing::ExitedWithCode(EXIT_FAILURE), "Some active objects still live while scheduler is terminating active_counter=1");
}

} // namespace

} // namespace stellaro
