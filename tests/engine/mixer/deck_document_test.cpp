// Opening and closing songs as the program's deck window does: real WAV files decoded by the
// real plug-in, settings files written and read back in the program directory's ZEC folder.
#include "engine/deck/progress_event.h"
#include "engine/deck/stream_device.h"
#include "engine/foundations/standard_dirs.h"
#include "engine/foundations/zem_exception.h"
#include "engine/mixer/deck_document.h"
#include "engine/mixer/deck_title.h"
#include "mixer_rig.h"
#include "song_file.h"

#include <atomic>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace {

struct RecordingUi : DeckDocumentUi {
    std::vector<std::string> errors, messages, questions;
    bool answer = false;
    std::atomic<int> playStates{0};
    int views = 0, boards = 0;

    void RefreshPlayState(DeckDocument&) override { ++playStates; }
    void RefreshViews(DeckDocument&) override { ++views; }
    void RefreshMixerBoard() override { ++boards; }
    bool AskYesNo(const char* q) override {
        questions.push_back(q);
        return answer;
    }
    void ShowError(const ZEMException& e) override { errors.push_back(e.GetMessage()); }
    void ShowMessage(const char* text) override { messages.push_back(text); }
};

std::string ZecOf(const std::string& song) {
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, "%s", song.c_str());
    FNameToZEC(buffer);
    return buffer;
}

// Songs get their own names so that their settings files do not meet.
struct DocRig : MixerRig {
    RecordingUi ui;
    std::string song;

    DocRig(const std::string& name, double seconds,
           const std::string& profile = "[Playback]\nTiming Method=2\n")
        : MixerRig(profile), song(dir.file(name)) {
        std::remove(ZecOf(song).c_str());
        std::string module = ZEM_IN_SNDFILE;
        EXPECT_EQ(mixer->AddInputBufferModule(module.data()), 1);
        EXPECT_TRUE(WriteToneWav(song, seconds));
    }
    ~DocRig() { std::remove(ZecOf(song).c_str()); }
};

class CountingEvent : public ProgressEvent {
public:
    explicit CountingEvent(int& n) : n_(n) {}
    bool OnProgress(unsigned long) override {
        ++n_;
        return true;
    }

private:
    int& n_;
};

} // namespace

TEST(DeckTitle, MinutesSecondsAndReadOnlyMark) {
    EXPECT_EQ(BuildDeckTitle(2, "song.mp3", 3725, false), "Ch 2: song.mp3 [62:05]");
    EXPECT_EQ(BuildDeckTitle(0, "a.wav", 5, true), "Ch 0: a.wav [00:05] - RO");
    EXPECT_EQ(BuildDeckTitle(11, "b.wav", 6000 * 60 + 59, false), "Ch 11: b.wav [6000:59]");
}

TEST(DeckDocument, OpenAttachesTheDeckWithTheUsersSettings) {
    DocRig rig("open_song.wav", 2.0);
    DeckDocument doc(*rig.mixer, &rig.ui);
    ASSERT_TRUE(doc.OpenDocument(rig.song.c_str()))
        << (rig.ui.errors.empty() ? "" : rig.ui.errors[0]);
    MixerDevice* deck = doc.GetDevice();
    ASSERT_NE(deck, nullptr);
    EXPECT_EQ(rig.mixer->GetChannel(0), deck);
    EXPECT_EQ(doc.GetTitle(), "Ch 0: open_song.wav [00:02]");
    EXPECT_EQ(std::string(doc.GetPathName()), rig.song);
    // Defaults: headphone cue on, three-band equalizer active and enabled, 60 KiB blocks,
    // 1.5 s of output buffer.
    EXPECT_FALSE(rig.mixer->GetHeadphoneMute(0));
    EXPECT_EQ(deck->GetActiveEqualizer(), deck->GetEqualizer(3));
    EXPECT_TRUE(deck->GetEqualizerEnabled());
    EXPECT_EQ(deck->GetOutputBlockSize(), 60u * 1024u);
    EXPECT_EQ(deck->GetOutputGroup()->GetBufferBytes(), 264600u);
    EXPECT_EQ(rig.ui.boards, 1);
    EXPECT_EQ(rig.ui.views, 1);
    // Without a deck the given title stays.
    DeckDocument empty(*rig.mixer, &rig.ui);
    empty.SetTitle("Untitled");
    EXPECT_EQ(empty.GetTitle(), "Untitled");
}

