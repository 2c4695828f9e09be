// The equalizer window's child frame: fixed size (no sizing border, no maximise button), titled
// after its deck, and refreshing its view whenever it becomes the active window.
#pragma once

#include "app/framework/zem_child_frame.h"

class CEqualizerView;

class CEqualizerFrame : public ZemChildFrame {
    Q_OBJECT
public:
    static constexpr const char* kTitleSuffix = " - Equalizer";

    explicit CEqualizerFrame(QWidget* parent = nullptr);
    // The view still sits on its document here: it remembers the equalizer kind now.
    ~CEqualizerFrame() override;

    CEqualizerView* GetEqualizerView() const;
    // Fits the frame exactly around its view's current layout and keeps it that size.
    void FitToView();

    void OnInitialUpdateFrame(ZemDocument* document, bool makeVisible) override;
};
