// A view: the widget that shows a document inside a child frame, and the first command target
// of the chain while its frame is the active child window.
#pragma once

#include "app/framework/command_target.h"
#include "app/framework/framework_export.h"

#include <QWidget>

class ZemChildFrame;
class ZemDocument;

class ZEM_FRAMEWORK_EXPORT ZemView : public QWidget, public ZemCommandTarget {
    Q_OBJECT
public:
    explicit ZemView(QWidget* parent = nullptr);
    // Leaves its document, which closes when this was its last view.
    ~ZemView() override;

    // Null once the document has gone.
    ZemDocument* GetDocument() const { return m_document; }
    // The child frame the view sits in, or null.
    ZemChildFrame* GetParentFrame() const;

    // Called once, after the frame, view and document are joined and before the frame shows.
    virtual void OnInitialUpdate();
    // The document changed; the default repaints.
    virtual void OnUpdate(ZemView* sender, long hint);

private:
    friend class ZemDocument;
    ZemDocument* m_document = nullptr;
};
