// The output bridge's ring, driven as a Winamp plug-in's decoding thread drives it (through the
// Out_Module the emulation hands the plug-in) and read as the deck reads it.
#include "engine/input_modules/dll_input_buffer_winamp.h"

#include "tests/engine/input_modules/private_temp.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

constexpr int kChunk = 4608; // 1152 stereo 16-bit frames
constexpr unsigned long kRing = 100 * 8192;

class Bridge : public testing::Test {
protected:
    void SetUp() override {
        std::string module = TEST_WINAMP_DUMMY;
        buffer = std::make_unique<DLLInputBuffer_WinAMP>(module.data());
        out = buffer->GetBridgeInfo().outModule;
        in = buffer->GetModuleInfo().winampModule;
        ASSERT_NE(out, nullptr);
    }
    // A chunk whose bytes tell which chunk it is.
    std::vector<char> Chunk(int n, int size = kChunk) {
        return std::vector<char>(size, static_cast<char>(n));
    }
    int Write(int n, int size = kChunk) {
        std::vector<char> c = Chunk(n, size);
        return out->Write(c.data(), size);
    }
    bool Fill(unsigned long& len, std::vector<unsigned char>& into) {
        into.assign(len, 0xEE);
        return buffer->FillBuffer(len, into.data());
    }

    std::unique_ptr<DLLInputBuffer_WinAMP> buffer;
    Out_Module* out = nullptr;
    In_Module* in = nullptr;
};

TEST_F(Bridge, EveryBlockHoldsOneChunkOf4608Bytes) {
    EXPECT_EQ(Write(1), 0);
    EXPECT_EQ(buffer->GetBytesAvailable(), 0u); // the block being written is not readable
    EXPECT_EQ(Write(2), 0);
    EXPECT_EQ(buffer->GetBytesAvailable(), 8192u);
    EXPECT_EQ(Write(3), 0);
    EXPECT_EQ(buffer->GetBytesAvailable(), 2u * 8192);
    unsigned long len = 6000;
    std::vector<unsigned char> got;
    EXPECT_TRUE(Fill(len, got));
    ASSERT_EQ(len, 6000u);
    EXPECT_EQ(got[0], 1);
    EXPECT_EQ(got[kChunk - 1], 1);
    EXPECT_EQ(got[kChunk], 2);
    // The partly read block still counts whole.
    EXPECT_EQ(buffer->GetBytesAvailable(), 8192u);
}

TEST_F(Bridge, CanWriteStopsAtFiftyFullBlocks) {
    EXPECT_EQ(out->CanWrite(), 819200);
    for (int i = 0; i < 50; ++i)
        ASSERT_EQ(Write(i), 0);
    EXPECT_EQ(buffer->GetBytesAvailable(), 49u * 8192);
    EXPECT_EQ(out->CanWrite(), 417792);
    ASSERT_EQ(Write(50), 0);
    EXPECT_EQ(out->CanWrite(), 0);
    // The ring itself still takes chunks until all 100 blocks are full (the chunk that closes
    // the last one finds no free block and is dropped), then refuses.
    int taken = 0;
    while (Write(1) == 0 && taken < 200)
        ++taken;
    EXPECT_EQ(taken, 50);
    EXPECT_EQ(buffer->GetBytesAvailable(), 100u * 8192);
}

TEST_F(Bridge, FillDeliversWhatFullBlocksHoldAndFreesThem) {
    Write(1);
    Write(2);
    Write(3); // closes the block of chunk 2
    unsigned long len = 10000;
    std::vector<unsigned char> got;
    EXPECT_TRUE(Fill(len, got));
    EXPECT_EQ(len, 9216u);
    EXPECT_EQ(got[0], 1);
    EXPECT_EQ(got[9215], 2);
    EXPECT_EQ(got[9216], 0xEE);
    EXPECT_EQ(buffer->GetBytesAvailable(), 0u);
    EXPECT_EQ(out->CanWrite(), 819200);
}

TEST_F(Bridge, TheEndDeliversTheOpenBlockThenReportsFalse) {
    std::string song = "song_len1000.mp3";
    buffer->LoadFile(song.data());
    Write(1);
    Write(2);
    unsigned long len = 100000;
    std::vector<unsigned char> got;
    EXPECT_TRUE(Fill(len, got));
    EXPECT_EQ(len, static_cast<unsigned long>(kChunk)); // chunk 2 waits in the open block
    len = 100000;
    EXPECT_TRUE(Fill(len, got));
    EXPECT_EQ(len, 0u);
    EXPECT_EQ(out->Write(nullptr, 4608), 0);
    // Nothing more will come: everything reads without waiting.
    EXPECT_EQ(buffer->GetBytesAvailable(), kRing);
    len = 100000;
    EXPECT_FALSE(Fill(len, got));
    EXPECT_EQ(len, static_cast<unsigned long>(kChunk));
    EXPECT_EQ(got[0], 2);
    len = 100000;
    EXPECT_FALSE(Fill(len, got));
    EXPECT_EQ(len, 0u);
}

