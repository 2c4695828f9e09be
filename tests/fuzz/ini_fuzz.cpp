// Feeds arbitrary bytes to the INI reader and writer: lookups and updates must not crash, and
// a value written must read back.
#include "platform/ini_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::string out;
    zem::ini::FindInText(text, "ZEC Info", "BPM", out);
    zem::ini::ParseLeadingInt(out, 0);
    zem::ini::ParseLeadingFloat(out, 0.f);
    zem::ini::FindInText(text, "", "", out);

    // Section and key names taken from the input itself.
    const size_t cut = size / 3;
    std::string section = text.substr(0, cut % 16);
    std::string key = text.substr(cut, cut % 8);
    for (char& c : section)
        if (c == '\n' || c == '\r' || c == ']' || c == '\0')
            c = '_';
    for (char& c : key)
        if (c == '\n' || c == '\r' || c == '=' || c == '\0' || c == '[')
            c = '_';
    const std::string updated = zem::ini::UpdateText(text, "Fuzz Section", "fuzz key", "v a l");
    if (!zem::ini::FindInText(updated, "Fuzz Section", "fuzz key", out) || out != "v a l") {
        // UpdateText writes into the first matching section, which is the one read back.
        std::abort();
    }
    zem::ini::UpdateText(text, section.c_str(), key.c_str(), nullptr);
    zem::ini::UpdateText(text, section.c_str(), nullptr, nullptr);
    return 0;
}
