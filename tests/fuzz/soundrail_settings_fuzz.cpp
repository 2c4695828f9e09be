// The sound library's device settings file: any content gives valid assignments, no crash.
#include "contracts/soundrail.h"
#include "platform/files.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static std::string dir = [] {
        std::string pattern = zem::TempDirectory() + "/srfuzzXXXXXX";
        const char* made = mkdtemp(pattern.data());
        return std::string(made ? made : ".");
    }();
    const std::string file = dir + "/Soundrail.ini";
    if (std::FILE* f = std::fopen(file.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    OutputDevice::SetGeneralConfigPath(dir.c_str());
    {
        OutputManager m;
        ManualOutputClock* card = m.AddManualDevice("Card", 4, 44100);
        OutputDevice* d = card->GetDevice();
        for (int c = 0; c < 256; ++c) {
            const int sub = d->GetChannelAssignment(c);
            if (sub < 0 || sub > 3)
                std::abort();
        }
        const float offset = d->GetSpeedOffset();
        if (!(offset >= -10.f && offset <= 10.f))
            std::abort();
        WAVEFORMATEX f{1, 2, 44100, 176400, 4, 16, 0};
        std::unique_ptr<OutputGroup> g(m.CreateOutputGroup(0, &f, 4096));
        if (g) {
            g->Play();
            card->Advance(64);
        }
    }
    OutputDevice::SetGeneralConfigPath("");
    return 0;
}
