// What the mixer board does, without its widgets: three channel strips, the crossfader with its
// two channel selectors, the headphone-cue list and the master fader, the crossfader type
// (an index into the centre-volume list), timed crossfades, and the commands the application
// routes to the board. The widgets forward clicks, drags and timer ticks here and draw what
// the getters report.
//
// Threads: the user-interface thread only, the fade timer included.
#pragma once

#include "app/decks/mixer_board/app_mixer.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace zem::board {

class BoardClock;
class MasterVolume;
class SettingsStore;

// The fade dialog: a percent (-100 full left, +100 full right) and a length in seconds.
struct FadeDialogValues {
    int percent = 0;
    float seconds = 10.0f;
    static FadeDialogValues ToLeft() { return {-100, 10.0f}; }
    static FadeDialogValues ToRight() { return {100, 10.0f}; }
};

// What the board asks of its window and of the main frame.
class MixerBoardUi {
public:
    virtual ~MixerBoardUi();
    // The main frame's status pane, e.g. "75% in center".
    virtual void ShowCenterText(const std::string& text);
    // The 10 ms window timer of a timed crossfade.
    virtual void StartFadeTimer();
    virtual void StopFadeTimer();
    // The fade dialog, pre-set; true on OK with the values entered.
    virtual bool AskFade(FadeDialogValues& values);
    // Something the board shows changed without a call from its window (a channel came or
    // went, a fade stepped, a command ran).
    virtual void BoardChanged();
};

// A drop-down of channel numbers in the order the channels came; selected is the chosen one.
struct ChannelSelector {
    std::vector<int> channels;
    std::optional<int> selected;
};

struct HeadphoneItem {
    int channel;
    bool selected; // heard in the headphones
};

enum class FaderSide { A, B };

class MixerBoard : public AppMixerListener {
public:
    static constexpr int kStrips = 3;
    static constexpr int kCrossfaderMax = 200;
    static constexpr int kCrossfaderCentre = 100;
    static constexpr int kCrossfaderPage = 20;
    static constexpr int kStripMax = 10000;
    static constexpr int kStripPage = 1000;
    static constexpr int kStripStart = 3000;
    static constexpr int kFadeTimerMs = 10;
    static constexpr int kMoveStep = 2;

    // Everything must outlive the board. centreVolumeFile is the path of "CFCenterVolumes.ini".
    MixerBoard(AppMixer& mixer, MixerBoardUi& ui, BoardClock& clock, SettingsStore& store,
               MasterVolume& master, std::string centreVolumeFile);
    // Leaves the mixer's listener slot empty if it still names this board.
    ~MixerBoard() override;
    MixerBoard(const MixerBoard&) = delete;
    MixerBoard& operator=(const MixerBoard&) = delete;

    // The first showing: listen to the mixer, read the centre volumes and "Crossfader type",
    // apply the type and bind the master fader.
    void InitialUpdate();
    // The view's destruction: writes "Crossfader type" and the centre-volume file. The
    // program then ends its message loop.
    void SaveSettings();
    static const char* Title();

    // AppMixerListener.
    int OnChannelAdded(MixerDevice* device) override;
    void OnChannelRemoved(MixerDevice* device) override;

    // Crossfader: a thumb move (tracking or its end) to position 0..200.
    void MoveCrossfader(int position);
    int GetCrossfaderPosition() const { return m_crossfader; }
    // The slider's marked range, between the thumb and the centre.
    int GetCrossfaderSelectionStart() const;
    int GetCrossfaderSelectionEnd() const;
    // A selection change in selector A or B (nullopt: none) re-applies the crossfader.
    void SelectFaderChannel(FaderSide side, std::optional<int> channel);
    const ChannelSelector& GetFaderSelector(FaderSide side) const;

    // Strips 0..2: the slider (0 top, loudest) sets the chosen deck's volume; choosing a
    // channel puts the slider at that deck's volume.
    void MoveStripSlider(int strip, int position);
    int GetStripPosition(int strip) const;
    void SelectStripChannel(int strip, std::optional<int> channel);
    const ChannelSelector& GetStripSelector(int strip) const;

    // Headphones: a selection change applies every item (selected: heard).
    void SetHeadphoneSelected(int channel, bool selected);
    const std::vector<HeadphoneItem>& GetHeadphoneItems() const { return m_headphones; }
    // Selects exactly the items whose channel the mixer does not mute in the headphones.
    void RefreshHeadphones();
    static std::string HeadphoneItemText(int channel);

    // The crossfader type: centre volume := list[type] / 100, status text, fader re-applied.
    void ApplyFaderType();
    void ToggleFaderType();
    int GetFaderType() const { return m_faderType; }
    const std::string& GetCenterText() const { return m_centerText; }
    const std::vector<int>& GetCentreVolumes() const { return m_centreVolumes; }
    // The settings sheet's edited list; the type is re-applied (back to 0 when the list no
    // longer reaches it).
    void SetCentreVolumes(const std::vector<int>& volumes);

    // Timed crossfades.
    void FadeFader(int percent, float seconds);
    void FadeToPosition(int target, float seconds);
    void StopFade();
    void OnFadeTimer();
    bool IsFading() const { return m_fading; }
    int GetFadeTarget() const { return m_fadeTarget; }

    // The master fader: inert while no system control is bound.
    void BindMasterFader();
    bool IsMasterBound() const { return m_masterBound; }
    long GetMasterMinimum() const { return m_masterMin; }
    long GetMasterMaximum() const { return m_masterMax; }
    long GetMasterPage() const { return m_masterPage; }
    long GetMasterPosition() const { return m_masterPosition; }
    void MoveMasterSlider(long position);

    // Commands routed by the application. OnCommand is false for a command the board does
    // not handle; a menu asks IsCommandChecked when it opens.
    bool OnCommand(int id);
    bool HandlesCommand(int id) const;
    bool IsCommandChecked(int id) const;

    AppMixer& GetMixer() const { return m_mixer; }

private:
    ChannelSelector& Selector(FaderSide side) { return side == FaderSide::A ? m_faderA : m_faderB; }
    void ApplyCrossfader();
    void ApplyHeadphones();
    void RefreshStrip(int strip);
    void SetCrossfaderSlider(int position);
    void FadeCommand(FadeDialogValues preset);
    void ToggleHeadphone(int channel);
    static void Select(ChannelSelector& selector, std::optional<int> channel);

    AppMixer& m_mixer;
    MixerBoardUi& m_ui;
    BoardClock& m_clock;
    SettingsStore& m_store;
    MasterVolume& m_master;
    std::string m_centreVolumeFile;

    std::array<ChannelSelector, kStrips> m_strips;
    std::array<int, kStrips> m_stripPositions{kStripStart, kStripStart, kStripStart};
    ChannelSelector m_faderA;
    ChannelSelector m_faderB;
    std::vector<HeadphoneItem> m_headphones;
    int m_crossfader = kCrossfaderCentre;

    std::vector<int> m_centreVolumes;
    int m_faderType = 0;
    std::string m_centerText;

    bool m_fading = false;
    float m_fadeRate = 0;     // slider positions per hundredth of a second
    float m_fadePosition = 0; // where the fade is between whole slider positions
    int m_fadeTarget = 0;
    unsigned long m_fadeStamp = 0;
    float m_fadeSeconds = 0;

    bool m_masterBound = false;
    long m_masterMin = 0;
    long m_masterMax = 0;
    long m_masterPage = 0;
    long m_masterPosition = 0;
};

} // namespace zem::board
