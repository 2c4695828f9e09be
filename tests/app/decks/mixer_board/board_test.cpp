// The board over real engine decks: which deck lands where, what the crossfader, the strips
// and the headphone list do to the decks, the fader type, the routed commands, the settings it
// keeps and the master fader.
#include "../../../engine/mixer/song_file.h"
#include "app/decks/mixer_board/board_commands.h"
#include "app/decks/mixer_board/centre_volumes.h"
#include "app/decks/mixer_board/mixer_placement.h"
#include "board_rig.h"
#include "engine/deck/stream_device.h"
#include "engine/foundations/standard_dirs.h"
#include "engine/foundations/zem_exception.h"
#include "engine/mixer/deck_document.h"

#include <cmath>
#include <cstdio>

namespace {

std::vector<int> Channels(const ChannelSelector& s) {
    return s.channels;
}

} // namespace

TEST(BoardChannels, DecksLandOnStripsAndSidesInTheOrderTheyCome) {
    BoardRig rig;
    MixerDevice* decks[4];
    for (auto& d : decks)
        d = rig.AddDeck();
    for (int strip = 0; strip < MixerBoard::kStrips; ++strip) {
        EXPECT_EQ(rig.board->GetStripSelector(strip).selected, strip);
        EXPECT_EQ(Channels(rig.board->GetStripSelector(strip)), (std::vector<int>{0, 1, 2, 3}));
    }
    EXPECT_EQ(rig.board->GetFaderSelector(FaderSide::A).selected, 0);
    EXPECT_EQ(rig.board->GetFaderSelector(FaderSide::B).selected, 1);
    EXPECT_EQ(Channels(rig.board->GetFaderSelector(FaderSide::B)), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(rig.mixer->GetFaderChannelA(), 0);
    EXPECT_EQ(rig.mixer->GetFaderChannelB(), 1);
    // Every new channel starts out of the headphones, in the list and on its output group.
    ASSERT_EQ(rig.board->GetHeadphoneItems().size(), 4u);
    for (int ch = 0; ch < 4; ++ch) {
        EXPECT_EQ(rig.board->GetHeadphoneItems()[ch].channel, ch);
        EXPECT_FALSE(rig.board->GetHeadphoneItems()[ch].selected);
        EXPECT_TRUE(decks[ch]->GetOutputGroup()->GetHeadphoneMute());
    }
    // The deck on the first strip brings its volume to the slider: 70 % is 3000 from the top.
    decks[0]->SetVolume(55, kVChannel0);
    rig.board->SelectStripChannel(0, 0);
    EXPECT_EQ(rig.board->GetStripPosition(0), 4500);
}

TEST(BoardChannels, ARemovedChannelLeavesEveryListAndItsNumberComesBack) {
    BoardRig rig;
    rig.AddDeck();
    MixerDevice* second = rig.AddDeck();
    rig.AddDeck();
    rig.board->SetHeadphoneSelected(1, true);
    rig.mixer->RemoveDevice(second);
    delete second;
    for (int strip = 0; strip < MixerBoard::kStrips; ++strip)
        EXPECT_EQ(Channels(rig.board->GetStripSelector(strip)), (std::vector<int>{0, 2}));
    EXPECT_FALSE(rig.board->GetStripSelector(1).selected);
    EXPECT_FALSE(rig.board->GetFaderSelector(FaderSide::B).selected);
    EXPECT_EQ(Channels(rig.board->GetFaderSelector(FaderSide::A)), (std::vector<int>{0, 2}));
    ASSERT_EQ(rig.board->GetHeadphoneItems().size(), 2u);
    EXPECT_EQ(rig.board->GetHeadphoneItems()[1].channel, 2);
    // The freed number goes to the next deck, which fills the emptied strip and side, and
    // starts muted in the headphones whatever its predecessor was.
    MixerDevice* again = rig.AddDeck();
    EXPECT_EQ(again->GetChannel(), 1);
    EXPECT_EQ(rig.board->GetStripSelector(1).selected, 1);
    EXPECT_EQ(rig.board->GetFaderSelector(FaderSide::B).selected, 1);
    EXPECT_TRUE(rig.mixer->GetHeadphoneMute(1));
}

TEST(BoardChannels, AppMixerReportsToItsListenerOnlyWhileOneIsThere) {
    BoardRig rig(false);
    // Before the board listens, the engine's number is the answer.
    auto* first = new MixerDevice;
    EXPECT_EQ(rig.mixer->AddDevice(first, 88200), 0);
    EXPECT_TRUE(rig.board->GetHeadphoneItems().empty());
    rig.board->InitialUpdate();
    EXPECT_EQ(rig.mixer->GetListener(), rig.board.get());
    auto* second = new MixerDevice;
    EXPECT_EQ(rig.mixer->AddDevice(second, 88200), 1);
    ASSERT_EQ(rig.board->GetHeadphoneItems().size(), 1u);
    EXPECT_EQ(rig.board->GetStripSelector(0).selected, 1);
    // A board that is gone hears nothing more.
    rig.board.reset();
    EXPECT_EQ(rig.mixer->GetListener(), nullptr);
    auto* third = new MixerDevice;
    EXPECT_EQ(rig.mixer->AddDevice(third, 88200), 2);
    rig.mixer->RemoveDevice(first);
    delete first;
}

TEST(BoardChannels, AFailedAddReportsNothing) {
    BoardRig rig;
    // Only channel 0 has a card, so a second deck is refused by the mixer.
    rig.card->GetDevice()->SetChannelAssignment(0, 1);
    rig.AddDeck();
    MixerDevice second;
    EXPECT_THROW(rig.mixer->AddDevice(&second, 88200), ZEMException);
    EXPECT_EQ(rig.board->GetHeadphoneItems().size(), 1u);
    EXPECT_EQ(Channels(rig.board->GetStripSelector(1)), (std::vector<int>{0}));
    EXPECT_FALSE(rig.board->GetStripSelector(1).selected);
    EXPECT_FALSE(rig.board->GetFaderSelector(FaderSide::B).selected);
}

TEST(BoardCrossfader, PositionSetsTheSharesOfTheChosenSides) {
    BoardRig rig;
    MixerDevice* a = rig.AddDeck();
    MixerDevice* b = rig.AddDeck();
    MixerDevice* c = rig.AddDeck();
    rig.board->MoveCrossfader(0);
    EXPECT_EQ(rig.mixer->GetFaderPercent(), -100);
    EXPECT_EQ(rig.Share(a), 100);
    EXPECT_EQ(rig.Share(b), 0);
    EXPECT_EQ(rig.board->GetCrossfaderSelectionStart(), 0);
    EXPECT_EQ(rig.board->GetCrossfaderSelectionEnd(), 100);
    rig.board->MoveCrossfader(150);
    EXPECT_EQ(rig.Share(a), 50);
    EXPECT_EQ(rig.Share(b), 100);
    EXPECT_EQ(rig.board->GetCrossfaderSelectionStart(), 100);
    EXPECT_EQ(rig.board->GetCrossfaderSelectionEnd(), 150);
    // Past the ends the slider stops.
    rig.board->MoveCrossfader(260);
    EXPECT_EQ(rig.board->GetCrossfaderPosition(), 200);
    EXPECT_EQ(rig.mixer->GetFaderPercent(), 100);
    // Another deck on side B takes over at the current position at once.
    rig.board->SelectFaderChannel(FaderSide::B, 2);
    EXPECT_EQ(rig.mixer->GetFaderChannelB(), 2);
    rig.board->MoveCrossfader(0);
    EXPECT_EQ(rig.Share(c), 0);
    EXPECT_EQ(rig.Share(a), 100);
    // An emptied side is -2, which no deck holds; the other side still follows.
    rig.board->SelectFaderChannel(FaderSide::A, std::nullopt);
    EXPECT_EQ(rig.mixer->GetFaderChannelA(), -2);
    rig.board->MoveCrossfader(200);
    EXPECT_EQ(rig.Share(c), 100);
    // A channel the selector does not list selects nothing.
    rig.board->SelectFaderChannel(FaderSide::A, 9);
    EXPECT_FALSE(rig.board->GetFaderSelector(FaderSide::A).selected);
}

TEST(BoardCrossfader, TheBoardsFaderIsHeardOnTheCard) {
    BoardRig rig;
    MixerDevice* a = rig.AddDeck();
    MixerDevice* b = rig.AddDeck();
    for (MixerDevice* d : {a, b})
        d->GetOutputGroup()->SetSynchronizeType(kSyncImmediate);
    // Full level on both strips: the slider's top is volume 100, heard at 99 % (-1 dB).
    rig.board->MoveStripSlider(0, 0);
    rig.board->MoveStripSlider(1, 0);
    auto write = [](MixerDevice* d, short value) {
        unsigned long length = 4 * 8820;
        auto* p = reinterpret_cast<short*>(d->GetOutputGroup()->Lock(length));
        ASSERT_NE(p, nullptr);
        for (unsigned long i = 0; i < 2 * 8820; ++i)
            p[i] = value;
        d->GetOutputGroup()->Unlock(length);
        d->Play();
    };
    write(a, 1000);
    write(b, 3000);
    const double fullShare = std::pow(10.0, -100.0 / 2000.0);
    rig.board->OnCommand(kCmdCrossfader100_0);
    const short* out = rig.card->Advance(2000);
    EXPECT_NEAR(out[2 * 1000], 1000 * fullShare, 2);
    rig.board->OnCommand(kCmdCrossfader0_100);
    out = rig.card->Advance(2000);
    EXPECT_NEAR(out[2 * 1000], 3000 * fullShare, 2);
    // The strip's bottom silences its deck.
    rig.board->MoveStripSlider(1, MixerBoard::kStripMax);
    EXPECT_EQ(b->GetVolume(kVChannel0), 0);
    out = rig.card->Advance(2000);
    EXPECT_NEAR(out[2 * 1000], 0, 2);
}

TEST(BoardStrips, SliderSetsTheChosenDecksVolumeAndChoosingReadsItBack) {
    BoardRig rig;
    MixerDevice* a = rig.AddDeck();
    MixerDevice* b = rig.AddDeck();
    EXPECT_EQ(rig.board->GetStripPosition(0), 3000);
    rig.board->MoveStripSlider(0, 2550); // whole-number division: 74
    EXPECT_EQ(a->GetVolume(kVChannel0), 74);
    EXPECT_EQ(b->GetVolume(kVChannel0), 70);
    rig.board->MoveStripSlider(1, 9999);
    EXPECT_EQ(b->GetVolume(kVChannel0), 0);
    // A strip without a deck keeps its slider and touches nobody.
    rig.board->MoveStripSlider(2, 0);
    EXPECT_EQ(rig.board->GetStripPosition(2), 0);
    EXPECT_EQ(a->GetVolume(kVChannel0), 74);
    EXPECT_EQ(b->GetVolume(kVChannel0), 0);
    // Choosing deck 0 on strip 3 reads its volume; the slider then drives it.
    rig.board->SelectStripChannel(2, 0);
    EXPECT_EQ(rig.board->GetStripPosition(2), 2600);
    rig.board->MoveStripSlider(2, 1000);
    EXPECT_EQ(a->GetVolume(kVChannel0), 90);
    rig.board->SelectStripChannel(2, std::nullopt);
    rig.board->MoveStripSlider(2, 5000);
    EXPECT_EQ(a->GetVolume(kVChannel0), 90);
}

TEST(BoardHeadphones, ListCommandsAndMenuChecksAgreeWithTheDecks) {
    BoardRig rig;
    MixerDevice* a = rig.AddDeck();
    MixerDevice* b = rig.AddDeck();
    rig.board->SetHeadphoneSelected(1, true);
    EXPECT_FALSE(b->GetOutputGroup()->GetHeadphoneMute());
    EXPECT_TRUE(a->GetOutputGroup()->GetHeadphoneMute());
    EXPECT_TRUE(rig.board->IsCommandChecked(kCmdHeadphoneChannel0 + 1));
    EXPECT_FALSE(rig.board->IsCommandChecked(kCmdHeadphoneChannel0));
    EXPECT_TRUE(rig.board->IsCommandChecked(kCmdToggleRightMixerChannel));
    // "Channel 0" from the menu cues deck 0 and the list follows.
    EXPECT_TRUE(rig.board->OnCommand(kCmdHeadphoneChannel0));
    EXPECT_FALSE(a->GetOutputGroup()->GetHeadphoneMute());
    EXPECT_TRUE(rig.board->GetHeadphoneItems()[0].selected);
    // The left fader channel's toggle takes deck 0 out again.
    rig.board->OnCommand(kCmdToggleLeftMixerChannel);
    EXPECT_TRUE(a->GetOutputGroup()->GetHeadphoneMute());
    EXPECT_FALSE(rig.board->GetHeadphoneItems()[0].selected);
    EXPECT_FALSE(rig.board->IsCommandChecked(kCmdToggleLeftMixerChannel));
    // No deck on channel 4, nor on an emptied side: nothing happens, nothing is checked.
    EXPECT_TRUE(rig.board->OnCommand(kCmdHeadphoneChannel4));
    EXPECT_FALSE(rig.board->IsCommandChecked(kCmdHeadphoneChannel4));
    rig.board->SelectFaderChannel(FaderSide::B, std::nullopt);
    rig.board->OnCommand(kCmdToggleRightMixerChannel);
    EXPECT_FALSE(b->GetOutputGroup()->GetHeadphoneMute());
    EXPECT_EQ(rig.board->GetHeadphoneItems().size(), 2u);
    // Someone else muting a deck shows after a refresh.
    rig.mixer->SetHeadphoneMute(1, true);
    EXPECT_TRUE(rig.board->GetHeadphoneItems()[1].selected);
    rig.board->RefreshHeadphones();
    EXPECT_FALSE(rig.board->GetHeadphoneItems()[1].selected);
}

TEST(BoardFaderType, ToggleCyclesTheCentreVolumesAndShowsThem) {
    BoardRig rig;
    MixerDevice* a = rig.AddDeck();
    MixerDevice* b = rig.AddDeck();
    ASSERT_EQ(rig.ui.centerTexts, (std::vector<std::string>{"100% in center"}));
    rig.board->OnCommand(kCmdToggleFaderType);
    EXPECT_EQ(rig.ui.centerTexts.back(), "75% in center");
    EXPECT_FLOAT_EQ(rig.mixer->GetFaderCenterVolume(), 0.75f);
    EXPECT_EQ(rig.Share(a), 75);
    EXPECT_EQ(rig.Share(b), 75);
    rig.board->OnCommand(kCmdToggleFaderType);
    EXPECT_EQ(rig.ui.centerTexts.back(), "50% in center");
    rig.board->OnCommand(kCmdToggleFaderType);
    EXPECT_EQ(rig.ui.centerTexts.back(), "100% in center");
    EXPECT_EQ(rig.board->GetFaderType(), 0);
    EXPECT_EQ(rig.board->GetCenterText(), "100% in center");
    // Applying the type keeps the fader where the mixer has it.
    rig.mixer->SetFaderPercent(40);
    rig.board->ApplyFaderType();
    EXPECT_EQ(rig.board->GetCrossfaderPosition(), 140);
    EXPECT_EQ(rig.Share(a), 60);
}

TEST(BoardFaderType, PercentsThatSinglePrecisionMissShowAsPicked) {
    BoardRig rig;
    std::vector<int> all;
    for (int v = 1; v <= 200; ++v)
        all.push_back(v);
    rig.board->SetCentreVolumes(all);
    for (int v = 1; v <= 200; ++v) {
        EXPECT_EQ(rig.board->GetCenterText(), std::to_string(v) + "% in center");
        rig.board->ToggleFaderType();
    }
}

TEST(BoardFaderType, EditedListsThatNoLongerReachTheTypeFallBackToTheFirst) {
    BoardRig rig;
    rig.board->ToggleFaderType();
    rig.board->ToggleFaderType(); // 50
    rig.board->SetCentreVolumes({100, 75, 60});
    EXPECT_EQ(rig.board->GetFaderType(), 2);
    EXPECT_EQ(rig.board->GetCenterText(), "60% in center");
    rig.board->SetCentreVolumes({80});
    EXPECT_EQ(rig.board->GetFaderType(), 0);
    EXPECT_EQ(rig.board->GetCenterText(), "80% in center");
    // Nothing left: full level in the middle, and toggling stays there.
    rig.board->SetCentreVolumes({});
    EXPECT_EQ(rig.board->GetCenterText(), "100% in center");
    rig.board->ToggleFaderType();
    EXPECT_FLOAT_EQ(rig.mixer->GetFaderCenterVolume(), 1.0f);
}

TEST(BoardCommands, FixedPositionsAndStepsMoveTheFader) {
    BoardRig rig;
    rig.AddDeck();
    rig.AddDeck();
    const int positions[] = {0, 25, 50, 75, 100, 125, 150, 175, 200};
    for (int i = 0; i < 9; ++i) {
        EXPECT_TRUE(rig.board->OnCommand(kCmdCrossfader100_0 + i));
        EXPECT_EQ(rig.board->GetCrossfaderPosition(), positions[i]);
        EXPECT_EQ(rig.mixer->GetFaderPercent(), positions[i] - 100);
    }
    rig.board->MoveCrossfader(199);
    rig.board->OnCommand(kCmdMoveFaderRight);
    EXPECT_EQ(rig.board->GetCrossfaderPosition(), 200);
    rig.board->OnCommand(kCmdMoveFaderRight);
    EXPECT_EQ(rig.board->GetCrossfaderPosition(), 200);
    rig.board->OnCommand(kCmdMoveFaderLeft);
    EXPECT_EQ(rig.board->GetCrossfaderPosition(), 198);
    EXPECT_EQ(rig.mixer->GetFaderPercent(), 98);
    rig.board->MoveCrossfader(1);
    rig.board->OnCommand(kCmdMoveFaderLeft);
    EXPECT_EQ(rig.board->GetCrossfaderPosition(), 0);
    // Commands of others are left to them.
    EXPECT_FALSE(rig.board->OnCommand(kCmdMixerSettings));
    EXPECT_FALSE(rig.board->OnCommand(32815));
    EXPECT_FALSE(rig.board->HandlesCommand(kCmdMixerSettings));
    EXPECT_TRUE(rig.board->HandlesCommand(kCmdStopFaderFading));
}

TEST(BoardSettings, StartReadsTheTypeAndTheFileAndClosingWritesThem) {
    BoardRig rig(false);
    std::ofstream(rig.centreFile) << "[Mixer CF Volumes]\nCF Volume count=2\nVolume 0=100\n"
                                     "Volume 1=60\n";
    rig.store.WriteInt("General mixer settings", "Crossfader type", 1);
    rig.board->InitialUpdate();
    EXPECT_EQ(rig.board->GetCentreVolumes(), (std::vector<int>{100, 60}));
    EXPECT_EQ(rig.ui.centerTexts, (std::vector<std::string>{"60% in center"}));
    rig.board->ToggleFaderType();
    rig.board->SetCentreVolumes({100, 60, 30});
    rig.board->SaveSettings();
    EXPECT_EQ(rig.store.GetInt("General mixer settings", "Crossfader type", -1), 0);
    EXPECT_EQ(ReadCentreVolumes(rig.centreFile), (std::vector<int>{100, 60, 30}));
}

TEST(BoardSettings, ATypeBeyondTheListStartsAtTheFirst) {
    BoardRig rig(false);
    rig.store.WriteInt("General mixer settings", "Crossfader type", 7);
    rig.board->InitialUpdate();
    EXPECT_EQ(rig.board->GetFaderType(), 0);
    EXPECT_EQ(rig.board->GetCenterText(), "100% in center");
}

TEST(BoardPlacement, CornerComesBackAndTheRectangleIsStoredMoved) {
    MemorySettingsStore store;
    const PlacementPoint fresh = RestoredMixerPosition(store, {30, 40});
    EXPECT_EQ(fresh.x, 30);
    EXPECT_EQ(fresh.y, 40);
    StoreMixerPlacement(store, {12, 22, 612, 422});
    EXPECT_EQ(store.GetInt("Desktop placement", "Mixer left", 0), 10);
    EXPECT_EQ(store.GetInt("Desktop placement", "Mixer top", 0), 20);
    EXPECT_EQ(store.GetInt("Desktop placement", "Mixer right", 0), 610);
    EXPECT_EQ(store.GetInt("desktop PLACEMENT", "mixer bottom", 0), 420);
    const PlacementPoint back = RestoredMixerPosition(store, {30, 40});
    EXPECT_EQ(back.x, 10);
    EXPECT_EQ(back.y, 20);
}

TEST(BoardMaster, BoundFaderShowsAndSetsTheSystemVolume) {
    BoardRig rig(false);
    rig.master.min = 0;
    rig.master.max = 65535;
    rig.master.value = 40000;
    rig.board->InitialUpdate();
    ASSERT_TRUE(rig.board->IsMasterBound());
    EXPECT_EQ(rig.board->GetMasterMinimum(), 0);
    EXPECT_EQ(rig.board->GetMasterMaximum(), 65535);
    EXPECT_EQ(rig.board->GetMasterPage(), 6553);
    EXPECT_EQ(rig.board->GetMasterPosition(), 40000);
    rig.board->MoveMasterSlider(12000);
    rig.board->MoveMasterSlider(90000);
    EXPECT_EQ(rig.master.written, (std::vector<long>{12000, 65535}));
}

TEST(BoardMaster, WithoutAControlTheFaderIsInert) {
    BoardRig rig(false);
    rig.store.WriteInt("General mixer settings", "Master Volume device", 3);
    rig.board->InitialUpdate();
    EXPECT_FALSE(rig.board->IsMasterBound());
    EXPECT_FALSE(rig.master.IsBound());
    rig.board->MoveMasterSlider(5000);
    EXPECT_TRUE(rig.master.written.empty());
    EXPECT_EQ(rig.board->GetMasterPosition(), 0);
    // The device that has one binds on the next binding.
    rig.store.WriteInt("General mixer settings", "Master Volume device", 0);
    rig.board->BindMasterFader();
    EXPECT_TRUE(rig.board->IsMasterBound());
}

namespace {

// The program's deck-document hooks: the board refreshes its headphone list when asked.
struct BoardRefreshingUi : DeckDocumentUi {
    MixerBoard* board = nullptr;
    void RefreshMixerBoard() override { board->RefreshHeadphones(); }
    void ShowError(const ZEMException& e) override { ADD_FAILURE() << e.GetMessage(); }
};

} // namespace

TEST(BoardSongs, OpenedSongsFillTheBoardAndClosedOnesLeaveIt) {
    BoardRig rig;
    std::string module = ZEM_IN_SNDFILE;
    ASSERT_EQ(rig.mixer->AddInputBufferModule(module.data()), 1);
    const std::string songA = rig.dir.file("board_song_a.wav");
    const std::string songB = rig.dir.file("board_song_b.wav");
    ASSERT_TRUE(WriteToneWav(songA, 0.5));
    ASSERT_TRUE(WriteToneWav(songB, 0.5));
    // Settings files of earlier runs would bring their volumes along.
    auto zecOf = [](const std::string& song) {
        char buffer[512];
        std::snprintf(buffer, sizeof buffer, "%s", song.c_str());
        FNameToZEC(buffer);
        return std::string(buffer);
    };
    std::remove(zecOf(songA).c_str());
    std::remove(zecOf(songB).c_str());
    BoardRefreshingUi ui;
    ui.board = rig.board.get();
    {
        DeckDocument docA(*rig.mixer, &ui);
        DeckDocument docB(*rig.mixer, &ui);
        ASSERT_TRUE(docA.OpenDocument(songA.c_str()));
        ASSERT_TRUE(docB.OpenDocument(songB.c_str()));
        ASSERT_NE(dynamic_cast<StreamDevice*>(docB.GetDevice()), nullptr);
        EXPECT_EQ(rig.board->GetStripSelector(0).selected, 0);
        EXPECT_EQ(rig.board->GetStripSelector(1).selected, 1);
        EXPECT_EQ(rig.board->GetFaderSelector(FaderSide::A).selected, 0);
        EXPECT_EQ(rig.board->GetFaderSelector(FaderSide::B).selected, 1);
        // Decks open cued in the headphones by default, and the list shows it.
        EXPECT_TRUE(rig.board->GetHeadphoneItems()[0].selected);
        EXPECT_TRUE(rig.board->GetHeadphoneItems()[1].selected);
        rig.board->OnCommand(kCmdCrossfader100_0);
        EXPECT_EQ(docA.GetDevice()->GetRelativeVolume(kVChannel0), 100);
        EXPECT_EQ(docB.GetDevice()->GetRelativeVolume(kVChannel0), 0);
        rig.board->MoveStripSlider(1, 2000);
        EXPECT_EQ(docB.GetDevice()->GetVolume(kVChannel0), 80);
        ASSERT_TRUE(docA.Eject(false));
        EXPECT_EQ(Channels(rig.board->GetStripSelector(0)), (std::vector<int>{1}));
        EXPECT_FALSE(rig.board->GetFaderSelector(FaderSide::A).selected);
    }
    EXPECT_TRUE(rig.board->GetHeadphoneItems().empty());
    std::remove(zecOf(songA).c_str());
    std::remove(zecOf(songB).c_str());
}
