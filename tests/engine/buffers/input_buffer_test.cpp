#include "test_source.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(InputBuffer, FreshSourceIs44100HzStereo16Bit) {
    TestSource source;
    WAVEFORMATEX format{};
    EXPECT_EQ(source.GetWaveFormat(&format), &format);
    EXPECT_EQ(format.wFormatTag, WAVE_FORMAT_PCM);
    EXPECT_EQ(format.nChannels, 2);
    EXPECT_EQ(format.nSamplesPerSec, 44100u);
    EXPECT_EQ(format.nAvgBytesPerSec, 176400u);
    EXPECT_EQ(format.nBlockAlign, 4);
    EXPECT_EQ(format.wBitsPerSample, 16);
    EXPECT_EQ(format.cbSize, 0);
    EXPECT_FALSE(source.ShowSettings());
}

TEST(InputBuffer, LoadedFileDescribesItsFormatAndEndsWithItsLastBytes) {
    TestSource source;
    char name[] = "ramp.raw";
    source.LoadFile(name);
    WAVEFORMATEX format{};
    source.GetWaveFormat(&format);
    EXPECT_EQ(format.nChannels, 1);
    EXPECT_EQ(format.nSamplesPerSec, 22050u);
    EXPECT_EQ(source.GetTotalTime(), 3u);

    std::vector<unsigned char> block(50000);
    unsigned long total = 0, length = 0;
    bool more = true;
    while (more) {
        length = static_cast<unsigned long>(block.size());
        more = source.FillBuffer(length, block.data());
        total += length;
    }
    EXPECT_EQ(total, source.GetLength());
    EXPECT_EQ(length, 3 * 44100u - 2 * 50000u); // the last call still delivered bytes
    EXPECT_EQ(block[length - 1], static_cast<unsigned char>((total - 1) * 7));
}

TEST(InputBuffer, EventsStartClearAndKeepTheirResetKinds) {
    TestSource source;
    zem::Event stopped = source.GetEvStopped(), foundEnd = source.GetEvFoundEnd(),
               wantStop = source.GetEvWantStop();
    EXPECT_FALSE(stopped.IsSet());
    EXPECT_FALSE(foundEnd.IsSet());
    EXPECT_FALSE(wantStop.IsSet());
    EXPECT_FALSE(stopped.IsManualReset());
    EXPECT_TRUE(foundEnd.IsManualReset());
    EXPECT_TRUE(wantStop.IsManualReset());

    source.SetEvStopped(true);
    EXPECT_TRUE(stopped.Wait(0));
    EXPECT_FALSE(stopped.Wait(0)); // a wait consumed it
    source.SetEvFoundEnd(true);
    EXPECT_TRUE(foundEnd.Wait(0));
    EXPECT_TRUE(foundEnd.Wait(0)); // stays until reset
    source.SetEvFoundEnd(false);
    EXPECT_FALSE(foundEnd.IsSet());
    source.SetEvWantStop(true);
    EXPECT_TRUE(wantStop.IsSet());
}

struct Seen {
    unsigned long length = 0;
    unsigned char* data = nullptr;
    int calls = 0;
};

void Record(const unsigned long& length, unsigned char* const& data, void* user) {
    auto* seen = static_cast<Seen*>(user);
    seen->length = length;
    seen->data = data;
    ++seen->calls;
}

TEST(InputBuffer, CopiesShareEventsFormatAndCallback) {
    TestSource original;
    Seen seen;
    original.SetOnNewData(&Record, &seen);
    char name[] = "ramp.raw";
    original.LoadFile(name);

    TestSource copy(original);
    EXPECT_TRUE(copy.GetEvStopped().SameAs(original.GetEvStopped()));
    EXPECT_TRUE(copy.GetEvFoundEnd().SameAs(original.GetEvFoundEnd()));
    EXPECT_TRUE(copy.GetEvWantStop().SameAs(original.GetEvWantStop()));
    original.SetEvWantStop(true);
    EXPECT_TRUE(copy.GetEvWantStop().IsSet());
    copy.SetEvFoundEnd(true);
    EXPECT_TRUE(original.GetEvFoundEnd().IsSet());

    WAVEFORMATEX format{};
    copy.GetWaveFormat(&format);
    EXPECT_EQ(format.nSamplesPerSec, 22050u);

    unsigned char block[100];
    unsigned long length = sizeof block;
    copy.FillBuffer(length, block);
    EXPECT_EQ(seen.calls, 1);
    EXPECT_EQ(seen.length, 100u);
    EXPECT_EQ(seen.data, block);

    TestSource assigned;
    assigned = original;
    EXPECT_TRUE(assigned.GetEvStopped().SameAs(original.GetEvStopped()));

    // Events of separately built sources are separate.
    TestSource other;
    EXPECT_FALSE(other.GetEvStopped().SameAs(original.GetEvStopped()));
    EXPECT_FALSE(other.GetEvWantStop().IsSet());
}

TEST(InputBuffer, NoCallbackNoCall) {
    TestSource source;
    char name[] = "ramp.raw";
    source.LoadFile(name);
    unsigned char block[10];
    unsigned long length = sizeof block;
    EXPECT_TRUE(source.FillBuffer(length, block)); // delivers without a callback set
    EXPECT_EQ(length, 10u);
}

} // namespace
