// The profile settings the deck window uses, read afresh at every use so that a change in the
// settings dialogs takes effect at the next gesture.
#pragma once

namespace zem::deckwin {

struct DeckWindowSettings {
    double pitchRange = 0.15;       // fraction of the own rate at either end of the pitch slider
    double finePitchStep = 0.0006;  // large fine step, fraction of the own rate
    double finerPitchStep = 0.0003; // small fine step
    double bendAmount = 0.075;      // fraction of the rate
    bool smoothBend = false;
    double bendTime = 0.5;       // seconds of a full smooth bend
    double pitchFadeTime = 0.75; // seconds of the fades to 0 % and 100 %
    int jogPitchSensitivity = 500;
    int jogPositionSensitivity = 1000;
    bool pausedLooping = false;
    double loopAmount = 0.1; // paused-loop seconds
    bool gotoCue0OnStop = false;
    bool stopDeckOnCue = false;
    bool openTimeLeft = false;

    static DeckWindowSettings Read();
};

// Flips "Smooth bend on" in the profile; returns the new state.
bool ToggleSmoothBendSetting();

} // namespace zem::deckwin
