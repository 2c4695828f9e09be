#include "app/framework/zem_doc_template.h"
#include "app/framework/recent_file_list.h"
#include "app/framework/zem_child_frame.h"
#include "app/framework/zem_doc_manager.h"
#include "app/framework/zem_document.h"
#include "app/framework/zem_profile.h"
#include "app/framework/zem_view.h"

#include <QMdiArea>
#include <QPointer>

#include <algorithm>

ZemDocTemplate::ZemDocTemplate(unsigned resourceId, std::string documentString,
                               ZemDocumentFactory makeDocument, ZemFrameFactory makeFrame,
                               ZemViewFactory makeView)
    : m_resourceId(resourceId), m_docString(std::move(documentString)),
      m_makeDocument(makeDocument), m_makeFrame(makeFrame), m_makeView(makeView) {}

ZemDocTemplate::~ZemDocTemplate() {
    while (!m_documents.empty()) {
        ZemDocument* document = m_documents.front();
        document->SetAutoDelete(true);
        document->OnCloseDocument();
        // A document that overrode closing without deleting itself is let go here.
        if (!m_documents.empty() && m_documents.front() == document) {
            m_documents.erase(m_documents.begin());
            document->m_template = nullptr;
        }
    }
}

std::string ZemDocTemplate::GetDocString(ZemDocStringIndex index) const {
    return ZemGetDocStringField(m_docString, index);
}

bool ZemDocTemplate::SetDocString(int index, const std::string& value) {
    return ZemSetDocStringField(m_docString, index, value);
}

ZemConfidence ZemDocTemplate::MatchDocType(const QString& path) const {
    return ZemMatchExtensions(GetDocString(kDocStringFilterExt), path.toStdString());
}

void ZemDocTemplate::CloseAllDocuments(bool) {
    ZemProfile* profile = m_manager ? m_manager->GetProfile() : nullptr;
    // Closing removes the document from m_documents, so work on a snapshot.
    const std::vector<ZemDocument*> documents = m_documents;
    for (ZemDocument* document : documents) {
        if (std::find(m_documents.begin(), m_documents.end(), document) == m_documents.end())
            continue;
        if (profile && !document->GetPathName().isEmpty()) {
            const std::string files =
                profile->GetProfileString(kOpenFilesSection, kOpenFilesKey, "");
            profile->WriteProfileString(kOpenFilesSection, kOpenFilesKey,
                                        files + document->GetPathName().toStdString() + ";");
        }
        document->OnCloseDocument();
    }
}

ZemDocument* ZemDocTemplate::OpenDocumentFile(const QString& path, bool makeVisible) {
    ZemDocument* document = CreateNewDocument();
    if (!document)
        return nullptr;
    ZemChildFrame* frame = CreateNewFrame(document);
    if (!frame) {
        delete document;
        return nullptr;
    }
    // On failure the frame goes, its view with it, and the document follows its last view.
    QPointer<ZemChildFrame> guard(frame);
    if (path.isEmpty()) {
        setDefaultTitle(document);
        if (!document->OnNewDocument()) {
            delete guard.data();
            return nullptr;
        }
    } else {
        if (!document->OnOpenDocument(path)) {
            delete guard.data();
            return nullptr;
        }
        document->SetPathName(path);
        if (m_manager && m_manager->GetRecentFileList())
            m_manager->GetRecentFileList()->Add(path.toStdString());
    }
    InitialUpdateFrame(frame, document, makeVisible);
    return document;
}

ZemDocument* ZemDocTemplate::CreateNewDocument() {
    if (!m_makeDocument)
        return nullptr;
    ZemDocument* document = m_makeDocument();
    if (document)
        AddDocument(document);
    return document;
}

ZemChildFrame* ZemDocTemplate::CreateNewFrame(ZemDocument* document) {
    if (!m_makeFrame || !m_makeView)
        return nullptr;
    ZemChildFrame* frame = m_makeFrame();
    if (!frame)
        return nullptr;
    if (m_manager) {
        frame->SetProfile(m_manager->GetProfile());
        if (QMdiArea* workspace = m_manager->GetWorkspace())
            workspace->addSubWindow(frame);
    }
    frame->OnCreateFrame();
    ZemView* view = m_makeView();
    if (!view) {
        delete frame;
        return nullptr;
    }
    frame->SetView(view);
    if (document)
        document->AddView(view);
    return frame;
}

void ZemDocTemplate::InitialUpdateFrame(ZemChildFrame* frame, ZemDocument* document,
                                        bool makeVisible) {
    if (frame)
        frame->OnInitialUpdateFrame(document, makeVisible);
}

void ZemDocTemplate::AddDocument(ZemDocument* document) {
    if (!document || document->m_template == this)
        return;
    if (document->m_template)
        document->m_template->RemoveDocument(document);
    document->m_template = this;
    m_documents.push_back(document);
}

void ZemDocTemplate::RemoveDocument(ZemDocument* document) {
    const auto it = std::find(m_documents.begin(), m_documents.end(), document);
    if (it == m_documents.end())
        return;
    m_documents.erase(it);
    document->m_template = nullptr;
}

void ZemDocTemplate::setDefaultTitle(ZemDocument* document) {
    std::string name = GetDocString(kDocStringDocName);
    if (name.empty())
        name = "Untitled";
    document->SetTitle(QString::fromStdString(name + std::to_string(++m_untitledCount)));
}
