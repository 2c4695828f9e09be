// The example plug-in against a fake host: its logic directly, then the built library as the
// program sees it, loaded with dlopen and driven through its exports and view descriptor, with
// its widgets on the offscreen platform.
#include "../../hostlink/idle_host.h"
#include "app/framework/doc_string.h"
#include "app/framework/zem_child_frame.h"
#include "app/framework/zem_document.h"
#include "app/framework/zem_view.h"
#include "contracts/interface_module.h"
#include "contracts/view_descriptor.h"
#include "plugins/fader_sides/fader_sides_model.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMdiArea>
#include <QMessageBox>
#include <QPushButton>

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

using Fades = std::vector<std::pair<int, unsigned long>>;

struct FakeDeck {
    std::string path;
    unsigned long positionMs = 0;
    unsigned long totalMs = 0;
    int playStatus = 0;
};

// Decks answered from the fields below, view and fade requests recorded; installed for its life.
class FakeHost : public IdleHost {
public:
    std::map<int, FakeDeck> decks; // by deck ID
    int leftId = -1;               // the deck on each crossfader side, -1 for none
    int rightId = -1;
    std::vector<ZEM_ViewDescriptor*> added, removed;
    Fades fades;

    int ChannelId(int c) override {
        return c == -4 ? leftId : c == -5 ? rightId : decks.count(c) ? c : -1;
    }
    bool DeckFileInfo(int c, ZEM_FileInfo& info) override {
        if (const FakeDeck* d = find(c))
            std::strncpy(info.path, d->path.c_str(), sizeof info.path - 1);
        return find(c);
    }
    int Position(int c, unsigned long& ms) override { return answer(c, &FakeDeck::positionMs, ms); }
    int TotalTime(int c, unsigned long& ms) override { return answer(c, &FakeDeck::totalMs, ms); }
    int PlayStatus(int c) override { return find(c) ? find(c)->playStatus : 0; }
    long AddView(ZEM_ViewDescriptor* v) override { return added.push_back(v), 0; }
    long RemoveView(ZEM_ViewDescriptor* v) override { return removed.push_back(v), 1; }
    int FadeFader(int side, unsigned long ms) override { return fades.emplace_back(side, ms), 1; }

private:
    const FakeDeck* find(int c) {
        const auto it = decks.find(ChannelId(c));
        return it == decks.end() ? nullptr : &it->second;
    }
    int answer(int c, unsigned long FakeDeck::*field, unsigned long& ms) {
        ms = find(c) ? find(c)->*field : 0;
        return find(c) ? 1 : 0;
    }
};

