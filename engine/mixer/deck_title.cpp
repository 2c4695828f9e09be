#include "engine/mixer/deck_title.h"

#include <cstdio>

// The format below pads with its precision; the compiler flags its redundant 0 flag.
#pragma GCC diagnostic ignored "-Wformat"

namespace {
// Kept as the program has always written it; the precision alone pads to two digits.
const char* const kTitleFormat = "Ch %d: %s [%02.2d:%02.2d]%s";
} // namespace

std::string BuildDeckTitle(int channel, const char* fileName, unsigned long totalSeconds,
                           bool readOnly) {
    const int minutes = static_cast<int>(totalSeconds / 60);
    const int seconds = static_cast<int>(totalSeconds % 60);
    const char* name = fileName ? fileName : "";
    const char* suffix = readOnly ? " - RO" : "";
    const int size =
        std::snprintf(nullptr, 0, kTitleFormat, channel, name, minutes, seconds, suffix);
    std::string title(static_cast<size_t>(size > 0 ? size : 0), '\0');
    std::snprintf(title.data(), title.size() + 1, kTitleFormat, channel, name, minutes, seconds,
                  suffix);
    return title;
}
