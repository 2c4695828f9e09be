#include "app/decks/deck_window/deck_window_settings.h"

#include "platform/profile.h"

#include <cstdlib>
#include <string>

namespace zem::deckwin {

namespace {

constexpr const char* kDevice = "General device settings";
constexpr const char* kJog = "Jog wheel";
constexpr const char* kPlayback = "Playback";

// The real-valued settings are stored as text and read with atof, as the settings pages
// write them.
double Real(const char* section, const char* key, const char* def) {
    return std::atof(zem::profile::GetString(section, key, def).c_str());
}

bool Flag(const char* section, const char* key) {
    return zem::profile::GetInt(section, key, 0) != 0;
}

} // namespace

DeckWindowSettings DeckWindowSettings::Read() {
    DeckWindowSettings s;
    s.pitchRange = Real(kDevice, "Pitch change", ".15");
    s.finePitchStep = Real(kDevice, "Fine Pitch change", "0.0006");
    s.finerPitchStep = Real(kDevice, "Finer Pitch change", "0.0003");
    s.bendAmount = Real(kDevice, "Bend change", "0.075");
    s.smoothBend = Flag(kDevice, "Smooth bend on");
    s.bendTime = Real(kDevice, "Bend change time", "0.5");
    s.pitchFadeTime = Real(kDevice, "Pitch fade time2", ".75");
    s.jogPitchSensitivity = zem::profile::GetInt(kJog, "Pitch Sensitivity", 500);
    s.jogPositionSensitivity = zem::profile::GetInt(kJog, "Position Sensitivity", 1000);
    s.pausedLooping = Flag(kPlayback, "Paused looping enabled");
    s.loopAmount = Real(kPlayback, "Loop amount", "0.1");
    s.gotoCue0OnStop = Flag(kPlayback, "Goto Cue 0 on Stop");
    s.stopDeckOnCue = Flag(kPlayback, "Stop Device on Cue");
    s.openTimeLeft = Flag(kPlayback, "On open TimeLeft");
    return s;
}

bool ToggleSmoothBendSetting() {
    const bool on = !Flag(kDevice, "Smooth bend on");
    zem::profile::WriteInt(kDevice, "Smooth bend on", on ? 1 : 0);
    return on;
}

} // namespace zem::deckwin
