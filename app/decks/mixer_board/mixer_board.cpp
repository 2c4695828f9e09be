#include "app/decks/mixer_board/mixer_board.h"

#include "app/decks/mixer_board/board_clock.h"
#include "app/decks/mixer_board/board_commands.h"
#include "app/decks/mixer_board/centre_volumes.h"
#include "app/decks/mixer_board/master_volume.h"
#include "app/decks/mixer_board/settings_store.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace zem::board {

MixerBoardUi::~MixerBoardUi() = default;
void MixerBoardUi::ShowCenterText(const std::string&) {}
void MixerBoardUi::StartFadeTimer() {}
void MixerBoardUi::StopFadeTimer() {}
bool MixerBoardUi::AskFade(FadeDialogValues&) {
    return false;
}
void MixerBoardUi::BoardChanged() {}

MixerBoard::MixerBoard(AppMixer& mixer, MixerBoardUi& ui, BoardClock& clock, SettingsStore& store,
                       MasterVolume& master, std::string centreVolumeFile)
    : m_mixer(mixer), m_ui(ui), m_clock(clock), m_store(store), m_master(master),
      m_centreVolumeFile(std::move(centreVolumeFile)), m_centreVolumes(BuiltInCentreVolumes()) {}

MixerBoard::~MixerBoard() {
    if (m_mixer.GetListener() == this)
        m_mixer.SetListener(nullptr);
}

void MixerBoard::InitialUpdate() {
    m_mixer.SetListener(this);
    m_centreVolumes = ReadCentreVolumes(m_centreVolumeFile);
    m_faderType = m_store.GetInt(kMixerSection, kCrossfaderTypeKey, 0);
    // A type saved with a longer list would index past this one.
    if (m_faderType < 0 || m_faderType >= static_cast<int>(m_centreVolumes.size()))
        m_faderType = 0;
    ApplyFaderType();
    BindMasterFader();
}

void MixerBoard::SaveSettings() {
    m_store.WriteInt(kMixerSection, kCrossfaderTypeKey, m_faderType);
    WriteCentreVolumes(m_centreVolumeFile, m_centreVolumes);
}

const char* MixerBoard::Title() {
    return kBoardTitle;
}

void MixerBoard::Select(ChannelSelector& selector, std::optional<int> channel) {
    if (channel && std::find(selector.channels.begin(), selector.channels.end(), *channel) ==
                       selector.channels.end())
        channel.reset();
    selector.selected = channel;
}

// --- Channels -------------------------------------------------------------------------------

int MixerBoard::OnChannelAdded(MixerDevice* device) {
    const int channel = device->GetChannel();
    for (ChannelSelector& s : m_strips)
        s.channels.push_back(channel);
    m_faderA.channels.push_back(channel);
    m_faderB.channels.push_back(channel);
    m_headphones.push_back({channel, false});

    for (int strip = 0; strip < kStrips; ++strip) {
        if (!m_strips[strip].selected) {
            m_strips[strip].selected = channel;
            RefreshStrip(strip);
            break;
        }
    }
    if (!m_faderA.selected)
        m_faderA.selected = channel;
    else if (!m_faderB.selected)
        m_faderB.selected = channel;
    ApplyCrossfader();
    // The new item is unselected, so a new deck starts out of the headphones.
    ApplyHeadphones();
    m_ui.BoardChanged();
    return channel;
}

void MixerBoard::OnChannelRemoved(MixerDevice* device) {
    const int channel = device->GetChannel();
    auto drop = [channel](ChannelSelector& s) {
        s.channels.erase(std::remove(s.channels.begin(), s.channels.end(), channel),
                         s.channels.end());
        if (s.selected == channel)
            s.selected.reset();
    };
    for (ChannelSelector& s : m_strips)
        drop(s);
    drop(m_faderA);
    drop(m_faderB);
    std::erase_if(m_headphones, [channel](const HeadphoneItem& h) { return h.channel == channel; });
    m_ui.BoardChanged();
}

// --- Crossfader -----------------------------------------------------------------------------

void MixerBoard::SetCrossfaderSlider(int position) {
    m_crossfader = std::clamp(position, 0, kCrossfaderMax);
}

void MixerBoard::MoveCrossfader(int position) {
    SetCrossfaderSlider(position);
    ApplyCrossfader();
}

int MixerBoard::GetCrossfaderSelectionStart() const {
    return std::min(m_crossfader, kCrossfaderCentre);
}

int MixerBoard::GetCrossfaderSelectionEnd() const {
    return std::max(m_crossfader, kCrossfaderCentre);
}

void MixerBoard::ApplyCrossfader() {
    // -2: no channel on that side, which the mixer finds no deck for.
    m_mixer.SetFaderChannels(m_faderA.selected.value_or(-2), m_faderB.selected.value_or(-2));
    m_mixer.SetFaderPercent(m_crossfader - kCrossfaderCentre);
}

