#include "plugins/playlists/playlist_frame.h"

#include "plugins/playlists/playlist_settings.h"
#include "plugins/playlists/playlist_view.h"

#include <QCloseEvent>

namespace playlists {

CPlaylistFrame::CPlaylistFrame(QWidget* parent) : ZemChildFrame(parent) {
    SetPlacementKey(kPlaylistSection, kPlacementEntry);
}

void CPlaylistFrame::OnInitialUpdateFrame(ZemDocument* document, bool makeVisible) {
    // The workspace sized the frame before the view was in it.
    const QSize least = minimumSizeHint();
    SetMinimumTrackSize(least.width(), least.height());
    ZemChildFrame::OnInitialUpdateFrame(document, makeVisible);
    // The view knows its columns' widths once its initial update ran.
    if (widget())
        resize(size().expandedTo(widget()->sizeHint() + (size() - widget()->size())));
    RestorePlacement(false);
}

void CPlaylistFrame::closeEvent(QCloseEvent* event) {
    ZemChildFrame::closeEvent(event);
    if (!event->isAccepted())
        return;
    if (auto* view = qobject_cast<CPlaylistView*>(GetActiveView()))
        view->BeforeClose(true);
}

} // namespace playlists
