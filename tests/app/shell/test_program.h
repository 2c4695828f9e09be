// The program as main() builds it, for tests on the offscreen platform: a profile in memory,
// dialogs that record what they were asked, real songs in a folder of the test's own.
#pragma once

#include "../../engine/mixer/song_file.h"
#include "../../platform/test_dir.h"
#include "../framework/memory_profile.h"
#include "app/decks/app_context.h"
#include "app/decks/deck_view/deck_frame.h"
#include "app/decks/deck_view/zem_doc.h"
#include "app/decks/mixer_view/mixer_view.h"
#include "app/framework/command_router.h"
#include "app/framework/zem_doc_template.h"
#include "app/shell/command_line.h"
#include "app/shell/main_frame.h"
#include "app/shell/shell_dialogs.h"
#include "app/shell/zem_app.h"
#include "engine/foundations/standard_dirs.h"

#include <QLabel>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace zem::shell::testing {

class FakeDialogs : public ShellDialogs {
public:
    std::vector<std::string> messages;
    std::vector<std::string> questions;
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    bool AskYesNo(const std::string& text) override {
        questions.push_back(text);
        return false;
    }
    bool AskWarning(const std::string&, const std::string& text) override {
        questions.push_back(text);
        return false;
    }
    bool Told(const std::string& start) const {
        for (const std::string& m : messages)
            if (m.rfind(start, 0) == 0)
                return true;
        return false;
    }
};

// The program as main() builds it, on a profile in memory; the decks play on the built-in
// silent card, in real time.
struct Program {
    TestDir dir;
    MemoryProfile profile;
    FakeDialogs dialogs;
    ShellExtensions extensions;
    std::unique_ptr<CZEMApp> app;

    Program() {
        const std::string engineProfile = dir.file("ZEM.ini");
        std::ofstream(engineProfile) << "[Playback]\n";
        setenv("ZEM_PROFILE", engineProfile.c_str(), 1);
        InstallUserInterfaceHooks(&dialogs);
        CDeckFrame::SetCloseQuestion([this](QWidget*, const QString& title, const QString& text) {
            return dialogs.AskWarning(title.toStdString(), text.toStdString());
        });
    }
    ~Program() {
        Stop();
        InstallUserInterfaceHooks(nullptr);
        CDeckFrame::SetCloseQuestion({});
    }
    std::string Song(const std::string& name, double hz = 440.0) {
        const std::string path = dir.file(name);
        EXPECT_TRUE(WriteToneWav(path, 2.0, hz));
        // Settings files live in the program directory and outlast the test's songs.
        char zec[512];
        std::snprintf(zec, sizeof zec, "%s", path.c_str());
        FNameToZEC(zec);
        std::remove(zec);
        return path;
    }
    bool Start(const std::vector<std::string>& args = {}) {
        app = std::make_unique<CZEMApp>(profile, dialogs, extensions,
                                        ParseCommandLine(args, dir.path()), dir.path());
        return app->InitInstance();
    }
    // Closes the main window as the user does, then the rest of the shutdown.
    void Stop() {
        if (!app)
            return;
        if (app->MainFrame())
            app->MainFrame()->close();
        app->ExitInstance();
        app.reset();
    }
    std::vector<CZEMDoc*> Decks() const {
        std::vector<CZEMDoc*> decks;
        for (ZemDocTemplate* t : app->Documents().GetTemplates())
            for (ZemDocument* d : t->GetDocuments())
                if (auto* deck = dynamic_cast<CZEMDoc*>(d))
                    decks.push_back(deck);
        return decks;
    }
    zem::board::MixerBoard& Board() const { return AppContext().mixerView->Board(); }
    bool Route(int id) const { return app->MainFrame()->Router()->Route(id); }
    QString CenterPane() const {
        return app->MainFrame()->findChild<QLabel*>(QStringLiteral("59143"))->text();
    }
};

} // namespace zem::shell::testing
