// What the deck window does to its deck: transport, cue buttons and loops, the position and
// pitch sliders, bends, fine steps, pitch ramps, the jog wheel, the readout, matching and the
// deck menu's commands. The widget forwards clicks, keys, scrolls and its timer here and draws
// what it reads back.
//
// Threads: every operation runs on the user-interface thread. A running pitch ramp sets the
// deck's rate and the pitch display from its own thread; the pitch display's values are
// atomic for that, and PitchDisplayChanged may come from either thread.
#pragma once

#include "app/decks/deck_window/deck_clock.h"
#include "app/decks/deck_window/deck_readout.h"
#include "app/decks/deck_window/pitch_ramp.h"

#include <atomic>
#include <string>

class MixerDevice;

namespace zem::deckwin {

struct Modifiers {
    bool ctrl = false;  // either Control key
    bool shift = false; // either Shift key
};

// A span marked on a slider, in slider units.
struct SliderMark {
    bool shown = false;
    int from = 0;
    int to = 0;
};

enum class MatchSide { kLeft, kRight, kNext };

// What the widget still has to do after a command.
enum class CommandOutcome {
    kDone,
    kNotHandled,
    kOpenFadeDialog,
    kOpenEffectsDialog,
    kOpenEqualizer,
    kOpenWaveEditor,
};

struct CommandState {
    bool enabled = false;
    bool checked = false;
};

// The window around the logic.
class DeckViewHost {
public:
    virtual ~DeckViewHost() = default;
    // The pitch slider's value or selection changed. Any thread.
    virtual void PitchDisplayChanged() {}
    virtual void ShowMessage(const char* text) { (void)text; }
    // The document title's read-only mark may have changed.
    virtual void RefreshTitle() {}
    // Handles pending window messages while a ramp is being stopped.
    virtual void ProcessMessages() {}
};

class MixerDeviceViewLogic : private RampHost {
public:
    static constexpr int kPositionSliderMax = 30000;
    static constexpr int kPositionSliderTick = 3000;
    static constexpr int kPitchSliderMax = 1000;
    static constexpr int kPitchSliderTick = 250;
    static constexpr int kPitchSliderCentre = 500;
    static constexpr double kNudgeSeconds = 0.04;
    static constexpr double kFineNudgeSeconds = 0.01;
    static constexpr const char* kNoSettingsMessage = "No settings available for this device.";

    // host may be null; clock and host outlive the logic.
    MixerDeviceViewLogic(const DeckClock& clock, DeckViewHost* host);
    // Stops a running ramp.
    ~MixerDeviceViewLogic() override;
    MixerDeviceViewLogic(const MixerDeviceViewLogic&) = delete;
    MixerDeviceViewLogic& operator=(const MixerDeviceViewLogic&) = delete;

    // The document's deck (null: none). A running ramp of the previous deck is stopped.
    void SetDevice(MixerDevice* deck);
    MixerDevice* GetDevice() const { return m_deck; }
    // After a song was loaded: total time, position scale, pitch display, time mode.
    void OnSongLoaded();

    // Transport.
    void PlayPause(Modifiers keys);
    void StopButton();
    void ToStart();
    void Nudge(bool forward, Modifiers keys);
    void VolumeSliderMoved(int value);
    // The play button's image.
    int GetPlayButtonBitmap() const;

    // Cue buttons 0-9: click jumps, Ctrl stores here, Shift clears; then the cue's span is
    // marked and looped when it has an end after its start.
    void CueButton(int cue, Modifiers keys);
    void ClearLoop();
    SliderMark GetLoopMark() const { return m_loopMark; }

    // Position slider (0 to 30000).
    void PositionSliderDragged(int value);
    void PositionSliderReleased(int value);
    int GetPositionSliderValue() const { return m_positionSliderValue; }
    float GetPositionScale() const { return m_positionScale; }
    bool GetFollowPosition() const { return m_followPosition; }

    // Display timer, every 250 ms: the position slider and the readout follow the deck.
    void OnDisplayTimer();
    const std::string& GetReadout() const { return m_readout; }
    void ToggleTimeMode();
    int GetTimeMode() const { return m_timeMode; }
    long GetTotalTime() const { return m_totalTime; }

