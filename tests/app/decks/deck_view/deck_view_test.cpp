// The deck document and window as the program opens them: a real WAV song through a deck
// template into a real deck of the program's mixer on a hand-driven card, clicked with QTest.
#include "../../../engine/mixer/song_file.h"
#include "../../../platform/test_dir.h"
#include "app/decks/app_context.h"
#include "app/decks/deck_view/deck_dialogs.h"
#include "app/decks/deck_view/deck_factories.h"
#include "app/decks/deck_view/deck_frame.h"
#include "app/decks/deck_view/mixer_device_view.h"
#include "app/decks/deck_view/zem_doc.h"
#include "app/decks/deck_window/deck_commands.h"
#include "app/decks/deck_window/tempo_tap.h"
#include "app/decks/mixer_board/app_mixer.h"
#include "app/framework/zem_doc_manager.h"
#include "app/framework/zem_doc_template.h"
#include "contracts/soundrail.h"
#include "engine/deck/mixer_device.h"
#include "engine/deck/stream_device.h"
#include "engine/foundations/standard_dirs.h"
#include "engine/foundations/user_interface.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

std::vector<std::string> g_messages;

void RecordMessage(const char* text) {
    g_messages.emplace_back(text);
}

std::string ZecOf(const std::string& song) {
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, "%s", song.c_str());
    FNameToZEC(buffer);
    return buffer;
}

// The program's parts as the application object sets them up, on a card driven by hand.
struct DeckViewRig {
    TestDir dir;
    std::unique_ptr<AppMixer> mixer;
    ManualOutputClock* clock = nullptr;
    ProgramProfile profile;
    QMdiArea workspace;
    ZemDocManager documents;
    std::vector<std::string> songs;

    explicit DeckViewRig(const std::string& settings = "") {
        const std::string path = dir.file("ZEM.ini");
        // Timing method 2 gives decks no driver: nothing plays behind the test's back.
        std::ofstream(path) << "[Playback]\nTiming Method=2\n" << settings;
        setenv("ZEM_PROFILE", path.c_str(), 1);
        OutputDevice::SetGeneralConfigPath(dir.path().c_str());
        mixer = std::make_unique<AppMixer>(nullptr);
        clock = mixer->GetOutputManager()->AddManualDevice("Test card", 2, 44100);
        std::string module = ZEM_IN_SNDFILE;
        EXPECT_EQ(mixer->AddInputBufferModule(module.data()), 1);
        g_messages.clear();
        zem::UiHooks hooks;
        hooks.messageBox = RecordMessage;
        ZEM_SetUserInterfaceHooks(hooks);
        workspace.resize(1000, 700);
        documents.SetWorkspace(&workspace);
        documents.SetProfile(&profile);
        documents.AddDocTemplate(
            std::make_unique<ZemDocTemplate>(1, "\nDeck\n\nWAV files (*.wav)\n.wav\nZEM.Deck\nDeck",
                                             NewDeckDocument, NewDeckFrame, NewDeckView));
        AppContext().mixer = mixer.get();
        AppContext().documents = &documents;
        AppContext().workspace = &workspace;
        AppContext().profile = &profile;
    }
    ~DeckViewRig() {
        documents.CloseAllDocuments(true);
        AppContext() = ZemAppContext();
        ZEM_SetUserInterfaceHooks(zem::UiHooks());
        CDeckFrame::SetCloseQuestion(nullptr);
        for (const std::string& song : songs)
            std::remove(ZecOf(song).c_str());
        mixer.reset();
        unsetenv("ZEM_PROFILE");
    }

    std::string Song(const std::string& name, double seconds) {
        const std::string path = dir.file(name);
        EXPECT_TRUE(WriteToneWav(path, seconds));
        std::remove(ZecOf(path).c_str());
        songs.push_back(path);
        return path;
    }

    CZEMDoc* Open(const std::string& path) {
        auto* doc =
            dynamic_cast<CZEMDoc*>(documents.OpenDocumentFile(QString::fromStdString(path)));
        if (doc)
            Settle(doc);
        return doc;
    }

    // Lets the heartbeat carry out the open's reposition, which a start waits for.
    void Settle(CZEMDoc* doc) {
        auto* stream = dynamic_cast<StreamDevice*>(doc->GetDevice());
        ASSERT_NE(stream, nullptr);
        for (int i = 0; i < 3; ++i) {
            stream->Tick();
            clock->Advance(1455);
        }
    }
};

