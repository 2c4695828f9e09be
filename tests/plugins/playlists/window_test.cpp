// The playlist plug-in as the program has it: the built library's entry points through dlopen,
// then playlist windows opened through document templates made from its view descriptors, with
// real files, the widgets on the offscreen platform and a fake host behind Hostlink.
#include "../../hostlink/idle_host.h"
#include "app/framework/zem_child_frame.h"
#include "app/framework/zem_doc_manager.h"
#include "app/framework/zem_doc_template.h"
#include "contracts/interface_module.h"
#include "contracts/view_descriptor.h"
#include "plugins/playlists/playlist_doc.h"
#include "plugins/playlists/playlist_frame.h"
#include "plugins/playlists/playlist_prompts.h"
#include "plugins/playlists/playlist_table.h"
#include "plugins/playlists/playlist_texts.h"
#include "plugins/playlists/playlist_view.h"
#include "tests/app/framework/memory_profile.h"
#include "tests/platform/test_dir.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <utility>
#include <vector>

using namespace playlists;

namespace {

void HostUpdate(void*) {}

std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Decks that open any path: the first goes to the left side, the second to the right.
class DeckHostFake : public IdleHost {
public:
    std::map<int, std::string> decks;
    std::vector<ZEM_ViewDescriptor*> added, removed;
    std::vector<std::pair<int, unsigned long>> fades;
    std::vector<int> played;
    int left = -1, right = -1;

    long AddView(ZEM_ViewDescriptor* v) override { return added.push_back(v), 1; }
    long RemoveView(ZEM_ViewDescriptor* v) override { return removed.push_back(v), 1; }
    bool FullFileInfo(const std::string& path, ZEM_FileInfo& info) override {
        info.tempoBPM = 120.5;
        info.totalMs = path.size() * 1000 + 999; // a length each path has its own
        return true;
    }
    int NewChannel(const std::string& path) override {
        const int id = static_cast<int>(decks.size());
        decks[id] = path;
        (left < 0 ? left : right) = id;
        return id;
    }
    int ChannelId(int c) override {
        return c == -4 ? left : c == -5 ? right : decks.count(c) ? c : -1;
    }
    int TotalTime(int c, unsigned long& ms) override { return ms = 240'000, ChannelId(c) >= 0; }
    int Play(int c) override { return played.push_back(ChannelId(c)), 1; }
    int FadeFader(int side, unsigned long ms) override { return fades.emplace_back(side, ms), 1; }
    int AddProgressEvent(int, unsigned long, ZEM_ProgressCallback, void*, int) override {
        return 1;
    }
    int RemoveAllProgressEvents(int) override { return 1; }
};

class PlaylistPlugin : public ::testing::Test {
protected:
    void SetUp() override {
        m_handle = dlopen(ZEM_PLAYLISTS_PLUGIN, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(m_handle, nullptr) << dlerror();
        const auto info =
            reinterpret_cast<InterfaceModuleInfoFunc>(dlsym(m_handle, kInterfaceModuleInfoExport));
        ASSERT_NE(info, nullptr);
        m_info.module = m_handle;
        ASSERT_EQ(info(&m_info), 1);
    }
    void TearDown() override {
        if (m_handle)
            dlclose(m_handle);
    }
    void* m_handle = nullptr;
    InterfaceModuleInfo m_info{};
};

// The program's side: one template per view type, as the host makes them, in a workspace.
class PlaylistWindow : public ::testing::Test {
protected:
    void SetUp() override {
        m_saved = Prompts();
        Prompts().message = [this](const std::string& text) { messages.push_back(text); };
        Prompts().askYesNo = [this](const std::string& text) {
            messages.push_back(text);
            return false;
        };
        Prompts().saveFileName = [this](const std::string&, const std::string& proposed,
                                        const std::string& filter) {
            proposedSave = proposed;
            saveFilter = filter;
            return saveAnswer;
        };
        workspace.resize(900, 700);
        workspace.show();
        manager.SetWorkspace(&workspace);
        manager.SetProfile(&profile);
        manager.SetSaveQuestion([this](const ZemDocument&) {
            ++saveQuestions;
            return ZemSaveAnswer::No;
        });
        zpl = add(kZplResource, kZplDocString);
        m3u = add(kM3uResource, kM3uDocString);
    }
    void TearDown() override {
        manager.CloseAllDocuments(false);
        Prompts() = m_saved;
    }
    ZemDocTemplate* add(unsigned id, const char* docString) {
        return manager.AddDocTemplate(std::make_unique<ZemDocTemplate>(
            id, docString, []() -> ZemDocument* { return new CPlaylistDoc; },
            []() -> ZemChildFrame* { return new CPlaylistFrame; },
            []() -> ZemView* { return new CPlaylistView; }));
    }
    CPlaylistView* open(const std::string& path) {
        ZemDocument* doc = manager.OpenDocumentFile(QString::fromStdString(path));
        return doc && !doc->GetViews().empty()
                   ? dynamic_cast<CPlaylistView*>(doc->GetViews().front())
                   : nullptr;
    }
    static void Key(QWidget* to, int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QKeyEvent override(QEvent::ShortcutOverride, key, mods);
        QApplication::sendEvent(to, &override);
        EXPECT_TRUE(override.isAccepted()) << "the playlist takes key " << key;
        QKeyEvent press(QEvent::KeyPress, key, mods);
        QApplication::sendEvent(to, &press);
    }

