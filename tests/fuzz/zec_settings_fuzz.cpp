// A song's settings file with arbitrary contents, in either layout: reading must not crash or
// hang, and what is written back must read again.
#include "engine/deck/mixer_device.h"

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {
class Deck : public MixerDevice {};

std::string tempPath() {
    static std::string path = [] {
        const char* dir = std::getenv("TMPDIR");
        std::string p = std::string(dir && *dir ? dir : "/tmp") + "/zem_fuzz_XXXXXX";
        const int fd = mkstemp(p.data());
        if (fd >= 0)
            close(fd);
        return p;
    }();
    return path;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string path = tempPath();
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    {
        Deck deck;
        deck.ReadConfig(path.data());
        deck.WriteConfig(path.data(), true);
        Deck again;
        if (!again.ReadConfig(path.data()))
            std::abort(); // a file just written in the current layout must read
        if (again.GetVolume(kVChannel0) != deck.GetVolume(kVChannel0))
            std::abort();
    }
    std::remove(path.c_str());
    return 0;
}
