#include "app/decks/deck_window/mixer_device_view_logic.h"

#include "app/decks/deck_window/deck_commands.h"
#include "app/decks/deck_window/deck_window_settings.h"
#include "engine/deck/mixer_device.h"
#include "engine/foundations/standard_dirs.h"
#include "engine/mixer/mixer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace zem::deckwin {

namespace {

constexpr int kCues = 10;

unsigned long ClampRate(double rate) {
    return static_cast<unsigned long>(std::clamp(rate, static_cast<double>(PitchRamp::kMinRate),
                                                 static_cast<double>(PitchRamp::kMaxRate)));
}

} // namespace

MixerDeviceViewLogic::MixerDeviceViewLogic(const DeckClock& clock, DeckViewHost* host)
    : m_clock(clock), m_host(host), m_ramp(clock) {
    if (m_host)
        m_ramp.SetPump([this] { m_host->ProcessMessages(); });
}

MixerDeviceViewLogic::~MixerDeviceViewLogic() {
    m_ramp.Stop();
}

void MixerDeviceViewLogic::SetDevice(MixerDevice* deck) {
    if (deck != m_deck)
        StopRamp();
    m_deck = deck;
    m_jogActive = false;
    m_jogPositioning = false;
    m_jogOffset = 0;
    m_followPosition = true;
}

void MixerDeviceViewLogic::OnSongLoaded() {
    if (!m_deck)
        return;
    m_totalTime = static_cast<long>(m_deck->GetTotalTime());
    const unsigned long length = m_deck->GetLength();
    m_positionScale =
        length ? static_cast<float>(kPositionSliderMax) / static_cast<float>(length) : 0.f;
    m_loopMark = SliderMark();
    UpdatePitchDisplay();
    if (DeckWindowSettings::Read().openTimeLeft)
        m_timeMode = kTimeLeft;
    m_positionSliderValue =
        static_cast<int>(static_cast<float>(m_deck->GetPosition()) * m_positionScale);
    RefreshReadout(static_cast<double>(m_deck->GetPosition()));
}

// Transport.

void MixerDeviceViewLogic::PlayPause(Modifiers keys) {
    if (!m_deck)
        return;
    if (m_deck->IsPlaying()) {
        m_deck->Stop();
        const DeckWindowSettings s = DeckWindowSettings::Read();
        if (s.pausedLooping != keys.ctrl)
            m_deck->PausedLoopingBegin(s.loopAmount);
        return;
    }
    if (m_deck->GetPlayStatus() == 2)
        m_deck->PausedLoopingEnd();
    m_deck->Play();
}

void MixerDeviceViewLogic::StopButton() {
    if (!m_deck)
        return;
    if (m_deck->GetPlayStatus() == 2)
        m_deck->PausedLoopingEnd();
    m_deck->Stop();
    if (DeckWindowSettings::Read().gotoCue0OnStop)
        m_deck->RestoreStoredPosition(0, 0, false);
    else
        m_deck->SetPosition(0, false);
}

void MixerDeviceViewLogic::ToStart() {
    if (m_deck)
        m_deck->SetPosition(0, false);
}

void MixerDeviceViewLogic::Nudge(bool forward, Modifiers keys) {
    if (!m_deck)
        return;
    const double step = BytesPerSecond() * (keys.ctrl ? kFineNudgeSeconds : kNudgeSeconds);
    const double position = static_cast<double>(m_deck->GetPosition());
    const double target = forward ? position + step : position - step;
    if (forward ? target < static_cast<double>(m_deck->GetLength()) : target > 0)
        m_deck->SetPosition(static_cast<long>(target), false);
}

void MixerDeviceViewLogic::VolumeSliderMoved(int value) {
    if (m_deck)
        m_deck->SetVolume(value, kVChannel0);
}

int MixerDeviceViewLogic::GetPlayButtonBitmap() const {
    return m_deck && m_deck->IsPlaying() ? kBitmapPause : kBitmapPlay;
}

