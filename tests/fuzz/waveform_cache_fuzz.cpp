// A waveform cache file with arbitrary contents: reading must not crash, hang or allocate
// without bound, and whatever it accepts must be a sound summary that writes back the same.
#include "app/waveform/wave_cache.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

using namespace zem::wave;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The stamp the file itself claims, so that the checks past it are reached too.
    SongStamp stamp;
    PeekCacheStamp(data, size, stamp);
    const auto summary = DecodeCache(data, size, stamp);
    if (!summary)
        return 0;
    if (!summary->IsComplete() || summary->SampleRate() <= 0 || summary->Channels() <= 0)
        std::abort();
    const uint64_t frames = summary->TotalFrames();
    if (summary->BinCount() != (frames + kFramesPerBin - 1) / kFramesPerBin)
        std::abort();
    for (const WaveBin& bin : summary->Bins())
        if (bin.min > bin.max)
            std::abort();
    const std::vector<uint8_t> again = EncodeCache(*summary, stamp);
    if (again.size() != size || !std::equal(again.begin(), again.end(), data))
        std::abort(); // an accepted file holds nothing the summary lost
    summary->Reduce(0, frames + 1000, 300);
    return 0;
}
