// The recorder on a real deck that plays on a hand-driven card: what the card played is what
// lands in the file, in every format, and the file can be read while it is still being written.
#include "../../engine/deck/deck_rig.h"
#include "../framework/memory_profile.h"
#include "app/recorder/level_meter.h"
#include "app/recorder/recorder.h"
#include "app/recorder/recording_name.h"
#include "platform/clock.h"
#include "platform/ui_hooks.h"

#include <sndfile.h>

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <csignal>
#include <cstring>
#include <fstream>
#include <vector>

using namespace zem::rec;

namespace {

std::vector<std::string>& Messages() {
    static std::vector<std::string> messages;
    return messages;
}

std::tm FixedTime() {
    std::tm t{};
    t.tm_year = 2026 - 1900;
    t.tm_mon = 11;
    t.tm_mday = 9;
    t.tm_hour = 21;
    t.tm_min = 30;
    t.tm_sec = 5;
    return t;
}

struct RecRig {
    DeckRig deck{44100 * 6};
    TestDir out;
    MemoryProfile profile;
    Recorder recorder{deck.manager.get(), &profile, {}, FixedTime};

    RecRig() {
        zem::UiHooks hooks;
        hooks.messageBox = [](const char* text) { Messages().emplace_back(text); };
        zem::SetUiHooks(hooks);
        Messages().clear();
        recorder.SetFolder(out.path());
        deck.deck->Play();
    }

    // Waits for the writer to have taken frames frames.
    bool WaitWritten(uint64_t frames) {
        const unsigned long start = zem::ClockMs();
        while (recorder.GetFramesWritten() < frames)
            if (zem::ClockMs() - start > 5000)
                return false;
            else
                zem::SleepMs(5);
        return true;
    }
};

std::vector<short> ReadAll(const std::string& path, SF_INFO& info) {
    info = {};
    SNDFILE* f = sf_open(path.c_str(), SFM_READ, &info);
    if (!f)
        return {};
    std::vector<short> samples(static_cast<size_t>(info.frames) * info.channels);
    sf_readf_short(f, samples.data(), info.frames);
    sf_close(f);
    return samples;
}

// The byte count the WAV header gives for its audio, as a player that finds the file reads it.
uint32_t WavDataBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<char> head(4096);
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    for (size_t at = 12; at + 8 <= static_cast<size_t>(in.gcount());) {
        uint32_t size;
        std::memcpy(&size, &head[at + 4], 4);
        if (std::memcmp(&head[at], "data", 4) == 0)
            return size;
        at += 8 + size + (size & 1);
    }
    return 0;
}

} // namespace

class RecordFormats : public ::testing::TestWithParam<RecordFormat> {};

TEST_P(RecordFormats, TheFileHoldsExactlyWhatTheCardPlayed) {
    RecRig rig;
    ASSERT_NE(rig.deck.group, nullptr);
    rig.deck.group->SetVolume(-600, true); // a mix level of its own, not the source's samples
    rig.deck.Step(3);
    const size_t before = rig.deck.played.size();
    rig.recorder.SetFormat(GetParam());
    ASSERT_TRUE(rig.recorder.Start());
    rig.deck.Step(60);
    rig.recorder.Stop();
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(rig.recorder.GetDroppedFrames(), 0u);

    const std::vector<short> played(rig.deck.played.begin() + before, rig.deck.played.end());
    SF_INFO info;
    const std::vector<short> file = ReadAll(rig.recorder.GetFilePath(), info);
    EXPECT_EQ(info.format, SndfileFormat(GetParam()));
    EXPECT_EQ(info.samplerate, 44100);
    EXPECT_EQ(info.channels, 2);
    ASSERT_EQ(file.size(), played.size());
    EXPECT_TRUE(file == played);
    EXPECT_NE(played[played.size() / 2], 0); // the deck was heard, not silence
    EXPECT_DOUBLE_EQ(rig.recorder.GetElapsedSeconds(), (played.size() / 2) / 44100.0);
    EXPECT_EQ(rig.recorder.GetFileBytes(), std::filesystem::file_size(rig.recorder.GetFilePath()));
}

INSTANTIATE_TEST_SUITE_P(AllFormats, RecordFormats,
                         ::testing::Values(RecordFormat::kWav16, RecordFormat::kWav24,
                                           RecordFormat::kFlac16, RecordFormat::kFlac24),
                         [](const ::testing::TestParamInfo<RecordFormat>& info) {
                             std::string name = FormatLabel(info.param);
                             name.erase(std::remove_if(name.begin(), name.end(),
                                                       [](char c) { return !std::isalnum(c); }),
                                        name.end());
                             return name;
                         });

