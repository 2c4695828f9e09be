#include "tools/latency/change_detect.h"

#include <algorithm>
#include <cstdlib>

namespace {

// A sawtooth's wrap is not a change of slope. The card's resampler passes a deck at its own
// rate through unchanged, so the wrap does not ring: only the wrap's own frame is passed over.
constexpr size_t kWrapGuard = 0;
constexpr int kSilence = 24;
constexpr int kRun = 3; // consecutive changed slopes that make a change

int Slope(const std::vector<short>& s, size_t i) {
    return static_cast<int>(s[i]) - static_cast<int>(s[i - 1]);
}

} // namespace

std::vector<size_t> FindMarkers(const std::vector<short>& right, short threshold) {
    std::vector<size_t> at;
    bool high = false;
    for (size_t i = 0; i < right.size(); ++i) {
        const bool now = right[i] > threshold;
        if (now && !high)
            at.push_back(i);
        high = now;
    }
    return at;
}

size_t FirstSound(const std::vector<short>& left, size_t from, size_t to) {
    to = std::min(to, left.size());
    for (size_t i = from; i < to; ++i)
        if (std::abs(left[i]) > kSilence)
            return i;
    return to;
}

size_t FirstChange(const std::vector<short>& left, size_t from, size_t to, unsigned rate) {
    to = std::min(to, left.size());
    const size_t window = rate / 50;
    if (from < window + 1 || from >= to)
        return to;
    // What the signal did before: silent, or a sawtooth of some slope.
    bool silent = true;
    std::vector<int> slopes;
    for (size_t i = from - window; i < from; ++i) {
        silent = silent && std::abs(left[i]) <= kSilence;
        slopes.push_back(Slope(left, i));
    }
    if (silent)
        return FirstSound(left, from, to);
    std::nth_element(slopes.begin(), slopes.begin() + slopes.size() / 2, slopes.end());
    const int base = slopes[slopes.size() / 2];
    const int tolerance = std::max(2, std::abs(base) / 25);
    int peak = 0;
    for (size_t i = from - window; i < from; ++i)
        peak = std::max(peak, std::abs(static_cast<int>(left[i])));
    // A wrap jumps from one extreme of the sawtooth to the other; a jump to silence (a stop
    // or a mute) is a change, not a wrap.
    const int wrapSlope = std::max(2000, 8 * std::abs(base));
    auto isWrap = [&](size_t w) {
        return w > 0 && w < left.size() && std::abs(Slope(left, w)) > wrapSlope &&
               std::abs(left[w]) > peak / 2 && std::abs(left[w - 1]) > peak / 2;
    };
    std::vector<bool> guarded(to - from, false);
    for (size_t w = from > kWrapGuard ? from - kWrapGuard : 1;
         w < std::min(left.size(), to + kWrapGuard); ++w) {
        if (!isWrap(w))
            continue;
        const size_t a = w > kWrapGuard ? w - kWrapGuard : 0;
        for (size_t i = std::max(a, from); i <= std::min(to - 1, w + kWrapGuard); ++i)
            guarded[i - from] = true;
    }
    int run = 0;
    for (size_t i = from; i < to; ++i) {
        if (guarded[i - from]) {
            run = 0;
            continue;
        }
        if (std::abs(Slope(left, i) - base) > tolerance) {
            if (++run == kRun)
                return i - (kRun - 1);
        } else {
            run = 0;
        }
    }
    return to;
}
