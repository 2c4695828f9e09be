// The wave editor window's child frame: sizeable, titled after its deck with its own suffix,
// and placed where the last wave editor window was, at its size.
#pragma once

#include "app/framework/zem_child_frame.h"

class CWaveEditorView;

class CWaveEditorFrame : public ZemChildFrame {
    Q_OBJECT
public:
    static constexpr const char* kTitleSuffix = " - Wave editor";
    static constexpr const char* kPlacementSection = "Desktop placement";
    static constexpr const char* kPlacementKey = "Wave editor";

    explicit CWaveEditorFrame(QWidget* parent = nullptr);

    CWaveEditorView* GetWaveEditorView() const;
    void OnInitialUpdateFrame(ZemDocument* document, bool makeVisible) override;
};
