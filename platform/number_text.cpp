#include "platform/number_text.h"

#include <charconv>
#include <cmath>

namespace zem {

namespace {

std::string_view Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    const size_t last = text.find_last_not_of(" \t");
    return std::string_view(text).substr(first, last - first + 1);
}

// from_chars takes no leading "+"; people type one now and then.
std::string_view WithoutPlus(std::string_view text) {
    if (text.empty() || text.front() != '+')
        return text;
    text.remove_prefix(1);
    return !text.empty() && text.front() == '-' ? std::string_view() : text;
}

} // namespace

std::string FormatSignificant(double value, int digits) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits);
    return std::string(buffer, result.ptr);
}

std::string FormatFixed(double value, int decimals) {
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return std::string(buffer, result.ptr);
}

std::optional<double> ParseReal(const std::string& text) {
    const std::string_view s = WithoutPlus(Trimmed(text));
    double value = 0;
    const auto result = std::from_chars(s.data(), s.data() + s.size(), value);
    if (s.empty() || result.ec != std::errc() || result.ptr != s.data() + s.size() ||
        !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<int> ParseInt(const std::string& text) {
    const std::string_view s = WithoutPlus(Trimmed(text));
    int value = 0;
    const auto result = std::from_chars(s.data(), s.data() + s.size(), value);
    if (s.empty() || result.ec != std::errc() || result.ptr != s.data() + s.size())
        return std::nullopt;
    return value;
}

} // namespace zem
