// The cache file on its own: it reads back what was written, and nothing else.
#include "../../platform/test_dir.h"
#include "app/waveform/wave_cache.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace zem::wave;

namespace {

std::shared_ptr<WaveSummary> Sample() {
    std::vector<int16_t> pcm;
    for (int i = 0; i < 3000; ++i) {
        pcm.push_back(static_cast<int16_t>((i * 37) % 20000 - 10000));
        pcm.push_back(static_cast<int16_t>(-(i * 11) % 9000));
    }
    return SummaryFromSamples(pcm.data(), 3000, 2, 48000);
}

} // namespace

TEST(WaveCache, ReadsBackExactlyWhatWasWritten) {
    TestDir dir;
    const SongStamp stamp{123456, 1700000000123456789};
    auto summary = Sample();
    const std::string path = CacheFilePath(dir.path() + "/Waveforms", "/music/a/song.mp3");
    ASSERT_TRUE(WriteCacheFile(path, EncodeCache(*summary, stamp)));
    auto back = ReadCacheFile(path, stamp);
    ASSERT_NE(back, nullptr);
    EXPECT_TRUE(back->IsComplete());
    EXPECT_EQ(back->SampleRate(), 48000);
    EXPECT_EQ(back->Channels(), 2);
    EXPECT_EQ(back->TotalFrames(), 3000u);
    EXPECT_EQ(back->FramesRead(), 3000u);
    EXPECT_EQ(back->Bins(), summary->Bins());
    // No temporary file is left behind.
    int files = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.path() + "/Waveforms")) {
        (void)e;
        ++files;
    }
    EXPECT_EQ(files, 1);
    // Another stamp: the song changed since.
    EXPECT_EQ(ReadCacheFile(path, {123457, stamp.mtimeNs}), nullptr);
    EXPECT_EQ(ReadCacheFile(path, {stamp.size, stamp.mtimeNs + 1}), nullptr);
}

TEST(WaveCache, RefusesCutChangedAndForeignFiles) {
    const SongStamp stamp{99, 42};
    const std::vector<uint8_t> good = EncodeCache(*Sample(), stamp);
    ASSERT_NE(DecodeCache(good.data(), good.size(), stamp), nullptr);
    for (size_t cut :
         {size_t{0}, size_t{7}, size_t{55}, size_t{60}, good.size() / 2, good.size() - 1})
        EXPECT_EQ(DecodeCache(good.data(), cut, stamp), nullptr) << cut;
    std::vector<uint8_t> longer = good;
    longer.push_back(0);
    EXPECT_EQ(DecodeCache(longer.data(), longer.size(), stamp), nullptr);
    // A changed byte anywhere: magic, version, counts, a bin, the check word.
    for (size_t at : {size_t{0}, size_t{8}, size_t{40}, size_t{48}, size_t{100}, good.size() - 1}) {
        std::vector<uint8_t> bad = good;
        bad[at] ^= 0x10;
        EXPECT_EQ(DecodeCache(bad.data(), bad.size(), stamp), nullptr) << at;
    }
    const std::string text = "[Waveform]\nthis is somebody else's file\n";
    EXPECT_EQ(DecodeCache(reinterpret_cast<const uint8_t*>(text.data()), text.size(), stamp),
              nullptr);
}

TEST(WaveCache, NamesFilesAfterTheSongAndItsFolder) {
    const std::string a = CacheFilePath("/c", "/music/one/Song.Name.mp3");
    const std::string b = CacheFilePath("/c", "/music/two/Song.Name.mp3");
    EXPECT_EQ(a.rfind("/c/Song.Name-", 0), 0u) << a;
    EXPECT_EQ(a.substr(a.size() - 4), ".zwf");
    EXPECT_EQ(a.size(), std::string("/c/Song.Name-").size() + 16 + 4);
    EXPECT_NE(a, b);
    EXPECT_EQ(a, CacheFilePath("/c", "/music/one/Song.Name.mp3"));
}
