#include "app/equalizer/equalizer_window_logic.h"

#include "app/equalizer/equalizer_ids.h"
#include "app/equalizer/preset_file.h"
#include "app/framework/zem_profile.h"
#include "engine/deck/mixer_device.h"
#include "engine/equalizer/equalizer.h"
#include "engine/foundations/standard_dirs.h"
#include "platform/ui_hooks.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace zem::eqwin {

namespace {

void ShowWithName(const char* format, const std::string& name) {
    char text[1024];
    std::snprintf(text, sizeof text, format, name.c_str());
    zem::ShowMessageBox(text);
}

} // namespace

float BoostFromPosition(int position) {
    return static_cast<float>(std::pow(10.0, (kFaderFlat - position) / 2000.0));
}

int PositionFromBoost(float boost) {
    if (boost <= 0)
        return kFaderMax;
    const double position = 4000.0 - (std::log10(static_cast<double>(boost)) * 20 * 100 + 2000);
    const int trunc = static_cast<int>(position);
    return trunc < kFaderMin ? kFaderMin : (trunc > kFaderMax ? kFaderMax : trunc);
}

int BandOfKillButton(int id) {
    for (int band = 0; band < kBandCount; ++band)
        if (kBandKillIds[band] == id)
            return band;
    return -1;
}

int KillButtonOfBand(int band) {
    return band >= 0 && band < kBandCount ? kBandKillIds[band] : -1;
}

int GroupOfBand(int band) {
    for (int group = 0; group < kGroupCount; ++group)
        if (band >= kGroupFirstBand[group] && band <= kGroupLastBand[group])
            return group;
    return -1;
}

EqualizerWindowLogic::EqualizerWindowLogic(MixerDevice& deck, ZemProfile& profile)
    : m_deck(&deck), m_profile(profile) {}

EqualizerWindowLogic::EqualizerWindowLogic(ZemProfile& profile) : m_profile(profile) {}

Equalizer* EqualizerWindowLogic::active() const {
    return m_deck ? m_deck->GetActiveEqualizer() : nullptr;
}

EqualizerWindowState EqualizerWindowLogic::Refresh() const {
    EqualizerWindowState state;
    Equalizer* eq = active();
    if (!eq)
        return state;
    state.bands = eq->GetNumBands();
    for (int band = 0; band < state.bands; ++band) {
        state.boost[band] = eq->returnBoost(band);
        state.frequency[band] = eq->returnFreq(band);
        state.position[band] = PositionFromBoost(state.boost[band]);
        state.killed[band] = eq->GetKillFreq(band);
    }
    // A group shows killed only when every one of its bands is in use and killed, so with three
    // bands only the low group can.
    for (int group = 0; group < kGroupCount; ++group) {
        bool all = kGroupLastBand[group] < state.bands;
        for (int band = kGroupFirstBand[group]; all && band <= kGroupLastBand[group]; ++band)
            all = state.killed[band];
        state.groupKilled[group] = all;
    }
    state.threeBand = eq == m_deck->GetEqualizer(3);
    state.enabled = m_deck->GetEqualizerEnabled();
    state.form = state.threeBand ? kThreeBandForm : kTenBandForm;
    return state;
}

void EqualizerWindowLogic::MoveFader(int band, int position) {
    Equalizer* eq = active();
    if (!eq || band < 0 || band >= eq->GetNumBands())
        return;
    eq->setBoost(band, BoostFromPosition(position));
}

void EqualizerWindowLogic::ClickKill(int band, bool checked) {
    Equalizer* eq = active();
    if (!eq || band < 0 || band >= eq->GetNumBands())
        return;
    // Un-killing unchecks the band's group: Refresh reports it, as a group is only checked
    // while all its bands are killed.
    eq->SetKillFreq(band, checked);
    eq->setBoost(band, eq->returnBoost(band));
}

void EqualizerWindowLogic::ClickGroup(int group, bool checked) {
    Equalizer* eq = active();
    if (!eq || group < 0 || group >= kGroupCount)
        return;
    for (int band = kGroupFirstBand[group];
         band <= kGroupLastBand[group] && band < eq->GetNumBands(); ++band)
        if (eq->GetKillFreq(band) != checked)
            ClickKill(band, checked);
}

void EqualizerWindowLogic::SetEnabled(bool on) {
    if (m_deck)
        m_deck->SetEqualizerEnabled(on);
}

void EqualizerWindowLogic::ToggleThreeBand() {
    if (!m_deck)
        return;
    const int bands = active() == m_deck->GetEqualizer(10) ? 3 : 10;
    // The deck tunes only the equalizer active when it starts playing; the other one is tuned
    // to the song's rate here, before the heartbeat filters with it.
    if (const unsigned long rate = m_deck->GetWaveFormatEx()->nSamplesPerSec)
        m_deck->GetEqualizer(bands)->setSR(static_cast<float>(rate));
    m_deck->SetActiveEqualizer(bands);
}

