// A plug-in's progress event on a deck (ZEM_Device_AddProgressEvent): fires on the deck's
// heartbeat and calls the plug-in back with the deck's position and the trigger in ms.
//
// Threads: made and removed on the user-interface thread; OnProgress runs on the deck's
// playback thread. While the callback runs, host calls it makes give up waiting as soon as the
// user-interface thread waits for this deck (closing it, or starting it while it refills):
// they then fail, instead of both threads waiting for each other.
#pragma once

#include "contracts/hostlink.h"
#include "engine/deck/progress_event.h"

#include <cstdint>

class StreamDevice;

namespace zem::shell {

class HostProgressEvent : public ProgressEvent {
public:
    // ms as the plug-in gave it: (unsigned long)-1 or -2 (also as 32-bit values) are the end of
    // the song and the eject.
    HostProgressEvent(ZEM_ProgressCallback callback, void* user, int id, int channel,
                      unsigned long ms);

    // The deck's trigger for the event (bytes, or one of the special triggers).
    uint32_t DeckTrigger(uint32_t bytesPerSecond, uint32_t blockAlign) const;
    bool OnProgress(unsigned long progress) override;

    int Id() const { return m_id; }

private:
    ZEM_ProgressCallback m_callback;
    void* m_user;
    int m_id;
    int m_channel;
    unsigned long m_ms;
};

} // namespace zem::shell
