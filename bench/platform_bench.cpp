// Event hand-over latency and periodic-timer jitter of the platform layer.
#include "platform/event.h"
#include "platform/timer.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <thread>
#include <vector>

using namespace zem;
using Clock = std::chrono::steady_clock;

// Round trip: this thread sets ping, a waiting thread wakes and sets pong. Half the round
// trip is the wake-up latency of a waiting thread.
static void BM_EventWakeUpLatency(benchmark::State& state) {
    Event ping(false, false), pong(false, false), quit(true, false);
    std::thread other([&] {
        const Event* both[] = {&ping, &quit};
        while (WaitForAnyEvent(both, 2, Event::kInfinite) == 0)
            pong.Set();
    });
    const auto t0 = Clock::now();
    for (auto _ : state) {
        ping.Set();
        pong.Wait(Event::kInfinite);
    }
    const double us = std::chrono::duration<double, std::micro>(Clock::now() - t0).count();
    quit.Set();
    other.join();
    state.counters["wake_us"] = us / (2.0 * static_cast<double>(state.iterations()));
}
BENCHMARK(BM_EventWakeUpLatency)->UseRealTime();

static void BM_EventSetResetUncontended(benchmark::State& state) {
    Event e(true, false);
    for (auto _ : state) {
        e.Set();
        benchmark::DoNotOptimize(e.Wait(0));
        e.Reset();
    }
}
BENCHMARK(BM_EventSetResetUncontended);

// The heartbeat's 33 ms timer: lateness of each tick against its ideal deadline.
static void BM_TimerJitter33ms(benchmark::State& state) {
    for (auto _ : state) {
        constexpr int kTicks = 30;
        std::vector<double> late;
        late.reserve(kTicks);
        std::atomic<int> n{0};
        Event done(true, false);
        PeriodicTimer timer;
        const auto start = Clock::now();
        timer.Start(33, 6, [&] {
            const int i = n.fetch_add(1);
            if (i < kTicks) {
                const auto ideal = start + std::chrono::milliseconds(33 * (i + 1));
                late.push_back(
                    std::chrono::duration<double, std::micro>(Clock::now() - ideal).count());
            }
            if (i + 1 == kTicks)
                done.Set();
        });
        done.Wait(Event::kInfinite);
        timer.Kill();
        std::sort(late.begin(), late.end());
        double sum = 0;
        for (double v : late)
            sum += v;
        state.counters["late_mean_us"] = sum / static_cast<double>(late.size());
        state.counters["late_p95_us"] = late[static_cast<size_t>(late.size() * 0.95)];
        state.counters["late_max_us"] = late.back();
    }
}
BENCHMARK(BM_TimerJitter33ms)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
