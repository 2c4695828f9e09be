// A playlist document: the entries of one ".zpl" or ".m3u" file, their total time, and the
// rules for saving (".m3u" files are saved only by converting them to ".zpl").
//
// Thread: the window's thread only.
#pragma once

#include "app/framework/zem_document.h"
#include "plugins/playlists/formats/playlist_entry.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace playlists {

class CPlaylistDoc : public ZemDocument {
public:
    std::vector<PlaylistEntry>& Entries() { return m_entries; }
    // The entries in the order a save writes them; the view sets it to its rows' order.
    void SetRowOrder(std::function<std::vector<const PlaylistEntry*>()> order) {
        m_rowOrder = std::move(order);
    }

    bool OnNewDocument() override;
    bool OnOpenDocument(const QString& path) override;
    bool OnSaveDocument(const QString& path) override;
    bool DoSave(const QString& path, bool replace = true) override;
    void DeleteContents() override;
    // A closing that did not ask about unsaved changes (the program's exit closes plug-in
    // windows so) asks now; then each view runs its closing steps.
    void OnCloseDocument() override;
    bool CanCloseFrame(ZemChildFrame* frame) override;

    // The file information lookup of entry index, with "Refreshing ..." in the status bar.
    void RefreshEntry(int index);
    void UpdateTotal();

    // The lookup itself: asks the host for the file's tempo and length. Silent on failure (the
    // entry keeps 0 and is not asked again until refreshed).
    static void LookUp(PlaylistEntry& entry);

private:
    // Another playlist document open on the same file, or null.
    CPlaylistDoc* OpenElsewhere(const QString& path) const;

    std::vector<PlaylistEntry> m_entries;
    std::function<std::vector<const PlaylistEntry*>()> m_rowOrder;
    bool m_asked = false; // the user answered the save question for this closing
};

} // namespace playlists
