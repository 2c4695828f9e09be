// The master fader on ALSA's simple mixer: the element "Master", else "PCM", of a control
// device. Device 0 is ALSA's "default" device (the default card, or the sound server behind
// it); device n >= 1 is the n-th sound card the system lists ("hw:<card>"). A system without
// any card has no device at all.
#pragma once

#include "app/decks/mixer_board/master_volume.h"

struct _snd_mixer;
struct _snd_mixer_elem;

namespace zem::board {

class AlsaMasterVolume : public MasterVolume {
public:
    AlsaMasterVolume() = default;
    ~AlsaMasterVolume() override;
    AlsaMasterVolume(const AlsaMasterVolume&) = delete;
    AlsaMasterVolume& operator=(const AlsaMasterVolume&) = delete;

    // "default" first, then every card; empty when the system has no card.
    std::vector<MasterVolumeDevice> ListDevices() override;
    bool Bind(int device) override;
    void Unbind() override;
    bool IsBound() const override { return m_element != nullptr; }
    long GetMinimum() const override { return m_min; }
    long GetMaximum() const override { return m_max; }
    long GetValue() override;
    void SetValue(long value) override;

    // The ALSA control name of a device index, empty when there is no such device.
    static std::string ControlName(int device);

private:
    _snd_mixer* m_mixer = nullptr;
    _snd_mixer_elem* m_element = nullptr;
    long m_min = 0;
    long m_max = 0;
};

} // namespace zem::board