    DeckHostFake host;
    MemoryProfile profile;
    QMdiArea workspace;
    ZemDocManager manager;
    ZemDocTemplate* zpl = nullptr;
    ZemDocTemplate* m3u = nullptr;
    TestDir dir;
    std::vector<std::string> messages;
    std::string proposedSave, saveFilter, saveAnswer;
    int saveQuestions = 0;

private:
    PlaylistPrompts m_saved;
};

} // namespace

TEST_F(PlaylistPlugin, DescribesItselfAndRegistersBothPlaylistKinds) {
    EXPECT_STREQ(m_info.description,
                 "Playlist interface plugin\r\n\r\n- Auto DJ\r\n- Drag and drop support");
    InterfaceModuleFunctionTable table{};
    table.update = HostUpdate;
    InterfaceModuleFunctionTable* pointer = &table;
    ASSERT_EQ(m_info.initialise(&pointer), 1);
    EXPECT_EQ(table.update, &HostUpdate) << "the fourth slot stays as the host set it";
    ASSERT_TRUE(table.data && table.constructor && table.destructor && table.settings);

    DeckHostFake host;
    table.constructor(table.data);
    ASSERT_EQ(host.added.size(), 2u);
    const ZEM_ViewDescriptor& zplView = *host.added[0];
    const ZEM_ViewDescriptor& m3uView = *host.added[1];
    EXPECT_STREQ(zplView.name, "ZEM Playlist");
    EXPECT_STREQ(m3uView.name, "M3U Playlist");
    EXPECT_EQ(zplView.resource, 134u);
    EXPECT_EQ(m3uView.resource, 135u);
    const auto flags = [](const ZEM_ViewDescriptor& v) {
        return std::vector<int>{v.reserved1, v.reserved2, v.inFileNew, v.openAtOnce};
    };
    EXPECT_EQ(flags(zplView), (std::vector<int>{1, 1, 1, 0}));
    EXPECT_EQ(flags(m3uView), (std::vector<int>{1, 1, 0, 0}));
    EXPECT_EQ(zplView.resourcesModule, m_handle);
    const auto strings = reinterpret_cast<ZEM_GetResourceStringFunc>(
        dlsym(zplView.resourcesModule, kGetResourceStringExport));
    ASSERT_NE(strings, nullptr);
    EXPECT_STREQ(strings(134), kZplDocString);
    EXPECT_STREQ(strings(135), kM3uDocString);
    EXPECT_EQ(strings(136), nullptr);

    table.destructor(table.data);
    ASSERT_EQ(host.removed.size(), 2u);
    EXPECT_EQ(host.removed[0], host.added[0]);
    EXPECT_EQ(host.removed[1], host.added[1]);
}

TEST_F(PlaylistWindow, OpensAPlaylistShowsItsTotalAndSavesTheRowsInTheirOrder) {
    const std::string list = dir.file("party.zpl");
    std::ofstream(list) << "<1.80>\nb.mp3|118.5|100|0\na.mp3|-1.000000|0|0\n";
    CPlaylistView* view = open(list);
    ASSERT_NE(view, nullptr);
    CPlaylistDoc* doc = view->Document();
    ASSERT_EQ(view->Rows()->RowCount(), 2);
    // Drawing the rows looks up the entry whose BPM was pending.
    QApplication::processEvents();
    view->Table()->viewport()->repaint();
    EXPECT_FLOAT_EQ(doc->Entries()[1].bpm, 120.5f);
    const int second = static_cast<int>(dir.file("a.mp3").size());
    EXPECT_EQ(doc->Entries()[1].totalTime, second);
    doc->UpdateTotal();
    char title[64];
    std::snprintf(title, sizeof title, "party.zpl   <0:%02d:%02d>", (100 + second) / 60,
                  (100 + second) % 60);
    EXPECT_EQ(doc->GetTitle().toStdString(), title);

    // Opened again (the files reopened at start, a drop): the window it has, no second one.
    EXPECT_EQ(open(dir.path() + "/./party.zpl"), nullptr);
    EXPECT_EQ(zpl->GetDocuments().size(), 1u);

    // A click on "File" sorts; the save follows the rows, not the array.
    view->Table()->horizontalHeader()->sectionClicked(0);
    doc->DoFileSave();
    EXPECT_EQ(Read(list), "<1.80>\n" + dir.file("a.mp3") + "|120.500000|" + std::to_string(second) +
                              "|0\n" + dir.file("b.mp3") + "|118.500000|100|0\n");

    // Del removes the focused row and marks the document modified.
    view->Rows()->SetSelection({0});
    Key(view->Table(), Qt::Key_Delete);
    EXPECT_EQ(view->Rows()->RowCount(), 1);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_TRUE(doc->GetTitle().endsWith(" *"));
}

TEST_F(PlaylistWindow, AnM3uIsSavedOnlyByConvertingItToZpl) {
    const std::string list = dir.file("old.m3u");
    std::ofstream(list) << "#EXTM3U\n#EXTINF:100,Artist - Song\nsong.mp3\n";
    profile.WriteProfileInt("Playlist", "Autosave", 1);
    CPlaylistView* view = open(list);
    ASSERT_NE(view, nullptr);
    CPlaylistDoc* doc = view->Document();
    EXPECT_EQ(doc->GetDocTemplate(), m3u);
    ASSERT_EQ(view->Rows()->RowCount(), 1) << "the # lines are not songs";

    EXPECT_FALSE(doc->DoFileSave());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages.back(), kCannotSaveM3u);
    EXPECT_EQ(Read(list).substr(0, 8), "#EXTM3U\n") << "the file is left alone";