template <class W> W* Child(QWidget* view, const char* name) {
    W* w = view->findChild<W*>(QString::fromUtf8(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

// A drag enters the window, then drops: Qt hands the drop to the widget that took the enter.
void Drop(QWidget* view, const QMimeData& data) {
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view, &drop);
}

} // namespace

TEST(DeckView, OpenedSongPlaysFromThePlayButton) {
    DeckViewRig rig;
    CZEMDoc* doc = rig.Open(rig.Song("play_song.wav", 2.0));
    ASSERT_NE(doc, nullptr) << (g_messages.empty() ? "" : g_messages[0]);
    MixerDevice* deck = doc->GetDevice();
    ASSERT_NE(deck, nullptr);
    EXPECT_EQ(rig.mixer->GetChannel(0), deck);
    EXPECT_EQ(doc->GetTitle(), "Ch 0: play_song.wav [00:02]");
    ASSERT_EQ(rig.workspace.subWindowList().size(), 1);
    EXPECT_EQ(rig.workspace.subWindowList()[0]->windowTitle(), doc->GetTitle());

    CMixerDeviceView* view = doc->GetDeckView();
    ASSERT_NE(view, nullptr);
    auto* play = Child<QPushButton>(view, "playButton");
    QTest::mouseClick(play, Qt::LeftButton);
    EXPECT_TRUE(deck->IsPlaying());
    EXPECT_EQ(play->text(), "Pause");

    // A stop from another thread (the heartbeat at the end of the song) reaches the button
    // through the user-interface thread's queue.
    std::thread([deck] { deck->Stop(); }).join();
    EXPECT_FALSE(deck->IsPlaying());
    EXPECT_EQ(play->text(), "Pause");
    QCoreApplication::processEvents();
    EXPECT_EQ(play->text(), "Play");

    // The deck commands route to the view.
    EXPECT_TRUE(view->OnCommand(zem::deckwin::kCmdPlayPause));
    EXPECT_TRUE(deck->IsPlaying());
    EXPECT_FALSE(view->OnCommand(kCommandFileNew));
}

TEST(DeckView, CueButtonsStoreClearAndMarkLoops) {
    DeckViewRig rig;
    CZEMDoc* doc = rig.Open(rig.Song("cue_song.wav", 2.0));
    ASSERT_NE(doc, nullptr);
    MixerDevice* deck = doc->GetDevice();
    CMixerDeviceView* view = doc->GetDeckView();
    auto* cue3 = Child<QPushButton>(view, "cue3");
    ASSERT_EQ(deck->GetStoredPosition(3)->start.load(), -1);
    QTest::mouseClick(cue3, Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(deck->GetStoredPosition(3)->start.load(), static_cast<long>(deck->GetPosition()));
    QTest::mouseClick(cue3, Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(deck->GetStoredPosition(3)->start.load(), -1);

    // A cue with an end after its start loops, and the slider shows the span.
    deck->StoreStoredPosition(5, 44100, 0);
    deck->StoreStoredPosition(5, 88200, 1);
    QTest::mouseClick(Child<QPushButton>(view, "cue5"), Qt::LeftButton);
    EXPECT_EQ(deck->GetLoopSlot(), 5);
    EXPECT_TRUE(view->GetLogic().GetLoopMark().shown);
    // An eighth and a quarter of the 2 s song.
    EXPECT_EQ(view->GetLogic().GetLoopMark().from, 3750);
    EXPECT_EQ(view->GetLogic().GetLoopMark().to, 7500);
    QTest::mouseClick(Child<QPushButton>(view, "clearLoopButton"), Qt::LeftButton);
    EXPECT_NE(deck->GetLoopSlot(), 5);
    EXPECT_FALSE(view->GetLogic().GetLoopMark().shown);

    // Ejecting writes the stored cue into the song's settings file.
    deck->StoreStoredPosition(7, 1000, 0);
    const std::string song = doc->GetPathName().toStdString();
    rig.documents.CloseAllDocuments(false);
    EXPECT_EQ(rig.documents.GetOpenDocumentCount(), 0);
    EXPECT_EQ(rig.mixer->GetNumDevices(), 0);
    std::ifstream zec(ZecOf(song));
    EXPECT_TRUE(zec.good());
}

TEST(DeckView, ReadoutPitchSliderAndTimeMode) {
    DeckViewRig rig;
    CZEMDoc* doc = rig.Open(rig.Song("readout_song.wav", 2.0));
    ASSERT_NE(doc, nullptr);
    MixerDevice* deck = doc->GetDevice();
    CMixerDeviceView* view = doc->GetDeckView();
    auto* readout = Child<QLabel>(view, "readout");
    view->RefreshDisplay();
    EXPECT_EQ(readout->text(), "BPM: 0.00(0.00%)\nTime: 0:00.00 (TE)");
    QTest::mouseClick(Child<QPushButton>(view, "timeModeButton"), Qt::LeftButton);
    EXPECT_EQ(readout->text(), "BPM: 0.00(0.00%)\nTime: 0:02.00 (TL)");

    // The top of the pitch slider is the own rate plus 15 %.
    auto* pitch = Child<QSlider>(view, "pitchSlider");
    EXPECT_EQ(pitch->value(), 500);
    pitch->setFocus();
    QTest::keyClick(pitch, Qt::Key_End);
    EXPECT_EQ(deck->GetPitch(), 50715u);
    EXPECT_EQ(readout->text(), "BPM: 0.00(+15.00%)\nTime: 0:02.00 (TL)");
    // A fine step moves the slider with the rate.
    view->ExecuteDeckCommand(zem::deckwin::kCmdPitchTo100, Qt::NoModifier);
    EXPECT_EQ(deck->GetPitch(), 44100u);
    EXPECT_EQ(pitch->value(), 500);
}

TEST(DeckView, UnknownFileGivesTheMessageAndNoDocument) {
    DeckViewRig rig;
    const std::string bad = rig.dir.file("song.xyz");
    std::ofstream(bad) << "not audio";
    EXPECT_EQ(rig.Open(bad), nullptr);
    ASSERT_EQ(g_messages.size(), 1u);
    EXPECT_EQ(g_messages[0], "Unknown format!");
    EXPECT_EQ(rig.documents.GetOpenDocumentCount(), 0);
    EXPECT_TRUE(rig.workspace.subWindowList().isEmpty());
    EXPECT_EQ(rig.mixer->GetNumDevices(), 0);
}

TEST(DeckView, DroppedFileLoadsIntoThisDeck) {
    DeckViewRig rig;
    CZEMDoc* doc = rig.Open(rig.Song("first_song.wav", 1.0));
    ASSERT_NE(doc, nullptr);
    const std::string second = rig.Song("second_song.wav", 3.0);
    CMixerDeviceView* view = doc->GetDeckView();
    QMimeData data;
    data.setText(QString::fromStdString(second + "|other.wav|"));
    Drop(view, data);
    EXPECT_EQ(doc->GetTitle(), "Ch 0: second_song.wav [00:03]");
    EXPECT_EQ(rig.workspace.subWindowList()[0]->windowTitle(), doc->GetTitle());
    EXPECT_EQ(doc->GetPathName().toStdString(), second);
    EXPECT_EQ(view->GetLogic().GetTotalTime(), 3);
    EXPECT_EQ(rig.mixer->GetNumDevices(), 1);

    // An unknown file keeps the song and says why.
    data.setText(QStringLiteral("/nowhere/clip.xyz"));
    Drop(view, data);
    ASSERT_EQ(g_messages.size(), 1u);
    EXPECT_EQ(g_messages[0], "Unknown format!");
    EXPECT_EQ(doc->GetTitle(), "Ch 0: second_song.wav [00:03]");
}

TEST(DeckView, ClosingAPlayingDeckAsksAndThePlacementIsKept) {
    DeckViewRig rig;
    CZEMDoc* doc = rig.Open(rig.Song("close_song.wav", 1.0));
    ASSERT_NE(doc, nullptr);
    std::vector<QString> asked;
    bool answer = false;
    CDeckFrame::SetCloseQuestion([&](QWidget*, const QString& title, const QString& text) {
        asked.push_back(title + "|" + text);
        return answer;
    });
    doc->GetDevice()->Play();
    auto* frame = dynamic_cast<CDeckFrame*>(rig.workspace.subWindowList()[0]);
    ASSERT_NE(frame, nullptr);
    frame->move(40, 30);
    EXPECT_FALSE(frame->close());
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], "Confirm close|This device is still playing.  Are you sure you want to "
                        "close?");
    EXPECT_EQ(rig.documents.GetOpenDocumentCount(), 1);

    answer = true;
    frame->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(rig.documents.GetOpenDocumentCount(), 0);
    EXPECT_EQ(rig.mixer->GetNumDevices(), 0);
    EXPECT_EQ(rig.profile.GetProfileInt("Desktop placement", "Channel 0 Left", -1), 40);
    EXPECT_EQ(rig.profile.GetProfileInt("Desktop placement", "Channel 0 Top", -1), 30);

    // The next deck window on that channel comes back there, in its own size.
    CZEMDoc* again = rig.Open(rig.Song("close_song2.wav", 1.0));
    ASSERT_NE(again, nullptr);
    const QRect placed = rig.workspace.subWindowList()[0]->geometry();
    EXPECT_EQ(placed.topLeft(), QPoint(40, 30));
}

TEST(DeckView, MenuHoldsEveryDeckCommandAndNothingIsClipped) {
    DeckViewRig rig;
    CZEMDoc* doc = rig.Open(rig.Song("menu_song.wav", 1.0));
    ASSERT_NE(doc, nullptr);
    CMixerDeviceView* view = doc->GetDeckView();
    std::vector<std::string> texts;
    for (QAction* a : view->GetDeckMenu()->actions())
        texts.push_back(a->text().toStdString());
    std::vector<std::string> expected;
    for (const zem::deckwin::DeckMenuCommand& c : zem::deckwin::DeckMenuCommands())
        if (c.text)
            expected.emplace_back(c.text);
    EXPECT_EQ(texts, expected);
    // Check marks follow the logic.
    view->ExecuteDeckCommand(zem::deckwin::kCmdPitchBendOn, Qt::NoModifier);
    view->UpdateDeckMenu();
    QAction* bend = nullptr;
    for (QAction* a : view->GetDeckMenu()->actions())
        if (a->data().toInt() == zem::deckwin::kCmdPitchBendOn)
            bend = a;
    ASSERT_NE(bend, nullptr);
    EXPECT_TRUE(bend->isChecked());
    EXPECT_TRUE(Child<QWidget>(view, "bendSwitch")->property("checked").toBool());

    // In its default size every control gets at least the room it asks for.
    QWidget* frame = rig.workspace.subWindowList()[0];
    frame->show();
    QCoreApplication::processEvents();
    for (QWidget* w : view->findChildren<QWidget*>()) {
        if (!w->isVisible() || qobject_cast<QMenu*>(w))
            continue;
        if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            // A button's text and icon fit inside it.
            const int icon = button->icon().isNull() ? 0 : button->iconSize().width() + 4;
            EXPECT_GE(button->width(),
                      button->fontMetrics().horizontalAdvance(button->text()) + icon + 8)
                << w->objectName().toStdString();
            continue;
        }
        const QSize least = w->minimumSizeHint();
        EXPECT_GE(w->width(), least.width()) << w->objectName().toStdString();
        EXPECT_GE(w->height(), least.height()) << w->objectName().toStdString();
    }
    view->grab().save(QStringLiteral("deck_window.png"));
}

