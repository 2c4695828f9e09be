// Sound-effect pads over the engine's mixer on a hand-driven card, with real WAV files: the
// "sfx.cfg" format both ways (partial records, the previous version, unterminated paths), the
// commands numbered from 33000 and registered as "SoundFX " commands, and firing.
#include "../../engine/mixer/song_file.h"
#include "../../platform/test_dir.h"
#include "app/pads/pad_table.h"
#include "contracts/soundrail.h"
#include "engine/deck/mixer_device.h"
#include "engine/mixer/mixer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>

using namespace zem::pads;

namespace {

struct RecordingHost : PadHost {
    std::map<uint16_t, std::string> commands;
    std::vector<std::string> messages;
    void RegisterPadCommand(uint16_t command, const std::string& name) override {
        commands[command] = name;
    }
    void UnregisterPadCommand(uint16_t command) override { commands.erase(command); }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
};

struct PadRig {
    TestDir dir;
    std::unique_ptr<Mixer> mixer;
    RecordingHost host;
    std::unique_ptr<CPadTable> pads;

    PadRig() {
        const std::string profile = dir.file("ZEM.ini");
        // The pads play: their devices need their playback threads.
        std::ofstream(profile) << "[Playback]\nTiming Method=1\n";
        setenv("ZEM_PROFILE", profile.c_str(), 1);
        OutputDevice::SetGeneralConfigPath(dir.path().c_str());
        mixer = std::make_unique<Mixer>(nullptr);
        mixer->GetOutputManager()->AddManualDevice("Test card", 2, 44100);
        std::string module = ZEM_IN_SNDFILE;
        EXPECT_EQ(mixer->AddInputBufferModule(module.data()), 1);
        pads = std::make_unique<CPadTable>(*mixer, host);
    }
    ~PadRig() {
        pads.reset();
        mixer.reset();
        unsetenv("ZEM_PROFILE");
    }
    PadRecord Pad(const std::string& name, uint16_t command = 0, bool stop = false) {
        const std::string path = dir.file(name);
        EXPECT_TRUE(WriteToneWav(path, 0.5));
        PadRecord r;
        r.SetPath(path);
        r.command = command;
        r.volume = 70;
        r.stopIfPlaying = stop ? 1 : 0;
        return r;
    }
};

} // namespace

TEST(SfxFile, RoundTripsWholeRecordsAndRefusesAPreviousVersion) {
    PadRecord a;
    a.command = 33001;
    a.SetPath("/songs/horn.wav");
    a.volume = 55;
    a.stopIfPlaying = 1;
    const std::string bytes = SerializeSfx({a, a});
    ASSERT_EQ(bytes.size(), 5 + 2 * kRecordSize);
    EXPECT_EQ(bytes.substr(0, 5), "1.75\n");
    EXPECT_EQ(static_cast<unsigned char>(bytes[5 + 4]), 33001 & 0xFF);
    EXPECT_EQ(static_cast<unsigned char>(bytes[5 + 268]), 55);

    std::vector<PadRecord> read;
    // A partial third record adds nothing.
    ASSERT_EQ(ParseSfx(bytes + std::string(100, 'x'), read), SfxReadResult::Read);
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[1].Path(), "/songs/horn.wav");
    EXPECT_EQ(read[1].command, 33001);
    EXPECT_EQ(read[1].volume, 55);
    EXPECT_EQ(read[1].stopIfPlaying, 1);
    EXPECT_EQ(read[1].device, nullptr);

    // A path filling its 262 bytes without a terminator is cut to 261.
    std::string full = bytes;
    for (size_t i = 0; i < kPathSize; ++i)
        full[5 + 6 + i] = 'p';
    ASSERT_EQ(ParseSfx(full, read), SfxReadResult::Read);
    EXPECT_EQ(read[0].Path(), std::string(kPathSize - 1, 'p'));

    EXPECT_EQ(ParseSfx("1.70\n" + bytes.substr(5), read), SfxReadResult::PreviousVersion);
    EXPECT_TRUE(read.empty());
}

TEST(Pads, CommandsFromThe33000sAreReusedAndRegisteredByFileName) {
    PadRig rig;
    for (const char* name : {"a.wav", "b.wav", "c.wav"})
        rig.pads->Add(rig.Pad(name));
    ASSERT_EQ(rig.pads->Pads().size(), 3u);
    EXPECT_EQ(rig.pads->Pads()[2].command, 33002);
    EXPECT_EQ(rig.host.commands[33001], "SoundFX b.wav");
    EXPECT_NE(rig.pads->Pads()[0].device, nullptr);
    EXPECT_EQ(rig.mixer->GetNumEffects(), 3);

    rig.pads->Remove(0);
    EXPECT_EQ(rig.host.commands.count(33000), 0u);
    EXPECT_EQ(rig.mixer->GetNumEffects(), 2);
    rig.pads->Add(rig.Pad("d.wav"));
    EXPECT_EQ(rig.pads->Pads().back().command, 33000);
    // A number taken or outside the pads' range (File Open's 57601) gets a free one.
    rig.pads->Add(rig.Pad("e.wav", 33001));
    rig.pads->Add(rig.Pad("f.wav", 57601));
    EXPECT_EQ(rig.pads->Pads()[3].command, 33003);
    EXPECT_EQ(rig.pads->Pads()[4].command, 33004);

    const std::string file = rig.dir.file("sfx.cfg");
    ASSERT_TRUE(rig.pads->WriteFile(file));
    RecordingHost host;
    CPadTable again(*rig.mixer, host);
    again.ReadFile(file);
    ASSERT_EQ(again.Pads().size(), 5u);
    EXPECT_EQ(again.Pads()[2].command, 33000);
    EXPECT_EQ(host.commands[33000], "SoundFX d.wav");
}

TEST(Pads, FiringPlaysRestartsOrStopsAndAnyPadOfTheTableFires) {
    PadRig rig;
    rig.pads->Add(rig.Pad("restart.wav", 33000));
    rig.pads->Add(rig.Pad("stop.wav", 33001, true));
    rig.pads->Add(rig.Pad("last.wav", 33002));
    MixerDevice* restart = rig.pads->Pads()[0].device;
    MixerDevice* stop = rig.pads->Pads()[1].device;
    ASSERT_TRUE(restart && stop);

    rig.pads->Fire(33000);
    EXPECT_TRUE(restart->IsPlaying());
    EXPECT_EQ(restart->GetVolume(kVChannel0), 70);
    rig.pads->Fire(33000);
    EXPECT_TRUE(restart->IsPlaying()) << "a second press restarts";
    rig.pads->Fire(33001);
    EXPECT_TRUE(stop->IsPlaying());
    rig.pads->Fire(33001);
    EXPECT_FALSE(stop->IsPlaying()) << "a second press stops";

    // With the first two gone, the one left is 33002: it still fires from its command.
    rig.pads->Remove(0);
    rig.pads->Remove(0);
    rig.pads->Fire(33002);
    EXPECT_TRUE(rig.pads->Pads()[0].device->IsPlaying());
    EXPECT_TRUE(rig.host.messages.empty());

    rig.pads->Fire(33005);
    PadRecord missing;
    missing.SetPath(rig.dir.file("gone.wav"));
    rig.pads->Add(missing);
    rig.pads->Fire(rig.pads->Pads().back().command);
    ASSERT_GE(rig.host.messages.size(), 2u);
    EXPECT_EQ(rig.host.messages[0], kPadNotFoundText);
    EXPECT_EQ(rig.host.messages.back(),
              rig.dir.file("gone.wav") +
                  " was not loaded at runtime... Probaly no LRESULTer exists");
}
