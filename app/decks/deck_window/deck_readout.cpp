#include "app/decks/deck_window/deck_readout.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace zem::deckwin {

std::string FormatDeckReadout(float currentTempo, float pitchChange, double positionSeconds,
                              long totalSeconds, int timeMode) {
    double t = positionSeconds;
    if (timeMode == kTimeLeft)
        t = std::max(0.0, static_cast<double>(totalSeconds) - t);
    // Rounded to hundredths before the minutes are split off: left to the seconds field,
    // 59.996 would read "0:60.00".
    t = std::round(t * 100.0) / 100.0;
    const int minutes = static_cast<int>(t / 60.0);
    const double seconds = t - 60.0 * minutes;
    char pitch[32];
    std::snprintf(pitch, sizeof pitch, pitchChange > 0 ? "+%.2f" : "%.2f",
                  static_cast<double>(pitchChange));
    char text[128];
    std::snprintf(text, sizeof text, "BPM: %.2f(%s%%)\nTime: %d:%05.2f%s",
                  static_cast<double>(currentTempo), pitch, minutes, seconds,
                  timeMode == kTimeLeft ? " (TL)" : " (TE)");
    return text;
}

} // namespace zem::deckwin
