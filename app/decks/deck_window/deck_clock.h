// The time the deck window's logic reads: milliseconds from a clock it is given, so that tests
// move time by hand.
#pragma once

namespace zem::deckwin {

class DeckClock {
public:
    virtual ~DeckClock() = default;
    // Milliseconds from an arbitrary start; never goes back. Any thread.
    virtual long NowMs() const = 0;
};

// The process's monotonic millisecond clock.
class SystemDeckClock final : public DeckClock {
public:
    long NowMs() const override;
};

} // namespace zem::deckwin
