// The application object as the program runs it, on the offscreen platform: the real WAV
// plug-in from the program directory, real songs, the mixer board and deck windows, the main
// frame's commands and drops, and what start-up and closing leave in the profile.
#include "../../engine/mixer/song_file.h"
#include "../../platform/test_dir.h"
#include "../framework/memory_profile.h"
#include "app/decks/app_context.h"
#include "app/decks/deck_view/deck_frame.h"
#include "app/decks/deck_view/mixer_device_view.h"
#include "app/decks/deck_view/zem_doc.h"
#include "app/decks/deck_window/deck_commands.h"
#include "app/decks/mixer_board/app_mixer.h"
#include "app/decks/mixer_board/board_commands.h"
#include "app/decks/mixer_view/mixer_view.h"
#include "app/framework/command_router.h"
#include "app/framework/zem_doc_template.h"
#include "app/framework/zem_view.h"
#include "app/keys/key_names.h"
#include "app/pads/pad_table.h"
#include "app/shell/command_line.h"
#include "app/shell/main_frame.h"
#include "app/shell/open_file_prompt.h"
#include "app/shell/program_extensions.h"
#include "app/shell/request_channel.h"
#include "app/shell/shell_dialogs.h"
#include "app/shell/shell_texts.h"
#include "app/shell/signal_close.h"
#include "app/shell/zem_app.h"
#include "engine/deck/mixer_device.h"
#include "engine/foundations/standard_dirs.h"
#include "test_program.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QTimer>

#include <QTest>
#include <QUrl>
#include <atomic>
#include <thread>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

using namespace zem::shell;
using namespace zem::board;
using namespace zem::shell::testing;

TEST(Program, BoardAndSongsOpenAndClosingRecordsThemForTheNextStart) {
    Program p;
    const std::string a = p.Song("a.wav", 440.0);
    const std::string b = p.Song("b.wav", 660.0);
    ASSERT_TRUE(p.Start({"a.wav", b}));
    ASSERT_NE(AppContext().mixerView, nullptr);
    const std::vector<CZEMDoc*> decks = p.Decks();
    ASSERT_EQ(decks.size(), 2u);
    EXPECT_EQ(decks[0]->GetPathName().toStdString(), a);
    EXPECT_TRUE(decks[0]->GetTitle().startsWith("Ch 0: a.wav [00:02]"));
    // The board was there first, so the decks land on strips 1 and 2 and sides A and B.
    EXPECT_EQ(p.Board().GetStripSelector(0).selected, decks[0]->GetDevice()->GetChannel());
    EXPECT_EQ(p.Board().GetStripSelector(1).selected, decks[1]->GetDevice()->GetChannel());
    EXPECT_EQ(p.app->Mixer().GetFaderChannelA(), decks[0]->GetDevice()->GetChannel());
    EXPECT_EQ(p.app->Mixer().GetFaderChannelB(), decks[1]->GetDevice()->GetChannel());
    EXPECT_EQ(p.CenterPane(), QString::fromStdString(p.Board().GetCenterText()));

    // First run: the wizard question, its "later" message, and the version stored.
    ASSERT_EQ(p.dialogs.questions.size(), 1u);
    EXPECT_EQ(p.dialogs.questions[0], kFirstRunQuestion);
    EXPECT_TRUE(p.dialogs.Told(kWizardLater));
    EXPECT_EQ(p.profile.GetProfileString("Startup", "Version", ""), "1.80.04");
    EXPECT_EQ(p.profile.GetProfileString("Startup", "Open files", "?"), "");

    p.Stop();
    EXPECT_EQ(p.profile.GetProfileString("Startup", "Open files", ""), a + ";" + b + ";");
    EXPECT_EQ(AppContext().mixer, nullptr);

    // Only a piece followed by ";" is a file; the list is cleared once reopened.
    p.profile.WriteProfileString("Startup", "Open files", a + ";" + b);
    p.dialogs.questions.clear();
    ASSERT_TRUE(p.Start());
    ASSERT_EQ(p.Decks().size(), 1u);
    EXPECT_EQ(p.Decks()[0]->GetPathName().toStdString(), a);
    EXPECT_EQ(p.profile.GetProfileString("Startup", "Open files", "?"), "");
    EXPECT_TRUE(p.dialogs.questions.empty());
}

