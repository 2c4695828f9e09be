// Millisecond clock, sleeping and yielding.
#pragma once

namespace zem {

// Milliseconds since the first call in this process, from a monotonic clock (the engine uses
// it where the original used clock() with CLOCKS_PER_SEC of 1000).
unsigned long ClockMs();
void SleepMs(unsigned long ms);
void YieldThread();

} // namespace zem