TEST(DeckView, FadeAndNotesDialogsChangeTheDeck) {
    DeckViewRig rig;
    CZEMDoc* doc = rig.Open(rig.Song("dialog_song.wav", 1.0));
    ASSERT_NE(doc, nullptr);
    CMixerDeviceView* view = doc->GetDeckView();
    MixerDevice* deck = view->GetDevice();
    // The dialog is modal: the answer comes from the event loop it runs.
    bool answered = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<FadePitchDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->GetMode(), 1); // no tempo: a percentage
        dialog->SetValues(50, 1, 0);
        answered = true;
        dialog->accept();
    });
    view->ExecuteDeckCommand(zem::deckwin::kCmdFadePitchTo, Qt::NoModifier);
    EXPECT_TRUE(answered);
    EXPECT_EQ(deck->GetPitch(), 22050u);
    EXPECT_EQ(Child<QSlider>(view, "pitchSlider")->value(), 0); // held at the slider's end

    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<NotesDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->GetEditor()->setPlainText(QStringLiteral("Mix out at the break"));
        dialog->accept();
    });
    QTest::mouseClick(Child<QPushButton>(view, "notesButton"), Qt::LeftButton);
    EXPECT_STREQ(deck->GetNotesText(), "Mix out at the break");
}

TEST(DeckSettingsModel, OtherDecksTempoAndMatching) {
    DeckViewRig rig;
    CZEMDoc* a = rig.Open(rig.Song("tempo_a.wav", 1.0));
    CZEMDoc* b = rig.Open(rig.Song("tempo_b.wav", 1.0));
    ASSERT_TRUE(a && b);
    zem::deckwin::StoreTappedTempo(*a->GetDevice(), 120);
    zem::deckwin::StoreTappedTempo(*b->GetDevice(), 132);
    zem::deckview::DeckSettingsModel model(*a->GetDevice());
    EXPECT_EQ(zem::deckview::DeckSettingsModel::TempoText(*a->GetDevice()), "120.00(120.00)");
    const std::vector<zem::deckview::OtherDeck> others = model.OtherDecks();
    ASSERT_EQ(others.size(), 1u);
    EXPECT_EQ(others[0].label, "Ch 1: tempo_b.wav");
    EXPECT_EQ(model.MatchText(*b->GetDevice()), "+10.00");
    ASSERT_TRUE(model.MatchThisTo(*b->GetDevice()));
    EXPECT_NEAR(a->GetDevice()->GetCurrentTempo(), 132.0, 0.05);
    EXPECT_NEAR(std::stod(model.MatchText(*b->GetDevice())), 0.0, 0.05);
    // A deck without a tempo is not matched.
    zem::deckwin::StoreTappedTempo(*b->GetDevice(), 0);
    const unsigned long rate = a->GetDevice()->GetPitch();
    EXPECT_FALSE(model.MatchThisTo(*b->GetDevice()));
    EXPECT_EQ(a->GetDevice()->GetPitch(), rate);
}
