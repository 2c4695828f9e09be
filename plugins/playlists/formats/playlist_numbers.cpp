#include "plugins/playlists/formats/playlist_numbers.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace playlists {

namespace {

bool IsCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// White space, then a "+" that from_chars would not take (it takes "-" itself).
const char* SkipToNumber(const char* p, const char* end) {
    while (p < end && IsCSpace(*p))
        ++p;
    if (p < end && *p == '+' && p + 1 < end && p[1] != '-' && p[1] != '+')
        ++p;
    return p;
}

} // namespace

const char* ScanFloat(const char* p, const char* end, float& value) {
    p = SkipToNumber(p, end);
    float v = 0.0f;
    const auto [next, ec] = std::from_chars(p, end, v);
    if (next == p)
        return nullptr;
    if (ec == std::errc() && std::isfinite(v))
        value = v;
    return next;
}

const char* ScanInt64(const char* p, const char* end, int64_t& value) {
    p = SkipToNumber(p, end);
    int64_t v = 0;
    const auto [next, ec] = std::from_chars(p, end, v);
    if (next == p)
        return nullptr;
    if (ec == std::errc::result_out_of_range)
        v = *p == '-' ? std::numeric_limits<int64_t>::min() : std::numeric_limits<int64_t>::max();
    value = v;
    return next;
}

const char* ScanInt32(const char* p, const char* end, int32_t& value) {
    int64_t v = 0;
    const char* next = ScanInt64(p, end, v);
    if (next) {
        constexpr int64_t lo = std::numeric_limits<int32_t>::min();
        constexpr int64_t hi = std::numeric_limits<int32_t>::max();
        value = static_cast<int32_t>(v < lo ? lo : v > hi ? hi : v);
    }
    return next;
}

void AppendFixed(std::string& out, double value, int decimals) {
    // Enough for the largest float with its decimals ("%f" of 3.4e38 has 39 digits).
    char buf[400];
    const auto [end, ec] =
        std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    if (ec == std::errc())
        out.append(buf, end);
    else
        out += '0';
}

void AppendInt(std::string& out, int64_t value) {
    char buf[24];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
    out.append(buf, ec == std::errc() ? end : buf);
}

} // namespace playlists
