#include "platform/clock.h"

#include <chrono>
#include <thread>

namespace zem {

unsigned long ClockMs() {
    using namespace std::chrono;
    static const steady_clock::time_point start = steady_clock::now();
    return static_cast<unsigned long>(
        duration_cast<milliseconds>(steady_clock::now() - start).count());
}

void SleepMs(unsigned long ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void YieldThread() {
    std::this_thread::yield();
}

} // namespace zem
