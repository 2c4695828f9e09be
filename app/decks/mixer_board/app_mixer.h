// The program's console: the engine's mixer, telling the mixer board of every channel that is
// added or removed, so that the board's selectors follow the decks.
#pragma once

#include "engine/mixer/mixer.h"

class AppMixerListener {
public:
    virtual ~AppMixerListener();
    // The new channel's number, as the board files it.
    virtual int OnChannelAdded(MixerDevice* device) = 0;
    virtual void OnChannelRemoved(MixerDevice* device) = 0;
};

class AppMixer : public Mixer {
public:
    explicit AppMixer(HWND parent);
    // Detaches the listener first: the engine's own teardown of the remaining decks is not
    // reported to a board that may already be gone.
    ~AppMixer() override;

    // Null detaches. The listener must outlive its registration.
    void SetListener(AppMixerListener* listener) { m_listener = listener; }
    AppMixerListener* GetListener() const { return m_listener; }

    // Without a listener the engine's own channel number is returned: a caller that files the
    // deck under the answer must not be handed channel 0 for every deck.
    int AddDevice(MixerDevice* device, unsigned long bufferBytes) override;
    void RemoveDevice(MixerDevice* device) override;

private:
    AppMixerListener* m_listener = nullptr;
};
