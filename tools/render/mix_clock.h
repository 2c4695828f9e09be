// How far the mix has got, and holding it at the next moment something must happen.
//
// On a sound card the mix runs in real time, so the clock is the wall clock. When rendering to
// a file the card runs as fast as the decks deliver; there the clock is a silent output group
// of the tool's own that the card must read along with the decks, and the card can mix no
// further than the silence written into it. Writing exactly up to a command's time stops the
// mix there until the command has been carried out.
#pragma once

#include "contracts/soundrail.h"

#include <functional>
#include <memory>

class MixClock {
public:
    virtual ~MixClock() = default;
    // Seconds of mix so far.
    virtual double Now() = 0;
    enum class Pace {
        Fast,     // as fast as the decks deliver
        Draining, // a deck is playing its last buffered audio
        Hold,     // a deck is moving to a new position: its ring holds the old one's audio
        Halt,     // nothing is playing any more: hold the mix where it is
    };
    // Lets the mix run toward target seconds for at most sliceMs of wall time; true once the
    // mix stands at target (in a file, within one block of the card before it). pace is asked
    // as the mix goes: a deck that has read its song out notices that its last audio was
    // played only on its next tick, and a file render racing ahead meanwhile would fill the
    // file with silence, so it goes at a few times real time then.
    virtual bool RunToward(double target, unsigned long sliceMs,
                           const std::function<Pace()>& pace) = 0;
};

std::unique_ptr<MixClock> MakeWallClock();
// The gate group is created on the sound-effect channel of manager; null when no device
// plays it.
std::unique_ptr<MixClock> MakeGateClock(OutputManager& manager, unsigned long rate);
