// Summaries of real song files decoded by the real plug-ins on the loader's worker thread, and
// the cache beside them.
#include "../../engine/input_modules/tone_files.h"
#include "../../engine/mixer/mixer_rig.h"
#include "app/waveform/wave_cache.h"
#include "app/waveform/wave_summary.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <fstream>

using namespace zem::wave;

namespace {

struct LoaderRig : MixerRig {
    std::string cacheDir;
    std::unique_ptr<WaveSummaryLoader> loader;

    LoaderRig() {
        for (const char* module : {ZEM_IN_SNDFILE, ZEM_IN_MPG123}) {
            std::string path = module;
            EXPECT_EQ(mixer->AddInputBufferModule(path.data()), 1);
        }
        cacheDir = dir.file("Waveforms");
        loader = std::make_unique<WaveSummaryLoader>(*mixer, cacheDir);
    }
    ~LoaderRig() { loader.reset(); }

    std::shared_ptr<const WaveSummary> LoadAll(const std::string& path) {
        auto s = loader->Load(path);
        loader->WaitIdle();
        return s;
    }
};

// What the decoders deliver for a 16-bit tone: its samples exactly.
std::shared_ptr<WaveSummary> Reference(const tones::Tone& t, int64_t frames = -1) {
    if (frames < 0)
        frames = t.frames;
    std::vector<int16_t> pcm;
    for (int64_t i = 0; i < frames; ++i)
        for (int c = 0; c < 2; ++c)
            pcm.push_back(tones::Short(c, i, t.rate));
    return SummaryFromSamples(pcm.data(), static_cast<uint64_t>(frames), 2, t.rate);
}

constexpr int kWav = SF_FORMAT_WAV | SF_FORMAT_PCM_16;

} // namespace

TEST(WaveSummaryLoader, SummarisesARealFileAndCachesIt) {
    LoaderRig rig;
    const tones::Tone tone{44100, 2, 44100 * 3 + 77};
    const std::string song = rig.dir.file("song.wav");
    ASSERT_TRUE(tones::Write(song, kWav, tone));
    auto s = rig.LoadAll(song);
    ASSERT_TRUE(s->IsComplete());
    EXPECT_EQ(s->SampleRate(), 44100);
    EXPECT_EQ(s->Channels(), 2);
    EXPECT_EQ(s->TotalFrames(), static_cast<uint64_t>(tone.frames));
    EXPECT_EQ(s->Bins(), Reference(tone)->Bins());

    // The cache holds it: a second load is complete at once. To be sure it is the cache that
    // answers, the file is replaced by one of other bins with the song's stamp.
    SongStamp stamp;
    ASSERT_TRUE(StatSong(song, stamp));
    const std::string cache = CacheFilePath(rig.cacheDir, song);
    ASSERT_NE(ReadCacheFile(cache, stamp), nullptr);
    const std::vector<int16_t> flat(2 * 512, 0);
    ASSERT_TRUE(
        WriteCacheFile(cache, EncodeCache(*SummaryFromSamples(flat.data(), 512, 2, 8000), stamp)));
    auto again = rig.loader->Load(song);
    EXPECT_TRUE(again->IsComplete());
    EXPECT_EQ(again->SampleRate(), 8000);

    // The song's time changes: the cache no longer counts and the song is read again.
    timespec times[2] = {{0, UTIME_OMIT}, {stamp.mtimeNs / 1000000000 + 5, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, song.c_str(), times, 0), 0);
    auto changed = rig.LoadAll(song);
    ASSERT_TRUE(changed->IsComplete());
    EXPECT_EQ(changed->Bins(), s->Bins());
    // A new song of another length under the same name.
    const tones::Tone shorter{44100, 2, 30000};
    ASSERT_TRUE(tones::Write(song, kWav, shorter));
    auto other = rig.LoadAll(song);
    ASSERT_TRUE(other->IsComplete());
    EXPECT_EQ(other->Bins(), Reference(shorter)->Bins());

    // A corrupt cache file is read past and written anew.
    std::ofstream(cache, std::ios::binary | std::ios::trunc) << "ZEMWAVE garbage";
    auto rebuilt = rig.LoadAll(song);
    ASSERT_TRUE(rebuilt->IsComplete());
    EXPECT_EQ(rebuilt->Bins(), Reference(shorter)->Bins());
    ASSERT_TRUE(StatSong(song, stamp));
    auto fromFile = ReadCacheFile(cache, stamp);
    ASSERT_NE(fromFile, nullptr);
    EXPECT_EQ(fromFile->Bins(), rebuilt->Bins());
}

