// The user interface's own figures, on the program as main() builds it: start-up to the main
// window on the screen, the longest stall of the event loop while decks play and another one
// opens and closes, and the user-interface thread's CPU time with deck windows refreshing.
//
// A plain program rather than a Google Benchmark one: every start-up sample is a fresh process
// (start-up includes loading the plug-ins and the libraries), and the other two figures are the
// worst gap and the CPU share of one live event loop, not a body repeated in a loop.
//
// The engine fixes its folders from the working directory when its library loads, so this
// program must be started in the program directory (Plugins, INI, ZEC, SFX), and ZEM_PROFILE
// should point at a settings file of the run's own.
//
//   zem-ui-bench startup [--runs N] [--profile] SONG_A SONG_B
//   zem-ui-bench stall [--seconds S] [--cycles N] [--profile] SONG1 SONG2 SONG3 SONG4 SONG5
//   zem-ui-bench cpu [--seconds S] [--profile] SONG1 SONG2 SONG3 SONG4
//   zem-ui-bench host [--seconds S] SONG1 SONG2 SONG3 SONG4
// Each prints its samples, then "RESULT name unit median worst".
#include "app/decks/app_context.h"
#include "app/decks/deck_view/deck_frame.h"
#include "app/decks/deck_view/zem_doc.h"
#include "app/decks/mixer_view/mixer_view.h"
#include "app/framework/zem_doc_template.h"
#include "app/shell/command_line.h"
#include "app/shell/main_frame.h"
#include "app/shell/shell_dialogs.h"
#include "app/shell/shell_extensions.h"
#include "app/shell/zem_app.h"
#include "contracts/hostlink.h"
#include "engine/deck/mixer_device.h"
#include "platform/program_home.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <dlfcn.h>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace zem::shell;

