// A look at a preset file before the deck reads it: the deck's reader takes anything and would
// apply half-parsed band lines, so a file must prove to be an equalizer file first.
#pragma once

#include <string>

namespace zem::eqwin {

enum class PresetCheck {
    kOk,           // holds at least one sound 3- or 10-band block and no broken one
    kMissing,      // not there, not a regular file, or unreadable
    kNotEqualizer, // binary, too large, or without a sound block
};

PresetCheck CheckPresetFile(const std::string& path);

// The preset folder (program folder entry 4) joined with name.
std::string PresetPath(const std::string& name);

} // namespace zem::eqwin
