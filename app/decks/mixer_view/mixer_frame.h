// The mixer board's child window: a title and a minimise box, no system menu, no maximise box,
// no sizing border. Its corner comes back from "Desktop placement" when it is first shown; its
// rectangle is stored there when it goes.
#pragma once

#include "app/framework/zem_child_frame.h"

class CMixerFrame : public ZemChildFrame {
    Q_OBJECT
public:
    CMixerFrame();
    ~CMixerFrame() override;

    // The framework's own placement memory stays unused: the board keeps its own keys.
    void OnCreateFrame() override;
    void OnInitialUpdateFrame(ZemDocument* document, bool makeVisible) override;
};