    // Pitch slider (0 to 1000, centre = own rate); ignored while a ramp runs.
    void PitchSliderMoved(int value, bool dragEnded);
    // Puts the slider where the deck's rate is.
    void UpdatePitchDisplay();
    int GetPitchSliderValue() const { return m_pitchSliderValue.load(); }
    // From the centre to the value.
    SliderMark GetPitchSelection() const;
    unsigned long GetRememberedRate() const { return m_rememberedRate.load(); }
    void SetBendSwitch(bool on) { m_bendSwitch = on; }
    bool GetBendSwitch() const { return m_bendSwitch; }

    // A bend key or button (kBendDown, kBendUp) pressed or released. With the bend switch on
    // it bends while held; off, each release makes a fine step (large with Ctrl or more).
    void Bend(int direction, bool press, Modifiers keys, bool more = false);
    // The on-screen fine pitch buttons: the small step, the large one with Ctrl.
    void FinePitchButton(bool up, Modifiers keys);
    void PitchTo100();

    // Jog wheel: on a playing deck a turn bends the rate, on a stopped one it moves the
    // position, which the release then applies.
    void JogTurn(double amount);
    void JogRelease();
    double GetJogOffset() const { return m_jogOffset; }

    // Pitch ramps.
    void StartRamp(unsigned long target, double seconds);
    void StopRamp();
    bool IsRamping() const { return m_ramp.IsRunning(); }
    PitchRampRunner& GetRampRunner() { return m_ramp; }
    // A second fade while one runs only stops it.
    void FadeToZero();
    void FadeToFull();
    // The "Fade pitch to..." dialog: mode 0 a tempo, 1 a percentage of the own rate; seconds
    // <= 0 sets the rate at once. False when a tempo is asked of a song without one.
    bool FadeTo(double value, int mode, double seconds);

    // The deck on the mixer's left or right fader channel, or on the next channel after this
    // one (wrapping to the lowest); null when there is none other than this deck.
    MixerDevice* FindMatchDeck(MatchSide side) const;
    // False when there is no such deck or either deck has no tempo to match.
    bool MatchPitch(MatchSide side);
    // Returns the new state; a deck turned read-only has its settings file written at once.
    bool ToggleReadOnly();
    bool SaveSettingsNow();
    void ToggleEffects();
    // The deck's own settings, or the message that it has none.
    bool ShowDeckSettings();
    // After the deck settings dialog closed.
    void AfterDeckSettings() { UpdatePitchDisplay(); }

    // A deck-menu or keyboard command; digit is the cue of the numeric-keypad commands.
    CommandOutcome Execute(int command, Modifiers keys, int digit = 0);
    // The keyboard layer's key release of a pitch command.
    void OnKeyRelease(int command, Modifiers keys);
    CommandState GetCommandState(int command) const;

private:
    // RampHost, called on the ramp thread.
    unsigned long GetRampPitch() override;
    void SetRampPitch(unsigned long rate) override;
    bool IsRampDeckPlaying() override;
    void ToggleRampDeck() override;
    void ShowRampPitch() override;

    void ShowPitch(double range, bool keepRemembered);
    void FineStep(bool up, bool large);
    void RampOrSet(unsigned long target, double seconds);
    void RefreshReadout(double position);
    double BytesPerSecond() const;
    std::string SettingsFilePath() const;

    const DeckClock& m_clock;
    DeckViewHost* m_host;
    MixerDevice* m_deck = nullptr;
    long m_totalTime = 0;
    int m_timeMode = kTimeElapsed;
    float m_positionScale = 0;
    int m_positionSliderValue = 0;
    bool m_followPosition = true;
    std::string m_readout;
    SliderMark m_loopMark;
    std::atomic<int> m_pitchSliderValue{kPitchSliderCentre};
    std::atomic<unsigned long> m_rememberedRate{0};
    std::atomic<double> m_pitchRange{0.15};
    bool m_bendSwitch = false;
    int m_bendState = 1; // 0 pressed, 1 released
    unsigned long m_bendBaseRate = 0;
    unsigned long m_bendTargetRate = 0;
    double m_jogOffset = 0;
    bool m_jogPositioning = false;
    bool m_jogActive = false;
    unsigned long m_jogBaseRate = 0;
    PitchRampRunner m_ramp;
};

} // namespace zem::deckwin