TEST(Recorder, AFileLeftMidRecordingPlaysUpToTheLastSecondWritten) {
    RecRig rig;
    ASSERT_NE(rig.deck.group, nullptr);
    ASSERT_TRUE(rig.recorder.Start());
    const size_t before = rig.deck.played.size();
    rig.deck.Step(85); // 2.8 s
    const uint64_t frames = (rig.deck.played.size() - before) / 2;
    ASSERT_TRUE(rig.WaitWritten(frames));
    // Read as the program would leave it when killed now: the writer still has it open.
    const std::string path = rig.recorder.GetFilePath();
    uint32_t bytes = 0;
    const unsigned long start = zem::ClockMs();
    while ((bytes = WavDataBytes(path)) < (frames - 44100) * 4 && zem::ClockMs() - start < 5000)
        zem::SleepMs(5);
    EXPECT_GE(bytes, (frames - 44100) * 4);
    EXPECT_LE(bytes, frames * 4);
    SF_INFO info;
    const std::vector<short> file = ReadAll(path, info);
    ASSERT_GE(file.size(), bytes / 2u);
    EXPECT_TRUE(
        std::equal(file.begin(), file.begin() + bytes / 2, rig.deck.played.begin() + before));
    rig.recorder.Stop();
    EXPECT_EQ(WavDataBytes(path), frames * 4);
}

TEST(Recorder, NewRecordingsNeverReplaceAFile) {
    TestDir dir;
    const std::tm t = FixedTime();
    EXPECT_EQ(RecordingBaseName(t), "ZEM 2026-12-09 21-30-05");
    const std::string first = dir.file("ZEM 2026-12-09 21-30-05.wav");
    EXPECT_EQ(UniqueRecordingPath(dir.path(), t, ".wav"), first);
    std::ofstream(first) << "x";
    std::ofstream(dir.file("ZEM 2026-12-09 21-30-05 (2).wav")) << "x";
    EXPECT_EQ(UniqueRecordingPath(dir.path(), t, ".wav"),
              dir.file("ZEM 2026-12-09 21-30-05 (3).wav"));
    EXPECT_EQ(UniqueRecordingPath(dir.path(), t, ".flac"),
              dir.file("ZEM 2026-12-09 21-30-05.flac"));

    // Two recordings in the same second, through the recorder.
    RecRig rig;
    ASSERT_TRUE(rig.recorder.Start());
    rig.deck.Step(2);
    rig.recorder.Stop();
    const std::string a = rig.recorder.GetFilePath();
    const auto sizeA = std::filesystem::file_size(a);
    ASSERT_TRUE(rig.recorder.Start());
    rig.recorder.Stop();
    EXPECT_EQ(a, rig.out.file("ZEM 2026-12-09 21-30-05.wav"));
    EXPECT_EQ(rig.recorder.GetFilePath(), rig.out.file("ZEM 2026-12-09 21-30-05 (2).wav"));
    EXPECT_EQ(std::filesystem::file_size(a), sizeA);
}

TEST(Recorder, FolderAndFormatAreKeptInTheProfile) {
    RecRig rig;
    rig.recorder.SetFormat(RecordFormat::kFlac24);
    Recorder again(rig.deck.manager.get(), &rig.profile);
    EXPECT_EQ(again.GetFolder(), rig.out.path());
    EXPECT_EQ(again.GetFormat(), RecordFormat::kFlac24);
    EXPECT_EQ(rig.profile.GetProfileString("recorder", "folder", ""), rig.out.path());
    MemoryProfile empty;
    EXPECT_EQ(Recorder(nullptr, &empty).GetFolder(), DefaultRecordingFolder());
}

TEST(Recorder, AnUnwritableFolderIsReportedAndPlaybackGoesOn) {
    RecRig rig;
    ASSERT_NE(rig.deck.group, nullptr);
    std::ofstream(rig.out.file("plain-file")) << "x";
    rig.recorder.SetFolder(rig.out.file("plain-file") + "/Recordings");
    EXPECT_FALSE(rig.recorder.Start());
    EXPECT_FALSE(rig.recorder.IsRecording());
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_NE(Messages()[0].find("cannot be created"), std::string::npos) << Messages()[0];
    const size_t before = rig.deck.played.size();
    rig.deck.Step(10);
    EXPECT_GT(rig.deck.played.size(), before);
    EXPECT_NE(rig.deck.played.back(), 0);
    // The master output was left free for the next try.
    rig.recorder.SetFolder(rig.out.path());
    EXPECT_TRUE(rig.recorder.Start());
    rig.recorder.Stop();
}

