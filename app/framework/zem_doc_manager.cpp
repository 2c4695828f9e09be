#include "app/framework/zem_doc_manager.h"
#include "app/framework/zem_doc_template.h"
#include "app/framework/zem_document.h"

#include <QInputDialog>
#include <QMessageBox>
#include <QStringList>

#include <algorithm>

ZemDocManager::ZemDocManager() = default;

ZemDocManager::~ZemDocManager() {
    // Latest first, the reverse of registration.
    while (!m_templates.empty())
        m_templates.pop_back();
}

ZemDocTemplate* ZemDocManager::AddDocTemplate(std::unique_ptr<ZemDocTemplate> docTemplate) {
    if (!docTemplate)
        return nullptr;
    docTemplate->m_manager = this;
    m_templates.push_back(std::move(docTemplate));
    return m_templates.back().get();
}

std::unique_ptr<ZemDocTemplate> ZemDocManager::RemoveDocTemplate(ZemDocTemplate* docTemplate) {
    const auto it = std::find_if(m_templates.begin(), m_templates.end(),
                                 [&](const auto& t) { return t.get() == docTemplate; });
    if (it == m_templates.end())
        return nullptr;
    std::unique_ptr<ZemDocTemplate> taken = std::move(*it);
    m_templates.erase(it);
    taken->m_manager = nullptr;
    return taken;
}

std::vector<ZemDocTemplate*> ZemDocManager::GetTemplates() const {
    std::vector<ZemDocTemplate*> list;
    for (const auto& t : m_templates)
        list.push_back(t.get());
    return list;
}

ZemDocTemplate* ZemDocManager::MatchTemplate(const QString& path) const {
    ZemDocTemplate* best = nullptr;
    ZemConfidence bestAnswer = kConfidenceNoAttempt;
    for (const auto& t : m_templates) {
        const ZemConfidence answer = t->MatchDocType(path);
        if (answer > bestAnswer) {
            bestAnswer = answer;
            best = t.get();
        }
    }
    return best;
}

ZemDocument* ZemDocManager::OpenDocumentFile(const QString& path) {
    ZemDocTemplate* docTemplate = MatchTemplate(path);
    return docTemplate ? docTemplate->OpenDocumentFile(path) : nullptr;
}

ZemDocument* ZemDocManager::OnFileNew() {
    if (m_templates.empty())
        return nullptr;
    ZemDocTemplate* chosen = nullptr;
    if (m_templates.size() == 1) {
        chosen = m_templates.front().get();
    } else {
        std::vector<ZemDocTemplate*> candidates;
        for (const auto& t : m_templates)
            if (!t->GetDocString(kDocStringFileNewName).empty())
                candidates.push_back(t.get());
        if (candidates.size() == 1) {
            chosen = candidates.front();
        } else if (candidates.size() > 1) {
            if (m_chooser) {
                chosen = m_chooser(candidates);
            } else {
                QStringList names;
                for (ZemDocTemplate* t : candidates)
                    names << QString::fromStdString(t->GetDocString(kDocStringFileNewName));
                bool ok = false;
                const QString picked = QInputDialog::getItem(
                    nullptr, QStringLiteral("New"), QStringLiteral("New"), names, 0, false, &ok);
                if (ok)
                    chosen = candidates[static_cast<std::size_t>(names.indexOf(picked))];
            }
        }
    }
    return chosen ? chosen->OpenDocumentFile(QString()) : nullptr;
}

bool ZemDocManager::SaveAllModified() {
    for (const auto& t : m_templates) {
        const std::vector<ZemDocument*> documents = t->GetDocuments();
        for (ZemDocument* document : documents)
            if (!document->SaveModified())
                return false;
    }
    return true;
}

void ZemDocManager::CloseAllDocuments(bool endSession) {
    for (const auto& t : m_templates)
        t->CloseAllDocuments(endSession);
}

int ZemDocManager::GetOpenDocumentCount() const {
    int count = 0;
    for (const auto& t : m_templates)
        count += static_cast<int>(t->GetDocuments().size());
    return count;
}

ZemSaveAnswer ZemDocManager::AskToSave(const ZemDocument& document) const {
    return m_saveQuestion ? m_saveQuestion(document) : DefaultSaveQuestion(document);
}

ZemSaveAnswer ZemDocManager::DefaultSaveQuestion(const ZemDocument& document) {
    const QMessageBox::StandardButton answer = QMessageBox::question(
        nullptr, QString(), QStringLiteral("Save changes to %1?").arg(document.GetTitle()),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    return answer == QMessageBox::Yes  ? ZemSaveAnswer::Yes
           : answer == QMessageBox::No ? ZemSaveAnswer::No
                                       : ZemSaveAnswer::Cancel;
}
