// The ring with its writer and its reader on two threads: whatever the timing, the card plays
// every written frame once, in order, with silence only where the ring ran dry.
#include "audio_util.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

using namespace testaudio;

TEST(RingThreads, EveryFrameIsPlayedOnceAndInOrder) {
    OutputManager m;
    ManualOutputClock* card = m.AddManualDevice("Card", 2, 44100);
    WAVEFORMATEX f = Stereo16(44100);
    std::unique_ptr<OutputGroup> g(m.CreateOutputGroup(0, &f, 4 * 1500));
    ASSERT_TRUE(g);
    g->Play();
    constexpr int kBlocks = 3000;
    std::atomic<bool> done{false};
    std::atomic<long> written{0}; // frames
    // Writer: frames count 1, 2, 3, ... (wrapping below 30000), in uneven pieces.
    std::thread writer([&] {
        int next = 1;
        unsigned piece = 37;
        while (!done.load()) {
            g->UpdatePositions();
            unsigned long len = std::min<unsigned long>(g->GetWriteBytesAvailable(), piece * 4);
            piece = piece * 7 % 509 + 1;
            if (len == 0) {
                std::this_thread::yield();
                continue;
            }
            unsigned char* p = g->Lock(len);
            for (unsigned long i = 0; i < len; i += 4) {
                const int16_t v[2] = {static_cast<int16_t>(next), static_cast<int16_t>(-next)};
                std::memcpy(p + i, v, 4);
                next = next % 29999 + 1;
            }
            g->Unlock(len);
            written.fetch_add(static_cast<long>(len / 4));
        }
    });
    std::vector<int16_t> heard;
    heard.reserve(kBlocks * 256);
    for (int b = 0; b < kBlocks; ++b) {
        // The card waits for the writer, so a loaded machine cannot starve the ring: what is
        // tested is the hand-over, not the scheduler.
        for (int spin = 0; spin < 200000 && written.load() < (b + 1) * 256L; ++spin)
            std::this_thread::yield();
        const short* out = card->Advance(256);
        for (int i = 0; i < 256; ++i) {
            ASSERT_EQ(out[2 * i], -out[2 * i + 1]);
            if (out[2 * i] != 0)
                heard.push_back(out[2 * i]);
        }
        if (b % 16 == 0)
            std::this_thread::yield();
    }
    done.store(true);
    writer.join();
    ASSERT_GT(heard.size(), 10000u);
    EXPECT_EQ(heard[0], 1);
    for (size_t i = 1; i < heard.size(); ++i)
        ASSERT_EQ(heard[i], heard[i - 1] % 29999 + 1) << "at " << i;
}
