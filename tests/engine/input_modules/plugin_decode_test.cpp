// Our native decoder plug-ins on real files written at test time: samples, lengths, seeks,
// the end of the stream, and bad input.
#include "native_host.h"
#include "tests/platform/test_dir.h"
#include "tone_files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sys/stat.h>

namespace {

struct Case {
    const char* name;
    const char* ext;
    int format;
    tones::Tone tone;
    bool lossless;
    const char* plugin;
};

const Case kCases[] = {
    {"wav16", ".wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, {44100, 2, 30000}, true, ZEM_IN_SNDFILE},
    {"wavMono", ".wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, {22050, 1, 12345}, true, ZEM_IN_SNDFILE},
    {"wav24", ".wav", SF_FORMAT_WAV | SF_FORMAT_PCM_24, {48000, 2, 20000}, true, ZEM_IN_SNDFILE},
    {"wavFloat", ".wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT, {44100, 2, 20000}, true, ZEM_IN_SNDFILE},
    {"wav6ch", ".wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, {44100, 6, 10000}, true, ZEM_IN_SNDFILE},
    {"aiff", ".aiff", SF_FORMAT_AIFF | SF_FORMAT_PCM_16, {44100, 2, 15000}, true, ZEM_IN_SNDFILE},
    {"flac16", ".flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, {44100, 2, 50000}, true, ZEM_IN_SNDFILE},
    {"flac24", ".flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_24, {96000, 1, 30000}, true, ZEM_IN_SNDFILE},
    {"vorbis", ".ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS, {44100, 2, 44100}, false, ZEM_IN_SNDFILE},
    {"opus", ".opus", SF_FORMAT_OGG | SF_FORMAT_OPUS, {48000, 2, 48000}, false, ZEM_IN_SNDFILE},
    {"mp3",
     ".mp3",
     SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III,
     {44100, 2, 44100},
     false,
     ZEM_IN_MPG123},
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

class Decode : public testing::TestWithParam<Case> {};

// Integer formats come back within dither of the 16-bit values; lossy ones close to the tone.
void ExpectMatches(const Case& c, const std::vector<int16_t>& pcm, int64_t offset) {
    const tones::Match m = tones::Compare(c.tone, pcm, offset);
    if (c.lossless) {
        EXPECT_LE(m.maxDiff, 2.0) << c.name << " at " << offset;
    } else {
        EXPECT_LT(m.errorRatio, 0.01) << c.name << " at " << offset;
    }
}

TEST_P(Decode, DeliversTheToneWithItsExactLengthAndEnds) {
    const Case& c = GetParam();
    TestDir dir;
    const std::string path = dir.file(std::string("tone") + c.ext);
    ASSERT_TRUE(tones::Write(path, c.format, c.tone));
    NativeHost host(c.plugin);
    ASSERT_TRUE(host.ok());
    ASSERT_TRUE(host.Load(path));
    EXPECT_EQ(host.format.nChannels, 2);
    EXPECT_EQ(host.format.wBitsPerSample, 16);
    EXPECT_EQ(host.format.nSamplesPerSec, static_cast<uint32_t>(c.tone.rate));
    EXPECT_EQ(host.format.nAvgBytesPerSec, static_cast<uint32_t>(c.tone.rate) * 4);
    EXPECT_EQ(host.Length(), c.tone.frames * 4);
    EXPECT_EQ(host.TotalTime(), c.tone.frames / c.tone.rate);
    const std::vector<int16_t> pcm = host.ReadAll();
    EXPECT_TRUE(host.ended);
    EXPECT_EQ(pcm.size() * 2, host.Length());
    ExpectMatches(c, pcm, 0);
    // The end stays the end.
    uint8_t block[64];
    uint32_t len = sizeof block;
    EXPECT_FALSE(host.table.FillBuffer(host.table.instance, &len, block));
    EXPECT_EQ(len, 0u);
}

TEST_P(Decode, SeeksToWholeFramesAndPlaysOnFromThere) {
    const Case& c = GetParam();
    TestDir dir;
    const std::string path = dir.file(std::string("tone") + c.ext);
    ASSERT_TRUE(tones::Write(path, c.format, c.tone));
    NativeHost host(c.plugin);
    ASSERT_TRUE(host.Load(path));
    host.ReadAll(4000);
    const int64_t target = c.tone.frames / 3 + 7;
    host.Seek(static_cast<uint32_t>(target * 4 + 2)); // not on a frame: rounds down
    EXPECT_EQ(host.table.GetBytesAvailable(host.table.instance) % 4, 0u);
    std::vector<int16_t> pcm = host.ReadAll(4 * 4096);
    ASSERT_EQ(pcm.size(), 2u * 4096);
    ExpectMatches(c, pcm, target);
    // Back to the start, then to the very end.
    host.Seek(0);
    pcm = host.ReadAll(400);
    ExpectMatches(c, pcm, 0);
    host.Seek(host.Length());
    pcm = host.ReadAll();
    EXPECT_TRUE(pcm.empty());
    EXPECT_TRUE(host.ended);
}

INSTANTIATE_TEST_SUITE_P(Formats, Decode, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Case>& i) { return i.param.name; });

TEST(DecoderModules, DescribeThemselvesAsNativeModules) {
    NativeHost snd(ZEM_IN_SNDFILE);
    ASSERT_TRUE(snd.ok());
    EXPECT_EQ(snd.info.type, kModuleTypeNative);
    EXPECT_STREQ(snd.info.extensions, ".wav;.aif;.aiff;.flac;.ogg;.oga;.opus;");
    NativeHost mp(ZEM_IN_MPG123);
    ASSERT_TRUE(mp.ok());
    EXPECT_STREQ(mp.info.extensions, ".mp3;.mp2;");
}

TEST(DecoderModules, RefuseBadFilesWithoutHarm) {
    TestDir dir;
    const tones::Tone tone{44100, 2, 20000};
    const std::string wav = dir.file("good.wav");
    ASSERT_TRUE(tones::Write(wav, SF_FORMAT_WAV | SF_FORMAT_PCM_16, tone));
    std::ofstream(dir.file("empty.wav")).close();
    std::ofstream(dir.file("empty.mp3")).close();
    {
        std::ofstream junk(dir.file("junk.mp3"), std::ios::binary);
        for (int i = 0; i < 20000; ++i)
            junk.put(static_cast<char>((i * 7919) ^ (i >> 3)));
    }
    {
        std::ofstream text(dir.file("notes.flac"));
        text << "this is not a sound file\n";
    }
    const std::string longPath = dir.path() + "/" + std::string(5000, 'x') + ".wav";
    for (const char* plugin : {ZEM_IN_SNDFILE, ZEM_IN_MPG123}) {
        NativeHost host(plugin);
        ASSERT_TRUE(host.ok());
        for (const std::string& bad :
             {dir.file("empty.wav"), dir.file("empty.mp3"), dir.file("junk.mp3"),
              dir.file("notes.flac"), dir.file("missing.wav"), dir.path(), longPath}) {
            EXPECT_FALSE(host.Load(bad)) << plugin << " " << bad;
            uint8_t block[64];
            uint32_t len = sizeof block;
            EXPECT_FALSE(host.table.FillBuffer(host.table.instance, &len, block));
            EXPECT_EQ(len, 0u);
            EXPECT_EQ(host.Length(), 0u);
        }
    }
    // The wrong plug-in for a good file refuses it as well; the right one still takes it.
    NativeHost mp(ZEM_IN_MPG123);
    EXPECT_FALSE(mp.Load(wav));
    NativeHost snd(ZEM_IN_SNDFILE);
    EXPECT_TRUE(snd.Load(wav));
}

TEST(DecoderModules, TruncatedFilePlaysWhatItHoldsAndEnds) {
    TestDir dir;
    const tones::Tone tone{44100, 2, 40000};
    for (const char* ext : {".wav", ".flac"}) {
        const std::string path = dir.file(std::string("cut") + ext);
        ASSERT_TRUE(tones::Write(
            path, (ext[1] == 'w' ? SF_FORMAT_WAV : SF_FORMAT_FLAC) | SF_FORMAT_PCM_16, tone));
        struct stat st {};
        ASSERT_EQ(stat(path.c_str(), &st), 0);
        ASSERT_EQ(truncate(path.c_str(), st.st_size / 2), 0);
        NativeHost host(ZEM_IN_SNDFILE);
        ASSERT_TRUE(host.Load(path)) << ext;
        const std::vector<int16_t> pcm = host.ReadAll();
        EXPECT_TRUE(host.ended) << ext;
        EXPECT_GT(pcm.size(), 2u * 10000) << ext;
        EXPECT_LE(pcm.size() * 2, static_cast<size_t>(host.Length())) << ext;
        // What it plays is the start of the tone.
        std::vector<int16_t> head(pcm.begin(), pcm.begin() + 2 * 10000);
        EXPECT_LE(tones::Compare(tone, head, 0).maxDiff, 0.0) << ext;
    }
}

TEST(DecoderModules, WorkerEndsOnWantStop) {
    TestDir dir;
    const tones::Tone tone{44100, 2, 44100 * 60}; // far more than is read ahead
    const std::string path = dir.file("long.wav");
    ASSERT_TRUE(tones::Write(path, SF_FORMAT_WAV | SF_FORMAT_PCM_16, tone));
    NativeHost host(ZEM_IN_SNDFILE);
    ASSERT_TRUE(host.Load(path));
    host.wantStop.Set();
    zem::SleepMs(50);
    const uint32_t settled = host.table.GetBytesAvailable(host.table.instance);
    // Once stopped, nothing more is decoded even as the deck makes room.
    host.ReadAll(settled);
    zem::SleepMs(50);
    EXPECT_EQ(host.table.GetBytesAvailable(host.table.instance), 0u);
    EXPECT_LT(settled, tone.frames * 4);
}

} // namespace

namespace {

TEST(DecoderModules, DamagedMp3PlaysWhatItCanAndEnds) {
    TestDir dir;
    const tones::Tone tone{44100, 2, 3 * 44100};
    const std::string good = dir.file("good.mp3");
    ASSERT_TRUE(tones::Write(good, SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III, tone));
    struct stat st {};
    ASSERT_EQ(stat(good.c_str(), &st), 0);
    std::ifstream in(good, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), {});

    // Garbage over a stretch in the middle: the decoder resynchronises on the next frame.
    std::string corrupt = bytes;
    for (size_t i = corrupt.size() / 3; i < corrupt.size() / 3 + 700; ++i)
        corrupt[i] = static_cast<char>(i * 131);
    std::ofstream(dir.file("corrupt.mp3"), std::ios::binary) << corrupt;
    // Cut in the middle of a frame.
    std::ofstream(dir.file("cut.mp3"), std::ios::binary) << bytes.substr(0, bytes.size() / 2 + 77);

    for (const char* name : {"corrupt.mp3", "cut.mp3"}) {
        NativeHost host(ZEM_IN_MPG123);
        ASSERT_TRUE(host.Load(dir.file(name))) << name;
        const std::vector<int16_t> pcm = host.ReadAll();
        EXPECT_TRUE(host.ended) << name;
        EXPECT_LE(pcm.size() * 2, host.Length()) << name;
        EXPECT_GT(pcm.size(), 2u * 44100) << name;
        // What plays is the tone; without trustworthy gapless data it may be shifted by up to
        // the encoder's delay.
        std::vector<int16_t> window(pcm.begin() + 2 * 5000, pcm.begin() + 2 * 7048);
        double best = 1e9;
        for (int64_t shift = -2400; shift <= 2400; ++shift)
            best = std::min(best, tones::Compare(tone, window, 5000 + shift).errorRatio);
        EXPECT_LT(best, 0.01) << name;
    }
}

} // namespace

namespace {

// Layer II comes from Debian's twolame encoder, run at test time.
TEST(DecoderModules, Mp2DecodesSeeksAndEnds) {
    if (std::system("command -v twolame >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "twolame is not installed";
    TestDir dir;
    const tones::Tone tone{44100, 2, 2 * 44100};
    const std::string wav = dir.file("tone.wav"), mp2 = dir.file("tone.mp2");
    ASSERT_TRUE(tones::Write(wav, SF_FORMAT_WAV | SF_FORMAT_PCM_16, tone));
    ASSERT_EQ(std::system(("twolame --quiet -b 256 '" + wav + "' '" + mp2 + "'").c_str()), 0);
    NativeHost host(ZEM_IN_MPG123);
    ASSERT_TRUE(host.Load(mp2));
    EXPECT_EQ(host.format.nSamplesPerSec, 44100u);
    // Without gapless data the length is whole frames of 1152, the encoder's delay included.
    EXPECT_EQ(host.Length() % (1152 * 4), 0u);
    EXPECT_GE(host.Length(), tone.frames * 4);
    const std::vector<int16_t> all = host.ReadAll();
    EXPECT_TRUE(host.ended);
    EXPECT_EQ(all.size() * 2, host.Length());
    // The tone, shifted by the encoder's delay.
    std::vector<int16_t> window(all.begin() + 2 * 10000, all.begin() + 2 * 12048);
    double best = 1e9;
    int64_t delay = 0;
    for (int64_t shift = 0; shift <= 2400; ++shift) {
        const double e = tones::Compare(tone, window, 10000 - shift).errorRatio;
        if (e < best) {
            best = e;
            delay = shift;
        }
    }
    EXPECT_LT(best, 0.01);
    // A seek lands on the very frame: it plays what a decode from the start plays there.
    const int64_t target = 50000;
    host.Seek(static_cast<uint32_t>(target * 4));
    const std::vector<int16_t> after = host.ReadAll(4 * 2048);
    ASSERT_EQ(after.size(), 2u * 2048);
    EXPECT_LT(tones::Compare(tone, after, target - delay).errorRatio, 0.01);
}

} // namespace