TEST(DeckDocument, ProfileSettingsChangeTheOpen) {
    DocRig rig("settings_song.wav", 1.0,
               "[Playback]\nTiming Method=2\nBlock size (k)=8\nBuffer size=500\n"
               "On open headphone cue=0\n[Equalizer]\nUse three channel EQ=0\n"
               "EQ Enabled on load=0\n");
    DeckDocument doc(*rig.mixer, &rig.ui);
    ASSERT_TRUE(doc.OpenDocument(rig.song.c_str()));
    MixerDevice* deck = doc.GetDevice();
    EXPECT_EQ(deck->GetOutputBlockSize(), 8u * 1024u);
    EXPECT_EQ(deck->GetOutputGroup()->GetBufferBytes(), 88200u);
    EXPECT_EQ(deck->GetActiveEqualizer(), deck->GetEqualizer(10));
    EXPECT_FALSE(deck->GetEqualizerEnabled());
    EXPECT_EQ(rig.ui.boards, 0);
}

TEST(DeckDocument, PlaybackSettingsTooSmallAreRaisedAndLogged) {
    DocRig rig("tiny_buffer_song.wav", 1.0,
               "[Playback]\nTiming Method=2\nBlock size (k)=1\nBuffer size=20\n");
    DeckDocument doc(*rig.mixer, &rig.ui);
    ASSERT_TRUE(doc.OpenDocument(rig.song.c_str()));
    MixerDevice* deck = doc.GetDevice();
    EXPECT_EQ(deck->GetOutputBlockSize(), 6u * 1024u); // one tick of 44.1 kHz stereo
    EXPECT_EQ(deck->GetOutputGroup()->GetBufferBytes(), 16756u); // 95 ms in whole frames
    std::ifstream log(std::string(ZEM_GetZEMPath(0)) + "/Zemerr.log");
    const std::string text((std::istreambuf_iterator<char>(log)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("tiny_buffer_song.wav were raised: \"Buffer size\" 20 to 95 ms, "
                        "\"Block size (k)\" 1 to 6"),
              std::string::npos);
}

TEST(DeckDocument, UnknownFormatAndUnplayableChannelFailWithoutADeck) {
    DocRig rig("fail_song.wav", 1.0);
    DeckDocument doc(*rig.mixer, &rig.ui);
    const std::string unknown = rig.dir.file("song.xyz");
    std::ofstream(unknown) << "not audio";
    EXPECT_FALSE(doc.OpenDocument(unknown.c_str()));
    ASSERT_EQ(rig.ui.errors.size(), 1u);
    EXPECT_EQ(rig.ui.errors[0], "Unknown format!");
    EXPECT_EQ(doc.GetDevice(), nullptr);
    try {
        doc.RunOpenSequence(rig.dir.file("noextension").c_str());
        ADD_FAILURE() << "no exception";
    } catch (const ZEMException& e) {
        EXPECT_STREQ(e.GetMessage(), "Unknown format!");
        EXPECT_FALSE(e.IsFatal());
        EXPECT_EQ(e.GetCode(), 0);
    }
    // A known type that the plug-in cannot decode.
    const std::string broken = rig.dir.file("broken.wav");
    std::ofstream(broken) << "RIFF garbage";
    EXPECT_FALSE(doc.OpenDocument(broken.c_str()));
    EXPECT_EQ(doc.GetDevice(), nullptr);
    EXPECT_EQ(rig.mixer->GetNumDevices(), 0);
    // Channel 0 has no card: the mixer's message, and nothing stays attached.
    rig.clock->GetDevice()->SetChannelAssignment(5, 1);
    EXPECT_FALSE(doc.OpenDocument(rig.song.c_str()));
    EXPECT_EQ(rig.ui.errors.back().rfind("Unable to create output group...", 0), 0u);
    EXPECT_EQ(doc.GetDevice(), nullptr);
    EXPECT_EQ(rig.mixer->GetNumDevices(), 0);
}

TEST(DeckDocument, EjectSavesTheSettingsAndTheNextOpenReadsThem) {
    DocRig rig("cue_song.wav", 2.0);
    {
        DeckDocument doc(*rig.mixer, &rig.ui);
        ASSERT_TRUE(doc.OpenDocument(rig.song.c_str()));
        doc.GetDevice()->StoreStoredPosition(3, 17640, 0);
        doc.GetDevice()->StoreStoredPosition(3, 35280, 1);
        EXPECT_TRUE(doc.Eject(true));
        EXPECT_EQ(doc.GetDevice(), nullptr);
        EXPECT_EQ(rig.mixer->GetNumDevices(), 0);
    }
    std::ifstream zec(ZecOf(rig.song));
    ASSERT_TRUE(zec.good());
    DeckDocument again(*rig.mixer, &rig.ui);
    ASSERT_TRUE(again.OpenDocument(rig.song.c_str()));
    StoredPosition* cue = again.GetDevice()->GetStoredPosition(3);
    EXPECT_EQ(cue->start.load(), 17640);
    EXPECT_EQ(cue->end.load(), 35280);
    EXPECT_TRUE(rig.ui.messages.empty());
}

TEST(DeckDocument, ReadOnlySettingsMarkTheTitle) {
    DocRig rig("ro_song.wav", 3.0);
    std::ofstream(ZecOf(rig.song)) << "[Version Info]\nVersion=3.0\n[ZEC Info]\nRead only=1\n";
    DeckDocument doc(*rig.mixer, &rig.ui);
    ASSERT_TRUE(doc.OpenDocument(rig.song.c_str()));
    EXPECT_EQ(doc.GetTitle(), "Ch 0: ro_song.wav [00:03] - RO");
}

TEST(DeckDocument, PlayingDeckAsksBeforeEjecting) {
    DocRig rig("play_song.wav", 2.0, "[Playback]\nTiming Method=2\nOn open goto cue 0=0\n");
    DeckDocument doc(*rig.mixer, &rig.ui);
    ASSERT_TRUE(doc.OpenDocument(rig.song.c_str()));
    doc.GetDevice()->Play();
    EXPECT_TRUE(doc.GetDevice()->IsPlaying());
    EXPECT_EQ(rig.ui.playStates.load(), 1);
    rig.ui.answer = false;
    EXPECT_FALSE(doc.Eject(true));
    ASSERT_EQ(rig.ui.questions.size(), 1u);
    EXPECT_EQ(rig.ui.questions[0],
              "This device is still playing.  Are you sure want to eject the current song?");
    EXPECT_NE(doc.GetDevice(), nullptr);
    EXPECT_TRUE(doc.GetDevice()->IsPlaying());
    // Without asking (the program's exit) it goes at once.
    EXPECT_TRUE(doc.Eject(false));
    EXPECT_EQ(rig.ui.questions.size(), 1u);
    EXPECT_EQ(doc.GetDevice(), nullptr);
}

TEST(DeckDocument, EjectKeepsOnlyTheShutdownEvents) {
    DocRig rig("event_song.wav", 2.0);
    DeckDocument doc(*rig.mixer, &rig.ui);
    ASSERT_TRUE(doc.OpenDocument(rig.song.c_str()));
    auto* stream = dynamic_cast<StreamDevice*>(doc.GetDevice());
    ASSERT_NE(stream, nullptr);
    int positional = 0, endOfSong = 0, shutdown = 0;
    stream->AddProgressEvent(new CountingEvent(positional), 1000000);
    stream->AddProgressEvent(new CountingEvent(endOfSong), ProgressEvent::kTriggerEndOfSong);
    stream->AddProgressEvent(new CountingEvent(shutdown), ProgressEvent::kTriggerShutdown);
    EXPECT_TRUE(doc.Eject(false));
    EXPECT_EQ(shutdown, 1);
    EXPECT_EQ(positional, 0);
    EXPECT_EQ(endOfSong, 0);
}

TEST(DeckDocument, LoadAnotherKeepsTheSongWhenTheNewOneIsUnknown) {
    DocRig rig("first_song.wav", 1.0);
    const std::string second = rig.dir.file("second_song.wav");
    ASSERT_TRUE(WriteToneWav(second, 2.0));
    DeckDocument doc(*rig.mixer, &rig.ui);
    ASSERT_TRUE(doc.OpenDocument(rig.song.c_str()));
    MixerDevice* first = doc.GetDevice();
    EXPECT_THROW(doc.LoadAnother(rig.dir.file("x.unknown").c_str()), ZEMException);
    EXPECT_EQ(doc.GetDevice(), first);
    EXPECT_TRUE(doc.LoadAnother(second.c_str()));
    EXPECT_EQ(doc.GetTitle(), "Ch 0: second_song.wav [00:02]");
    std::remove(ZecOf(second).c_str());
}

TEST(DeckDocument, UnwritableSettingsAreReported) {
    DocRig rig("locked_song.wav", 1.0);
    DeckDocument doc(*rig.mixer, &rig.ui);
    ASSERT_TRUE(doc.OpenDocument(rig.song.c_str()));
    // A directory where the settings file should be cannot be written as a file.
    const std::string zec = ZecOf(rig.song);
    std::remove(zec.c_str());
    ASSERT_EQ(mkdir(zec.c_str(), 0755), 0);
    EXPECT_TRUE(doc.Eject(false));
    rmdir(zec.c_str());
    ASSERT_EQ(rig.ui.messages.size(), 1u);
    EXPECT_EQ(rig.ui.messages[0], "Unable to save the song's settings to " + zec);
}
