#include "platform/clock.h"
#include "platform/event.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

using namespace zem;

TEST(Event, ManualResetStaysSignalledUntilReset) {
    Event e(true, false);
    EXPECT_FALSE(e.Wait(0));
    e.Set();
    EXPECT_TRUE(e.Wait(0));
    EXPECT_TRUE(e.Wait(0));
    EXPECT_TRUE(e.IsSet());
    e.Reset();
    EXPECT_FALSE(e.Wait(0));
}

TEST(Event, AutoResetIsConsumedByOneWait) {
    Event e(false, true);
    EXPECT_TRUE(e.Wait(0));
    EXPECT_FALSE(e.Wait(0));
    e.Set();
    e.Set(); // setting twice does not count twice
    EXPECT_TRUE(e.Wait(0));
    EXPECT_FALSE(e.Wait(0));
}

TEST(Event, CopiesShareOneEvent) {
    Event a(true, false);
    Event b = a;
    EXPECT_TRUE(b.SameAs(a));
    b.Set();
    EXPECT_TRUE(a.IsSet());
    a.Reset();
    EXPECT_FALSE(b.IsSet());
    Event c(true, false);
    EXPECT_FALSE(c.SameAs(a));
}

TEST(Event, WaitTimesOut) {
    Event e(false, false);
    const auto t0 = std::chrono::steady_clock::now();
    EXPECT_FALSE(e.Wait(50));
    const auto waited = std::chrono::steady_clock::now() - t0;
    EXPECT_GE(waited, std::chrono::milliseconds(50));
}

TEST(Event, WaitWakesWhenSetFromAnotherThread) {
    Event e(false, false);
    std::thread setter([&] {
        SleepMs(20);
        e.Set();
    });
    EXPECT_TRUE(e.Wait(Event::kInfinite));
    setter.join();
    EXPECT_FALSE(e.IsSet()); // consumed by the wait
}

TEST(Event, WaitForAnyReturnsLowestSignalledIndex) {
    Event run(true, false), stopped(false, false), wantStop(true, false);
    const Event* all[] = {&run, &stopped, &wantStop};
    EXPECT_EQ(WaitForAnyEvent(all, 3, 0), -1);
    wantStop.Set();
    stopped.Set();
    EXPECT_EQ(WaitForAnyEvent(all, 3, 0), 1); // auto-reset one consumed
    EXPECT_EQ(WaitForAnyEvent(all, 3, 0), 2); // manual-reset one stays
    EXPECT_EQ(WaitForAnyEvent(all, 3, 0), 2);
    EXPECT_FALSE(stopped.IsSet());
}

TEST(Event, WaitForAnyRejectsBadArguments) {
    Event a(true, true);
    const Event* none[] = {nullptr};
    EXPECT_EQ(WaitForAnyEvent(none, 1, 0), -2);
    const Event* one[] = {&a};
    EXPECT_EQ(WaitForAnyEvent(one, 0, 0), -2);
}

TEST(Event, WaitForAnyWakesOnTheEventThatIsSet) {
    Event a(true, false), b(false, false), c(true, false);
    const Event* all[] = {&a, &b, &c};
    std::thread setter([&] {
        SleepMs(20);
        b.Set();
    });
    EXPECT_EQ(WaitForAnyEvent(all, 3, 5000), 1);
    setter.join();
    EXPECT_EQ(WaitForAnyEvent(all, 3, 30), -1);
}

// One auto-reset Set wakes exactly one of several waiters; no Set is lost or counted twice.
TEST(Event, AutoResetHandsEachSetToOneWaiter) {
    Event e(false, false);
    std::atomic<int> woke{0};
    std::vector<std::thread> waiters;
    for (int i = 0; i < 4; ++i)
        waiters.emplace_back([&] {
            if (e.Wait(2000))
                ++woke;
        });
    SleepMs(30);
    e.Set();
    SleepMs(100);
    EXPECT_EQ(woke.load(), 1);
    for (int i = 0; i < 3; ++i) {
        e.Set();
        SleepMs(30);
    }
    for (auto& t : waiters)
        t.join();
    EXPECT_EQ(woke.load(), 4);
    EXPECT_FALSE(e.IsSet());
}

// Ping-pong between two threads many times: a lost wake-up would hang and time out.
TEST(Event, PingPongLosesNoWakeUp) {
    Event ping(false, false), pong(false, false);
    constexpr int kRounds = 2000;
    std::thread other([&] {
        for (int i = 0; i < kRounds; ++i) {
            ASSERT_TRUE(ping.Wait(5000));
            pong.Set();
        }
    });
    for (int i = 0; i < kRounds; ++i) {
        ping.Set();
        ASSERT_TRUE(pong.Wait(5000)) << "round " << i;
    }
    other.join();
}
