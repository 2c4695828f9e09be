#include "app/framework/zem_document.h"
#include "app/framework/recent_file_list.h"
#include "app/framework/zem_child_frame.h"
#include "app/framework/zem_doc_manager.h"
#include "app/framework/zem_doc_template.h"
#include "app/framework/zem_view.h"

#include <QFileDialog>
#include <QPointer>

#include <algorithm>

ZemDocument::ZemDocument() = default;

ZemDocument::~ZemDocument() {
    for (ZemView* view : m_views)
        view->m_document = nullptr;
    m_views.clear();
    if (m_template)
        m_template->RemoveDocument(this);
}

void ZemDocument::SetTitle(const QString& title) {
    m_title = title;
    for (ZemView* view : m_views)
        if (ZemChildFrame* frame = view->GetParentFrame())
            frame->setWindowTitle(title);
}

void ZemDocument::SetPathName(const QString& path) {
    m_path = path;
    const qsizetype cut = std::max(path.lastIndexOf('/'), path.lastIndexOf('\\'));
    SetTitle(path.mid(cut + 1));
}

void ZemDocument::UpdateAllViews(ZemView* sender, long hint) {
    const std::vector<ZemView*> views = m_views;
    for (ZemView* view : views)
        if (view != sender)
            view->OnUpdate(sender, hint);
}

bool ZemDocument::OnNewDocument() {
    DeleteContents();
    SetModifiedFlag(false);
    return true;
}

bool ZemDocument::OnOpenDocument(const QString&) {
    DeleteContents();
    SetModifiedFlag(false);
    return true;
}

bool ZemDocument::OnSaveDocument(const QString&) {
    SetModifiedFlag(false);
    return true;
}

void ZemDocument::OnCloseDocument() {
    // Destroying the frames removes their views from m_views; closing must not start again
    // when the last one goes.
    const bool autoDelete = m_autoDelete;
    m_closing = true;
    std::vector<QPointer<ZemChildFrame>> frames;
    for (ZemView* view : m_views)
        if (ZemChildFrame* frame = view->GetParentFrame())
            frames.emplace_back(frame);
    for (const QPointer<ZemChildFrame>& frame : frames)
        delete frame.data();
    for (ZemView* view : m_views)
        view->m_document = nullptr;
    m_views.clear();
    DeleteContents();
    m_closing = false;
    if (autoDelete)
        delete this;
}

void ZemDocument::DeleteContents() {}

bool ZemDocument::SaveModified() {
    if (!IsModified())
        return true;
    ZemDocManager* manager = m_template ? m_template->GetDocManager() : nullptr;
    const ZemSaveAnswer answer =
        manager ? manager->AskToSave(*this) : ZemDocManager::DefaultSaveQuestion(*this);
    if (answer == ZemSaveAnswer::Cancel)
        return false;
    if (answer == ZemSaveAnswer::No)
        return true;
    return DoFileSave();
}

bool ZemDocument::CanCloseFrame(ZemChildFrame* frame) {
    for (ZemView* view : m_views)
        if (view->GetParentFrame() != frame)
            return true;
    return SaveModified();
}

bool ZemDocument::DoFileSave() {
    return DoSave(m_path);
}

bool ZemDocument::DoSave(const QString& target, bool replace) {
    QString path = target;
    if (path.isEmpty()) {
        const QString filter =
            m_template ? QString::fromStdString(m_template->GetDocString(kDocStringFilterName))
                       : QString();
        path = QFileDialog::getSaveFileName(
            nullptr, replace ? QStringLiteral("Save As") : QStringLiteral("Save Copy As"), m_title,
            filter);
        if (path.isEmpty())
            return false;
    }
    if (!OnSaveDocument(path))
        return false;
    if (replace && path != m_path) {
        SetPathName(path);
        ZemDocManager* manager = m_template ? m_template->GetDocManager() : nullptr;
        if (manager && manager->GetRecentFileList())
            manager->GetRecentFileList()->Add(path.toStdString());
    }
    return true;
}

bool ZemDocument::OnCommand(int id) {
    if (id == kCommandFileClose) {
        if (SaveModified())
            OnCloseDocument();
        return true;
    }
    if (id == kCommandFileSave) {
        DoFileSave();
        return true;
    }
    return false;
}

bool ZemDocument::OnUpdateCommand(int id, ZemCommandState& state) {
    if (id == kCommandFileClose || id == kCommandFileSave) {
        state.Enable(true);
        return true;
    }
    return false;
}

void ZemDocument::AddView(ZemView* view) {
    if (!view || view->m_document == this)
        return;
    if (view->m_document)
        view->m_document->RemoveView(view);
    view->m_document = this;
    m_views.push_back(view);
}

void ZemDocument::RemoveView(ZemView* view) {
    const auto it = std::find(m_views.begin(), m_views.end(), view);
    if (it == m_views.end())
        return;
    m_views.erase(it);
    view->m_document = nullptr;
    if (m_views.empty() && m_autoDelete && !m_closing)
        OnCloseDocument();
}
