// The deck window's tempo and time readout.
#pragma once

#include <string>

namespace zem::deckwin {

enum TimeMode : int {
    kTimeElapsed = 0, // " (TE)"
    kTimeLeft = 1,    // " (TL)"
};

// "BPM: 120.00(+5.00%)\nTime: 1:02.50 (TE)". positionSeconds is where the deck is; in
// time-left mode the time shown counts down to totalSeconds and stays at 0:00.00 past it.
std::string FormatDeckReadout(float currentTempo, float pitchChange, double positionSeconds,
                              long totalSeconds, int timeMode);

} // namespace zem::deckwin
