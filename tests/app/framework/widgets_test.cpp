// Templates, documents, views and child frames in a real workspace on the offscreen platform.
#include "test_parts.h"

#include <QMdiSubWindow>
#include <QPointer>

using TemplateTest = Workspace;
using DocumentTest = Workspace;
using PlacementTest = Workspace;

TEST_F(TemplateTest, OpeningJoinsDocumentFrameAndViewBeforeTheFrameShows) {
    ZemDocTemplate* deck = manager->AddDocTemplate(deckTemplate(".mp3"));
    ZemDocument* doc = manager->OpenDocumentFile("/music/set one/Song.mp3");
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->GetDocTemplate(), deck);
    EXPECT_EQ(deck->GetDocuments(), std::vector<ZemDocument*>{doc});
    EXPECT_EQ(doc->GetPathName(), "/music/set one/Song.mp3");
    EXPECT_EQ(doc->GetTitle(), "Song.mp3");

    ASSERT_EQ(doc->GetViews().size(), 1u);
    auto* view = static_cast<TestView*>(doc->GetViews().front());
    EXPECT_EQ(view->initialUpdates, 1);
    EXPECT_TRUE(view->joinedAtInitialUpdate);
    ZemChildFrame* frame = view->GetParentFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->GetActiveDocument(), doc);
    EXPECT_EQ(frame->windowTitle(), "Song.mp3");
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(area->subWindowList(), QList<QMdiSubWindow*>{frame});
    EXPECT_EQ(area->currentSubWindow(), frame);
    ASSERT_EQ(recent.Entries().size(), 1u);
    EXPECT_EQ(recent.Entries()[0], "/music/set one/Song.mp3");

    // The same file opens again, in a document of its own; a Windows path is named after its
    // last backslash.
    ZemDocument* again = manager->OpenDocumentFile("c:\\music\\Song.mp3");
    ASSERT_NE(again, nullptr);
    EXPECT_NE(again, doc);
    EXPECT_EQ(again->GetTitle(), "Song.mp3");
    EXPECT_EQ(deck->GetDocuments().size(), 2u);
}

TEST_F(TemplateTest, AFailedOpenLeavesNoDocumentFrameOrRecentEntry) {
    ZemDocTemplate* deck = manager->AddDocTemplate(deckTemplate(".mp3"));
    TestDocument::failOpen = true;
    EXPECT_EQ(manager->OpenDocumentFile("/m/a.mp3"), nullptr);
    settle();
    EXPECT_EQ(TestDocument::alive, 0);
    EXPECT_TRUE(deck->GetDocuments().empty());
    EXPECT_TRUE(area->subWindowList().isEmpty());
    EXPECT_TRUE(recent.Entries().empty());
}

TEST_F(TemplateTest, TheFirstTemplateListingTheExtensionWinsElseTheFirstRegistered) {
    ZemDocTemplate* first = manager->AddDocTemplate(deckTemplate(".mp3;.wav"));
    ZemDocTemplate* second = manager->AddDocTemplate(deckTemplate(".MP3;.ogg"));
    ZemDocTemplate* mixer = manager->AddDocTemplate(mixerTemplate());
    EXPECT_EQ(manager->GetTemplates(), (std::vector<ZemDocTemplate*>{first, second, mixer}));

    EXPECT_EQ(second->MatchDocType("a.mp3"), kConfidenceYesNative);
    EXPECT_EQ(mixer->MatchDocType("a.mp3"), kConfidenceYesForeign);
    EXPECT_EQ(manager->MatchTemplate("/m/a.Mp3"), first);
    EXPECT_EQ(manager->MatchTemplate("/m/a.ogg"), second);
    EXPECT_EQ(manager->MatchTemplate("/m/a.flac"), first);
    EXPECT_EQ(manager->MatchTemplate("/m/noext"), first);

    // The fallback is simply the first registered, whatever it is.
    std::unique_ptr<ZemDocTemplate> taken = manager->RemoveDocTemplate(first);
    ASSERT_EQ(taken.get(), first);
    EXPECT_EQ(taken->GetDocManager(), nullptr);
    EXPECT_EQ(manager->RemoveDocTemplate(first), nullptr);
    EXPECT_EQ(manager->MatchTemplate("/m/a.mp3"), second);
    EXPECT_EQ(ZemDocManager().MatchTemplate("a.mp3"), nullptr);
}

