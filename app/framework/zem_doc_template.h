// A document template: what kind of document, frame and view to make for a kind of file, and
// the document string that names it (see doc_string.h). The template owns its open documents.
#pragma once

#include "app/framework/doc_string.h"
#include "app/framework/framework_export.h"

#include <QString>

#include <string>
#include <vector>

class QMdiArea;
class ZemChildFrame;
class ZemDocManager;
class ZemDocument;
class ZemView;

// How a template makes its parts; the same order as in an interface plug-in's view descriptor.
using ZemDocumentFactory = ZemDocument* (*)();
using ZemFrameFactory = ZemChildFrame* (*)();
using ZemViewFactory = ZemView* (*)();

// Where Close all documents records the files that were open.
inline constexpr const char* kOpenFilesSection = "Startup";
inline constexpr const char* kOpenFilesKey = "Open files";

class ZEM_FRAMEWORK_EXPORT ZemDocTemplate {
public:
    ZemDocTemplate(unsigned resourceId, std::string documentString, ZemDocumentFactory makeDocument,
                   ZemFrameFactory makeFrame, ZemViewFactory makeView);
    // Closes the documents still open, without recording them.
    virtual ~ZemDocTemplate();
    ZemDocTemplate(const ZemDocTemplate&) = delete;
    ZemDocTemplate& operator=(const ZemDocTemplate&) = delete;

    unsigned GetResourceId() const { return m_resourceId; }
    const std::string& GetDocumentString() const { return m_docString; }
    std::string GetDocString(ZemDocStringIndex index) const;
    // Replaces field index of the document string; false when it has no such field.
    bool SetDocString(int index, const std::string& value);

    // Yes-native when the file's extension (from the last ".") is one of the ";"-separated
    // filter extensions, compared without regard to case; yes-foreign otherwise.
    virtual ZemConfidence MatchDocType(const QString& path) const;

    // Closes every document of the template; before closing, each one that has a path appends
    // it and ";" to "Startup"/"Open files" in the manager's profile.
    virtual void CloseAllDocuments(bool endSession);

    // Makes document, frame and view and opens path into the document; an empty path makes a
    // new document. Null, with nothing left behind, when any step fails.
    virtual ZemDocument* OpenDocumentFile(const QString& path, bool makeVisible = true);
    ZemDocument* CreateNewDocument();
    // A frame with a new view of document, in the manager's workspace (a top-level window when
    // there is none).
    ZemChildFrame* CreateNewFrame(ZemDocument* document);
    void InitialUpdateFrame(ZemChildFrame* frame, ZemDocument* document, bool makeVisible = true);

    const std::vector<ZemDocument*>& GetDocuments() const { return m_documents; }
    void AddDocument(ZemDocument* document);
    void RemoveDocument(ZemDocument* document);
    ZemDocManager* GetDocManager() const { return m_manager; }

private:
    friend class ZemDocManager;
    void setDefaultTitle(ZemDocument* document);

    unsigned m_resourceId;
    std::string m_docString;
    ZemDocumentFactory m_makeDocument;
    ZemFrameFactory m_makeFrame;
    ZemViewFactory m_makeView;
    ZemDocManager* m_manager = nullptr;
    std::vector<ZemDocument*> m_documents;
    int m_untitledCount = 0;
};
