// What the equalizer window does to its deck: faders, kill buttons and their groups, the
// enable and three-band switches, reset, and the preset menu. Plain C++: the window forwards
// each click here and draws the state Refresh reports.
//
// Threads: the user-interface thread. The deck's heartbeat filters with the equalizer
// meanwhile; the equalizer takes its changes band by band.
#pragma once

#include <functional>
#include <string>

class Equalizer;
class MixerDevice;
class ZemProfile;

namespace zem::eqwin {

// Fader position <-> boost at the band's centre: one position is 0.01 dB.
float BoostFromPosition(int position);
int PositionFromBoost(float boost);

// Band k of kill button id, or -1; and back (-1 for a band outside 0..9).
int BandOfKillButton(int id);
int KillButtonOfBand(int band);
// The group (0 low, 1 mid, 2 high) band k belongs to.
int GroupOfBand(int band);

// What the window shows.
struct EqualizerWindowState {
    int bands = 0; // bands in use; faders and kill buttons beyond it are not refreshed
    int position[10] = {};
    bool killed[10] = {};
    float boost[10] = {};
    float frequency[10] = {};
    bool groupKilled[3] = {};
    bool threeBand = false;
    bool enabled = false;
    int form = 0; // the layout to show
};

// A request for a preset file name: which kind of dialog, where it starts, what it offers.
struct PresetDialogRequest {
    bool save = false;
    std::string folder;
    std::string defaultName;
    std::string defaultExtension;
    std::string filterName;
    std::string allFilesName;
};
// Returns the chosen path, or empty for Cancel. A save dialog asks before overwriting.
using PresetDialog = std::function<std::string(const PresetDialogRequest&)>;

class EqualizerWindowLogic {
public:
    EqualizerWindowLogic(MixerDevice& deck, ZemProfile& profile);
    // Without a deck every operation does nothing, until SetDevice gives one.
    explicit EqualizerWindowLogic(ZemProfile& profile);

    // The document's deck can be replaced (another song) or go (eject).
    void SetDevice(MixerDevice* deck) { m_deck = deck; }
    MixerDevice* GetDevice() const { return m_deck; }
    void SetPresetDialog(PresetDialog dialog) { m_dialog = std::move(dialog); }

    EqualizerWindowState Refresh() const;

    void MoveFader(int band, int position);
    // The kill button's new check state after the click.
    void ClickKill(int band, bool checked);
    // The group button's new check state: every band of the group in use that differs follows.
    void ClickGroup(int group, bool checked);
    void SetEnabled(bool on);
    // Makes the other equalizer active; the window then shows its layout.
    void ToggleThreeBand();
    void Reset();

    // The preset menu's commands and the three-band command. False for any other number.
    bool OnCommand(int id);
    bool HandlesCommand(int id) const;

    void LoadPreset();
    void LoadDefault();
    void SavePreset();
    void SaveDefault();
    void SaveAutoLoadPreset();
    void RemoveAutoLoadPreset();
    void ShowAbout();

    // The window is going: remembers which equalizer the next deck starts with.
    void OnWindowDestroyed();

    // Reads a preset into the deck when it is an equalizer file; otherwise nothing changes and
    // a message says why. quietIfMissing leaves a missing file unreported.
    bool LoadPresetFile(const std::string& path, bool quietIfMissing = false);

private:
    Equalizer* active() const;
    PresetDialogRequest request(bool save) const;
    bool write(const std::string& path);

    MixerDevice* m_deck = nullptr;
    ZemProfile& m_profile;
    PresetDialog m_dialog;
};

} // namespace zem::eqwin
