// Cards reached through an output module library.
#pragma once

#include "soundrail/device_core.h"
#include "soundrail/output_module.h"

#include <memory>

namespace soundrail {

std::unique_ptr<Backend> MakeModuleBackend(const SoundrailOutputModule* module, int index);

} // namespace soundrail