// Cues and loops.

void MixerDeviceViewLogic::CueButton(int cue, Modifiers keys) {
    if (!m_deck || cue < 0 || cue >= kCues)
        return;
    if (keys.ctrl) {
        m_deck->StoreStoredPosition(cue, m_deck->GetPosition(), 0);
    } else if (keys.shift) {
        m_deck->StoreStoredPosition(cue, static_cast<unsigned long>(-1), 0);
    } else {
        m_deck->RestoreStoredPosition(cue, 0, false);
        if (DeckWindowSettings::Read().stopDeckOnCue && m_deck->IsPlaying())
            m_deck->Stop();
    }
    const StoredPosition* stored = m_deck->GetStoredPosition(cue);
    const long start = std::max(0L, stored->start.load());
    const long end = stored->end.load();
    if (end != -1 && end > start) {
        m_loopMark = {true, static_cast<int>(static_cast<float>(start) * m_positionScale),
                      static_cast<int>(static_cast<float>(end) * m_positionScale)};
        m_deck->SetLoopSlot(cue);
    } else {
        m_loopMark = SliderMark();
        m_deck->SetLoopSlot(-1);
    }
}

void MixerDeviceViewLogic::ClearLoop() {
    m_loopMark = SliderMark();
    if (m_deck)
        m_deck->SetLoopSlot(-1);
}

// Position slider and readout.

void MixerDeviceViewLogic::PositionSliderDragged(int value) {
    if (!m_deck || m_positionScale <= 0)
        return;
    m_followPosition = false;
    m_positionSliderValue = value;
    RefreshReadout(static_cast<double>(value) / m_positionScale);
}

void MixerDeviceViewLogic::PositionSliderReleased(int value) {
    if (!m_deck)
        return;
    if (m_positionScale > 0)
        m_deck->SetPosition(static_cast<long>(static_cast<float>(value) / m_positionScale), false);
    m_positionSliderValue = value;
    m_followPosition = true;
}

void MixerDeviceViewLogic::OnDisplayTimer() {
    if (!m_deck || !m_followPosition)
        return;
    const unsigned long position = m_deck->GetPosition();
    m_positionSliderValue = static_cast<int>(static_cast<float>(position) * m_positionScale);
    RefreshReadout(static_cast<double>(position));
}

void MixerDeviceViewLogic::ToggleTimeMode() {
    m_timeMode = m_timeMode == kTimeLeft ? kTimeElapsed : kTimeLeft;
}

void MixerDeviceViewLogic::RefreshReadout(double position) {
    const double bps = BytesPerSecond();
    m_readout = FormatDeckReadout(m_deck->GetCurrentTempo(), m_deck->GetPitchChange(),
                                  bps > 0 ? position / bps : 0.0, m_totalTime, m_timeMode);
}

double MixerDeviceViewLogic::BytesPerSecond() const {
    return m_deck ? static_cast<double>(m_deck->GetWaveFormatEx()->nAvgBytesPerSec) : 0.0;
}

// Pitch.

void MixerDeviceViewLogic::PitchSliderMoved(int value, bool dragEnded) {
    if (!m_deck || m_ramp.IsRunning())
        return;
    const double range = DeckWindowSettings::Read().pitchRange;
    const double own = static_cast<double>(m_deck->GetOriginalPitch());
    const double centre = kPitchSliderCentre;
    // Multiplying before dividing keeps the slider's ends exact: the top is own x (1 + range).
    unsigned long rate = static_cast<unsigned long>((value - centre) * range * own / centre + own);
    if (!m_bendSwitch)
        m_rememberedRate.store(rate);
    else if (dragEnded)
        rate = m_rememberedRate.load();
    m_deck->SetPitch(rate);
    // While the bend switch holds the slider, the rate to spring back to stays remembered.
    m_pitchRange.store(range);
    ShowPitch(range, m_bendSwitch && !dragEnded);
}

