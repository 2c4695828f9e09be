// Command routing through view, document, frame and the program's targets, menus asking the
// same chain, and the window order of the workspace.
#include "app/framework/command_router.h"
#include "app/framework/window_order.h"

#include "test_parts.h"

#include <QAction>
#include <QMenu>

#include <set>

namespace {

constexpr int kPlay = 32771;
constexpr int kStop = 32772;
constexpr int kCue = 32773;
constexpr int kLoop = 32774;
constexpr int kNobody = 32775;

std::vector<std::string> asked;
std::vector<std::string> handled;

// Owns a set of commands, records every question put to it.
struct Owner {
    std::string name;
    std::set<int> owns;
    std::set<int> disables;
    bool checkLoop = false;

    bool command(int id) {
        asked.push_back(name);
        if (!owns.count(id))
            return false;
        handled.push_back(name + " " + std::to_string(id));
        return true;
    }
    bool updateState(int id, ZemCommandState& state) {
        asked.push_back(name);
        if (!owns.count(id))
            return false;
        if (id == kLoop)
            state.SetCheck(checkLoop);
        if (disables.count(id))
            state.Enable(false);
        return true;
    }
};

// A framework class that also answers from its Owner part; what it does not own goes to the
// framework's own answer (the document's File Close).
template <class Base> class Routed : public Base, public Owner {
public:
    explicit Routed(const char* n) { name = n; }
    bool OnCommand(int id) override { return command(id) || Base::OnCommand(id); }
    bool OnUpdateCommand(int id, ZemCommandState& s) override {
        return updateState(id, s) || Base::OnUpdateCommand(id, s);
    }
};
using RoutedDocument = Routed<TestDocument>;
using RoutedView = Routed<TestView>;
using RoutedFrame = Routed<ZemChildFrame>;
using Application = Routed<ZemCommandTarget>;

class RoutingTest : public Workspace {
protected:
    void SetUp() override {
        Workspace::SetUp();
        asked.clear();
        handled.clear();
        deck = manager->AddDocTemplate(std::make_unique<ZemDocTemplate>(
            133, "\nZEM\n\n\n.mp3\n\n",
            [] { return static_cast<ZemDocument*>(new RoutedDocument("document")); },
            [] { return static_cast<ZemChildFrame*>(new RoutedFrame("frame")); },
            [] { return static_cast<ZemView*>(new RoutedView("view")); }));
        router = std::make_unique<ZemCommandRouter>(area.get());
        router->AddFallbackTarget(&app);
    }
    void TearDown() override {
        router.reset();
        Workspace::TearDown();
    }

    // A deck whose view owns play, document owns play and stop, frame play, stop and cue.
    RoutedDocument* openDeck(const char* path) {
        auto* doc = static_cast<RoutedDocument*>(manager->OpenDocumentFile(path));
        doc->owns = {kPlay, kStop};
        auto* view = static_cast<RoutedView*>(doc->GetViews().front());
        view->owns = {kPlay};
        static_cast<RoutedFrame*>(view->GetParentFrame())->owns = {kPlay, kStop, kCue, kLoop};
        return doc;
    }

    Application app{"application"};
    ZemDocTemplate* deck = nullptr;
    std::unique_ptr<ZemCommandRouter> router;
};

QAction* commandAction(QMenu& menu, const char* text, int id) {
    QAction* a = menu.addAction(text);
    a->setData(id);
    return a;
}

} // namespace

TEST_F(RoutingTest, ACommandGoesViewDocumentFrameApplicationAndStopsWhereHandled) {
    app.owns = {kPlay, kStop, kCue, kLoop, kNobody - 100};
    openDeck("/m/a.mp3");

    EXPECT_TRUE(router->Route(kPlay));
    EXPECT_TRUE(router->Route(kStop));
    EXPECT_TRUE(router->Route(kCue));
    EXPECT_TRUE(router->Route(kNobody - 100));
    EXPECT_EQ(handled, (std::vector<std::string>{"view 32771", "document 32772", "frame 32773",
                                                 "application 32675"}));
    asked.clear();
    EXPECT_FALSE(router->Route(kNobody));
    EXPECT_EQ(asked, (std::vector<std::string>{"view", "document", "frame", "application"}));
}

TEST_F(RoutingTest, TheCurrentChildWindowDecidesAndWithoutOneOnlyTheFallbacksAreAsked) {
    EXPECT_FALSE(router->Route(kPlay));
    EXPECT_EQ(asked, std::vector<std::string>{"application"});

    RoutedDocument* a = openDeck("/m/a.mp3");
    RoutedDocument* b = openDeck("/m/b.mp3");
    a->name = "a";
    b->name = "b";
    a->owns = {kStop};
    b->owns = {kStop};
    area->setActiveSubWindow(frameOf(a));
    EXPECT_TRUE(router->Route(kStop));
    area->setActiveSubWindow(frameOf(b));
    EXPECT_TRUE(router->Route(kStop));
    EXPECT_EQ(handled, (std::vector<std::string>{"a 32772", "b 32772"}));

    // A foreign subwindow has no view, document or frame of ours to ask.
    QMdiSubWindow* plain = area->addSubWindow(new QWidget);
    plain->show();
    area->setActiveSubWindow(plain);
    asked.clear();
    EXPECT_EQ(router->Chain(), std::vector<ZemCommandTarget*>{&app});
    EXPECT_FALSE(router->Route(kStop));
    EXPECT_EQ(asked, std::vector<std::string>{"application"});
}

