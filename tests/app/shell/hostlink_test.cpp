// Hostlink as a plug-in calls it, on the running program: decks driven from a thread of the
// plug-in's own and from a progress callback on a deck's playback thread, and decks closed while
// their callbacks call back into the host.
#include "app/decks/mixer_board/app_mixer.h"
#include "app/framework/zem_view.h"
#include "app/shell/program_extensions.h"
#include "app/shell/request_channel.h"
#include "contracts/hostlink.h"
#include "driver_report.h"
#include "engine/deck/mixer_device.h"
#include "engine/effects/global_dsp_list.h"
#include "test_program.h"

#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include <dlfcn.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <functional>
#include <thread>

using namespace zem::shell;
using namespace zem::shell::testing;
using namespace std::chrono_literals;

namespace {

constexpr unsigned long kEndOfSong = static_cast<unsigned long>(-1);
constexpr unsigned long kEject = static_cast<unsigned long>(-2);

// Runs body on a thread of its own while this (the interface) thread answers its requests.
// Only the queued requests run here: painting would bring in Qt's own worker threads.
void OnPluginThread(RequestChannel& channel, const std::function<void()>& body) {
    std::atomic<bool> done{false};
    std::thread plugin([&] {
        body();
        done = true;
    });
    while (!done) {
        channel.RunQueued();
        std::this_thread::sleep_for(1ms);
    }
    plugin.join();
}

// Answers requests until done() or the time is up.
bool PumpUntil(RequestChannel& channel, const std::function<bool()>& done,
               std::chrono::milliseconds limit = 5s) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done() && std::chrono::steady_clock::now() < end) {
        channel.RunQueued();
        std::this_thread::sleep_for(1ms);
    }
    return done();
}

struct Fired {
    std::atomic<int> count{0};
    std::atomic<unsigned long> progress{0};
    std::atomic<unsigned long> trigger{0};
    std::atomic<int> channel{-9};
    std::atomic<int> id{-9};
    // What the callback got back from the host it called.
    std::atomic<unsigned long> positionSeen{0};
    std::atomic<int> removedSeen{-9};
};

bool Record(unsigned long progress, unsigned long trigger, int channel, int id, void* user) {
    auto* f = static_cast<Fired*>(user);
    f->progress = progress;
    f->trigger = trigger;
    f->channel = channel;
    f->id = id;
    ++f->count;
    return true;
}

// As the Auto DJ does: asks the host from the playback thread, then clears the deck's events.
bool AskAndClear(unsigned long progress, unsigned long trigger, int channel, int id, void* user) {
    auto* f = static_cast<Fired*>(user);
    unsigned long ms = 0;
    ZEM_Device_GetPosition(ms, channel);
    f->positionSeen = ms;
    f->removedSeen = ZEM_Device_RemoveAllProgressEvents(channel);
    return Record(progress, trigger, channel, id, user);
}

} // namespace

