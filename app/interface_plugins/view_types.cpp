#include "app/interface_plugins/view_types.h"
#include "app/interface_plugins/view_menus.h"
#include "app/interface_plugins/view_strings.h"

#include "app/framework/zem_child_frame.h"
#include "app/framework/zem_doc_manager.h"
#include "app/framework/zem_doc_template.h"
#include "app/framework/zem_document.h"
#include "app/framework/zem_view.h"
#include "contracts/view_descriptor.h"
#include "engine/foundations/zem_exception.h"

#include <QMenuBar>

#include <algorithm>

namespace zem::interface_plugins {

CInterfaceViewTypes::CInterfaceViewTypes(ZemDocManager& documents) : m_documents(documents) {}

void CInterfaceViewTypes::SetMenuBar(QMenuBar* menuBar) {
    m_menuBar = menuBar;
}

intptr_t CInterfaceViewTypes::AddView(ZEM_ViewDescriptor* view) {
    if (!view || std::find(m_views.begin(), m_views.end(), view) != m_views.end())
        return 0;
    view->docTemplate = m_documents.AddDocTemplate(
        std::make_unique<ZemDocTemplate>(view->resource, ViewDocumentString(*view),
                                         view->makeDocument, view->makeFrame, view->makeView));
    view->frame = nullptr;
    m_views.push_back(view);
    if (view->openAtOnce)
        return reinterpret_cast<intptr_t>(openView(*view));
    RebuildMenus();
    return 0;
}

intptr_t CInterfaceViewTypes::RemoveView(ZEM_ViewDescriptor* view) {
    const auto it = std::find(m_views.begin(), m_views.end(), view);
    if (it == m_views.end())
        throw ZEMException(kViewDescriptorNotFound, false, 0);
    unregister(static_cast<std::size_t>(it - m_views.begin()));
    // The items' numbers follow the list, so they must not keep pointing past a removed type.
    RebuildMenus();
    return 1;
}

void CInterfaceViewTypes::CloseAllViews() {
    while (!m_views.empty())
        unregister(0);
    RebuildMenus();
}

ZemChildFrame* CInterfaceViewTypes::OpenView(std::size_t index) {
    return index < m_views.size() ? openView(*m_views[index]) : nullptr;
}

void CInterfaceViewTypes::RebuildMenus() {
    if (m_menuBar)
        RebuildViewMenus(*m_menuBar, m_views);
}

bool CInterfaceViewTypes::OnCommand(int id) {
    if (id < kFirstViewCommand || id > kLastViewCommand)
        return false;
    OpenView(static_cast<std::size_t>(id - kFirstViewCommand));
    return true;
}

bool CInterfaceViewTypes::OnUpdateCommand(int id, ZemCommandState& state) {
    if (id < kFirstViewCommand || id > kLastViewCommand)
        return false;
    state.Enable(static_cast<std::size_t>(id - kFirstViewCommand) < m_views.size());
    return true;
}

ZemChildFrame* CInterfaceViewTypes::openView(ZEM_ViewDescriptor& view) {
    if (!view.docTemplate)
        return nullptr;
    // A new, untitled document with its frame and initial update, as the new-document action
    // makes one.
    ZemDocument* document = view.docTemplate->OpenDocumentFile(QString(), true);
    if (!document || document->GetViews().empty())
        return nullptr;
    ZemChildFrame* frame = document->GetViews().front()->GetParentFrame();
    view.frame = frame;
    if (frame) {
        // The workspace sized the frame before its view was in it: grow it to what the view
        // asks for, so that a plug-in's window does not open as a bare title bar.
        frame->resize(frame->size().expandedTo(frame->sizeHint()));
        frame->show();
    }
    return frame;
}

void CInterfaceViewTypes::unregister(std::size_t index) {
    ZEM_ViewDescriptor* view = m_views[index];
    m_views.erase(m_views.begin() + static_cast<std::ptrdiff_t>(index));
    if (ZemDocTemplate* docTemplate = view->docTemplate) {
        docTemplate->CloseAllDocuments(false);
        // Whatever refused to close goes with the template, unrecorded.
        m_documents.RemoveDocTemplate(docTemplate);
    }
    view->docTemplate = nullptr;
    view->frame = nullptr;
}

} // namespace zem::interface_plugins