    saveAnswer = dir.file("new.zpl");
    EXPECT_TRUE(doc->DoSave(QString(), true));
    EXPECT_EQ(proposedSave, dir.file("old.zpl"));
    EXPECT_EQ(saveFilter, "ZEM Playlist (*.zpl)");
    EXPECT_EQ(messages.back(), kConversionDone);
    EXPECT_EQ(Read(saveAnswer).substr(0, 7), "<1.80>\n");
    EXPECT_EQ(doc->GetDocTemplate(), m3u);

    // Closed unmodified with "Autosave" on: the save runs and says why it cannot.
    messages.clear();
    view->GetParentFrame()->close();
    QApplication::processEvents();
    EXPECT_EQ(messages, std::vector<std::string>{kCannotSaveM3u});
}

TEST_F(PlaylistWindow, KeysDropsAndTheAutoDjBoxDriveTheWindow) {
    std::ofstream(dir.file("set.zpl")) << "<1.80>\na.mp3|120|200|0\nb.mp3|120|200|0\n";
    CPlaylistView* view = open(dir.file("set.zpl"));
    ASSERT_NE(view, nullptr);
    PlaylistRows& rows = *view->Rows();

    // Space marks the focused row as next.
    rows.SetFocusRow(1);
    Key(view->Table(), Qt::Key_Space);
    EXPECT_EQ(rows.NextRow(), 1);

    // A drop of text adds the pieces before each "|".
    QMimeData drop;
    std::ofstream(dir.file("c.mp3")) << "x";
    drop.setText(QString::fromStdString(dir.file("c.mp3") + "|" + dir.file("set.zpl")));
    view->AddDropped(PlaylistTable::DroppedPaths(drop));
    EXPECT_EQ(rows.RowCount(), 3);

    // Ctrl+A turns the Auto DJ on: it loads both sides from the next row on, fades to the left
    // and starts it.
    Key(view->Table(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_TRUE(view->findChild<QCheckBox*>("autoDj")->isChecked());
    ASSERT_EQ(host.decks.size(), 2u);
    EXPECT_EQ(host.decks[0], dir.file("b.mp3"));
    EXPECT_EQ(host.decks[1], dir.file("c.mp3"));
    EXPECT_EQ(host.fades, (std::vector<std::pair<int, unsigned long>>{{-4, 7000}}));
    EXPECT_EQ(host.played, std::vector<int>{0});
    const std::unique_ptr<QMenu> menu = view->MakeMenu();
    const QList<QAction*> items = menu->actions();
    ASSERT_FALSE(items.isEmpty());
    EXPECT_EQ(items[0]->text(), "&Mark file as next opened");
    const auto autoDjItem = std::find_if(items.begin(), items.end(),
                                         [](QAction* a) { return a->text() == "&Auto DJ"; });
    ASSERT_NE(autoDjItem, items.end());
    EXPECT_TRUE((*autoDjItem)->isChecked());

    // The box turns it off again; closing the window stores the columns.
    view->findChild<QCheckBox*>("autoDj")->click();
    EXPECT_FALSE(view->AutoDjLogic()->IsOn());
    view->Table()->setColumnWidth(1, 77);
    view->GetParentFrame()->close();
    QApplication::processEvents();
    EXPECT_EQ(profile.GetProfileString("Playlist", "Column BPM", ""), "1,77");
    EXPECT_EQ(profile.GetProfileString("Playlist", "Column File", ""), "0,130");
}

TEST_F(PlaylistWindow, TheSettingsDialogWritesItsSixKeysOnOkOnly) {
    ZemDocument* doc = zpl->OpenDocumentFile(QString());
    ASSERT_TRUE(doc && !doc->GetViews().empty());
    auto* view = dynamic_cast<CPlaylistView*>(doc->GetViews().front());
    ASSERT_NE(view, nullptr);
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), "Playlist settings...");
        dialog->findChild<QSpinBox*>("startFading")->setValue(20000); // kept within 10000
        dialog->findChild<QSpinBox*>("fadeFor")->setValue(4);
        dialog->accept();
    });
    view->RunCommand(CPlaylistView::kSettings);
    EXPECT_EQ(profile.GetProfileInt("Playlist", "Default start fading", 0), 10000);
    EXPECT_EQ(profile.GetProfileInt("Playlist", "Default fade for", 0), 4);
    for (const char* key :
         {"Fade at cue 9", "Play on initial AutoDJ on", "Prompt on error", "Autosave"})
        EXPECT_EQ(profile.GetProfileInt("Playlist", key, 0), 1) << key;
    QTimer::singleShot(0,
                       [] { qobject_cast<QDialog*>(QApplication::activeModalWidget())->reject(); });
    profile.values.clear();
    view->RunCommand(CPlaylistView::kSettings);
    EXPECT_TRUE(profile.values.empty()) << "Cancel writes nothing";
}
