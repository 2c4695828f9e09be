// The output ring and block a deck opens with, from the profile's "Buffer size" (milliseconds)
// and "Block size (k)" (KiB): values too small to play without gaps are raised to the
// smallest that do.
//
// The heartbeat writes a block every tick, and a block only once the ring has room for it, so
// the ring must hold the block and still cover a tick, a late wake-up and the card's own
// period: a block of at least one tick's audio, and a ring of at least the block plus
// kPlaybackMarginMs. The engine also caps the block at half the ring.
#pragma once

#include "contracts/export.h"
#include "contracts/wave_format.h"

inline constexpr int kPlaybackMarginMs = 60;
// The ranges the device settings sheet offers; larger stored values are cut to them.
inline constexpr int kMaxBufferMs = 10000;
inline constexpr int kMaxBlockKiB = 1000;

struct PlaybackSizes {
    int bufferMs = 0; // as used
    int blockKiB = 0;
    unsigned long bufferBytes = 0;
    unsigned long blockBytes = 0;
    bool raised = false; // a value was raised to make playback work
};

ZEM_EXPORT PlaybackSizes ChoosePlaybackSizes(const WAVEFORMATEX& format, int bufferMs,
                                             int blockKiB);
