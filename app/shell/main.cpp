// zem: the DJ mixing program.
#include "app/decks/deck_view/deck_frame.h"
#include "app/decks/deck_view/zem_doc.h"
#include "app/decks/mixer_view/mixer_view.h"
#include "app/shell/command_line.h"
#include "app/shell/main_frame.h"
#include "app/shell/program_extensions.h"
#include "app/shell/screenshot.h"
#include "app/shell/shell_dialogs.h"
#include "app/shell/signal_close.h"
#include "app/shell/widget_map.h"
#include "app/shell/zem_app.h"
#include "platform/program_home.h"

#include <QApplication>
#include <QDialog>

#include <cstdio>
#include <memory>

namespace {

constexpr char kUsage[] =
    "usage: zem [--home DIR] [--screenshot FILE.png] [-log] [FILE...]\n"
    "  --home DIR             program directory (plug-ins, skins, settings); default: run/ of\n"
    "                         the build folder\n"
    "  --screenshot FILE.png  after start-up, write a picture of the main window and exit\n"
    "  --widget-map FILE      after start-up, list where the named controls are on the screen\n"
    "  -log                   note every engine error in the log as it happens\n";

using namespace zem::shell;

int Fail(const std::string& text) {
    std::fprintf(stderr, "zem: %s\n%s", text.c_str(), kUsage);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    for (const std::string& a : args)
        if (a == "--help" || a == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
    CommandLine early = ParseCommandLine(args, {});
    if (!early.errors.empty())
        return Fail(early.errors.front());
    zem::ProgramHome home;
    std::string error;
    if (!zem::EnterProgramHome(argv, early.home, home, error)) {
        std::fprintf(stderr, "zem: %s\n", error.c_str());
        return 1;
    }
    CommandLine commandLine = ParseCommandLine(args, home.startDir);
    const bool screenshot = !commandLine.screenshot.empty();
    const auto fromStartDir = [&home](const std::string& path) {
        return path.empty() || path[0] == '/' ? path : home.startDir + "/" + path;
    };
    const std::string screenshotPath = fromStartDir(commandLine.screenshot);
    const std::string widgetMapPath = fromStartDir(commandLine.widgetMap);

    // Whole scale factors only: a skin's bitmaps then grow by whole pixels and stay sharp.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::Round);
    QApplication qtApp(argc, argv);
    QApplication::setApplicationName("ZEM");
    // A run that only takes a picture has nobody to answer questions.
    MessageBoxDialogs boxes;
    UnattendedDialogs unattended;
    ShellDialogs& dialogs = screenshot ? static_cast<ShellDialogs&>(unattended) : boxes;
    InstallUserInterfaceHooks(&dialogs);
    CDeckFrame::SetCloseQuestion([&dialogs](QWidget*, const QString& title, const QString& text) {
        return dialogs.AskWarning(title.toStdString(), text.toStdString());
    });
    CZEMDoc::SetMixerBoardRefresh([] {
        if (CMixerView* board = AppContext().mixerView)
            board->Refresh();
    });

    int result = 0;
    {
        ProgramProfile profile;
        ProgramExtensions extensions;
        CZEMApp app(profile, dialogs, extensions, commandLine, home.startDir);
        extensions.SetFileChooser([&app](QWidget* parent) { return app.ChooseSongFile(parent); });
        app.SetKeepSession(screenshot);
        extensions.SetStartupWindows(!screenshot);
        // A signal while start-up still runs (a first-run question open, say) closes once
        // start-up is over; the window does not close under steps still building it.
        bool started = false;
        bool closeWanted = false;
        SignalClose signalClose([&app, &boxes, &started, &closeWanted] {
            closeWanted = true;
            boxes.SetUnattended();
            // An open question or dialog would hold the close up: it is answered with cancel.
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* dialog = qobject_cast<QDialog*>(w); dialog && dialog->isVisible())
                    dialog->reject();
            if (!started)
                return;
            if (CMainFrame* frame = app.MainFrame(); frame && frame->isVisible())
                frame->close();
            else
                QApplication::quit();
        });
        if (!app.InitInstance()) {
            result = 1;
        } else {
            started = true;
            boxes.SetParent(app.MainFrame());
            if (!widgetMapPath.empty())
                WriteWidgetMapWhenSettled(*app.MainFrame(), widgetMapPath);
            if (screenshot)
                TakeScreenshotWhenSettled(*app.MainFrame(), screenshotPath, result);
            if (closeWanted)
                app.MainFrame()->close();
            // The close may have been refused; the loop ends once the window is gone.
            if (app.MainFrame()->isVisible()) {
                const int loop = QApplication::exec();
                if (result == 0)
                    result = loop;
            }
        }
        app.ExitInstance();
    }
    InstallUserInterfaceHooks(nullptr);
    return result;
}