TEST(Hostlink, APluginThreadDrivesDecksViewsFilesAndTheFader) {
    Program p;
    const std::string a = p.Song("a.wav");
    const std::string b = p.Song("b.wav", 660.0);
    const std::string c = p.Song("c.wav", 550.0);
    ASSERT_TRUE(p.Start({a, b}));
    RequestChannel& channel = p.app->Requests();
    ASSERT_EQ(p.Decks().size(), 2u);
    MixerDevice* left = p.Decks()[0]->GetDevice();
    MixerDevice* right = p.Decks()[1]->GetDevice();
    const int l = left->GetChannel(), r = right->GetChannel();
    left->GetBPMInfo()->baseTempo = 128.0f;
    left->StoreStoredPosition(3, left->GetWaveFormatEx()->nAvgBytesPerSec / 2, 0);

    int opened = -1;
    OnPluginThread(channel, [&] {
        EXPECT_STREQ(ZEM_Interface_GetZEMPath(4), ZEM_GetZEMPath(4));
        EXPECT_STREQ(ZEM_Interface_GetZEMPath(9), "");
        EXPECT_EQ(ZEM_Interface_GetAppClosing(), 0);
        // The filter exactly fills a buffer of the size it gives.
        const int size = ZEM_Interface_GetFileTypes(nullptr);
        ASSERT_GT(size, 2);
        std::vector<char> filter(static_cast<size_t>(size), 'x');
        EXPECT_EQ(ZEM_Interface_GetFileTypes(filter.data()), size);
        EXPECT_EQ(filter[filter.size() - 1], '\0');
        EXPECT_EQ(filter[filter.size() - 2], '\0');
        EXPECT_NE(std::string(filter.data(), filter.size()).find("*.wav"), std::string::npos);

        EXPECT_EQ(ZEM_Device_GetChannelID(-4), l);
        EXPECT_EQ(ZEM_Device_GetChannelID(-5), r);
        EXPECT_EQ(ZEM_Device_GetChannelID(r + 40), -1);
        unsigned long ms = 7;
        EXPECT_EQ(ZEM_Device_GetTotalTime(ms, -4), 1);
        EXPECT_EQ(ms, 2000u);
        EXPECT_EQ(ZEM_Device_SetPosition_Rel(750, l), 1);
        EXPECT_EQ(ZEM_Device_GetPosition(ms, l), 1);
        EXPECT_EQ(ms, 750u);
        ZEM_Device_SetPosition_Rel(-5000, l);
        ZEM_Device_GetPosition(ms, l);
        EXPECT_EQ(ms, 0u);
        EXPECT_EQ(ZEM_Device_GetPosition(ms, r + 40), 0);
        unsigned long start = 1, end = 1;
        EXPECT_EQ(ZEM_Device_GetCuePosition(3, start, end, l), 1);
        EXPECT_EQ(start, 500u);
        EXPECT_EQ(end, 0u);
        ZEM_Device_GetCuePosition(9, start, end, l);
        EXPECT_EQ(start, 0u) << "an unset cue";

        EXPECT_EQ(ZEM_Device_Play(-5), 1);
        EXPECT_GT(ZEM_Device_GetPlayStatus(r), 0);
        EXPECT_EQ(ZEM_Device_PlayPause(r), 1);
        EXPECT_EQ(ZEM_Device_GetPlayStatus(r), 0);
        EXPECT_EQ(ZEM_Device_Stop(r + 40), 0);
        EXPECT_EQ(ZEM_Device_ShowChannel(r), 1);
        EXPECT_EQ(ZEM_Mixer_FadeFader(-5, 1000), 1);

        ZEM_FileInfo info{};
        ASSERT_TRUE(ZEM_Interface_GetZECFileInfo(&info, -4));
        EXPECT_EQ(std::string(info.path), a);
        EXPECT_EQ(info.totalMs, 2000u);
        EXPECT_DOUBLE_EQ(info.tempoBPM, 128.0);
        EXPECT_FALSE(ZEM_Interface_GetZECFileInfo(&info, r + 40));
        EXPECT_FALSE(ZEM_Interface_GetZECFileInfo(nullptr, l));

        opened = ZEM_Device_NewChannel(const_cast<char*>(c.c_str()));
        EXPECT_GE(opened, 0);
        EXPECT_EQ(ZEM_Device_NewChannel(const_cast<char*>("missing.xyz")), -1);
        EXPECT_EQ(ZEM_Device_NewChannel(nullptr), -1);
        EXPECT_EQ(ZEM_Interface_AddView(nullptr), 0);
        char ejected[260];
        EXPECT_EQ(ZEM_Device_GetLastFileEjected(ejected, r + 40), nullptr);
        EXPECT_EQ(ZEM_Device_GetLastFileEjected(nullptr, l), nullptr);
        ASSERT_EQ(ZEM_Device_GetLastFileEjected(ejected, opened), ejected);
        EXPECT_STREQ(ejected, "") << "nothing ejected from that deck yet";
        EXPECT_EQ(ZEM_Device_CloseChannel(opened), 1);
        EXPECT_EQ(ZEM_Device_GetChannelID(opened), -1);

        char dsp[] = "ZEM_DSP_Echo.so";
        EXPECT_EQ(ZEM_Device_AddGlobalDSPPlugin(dsp, 1), 1);
        EXPECT_EQ(ZEM_Device_AddGlobalDSPPlugin(dsp, 1), 1);
        EXPECT_EQ(ReadGlobalDSPList(), (std::vector<GlobalDSPEntry>{{dsp, 1}}));
        EXPECT_EQ(ZEM_Device_RemoveGlobalDSPPlugin(dsp, 1), 1);
        EXPECT_TRUE(ReadGlobalDSPList().empty());
        EXPECT_EQ(ZEM_Device_AddGlobalDSPPlugin(nullptr, 0), 0);
    });
    EXPECT_TRUE(p.Board().IsFading());
    EXPECT_TRUE(p.dialogs.Told("")) << "the file that did not open was told";
    EXPECT_EQ(p.Decks().size(), 2u);

    // A song loaded into a deck window ejects the one before; its settings file keeps the tempo.
    ASSERT_TRUE(p.Decks()[0]->LoadSong(QString::fromStdString(c)));
    char ejected[260];
    ASSERT_NE(ZEM_Device_GetLastFileEjected(ejected, p.Decks()[0]->GetDevice()->GetChannel()),
              nullptr);
    EXPECT_EQ(std::string(ejected), a);
    ZEM_FileInfo info{};
    ASSERT_TRUE(ZEM_Interface_GetFullFileInfo(&info, const_cast<char*>(a.c_str())));
    EXPECT_DOUBLE_EQ(info.tempoBPM, 128.0);
    EXPECT_EQ(info.totalMs, 2000u);
    EXPECT_FALSE(ZEM_Interface_GetFullFileInfo(&info, const_cast<char*>("gone.wav")));

    // Once the program has gone, every call fails softly.
    p.Stop();
    unsigned long ms = 5;
    EXPECT_EQ(ZEM_Device_GetChannelID(0), -1);
    EXPECT_EQ(ZEM_Device_GetPosition(ms, 0), 0);
    EXPECT_EQ(ms, 0u);
    EXPECT_EQ(ZEM_Interface_FileOpenDlg(512), nullptr);
    EXPECT_EQ(ZEM_Interface_GetFileTypes(nullptr), 1);
}

