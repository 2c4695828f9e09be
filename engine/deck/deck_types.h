// Small records a deck carries: stored cue positions, tempo, volume channels, and the
// callbacks through which a deck tells its document that it started or stopped playing.
#pragma once

#include "contracts/export.h"

#include <atomic>

// A cue point uses start; a loop uses start and end. -1 means unset. The heartbeat reads
// these while the user interface sets them, so each is an atomic 32-bit word.
struct ZEM_EXPORT StoredPosition {
    std::atomic<long> start{-1};
    std::atomic<long> end{-1};

    StoredPosition() = default;
    StoredPosition(const StoredPosition& o) : start(o.start.load()), end(o.end.load()) {}
    StoredPosition& operator=(const StoredPosition& o) {
        start.store(o.start.load());
        end.store(o.end.load());
        return *this;
    }
};

struct BPMInfo {
    float baseTempo = 0;    // beats per minute at the song's own rate
    float currentTempo = 0; // at the current pitch
};

// Selects one of the three volume entries; 3 (relative volume only) means all of them.
enum VChannel : int {
    kVChannel0 = 0,
    kVChannel1 = 1,
    kVChannel2 = 2,
    kVChannelAll = 3,
};

class MixerDevice;

// Implemented by the program's deck document. Called on whichever thread plays or stops
// the deck: the heartbeat stops a deck at the end of its song.
class ZEM_EXPORT MixerDeviceParent {
public:
    virtual ~MixerDeviceParent();
    virtual void OnDevicePlay(MixerDevice* device) = 0;
    virtual void OnDeviceStop(MixerDevice* device) = 0;
};