TEST_F(RoutingTest, AMenuTakesEnablingAndChecksFromTheChainWhenItOpens) {
    openDeck("/m/a.mp3");
    QMenu menu;
    QAction* play = commandAction(menu, "Play", kPlay);
    QAction* cue = commandAction(menu, "Cue", kCue);
    QAction* loop = commandAction(menu, "Loop", kLoop);
    QAction* nobody = commandAction(menu, "Nobody", kNobody);
    QAction* plain = menu.addAction("Not a command");
    menu.addSeparator();
    router->AttachMenu(&menu);

    auto* frame = static_cast<RoutedFrame*>(ZemActiveChildFrame(area.get()));
    frame->checkLoop = true;
    frame->disables = {kCue};
    menu.popup(QPoint(0, 0));
    menu.hide();
    EXPECT_TRUE(play->isEnabled());
    EXPECT_FALSE(play->isCheckable());
    EXPECT_FALSE(cue->isEnabled()); // the frame owns it and says no
    EXPECT_TRUE(loop->isEnabled());
    EXPECT_TRUE(loop->isCheckable());
    EXPECT_TRUE(loop->isChecked());
    EXPECT_FALSE(nobody->isEnabled()); // nobody would carry it out
    EXPECT_TRUE(plain->isEnabled());

    frame->checkLoop = false;
    frame->owns.erase(kCue);
    app.owns = {kCue, kNobody};
    menu.popup(QPoint(0, 0));
    menu.hide();
    EXPECT_FALSE(loop->isChecked());
    EXPECT_TRUE(cue->isEnabled());
    EXPECT_TRUE(nobody->isEnabled());
}

TEST_F(RoutingTest, TriggeredActionsRouteOnceIncludingOnesAddedLater) {
    app.owns = {kPlay, kStop, kCue, kNobody};
    QMenu menu;
    QAction* play = commandAction(menu, "Play", kPlay);
    router->AttachMenu(&menu);
    router->AttachMenu(&menu);
    router->AttachAction(play);
    QAction* stop = commandAction(menu, "Stop", kStop); // after attaching
    QMenu* sub = menu.addMenu("More");
    QAction* cue = commandAction(*sub, "Cue", kCue);
    QAction* noNumber = menu.addAction("Plain");
    QAction* late = menu.addAction("Late");
    late->setData(kNobody);

    play->trigger();
    stop->trigger();
    cue->trigger();
    noNumber->trigger();
    late->trigger();
    EXPECT_EQ(handled, (std::vector<std::string>{"application 32771", "application 32772",
                                                 "application 32773", "application 32775"}));

    // A loose action (a toolbar button, a shortcut) routes the same way.
    QAction loose;
    loose.setData(kStop);
    router->AttachAction(&loose);
    handled.clear();
    loose.trigger();
    EXPECT_EQ(handled, std::vector<std::string>{"application 32772"});

    // The submenu asks as well.
    app.owns.erase(kCue);
    sub->popup(QPoint(0, 0));
    sub->hide();
    EXPECT_FALSE(cue->isEnabled());
}

TEST_F(RoutingTest, ADocumentClosesItselfOnFileClose) {
    manager->SetSaveQuestion([](const ZemDocument&) { return ZemSaveAnswer::Cancel; });
    RoutedDocument* doc = openDeck("/m/a.mp3");
    doc->owns.clear();
    // Without a file the base document would need a name; this one is unmodified.
    EXPECT_TRUE(router->Route(kCommandFileClose));
    EXPECT_EQ(TestDocument::alive, 0);
    EXPECT_TRUE(area->subWindowList().isEmpty());

    doc = openDeck("/m/b.mp3");
    doc->owns.clear();
    doc->SetModifiedFlag();
    EXPECT_TRUE(router->Route(kCommandFileClose)); // asked, cancelled, still open
    EXPECT_EQ(TestDocument::alive, 1);
}

TEST_F(RoutingTest, WindowOrderStartsAtTheActiveWindowAndWalksDown) {
    EXPECT_TRUE(ZemWindowOrder(area.get()).empty());
    EXPECT_TRUE(ZemWindowOrder(nullptr).empty());
    QMdiSubWindow* a = frameOf(openDeck("/m/a.mp3"));
    QMdiSubWindow* b = frameOf(openDeck("/m/b.mp3"));
    QMdiSubWindow* c = frameOf(openDeck("/m/c.mp3"));
    EXPECT_EQ(ZemWindowOrder(area.get()), (std::vector<QMdiSubWindow*>{c, b, a}));
    area->setActiveSubWindow(a);
    EXPECT_EQ(ZemWindowOrder(area.get()), (std::vector<QMdiSubWindow*>{a, c, b}));
    area->setActiveSubWindow(b);
    EXPECT_EQ(ZemWindowOrder(area.get()), (std::vector<QMdiSubWindow*>{b, a, c}));
    EXPECT_EQ(ZemActiveChildFrame(area.get()), b);
    b->close();
    settle();
    std::vector<QMdiSubWindow*> order = ZemWindowOrder(area.get());
    ASSERT_EQ(order.size(), 2u);
    EXPECT_EQ(order.front(), area->currentSubWindow());
}
