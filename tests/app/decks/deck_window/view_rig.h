// Deck windows' logic on real decks: stream devices with generated sources, attached to a
// mixer on a hand-driven card, and a clock the test moves.
#pragma once

#include "../../../engine/deck/test_source.h"
#include "../../../engine/mixer/mixer_rig.h"
#include "app/decks/deck_window/deck_clock.h"
#include "app/decks/deck_window/mixer_device_view_logic.h"
#include "engine/deck/stream_device.h"

#include <atomic>
#include <string>
#include <vector>

struct ManualClock : zem::deckwin::DeckClock {
    std::atomic<long> ms{5000};
    long NowMs() const override { return ms.load(); }
    void Advance(long delta) { ms += delta; }
};

struct RecordingHost : zem::deckwin::DeckViewHost {
    std::vector<std::string> messages;
    int titles = 0;
    std::atomic<int> pitchUpdates{0};
    void PitchDisplayChanged() override { ++pitchUpdates; }
    void ShowMessage(const char* text) override { messages.push_back(text); }
    void RefreshTitle() override { ++titles; }
};

constexpr unsigned long kBytesPerSecond = 44100 * 4;

struct ViewRig : MixerRig {
    std::vector<StreamDevice*> decks;
    ManualClock time;
    RecordingHost host;

    explicit ViewRig(const std::string& settings = "")
        : MixerRig("[Playback]\nTiming Method=2\n" + settings) {}

    ~ViewRig() {
        for (StreamDevice* d : decks) {
            mixer->RemoveDevice(d);
            delete d;
        }
    }

    // A deck of seconds of generated audio at rate, attached on the next free channel, with
    // base tempo bpm.
    StreamDevice* AddDeck(double seconds, float bpm = 0, unsigned long rate = 44100,
                          const char* name = "generated.wav") {
        auto* deck = new StreamDevice();
        deck->SetMainInputBuffer(new TestSource(static_cast<unsigned long>(seconds * rate), rate));
        std::string path = name;
        deck->LoadFile(path.data());
        deck->GetBPMInfo()->baseTempo = bpm;
        mixer->AddDevice(deck, rate * 4 / 2);
        deck->SetOutputBlockSize(8000);
        deck->SetPitch(deck->GetOriginalPitch());
        decks.push_back(deck);
        return deck;
    }

    // Lets the heartbeat carry out a reposition, so that the next Play does not wait for it.
    void Settle(StreamDevice* deck, int ticks = 3) {
        for (int i = 0; i < ticks; ++i) {
            deck->Tick();
            clock->Advance(1455);
        }
    }
};