void MixerDeviceViewLogic::UpdatePitchDisplay() {
    const double range = DeckWindowSettings::Read().pitchRange;
    m_pitchRange.store(range);
    ShowPitch(range, false);
}

void MixerDeviceViewLogic::ShowPitch(double range, bool keepRemembered) {
    if (!m_deck)
        return;
    const unsigned long rate = m_deck->GetPitch();
    const double own = static_cast<double>(m_deck->GetOriginalPitch());
    int value = kPitchSliderCentre;
    if (own > 0 && range > 0) {
        const double fraction = std::clamp((static_cast<double>(rate) - own) / own, -range, range);
        value = static_cast<int>(fraction * kPitchSliderCentre / range + kPitchSliderCentre);
    }
    m_pitchSliderValue.store(value);
    if (!keepRemembered)
        m_rememberedRate.store(rate);
    if (m_host)
        m_host->PitchDisplayChanged();
}

SliderMark MixerDeviceViewLogic::GetPitchSelection() const {
    const int value = m_pitchSliderValue.load();
    return {value != kPitchSliderCentre, std::min(value, kPitchSliderCentre),
            std::max(value, kPitchSliderCentre)};
}

void MixerDeviceViewLogic::Bend(int direction, bool press, Modifiers keys, bool more) {
    if (!m_deck || (direction != kBendDown && direction != kBendUp))
        return;
    const int state = press ? 0 : 1;
    if (state == m_bendState)
        return; // key repeat: one bend per press
    m_bendState = state;
    const DeckWindowSettings s = DeckWindowSettings::Read();
    if (!m_bendSwitch) {
        if (!press) {
            StopRamp();
            FineStep(direction == kBendUp, keys.ctrl || more);
        }
        return;
    }
    // A smooth return that is still on its way keeps the rate it returns to.
    const bool returning = m_ramp.IsRunning() && m_ramp.GetTarget() == m_bendBaseRate;
    StopRamp();
    const unsigned long rate = m_deck->GetPitch();
    if (press) {
        if (!returning)
            m_bendBaseRate = rate;
        const double amount = direction == kBendDown ? -s.bendAmount : s.bendAmount;
        const double base = static_cast<double>(m_bendBaseRate);
        m_bendTargetRate = static_cast<unsigned long>(base + base * amount);
    } else if (m_bendBaseRate == 0) {
        return; // released a press made while the switch was off: nothing to return to
    }
    double time = s.smoothBend ? s.bendTime : 0.0;
    const unsigned long goal = press ? m_bendTargetRate : m_bendBaseRate;
    if (rate != m_bendTargetRate && m_bendTargetRate != m_bendBaseRate)
        time *=
            std::fabs(static_cast<double>(goal) - static_cast<double>(rate)) /
            std::fabs(static_cast<double>(m_bendTargetRate) - static_cast<double>(m_bendBaseRate));
    if (time <= 0) {
        m_deck->SetPitch(goal);
        UpdatePitchDisplay();
    } else {
        StartRamp(goal, time);
    }
}

void MixerDeviceViewLogic::FinePitchButton(bool up, Modifiers keys) {
    if (!m_deck)
        return;
    StopRamp();
    FineStep(up, keys.ctrl);
}

void MixerDeviceViewLogic::FineStep(bool up, bool large) {
    const DeckWindowSettings s = DeckWindowSettings::Read();
    const double fraction = large ? s.finePitchStep : s.finerPitchStep;
    const long step = static_cast<long>(fraction * static_cast<double>(m_deck->GetOriginalPitch()));
    const double rate = static_cast<double>(m_deck->GetPitch()) + (up ? step : -step);
    m_deck->SetPitch(ClampRate(rate));
    UpdatePitchDisplay();
}

void MixerDeviceViewLogic::PitchTo100() {
    if (!m_deck)
        return;
    StopRamp();
    m_deck->SetPitch(m_deck->GetOriginalPitch());
    UpdatePitchDisplay();
}

