// The playlist window's rows without any widget: which entry each row shows, the selection, the
// focused row and the next mark, and what the window's commands do to them and to the
// document's entries. The view draws this state and forwards clicks and keys; tests drive it
// directly.
//
// Thread: the window's thread only.
#pragma once

#include "plugins/playlists/auto_dj/auto_dj_ports.h"
#include "plugins/playlists/formats/playlist_entry.h"
#include "plugins/playlists/formats/playlist_find.h"

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace playlists {

// What the rows need from around them.
struct RowsServices {
    // The file information lookup of one entry (clears info pending).
    std::function<void(PlaylistEntry&)> lookUp;
    // Opens a file into a new deck: its channel, or -1.
    std::function<int(const std::string&)> newChannel;
    // Calendar seconds since 1970, for "last played".
    std::function<int32_t()> now;
    // The document became modified.
    std::function<void()> modified;
};

class PlaylistRows : public AutoDjPlaylist {
public:
    PlaylistRows(std::vector<PlaylistEntry>& entries, RowsServices services);

    // One row per entry, in array order (opening the window).
    void Fill();

    int RowCount() const override { return static_cast<int>(m_rows.size()); }
    int EntryOfRow(int row) const { return m_rows[row]; }
    const std::vector<int>& Rows() const { return m_rows; }
    // The entry a row shows; its file information is looked up first while pending, since the
    // row is about to be drawn.
    PlaylistEntry& ShownEntry(int row);
    std::string Cell(int row, int column);

    const std::set<int>& Selection() const { return m_selection; }
    void SetSelection(std::set<int> rows);
    int FocusRow() const { return m_focus; }
    void SetFocusRow(int row) { m_focus = row; }
    int NextRow() const override { return m_next; }

    // Space: the focused row becomes the next one.
    void MarkFocusedAsNext();
    void MarkNext(int row) override;
    int OpenRow(int row) override;
    bool RandomPlay() const override { return m_random; }
    void SetRandomPlay(bool on) { m_random = on; }
    void SetPlayed(int row) override;
    std::vector<int> UnplayedRows() const override;
    void ClearPlayedMarks() override;

    // Adds each path (folders with everything below them); then the array follows the rows.
    void AddPaths(const std::vector<std::string>& paths);
    void RemoveSelected();
    void RefreshSelected();
    void ResetLastPlayedOfSelected();
    // Drag within the list: the selected rows, as one block in their order, to before row
    // target (RowCount() for the end).
    void MoveSelectedTo(int target);
    // A header click: by that column, reversed when it is the column sorted last.
    void SortByColumn(int column);
    bool SortAscending() const { return m_ascending; }
    // Find next: selects and focuses the row found (true), or leaves nothing selected.
    bool Find(const FindRequest& request, const std::function<bool()>& askWrap);
    void SelectAll();
    // What a drag out of the window carries: the selected rows' paths, each followed by "|".
    std::string DragText() const;

    // The document's entries in row order, the rows then showing entries 0, 1, 2...
    void RebuildOrder();
    // The entries in row order, as a save writes them.
    std::vector<const PlaylistEntry*> EntriesInRowOrder() const;

private:
    void appendRow(int entry);
    void addOne(const std::string& path);
    // The entry the next mark is on, and the mark put back on it after the rows moved.
    int nextEntry() const;
    void keepNextOn(int entry);
    int rowOfEntry(int entry) const;

    std::vector<PlaylistEntry>& m_entries;
    RowsServices m_services;
    std::vector<int> m_rows; // entry index of each row
    std::set<int> m_selection;
    int m_focus = -1;
    int m_next = 0;
    bool m_random = false;
    int m_sortColumn = -1;
    bool m_ascending = true;
};

} // namespace playlists
