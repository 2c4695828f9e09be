#include "app/wave_editor/wave_editor_frame.h"

#include "app/wave_editor/wave_editor_view.h"

#include <QEvent>

CWaveEditorFrame::CWaveEditorFrame(QWidget* parent) : ZemChildFrame(parent) {
    SetTitleSuffix(QString::fromUtf8(kTitleSuffix));
}

CWaveEditorView* CWaveEditorFrame::GetWaveEditorView() const {
    return qobject_cast<CWaveEditorView*>(GetActiveView());
}

void CWaveEditorFrame::OnInitialUpdateFrame(ZemDocument* document, bool makeVisible) {
    SetPlacementKey(kPlacementSection, kPlacementKey);
    if (CWaveEditorView* view = GetWaveEditorView()) {
        const QSize least = view->minimumSizeHint();
        SetMinimumTrackSize(least.width(), least.height());
        resize(view->sizeHint());
    }
    RestorePlacement(false);
    ZemChildFrame::OnInitialUpdateFrame(document, makeVisible);
}