TEST(Program, BadFilesAndAProfileWithGarbageAreToldAndStartUpGoesOn) {
    Program p;
    const std::string song = p.Song("good.wav");
    std::ofstream(p.dir.file("broken.wav")) << "RIFF this is no wave";
    std::ofstream(p.dir.file("notes.txt")) << "not a song";
    std::ofstream(p.dir.file("fake.bmp")) << "BM but not a bitmap";
    p.profile.WriteProfileString("Skins", "Background bitmap", p.dir.file("fake.bmp"));
    p.profile.WriteProfileInt("Interface", "Thread priority", 7);
    p.profile.WriteProfileInt("General mixer settings", "Sync time", -5);
    p.profile.WriteProfileString("Startup", "Open files", p.dir.file("gone.wav") + ";");
    p.profile.WriteProfileString("Startup", "Version", "1.80.04");

    ASSERT_TRUE(p.Start({"broken.wav", "notes.txt", "good.wav", "missing.mp3"}));
    EXPECT_TRUE(p.dialogs.Told("Unable to load background \"" + p.dir.file("fake.bmp") + "\""));
    EXPECT_FALSE(p.app->MainFrame()->HasBackgroundBitmap());
    ASSERT_EQ(p.Decks().size(), 1u);
    EXPECT_EQ(p.Decks()[0]->GetPathName().toStdString(), song);
    // One message for each file that did not open: three on the command line, one from the list.
    EXPECT_GE(p.dialogs.messages.size(), 5u);
    EXPECT_NE(AppContext().mixerView, nullptr);

    // With the background switched off there is nothing to load and nothing to tell.
    p.dialogs.messages.clear();
    EXPECT_TRUE(p.Route(kCmdBackgroundEnabled));
    EXPECT_EQ(p.profile.GetProfileInt("Skins", "Background enabled", -1), 0);
    EXPECT_TRUE(p.dialogs.messages.empty());
}

TEST(Program, MainFrameCommandsDrivesTheBoardAndTheFaderDecks) {
    Program p;
    const std::string a = p.Song("a.wav");
    const std::string b = p.Song("b.wav");
    ASSERT_TRUE(p.Start({a, b}));
    const std::vector<CZEMDoc*> decks = p.Decks();
    ASSERT_EQ(decks.size(), 2u);

    EXPECT_TRUE(p.Route(kCmdPlayLeftChannel));
    EXPECT_TRUE(decks[0]->GetDevice()->IsPlaying());
    EXPECT_FALSE(decks[1]->GetDevice()->IsPlaying());
    EXPECT_TRUE(p.Route(kCmdPlayRightChannel));
    EXPECT_TRUE(decks[1]->GetDevice()->IsPlaying());
    // File | Close on the playing deck asks first; the answer no keeps it.
    p.app->MainFrame()->Workspace()->setActiveSubWindow(
        decks[1]->GetViews().front()->GetParentFrame());
    p.dialogs.questions.clear();
    EXPECT_TRUE(p.Route(kCommandFileClose));
    EXPECT_EQ(p.dialogs.questions, std::vector<std::string>{CDeckFrame::kCloseQuestion});
    EXPECT_EQ(p.Decks().size(), 2u);
    EXPECT_TRUE(p.Route(kCmdStopLeftChannel));
    EXPECT_FALSE(decks[0]->GetDevice()->IsPlaying());

    EXPECT_TRUE(p.Route(kCmdCrossfader0_100));
    EXPECT_EQ(p.Board().GetCrossfaderPosition(), 200);
    EXPECT_TRUE(p.Route(kCmdCrossfader100_75));
    EXPECT_EQ(p.Board().GetCrossfaderPosition(), 75);
    p.Board().MoveCrossfader(199);
    EXPECT_TRUE(p.Route(kCmdMoveFaderRight));
    EXPECT_EQ(p.Board().GetCrossfaderPosition(), 200);
    EXPECT_TRUE(p.Route(kCmdMoveFaderRight));
    EXPECT_EQ(p.Board().GetCrossfaderPosition(), 200);

    // The fader type shows in the status pane as the board reports it.
    for (const char* centre : {"75%", "50%", "100%"}) {
        EXPECT_TRUE(p.Route(kCmdToggleFaderType));
        EXPECT_TRUE(p.CenterPane().startsWith(centre)) << p.CenterPane().toStdString();
    }

    // A headphone item is checked while its channel is cued.
    const int channel = decks[0]->GetDevice()->GetChannel();
    const int item = kCmdHeadphoneChannel0 + channel;
    ZemCommandState before, after;
    p.app->MainFrame()->Router()->UpdateCommand(item, before);
    EXPECT_TRUE(p.Route(item));
    p.app->MainFrame()->Router()->UpdateCommand(item, after);
    EXPECT_TRUE(before.HasCheck() && after.HasCheck());
    EXPECT_NE(before.IsChecked(), after.IsChecked());
}

