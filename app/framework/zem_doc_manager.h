// The application's document templates, in registration order, and what spans them: opening a
// file with the template that claims it best, the new-document action, saving and closing all
// documents. It also carries what templates and frames need from the program: the workspace,
// the profile and the recent-file list.
#pragma once

#include "app/framework/framework_export.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QMdiArea;
class ZemDocTemplate;
class ZemDocument;
class ZemProfile;
class ZemRecentFileList;

enum class ZemSaveAnswer { Yes, No, Cancel };

class ZEM_FRAMEWORK_EXPORT ZemDocManager {
public:
    using NewTypeChooser = std::function<ZemDocTemplate*(const std::vector<ZemDocTemplate*>&)>;
    using SaveQuestion = std::function<ZemSaveAnswer(const ZemDocument&)>;

    ZemDocManager();
    // Deletes the templates, closing their documents without recording them.
    ~ZemDocManager();
    ZemDocManager(const ZemDocManager&) = delete;
    ZemDocManager& operator=(const ZemDocManager&) = delete;

    // Each of these must outlive the documents and frames made while it is set.
    void SetWorkspace(QMdiArea* workspace) { m_workspace = workspace; }
    QMdiArea* GetWorkspace() const { return m_workspace; }
    void SetProfile(ZemProfile* profile) { m_profile = profile; }
    ZemProfile* GetProfile() const { return m_profile; }
    // Files opened through a template are added to it.
    void SetRecentFileList(ZemRecentFileList* list) { m_recent = list; }
    ZemRecentFileList* GetRecentFileList() const { return m_recent; }

    ZemDocTemplate* AddDocTemplate(std::unique_ptr<ZemDocTemplate> docTemplate);
    // Hands the template back to the caller; null when it is not registered.
    std::unique_ptr<ZemDocTemplate> RemoveDocTemplate(ZemDocTemplate* docTemplate);
    std::vector<ZemDocTemplate*> GetTemplates() const;

    // The template with the highest Match document type answer; the first of equal answers
    // wins, so a file no template lists goes to the first template registered.
    ZemDocTemplate* MatchTemplate(const QString& path) const;
    // Opens path with the matching template; null when no template takes it or opening failed.
    ZemDocument* OpenDocumentFile(const QString& path);

    // The standard new-document action: with one template, that one; otherwise the templates
    // with a file-new name are the candidates, and a single candidate is used without asking.
    // Several go to the chooser (by default a list dialog). Null when nothing was made.
    ZemDocument* OnFileNew();
    void SetNewTypeChooser(NewTypeChooser chooser) { m_chooser = std::move(chooser); }

    // Asks every modified document; false as soon as one answer is cancel.
    bool SaveAllModified();
    // Close all documents of every template, in registration order.
    void CloseAllDocuments(bool endSession);
    int GetOpenDocumentCount() const;

    // The question a modified document asks before it closes; by default a message box
    // "Save changes to <title>?" with yes, no and cancel.
    void SetSaveQuestion(SaveQuestion question) { m_saveQuestion = std::move(question); }
    ZemSaveAnswer AskToSave(const ZemDocument& document) const;
    static ZemSaveAnswer DefaultSaveQuestion(const ZemDocument& document);

private:
    std::vector<std::unique_ptr<ZemDocTemplate>> m_templates;
    QMdiArea* m_workspace = nullptr;
    ZemProfile* m_profile = nullptr;
    ZemRecentFileList* m_recent = nullptr;
    NewTypeChooser m_chooser;
    SaveQuestion m_saveQuestion;
};
