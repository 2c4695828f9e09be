// The playlist window's frame: it keeps its placement under "Playlist"/"Placement" and runs the
// view's closing steps when the user closes it.
#pragma once

#include "app/framework/zem_child_frame.h"

namespace playlists {

class CPlaylistFrame : public ZemChildFrame {
    Q_OBJECT
public:
    explicit CPlaylistFrame(QWidget* parent = nullptr);
    void OnInitialUpdateFrame(ZemDocument* document, bool makeVisible) override;

protected:
    void closeEvent(QCloseEvent* event) override;
};

} // namespace playlists
