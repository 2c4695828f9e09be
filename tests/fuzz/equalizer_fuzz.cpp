// Feeds arbitrary bytes to the equalizer's text reader the way the deck reads its
// equalizer file: record after record until the stream fails or ends. Reading must
// end, keep the band count in range and never crash; the equalizer that results must filter a
// block and answer responses; and writing it, reading that back and writing again must give the
// same text (the text holds six decimals, and a value read from it prints the same again).
#include "engine/equalizer/equalizer.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

namespace {

void Check(bool ok) {
    if (!ok)
        std::abort();
}

std::string Text(const Equalizer& eq) {
    std::ostringstream out;
    Check(eq.WriteEqualizer(out));
    return out.str();
}

void SetUpDeck(Equalizer& eq) {
    static const float bands[10][2] = {{60, 0.4f},     {100, 0.3f},    {250, 0.2f},  {500, 0.1f},
                                       {1000, 0.1f},   {2000, 0.1f},   {5000, 0.1f}, {10000, 0.07f},
                                       {14000, 0.02f}, {18000, 0.055f}};
    eq.setSR(44100.0f);
    for (int k = 0; k < 10; ++k)
        eq.setFreqBoostAndBandWidth(k, bands[k][0], 1.0f, bands[k][1]);
    eq.SetNumBands(10);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    Equalizer eq;
    SetUpDeck(eq);
    size_t calls = 0;
    while (in.good()) {
        eq.ReadEqualizer(in);
        Check(++calls <= size + 1); // every call consumes at least one character
        Check(eq.GetNumBands() >= 0 && eq.GetNumBands() <= Equalizer::kMaxBands);
    }

    // Whatever was read filters (possibly into NaN, stored as 0) and answers.
    eq.SetEnable(true);
    short block[2 * 37];
    for (size_t i = 0; i < sizeof block / sizeof block[0]; ++i)
        block[i] = static_cast<short>(size > 0 ? data[i % size] * 257 - 32768 : 1000);
    eq.tickVectorStereo(block, block, sizeof block / sizeof block[0]);
    eq.tickVectorStereo(block, block, 5); // odd
    for (int k = 0; k < eq.GetNumBands(); ++k)
        (void)eq.returnFreqResponse(k, 1000.0f);

    // Write, read back, write again.
    const std::string first = Text(eq);
    std::istringstream back(first);
    Equalizer copy;
    const bool read = copy.ReadEqualizer(back);
    if (eq.GetNumBands() == 0) {
        Check(!read); // "=0" is refused
        return 0;
    }
    Check(read);
    Check(copy.GetNumBands() == eq.GetNumBands());
    for (int k = 0; k < eq.GetNumBands(); ++k)
        Check(copy.GetKillFreq(k) == eq.GetKillFreq(k));
    Check(Text(copy) == first);
    return 0;
}
