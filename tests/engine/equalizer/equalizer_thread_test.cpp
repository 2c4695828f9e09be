// Concurrency: the deck's heartbeat filters while the user interface moves faders,
// kills bands, switches the equalizer on and off and changes the band count, with no lock.
// Run under ThreadSanitizer as well (label "threaded").
#include "engine/equalizer/equalizer.h"

#include "deck_setups.h"
#include "reference_equalizer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <random>
#include <thread>
#include <vector>

namespace {

TEST(EqualizerThreads, FiltersWhileTheInterfaceChangesBands) {
    for (int bands : {10, 3}) {
        Equalizer eq;
        deck::SetUp(eq, bands == 10 ? deck::kTenBand : deck::kThreeBand, bands);
        std::atomic<bool> stop{false};
        std::atomic<long> blocks{0};

        std::thread heartbeat([&] {
            std::mt19937 rng(1);
            std::uniform_int_distribution<int> dist(-32768, 32767);
            std::vector<short> block(15000 / 2); // the deck's 15000-byte block
            while (!stop.load()) {
                for (short& s : block)
                    s = static_cast<short>(dist(rng));
                EXPECT_EQ(eq.tickVectorStereo(block.data(), block.data(), block.size()),
                          block.data());
                blocks.fetch_add(1);
            }
        });

        std::mt19937 rng(2);
        std::uniform_int_distribution<int> position(0, 4000), band(0, bands - 1), coin(0, 9);
        for (int i = 0; i < 20000 || blocks.load() < 20; ++i) {
            const int k = band(rng);
            switch (coin(rng)) {
            case 0:
                eq.SetKillFreq(k, !eq.GetKillFreq(k));
                break;
            case 1:
                eq.SetEnable(!eq.GetEnable());
                break;
            case 2:
                eq.SetNumBands(eq.GetNumBands() == bands ? 1 : bands);
                break;
            case 3:
                eq.clear(k);
                break;
            default:
                eq.setBoost(k, deck::FaderBoost(position(rng)));
                break;
            }
            // Every response query reads what the interface itself wrote.
            (void)eq.returnFreqResponse(k, 1000);
        }
        stop.store(true);
        heartbeat.join();
        EXPECT_GE(blocks.load(), 20);
    }
}

// Once the interface stops changing things, filtering is again exactly the defined: a copy of
// the equalizer (copying copies everything, state included) and the equalizer filter alike.
TEST(EqualizerThreads, AfterChangesFilteringIsExactAgain) {
    Equalizer eq;
    deck::SetUp(eq, deck::kTenBand, 10);
    std::atomic<bool> stop{false};
    std::thread heartbeat([&] {
        std::vector<short> block(2 * 1024, 1000);
        while (!stop.load())
            eq.tickVectorStereo(block.data(), block.data(), block.size());
    });
    for (int i = 0; i < 5000; ++i)
        eq.setBoost(i % 10, deck::FaderBoost(i % 4001));
    stop.store(true);
    heartbeat.join();

    Equalizer copy = eq;
    std::mt19937 rng(3);
    std::uniform_int_distribution<int> dist(-20000, 20000);
    std::vector<short> a(2 * 5000), b;
    for (short& s : a)
        s = static_cast<short>(dist(rng));
    b = a;
    eq.tickVectorStereo(a.data(), a.data(), a.size());
    copy.tickVectorStereo(b.data(), b.data(), b.size());
    EXPECT_EQ(a, b);
}

} // namespace
