// "sfx.cfg" from any bytes: the records read, written and read again give the same table.
#include "app/pads/sfx_file.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::vector<zem::pads::PadRecord> records;
    if (zem::pads::ParseSfx(bytes, records) != zem::pads::SfxReadResult::Read)
        return 0;
    std::vector<zem::pads::PadRecord> again;
    zem::pads::ParseSfx(zem::pads::SerializeSfx(records), again);
    if (again.size() != records.size())
        std::abort();
    for (size_t i = 0; i < records.size(); ++i)
        if (again[i].Path() != records[i].Path() || again[i].command != records[i].command ||
            again[i].volume != records[i].volume)
            std::abort();
    return 0;
}
