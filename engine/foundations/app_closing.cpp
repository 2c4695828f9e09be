#include "engine/foundations/app_closing.h"

#include <atomic>

namespace {
std::atomic<int> appClosing{0};
}

void SetAppClosing(bool closing) {
    appClosing.store(closing ? 1 : 0, std::memory_order_relaxed);
}

bool GetAppClosing() {
    return appClosing.load(std::memory_order_relaxed) != 0;
}
