// When the splash goes away by itself: a few seconds after it appeared, unless the user has
// touched its box, after which it waits for a click or a key. The clock is given, so tests
// run it without waiting.
#pragma once

#include <functional>

namespace zem::small {

class SplashCountdown {
public:
    // clockMs: milliseconds from any fixed start; read once now and at every question.
    SplashCountdown(std::function<long long()> clockMs, long long showForMs);

    bool ShouldClose() const;
    // The user is busy with the splash: it no longer closes by itself.
    void Hold() { m_held = true; }
    bool IsHeld() const { return m_held; }

private:
    std::function<long long()> m_clock;
    long long m_closeAt;
    bool m_held = false;
};

} // namespace zem::small
