// Plug-in view types on the offscreen platform: a real plug-in registers its types through
// Hostlink, the menus list them, view commands open them, and closing the main window takes
// them down again.
#include "fake_host.h"
#include "test_folder.h"

#include "../framework/memory_profile.h"
#include "app/framework/zem_child_frame.h"
#include "app/framework/zem_doc_manager.h"
#include "app/framework/zem_doc_template.h"
#include "app/framework/zem_document.h"
#include "app/framework/zem_view.h"
#include "app/interface_plugins/module_list.h"
#include "app/interface_plugins/view_menus.h"
#include "app/interface_plugins/view_types.h"
#include "contracts/view_descriptor.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>

#include <gmock/gmock.h>

#include <cstring>

using namespace zem::interface_plugins;
using ::testing::ElementsAre;

namespace {

void Settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

// "text=command" for each item of menu, top first.
std::vector<std::string> Items(QMenu* menu) {
    std::vector<std::string> items;
    if (!menu)
        return items;
    for (QAction* a : menu->actions())
        items.push_back(a->text().toStdString() + "=" + a->data().toString().toStdString());
    return items;
}

class Views : public PluginFolder {
protected:
    void SetUp() override {
        PluginFolder::SetUp();
        area.resize(800, 600);
        area.show();
        documents.SetWorkspace(&area);
        documents.SetProfile(&profile);
        // The program's menus as far as the view types touch them.
        file = menuBar.addMenu("&File");
        file->addAction("&Open...");
        QMenu* settings = menuBar.addMenu("&Settings");
        settings->addAction("&Device settings...");
        ui = settings->addMenu("&Interface");
        ui->addAction("General...");
        types.SetMenuBar(&menuBar);
    }
    void TearDown() override {
        modules.DestroyAll();
        Settle();
        PluginFolder::TearDown();
    }

    QMenu* interfaceViews() { return FindSubmenu(*ui, kInterfaceViewsMenu); }
    QMenu* fileNew() { return FindSubmenu(*file, "&New"); }

    QMdiArea area;
    MemoryProfile profile;
    ZemDocManager documents;
    QMenuBar menuBar;
    QMenu* file = nullptr;
    QMenu* ui = nullptr;
    CInterfaceViewTypes types{documents};
    FakeHost host{&types};
    CInterfaceModules modules{plugins, ini, [](const std::string&) {}};
};

ZemDocument* MakeDocument() {
    return new ZemDocument;
}
ZemChildFrame* MakeFrame() {
    return new ZemChildFrame;
}
ZemView* MakeView() {
    return new ZemView;
}

} // namespace

TEST_F(Views, PluginTypesAreListedLastFirstAndOnlyFlaggedOnesUnderNew) {
    modules.Add(install("playlist"));
    ASSERT_EQ(types.Descriptors().size(), 2u);
    EXPECT_THAT(Items(interfaceViews()), ElementsAre("M3U Playlist=4481", "ZEM Playlist=4480"));
    EXPECT_THAT(Items(fileNew()), ElementsAre("M3U Playlist=4481"));
    EXPECT_EQ(ui->actions().back()->menu(), interfaceViews());
    EXPECT_EQ(file->actions().front()->menu(), fileNew());

    // The plug-in's own document string, or one made from the name when it has none.
    ZemDocTemplate* zem = types.Descriptors()[0]->docTemplate;
    ZemDocTemplate* m3u = types.Descriptors()[1]->docTemplate;
    EXPECT_EQ(zem->GetDocumentString(),
              "\nPlaylist\n\nZEM playlists\n.zpl\nZEM.Playlist\nZEM Playlist");
    EXPECT_EQ(m3u->GetDocumentString(), "\nM3U Playlist\n\n\n\n\n");
    EXPECT_THAT(documents.GetTemplates(), ElementsAre(zem, m3u));

    // The view commands: one a type, none past the last type.
    ZemCommandState state;
    EXPECT_TRUE(types.OnUpdateCommand(4481, state));
    EXPECT_TRUE(state.IsEnabled());
    EXPECT_TRUE(types.OnUpdateCommand(4482, state));
    EXPECT_FALSE(state.IsEnabled());
    EXPECT_FALSE(types.OnUpdateCommand(4581, state));
    ASSERT_TRUE(types.OnCommand(4481));
    ZemChildFrame* frame = types.Descriptors()[1]->frame;
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->isVisible());
    // The frame opens at its view's size, not at the size it had before the view was in it.
    EXPECT_GE(frame->widget()->width(), 360);
    EXPECT_GE(frame->widget()->height(), 240);
    EXPECT_EQ(area.subWindowList().size(), 1);
    EXPECT_EQ(frame->GetActiveDocument()->GetTitle(), "M3U Playlist1");

    // Unloading the plug-in takes its types, their windows and their items with it.
    modules.Remove(0);
    Settle();
    EXPECT_TRUE(types.Descriptors().empty());
    EXPECT_TRUE(documents.GetTemplates().empty());
    EXPECT_TRUE(area.subWindowList().isEmpty());
    EXPECT_TRUE(Items(interfaceViews()).empty());
    EXPECT_TRUE(Items(fileNew()).empty());
    EXPECT_TRUE(host.refusals.empty());
}

