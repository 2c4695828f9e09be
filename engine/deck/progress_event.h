// Position-triggered callbacks on a deck. A trigger is a source position in bytes; two values
// are special: kTriggerEndOfSong fires when the deck has played its song out, kTriggerShutdown
// when the deck shuts its playback down.
#pragma once

#include "contracts/export.h"

#include <cstdint>

class StreamDevice;

class ZEM_EXPORT ProgressEvent {
public:
    static constexpr uint32_t kTriggerEndOfSong = 0xFFFFFFFFu;
    static constexpr uint32_t kTriggerShutdown = 0xFFFFFFFEu;

    ProgressEvent() = default;
    // Virtual: the deck deletes the events it owns through this base, whatever they are.
    virtual ~ProgressEvent();
    // Called on the heartbeat when the event fires; true removes (and deletes) the event,
    // false keeps it armed.
    virtual bool OnProgress(unsigned long progress) = 0;

    bool removed = false;
    uint32_t trigger = 0;
    StreamDevice* owner = nullptr;
};

// Maps progress back into the loop once the deck has played up to the loop's end.
class ZEM_EXPORT LoopingProgressEvent : public ProgressEvent {
public:
    explicit LoopingProgressEvent(uint32_t start) : loopStart(start) {}
    bool OnProgress(unsigned long progress) override;

    uint32_t loopStart;
};