TEST_F(TemplateTest, FileNewUsesTheOnlyTemplateWithANewNameWithoutAsking) {
    manager->AddDocTemplate(deckTemplate(".mp3"));
    manager->AddDocTemplate(deckTemplate(".ogg"));
    ZemDocTemplate* mixer = manager->AddDocTemplate(mixerTemplate());
    int asked = 0;
    manager->SetNewTypeChooser([&](const std::vector<ZemDocTemplate*>&) {
        ++asked;
        return nullptr;
    });
    ZemDocument* doc = manager->OnFileNew();
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(doc->GetDocTemplate(), mixer);
    EXPECT_EQ(doc->GetTitle(), "Mixer1");
    EXPECT_TRUE(doc->GetPathName().isEmpty());
    EXPECT_EQ(frameOf(doc)->windowTitle(), "Mixer1");
    EXPECT_EQ(manager->OnFileNew()->GetTitle(), "Mixer2");
    EXPECT_TRUE(recent.Entries().empty());
}

TEST_F(TemplateTest, FileNewAsksAmongSeveralNamedTemplatesAndNothingWithoutAny) {
    ZemDocTemplate* deck = manager->AddDocTemplate(deckTemplate(".mp3"));
    manager->AddDocTemplate(deckTemplate(".ogg"));
    EXPECT_EQ(manager->OnFileNew(), nullptr); // two templates, neither has a new name

    ZemDocTemplate* mixer = manager->AddDocTemplate(mixerTemplate());
    ZemDocTemplate* playlist = manager->AddDocTemplate(mixerTemplate());
    playlist->SetDocString(kDocStringFileNewName, "Playlist");
    playlist->SetDocString(kDocStringDocName, "");
    std::vector<ZemDocTemplate*> offered;
    manager->SetNewTypeChooser([&](const std::vector<ZemDocTemplate*>& candidates) {
        offered = candidates;
        return candidates.back();
    });
    ZemDocument* doc = manager->OnFileNew();
    EXPECT_EQ(offered, (std::vector<ZemDocTemplate*>{mixer, playlist}));
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->GetDocTemplate(), playlist);
    EXPECT_EQ(doc->GetTitle(), "Untitled1");
    EXPECT_TRUE(deck->GetDocuments().empty());
}

TEST_F(TemplateTest, CloseAllDocumentsRecordsEveryPathInTemplateOrder) {
    ZemDocTemplate* deck = manager->AddDocTemplate(deckTemplate(".mp3"));
    ZemDocTemplate* other = manager->AddDocTemplate(deckTemplate(".zpl"));
    manager->OpenDocumentFile("/m/b.zpl");
    manager->OpenDocumentFile("/m/a.mp3");
    deck->OpenDocumentFile(QString()); // untitled: nothing to record
    manager->OpenDocumentFile("/m/c.mp3");
    profile.WriteProfileString("Startup", "Open files", "");

    manager->CloseAllDocuments(false);
    EXPECT_EQ(profile.GetProfileString("startup", "open files", "?"),
              "/m/a.mp3;/m/c.mp3;/m/b.zpl;");
    EXPECT_EQ(TestDocument::alive, 0);
    EXPECT_TRUE(deck->GetDocuments().empty());
    EXPECT_TRUE(other->GetDocuments().empty());
    EXPECT_TRUE(area->subWindowList().isEmpty());

    // One template alone appends to what is there.
    deck->OpenDocumentFile("/m/d.mp3");
    deck->CloseAllDocuments(false);
    EXPECT_EQ(profile.GetProfileString("Startup", "Open files", "?"),
              "/m/a.mp3;/m/c.mp3;/m/b.zpl;/m/d.mp3;");
}

TEST_F(DocumentTest, ClosingTheLastFrameAsksOnceAndDeletesTheDocument) {
    ZemDocTemplate* deck = manager->AddDocTemplate(deckTemplate(".zpl"));
    ZemDocument* doc = manager->OpenDocumentFile("/m/list.zpl");
    ASSERT_NE(doc, nullptr);
    ZemChildFrame* first = frameOf(doc);
    ZemChildFrame* second = deck->CreateNewFrame(doc);
    deck->InitialUpdateFrame(second, doc);
    ASSERT_EQ(doc->GetViews().size(), 2u);
    doc->SetModifiedFlag();

    EXPECT_TRUE(first->close());
    settle();
    EXPECT_TRUE(questions.empty()); // another frame still shows it
    EXPECT_EQ(TestDocument::alive, 1);
    ASSERT_EQ(doc->GetViews().size(), 1u);

    answer = ZemSaveAnswer::Cancel;
    EXPECT_FALSE(second->close());
    settle();
    EXPECT_EQ(questions, std::vector<QString>{"list.zpl"});
    EXPECT_EQ(TestDocument::alive, 1);
    EXPECT_EQ(area->subWindowList().size(), 1);

    answer = ZemSaveAnswer::Yes;
    EXPECT_TRUE(second->close());
    settle();
    EXPECT_EQ(TestDocument::saved, std::vector<QString>{"/m/list.zpl"});
    EXPECT_EQ(TestDocument::alive, 0);
    EXPECT_TRUE(deck->GetDocuments().empty());
    EXPECT_TRUE(area->subWindowList().isEmpty());
}

