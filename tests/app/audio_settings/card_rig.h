// Hand-driven sound cards in a fresh settings folder, and the messages the code under test
// shows.
#pragma once

#include "../../platform/test_dir.h"
#include "contracts/soundrail.h"
#include "engine/effects/global_dsp_list.h"
#include "platform/ui_hooks.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

inline std::vector<std::string>& ShownMessages() {
    static std::vector<std::string> messages;
    return messages;
}

struct Card {
    const char* name;
    int channels;
};

struct CardRig {
    TestDir dir;
    std::vector<Card> cards;
    std::unique_ptr<OutputManager> outputs;
    std::vector<ManualOutputClock*> clocks;
    std::vector<OutputDevice*> devices;

    explicit CardRig(std::vector<Card> list) : cards(std::move(list)) {
        zem::UiHooks hooks;
        hooks.messageBox = [](const char* text) { ShownMessages().emplace_back(text); };
        zem::SetUiHooks(hooks);
        ShownMessages().clear();
        WriteGlobalDSPList({});
        OutputDevice::SetGeneralConfigPath(dir.path().c_str());
        Reopen();
    }

    // A new manager over the same cards: what it sees came from "Soundrail.ini".
    void Reopen() {
        clocks.clear();
        devices.clear();
        outputs.reset();
        outputs = std::make_unique<OutputManager>();
        for (const Card& c : cards)
            clocks.push_back(outputs->AddManualDevice(c.name, c.channels, 44100));
        outputs->GetOutputDevicesList(devices);
    }
};
