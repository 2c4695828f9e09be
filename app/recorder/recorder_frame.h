// The recorder window's child frame: fixed size around its view, no maximise button.
#pragma once

#include "app/framework/zem_child_frame.h"

class CRecorderView;

class CRecorderFrame : public ZemChildFrame {
    Q_OBJECT
public:
    explicit CRecorderFrame(QWidget* parent = nullptr);

    CRecorderView* GetRecorderView() const;
    void OnInitialUpdateFrame(ZemDocument* document, bool makeVisible) override;
};
