#include "app/small_windows/splash_countdown.h"

#include <utility>

namespace zem::small {

SplashCountdown::SplashCountdown(std::function<long long()> clockMs, long long showForMs)
    : m_clock(std::move(clockMs)), m_closeAt(m_clock() + showForMs) {}

bool SplashCountdown::ShouldClose() const {
    return !m_held && m_clock() >= m_closeAt;
}

} // namespace zem::small