TEST(FaderSidesModel, TextsOfTimesNamesAndDecks) {
    using namespace fader_sides;
    EXPECT_EQ(FormatTime(65'999), "1:05");
    EXPECT_EQ(FormatTime(3'725'000), "62:05");
    EXPECT_EQ(FileName("C:\\Music\\Old.mp3"), "Old.mp3");
    EXPECT_EQ(FileName("Bare.mp3"), "Bare.mp3");
    const SideTexts stopped = TextsOf({7, "b.mp3", 1'000, 61'000, false});
    EXPECT_EQ(stopped.channel + "|" + stopped.time + "|" + stopped.state,
              "Deck 7|0:01 / 1:01|Stopped");
}

TEST(FaderSidesModel, FadesAwayFromThePlayingSideElseAlternates) {
    FakeHost host;
    host.decks[0] = {"a.mp3", 0, 1000, 0};
    host.decks[1] = {"b.mp3", 0, 1000, 1};
    host.leftId = 0;
    host.rightId = 1;
    fader_sides::FaderSidesModel model;
    model.Refresh();
    EXPECT_EQ(model.FadeButtonText(), "Fade to left");
    model.Fade();
    model.Fade(); // still clear: the same way again
    host.decks[1].playStatus = 0;
    model.Refresh();
    model.Fade(); // neither plays: the other way from the last fade
    model.Fade();
    EXPECT_EQ(host.fades, (Fades{{-4, 3000}, {-4, 3000}, {-5, 3000}, {-4, 3000}}));
}

class FaderSidesPlugin : public ::testing::Test {
protected:
    void SetUp() override {
        m_handle = dlopen(ZEM_FADER_SIDES_PLUGIN, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(m_handle, nullptr) << dlerror();
        const auto info =
            reinterpret_cast<InterfaceModuleInfoFunc>(dlsym(m_handle, kInterfaceModuleInfoExport));
        ASSERT_NE(info, nullptr);
        m_info.module = m_handle; // as the host fills it before the call
        ASSERT_NE(info(&m_info), 0);
        ASSERT_NE(m_info.initialise, nullptr);
        InterfaceModuleFunctionTable* table = &m_table;
        ASSERT_EQ(m_info.initialise(&table), 1);
    }
    void TearDown() override {
        if (m_handle)
            dlclose(m_handle);
    }
    static std::string text(QWidget* view, const char* name) {
        const auto* label = view->findChild<QLabel*>(QString::fromLatin1(name));
        return label ? label->text().toStdString() : std::string("<no label> ") + name;
    }

    void* m_handle = nullptr;
    InterfaceModuleInfo m_info{};
    InterfaceModuleFunctionTable m_table{};
};

TEST_F(FaderSidesPlugin, ExportsItsEntryPointsOnly) {
    EXPECT_STRNE(m_info.description, "");
    EXPECT_TRUE(m_table.constructor && m_table.destructor && m_table.settings);
    std::set<std::string> exported; // the functions in the dynamic symbol table
    FILE* nm = popen("nm -D --defined-only " ZEM_FADER_SIDES_PLUGIN, "r");
    ASSERT_NE(nm, nullptr);
    char type = 0, name[480];
    for (char line[512]; std::fgets(line, sizeof line, nm);)
        if (std::sscanf(line, "%*s %c %479s", &type, name) == 2 && type == 'T')
            exported.insert(name);
    EXPECT_EQ(pclose(nm), 0);
    EXPECT_EQ(exported,
              (std::set<std::string>{kInterfaceModuleInfoExport, kInterfaceModuleInitializerExport,
                                     kGetResourceStringExport}));
    EXPECT_EQ(reinterpret_cast<void*>(m_info.initialise),
              dlsym(m_handle, kInterfaceModuleInitializerExport));
}

TEST_F(FaderSidesPlugin, ShowsTheSidesFadesAndUnregisters) {
    FakeHost host;
    host.decks[3] = {"/music/Left Song.mp3", 65'000, 200'000, 1};
    host.leftId = 3;
    m_table.constructor(m_table.data);
    ASSERT_EQ(host.added.size(), 1u);
    ZEM_ViewDescriptor* view = host.added.front();
    EXPECT_STREQ(view->name, "Fader sides");
    EXPECT_EQ(view->inFileNew + view->openAtOnce, 0);

    // The document string, read as the host reads it: through the resources module.
    const auto get = reinterpret_cast<ZEM_GetResourceStringFunc>(
        dlsym(view->resourcesModule, kGetResourceStringExport));
    ASSERT_TRUE(get && get(view->resource));
    const std::string docString = get(view->resource);
    EXPECT_EQ(std::count(docString.begin(), docString.end(), '\n'), 6);
    EXPECT_EQ(ZemGetDocStringField(docString, kDocStringWindowTitle), "Fader sides");

    // Put together as the host's template does: the frame into the workspace, then the view.
    QMdiArea workspace;
    workspace.resize(800, 600);
    workspace.show();
    ZemDocument* document = view->makeDocument();
    ZemChildFrame* frame = view->makeFrame();
    ZemView* widget = view->makeView();
    ASSERT_TRUE(document && frame && widget);
    workspace.addSubWindow(frame);
    document->AddView(widget);
    frame->SetView(widget);
    frame->OnInitialUpdateFrame(document, true);
    EXPECT_GE(frame->minimumWidth(), widget->minimumSizeHint().width());
    EXPECT_GE(frame->minimumHeight(), widget->minimumSizeHint().height());
    frame->resize(10, 10); // squeezed, no label may get narrower than its text but file names
    QApplication::processEvents();
    for (const QLabel* label : widget->findChildren<QLabel*>()) {
        if (!label->objectName().endsWith(QStringLiteral("File"))) {
            EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();
        }
    }

    EXPECT_EQ(text(widget, "leftChannel"), "Deck 3");
    EXPECT_EQ(text(widget, "leftFile"), "Left Song.mp3");
    EXPECT_EQ(text(widget, "leftTime"), "1:05 / 3:20");
    EXPECT_EQ(text(widget, "leftState"), "Playing");
    EXPECT_EQ(text(widget, "rightChannel"), "No deck");
    EXPECT_EQ(text(widget, "rightTime"), "");
    host.decks[3].positionMs = 66'000; // the timer picks it up
    QElapsedTimer waited;
    waited.start();
    while (text(widget, "leftTime") != "1:06 / 3:20" && waited.elapsed() < 2000)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    EXPECT_EQ(text(widget, "leftTime"), "1:06 / 3:20");

    auto* button = widget->findChild<QPushButton*>(QStringLiteral("fade"));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text().toStdString(), "Fade to right");
    button->click();
    EXPECT_EQ(host.fades, (Fades{{-5, 3000}}));
    delete frame; // the view goes with it, and the document with its last view

    m_table.settings(m_table.data); // opens the about box without waiting for it
    auto* about = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->text().toStdString(), fader_sides::AboutText());
    about->close();

    m_table.destructor(m_table.data);
    EXPECT_EQ(host.removed, std::vector<ZEM_ViewDescriptor*>{view});
}

} // namespace
