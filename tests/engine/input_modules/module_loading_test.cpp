// Loading input modules (both probes, the Winamp extension rules, private copies) and the
// native buffer on our real decoder plug-in.
#include "engine/foundations/zem_exception.h"
#include "engine/input_modules/device_module_loader.h"
#include "engine/input_modules/dll_input_buffer.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/library.h"
#include "tests/platform/test_dir.h"
#include "tone_files.h"

#include "tests/engine/input_modules/private_temp.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>

namespace {

std::string Module(const char* name) {
    return std::string(TEST_MODULES_DIR "/") + name + zem::kPluginSuffix;
}

struct Loaded {
    explicit Loaded(const std::string& path, bool privateCopy = false) {
        std::memset(&info, 0xAB, sizeof info);
        ClearDeviceModuleInfo(info);
        handle = LoadDeviceModule(path.c_str(), info, privateCopy);
    }
    ~Loaded() {
        FreeDeviceModule(info);
        if (copy)
            zem::DeleteFilePath(info.path);
    }
    DeviceModuleInfo info;
    void* handle;
    bool copy = false;
};

TEST(LoadDeviceModule, DerivesWinampExtensionsAndDescription) {
    Loaded mpeg(Module("test_in_mpeg"));
    ASSERT_NE(mpeg.handle, nullptr);
    EXPECT_EQ(mpeg.info.hInstance, mpeg.handle);
    EXPECT_EQ(mpeg.info.type, kModuleTypeWinamp);
    EXPECT_EQ(mpeg.info.reserved, 0);
    EXPECT_NE(mpeg.info.winampModule, nullptr);
    EXPECT_EQ(mpeg.info.createInstance, nullptr);
    EXPECT_STREQ(mpeg.info.extensions, ".mp3;.mp2;.mpg;");
    EXPECT_STREQ(mpeg.info.description, "Dummy decoder (*.mp3;*.mp2;*.mpg;)");
    EXPECT_EQ(std::string(mpeg.info.path), Module("test_in_mpeg"));
    EXPECT_STREQ(ModuleTypeNames[mpeg.info.type], "WinAMP Plugin");

    Loaded pairs(Module("test_in_pairs"));
    ASSERT_NE(pairs.handle, nullptr);
    EXPECT_STREQ(pairs.info.extensions, ".w64;.au;.snd;");
    EXPECT_STREQ(pairs.info.description, "Dummy decoder (*.w64;*.au;*.snd;)");
}

TEST(LoadDeviceModule, ReplacesExactlyAckByTheMpegList) {
    Loaded lower(Module("test_in_ack"));
    ASSERT_NE(lower.handle, nullptr);
    EXPECT_STREQ(lower.info.extensions, ".mp3;.mp2;.mpg;");
    EXPECT_STREQ(lower.info.description, "Dummy decoder (*.ack;)");
    Loaded upper(Module("test_in_ACK"));
    ASSERT_NE(upper.handle, nullptr);
    EXPECT_STREQ(upper.info.extensions, ".ACK;");
}

TEST(LoadDeviceModule, NativeProbeWinsOnlyWhenItAccepts) {
    Loaded native(Module("test_both_native"));
    ASSERT_NE(native.handle, nullptr);
    EXPECT_EQ(native.info.type, kModuleTypeNative);
    EXPECT_STREQ(native.info.extensions, ".tst;");
    EXPECT_EQ(native.info.winampModule, nullptr);
    Loaded refused(Module("test_both_refused"));
    ASSERT_NE(refused.handle, nullptr);
    EXPECT_EQ(refused.info.type, kModuleTypeWinamp);
    EXPECT_STREQ(refused.info.extensions, ".mp3;.mp2;.mpg;");
    Loaded old(Module("test_native_old"));
    ASSERT_NE(old.handle, nullptr);
    EXPECT_EQ(old.info.type, kModuleTypeOld);
    EXPECT_STREQ(ModuleTypeNames[old.info.type], "ZEM Plugin - OLD");
    EXPECT_STREQ(ModuleTypeNames[kModuleTypeNative], "ZEM Plugin");
}

TEST(LoadDeviceModule, RefusesWhatIsNoModule) {
    TestDir dir;
    {
        std::ofstream f(dir.file("fake.so"));
        f << "not a library";
    }
    // A real module whose path does not fit the record's field.
    std::string deep = dir.path();
    for (int i = 0; i < 3; ++i) {
        deep += "/" + std::string(100, static_cast<char>('a' + i));
        ASSERT_TRUE(std::filesystem::create_directory(deep));
    }
    const std::string longName = deep + "/module.so";
    ASSERT_TRUE(zem::CopyFileOverwrite(Module("test_in_mpeg"), longName));
    for (const std::string& path : {Module("test_no_probe"), Module("test_in_null"),
                                    dir.file("missing.so"), dir.file("fake.so"), longName}) {
        Loaded l(path);
        EXPECT_EQ(l.handle, nullptr) << path;
        EXPECT_STREQ(l.info.path, "") << path;
    }
}

TEST(LoadDeviceModule, PrivateCopiesAreFilesOfTheirOwn) {
    Loaded a(Module("test_in_mpeg"), true), b(Module("test_in_mpeg"), true);
    a.copy = b.copy = true;
    ASSERT_NE(a.handle, nullptr);
    ASSERT_NE(b.handle, nullptr);
    EXPECT_NE(a.handle, b.handle);
    EXPECT_STRNE(a.info.path, b.info.path);
    EXPECT_NE(std::string(a.info.path), Module("test_in_mpeg"));
    EXPECT_TRUE(zem::FileExists(a.info.path));
    // Each copy has its own globals: the two records are different objects.
    EXPECT_NE(a.info.winampModule, b.info.winampModule);
}

// Reads the buffer the way a deck does until it reports the end.
std::vector<int16_t> Drain(InputBuffer& buffer, size_t limit = SIZE_MAX) {
    std::vector<int16_t> pcm;
    std::vector<unsigned char> block(5880);
    const unsigned long start = zem::ClockMs();
    while (pcm.size() * 2 < limit && zem::ClockMs() - start < 20000) {
        unsigned long len = std::min<size_t>(block.size(), limit - pcm.size() * 2);
        const bool more = buffer.FillBuffer(len, block.data());
        const auto* s = reinterpret_cast<const int16_t*>(block.data());
        pcm.insert(pcm.end(), s, s + len / 2);
        if (!more)
            break;
        if (len == 0)
            zem::SleepMs(1);
    }
    return pcm;
}

void ExpectThrows(const std::function<void()>& f, const char* message, bool fatal) {
    try {
        f();
        ADD_FAILURE() << "no exception, expected " << message;
    } catch (const ZEMException& e) {
        EXPECT_STREQ(e.GetMessage(), message);
        EXPECT_EQ(e.IsFatal(), fatal);
    }
}

TEST(DLLInputBuffer, PlaysARealFileThroughThePlugin) {
    TestDir dir;
    const tones::Tone tone{48000, 1, 60000};
    std::string path = dir.file("tone.flac");
    ASSERT_TRUE(tones::Write(path, SF_FORMAT_FLAC | SF_FORMAT_PCM_16, tone));
    std::string module = ZEM_IN_SNDFILE;
    DLLInputBuffer buffer(module.data());
    EXPECT_STREQ(ModuleTypeNames[buffer.GetModuleInfo().type], "ZEM Plugin");
    buffer.LoadFile(path.data());
    WAVEFORMATEX f{};
    buffer.GetWaveFormat(&f);
    EXPECT_EQ(f.nSamplesPerSec, 48000u);
    EXPECT_EQ(f.nChannels, 2);
    EXPECT_EQ(buffer.GetLength(), 60000u * 4);
    EXPECT_EQ(buffer.GetTotalTime(), 1u);
    EXPECT_FALSE(buffer.ShowSettings());
    buffer.Prepare();
    buffer.Play();
    std::vector<int16_t> pcm = Drain(buffer);
    EXPECT_EQ(pcm.size() * 2, buffer.GetLength());
    EXPECT_EQ(tones::Compare(tone, pcm, 0).maxDiff, 0.0);
    ASSERT_TRUE(buffer.DoSetPosition(40000 * 4));
    pcm = Drain(buffer);
    EXPECT_EQ(pcm.size(), 2u * 20000);
    EXPECT_EQ(tones::Compare(tone, pcm, 40000).maxDiff, 0.0);
    buffer.Stop();
    buffer.SetEvWantStop(true);
    buffer.UnPrepare();
}

TEST(DLLInputBuffer, BadFilesAreNotFatal) {
    TestDir dir;
    std::ofstream(dir.file("empty.wav")).close();
    const tones::Tone tone{44100, 2, 4410};
    ASSERT_TRUE(tones::Write(dir.file("good.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, tone));
    std::string module = ZEM_IN_SNDFILE;
    DLLInputBuffer buffer(module.data());
    std::string bad = dir.file("empty.wav");
    ExpectThrows([&] { buffer.LoadFile(bad.data()); }, "Unable to load file!", false);
    std::string missing = dir.file(std::string(4000, 'q') + ".wav");
    ExpectThrows([&] { buffer.LoadFile(missing.data()); }, "Unable to load file!", false);
    WAVEFORMATEX f{};
    EXPECT_EQ(buffer.GetWaveFormat(&f)->nChannels, 2);
    std::string good = dir.file("good.wav");
    buffer.LoadFile(good.data());
    EXPECT_EQ(Drain(buffer).size(), 2u * 4410);
}

TEST(DLLInputBuffer, RefusesModulesThatAreNotNative) {
    std::string winamp = Module("test_in_mpeg"), old = Module("test_native_old"),
                noEntry = Module("test_both_native"), missing = Module("missing");
    ExpectThrows([&] { DLLInputBuffer b(winamp.data()); },
                 "Attempt to initialize a DLLInputBuffer with wrong type of module!", true);
    ExpectThrows([&] { DLLInputBuffer b(old.data()); },
                 "Attempt to initialize a DLLInputBuffer with wrong type of module!", true);
    ExpectThrows([&] { DLLInputBuffer b(noEntry.data()); }, "Unable to initialize DLLInputBuffer!",
                 true);
    ExpectThrows([&] { DLLInputBuffer b(missing.data()); }, "Unable to initialize DLLInputBuffer!",
                 true);
}

} // namespace
