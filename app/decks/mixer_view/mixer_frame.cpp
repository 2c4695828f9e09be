#include "app/decks/mixer_view/mixer_frame.h"

#include "app/decks/mixer_board/mixer_placement.h"
#include "app/decks/mixer_view/profile_store.h"
#include "app/framework/zem_view.h"

#include <QMdiArea>

CMixerFrame::CMixerFrame() {
    setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowMinimizeButtonHint);
}

CMixerFrame::~CMixerFrame() {
    ProfileSettingsStore store(GetProfile());
    // Stored in workspace coordinates seen across the workspace's 2-pixel edge, which the
    // store takes off again, so the board comes back exactly where it was.
    const QRect r = GetNormalGeometry().translated(2, 2);
    zem::board::StoreMixerPlacement(
        store, {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()});
}

void CMixerFrame::OnCreateFrame() {}

void CMixerFrame::OnInitialUpdateFrame(ZemDocument* document, bool makeVisible) {
    // The view builds its controls in its initial update; the frame then fits them exactly and
    // goes to its saved corner before it shows.
    ZemChildFrame::OnInitialUpdateFrame(document, false);
    adjustSize();
    setFixedSize(size());
    ProfileSettingsStore store(GetProfile());
    const zem::board::PlacementPoint at =
        zem::board::RestoredMixerPosition(store, {pos().x(), pos().y()});
    move(at.x, at.y);
    if (makeVisible) {
        show();
        if (mdiArea())
            mdiArea()->setActiveSubWindow(this);
    }
}