TEST(WaveSummaryLoader, ACutSongKeepsWhatWasReadAndBadSongsFail) {
    LoaderRig rig;
    const tones::Tone tone{44100, 2, 44100 * 2};
    // A FLAC file states its length in its header; a WAV file's length is what it holds.
    const std::string song = rig.dir.file("cut.flac");
    ASSERT_TRUE(tones::Write(song, SF_FORMAT_FLAC | SF_FORMAT_PCM_16, tone));
    struct stat st {};
    ASSERT_EQ(stat(song.c_str(), &st), 0);
    ASSERT_EQ(truncate(song.c_str(), st.st_size / 2), 0);
    auto s = rig.LoadAll(song);
    EXPECT_TRUE(s->IsFailed());
    EXPECT_FALSE(s->IsComplete());
    const uint64_t read = s->FramesRead();
    EXPECT_GT(read, static_cast<uint64_t>(tone.frames) * 4 / 10);
    EXPECT_LT(read, static_cast<uint64_t>(tone.frames) * 6 / 10);
    // The part that was read is the start of the song, bin for bin.
    const std::vector<WaveBin> whole = Reference(tone, static_cast<int64_t>(read))->Bins();
    EXPECT_EQ(s->Bins(), whole);
    // Failed reads are not cached.
    SongStamp stamp;
    ASSERT_TRUE(StatSong(song, stamp));
    EXPECT_EQ(ReadCacheFile(CacheFilePath(rig.cacheDir, song), stamp), nullptr);

    std::ofstream(rig.dir.file("notes.txt")) << "not a song";
    std::ofstream(rig.dir.file("empty.wav")).close();
    for (const std::string& bad :
         {rig.dir.file("missing.wav"), rig.dir.file("notes.txt"), rig.dir.file("empty.wav")}) {
        auto f = rig.LoadAll(bad);
        EXPECT_TRUE(f->IsFailed()) << bad;
        EXPECT_EQ(f->FramesRead(), 0u) << bad;
    }
}

TEST(WaveSummaryLoader, DecodesMp3ThroughItsPlugin) {
    LoaderRig rig;
    const tones::Tone tone{44100, 2, 44100 * 2};
    const std::string song = rig.dir.file("tone.mp3");
    ASSERT_TRUE(tones::Write(song, SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III, tone));
    auto s = rig.LoadAll(song);
    ASSERT_TRUE(s->IsComplete());
    EXPECT_NEAR(static_cast<double>(s->TotalFrames()), static_cast<double>(tone.frames), 2000);
    // The tone's two channels mix to a peak a little under 0.4 of full scale.
    const std::vector<WaveColumn> c = s->Reduce(0, s->TotalFrames(), 1);
    EXPECT_NEAR(c[0].max, 0.4 * 32767, 0.1 * 32767);
    EXPECT_NEAR(c[0].min, -0.4 * 32767, 0.1 * 32767);
}

TEST(WaveSummaryLoader, SharesAReadAndDropsOneNobodyWants) {
    LoaderRig rig;
    const tones::Tone tone{44100, 2, 44100 * 60};
    const std::string song = rig.dir.file("long.wav");
    ASSERT_TRUE(tones::Write(song, kWav, tone));
    {
        auto a = rig.loader->Load(song);
        auto b = rig.loader->Load(song);
        EXPECT_EQ(a, b);
        // Both windows close before the read ends.
    }
    rig.loader->WaitIdle();
    SongStamp stamp;
    ASSERT_TRUE(StatSong(song, stamp));
    EXPECT_EQ(ReadCacheFile(CacheFilePath(rig.cacheDir, song), stamp), nullptr);
    // Asked for again, it is read to the end; meanwhile it grows from the front.
    auto s = rig.loader->Load(song);
    uint64_t last = 0;
    while (!s->IsDone()) {
        const uint64_t now = s->FramesRead();
        EXPECT_GE(now, last);
        last = now;
        std::this_thread::yield();
    }
    EXPECT_TRUE(s->IsComplete());
    EXPECT_EQ(s->FramesRead(), static_cast<uint64_t>(tone.frames));
}
