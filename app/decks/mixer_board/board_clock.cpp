#include "app/decks/mixer_board/board_clock.h"

#include "platform/clock.h"

namespace zem::board {

BoardClock::~BoardClock() = default;

unsigned long ProcessClock::NowMs() {
    return zem::ClockMs();
}

} // namespace zem::board