TEST(Program, DropsOpenTheFirstTextFileOrEveryUrlAndOneFileFitsTwoDecks) {
    Program p;
    const std::string a = p.Song("a.wav");
    const std::string b = p.Song("b.wav");
    ASSERT_TRUE(p.Start({a, a}));
    ASSERT_EQ(p.Decks().size(), 2u);
    EXPECT_EQ(p.Decks()[1]->GetPathName().toStdString(), a);

    // What the frame's drop handler does with the data (a synthetic drop event never reaches
    // a widget without a drag in progress).
    const auto drop = [&](QMimeData& data) { return p.app->MainFrame()->OpenDropped(data); };
    QMimeData text;
    text.setText(QString::fromStdString(DroppedFilesText({b, a})));
    EXPECT_EQ(drop(text), 1);
    ASSERT_EQ(p.Decks().size(), 3u);
    EXPECT_EQ(p.Decks()[2]->GetPathName().toStdString(), b);

    QMimeData urls;
    urls.setUrls({QUrl::fromLocalFile(QString::fromStdString(a)),
                  QUrl::fromLocalFile(QString::fromStdString(b))});
    EXPECT_EQ(drop(urls), 2);
    EXPECT_EQ(p.Decks().size(), 5u);

    // Text dragged over the window: move over the empty workspace or the status bar, none over
    // a deck window or the menu bar; a drop opens the first piece; leave answers 1.
    CMainFrame& frame = *p.app->MainFrame();
    frame.show();
    for (QMdiSubWindow* w : frame.Workspace()->subWindowList())
        w->showMinimized();
    QMdiSubWindow* deck = frame.Workspace()->subWindowList().front();
    deck->showNormal();
    deck->move(0, 0);
    const QPoint onDeck = deck->mapTo(&frame, deck->rect().center());
    const QPoint onStatus = frame.statusBar()->mapTo(&frame, QPoint(4, 4));
    const QPoint onMenu = frame.menuBar()->mapTo(&frame, QPoint(2, 2));
    const QWidget* area = frame.Workspace()->viewport();
    const QPoint onEmpty = area->mapTo(&frame, QPoint(area->width() - 5, area->height() - 60));
    EXPECT_EQ(frame.AnswerDragStep(0, &text, onEmpty), 2);
    EXPECT_EQ(frame.AnswerDragStep(1, &text, onStatus), 2);
    EXPECT_EQ(frame.AnswerDragStep(1, &text, onDeck), 0);
    EXPECT_EQ(frame.AnswerDragStep(0, &text, onMenu), 0);
    EXPECT_EQ(frame.AnswerDragStep(2, &text, onDeck), 1);
    EXPECT_EQ(frame.AnswerDragStep(7, &text, onDeck), 1);
    QMimeData none;
    EXPECT_EQ(frame.AnswerDragStep(3, &none, onEmpty), 0);
    EXPECT_EQ(frame.AnswerDragStep(3, &text, onEmpty), 1);
    EXPECT_EQ(p.Decks().size(), 6u);
}

