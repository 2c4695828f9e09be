#include "app/decks/mixer_board/app_mixer.h"

AppMixerListener::~AppMixerListener() = default;

AppMixer::AppMixer(HWND parent) : Mixer(parent) {}

AppMixer::~AppMixer() {
    m_listener = nullptr;
}

int AppMixer::AddDevice(MixerDevice* device, unsigned long bufferBytes) {
    const int channel = Mixer::AddDevice(device, bufferBytes);
    return m_listener ? m_listener->OnChannelAdded(device) : channel;
}

void AppMixer::RemoveDevice(MixerDevice* device) {
    Mixer::RemoveDevice(device);
    if (m_listener)
        m_listener->OnChannelRemoved(device);
}
