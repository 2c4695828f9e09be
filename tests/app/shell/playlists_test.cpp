// The playlist plug-in in the program, in a program directory of its own with the sound-file
// decoder and the plug-in only.
#include "app/framework/zem_doc_template.h"
#include "app/shell/program_extensions.h"
#include "contracts/hostlink.h"
#include "test_program.h"

#include <QMimeData>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

using namespace zem::shell;
using namespace zem::shell::testing;

// The playlist plug-in in the program: a playlist named on the command line opens once the
// plug-ins are loaded, File Open offers both playlist kinds, and an ".m3u" dropped on the main
// window opens in a playlist window.
TEST(ProgramPlaylists, OpenFromTheCommandLineFileOpenAndDrops) {
    Program p;
    ProgramExtensions extensions;
    extensions.SetKeyFile(p.dir.file("zemkeys.cfg"));
    extensions.SetSoundEffectsFile(p.dir.file("sfx.cfg"));
    std::ofstream(std::string(ZEM_GetZEMPath(3)) + "/ControlModules.cfg")
        << "ZEM_GEN_Playlists.so\n";
    // An ".m3u" cannot be saved: its autosave at the close would ask.
    p.profile.WriteProfileInt("Playlist", "Autosave", 0);
    const std::string a = p.Song("a.wav");
    std::ofstream(p.dir.file("set.zpl")) << "a.wav\n";
    std::ofstream(p.dir.file("old.m3u")) << "#EXTM3U\n" << a << "\n";
    p.app = std::make_unique<CZEMApp>(p.profile, p.dialogs, extensions,
                                      ParseCommandLine({p.dir.file("set.zpl")}, p.dir.path()),
                                      p.dir.path());
    ASSERT_TRUE(p.app->InitInstance());
    const auto open = [&](const char* ext) {
        std::vector<std::string> paths;
        for (ZemDocTemplate* t : p.app->Documents().GetTemplates())
            if (t->GetDocString(kDocStringFilterExt) == ext)
                for (ZemDocument* d : t->GetDocuments())
                    paths.push_back(d->GetPathName().toStdString());
        return paths;
    };
    EXPECT_EQ(open(".zpl"), std::vector<std::string>{p.dir.file("set.zpl")});
    EXPECT_TRUE(p.Decks().empty()) << "the playlist is not opened as a song";

    const auto types = p.app->OpenableFileTypes();
    const auto offered = [&](const std::string& name, const std::string& ext) {
        return std::find(types.begin(), types.end(), std::make_pair(name, ext)) != types.end();
    };
    EXPECT_TRUE(offered("ZEM Playlist", ".zpl"));
    EXPECT_TRUE(offered("WinAMP Playlist", ".m3u"));

    QMimeData drop;
    drop.setText(QString::fromStdString(p.dir.file("old.m3u") + "|"));
    EXPECT_EQ(p.app->MainFrame()->AnswerDragStep(3, &drop, QPoint()), 1);
    EXPECT_EQ(open(".m3u"), std::vector<std::string>{p.dir.file("old.m3u")});
    p.Stop(); // while the extensions are still there
}