void MixerBoard::SelectFaderChannel(FaderSide side, std::optional<int> channel) {
    Select(Selector(side), channel);
    ApplyCrossfader();
}

const ChannelSelector& MixerBoard::GetFaderSelector(FaderSide side) const {
    return side == FaderSide::A ? m_faderA : m_faderB;
}

// --- Strips ---------------------------------------------------------------------------------

void MixerBoard::MoveStripSlider(int strip, int position) {
    if (strip < 0 || strip >= kStrips)
        return;
    m_stripPositions[strip] = std::clamp(position, 0, kStripMax);
    const auto& selected = m_strips[strip].selected;
    if (!selected)
        return;
    if (MixerDevice* deck = m_mixer.GetChannel(*selected))
        deck->SetVolume((kStripMax - m_stripPositions[strip]) / 100, kVChannel0);
}

int MixerBoard::GetStripPosition(int strip) const {
    return strip >= 0 && strip < kStrips ? m_stripPositions[strip] : 0;
}

void MixerBoard::SelectStripChannel(int strip, std::optional<int> channel) {
    if (strip < 0 || strip >= kStrips)
        return;
    Select(m_strips[strip], channel);
    RefreshStrip(strip);
}

const ChannelSelector& MixerBoard::GetStripSelector(int strip) const {
    return m_strips[static_cast<size_t>(std::clamp(strip, 0, kStrips - 1))];
}

void MixerBoard::RefreshStrip(int strip) {
    const auto& selected = m_strips[strip].selected;
    if (!selected)
        return;
    if (MixerDevice* deck = m_mixer.GetChannel(*selected))
        m_stripPositions[strip] =
            std::clamp(static_cast<int>((100 - deck->GetVolume(kVChannel0)) * 100), 0, kStripMax);
}

// --- Headphones -----------------------------------------------------------------------------

std::string MixerBoard::HeadphoneItemText(int channel) {
    char text[32];
    std::snprintf(text, sizeof text, kHeadphoneItemFormat, channel);
    return text;
}

void MixerBoard::SetHeadphoneSelected(int channel, bool selected) {
    for (HeadphoneItem& h : m_headphones)
        if (h.channel == channel)
            h.selected = selected;
    ApplyHeadphones();
}

void MixerBoard::ApplyHeadphones() {
    for (const HeadphoneItem& h : m_headphones)
        m_mixer.SetHeadphoneMute(h.channel, !h.selected);
}

void MixerBoard::RefreshHeadphones() {
    for (HeadphoneItem& h : m_headphones)
        h.selected = !m_mixer.GetHeadphoneMute(h.channel);
}

void MixerBoard::ToggleHeadphone(int channel) {
    if (!m_mixer.GetChannel(channel))
        return;
    m_mixer.SetHeadphoneMute(channel, !m_mixer.GetHeadphoneMute(channel));
    RefreshHeadphones();
}

// --- Crossfader type ------------------------------------------------------------------------

void MixerBoard::ApplyFaderType() {
    // An emptied list plays as the full-level curve rather than reading past its end.
    const int percent = m_centreVolumes.empty() ? 100 : m_centreVolumes[m_faderType];
    m_mixer.SetFaderCenterVolume(static_cast<float>(percent * 0.01));
    // Rounded, not truncated: 0.29 in single precision is just below it, and the pane should
    // say the number the user picked.
    char text[32];
    std::snprintf(text, sizeof text, kCenterTextFormat,
                  static_cast<int>(std::lround(m_mixer.GetFaderCenterVolume() * 100.0)));
    m_centerText = text;
    m_ui.ShowCenterText(m_centerText);
    SetCrossfaderSlider(m_mixer.GetFaderPercent() + kCrossfaderCentre);
    ApplyCrossfader();
}

void MixerBoard::ToggleFaderType() {
    ++m_faderType;
    if (m_faderType >= static_cast<int>(m_centreVolumes.size()))
        m_faderType = 0;
    ApplyFaderType();
}

void MixerBoard::SetCentreVolumes(const std::vector<int>& volumes) {
    m_centreVolumes = volumes;
    if (m_faderType >= static_cast<int>(m_centreVolumes.size()))
        m_faderType = 0;
    ApplyFaderType();
}

// --- Timed fades ----------------------------------------------------------------------------

void MixerBoard::FadeFader(int percent, float seconds) {
    const int half = kCrossfaderMax / 2;
    FadeToPosition(static_cast<int>(half + percent * 0.01 * half), seconds);
}

