// A card without hardware: a thread that mixes in real time and drops the result, so decks play
// and their positions move on a machine without a sound card.
#pragma once

#include "soundrail/device_core.h"

#include <memory>

namespace soundrail {

std::unique_ptr<Backend> MakeSilentBackend();

} // namespace soundrail