// Jog wheel.

void MixerDeviceViewLogic::JogTurn(double amount) {
    if (!m_deck)
        return;
    const DeckWindowSettings s = DeckWindowSettings::Read();
    if (m_deck->IsPlaying()) {
        if (!m_jogActive) {
            // The jog takes the rate over from a ramp; its release returns to this rate.
            StopRamp();
            m_jogActive = true;
            m_jogBaseRate = m_deck->GetPitch();
            return;
        }
        const double base = static_cast<double>(m_jogBaseRate);
        double d = base * 0.04 * (s.jogPitchSensitivity * 0.0001) * amount;
        if (std::fabs(d) >= base)
            d = 0; // a turn that would stop or reverse the deck does nothing
        m_deck->SetPitch(static_cast<unsigned long>(base + d));
        return;
    }
    m_followPosition = false;
    m_jogPositioning = true;
    m_jogOffset += BytesPerSecond() * s.jogPositionSensitivity * 0.001 * amount;
    const double position = static_cast<double>(m_deck->GetPosition());
    const double length = static_cast<double>(m_deck->GetLength());
    m_jogOffset = std::clamp(position + m_jogOffset, 0.0, length) - position;
    const double shown = position + m_jogOffset;
    m_positionSliderValue = static_cast<int>(shown * m_positionScale);
    RefreshReadout(shown);
}

void MixerDeviceViewLogic::JogRelease() {
    if (!m_deck)
        return;
    if (m_jogActive) {
        m_deck->SetPitch(m_jogBaseRate);
        m_jogActive = false;
        m_jogBaseRate = 0;
    }
    if (m_jogPositioning) {
        const double target = static_cast<double>(m_deck->GetPosition()) + m_jogOffset;
        m_deck->SetPosition(static_cast<long>(target), false);
        m_jogOffset = 0;
        m_jogPositioning = false;
        m_followPosition = true;
    }
}

// Ramps.

void MixerDeviceViewLogic::StartRamp(unsigned long target, double seconds) {
    if (!m_deck)
        return;
    m_pitchRange.store(DeckWindowSettings::Read().pitchRange);
    m_ramp.Start(*this, target, seconds);
}

void MixerDeviceViewLogic::StopRamp() {
    m_ramp.Stop();
}

void MixerDeviceViewLogic::RampOrSet(unsigned long target, double seconds) {
    if (seconds > 0) {
        StartRamp(target, seconds);
        return;
    }
    // At once, with what a ramp does at its ends: the bounds, and starting or stopping the
    // deck at the bottom.
    StopRamp();
    m_pitchRange.store(DeckWindowSettings::Read().pitchRange);
    PitchRamp now;
    const long ms = m_clock.NowMs();
    now.Begin(*this, target, 0, ms);
    now.Step(ms);
}

void MixerDeviceViewLogic::FadeToZero() {
    if (!m_deck)
        return;
    if (m_ramp.IsRunning()) {
        StopRamp();
        return;
    }
    RampOrSet(PitchRamp::kMinRate, DeckWindowSettings::Read().pitchFadeTime);
}

void MixerDeviceViewLogic::FadeToFull() {
    if (!m_deck)
        return;
    if (m_ramp.IsRunning()) {
        StopRamp();
        return;
    }
    RampOrSet(m_deck->GetOriginalPitch(), DeckWindowSettings::Read().pitchFadeTime);
}

bool MixerDeviceViewLogic::FadeTo(double value, int mode, double seconds) {
    if (!m_deck)
        return false;
    const double own = static_cast<double>(m_deck->GetOriginalPitch());
    double rate = 0;
    if (mode == 0) {
        const double base = m_deck->GetBPMInfo()->baseTempo;
        if (base == 0)
            return false;
        rate = std::trunc(own * value / base);
    } else {
        rate = std::trunc(value * 0.01 * own);
    }
    RampOrSet(ClampRate(rate), seconds);
    return true;
}