TEST(Hostlink, ProgressEventsFireAsTheDeckPassesAtTheEndAndAtTheEject) {
    Program p;
    ASSERT_TRUE(p.Start({p.Song("a.wav")}));
    RequestChannel& channel = p.app->Requests();
    ASSERT_EQ(p.Decks().size(), 1u);
    const int deck = p.Decks()[0]->GetDevice()->GetChannel();
    Fired atOne, atEnd, atEject, removed;
    ASSERT_EQ(ZEM_Device_AddProgressEvent(1000, AskAndClear, &atOne, 1, deck), 1);
    ASSERT_EQ(ZEM_Device_AddProgressEvent(1500, Record, &removed, 2, deck), 1);
    ASSERT_EQ(ZEM_Device_AddProgressEvent(9000, Record, &removed, 2, deck), 1);
    EXPECT_EQ(ZEM_Device_RemoveProgressEvent(2, deck), 2);
    EXPECT_EQ(ZEM_Device_RemoveProgressEvent(2, deck), 0);
    EXPECT_EQ(ZEM_Device_AddProgressEvent(1000, nullptr, &removed, 3, deck), 0);
    EXPECT_EQ(ZEM_Device_AddProgressEvent(1000, Record, &removed, 3, deck + 40), 0);

    ASSERT_EQ(ZEM_Device_Play(deck), 1);
    ASSERT_GT(ZEM_Device_GetPlayStatus(deck), 0);
    ASSERT_TRUE(PumpUntil(channel, [&] { return atOne.count > 0; }));
    EXPECT_EQ(atOne.trigger.load(), 1000u);
    EXPECT_EQ(atOne.channel.load(), deck);
    EXPECT_EQ(atOne.id.load(), 1);
    // Fired as the deck passed it, not at the song's end (how late it is, the benchmark tells;
    // a loaded machine may delay a tick).
    EXPECT_GE(atOne.progress.load(), 1000u);
    EXPECT_LE(atOne.progress.load(), 1000u + 300);
    // Its own calls from the playback thread were answered.
    EXPECT_GE(atOne.positionSeen.load(), 1000u);
    EXPECT_EQ(atOne.removedSeen.load(), 1) << "itself: the only one, registered while it runs";

    ASSERT_EQ(ZEM_Device_AddProgressEvent(kEndOfSong, Record, &atEnd, 4, deck), 1);
    ASSERT_EQ(ZEM_Device_AddProgressEvent(kEject, Record, &atEject, 5, deck), 1);
    ASSERT_TRUE(PumpUntil(channel, [&] { return atEnd.count > 0; }));
    EXPECT_EQ(atEnd.trigger.load(), kEndOfSong);
    EXPECT_EQ(atEject.count.load(), 0);
    EXPECT_EQ(ZEM_Device_CloseChannel(deck), 1);
    EXPECT_EQ(atEject.count.load(), 1);
    EXPECT_EQ(atEject.trigger.load(), kEject);
    EXPECT_EQ(removed.count.load(), 0);
}

