// Documents, views and frames that record what the framework does to them, and a workspace
// with a manager around it.
#pragma once

#include "app/framework/recent_file_list.h"
#include "app/framework/zem_child_frame.h"
#include "app/framework/zem_doc_manager.h"
#include "app/framework/zem_doc_template.h"
#include "app/framework/zem_document.h"
#include "app/framework/zem_view.h"

#include "memory_profile.h"

#include <QApplication>
#include <QMdiArea>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

class TestDocument : public ZemDocument {
public:
    static inline int alive = 0;
    static inline bool failOpen = false;
    static inline std::vector<QString> saved;

    TestDocument() { ++alive; }
    ~TestDocument() override { --alive; }
    bool OnOpenDocument(const QString&) override { return !failOpen; }
    bool OnSaveDocument(const QString& path) override {
        saved.push_back(path);
        return ZemDocument::OnSaveDocument(path);
    }
};

class TestView : public ZemView {
public:
    int initialUpdates = 0;
    bool joinedAtInitialUpdate = false;
    void OnInitialUpdate() override {
        ++initialUpdates;
        joinedAtInitialUpdate = GetDocument() && GetParentFrame() &&
                                GetParentFrame()->GetActiveView() == this && !isVisible();
    }
};

// A frame of a kind that remembers its place.
class PlacedFrame : public ZemChildFrame {
public:
    PlacedFrame() { SetPlacementKey("Desktop placement", "Test"); }
};

// Restores in keep-size mode once its view is in place, as the deck frame does.
class KeepSizeFrame : public ZemChildFrame {
public:
    KeepSizeFrame() { SetPlacementKey("Desktop placement", "Kept"); }
    void OnCreateFrame() override {}
    void OnInitialUpdateFrame(ZemDocument* document, bool makeVisible) override {
        resize(123, 77);
        RestorePlacement(true);
        ZemChildFrame::OnInitialUpdateFrame(document, makeVisible);
    }
};

inline ZemDocument* makeDocument() {
    return new TestDocument;
}
inline ZemChildFrame* makeFrame() {
    return new ZemChildFrame;
}
inline ZemChildFrame* makePlacedFrame() {
    return new PlacedFrame;
}
inline ZemChildFrame* makeKeepSizeFrame() {
    return new KeepSizeFrame;
}
inline ZemView* makeView() {
    return new TestView;
}

inline std::unique_ptr<ZemDocTemplate> deckTemplate(const std::string& extensions,
                                                    ZemFrameFactory frame = makeFrame) {
    auto t = std::make_unique<ZemDocTemplate>(133, "\nZEM\n\n\n\nZEM.Document\nZEM Document",
                                              makeDocument, frame, makeView);
    t->SetDocString(kDocStringFilterExt, extensions);
    return t;
}

inline std::unique_ptr<ZemDocTemplate> mixerTemplate() {
    return std::make_unique<ZemDocTemplate>(
        130, "\nMixer\nMain Mixer\n\n\nZEM.Mixer.Document\nZEM Mixer Document", makeDocument,
        makeFrame, makeView);
}

// Lets deferred deletions (closed frames) happen.
inline void settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

class Workspace : public ::testing::Test {
protected:
    void SetUp() override {
        TestDocument::alive = 0;
        TestDocument::failOpen = false;
        TestDocument::saved.clear();
        area = std::make_unique<QMdiArea>();
        area->resize(800, 600);
        area->show();
        manager = std::make_unique<ZemDocManager>();
        manager->SetWorkspace(area.get());
        manager->SetProfile(&profile);
        manager->SetRecentFileList(&recent);
        manager->SetSaveQuestion([this](const ZemDocument& d) {
            questions.push_back(d.GetTitle());
            return answer;
        });
    }
    void TearDown() override {
        manager.reset();
        area.reset();
        settle();
        EXPECT_EQ(TestDocument::alive, 0);
    }

    ZemChildFrame* frameOf(ZemDocument* d) const {
        return d && !d->GetViews().empty() ? d->GetViews().front()->GetParentFrame() : nullptr;
    }

    MemoryProfile profile;
    ZemRecentFileList recent;
    std::unique_ptr<QMdiArea> area;
    std::unique_ptr<ZemDocManager> manager;
    std::vector<QString> questions;
    ZemSaveAnswer answer = ZemSaveAnswer::No;
};
