// A decoder thread of a source ends when the deck's copy of the source raises want-stop, and
// a producer hands blocks to a consumer through a DataBuffer's events.
#include "engine/buffers/data_buffer.h"
#include "test_source.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <thread>

namespace {

TEST(InputBufferThreads, DecoderStopsOnWantStopOfACopy) {
    TestSource source;
    TestSource deckCopy(source);
    std::atomic<int> rounds{0};
    zem::Event wantStop = source.GetEvWantStop();
    std::thread decoder([&] {
        while (!wantStop.Wait(1))
            ++rounds;
    });
    while (rounds.load() < 3)
        std::this_thread::yield();
    deckCopy.SetEvWantStop(true);
    decoder.join();
    EXPECT_TRUE(source.GetEvWantStop().IsSet());
}

TEST(InputBufferThreads, StoppedEventWakesOneWaiterPerSet) {
    TestSource source;
    zem::Event stopped = source.GetEvStopped();
    std::atomic<int> woken{0};
    std::thread waiter([&] {
        for (int i = 0; i < 2; ++i)
            if (stopped.Wait(5000))
                ++woken;
    });
    source.SetEvStopped(true);
    while (woken.load() < 1)
        std::this_thread::yield();
    source.SetEvStopped(true);
    waiter.join();
    EXPECT_EQ(woken.load(), 2);
}

TEST(DataBufferThreads, BlocksPassBetweenProducerAndConsumer) {
    DataBuffer block;
    block.ResizeBuffer(256);
    constexpr int kBlocks = 200;
    std::thread consumer([&] {
        for (int n = 0; n < kBlocks; ++n) {
            ASSERT_TRUE(block.evData.Wait(5000));
            {
                std::lock_guard<zem::CriticalSection> g(block.lock);
                ASSERT_EQ(block.length, 256u);
                for (unsigned i = 0; i < block.length; ++i)
                    ASSERT_EQ(block.current[i], static_cast<unsigned char>(n + i));
                block.length = 0;
                block.isFree = true;
            }
            block.evFree.Set();
        }
    });
    for (int n = 0; n < kBlocks; ++n) {
        ASSERT_TRUE(block.evFree.Wait(5000));
        {
            std::lock_guard<zem::CriticalSection> g(block.lock);
            for (unsigned i = 0; i < 256; ++i)
                block.start[i] = static_cast<unsigned char>(n + i);
            block.length = 256;
            block.isFree = false;
            block.evFree.Reset();
        }
        block.evData.Set();
    }
    consumer.join();
    EXPECT_TRUE(block.isFree);
}

} // namespace