namespace {

// Keeps calling the host from the playback thread, on every tick, until the deck goes.
struct Busy {
    std::atomic<int> calls{0};
    std::atomic<int> ejects{0};
    std::atomic<bool> gone{false};
    std::atomic<int> afterGone{0};
};

bool CallAgain(unsigned long, unsigned long, int channel, int, void* user) {
    auto* b = static_cast<Busy*>(user);
    if (b->gone)
        ++b->afterGone;
    unsigned long ms = 0;
    ZEM_Device_GetPosition(ms, channel);
    ZEM_Device_GetPlayStatus(channel);
    ZEM_Device_RemoveProgressEvent(77, channel);
    ++b->calls;
    return false;
}

bool OnEject(unsigned long, unsigned long, int channel, int, void* user) {
    auto* b = static_cast<Busy*>(user);
    if (b->gone)
        ++b->afterGone;
    ++b->ejects;
    // The interface thread is closing this very deck: the call gives up instead of hanging.
    return ZEM_Device_Play(channel) == 0;
}

} // namespace

TEST(Hostlink, ClosingADeckWhileItsCallbacksCallTheHostNeitherHangsNorCallsAfterIt) {
    Program p;
    const std::string song = p.Song("a.wav");
    ASSERT_TRUE(p.Start());
    RequestChannel& channel = p.app->Requests();
    for (int round = 0; round < 12; ++round) {
        Busy busy;
        const int deck = ZEM_Device_NewChannel(const_cast<char*>(song.c_str()));
        ASSERT_GE(deck, 0);
        ASSERT_EQ(ZEM_Device_AddProgressEvent(0, CallAgain, &busy, 1, deck), 1);
        ASSERT_EQ(ZEM_Device_AddProgressEvent(kEject, OnEject, &busy, 2, deck), 1);
        // Started and closed while a callback may be waiting for this thread: neither waits for
        // the other (each would otherwise sit out the other's bound, seconds).
        auto start = std::chrono::steady_clock::now();
        ZEM_Device_Play(deck);
        EXPECT_LT(std::chrono::steady_clock::now() - start, 1s) << "round " << round;
        ASSERT_TRUE(PumpUntil(channel, [&] { return busy.calls > round % 3; }));
        start = std::chrono::steady_clock::now();
        ASSERT_EQ(ZEM_Device_CloseChannel(deck), 1);
        busy.gone = true;
        EXPECT_LT(std::chrono::steady_clock::now() - start, 1s) << "round " << round;
        EXPECT_EQ(busy.ejects.load(), 1);
        EXPECT_EQ(busy.afterGone.load(), 0);
    }
}

