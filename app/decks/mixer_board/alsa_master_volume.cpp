#include "app/decks/mixer_board/alsa_master_volume.h"

#include <alsa/asoundlib.h>

#include <algorithm>
#include <string>

namespace zem::board {

namespace {

// The card numbers in the order ALSA lists them.
std::vector<int> Cards() {
    std::vector<int> cards;
    int card = -1;
    while (snd_card_next(&card) == 0 && card >= 0)
        cards.push_back(card);
    return cards;
}

snd_mixer_elem_t* FindVolumeElement(snd_mixer_t* mixer, const char* name) {
    snd_mixer_selem_id_t* id = nullptr;
    if (snd_mixer_selem_id_malloc(&id) < 0)
        return nullptr;
    snd_mixer_selem_id_set_index(id, 0);
    snd_mixer_selem_id_set_name(id, name);
    snd_mixer_elem_t* element = snd_mixer_find_selem(mixer, id);
    snd_mixer_selem_id_free(id);
    if (element && snd_mixer_selem_has_playback_volume(element))
        return element;
    return nullptr;
}

} // namespace

AlsaMasterVolume::~AlsaMasterVolume() {
    Unbind();
}

std::string AlsaMasterVolume::ControlName(int device) {
    // Without any card there is nothing to bind, and asking ALSA's "default" then only fills
    // the terminal with its configuration errors.
    const std::vector<int> cards = Cards();
    if (device < 0 || cards.empty() || static_cast<size_t>(device) > cards.size())
        return {};
    if (device == 0)
        return "default";
    return "hw:" + std::to_string(cards[static_cast<size_t>(device) - 1]);
}

std::vector<MasterVolumeDevice> AlsaMasterVolume::ListDevices() {
    std::vector<MasterVolumeDevice> devices;
    const std::vector<int> cards = Cards();
    if (cards.empty())
        return devices;
    devices.push_back({0, "Default", true});
    for (size_t i = 0; i < cards.size(); ++i) {
        char* name = nullptr;
        MasterVolumeDevice d{static_cast<int>(i) + 1, {}, false};
        if (snd_card_get_name(cards[i], &name) == 0 && name) {
            d.name = name;
            d.described = true;
        }
        free(name);
        devices.push_back(d);
    }
    return devices;
}

bool AlsaMasterVolume::Bind(int device) {
    Unbind();
    const std::string control = ControlName(device);
    if (control.empty())
        return false;
    snd_mixer_t* mixer = nullptr;
    if (snd_mixer_open(&mixer, 0) < 0 || !mixer)
        return false;
    snd_mixer_elem_t* element = nullptr;
    if (snd_mixer_attach(mixer, control.c_str()) == 0 &&
        snd_mixer_selem_register(mixer, nullptr, nullptr) == 0 && snd_mixer_load(mixer) == 0) {
        element = FindVolumeElement(mixer, "Master");
        if (!element)
            element = FindVolumeElement(mixer, "PCM");
    }
    long min = 0, max = 0;
    if (!element || snd_mixer_selem_get_playback_volume_range(element, &min, &max) < 0) {
        snd_mixer_close(mixer);
        return false;
    }
    m_mixer = mixer;
    m_element = element;
    m_min = min;
    m_max = max;
    return true;
}

void AlsaMasterVolume::Unbind() {
    if (m_mixer)
        snd_mixer_close(m_mixer);
    m_mixer = nullptr;
    m_element = nullptr;
    m_min = m_max = 0;
}

long AlsaMasterVolume::GetValue() {
    if (!m_element)
        return 0;
    // Someone else (the desktop's own volume control) may have moved it meanwhile.
    snd_mixer_handle_events(m_mixer);
    long value = 0;
    if (snd_mixer_selem_get_playback_volume(m_element, SND_MIXER_SCHN_FRONT_LEFT, &value) < 0)
        return m_min;
    return value;
}

void AlsaMasterVolume::SetValue(long value) {
    if (!m_element)
        return;
    snd_mixer_selem_set_playback_volume_all(m_element, std::clamp(value, m_min, m_max));
}

} // namespace zem::board