TEST_F(Views, PlaceholderItemsAreReplaced) {
    QMenu* views = ui->addMenu("Interface views");
    views->addAction("(none)");
    file->insertMenu(file->actions().front(), new QMenu("&New", file))->menu()->addAction("-");
    modules.Add(install("playlist"));
    EXPECT_EQ(interfaceViews(), views);
    EXPECT_THAT(Items(views), ElementsAre("M3U Playlist=4481", "ZEM Playlist=4480"));
    EXPECT_THAT(Items(fileNew()), ElementsAre("M3U Playlist=4481"));
}

TEST_F(Views, ClosingAllViewsRecordsSavedFilesAndLaterRemovalsAreRefused) {
    modules.Add(install("playlist"));
    ASSERT_NE(types.OpenView(0), nullptr);
    types.Descriptors()[0]->frame->GetActiveDocument()->SetPathName("/music/friday.zpl");
    ASSERT_NE(types.OpenView(1), nullptr);
    EXPECT_EQ(area.subWindowList().size(), 2);

    types.CloseAllViews();
    Settle();
    EXPECT_EQ(profile.GetProfileString(kOpenFilesSection, kOpenFilesKey, ""), "/music/friday.zpl;");
    EXPECT_TRUE(types.Descriptors().empty());
    EXPECT_TRUE(documents.GetTemplates().empty());
    EXPECT_TRUE(area.subWindowList().isEmpty());

    // At shutdown the plug-in removes types the window's close already took.
    modules.DestroyAll();
    EXPECT_THAT(host.refusals,
                ElementsAre("View descriptor not found!!", "View descriptor not found!!"));
    EXPECT_EQ(logLines().back(), "playlist destructor");
}

TEST_F(Views, OpenAtOnceTypeOpensItsViewAndLongNamesAreCut) {
    ZEM_ViewDescriptor view{};
    std::memcpy(view.name, "ABCDEFGHIJKLMNOPQRST", sizeof view.name); // no ending NUL
    view.makeDocument = MakeDocument;
    view.makeFrame = MakeFrame;
    view.makeView = MakeView;
    view.openAtOnce = 1;
    const intptr_t frame = types.AddView(&view);
    ASSERT_NE(frame, 0);
    EXPECT_EQ(frame, reinterpret_cast<intptr_t>(view.frame));
    EXPECT_TRUE(view.frame->isVisible());
    EXPECT_EQ(view.docTemplate->GetDocumentString(), "\nABCDEFGHIJKLMNOPQRS\n\n\n\n\n");
    // Opening at once leaves the menus as they were.
    EXPECT_EQ(interfaceViews(), nullptr);
    EXPECT_EQ(types.AddView(&view), 0);
    EXPECT_EQ(types.Descriptors().size(), 1u);

    types.RebuildMenus();
    EXPECT_THAT(Items(interfaceViews()), ElementsAre("ABCDEFGHIJKLMNOPQRS=4480"));
    EXPECT_EQ(types.RemoveView(&view), 1);
    Settle();
    EXPECT_TRUE(area.subWindowList().isEmpty());
    try {
        types.RemoveView(&view);
        ADD_FAILURE() << "removed twice";
    } catch (const ZEMException& e) {
        EXPECT_STREQ(e.GetMessage(), "View descriptor not found!!");
    }
}
