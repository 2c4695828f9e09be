// Where the board reads the time of a fade step, so that tests step time by hand.
#pragma once

namespace zem::board {

class BoardClock {
public:
    virtual ~BoardClock();
    // Milliseconds of a monotonic process clock.
    virtual unsigned long NowMs() = 0;
};

// The process clock the engine uses.
class ProcessClock : public BoardClock {
public:
    unsigned long NowMs() override;
};

} // namespace zem::board