void EqualizerWindowLogic::Reset() {
    Equalizer* eq = active();
    if (!eq)
        return;
    for (int band = 0; band < eq->GetNumBands(); ++band) {
        eq->SetKillFreq(band, false);
        eq->setBoost(band, BoostFromPosition(kFaderFlat));
    }
}

bool EqualizerWindowLogic::HandlesCommand(int id) const {
    switch (id) {
    case kCmdLoadPreset:
    case kCmdLoadDefault:
    case kCmdSavePreset:
    case kCmdSaveAutoLoad:
    case kCmdSaveDefault:
    case kCmdRemoveAutoLoad:
    case kCmdAbout:
    case kCmdToggleThreeBand:
        return true;
    default:
        return false;
    }
}

bool EqualizerWindowLogic::OnCommand(int id) {
    switch (id) {
    case kCmdLoadPreset:
        LoadPreset();
        return true;
    case kCmdLoadDefault:
        LoadDefault();
        return true;
    case kCmdSavePreset:
        SavePreset();
        return true;
    case kCmdSaveAutoLoad:
        SaveAutoLoadPreset();
        return true;
    case kCmdSaveDefault:
        SaveDefault();
        return true;
    case kCmdRemoveAutoLoad:
        RemoveAutoLoadPreset();
        return true;
    case kCmdAbout:
        ShowAbout();
        return true;
    case kCmdToggleThreeBand:
        ToggleThreeBand();
        return true;
    default:
        return false;
    }
}

PresetDialogRequest EqualizerWindowLogic::request(bool save) const {
    PresetDialogRequest r;
    r.save = save;
    const char* folder = ZEM_GetZEMPath(kPresetFolderIndex);
    r.folder = folder ? folder : ".";
    r.defaultName = kDefaultPresetName;
    r.defaultExtension = kPresetExtension;
    r.filterName = kPresetFilterName;
    r.allFilesName = kAllFilesFilterName;
    return r;
}

bool EqualizerWindowLogic::LoadPresetFile(const std::string& path, bool quietIfMissing) {
    if (!m_deck)
        return false;
    switch (CheckPresetFile(path)) {
    case PresetCheck::kOk:
        break;
    case PresetCheck::kMissing:
        if (!quietIfMissing)
            ShowWithName(kPresetMissingMessage, path);
        return false;
    case PresetCheck::kNotEqualizer:
        ShowWithName(kPresetInvalidMessage, path);
        return false;
    }
    if (!m_deck->ReadEqualizerConfig(path.c_str())) {
        ShowWithName(kPresetMissingMessage, path);
        return false;
    }
    return true;
}

bool EqualizerWindowLogic::write(const std::string& path) {
    if (m_deck->WriteEqualizerConfig(path.c_str()))
        return true;
    ShowWithName(kPresetWriteMessage, path);
    return false;
}

void EqualizerWindowLogic::LoadPreset() {
    if (!m_deck || !m_dialog)
        return;
    const std::string path = m_dialog(request(false));
    if (!path.empty())
        LoadPresetFile(path);
}

void EqualizerWindowLogic::LoadDefault() {
    LoadPresetFile(PresetPath(kDefaultPresetName));
}

void EqualizerWindowLogic::SavePreset() {
    if (!m_deck || !m_dialog)
        return;
    const std::string path = m_dialog(request(true));
    if (!path.empty())
        write(path);
}

void EqualizerWindowLogic::SaveDefault() {
    if (!m_deck || !zem::AskYesNo(kSaveDefaultQuestion, true))
        return;
    write(PresetPath(kDefaultPresetName));
}

void EqualizerWindowLogic::SaveAutoLoadPreset() {
    if (!m_deck || !zem::AskYesNo(kSaveAutoLoadQuestion, true))
        return;
    char name[MixerDevice::kPathSize];
    m_deck->GetFilename(name);
    if (!name[0]) {
        zem::ShowMessageBox(kNoSongMessage);
        return;
    }
    const std::string path = PresetPath(std::string(name) + kPresetExtension);
    if (write(path))
        m_deck->SetEqualizerFilename(path.c_str());
}

void EqualizerWindowLogic::RemoveAutoLoadPreset() {
    if (!m_deck || !zem::AskYesNo(kRemoveAutoLoadQuestion, true))
        return;
    // Without a default preset the song keeps what it has now; the preset file stays on disk.
    LoadPresetFile(PresetPath(kDefaultPresetName), true);
    m_deck->SetEqualizerFilename("");
}

void EqualizerWindowLogic::ShowAbout() {
    zem::ShowMessageBox(kAboutText);
}

void EqualizerWindowLogic::OnWindowDestroyed() {
    if (!m_deck)
        return;
    m_profile.WriteProfileInt(kProfileSection, kProfileThreeBandKey,
                              active() == m_deck->GetEqualizer(3) ? 1 : 0);
}

} // namespace zem::eqwin
