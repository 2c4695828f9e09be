#include "app/decks/mixer_board/master_volume.h"

namespace zem::board {

MasterVolume::~MasterVolume() = default;

} // namespace zem::board