void MixerBoard::FadeToPosition(int target, float seconds) {
    if (m_fading)
        m_ui.StopFadeTimer();
    // A target past the slider's end would be reached only after the fade's given time.
    target = std::clamp(target, 0, kCrossfaderMax);
    // Shorter fades than a second are not worth a timer; this also catches NaN.
    if (!(seconds >= 1.0f))
        seconds = 1.0f;
    m_fadeSeconds = seconds;
    m_fadeRate = static_cast<float>(target - m_crossfader) / (seconds * 100.0f);
    m_fadePosition = static_cast<float>(m_crossfader);
    // Nothing to travel: no fade is left running, so the next fade command opens its dialog.
    m_fading = m_fadeRate != 0.0f;
    if (!m_fading)
        return;
    m_fadeTarget = target;
    m_fadeStamp = m_clock.NowMs();
    m_ui.StartFadeTimer();
}

void MixerBoard::StopFade() {
    if (m_fading)
        m_ui.StopFadeTimer();
    m_fading = false;
}

void MixerBoard::OnFadeTimer() {
    if (!m_fading)
        return;
    const unsigned long now = m_clock.NowMs();
    // Elapsed time, not tick counts: window timers come late and bunch up.
    m_fadePosition = static_cast<float>(m_fadePosition + static_cast<double>(now - m_fadeStamp) *
                                                             0.001 * 100.0 * m_fadeRate);
    m_fadeStamp = now;
    const int d = m_fadeRate > 0 ? 1 : -1;
    const int whole = static_cast<int>(m_fadePosition);
    if (d * whole > d * m_fadeTarget) {
        SetCrossfaderSlider(m_fadeTarget);
        StopFade();
    } else {
        SetCrossfaderSlider(whole);
    }
    ApplyCrossfader();
    m_ui.BoardChanged();
}

void MixerBoard::FadeCommand(FadeDialogValues preset) {
    // The same key pressed again during a fade stops it.
    if (m_fading) {
        StopFade();
        return;
    }
    if (m_ui.AskFade(preset))
        FadeFader(preset.percent, preset.seconds);
}

// --- Master fader ---------------------------------------------------------------------------

void MixerBoard::BindMasterFader() {
    m_masterBound = m_master.Bind(m_store.GetInt(kMixerSection, kMasterDeviceKey, 0));
    if (!m_masterBound) {
        m_masterMin = m_masterMax = m_masterPage = m_masterPosition = 0;
        return;
    }
    m_masterMin = m_master.GetMinimum();
    m_masterMax = m_master.GetMaximum();
    m_masterPage = std::labs(m_masterMax - m_masterMin) / 10;
    m_masterPosition = m_master.GetValue();
}

void MixerBoard::MoveMasterSlider(long position) {
    if (!m_masterBound)
        return;
    m_masterPosition = std::clamp(position, std::min(m_masterMin, m_masterMax),
                                  std::max(m_masterMin, m_masterMax));
    m_master.SetValue(m_masterPosition);
}

// --- Commands -------------------------------------------------------------------------------

bool MixerBoard::HandlesCommand(int id) const {
    return id != kCmdMixerSettings && MenuText(id) != nullptr;
}

bool MixerBoard::OnCommand(int id) {
    if (id >= kCmdCrossfader100_0 && id <= kCmdCrossfader0_100) {
        MoveCrossfader((id - kCmdCrossfader100_0) * 25);
    } else if (id == kCmdMoveFaderLeft) {
        MoveCrossfader(m_crossfader - kMoveStep);
    } else if (id == kCmdMoveFaderRight) {
        MoveCrossfader(m_crossfader + kMoveStep);
    } else if (id == kCmdToggleFaderType) {
        ToggleFaderType();
    } else if (id == kCmdFadeFaderToLeft) {
        FadeCommand(FadeDialogValues::ToLeft());
    } else if (id == kCmdFadeFaderToRight) {
        FadeCommand(FadeDialogValues::ToRight());
    } else if (id == kCmdStopFaderFading) {
        StopFade();
    } else if (id >= kCmdHeadphoneChannel0 && id <= kCmdHeadphoneChannel4) {
        ToggleHeadphone(id - kCmdHeadphoneChannel0);
    } else if (id == kCmdToggleLeftMixerChannel) {
        ToggleHeadphone(m_mixer.GetFaderChannelA());
    } else if (id == kCmdToggleRightMixerChannel) {
        ToggleHeadphone(m_mixer.GetFaderChannelB());
    } else {
        return false;
    }
    m_ui.BoardChanged();
    return true;
}

bool MixerBoard::IsCommandChecked(int id) const {
    int channel;
    if (id >= kCmdHeadphoneChannel0 && id <= kCmdHeadphoneChannel4)
        channel = id - kCmdHeadphoneChannel0;
    else if (id == kCmdToggleLeftMixerChannel)
        channel = m_mixer.GetFaderChannelA();
    else if (id == kCmdToggleRightMixerChannel)
        channel = m_mixer.GetFaderChannelB();
    else
        return false;
    return m_mixer.GetChannel(channel) && !m_mixer.GetHeadphoneMute(channel);
}

} // namespace zem::board
