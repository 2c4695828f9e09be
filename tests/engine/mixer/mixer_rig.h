// A mixer on a hand-driven sound card, with its settings and profile in a folder of its own.
#pragma once

#include "../../platform/test_dir.h"
#include "contracts/soundrail.h"
#include "engine/mixer/mixer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

struct MixerRig {
    TestDir dir;
    std::unique_ptr<Mixer> mixer;
    ManualOutputClock* clock = nullptr;

    // profileText is the program's settings; timing method 2 gives decks no driver, so that
    // nothing plays behind the test's back.
    explicit MixerRig(const std::string& profileText = "[Playback]\nTiming Method=2\n") {
        const std::string profile = dir.file("ZEM.ini");
        std::ofstream(profile) << profileText;
        setenv("ZEM_PROFILE", profile.c_str(), 1);
        OutputDevice::SetGeneralConfigPath(dir.path().c_str());
        mixer = std::make_unique<Mixer>(nullptr);
        clock = mixer->GetOutputManager()->AddManualDevice("Test card", 2, 44100);
    }
    ~MixerRig() {
        mixer.reset();
        unsetenv("ZEM_PROFILE");
    }
};