namespace {

int64_t NowNs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return int64_t(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

double Ms(int64_t ns) {
    return double(ns) / 1e6;
}

// When the libraries this program links had been loaded and initialised: the first static
// object of the program itself is constructed after theirs.
const int64_t g_librariesLoaded = NowNs();

double ThreadCpuMs() {
    rusage ru{};
    getrusage(RUSAGE_THREAD, &ru);
    return ru.ru_utime.tv_sec * 1e3 + ru.ru_utime.tv_usec / 1e3 + ru.ru_stime.tv_sec * 1e3 +
           ru.ru_stime.tv_usec / 1e3;
}

double ProcessCpuMs() {
    rusage ru{};
    getrusage(RUSAGE_SELF, &ru);
    return ru.ru_utime.tv_sec * 1e3 + ru.ru_utime.tv_usec / 1e3 + ru.ru_stime.tv_sec * 1e3 +
           ru.ru_stime.tv_usec / 1e3;
}

double Median(std::vector<double> v) {
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double Worst(const std::vector<double>& v) {
    return v.empty() ? 0 : *std::max_element(v.begin(), v.end());
}

void PrintResult(const char* name, const char* unit, const std::vector<double>& v) {
    std::printf("RESULT %s %s %.2f %.2f\n", name, unit, Median(v), Worst(v));
    std::fflush(stdout);
}

std::string EventName(QEvent::Type type) {
    switch (type) {
    case QEvent::Timer:
        return "Timer";
    case QEvent::Paint:
        return "Paint";
    case QEvent::UpdateRequest:
        return "UpdateRequest";
    case QEvent::Expose:
        return "Expose";
    case QEvent::MetaCall:
        return "MetaCall";
    case QEvent::Show:
        return "Show";
    case QEvent::Resize:
        return "Resize";
    case QEvent::LayoutRequest:
        return "LayoutRequest";
    case QEvent::DeferredDelete:
        return "DeferredDelete";
    case QEvent::Polish:
        return "Polish";
    case QEvent::PolishRequest:
        return "PolishRequest";
    default:
        return "event " + std::to_string(int(type));
    }
}

// Times the outermost dispatch of every event, by receiver class and event type, when asked;
// and notes when the main window was first exposed (its first frame painted and flushed).
class ProbeApplication : public QApplication {
public:
    using QApplication::QApplication;

    bool profile = false;
    CMainFrame* mainFrame = nullptr;
    int64_t exposeBegin = 0;
    int64_t exposeEnd = 0;
    int64_t firstMainPaint = 0;
    std::vector<std::pair<int64_t, std::string>> frameShows;

    struct Cost {
        int64_t ns = 0;
        int64_t worstNs = 0;
        long count = 0;
    };
    std::map<std::string, Cost> costs;

    bool notify(QObject* receiver, QEvent* event) override {
        const QEvent::Type type = event->type();
        const bool expose = type == QEvent::Expose && exposeEnd == 0 && IsMainWindow(receiver);
        if (type == QEvent::Show && receiver->isWidgetType() && exposeEnd == 0) {
            const std::string name = receiver->metaObject()->className();
            if (name.find("Frame") != std::string::npos)
                frameShows.emplace_back(NowNs(), name);
        }
        if (type == QEvent::Paint && firstMainPaint == 0 && receiver == mainFrame)
            firstMainPaint = NowNs();
        if (!profile || m_depth > 0) {
            const int64_t begin = expose ? NowNs() : 0;
            const bool done = QApplication::notify(receiver, event);
            if (expose && static_cast<QWindow*>(receiver)->isExposed()) {
                exposeBegin = begin;
                exposeEnd = NowNs();
            }
            return done;
        }
        ++m_depth;
        const int64_t begin = NowNs();
        const std::string key =
            std::string(receiver->metaObject()->className()) + " " + EventName(type);
        const bool done = QApplication::notify(receiver, event);
        const int64_t end = NowNs();
        --m_depth;
        Cost& c = costs[key];
        c.ns += end - begin;
        c.worstNs = std::max(c.worstNs, end - begin);
        ++c.count;
        if (expose && static_cast<QWindow*>(receiver)->isExposed()) {
            exposeBegin = begin;
            exposeEnd = end;
        }
        return done;
    }

    void PrintCosts(double wallMs) {
        std::vector<std::pair<std::string, Cost>> list(costs.begin(), costs.end());
        std::sort(list.begin(), list.end(),
                  [](const auto& a, const auto& b) { return a.second.ns > b.second.ns; });
        std::printf("event dispatch on the user-interface thread (outermost), over %.0f ms:\n",
                    wallMs);
        std::printf("  %-52s %8s %10s %9s\n", "receiver / event", "count", "total ms", "worst ms");
        for (size_t i = 0; i < list.size() && i < 12; ++i)
            std::printf("  %-52s %8ld %10.2f %9.2f\n", list[i].first.c_str(), list[i].second.count,
                        Ms(list[i].second.ns), Ms(list[i].second.worstNs));
        costs.clear();
    }

private:
    bool IsMainWindow(QObject* receiver) const {
        if (!receiver->isWindowType())
            return false;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->windowHandle() == receiver && dynamic_cast<CMainFrame*>(w))
                return true;
        return false;
    }
    int m_depth = 0;
};

// The program as main() builds it, with nobody to answer questions.
struct Program {
    UnattendedDialogs dialogs;
    ProgramProfile profile;
    ShellExtensions extensions;
    std::unique_ptr<CZEMApp> app;

    explicit Program(const std::vector<std::string>& files) {
        InstallUserInterfaceHooks(&dialogs);
        CDeckFrame::SetCloseQuestion([this](QWidget*, const QString& title, const QString& text) {
            return dialogs.AskWarning(title.toStdString(), text.toStdString());
        });
        CZEMDoc::SetMixerBoardRefresh([] {
            if (CMixerView* board = AppContext().mixerView)
                board->Refresh();
        });
        char cwd[4096];
        const std::string here = getcwd(cwd, sizeof cwd) ? cwd : ".";
        app = std::make_unique<CZEMApp>(profile, dialogs, extensions, ParseCommandLine(files, here),
                                        here);
        // The bench's runs must not reopen each other's songs.
        app->SetKeepSession(true);
    }
    ~Program() {
        if (app) {
            if (app->MainFrame() && app->MainFrame()->isVisible())
                app->MainFrame()->close();
            app->ExitInstance();
            app.reset();
        }
        InstallUserInterfaceHooks(nullptr);
    }
    std::vector<CZEMDoc*> Decks() const {
        std::vector<CZEMDoc*> decks;
        for (ZemDocTemplate* t : app->Documents().GetTemplates())
            for (ZemDocument* d : t->GetDocuments())
                if (auto* deck = dynamic_cast<CZEMDoc*>(d))
                    decks.push_back(deck);
        return decks;
    }
};

// Enters the working directory as the program directory, as "--home ." would.
bool EnterHome(char** argv) {
    char cwd[4096];
    if (!getcwd(cwd, sizeof cwd))
        return false;
    zem::ProgramHome home;
    std::string error;
    if (!zem::EnterProgramHome(argv, cwd, home, error)) {
        std::fprintf(stderr, "zem-ui-bench: %s\n", error.c_str());
        return false;
    }
    return true;
}

// Loads every plug-in of the program directory once, so that a start-up after it shows what
// loading them costs.
double PreloadPlugins() {
    const int64_t begin = NowNs();
    if (DIR* dir = opendir("Plugins")) {
        while (dirent* e = readdir(dir)) {
            const std::string name = e->d_name;
            if (name.size() > 3 && name.compare(name.size() - 3, 3, ".so") == 0)
                dlopen(("Plugins/" + name).c_str(), RTLD_NOW | RTLD_LOCAL);
        }
        closedir(dir);
    }
    return Ms(NowNs() - begin);
}

// ---- Start-up: one sample, in a fresh process ----

int StartupChild(int argc, char** argv, int64_t t0, bool preload,
                 const std::vector<std::string>& files) {
    const int64_t tMain = NowNs();
    if (!EnterHome(argv))
        return 1;
    ProbeApplication qtApp(argc, argv);
    QApplication::setApplicationName("ZEM");
    const int64_t tQt = NowNs();
    const double preloadMs = preload ? PreloadPlugins() : 0;
    int64_t tInit = 0;
    {
        Program p(files);
        qtApp.mainFrame = nullptr;
        // The main frame exists once the start-up made it; find it at its first expose.
        if (!p.app->InitInstance())
            return 1;
        tInit = NowNs();
        qtApp.mainFrame = p.app->MainFrame();
        if (qtApp.exposeEnd == 0) {
            QTimer poll;
            QObject::connect(&poll, &QTimer::timeout, [&qtApp] {
                if (qtApp.exposeEnd != 0)
                    QApplication::quit();
            });
            poll.start(1);
            QTimer::singleShot(10000, [] { QApplication::quit(); });
            QApplication::exec();
        }
        if (qtApp.exposeEnd == 0) {
            std::fprintf(stderr, "zem-ui-bench: the main window was never exposed\n");
            return 1;
        }
        std::printf("SAMPLE libs=%.2f main=%.2f qapp=%.2f preload=%.2f init=%.2f expose=%.2f "
                    "shown=%.2f decks=%zu\n",
                    Ms(g_librariesLoaded - t0), Ms(tMain - t0), Ms(tQt - t0), preloadMs,
                    Ms(tInit - t0), Ms(qtApp.exposeBegin - t0), Ms(qtApp.exposeEnd - t0),
                    p.Decks().size());
        for (const auto& [t, name] : qtApp.frameShows)
            std::printf("SHOW %.2f %s\n", Ms(t - t0), name.c_str());
        std::fflush(stdout);
    }
    return 0;
}

struct Sample {
    std::map<std::string, double> values;
    std::vector<std::pair<double, std::string>> shows;
};

// Starts this program again, in the same directory, as one start-up sample.
bool RunChild(const char* self, bool preload, const std::vector<std::string>& files, Sample& out) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        return false;
    const int64_t t0 = NowNs();
    const pid_t pid = fork();
    if (pid == 0) {
        // The sample's own messages (sound-library probing, the first-run question) are shown
        // only when it fails.
        dup2(pipeFds[1], 1);
        dup2(pipeFds[1], 2);
        close(pipeFds[0]);
        close(pipeFds[1]);
        std::vector<std::string> args = {self, "--startup-child", std::to_string(t0)};
        if (preload)
            args.push_back("--preload");
        args.insert(args.end(), files.begin(), files.end());
        std::vector<char*> argv;
        for (std::string& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        execv(self, argv.data());
        _exit(127);
    }
    close(pipeFds[1]);
    std::string text;
    char buffer[4096];
    for (ssize_t n; (n = read(pipeFds[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, size_t(n));
    close(pipeFds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "zem-ui-bench: a start-up sample failed\n%s", text.c_str());
        return false;
    }
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t eol = text.find('\n', pos);
        const std::string line = text.substr(pos, eol == std::string::npos ? eol : eol - pos);
        pos = eol == std::string::npos ? text.size() : eol + 1;
        if (line.rfind("SAMPLE ", 0) == 0) {
            size_t p = 7;
            while (p < line.size()) {
                const size_t eq = line.find('=', p);
                const size_t sp = line.find(' ', p);
                if (eq == std::string::npos)
                    break;
                out.values[line.substr(p, eq - p)] = std::atof(line.c_str() + eq + 1);
                p = sp == std::string::npos ? line.size() : sp + 1;
            }
        } else if (line.rfind("SHOW ", 0) == 0) {
            char* end = nullptr;
            const double t = std::strtod(line.c_str() + 5, &end);
            out.shows.emplace_back(t, std::string(end + 1));
        }
    }
    return out.values.count("shown") != 0;
}

int Startup(const char* self, int runs, bool profile, const std::vector<std::string>& files) {
    // One run first: the first start of a fresh program directory asks the first-run
    // question and fills the file cache.
    Sample warm;
    if (!RunChild(self, false, files, warm))
        return 1;
    std::vector<Sample> samples;
    for (int i = 0; i < runs; ++i) {
        Sample s;
        if (!RunChild(self, false, files, s))
            return 1;
        samples.push_back(s);
    }
    const char* phases[] = {"libs", "main", "qapp", "init", "expose", "shown"};
    std::printf("start-up phases, ms from the fork (median of %d, %zu songs, Qt %s):\n", runs,
                files.size(), QT_VERSION_STR);
    for (const char* phase : phases) {
        std::vector<double> v;
        for (const Sample& s : samples)
            v.push_back(s.values.at(phase));
        std::printf("  %-8s %8.2f  (worst %.2f)\n", phase, Median(v), Worst(v));
    }
    if (!samples.front().shows.empty()) {
        std::printf("  windows shown during start-up (first sample):\n");
        for (const auto& [t, name] : samples.front().shows)
            std::printf("    %8.2f %s\n", t, name.c_str());
    }
    if (profile) {
        // What loading the plug-ins costs: their dlopen alone, and how much start-up shrinks
        // once they are loaded already; what the songs cost: the same start without them.
        std::vector<double> preload, initPreloaded, initBare, initNoSongs;
        for (const Sample& s : samples)
            initBare.push_back(s.values.at("init") - s.values.at("qapp"));
        for (int i = 0; i < runs; ++i) {
            Sample s;
            if (!RunChild(self, true, files, s))
                return 1;
            preload.push_back(s.values.at("preload"));
            initPreloaded.push_back(s.values.at("init") - s.values.at("qapp") -
                                    s.values.at("preload"));
            Sample n;
            if (!RunChild(self, false, {}, n))
                return 1;
            initNoSongs.push_back(n.values.at("init") - n.values.at("qapp"));
        }
        std::printf("start-up profile (medians, ms):\n");
        std::printf("  InitInstance                         %8.2f\n", Median(initBare));
        std::printf("  dlopen of the plug-ins alone         %8.2f\n", Median(preload));
        std::printf("  InitInstance, plug-ins preloaded     %8.2f\n", Median(initPreloaded));
        std::printf("  InitInstance, no songs               %8.2f\n", Median(initNoSongs));
    }
    std::vector<double> shown;
    for (const Sample& s : samples)
        shown.push_back(s.values.at("shown"));
    PrintResult("startup", "ms", shown);
    return 0;
}

// ---- The running program: four decks playing ----

struct Running {
    ProbeApplication& qtApp;
    Program program;
    std::vector<CZEMDoc*> decks;
    std::vector<unsigned long> startPositions;

    Running(ProbeApplication& app, const std::vector<std::string>& songs)
        : qtApp(app), program(songs) {}

    bool Start() {
        if (!program.app->InitInstance())
            return false;
        qtApp.mainFrame = program.app->MainFrame();
        decks = program.Decks();
        for (CZEMDoc* d : decks)
            if (MixerDevice* device = d->GetDevice())
                device->Play();
        Wait(1000);
        for (CZEMDoc* d : decks)
            startPositions.push_back(d->GetDevice() ? d->GetDevice()->GetPosition() : 0);
        return true;
    }

    // Checks that every deck is still playing and moved on.
    bool AllPlayed() {
        bool ok = true;
        for (size_t i = 0; i < decks.size(); ++i) {
            MixerDevice* device = decks[i]->GetDevice();
            const bool playing = device && device->IsPlaying();
            const unsigned long position = device ? device->GetPosition() : 0;
            std::printf("deck %zu: %s, position %lu -> %lu bytes\n", i,
                        playing ? "playing" : "NOT playing", startPositions[i], position);
            ok = ok && playing && position > startPositions[i];
        }
        return ok;
    }

    static void Wait(int ms) {
        QTimer::singleShot(ms, [] { QApplication::exit(0); });
        QApplication::exec();
    }
};

int Stall(int argc, char** argv, double seconds, int cycles, bool profile,
          const std::vector<std::string>& songs) {
    if (!EnterHome(argv))
        return 1;
    ProbeApplication qtApp(argc, argv);
    QApplication::setApplicationName("ZEM");
    const std::vector<std::string> four(songs.begin(), songs.begin() + 4);
    const std::string fifth = songs[4];
    Running run(qtApp, four);
    if (!run.Start())
        return 1;
    if (run.decks.size() != 4) {
        std::fprintf(stderr, "zem-ui-bench: %zu decks opened, not 4\n", run.decks.size());
        return 1;
    }
    qtApp.profile = profile;
    qtApp.costs.clear();

    // Gaps of the event loop: a 1 ms precise timer, and the largest interval between its ticks,
    // per cycle of opening and closing the fifth deck.
    const int64_t period = int64_t(seconds * 1e9 / cycles);
    std::vector<double> cycleWorst(size_t(cycles), 0.0), openMs, closeMs;
    double idleWorst = 0;
    int64_t last = NowNs();
    const int64_t begin = last;
    int64_t busyUntil = 0;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const int64_t now = NowNs();
        const double gap = Ms(now - last);
        const size_t cycle = std::min(size_t((last - begin) / period), size_t(cycles - 1));
        cycleWorst[cycle] = std::max(cycleWorst[cycle], gap);
        if (last > busyUntil)
            idleWorst = std::max(idleWorst, gap);
        last = now;
    });
    tick.start(1);
    ZemDocument* opened = nullptr;
    bool failed = false;
    for (int c = 0; c < cycles; ++c) {
        QTimer::singleShot(int((c * period + period / 4) / 1000000), [&] {
            const int64_t t = NowNs();
            opened = run.program.app->OpenDocumentFile(fifth);
            const int64_t e = NowNs();
            openMs.push_back(Ms(e - t));
            // What the open queued (first paint of the new window) lands in the next ticks.
            busyUntil = e + 100000000;
            failed = failed || !opened;
        });
        QTimer::singleShot(int((c * period + period * 3 / 5) / 1000000), [&] {
            if (!opened)
                return;
            const int64_t t = NowNs();
            opened->OnCloseDocument();
            const int64_t e = NowNs();
            opened = nullptr;
            closeMs.push_back(Ms(e - t));
            busyUntil = e + 100000000;
        });
    }
    Running::Wait(int(seconds * 1000));
    tick.stop();
    if (profile)
        qtApp.PrintCosts(seconds * 1000);
    qtApp.profile = false;
    for (int c = 0; c < cycles; ++c)
        std::printf("cycle %d: open %.2f ms, close %.2f ms, longest gap %.2f ms\n", c,
                    c < int(openMs.size()) ? openMs[size_t(c)] : 0.0,
                    c < int(closeMs.size()) ? closeMs[size_t(c)] : 0.0, cycleWorst[size_t(c)]);
    std::printf("longest gap away from the open and close: %.2f ms\n", idleWorst);
    std::printf("open: median %.2f ms, close: median %.2f ms\n", Median(openMs), Median(closeMs));
    const bool played = run.AllPlayed();
    if (failed || !played) {
        std::fprintf(stderr, "zem-ui-bench: %s\n",
                     failed ? "the fifth deck did not open" : "a deck stopped playing");
        return 1;
    }
    PrintResult("stall", "ms", cycleWorst);
    return 0;
}

// Runs body on the program started in the program directory with the four songs playing.
int WithFourDecks(int argc, char** argv, const std::vector<std::string>& songs,
                  const std::function<int(ProbeApplication&, Running&)>& body) {
    if (!EnterHome(argv))
        return 1;
    ProbeApplication qtApp(argc, argv);
    QApplication::setApplicationName("ZEM");
    Running run(qtApp, songs);
    if (!run.Start())
        return 1;
    if (run.decks.size() != 4) {
        std::fprintf(stderr, "zem-ui-bench: %zu decks opened, not 4\n", run.decks.size());
        return 1;
    }
    return body(qtApp, run);
}

int Cpu(int argc, char** argv, double seconds, bool profile,
        const std::vector<std::string>& songs) {
    return WithFourDecks(argc, argv, songs, [&](ProbeApplication& qtApp, Running& run) {
        // The first readouts after start-up are done; measure the steady state, one-second windows.
        qtApp.profile = profile;
        qtApp.costs.clear();
        std::vector<double> windows;
        const int count = std::max(1, int(seconds + 0.5));
        const int64_t wallBegin = NowNs();
        const double cpuBegin = ThreadCpuMs(), processBegin = ProcessCpuMs();
        double cpuLast = cpuBegin;
        int64_t wallLast = wallBegin;
        QTimer sampler;
        QObject::connect(&sampler, &QTimer::timeout, [&] {
            const int64_t now = NowNs();
            const double cpu = ThreadCpuMs();
            windows.push_back(100.0 * (cpu - cpuLast) / Ms(now - wallLast));
            cpuLast = cpu;
            wallLast = now;
            if (int(windows.size()) == count)
                QApplication::exit(0);
        });
        sampler.start(1000);
        QApplication::exec();
        const double wall = Ms(NowNs() - wallBegin);
        const double thread = ThreadCpuMs() - cpuBegin, process = ProcessCpuMs() - processBegin;
        if (profile)
            qtApp.PrintCosts(wall);
        qtApp.profile = false;
        std::printf("user-interface thread: %.1f ms CPU in %.0f ms (%.2f %% of a core); whole "
                    "process %.2f %%\n",
                    thread, wall, 100.0 * thread / wall, 100.0 * process / wall);
        if (!run.AllPlayed())
            return 1;
        PrintResult("ui_cpu", "%", windows);
        return 0;
    });
}

// What an interface plug-in sees while four decks play: a host call from a thread of its own
// there and back (the deck's position), and how late its progress events fire (the deck's
// position when the callback runs less the trigger).
struct Lateness {
    std::mutex lock;
    std::vector<double> ms;
};

bool RecordLateness(unsigned long progress, unsigned long trigger, int, int, void* user) {
    auto* late = static_cast<Lateness*>(user);
    std::lock_guard<std::mutex> guard(late->lock);
    late->ms.push_back(static_cast<double>(progress) - static_cast<double>(trigger));
    return true;
}

int Host(int argc, char** argv, double seconds, const std::vector<std::string>& songs) {
    return WithFourDecks(argc, argv, songs, [&](ProbeApplication&, Running& run) {
        // Events every 250 ms ahead of each deck, from 200 ms on, for the length of the run.
        Lateness late;
        const int perDeck = std::max(1, int(seconds * 4));
        late.ms.reserve(static_cast<size_t>(perDeck) * run.decks.size());
        for (CZEMDoc* d : run.decks) {
            const int channel = d->GetDevice()->GetChannel();
            unsigned long now = 0;
            ZEM_Device_GetPosition(now, channel);
            for (int k = 0; k < perDeck; ++k)
                ZEM_Device_AddProgressEvent(now + 200 + 250ul * static_cast<unsigned long>(k),
                                            RecordLateness, &late, k, channel);
        }
        std::vector<double> calls;
        std::thread plugin([&] {
            const int64_t end = NowNs() + static_cast<int64_t>(seconds * 1e9);
            while (NowNs() < end) {
                const int64_t begin = NowNs();
                unsigned long ms = 0;
                ZEM_Device_GetPosition(ms, -4);
                calls.push_back(static_cast<double>(NowNs() - begin) / 1e3);
                // A plug-in polls; it does not spin.
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
            }
            QMetaObject::invokeMethod(
                qApp, [] { QApplication::exit(0); }, Qt::QueuedConnection);
        });
        QApplication::exec();
        plugin.join();
        // The last events are still ahead of the decks when the run stops.
        Running::Wait(400);
        std::lock_guard<std::mutex> guard(late.lock);
        std::printf("host calls from a plug-in thread: %zu; progress events fired: %zu of %d\n",
                    calls.size(), late.ms.size(), perDeck * 4);
        if (!run.AllPlayed() || calls.empty() || late.ms.empty())
            return 1;
        PrintResult("host_call", "us", calls);
        PrintResult("progress_late", "ms", late.ms);
        return 0;
    });
}

int Usage() {
    std::fputs("usage: zem-ui-bench startup [--runs N] [--profile] SONG_A SONG_B\n"
               "       zem-ui-bench stall [--seconds S] [--cycles N] [--profile] SONG x5\n"
               "       zem-ui-bench cpu [--seconds S] [--profile] SONG x4\n"
               "       zem-ui-bench host [--seconds S] SONG x4\n"
               "Start it in the program directory.\n",
               stderr);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::strcmp(argv[1], "--startup-child") == 0) {
        const int64_t t0 = std::atoll(argv[2]);
        bool preload = false;
        std::vector<std::string> files;
        for (int i = 3; i < argc; ++i) {
            if (std::strcmp(argv[i], "--preload") == 0)
                preload = true;
            else
                files.push_back(argv[i]);
        }
        return StartupChild(1, argv, t0, preload, files);
    }
    if (argc < 2)
        return Usage();
    const std::string mode = argv[1];
    int runs = 20, cycles = 5;
    double seconds = 10;
    bool profile = false;
    std::vector<std::string> songs;
    for (int i = 2; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--runs" && i + 1 < argc)
            runs = std::max(1, std::atoi(argv[++i]));
        else if (a == "--seconds" && i + 1 < argc)
            seconds = std::max(1.0, std::atof(argv[++i]));
        else if (a == "--cycles" && i + 1 < argc)
            cycles = std::max(1, std::atoi(argv[++i]));
        else if (a == "--profile")
            profile = true;
        else if (a.rfind("--", 0) == 0)
            return Usage();
        else
            songs.push_back(a);
    }
    // Qt sees only the program name: the options are this program's.
    int qtArgc = 1;
    if (mode == "startup" && songs.size() == 2) {
        char self[4096];
        const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
        if (n <= 0)
            return 1;
        self[n] = 0;
        return Startup(self, runs, profile, songs);
    }
    if (mode == "stall" && songs.size() == 5)
        return Stall(qtArgc, argv, seconds, cycles, profile, songs);
    if (mode == "cpu" && songs.size() == 4)
        return Cpu(qtArgc, argv, seconds, profile, songs);
    if (mode == "host" && songs.size() == 4)
        return Host(qtArgc, argv, seconds, songs);
    return Usage();
}
