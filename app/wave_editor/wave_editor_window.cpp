#include "app/wave_editor/wave_editor_window.h"

#include "app/decks/deck_view/zem_doc.h"
#include "app/framework/zem_doc_template.h"
#include "app/wave_editor/wave_editor_frame.h"
#include "app/wave_editor/wave_editor_view.h"

ZemChildFrame* MakeWaveEditorFrame() {
    return new CWaveEditorFrame();
}

ZemView* MakeWaveEditorView() {
    return new CWaveEditorView();
}

void OpenWaveEditor(ZemDocTemplate& waveEditorTemplate, CZEMDoc& deck) {
    for (ZemView* view : deck.GetViews()) {
        auto* editor = qobject_cast<CWaveEditorView*>(view);
        if (!editor)
            continue;
        if (ZemChildFrame* frame = editor->GetParentFrame()) {
            frame->BringToFront();
            editor->Refresh();
        }
        return;
    }
    ZemChildFrame* frame = waveEditorTemplate.CreateNewFrame(&deck);
    if (frame)
        waveEditorTemplate.InitialUpdateFrame(frame, &deck, true);
}