TEST(Hostlink, AnInterfacePluginTheProgramLoadsDrivesDecksAndItsViewsComeAndGo) {
    Program p;
    ProgramExtensions extensions;
    extensions.SetKeyFile(p.dir.file("zemkeys.cfg"));
    extensions.SetSoundEffectsFile(p.dir.file("sfx.cfg"));
    const std::string modules = std::string(ZEM_GetZEMPath(3)) + "/ControlModules.cfg";
    std::ofstream(modules) << "ZEM_GEN_FaderSides.so\n"
                           << "test_driver.so\n";
    const std::string a = p.Song("a.wav");
    const std::string b = p.Song("b.wav", 660.0);
    p.app = std::make_unique<CZEMApp>(p.profile, p.dialogs, extensions,
                                      ParseCommandLine({a, b}, p.dir.path()), p.dir.path());
    ASSERT_TRUE(p.app->InitInstance());
    RequestChannel& channel = p.app->Requests();
    void* module = dlopen((std::string(ZEM_GetZEMPath(2)) + "/test_driver.so").c_str(),
                          RTLD_NOW | RTLD_NOLOAD);
    ASSERT_NE(module, nullptr) << "the program did not load the listed plug-in";
    // Held open to the end: the report must outlive the program's unloading of the plug-in.
    auto report = reinterpret_cast<DriverReport* (*)()>(dlsym(module, "GetDriverReport"))();
    EXPECT_EQ(report->constructed.load(), 1);

    // Its thread started the left deck; the callback, on that deck's playback thread, started
    // the right one and the fade.
    ASSERT_TRUE(PumpUntil(channel, [&] { return report->done.load(); }));
    EXPECT_EQ(report->leftChannel.load(), p.Decks()[0]->GetDevice()->GetChannel());
    EXPECT_EQ(report->played.load(), 1);
    EXPECT_EQ(report->fired.load(), 1);
    EXPECT_GE(report->lateness.load(), 0);
    EXPECT_EQ(report->rightStarted.load(), 1);
    EXPECT_EQ(report->faded.load(), 1);
    EXPECT_TRUE(p.Decks()[1]->GetDevice()->IsPlaying());
    EXPECT_TRUE(p.Board().IsFading());

    // Its view type is in both menus; its command opens a view.
    QMenuBar* bar = p.app->MainFrame()->menuBar();
    const auto itemsOf = [&](std::initializer_list<const char*> path) {
        QStringList items;
        QMenu* menu = nullptr;
        for (const char* text : path) {
            const QList<QAction*> actions = menu ? menu->actions() : bar->actions();
            menu = nullptr;
            for (QAction* act : actions)
                if (act->text() == text && act->menu())
                    menu = act->menu();
            if (!menu)
                return items;
        }
        for (QAction* act : menu->actions())
            items << act->text();
        return items;
    };
    // Both plug-ins' view types, the last registered first; only the driver's under "&New".
    EXPECT_EQ(itemsOf({"&Settings", "&Interface", "Interface views"}),
              (QStringList{"Driver view", "Fader sides"}));
    EXPECT_EQ(itemsOf({"&File", "&New"}), QStringList{"Driver view"});
    ASSERT_TRUE(p.Route(4481));
    const auto views = [&](const char* typeId) {
        std::vector<ZemDocument*> docs;
        for (ZemDocTemplate* t : p.app->Documents().GetTemplates())
            if (t->GetDocString(kDocStringRegFileTypeId) == typeId)
                docs.insert(docs.end(), t->GetDocuments().begin(), t->GetDocuments().end());
        return docs;
    };
    EXPECT_EQ(views("ZEM.Driver").size(), 1u);

    // The example plug-in's window shows the sides and its button fades to the side it names.
    ASSERT_TRUE(p.Route(4480));
    ASSERT_EQ(views("ZEM.FaderSides").size(), 1u);
    ZemView* sides = views("ZEM.FaderSides")[0]->GetViews().front();
    QPushButton* fade = nullptr;
    for (QPushButton* b : sides->findChildren<QPushButton*>())
        if (b->text().startsWith("Fade to"))
            fade = b;
    ASSERT_NE(fade, nullptr);
    p.Board().StopFade();
    const QString named = fade->text();
    fade->click();
    EXPECT_TRUE(p.Board().IsFading());
    EXPECT_EQ(p.Board().GetFadeTarget() > 100, named == "Fade to right") << named.toStdString();

    // The main window's close takes its views and type; the shutdown its module, listed again.
    p.Stop();
    EXPECT_EQ(report->destructed.load(), 1);
    std::ifstream listed(modules);
    std::string first, second;
    std::getline(listed, first);
    std::getline(listed, second);
    EXPECT_EQ(first + "," + second, "ZEM_GEN_FaderSides.so,test_driver.so");
    EXPECT_FALSE(p.dialogs.Told("View descriptor not found!!"));
    dlclose(module);
}