TEST_F(DocumentTest, OnCloseDocumentTakesItsFramesAtOnce) {
    manager->AddDocTemplate(deckTemplate(".mp3"));
    ZemDocument* keep = manager->OpenDocumentFile("/m/keep.mp3");
    ZemDocument* doc = manager->OpenDocumentFile("/m/a.mp3");
    ASSERT_NE(doc, nullptr);
    QPointer<ZemChildFrame> frame = frameOf(doc);
    QPointer<ZemView> view = doc->GetViews().front();
    doc->OnCloseDocument();
    EXPECT_TRUE(frame.isNull());
    EXPECT_TRUE(view.isNull());
    EXPECT_EQ(TestDocument::alive, 1);
    EXPECT_EQ(area->subWindowList(), QList<QMdiSubWindow*>{frameOf(keep)});
}

TEST_F(PlacementTest, APlainFrameTakesTheStoredRectangleAKeepSizeOneOnlyItsCorner) {
    ZemStorePlacement(profile, "Desktop placement", "Test", {kShowStateNormal, 30, 40, 230, 340});
    ZemStorePlacement(profile, "Desktop placement", "Kept", {kShowStateNormal, 30, 40, 230, 340});
    manager->AddDocTemplate(deckTemplate(".mp3", makePlacedFrame));
    manager->AddDocTemplate(deckTemplate(".wav", makeKeepSizeFrame));
    ZemDocument* plain = manager->OpenDocumentFile("/m/a.mp3");
    ZemDocument* kept = manager->OpenDocumentFile("/m/a.wav");
    settle();
    EXPECT_EQ(frameOf(plain)->geometry(), QRect(40, 30, 300, 200));
    EXPECT_EQ(frameOf(kept)->geometry(), QRect(40, 30, 123, 77));
}

TEST_F(PlacementTest, NothingStoredMeansNoMoveAndTheMinimumHolds) {
    manager->AddDocTemplate(deckTemplate(".mp3", makePlacedFrame));
    ZemChildFrame* frame = frameOf(manager->OpenDocumentFile("/m/a.mp3"));
    frame->setGeometry(5, 6, 200, 100);
    EXPECT_FALSE(frame->RestorePlacement(false));
    EXPECT_EQ(frame->geometry(), QRect(5, 6, 200, 100));

    ZemStorePlacement(profile, "Desktop placement", "Test", {kShowStateNormal, 10, 10, 60, 60});
    frame->SetMinimumTrackSize(150, 120);
    EXPECT_TRUE(frame->RestorePlacement(false));
    EXPECT_EQ(frame->geometry(), QRect(10, 10, 150, 120));

    frame->SetPlacementKey("", "Test");
    frame->setGeometry(5, 6, 200, 150);
    EXPECT_FALSE(frame->RestorePlacement(false));
    EXPECT_EQ(frame->geometry(), QRect(5, 6, 200, 150));
}

TEST_F(PlacementTest, DestructionStoresTheNormalRectangleAndTheShowState) {
    manager->AddDocTemplate(deckTemplate(".mp3", makePlacedFrame));
    ZemChildFrame* frame = frameOf(manager->OpenDocumentFile("/m/a.mp3"));
    frame->setGeometry(15, 25, 200, 150);
    frame->showMaximized();
    settle();
    ASSERT_NE(frame->geometry(), QRect(15, 25, 200, 150));
    EXPECT_EQ(frame->GetNormalGeometry(), QRect(15, 25, 200, 150));
    frame->close();
    settle();
    EXPECT_EQ(TestDocument::alive, 0);
    const std::string s = "Desktop placement";
    EXPECT_EQ(profile.GetProfileInt(s, "Test Status", 0), kShowStateMaximized);
    EXPECT_EQ(profile.GetProfileInt(s, "Test Left", 0), 15);
    EXPECT_EQ(profile.GetProfileInt(s, "Test Top", 0), 25);
    EXPECT_EQ(profile.GetProfileInt(s, "Test Right", 0), 215);
    EXPECT_EQ(profile.GetProfileInt(s, "Test Bottom", 0), 175);

    // The next window of that kind comes back where this one was.
    ZemChildFrame* next = frameOf(manager->OpenDocumentFile("/m/b.mp3"));
    settle();
    EXPECT_EQ(next->geometry(), QRect(15, 25, 200, 150));
    next->showMinimized();
    settle();
    delete next;
    EXPECT_EQ(profile.GetProfileInt(s, "Test Status", 0), kShowStateMinimized);
    EXPECT_EQ(profile.GetProfileInt(s, "Test Right", 0), 215);
}