unsigned long MixerDeviceViewLogic::GetRampPitch() {
    return m_deck->GetPitch();
}
void MixerDeviceViewLogic::SetRampPitch(unsigned long rate) {
    m_deck->SetPitch(rate);
}
bool MixerDeviceViewLogic::IsRampDeckPlaying() {
    return m_deck->IsPlaying();
}
void MixerDeviceViewLogic::ToggleRampDeck() {
    // A plain start or stop: a fade that ends at the bottom stops the deck, it does not
    // start a paused loop.
    if (m_deck->IsPlaying()) {
        m_deck->Stop();
        return;
    }
    if (m_deck->GetPlayStatus() == 2)
        m_deck->PausedLoopingEnd();
    m_deck->Play();
}
void MixerDeviceViewLogic::ShowRampPitch() {
    ShowPitch(m_pitchRange.load(), false);
}

// Matching and the deck's settings.

MixerDevice* MixerDeviceViewLogic::FindMatchDeck(MatchSide side) const {
    if (!m_deck || !m_deck->GetMixer())
        return nullptr;
    Mixer* mixer = m_deck->GetMixer();
    MixerDevice* found = nullptr;
    if (side == MatchSide::kLeft) {
        found = mixer->GetChannel(mixer->GetFaderChannelA());
    } else if (side == MatchSide::kRight) {
        found = mixer->GetChannel(mixer->GetFaderChannelB());
    } else {
        const int mine = m_deck->GetChannel();
        MixerDevice* after = nullptr;  // lowest channel above this one
        MixerDevice* lowest = nullptr; // else the lowest of all, wrapping round
        for (int i = 0; i < mixer->GetNumDevices(); ++i) {
            MixerDevice* d = mixer->GetDevice(i);
            if (!d || d == m_deck)
                continue;
            if (d->GetChannel() > mine && (!after || d->GetChannel() < after->GetChannel()))
                after = d;
            if (!lowest || d->GetChannel() < lowest->GetChannel())
                lowest = d;
        }
        found = after ? after : lowest;
    }
    return found == m_deck ? nullptr : found;
}

bool MixerDeviceViewLogic::MatchPitch(MatchSide side) {
    MixerDevice* other = FindMatchDeck(side);
    // Either tempo 0 would divide by zero or stop this deck dead.
    if (!other || m_deck->GetCurrentTempo() == 0 || other->GetCurrentTempo() == 0)
        return false;
    StopRamp();
    m_deck->PitchMatchTo(other);
    UpdatePitchDisplay();
    return true;
}

std::string MixerDeviceViewLogic::SettingsFilePath() const {
    char path[512];
    m_deck->GetFilename(path);
    FNameToZEC(path);
    return path;
}

bool MixerDeviceViewLogic::ToggleReadOnly() {
    if (!m_deck)
        return false;
    m_deck->SetReadOnlyConfig(!m_deck->GetReadOnlyConfig());
    const bool readOnly = m_deck->GetReadOnlyConfig();
    if (readOnly) {
        std::string path = SettingsFilePath();
        m_deck->WriteConfig(path.data(), true);
    }
    if (m_host)
        m_host->RefreshTitle();
    return readOnly;
}

bool MixerDeviceViewLogic::SaveSettingsNow() {
    if (!m_deck)
        return false;
    std::string path = SettingsFilePath();
    return m_deck->WriteConfig(path.data(), true);
}

void MixerDeviceViewLogic::ToggleEffects() {
    if (m_deck)
        m_deck->SetDSPEffectsEnabled(!m_deck->GetDSPEffectsEnabled());
}

bool MixerDeviceViewLogic::ShowDeckSettings() {
    if (!m_deck)
        return false;
    if (m_deck->ShowSettings())
        return true;
    if (m_host)
        m_host->ShowMessage(kNoSettingsMessage);
    return false;
}

// Commands.