TEST(Program, OpenFilePromptPreviewsTheSongsTempoAndNotes) {
    Program p;
    const std::string a = p.Song("tapped.wav");
    EXPECT_FALSE(ReadSongPreview(a).has_value());
    ASSERT_TRUE(p.Start({a}));
    ASSERT_EQ(p.Decks().size(), 1u);
    MixerDevice* deck = p.Decks()[0]->GetDevice();
    deck->GetBPMInfo()->baseTempo = 128.0;
    char notes[] = "intro\nbreak at 1:00";
    deck->SetNotesText(notes);
    p.Stop(); // the deck's settings file is written when it goes

    for (const std::string& path : {a, a + ".lnk"}) {
        const auto preview = ReadSongPreview(path);
        ASSERT_TRUE(preview.has_value()) << path;
        EXPECT_EQ(preview->bpm, "BPM: 128.000000");
        EXPECT_EQ(preview->notes, "intro\r\nbreak at 1:00");
    }
}

TEST(Program, TerminationSignalRunsTheCloseOnTheInterfaceThread) {
    int closes = 0;
    SignalClose handler([&closes] { ++closes; });
    ASSERT_TRUE(handler.IsInstalled());
    std::raise(SIGTERM);
    std::raise(SIGINT);
    for (int i = 0; i < 500 && closes == 0; ++i)
        QTest::qWait(10);
    EXPECT_GE(closes, 1);
    EXPECT_LE(closes, 2);
}

TEST(Program, KeysOfTheCommandMapFireTheirCommandsAndTheKeyFileIsKept) {
    Program p;
    ProgramExtensions keys;
    keys.SetKeyFile(p.dir.file("zemkeys.cfg"));
    const std::string a = p.Song("a.wav");
    const std::string b = p.Song("b.wav");
    p.app = std::make_unique<CZEMApp>(p.profile, p.dialogs, keys,
                                      ParseCommandLine({a, b}, p.dir.path()), p.dir.path());
    ASSERT_TRUE(p.app->InitInstance());
    CMainFrame* frame = p.app->MainFrame();
    QApplication::setActiveWindow(frame);
    const std::vector<CZEMDoc*> decks = p.Decks();
    ASSERT_EQ(decks.size(), 2u);

    // Q plays the crossfader's left deck; the menu shows the key after a tab.
    QTest::keyClick(frame, Qt::Key_Q);
    EXPECT_TRUE(decks[0]->GetDevice()->IsPlaying());
    QTest::keyClick(frame, Qt::Key_0);
    EXPECT_EQ(p.Board().GetCrossfaderPosition(), 200);
    // A text field with the focus types the key instead ("W" would stop the deck).
    auto* field = new QLineEdit(frame);
    field->show();
    field->setFocus();
    QTest::keyClick(field, Qt::Key_W);
    EXPECT_EQ(field->text(), "w");
    EXPECT_TRUE(decks[0]->GetDevice()->IsPlaying());
    delete field;
    bool hinted = false;
    for (QAction* action : frame->findChildren<QAction*>())
        hinted |= action->text() == "Play left fader channel\tQ";
    EXPECT_TRUE(hinted);

    // A key the user moved is written at exit and read at the next start.
    zem::keys::CommandKeys* play = keys.KeyMap().Find(32815);
    ASSERT_NE(play, nullptr);
    play->Keys()[0] = zem::keys::CAccelsOb(zem::keys::kFlagVirtKey | zem::keys::kFlagAlt, 'P');
    p.Stop();
    ProgramExtensions next;
    next.SetKeyFile(p.dir.file("zemkeys.cfg"));
    QMainWindow window;
    next.RegisterCommands(window); // not the program's frame: the map alone
    next.LoadKeyMap();
    EXPECT_EQ(next.KeyMap().Find(32815)->Keys()[0].GetText(), "Alt+P");
}