// A file-size limit makes the disk full for this process: writes beyond it fail as on a full
// disk, and the recording must stop with a message, keep what it wrote, and leave the deck be.
TEST(Recorder, AFullDiskStopsTheRecordingKeepsWhatWasWrittenAndPlaybackGoesOn) {
    RecRig rig;
    ASSERT_NE(rig.deck.group, nullptr);
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit full = old;
    full.rlim_cur = 64 * 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &full), 0);
    ASSERT_TRUE(rig.recorder.Start());
    const unsigned long start = zem::ClockMs();
    while (Messages().empty() && zem::ClockMs() - start < 5000) {
        rig.deck.Step(3);
        rig.recorder.Poll();
        zem::SleepMs(5);
    }
    setrlimit(RLIMIT_FSIZE, &old);
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_NE(Messages()[0].find("The recording stopped"), std::string::npos) << Messages()[0];
    EXPECT_FALSE(rig.recorder.IsRecording());
    SF_INFO info;
    const std::vector<short> file = ReadAll(rig.recorder.GetFilePath(), info);
    EXPECT_GT(info.frames, 44100 / 10);
    EXPECT_LE(std::filesystem::file_size(rig.recorder.GetFilePath()), 64u * 1024);
    const size_t before = rig.deck.played.size();
    rig.deck.Step(10);
    EXPECT_GT(rig.deck.played.size(), before);
    EXPECT_NE(rig.deck.played.back(), 0);
}

TEST(Recorder, TheMasterCopyDropsWhatDoesNotFitAndCountsIt) {
    RecRig rig;
    OutputCapture* capture = rig.deck.manager->OpenMasterCapture();
    ASSERT_NE(capture, nullptr);
    EXPECT_EQ(rig.deck.manager->OpenMasterCapture(), nullptr); // one at a time
    rig.deck.Advance(44100 * 5);
    EXPECT_EQ(capture->GetCaptureBytesAvailable(), 44100u * 4 * 4);
    EXPECT_EQ(capture->GetDroppedFrames(), 44100u);
    rig.deck.manager->CloseMasterCapture(capture);
    EXPECT_NE(rig.deck.manager->OpenMasterCapture(), nullptr);
}

TEST(LevelMeter, SilenceSquareAndSine) {
    unsigned long now = 1000;
    LevelMeter meter([&now] { return now; });
    meter.Reset(2);
    std::vector<int16_t> block(2 * 44100, 0);
    meter.Feed(block.data(), 44100);
    auto levels = meter.Take();
    EXPECT_EQ(levels[0].peak, 0.f);
    EXPECT_EQ(levels[1].rms, 0.f);
    EXPECT_FALSE(levels[0].clip);

    // Left: a -6 dB sine at 1 kHz; right: a full-scale square.
    const double amplitude = 32767.0 * std::pow(10.0, -6.0 / 20.0);
    for (int i = 0; i < 44100; ++i) {
        block[2 * i] =
            static_cast<int16_t>(std::lround(amplitude * std::sin(2 * M_PI * 1000 * i / 44100.0)));
        block[2 * i + 1] = (i / 22) % 2 ? 32767 : -32767;
    }
    meter.Feed(block.data(), 44100);
    levels = meter.Take();
    EXPECT_NEAR(levels[0].peak, 0.5012, 0.001);
    EXPECT_NEAR(levels[0].rms, 0.5012 / std::sqrt(2.0), 0.001);
    EXPECT_FALSE(levels[0].clip);
    EXPECT_NEAR(levels[1].peak, 1.0, 1e-6);
    EXPECT_NEAR(levels[1].rms, 1.0, 1e-6);
    EXPECT_TRUE(levels[1].clip);

    // The clip light holds for two seconds after the last clipped sample.
    std::fill(block.begin(), block.end(), 0);
    now += 1999;
    meter.Feed(block.data(), 100);
    EXPECT_TRUE(meter.Take()[1].clip);
    now += 1;
    meter.Feed(block.data(), 100);
    EXPECT_FALSE(meter.Take()[1].clip);
}