CommandOutcome MixerDeviceViewLogic::Execute(int command, Modifiers keys, int digit) {
    if (command == kCmdSmoothBendOn) {
        ToggleSmoothBendSetting();
        return CommandOutcome::kDone;
    }
    if (!m_deck || !IsDeckCommand(command))
        return CommandOutcome::kNotHandled;
    switch (command) {
    case kCmdPlayPause:
        PlayPause(keys);
        break;
    case kCmdStop:
        StopButton();
        break;
    case kCmdPitchDown:
    case kCmdPitchDownMore:
        Bend(kBendDown, true, keys, command == kCmdPitchDownMore);
        break;
    case kCmdPitchUp:
    case kCmdPitchUpMore:
        Bend(kBendUp, true, keys, command == kCmdPitchUpMore);
        break;
    case kCmdPitchBendOn:
        m_bendSwitch = !m_bendSwitch;
        break;
    case kCmdPitchTo100:
        PitchTo100();
        break;
    case kCmdFadePitchTo0:
        FadeToZero();
        break;
    case kCmdFadePitchTo100:
        FadeToFull();
        break;
    case kCmdFadePitchTo:
        return CommandOutcome::kOpenFadeDialog;
    case kCmdStopFadingPitch:
        StopRamp();
        break;
    case kCmdMatchLeft:
        MatchPitch(MatchSide::kLeft);
        break;
    case kCmdMatchRight:
        MatchPitch(MatchSide::kRight);
        break;
    case kCmdMatchNext:
        MatchPitch(MatchSide::kNext);
        break;
    case kCmdRestoreCue:
        CueButton(digit, keys);
        break;
    case kCmdStoreCue:
        CueButton(digit, {true, keys.shift});
        break;
    case kCmdClearLoop:
        ClearLoop();
        break;
    case kCmdReadOnly:
        ToggleReadOnly();
        break;
    case kCmdSaveNow:
        SaveSettingsNow();
        break;
    case kCmdEnableEffects:
        ToggleEffects();
        break;
    case kCmdEffectsDialog:
        return CommandOutcome::kOpenEffectsDialog;
    case kCmdEqualizer:
        return CommandOutcome::kOpenEqualizer;
    case kCmdWaveEditor:
        return CommandOutcome::kOpenWaveEditor;
    case kCmdDeckSettings:
        ShowDeckSettings();
        break;
    default:
        return CommandOutcome::kNotHandled;
    }
    return CommandOutcome::kDone;
}

void MixerDeviceViewLogic::OnKeyRelease(int command, Modifiers keys) {
    if (command == kCmdPitchDown || command == kCmdPitchDownMore)
        Bend(kBendDown, false, keys, command == kCmdPitchDownMore);
    else if (command == kCmdPitchUp || command == kCmdPitchUpMore)
        Bend(kBendUp, false, keys, command == kCmdPitchUpMore);
}

CommandState MixerDeviceViewLogic::GetCommandState(int command) const {
    if (command == kCmdSmoothBendOn)
        return {true, DeckWindowSettings::Read().smoothBend};
    if (!m_deck || !IsDeckCommand(command))
        return {};
    switch (command) {
    case kCmdPitchBendOn:
        return {true, m_bendSwitch};
    case kCmdStopFadingPitch:
        return {m_ramp.IsRunning(), false};
    case kCmdMatchLeft:
    case kCmdMatchRight:
    case kCmdMatchNext: {
        const MatchSide side = command == kCmdMatchLeft    ? MatchSide::kLeft
                               : command == kCmdMatchRight ? MatchSide::kRight
                                                           : MatchSide::kNext;
        const MixerDevice* other = FindMatchDeck(side);
        return {other && m_deck->GetCurrentTempo() != 0 && other->GetCurrentTempo() != 0, false};
    }
    case kCmdReadOnly:
        return {true, m_deck->GetReadOnlyConfig()};
    case kCmdEnableEffects:
        return {true, m_deck->GetDSPEffectsEnabled()};
    default:
        return {true, false};
    }
}

} // namespace zem::deckwin