TEST(Program, APadFiresFromItsKeyAndTheTableIsWrittenAtExit) {
    // Declared first: the program uses it until it is stopped, also when an assertion fails.
    ProgramExtensions extensions;
    Program p;
    extensions.SetKeyFile(p.dir.file("zemkeys.cfg"));
    const std::string sfx = p.dir.file("sfx.cfg");
    extensions.SetSoundEffectsFile(sfx);
    // One pad, numbered 33002: the last of a table whose first two were removed.
    zem::pads::PadRecord pad;
    pad.SetPath(p.Song("horn.wav"));
    pad.command = 33002;
    pad.volume = 80;
    ASSERT_TRUE(zem::pads::WriteSfxFile(sfx, {pad}));
    p.app = std::make_unique<CZEMApp>(p.profile, p.dialogs, extensions,
                                      ParseCommandLine({}, p.dir.path()), p.dir.path());
    ASSERT_TRUE(p.app->InitInstance());
    CMainFrame* frame = p.app->MainFrame();
    QApplication::setActiveWindow(frame);
    ASSERT_NE(extensions.Pads(), nullptr);
    ASSERT_EQ(extensions.Pads()->Pads().size(), 1u);
    MixerDevice* device = extensions.Pads()->Pads()[0].device;
    ASSERT_NE(device, nullptr) << (p.dialogs.messages.empty() ? "" : p.dialogs.messages.back());

    // The user binds F5 to the pad's command, as the Keyboard layout dialog would.
    auto& map = extensions.KeyMap();
    ASSERT_NE(map.Find(33002), nullptr);
    EXPECT_EQ(map.Find(33002)->GetName(), "SoundFX horn.wav");
    ASSERT_TRUE(map.AddCommandKey(33002, "SoundFX horn.wav", zem::keys::kFlagVirtKey, 0x74));
    map.CreateAcceleratorTable();
    QTest::keyClick(frame, Qt::Key_F5);
    EXPECT_TRUE(device->IsPlaying());
    EXPECT_EQ(device->GetVolume(kVChannel0), 80);
    EXPECT_FALSE(p.dialogs.Told(zem::pads::kPadNotFoundText));

    std::remove(sfx.c_str());
    p.Stop();
    std::vector<zem::pads::PadRecord> written;
    ASSERT_EQ(zem::pads::ReadSfxFile(sfx, written), zem::pads::SfxReadResult::Read);
    ASSERT_EQ(written.size(), 1u);
    EXPECT_EQ(written[0].command, 33002);
    EXPECT_EQ(written[0].volume, 80);
}

