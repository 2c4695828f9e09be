#include "app/framework/zem_view.h"
#include "app/framework/zem_child_frame.h"
#include "app/framework/zem_document.h"

ZemView::ZemView(QWidget* parent) : QWidget(parent) {}

ZemView::~ZemView() {
    if (m_document)
        m_document->RemoveView(this);
}

ZemChildFrame* ZemView::GetParentFrame() const {
    for (QWidget* w = parentWidget(); w; w = w->parentWidget())
        if (auto* frame = qobject_cast<ZemChildFrame*>(w))
            return frame;
    return nullptr;
}

void ZemView::OnInitialUpdate() {
    OnUpdate(nullptr, 0);
}

void ZemView::OnUpdate(ZemView*, long) {
    update();
}
