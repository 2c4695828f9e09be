// A mixer board over the program's mixer on a hand-driven sound card, with its window, clock,
// profile and system volume played by the test.
#pragma once

#include "../../../platform/test_dir.h"
#include "app/decks/mixer_board/app_mixer.h"
#include "app/decks/mixer_board/board_clock.h"
#include "app/decks/mixer_board/master_volume.h"
#include "app/decks/mixer_board/mixer_board.h"
#include "app/decks/mixer_board/settings_store.h"
#include "contracts/soundrail.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

using namespace zem::board;

struct RecordingUi : MixerBoardUi {
    std::vector<std::string> centerTexts;
    bool timerRunning = false;
    int timerStarts = 0;
    std::vector<FadeDialogValues> asked;
    std::optional<FadeDialogValues> reply; // nullopt: the dialog is cancelled

    void ShowCenterText(const std::string& text) override { centerTexts.push_back(text); }
    void StartFadeTimer() override {
        EXPECT_FALSE(timerRunning) << "a second fade timer while one runs";
        timerRunning = true;
        ++timerStarts;
    }
    void StopFadeTimer() override { timerRunning = false; }
    bool AskFade(FadeDialogValues& values) override {
        asked.push_back(values);
        if (reply)
            values = *reply;
        return reply.has_value();
    }
};

struct HandClock : BoardClock {
    unsigned long now = 123456;
    unsigned long NowMs() override { return now; }
};

// A system volume control of a chosen range, or none.
struct FakeMasterVolume : MasterVolume {
    std::vector<MasterVolumeDevice> devices;
    int bindableDevice = 0; // the only device that has a master control; -1: none has
    long min = 0, max = 65535, value = 40000;
    std::optional<int> bound;
    std::vector<long> written;

    std::vector<MasterVolumeDevice> ListDevices() override { return devices; }
    bool Bind(int device) override {
        Unbind();
        if (device != bindableDevice)
            return false;
        bound = device;
        return true;
    }
    void Unbind() override { bound.reset(); }
    bool IsBound() const override { return bound.has_value(); }
    long GetMinimum() const override { return bound ? min : 0; }
    long GetMaximum() const override { return bound ? max : 0; }
    long GetValue() override { return bound ? value : 0; }
    void SetValue(long v) override {
        EXPECT_TRUE(bound) << "a value sent to an unbound control";
        written.push_back(v);
        value = v;
    }
};

struct BoardRig {
    TestDir dir;
    std::unique_ptr<AppMixer> mixer;
    ManualOutputClock* card = nullptr;
    RecordingUi ui;
    HandClock clock;
    MemorySettingsStore store;
    FakeMasterVolume master;
    std::string centreFile;
    std::unique_ptr<MixerBoard> board;

    explicit BoardRig(bool initialUpdate = true,
                      const std::string& profileText = "[Playback]\nTiming Method=2\n") {
        const std::string profile = dir.file("ZEM.ini");
        std::ofstream(profile) << profileText;
        setenv("ZEM_PROFILE", profile.c_str(), 1);
        OutputDevice::SetGeneralConfigPath(dir.path().c_str());
        mixer = std::make_unique<AppMixer>(nullptr);
        card = mixer->GetOutputManager()->AddManualDevice("Test card", 2, 44100);
        centreFile = dir.file("CFCenterVolumes.ini");
        board = std::make_unique<MixerBoard>(*mixer, ui, clock, store, master, centreFile);
        if (initialUpdate)
            board->InitialUpdate();
    }
    ~BoardRig() {
        board.reset();
        mixer.reset();
        unsetenv("ZEM_PROFILE");
    }

    // A deck the mixer owns from here on.
    MixerDevice* AddDeck() {
        auto* deck = new MixerDevice;
        mixer->AddDevice(deck, 88200);
        return deck;
    }
    int Share(MixerDevice* deck) const { return deck->GetRelativeVolume(kVChannel0); }
};
