#include "app/audio_settings/audio_wizard.h"

#include "app/audio_settings/audio_texts.h"
#include "app/audio_settings/global_dsp_editor.h"
#include "contracts/soundrail.h"
#include "platform/ui_hooks.h"

namespace zem::audio {

bool AudioWizard::LeaveCardCountPage(int option) {
    if (option < 1 || option > 3)
        return false;
    m_cardCount = option;
    if (m_cardCount == 3) {
        ShowMessageBox(kTooManyCards);
        return false;
    }
    if (!SharedHeadphonesEnabled())
        m_sharedHeadphones = false;
    return true;
}

void AudioWizard::SetFaderLayout(bool fader) {
    m_faderLayout = fader;
    if (!SharedHeadphonesEnabled())
        m_sharedHeadphones = false;
}

void AudioWizard::SetSharedHeadphones(bool shared) {
    m_sharedHeadphones = shared && SharedHeadphonesEnabled();
}

bool AudioWizard::SharedHeadphonesEnabled() const {
    return m_cardCount == 1 && !m_faderLayout;
}

std::string AudioWizard::FirstRole() const {
    if (m_cardCount != 2)
        return "Primary";
    return m_faderLayout ? "LEFT fader" : "SPEAKER";
}

std::string AudioWizard::SecondRole() const {
    if (m_cardCount != 2)
        return "N/A";
    return m_faderLayout ? "RIGHT fader" : "HEADPHONES";
}

std::string AudioWizard::FirstListLabel() const {
    return "Choose your " + FirstRole() + " soundcard:";
}

std::string AudioWizard::SecondListLabel() const {
    return "Choose your " + SecondRole() +
           " soundcard:\n(valid only for multiple soundcard configurations)";
}

bool AudioWizard::LeaveCardPage(int first, int second, int firstCardOutputs) {
    if (!SecondListEnabled())
        second = -1;
    if (first < 0 || (m_cardCount == 2 && second < 0)) {
        ShowMessageBox(kCardMissing);
        return false;
    }
    if (first == second) {
        ShowMessageBox(kSameCard);
        return false;
    }
    // One card in these layouts plays on its second and third outputs: a stereo card has
    // neither, and every deck would be silent.
    if (m_cardCount == 1 && (m_faderLayout || m_sharedHeadphones) && firstCardOutputs >= 0 &&
        firstCardOutputs < 3) {
        ShowMessageBox(kNeedsFourChannels);
        return false;
    }
    m_firstCard = first;
    m_secondCard = second;
    return true;
}

bool AudioWizard::Finish(const std::vector<OutputDevice*>& devices, GlobalDspEditor& dsp) const {
    const int count = static_cast<int>(devices.size());
    auto valid = [count](int index) { return index >= 0 && index < count; };
    if (!valid(m_firstCard) || (m_cardCount == 2 && !valid(m_secondCard)))
        return false;
    for (OutputDevice* d : devices)
        d->ResetAssignments();
    dsp.Remove(DownmixerPath(), kDownmixerEffect);
    if (m_cardCount == 2)
        FinishTwoCards(*devices[m_firstCard], *devices[m_secondCard]);
    else
        FinishOneCard(*devices[m_firstCard], dsp);
    return true;
}

void AudioWizard::FinishTwoCards(OutputDevice& a, OutputDevice& b) const {
    if (m_faderLayout) {
        // Left side of the crossfader on one card, right side on the other.
        for (int c = 0; c < kDeckChannelCount; ++c)
            (c % 2 == 0 ? a : b).SetChannelAssignment(c, 1);
    } else {
        for (int c = 0; c < kDeckChannelCount; ++c)
            a.SetChannelAssignment(c, 1);
        b.SetHeadphoneAssignment(1);
    }
    a.SetMasterChannel(1);
    a.SetSFXAssignment(1);
    b.SetSFXAssignment(1);
}

void AudioWizard::FinishOneCard(OutputDevice& a, GlobalDspEditor& dsp) const {
    if (!m_faderLayout && !m_sharedHeadphones) {
        for (int c = 0; c < kDeckChannelCount; ++c)
            a.SetChannelAssignment(c, 1);
        a.SetMasterChannel(1);
        a.SetSFXAssignment(1);
        return;
    }
    if (m_faderLayout) {
        // A four-channel card: each side of the crossfader on one of its stereo pairs.
        for (int c = 0; c < kDeckChannelCount; ++c)
            a.SetChannelAssignment(c, c % 2 == 0 ? 2 : 3);
    } else {
        // A four-channel card: speakers on its first pair, headphones on its second.
        for (int c = 0; c < kDeckChannelCount; ++c)
            a.SetChannelAssignment(c, 2);
        a.SetHeadphoneAssignment(3);
    }
    a.SetMasterChannel(2);
    // Each pair of a shared four-channel card carries one mono feed; the down-mixer folds
    // every deck to mono so that nothing is lost on a pair.
    ShowMessageBox(kDownmixerAdded);
    if (!dsp.Add(DownmixerPath(), kDownmixerEffect))
        ShowMessageBox(kDownmixerFailed);
    a.SetSFXAssignment(1);
}

} // namespace zem::audio