TEST(Program, InterfaceRequestsAnswerByCodeOnTheInterfaceThreadFromAnyThread) {
    Program p;
    const std::string a = p.Song("a.wav");
    ASSERT_TRUE(p.Start({a}));
    RequestChannel& channel = p.app->Requests();
    const auto send = [&](int code, intptr_t a0 = 0, intptr_t a1 = 0) {
        return channel.Send(code, {a0, a1, 0});
    };
    const std::vector<CZEMDoc*> decks = p.Decks();
    ASSERT_EQ(decks.size(), 1u);
    MixerDevice* deck = decks[0]->GetDevice();
    const int id = deck->GetChannel();

    EXPECT_EQ(send(6, id), reinterpret_cast<intptr_t>(deck));
    EXPECT_EQ(send(11, id), 1);
    EXPECT_EQ(send(11, id + 7), 0);
    EXPECT_EQ(send(1), reinterpret_cast<intptr_t>(AppContext().mixerView));
    EXPECT_NE(send(0, id, 1), 0);
    EXPECT_EQ(reinterpret_cast<const char*>(send(10, id)), a);
    EXPECT_EQ(send(9), 1);
    EXPECT_EQ(send(12), 1);
    // The first deck sits on the left; nobody is on the right.
    EXPECT_EQ(send(6, -4), reinterpret_cast<intptr_t>(deck));
    for (int code : {0, 6, 10})
        EXPECT_EQ(send(code, -5), 0) << code;

    // Request 7: a device of its own for the caller; an unknown type gives 0.
    auto* own = reinterpret_cast<MixerDevice*>(send(7, 0, reinterpret_cast<intptr_t>(a.c_str())));
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(own->GetMixer(), nullptr);
    delete own;
    EXPECT_EQ(send(7, 0, reinterpret_cast<intptr_t>("song.xyz")), 0);

    // Request 8 starts the board's timed fade toward the side.
    EXPECT_EQ(send(8, -5, 1999), 1);
    EXPECT_TRUE(p.Board().IsFading());

    // From another thread: answered while this one runs its events; refused after the wait
    // when it does not, and then never run.
    std::atomic<intptr_t> reply{-1};
    std::thread asker([&] { reply = channel.Send(6, {id, 0, 0}); });
    // Only the queued requests are run here: painting would bring in Qt's own worker threads.
    while (reply == -1)
        channel.RunQueued();
    asker.join();
    EXPECT_EQ(reply, reinterpret_cast<intptr_t>(deck));
    std::thread late([&] {
        reply = channel.Send(4, {0, reinterpret_cast<intptr_t>(a.c_str()), 0}, 50);
    });
    late.join();
    EXPECT_EQ(reply, 0);
    channel.RunQueued();
    EXPECT_EQ(p.Decks().size(), 1u) << "the abandoned request opened a deck";
}

// The settings commands open their dialogs over the main window; the deck's equalizer window is a
// view of the deck's song and closes with the deck's window.
TEST(Program, SettingsCommandsOpenTheirDialogsAndTheEqualizerGoesWithItsDeck) {
    Program p;
    ASSERT_TRUE(p.Start({p.Song("a.wav")}));
    ASSERT_EQ(p.Decks().size(), 1u);
    std::vector<std::string> titles;
    for (int id : {kCmdDeviceSettings, kCmdAudioGeneralSettings, kCmdAdvancedSettings}) {
        QTimer::singleShot(0, [&titles] {
            QWidget* dialog = QApplication::activeModalWidget();
            titles.push_back(dialog ? dialog->windowTitle().toStdString() : "none");
            if (dialog)
                dialog->close();
        });
        EXPECT_TRUE(p.Route(id));
    }
    EXPECT_EQ(titles, (std::vector<std::string>{"Device settings...", "General audio settings...",
                                                "Advanced audio settings..."}));
    // Without a wizard of its extensions the program leaves the command off.
    ZemCommandState wizard;
    p.app->MainFrame()->Router()->UpdateCommand(kCmdAudioSetupWizard, wizard);
    EXPECT_FALSE(wizard.IsEnabled());

    CMixerDeviceView* deck = p.Decks().front()->GetDeckView();
    ASSERT_NE(deck, nullptr);
    deck->ExecuteDeckCommand(zem::deckwin::kCmdEqualizer, Qt::NoModifier);
    deck->ExecuteDeckCommand(zem::deckwin::kCmdEqualizer, Qt::NoModifier);
    auto equalizers = [&p] {
        int n = 0;
        for (QMdiSubWindow* w : p.app->MainFrame()->Workspace()->subWindowList())
            n += w->windowTitle().endsWith(" - Equalizer");
        return n;
    };
    EXPECT_EQ(equalizers(), 1);
    ASSERT_TRUE(deck->GetParentFrame()->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(equalizers(), 0);
    EXPECT_TRUE(QTest::qWaitFor([&p] { return p.Decks().empty(); }, 2000));
}
