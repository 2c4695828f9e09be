// A deck on a hand-driven sound card: the real stream device and output group, a generated
// source, and every frame the card played.
#pragma once

#include "../../platform/test_dir.h"
#include "contracts/soundrail.h"
#include "engine/deck/stream_device.h"
#include "test_source.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

struct DeckRig {
    static constexpr unsigned long kRate = 44100;
    static constexpr unsigned long kFramesPerTick = kRate * 33 / 1000; // 1455

    TestDir dir;
    std::unique_ptr<OutputManager> manager;
    ManualOutputClock* clock = nullptr;
    std::unique_ptr<StreamDevice> deck;
    TestSource* source = nullptr; // owned by the deck
    OutputGroup* group = nullptr;
    std::vector<short> played; // interleaved stereo, everything the card put out

    // timingMethod 2 starts no driver: the test ticks by hand.
    DeckRig(unsigned long sourceFrames, int timingMethod = 2, unsigned long bufferBytes = 88200,
            unsigned long blockBytes = 15000) {
        const std::string profile = dir.file("ZEM.ini");
        std::ofstream(profile) << "[Playback]\nTiming Method=" << timingMethod << "\n";
        setenv("ZEM_PROFILE", profile.c_str(), 1);
        OutputDevice::SetGeneralConfigPath(dir.path().c_str());
        manager = std::make_unique<OutputManager>();
        clock = manager->AddManualDevice("Test card", 2, kRate);
        deck = std::make_unique<StreamDevice>();
        source = new TestSource(sourceFrames, kRate);
        deck->SetMainInputBuffer(source);
        char name[] = "generated.wav";
        deck->LoadFile(name);
        group = manager->CreateOutputGroup(0, deck->GetWaveFormatEx(), bufferBytes);
        if (!group)
            return;
        group->SetSynchronizeType(kSyncImmediate);
        group->SetVolume(0, true); // unity gain: the card plays the source's own samples
        group->SetHeadphoneMute(true);
        deck->SetOutputGroup(group);
        deck->SetOutputBlockSize(blockBytes);
        deck->Prepare();
    }

    ~DeckRig() {
        if (deck && group) {
            deck->Stop();
            deck->UnPrepare();
        }
        deck.reset();
        delete group;
        manager.reset();
        unsetenv("ZEM_PROFILE");
    }

    void Advance(unsigned long frames) {
        const short* out = clock->Advance(frames);
        played.insert(played.end(), out, out + 2 * frames);
    }

    // One heartbeat tick, then the card plays one tick's worth.
    void Step(int ticks = 1) {
        for (int i = 0; i < ticks; ++i) {
            deck->Tick();
            Advance(kFramesPerTick);
        }
    }

    unsigned long PlayedFrames() const { return played.size() / 2; }
    bool FrameIs(unsigned long outFrame, uint32_t sourceFrame) const {
        return played[2 * outFrame] == TestSource::Left(sourceFrame) &&
               played[2 * outFrame + 1] == TestSource::Right(sourceFrame);
    }
    bool Silent(unsigned long outFrame) const {
        return played[2 * outFrame] == 0 && played[2 * outFrame + 1] == 0;
    }
    // The first output frame at or after from that is not silent.
    unsigned long NextSound(unsigned long from) const {
        while (from < PlayedFrames() && Silent(from))
            ++from;
        return from;
    }
    // How many output frames from outFrame on follow the source from sourceFrame on.
    unsigned long Matching(unsigned long outFrame, uint32_t sourceFrame) const {
        unsigned long n = 0;
        while (outFrame + n < PlayedFrames() && FrameIs(outFrame + n, sourceFrame + n))
            ++n;
        return n;
    }
};

// Counts how often it fired; removes itself after `fires` firings when told to.
class CountingEvent : public ProgressEvent {
public:
    explicit CountingEvent(std::atomic<int>& counter, bool removeSelf = true,
                           unsigned long* progressSeen = nullptr)
        : counter_(counter), removeSelf_(removeSelf), progressSeen_(progressSeen) {}
    bool OnProgress(unsigned long progress) override {
        ++counter_;
        if (progressSeen_)
            *progressSeen_ = progress;
        return removeSelf_;
    }

private:
    std::atomic<int>& counter_;
    bool removeSelf_;
    unsigned long* progressSeen_;
};