TEST_F(Bridge, NullWriteStoresNothing) {
    EXPECT_EQ(out->Write(nullptr, 1000), 0);
    EXPECT_EQ(out->CanWrite(), 819200);
    unsigned long len = 100;
    std::vector<unsigned char> got;
    EXPECT_FALSE(Fill(len, got));
    EXPECT_EQ(len, 0u);
}

TEST_F(Bridge, ReachingTheLengthEndsTheStream) {
    std::string song = "song_len100.mp3"; // 100 ms = 17 640 bytes
    buffer->LoadFile(song.data());
    for (int i = 0; i < 3; ++i)
        Write(i);
    EXPECT_EQ(buffer->GetBytesAvailable(), 2u * 8192);
    Write(3); // passes 100 ms
    unsigned long len = 100000;
    std::vector<unsigned char> got;
    EXPECT_FALSE(Fill(len, got));
    EXPECT_EQ(len, 4u * kChunk);
}

TEST_F(Bridge, FlushEmptiesTheRingAndSetsTheClock) {
    std::string song = "song_len31000.mp3";
    buffer->LoadFile(song.data());
    for (int i = 0; i < 10; ++i)
        Write(i);
    out->Write(nullptr, 0);
    out->Flush(30000);
    EXPECT_EQ(buffer->GetBytesAvailable(), 0u);
    EXPECT_EQ(out->CanWrite(), 819200);
    unsigned long len = 100;
    std::vector<unsigned char> got;
    EXPECT_TRUE(Fill(len, got)); // the end flag went with the flush
    EXPECT_EQ(len, 0u);
    // From 30 000 ms, one more second of chunks reaches the 31 000 ms length.
    int written = 0;
    while (buffer->GetBytesAvailable() < kRing && written < 45) {
        Write(written);
        ++written;
    }
    EXPECT_EQ(written, 39); // 39 x 4608 bytes is the first count past 176 400
    out->Flush(0);
    for (int i = 0; i < 45; ++i)
        Write(i);
    EXPECT_LT(buffer->GetBytesAvailable(), kRing); // far from the end now
}

TEST_F(Bridge, SetInfoSetsTheDefaultChunk) {
    std::vector<char> source(8192, 5);
    // 144 bytes by default: 56 fit in a block, the 57th closes it.
    for (int i = 0; i < 56; ++i)
        out->Write(source.data(), 0);
    EXPECT_EQ(buffer->GetBytesAvailable(), 0u);
    out->Write(source.data(), 0);
    EXPECT_EQ(buffer->GetBytesAvailable(), 8192u);
    out->Flush(0);
    in->SetInfo(128, 44, 1, 1); // mono: 1152 bytes
    for (int i = 0; i < 7; ++i)
        out->Write(source.data(), 0);
    EXPECT_EQ(buffer->GetBytesAvailable(), 0u);
    in->SetInfo(128, 44, -1, 1); // unchanged
    out->Write(source.data(), 0);
    EXPECT_EQ(buffer->GetBytesAvailable(), 8192u);
}

TEST_F(Bridge, OpenHandsTheFormatToTheBuffer) {
    EXPECT_EQ(out->Open(22050, 1, 16, 0, 0), 1);
    WAVEFORMATEX f{};
    buffer->GetWaveFormat(&f);
    EXPECT_EQ(f.wFormatTag, WAVE_FORMAT_PCM);
    EXPECT_EQ(f.nChannels, 1);
    EXPECT_EQ(f.nSamplesPerSec, 22050u);
    EXPECT_EQ(f.nBlockAlign, 2);
    EXPECT_EQ(f.nAvgBytesPerSec, 44100u);
    EXPECT_EQ(f.wBitsPerSample, 16);
    // Closed, the ring takes nothing and gives nothing.
    Write(1);
    Write(2);
    out->Close();
    EXPECT_EQ(Write(3), 1);
    unsigned long len = 100;
    std::vector<unsigned char> got;
    EXPECT_TRUE(Fill(len, got));
    EXPECT_EQ(len, 0u);
}

TEST_F(Bridge, LargeChunksSpreadOverBlocks) {
    EXPECT_EQ(Write(7, 20000), 0);
    Write(8);
    unsigned long len = 100000;
    std::vector<unsigned char> got;
    EXPECT_TRUE(Fill(len, got));
    EXPECT_EQ(len, 20000u);
    EXPECT_EQ(got[19999], 7);
}

} // namespace
