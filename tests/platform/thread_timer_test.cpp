#include "platform/clock.h"
#include "platform/mutex.h"
#include "platform/thread.h"
#include "platform/timer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace zem;

TEST(Thread, JoinTimesOutWhileBodyRunsThenSucceeds) {
    Event release(true, false);
    Thread t;
    ASSERT_TRUE(t.Start([&] { release.Wait(Event::kInfinite); }));
    EXPECT_FALSE(t.Start([] {})); // only once
    EXPECT_FALSE(t.Join(30));
    release.Set();
    EXPECT_TRUE(t.Join(5000));
    EXPECT_FALSE(t.Started());
}

TEST(Thread, PrioritiesAreAcceptedOrQuietlyRefused) {
    std::atomic<bool> ran{false};
    Thread t;
    // Time-critical usually needs privileges; the thread must run either way.
    ASSERT_TRUE(t.Start([&] { ran = true; }, kPriorityTimeCritical));
    EXPECT_TRUE(t.Join(5000));
    EXPECT_TRUE(ran.load());
    EXPECT_FALSE(SetCurrentThreadPriority(7)); // not a priority value
    EXPECT_TRUE(SetCurrentThreadPriority(kPriorityNormal));
}

TEST(TryLockGuard, FailsWhileAnotherThreadHoldsTheLock) {
    RecursiveMutex m;
    {
        TryLockGuard g(m);
        EXPECT_TRUE(g.OwnsLock());
        TryLockGuard again(m); // re-entrant for the owner
        EXPECT_TRUE(again.OwnsLock());
        std::thread other([&] {
            TryLockGuard g2(m);
            EXPECT_FALSE(g2.OwnsLock());
        });
        other.join();
    }
    std::thread other([&] {
        TryLockGuard g3(m);
        EXPECT_TRUE(g3.OwnsLock());
    });
    other.join();
}

TEST(PeriodicTimer, TicksAtItsPeriodOnItsOwnThread) {
    PeriodicTimer timer;
    std::atomic<int> ticks{0};
    std::atomic<bool> otherThread{true};
    const auto caller = std::this_thread::get_id();
    EXPECT_FALSE(timer.Start(0, 0, [] {}));
    ASSERT_TRUE(timer.Start(10, 2, [&] {
        if (std::this_thread::get_id() == caller)
            otherThread = false;
        ++ticks;
    }));
    EXPECT_TRUE(timer.Running());
    EXPECT_EQ(timer.PeriodMs(), 10u);
    EXPECT_EQ(timer.ResolutionMs(), 2u);
    SleepMs(205);
    timer.Kill();
    const int counted = ticks.load();
    // 20 deadlines passed; allow a loaded machine to miss some but never to run ahead.
    EXPECT_GE(counted, 5);
    EXPECT_LE(counted, 21);
    EXPECT_TRUE(otherThread.load());
    EXPECT_FALSE(timer.Running());
    SleepMs(40);
    EXPECT_EQ(ticks.load(), counted); // no callback after Kill returned
}

TEST(PeriodicTimer, KillFromInsideTheCallbackStopsFurtherTicks) {
    PeriodicTimer timer;
    std::atomic<int> ticks{0};
    ASSERT_TRUE(timer.Start(5, 1, [&] {
        if (++ticks == 3)
            timer.Kill();
    }));
    SleepMs(100);
    EXPECT_EQ(ticks.load(), 3);
    timer.Kill();
    // It can run again after a kill.
    std::atomic<int> again{0};
    ASSERT_TRUE(timer.Start(5, 1, [&] { ++again; }));
    SleepMs(60);
    timer.Kill();
    EXPECT_GT(again.load(), 0);
}

TEST(PeriodicTimer, TheMonotonicClockResolvesMilliseconds) {
    EXPECT_TRUE(TimerResolutionAvailable(1));
    EXPECT_TRUE(TimerResolutionAvailable(6));
}

TEST(Clock, MillisecondsMoveWithSleep) {
    const unsigned long t0 = ClockMs();
    SleepMs(30);
    const unsigned long t1 = ClockMs();
    EXPECT_GE(t1 - t0, 30u);
    EXPECT_LT(t1 - t0, 2000u);
    YieldThread();
}
