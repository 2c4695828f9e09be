// The Winamp input emulation: private copies, the player-side fields, the operations' timing
// rules, and songs played end to end through our own Winamp-interface plug-in.
#include "engine/foundations/zem_exception.h"
#include "engine/input_modules/dll_input_buffer_winamp.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/library.h"
#include "tests/platform/test_dir.h"
#include "tone_files.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <memory>

namespace {

std::string Dummy() {
    return TEST_WINAMP_DUMMY;
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

TEST(WinampBuffer, FillsThePlayerSideAndPatchesTheCallbacks) {
    std::string path = Dummy();
    DLLInputBuffer_WinAMP buffer(path.data());
    In_Module* in = buffer.GetModuleInfo().winampModule;
    ASSERT_NE(in, nullptr);
    EXPECT_EQ(in->outMod, buffer.GetBridgeInfo().outModule);
    EXPECT_EQ(in->hDllInstance, buffer.GetModuleInfo().hInstance);
    EXPECT_EQ(in->outMod->version, 16);
    EXPECT_EQ(in->outMod->id, 39538);
    EXPECT_EQ(in->SAGetMode(), 2);
    int spectrum = 7, wave = 9;
    EXPECT_EQ(in->VSAGetMode(&spectrum, &wave), 2);
    EXPECT_EQ(spectrum, 7);
    EXPECT_EQ(wave, 9);
    EXPECT_EQ(in->dsp_isactive(), 0);
    short samples[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_EQ(in->dsp_dosamples(samples, 4, 16, 2, 44100), 4);
    EXPECT_EQ(samples[7], 8);
    // Attach opened the bridge at 44100 Hz stereo 16-bit.
    WAVEFORMATEX f{};
    buffer.GetWaveFormat(&f);
    EXPECT_EQ(f.nSamplesPerSec, 44100u);
    EXPECT_EQ(f.nAvgBytesPerSec, 176400u);
}

TEST(WinampBuffer, TwoDecksGetTwoPrivateCopiesEachDeletedWithItsBuffer) {
    std::string path = Dummy();
    auto a = std::make_unique<DLLInputBuffer_WinAMP>(path.data());
    auto b = std::make_unique<DLLInputBuffer_WinAMP>(path.data());
    const std::string files[4] = {a->GetModuleInfo().path, a->GetBridgeInfo().path,
                                  b->GetModuleInfo().path, b->GetBridgeInfo().path};
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(zem::FileExists(files[i])) << files[i];
        EXPECT_NE(files[i], path);
        for (int j = 0; j < i; ++j)
            EXPECT_NE(files[i], files[j]);
    }
    EXPECT_NE(a->GetModuleInfo().winampModule, b->GetModuleInfo().winampModule);
    EXPECT_NE(a->GetBridgeInfo().outModule, b->GetBridgeInfo().outModule);
    a.reset();
    EXPECT_FALSE(zem::FileExists(files[0]));
    EXPECT_FALSE(zem::FileExists(files[1]));
    EXPECT_TRUE(zem::FileExists(files[2]));
    EXPECT_TRUE(zem::FileExists(files[3]));
    b.reset();
    EXPECT_FALSE(zem::FileExists(files[2]));
    EXPECT_FALSE(zem::FileExists(files[3]));
}

TEST(WinampBuffer, TimesAreWholeSecondsOfTheFormat) {
    std::string path = Dummy();
    DLLInputBuffer_WinAMP buffer(path.data());
    In_Module* in = buffer.GetModuleInfo().winampModule;
    std::string song = "song_len61500.mp3";
    buffer.LoadFile(song.data());
    EXPECT_EQ(in->IsPaused(), 1); // loaded, not playing
    const unsigned long a = 176400;
    EXPECT_EQ(buffer.GetTotalTime(), 61u);
    EXPECT_EQ(buffer.GetLength(), 61u * a);
    EXPECT_TRUE(buffer.DoSetPosition(a * 3 / 2));
    EXPECT_EQ(in->GetOutputTime(), 1000);
    EXPECT_TRUE(buffer.DoSetPosition(a - 4));
    EXPECT_EQ(in->GetOutputTime(), 0);
    buffer.Play();
    EXPECT_EQ(in->IsPaused(), 0);
    buffer.Stop();
    EXPECT_EQ(in->IsPaused(), 1);
    EXPECT_TRUE(buffer.ShowSettings());
    std::string bad = "fail.mp3";
    ExpectThrows([&] { buffer.LoadFile(bad.data()); }, "Unable to load file!", false);
}

TEST(WinampBuffer, RefusesModulesThatAreNotWinamp) {
    std::string native = ZEM_IN_SNDFILE, missing = "no/such/module.so";
    ExpectThrows([&] { DLLInputBuffer_WinAMP b(native.data()); },
                 "Attempt to initialize a DLLInputBuffer_WINAMP with wrong type of module!", true);
    ExpectThrows([&] { DLLInputBuffer_WinAMP b(missing.data()); },
                 "Unable to initialize DLLInputBuffer!", true);
}

// Plays a buffer the way the heartbeat does: a block is read only once that much is available;
// the song must still end, with everything delivered.
std::vector<int16_t> Heartbeat(InputBuffer& buffer, unsigned long block, bool& ended) {
    std::vector<int16_t> pcm;
    std::vector<unsigned char> data(block);
    ended = false;
    const unsigned long start = zem::ClockMs();
    while (zem::ClockMs() - start < 30000) {
        if (buffer.GetBytesAvailable() < block) {
            zem::SleepMs(1);
            continue;
        }
        unsigned long len = block;
        const bool more = buffer.FillBuffer(len, data.data());
        const auto* s = reinterpret_cast<const int16_t*>(data.data());
        pcm.insert(pcm.end(), s, s + len / 2);
        if (!more) {
            ended = true;
            break;
        }
    }
    return pcm;
}

struct Song {
    const char* name;
    const char* ext;
    int format;
    tones::Tone tone;
    bool lossless;
};

const Song kSongs[] = {
    {"wav", ".wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, {44100, 2, 3 * 44100 + 17}, true},
    {"wav24mono", ".w64", SF_FORMAT_W64 | SF_FORMAT_PCM_24, {32000, 1, 2 * 32000 + 5}, true},
    {"flac", ".flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, {96000, 2, 2 * 96000 + 999}, true},
    {"aiff", ".aiff", SF_FORMAT_AIFF | SF_FORMAT_PCM_16, {44100, 2, 2 * 44100 + 3}, true},
    {"vorbis", ".ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS, {44100, 2, 3 * 44100}, false},
    {"opus", ".opus", SF_FORMAT_OGG | SF_FORMAT_OPUS, {48000, 2, 2 * 48000}, false},
    {"mp3", ".mp3", SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III, {48000, 2, 3 * 48000}, false},
};

void PrintTo(const Song& s, std::ostream* os) {
    *os << s.name;
}

class WinampPath : public testing::TestWithParam<Song> {};

void ExpectMatches(const Song& s, const std::vector<int16_t>& pcm, int64_t offset) {
    const tones::Match m = tones::Compare(s.tone, pcm, offset);
    if (s.lossless) {
        EXPECT_LE(m.maxDiff, 2.0) << s.name << " at " << offset;
    } else {
        EXPECT_LT(m.errorRatio, 0.01) << s.name << " at " << offset;
    }
}

TEST_P(WinampPath, PlaysSeeksAndEndsARealFile) {
    const Song& s = GetParam();
    TestDir dir;
    std::string file = dir.file(std::string("song") + s.ext);
    ASSERT_TRUE(tones::Write(file, s.format, s.tone));
    std::string module = IN_ZEM_FILES;
    DLLInputBuffer_WinAMP buffer(module.data());
    buffer.LoadFile(file.data());
    WAVEFORMATEX f{};
    buffer.GetWaveFormat(&f);
    ASSERT_EQ(f.nSamplesPerSec, static_cast<uint32_t>(s.tone.rate));
    ASSERT_EQ(f.nChannels, 2);
    const unsigned long a = f.nAvgBytesPerSec;
    EXPECT_EQ(buffer.GetTotalTime(), static_cast<unsigned long>(s.tone.frames / s.tone.rate));
    EXPECT_EQ(buffer.GetLength(), s.tone.frames / s.tone.rate * a);
    buffer.Play();
    const unsigned long block = a / 30 / 4 * 4; // about one 33 ms tick
    bool ended = false;
    std::vector<int16_t> pcm = Heartbeat(buffer, block, ended);
    EXPECT_TRUE(ended);
    EXPECT_EQ(pcm.size() / 2, static_cast<size_t>(s.tone.frames));
    ExpectMatches(s, pcm, 0);

    // Seeking asks for whole seconds: 1.5 s lands on 1 s.
    buffer.Stop();
    In_Module* in = buffer.GetModuleInfo().winampModule;
    ASSERT_TRUE(buffer.DoSetPosition(a * 3 / 2));
    const unsigned long start = zem::ClockMs();
    while (in->GetOutputTime() != 1000 && zem::ClockMs() - start < 5000)
        zem::SleepMs(1);
    ASSERT_EQ(in->GetOutputTime(), 1000);
    buffer.Play();
    pcm = Heartbeat(buffer, block, ended);
    EXPECT_TRUE(ended);
    EXPECT_EQ(pcm.size() / 2, static_cast<size_t>(s.tone.frames - s.tone.rate));
    ExpectMatches(s, pcm, s.tone.rate);
}

INSTANTIATE_TEST_SUITE_P(Songs, WinampPath, testing::ValuesIn(kSongs),
                         [](const testing::TestParamInfo<Song>& i) { return i.param.name; });

TEST(WinampPath, BadFilesAreNotFatal) {
    TestDir dir;
    std::ofstream(dir.file("empty.w64")).close();
    {
        std::ofstream junk(dir.file("junk.mp1"), std::ios::binary);
        for (int i = 0; i < 5000; ++i)
            junk.put(static_cast<char>(i * 31));
    }
    std::string module = IN_ZEM_FILES;
    DLLInputBuffer_WinAMP buffer(module.data());
    for (std::string bad : {dir.file("empty.w64"), dir.file("junk.mp1"), dir.file("none.au"),
                            dir.path() + "/" + std::string(5000, 'z') + ".au"}) {
        ExpectThrows([&] { buffer.LoadFile(bad.data()); }, "Unable to load file!", false);
    }
    // Still usable.
    const tones::Tone tone{22050, 2, 22050};
    std::string good = dir.file("ok.au");
    ASSERT_TRUE(tones::Write(good, SF_FORMAT_AU | SF_FORMAT_PCM_16, tone));
    // Twice on the same buffer: the second song plays whole as well.
    for (int round = 0; round < 2; ++round) {
        buffer.LoadFile(good.data());
        buffer.Play();
        bool ended = false;
        const std::vector<int16_t> pcm = Heartbeat(buffer, 2940, ended);
        EXPECT_TRUE(ended) << round;
        EXPECT_EQ(pcm.size(), 2u * 22050) << round;
    }
}

TEST(WinampPath, ASecondSongStartsItsClockAfresh) {
    TestDir dir;
    std::string longSong = dir.file("long.wav"), shortSong = dir.file("short.wav");
    ASSERT_TRUE(tones::Write(longSong, SF_FORMAT_WAV | SF_FORMAT_PCM_16, {44100, 2, 10 * 44100}));
    ASSERT_TRUE(tones::Write(shortSong, SF_FORMAT_WAV | SF_FORMAT_PCM_16, {44100, 2, 3 * 44100}));
    std::string module = IN_ZEM_FILES;
    DLLInputBuffer_WinAMP buffer(module.data());
    buffer.LoadFile(longSong.data());
    buffer.Play();
    bool ended = false;
    EXPECT_EQ(Heartbeat(buffer, 5880, ended).size(), 2u * 10 * 44100);
    EXPECT_TRUE(ended);
    buffer.LoadFile(shortSong.data());
    // The output holds at most about a second before the plug-in waits: far from the end of
    // the new song, whatever the old one reached.
    EXPECT_TRUE(buffer.OutputPosAdd(0));
    buffer.Play();
    EXPECT_EQ(Heartbeat(buffer, 5880, ended).size(), 2u * 3 * 44100);
    EXPECT_TRUE(ended);
}

} // namespace
