#include "plugins/playlists/playlist_rows.h"

#include "plugins/playlists/formats/playlist_columns.h"
#include "plugins/playlists/formats/playlist_paths.h"

#include <algorithm>
#include <utility>

namespace playlists {

PlaylistRows::PlaylistRows(std::vector<PlaylistEntry>& entries, RowsServices services)
    : m_entries(entries), m_services(std::move(services)) {}

void PlaylistRows::Fill() {
    m_rows.clear();
    m_selection.clear();
    m_focus = -1;
    m_next = 0;
    for (int i = 0; i < static_cast<int>(m_entries.size()); ++i)
        appendRow(i);
}

void PlaylistRows::appendRow(int entry) {
    m_rows.push_back(entry);
    if (m_rows.size() == 1) {
        m_selection = {0};
        m_focus = 0;
        m_next = 0;
    }
}

PlaylistEntry& PlaylistRows::ShownEntry(int row) {
    PlaylistEntry& e = m_entries[m_rows[row]];
    if (e.infoPending && m_services.lookUp)
        m_services.lookUp(e);
    return e;
}

std::string PlaylistRows::Cell(int row, int column) {
    return CellText(ShownEntry(row), column);
}

void PlaylistRows::SetSelection(std::set<int> rows) {
    m_selection = std::move(rows);
}

void PlaylistRows::MarkFocusedAsNext() {
    if (m_focus >= 0 && m_focus < RowCount())
        m_next = m_focus;
}

void PlaylistRows::MarkNext(int row) {
    if (row < 0 || row >= RowCount())
        return;
    m_focus = row;
    m_next = row;
}

int PlaylistRows::OpenRow(int row) {
    if (row < 0 || row >= RowCount())
        return -1;
    PlaylistEntry& e = m_entries[m_rows[row]];
    const int channel = m_services.newChannel ? m_services.newChannel(std::string(e.Path())) : -1;
    // Also when the open failed: the row shows when it was last tried.
    e.lastPlayed = m_services.now ? m_services.now() : 0;
    return channel;
}

void PlaylistRows::SetPlayed(int row) {
    if (row >= 0 && row < RowCount())
        m_entries[m_rows[row]].played = true;
}

std::vector<int> PlaylistRows::UnplayedRows() const {
    std::vector<int> rows;
    for (int r = 0; r < RowCount(); ++r)
        if (!m_entries[m_rows[r]].played)
            rows.push_back(r);
    return rows;
}

void PlaylistRows::ClearPlayedMarks() {
    for (PlaylistEntry& e : m_entries)
        e.played = false;
}

void PlaylistRows::addOne(const std::string& path) {
    PlaylistEntry e;
    if (!e.SetPath(path))
        return; // longer than an entry holds
    m_entries.push_back(e);
    appendRow(static_cast<int>(m_entries.size()) - 1);
    if (m_selection.empty()) {
        m_selection = {RowCount() - 1};
        m_focus = RowCount() - 1;
    }
    if (m_services.modified)
        m_services.modified();
}

void PlaylistRows::AddPaths(const std::vector<std::string>& paths) {
    for (const std::string& p : paths)
        ExpandPath(p, [this](const std::string& file) { addOne(file); });
    RebuildOrder();
}

int PlaylistRows::nextEntry() const {
    return m_next >= 0 && m_next < RowCount() ? m_rows[m_next] : -1;
}

void PlaylistRows::keepNextOn(int entry) {
    const int row = rowOfEntry(entry);
    if (row >= 0)
        m_next = row;
}

int PlaylistRows::rowOfEntry(int entry) const {
    const auto it = std::find(m_rows.begin(), m_rows.end(), entry);
    return it == m_rows.end() ? -1 : static_cast<int>(it - m_rows.begin());
}

void PlaylistRows::RemoveSelected() {
    if (m_selection.empty())
        return;
    // The next mark stays on its song when rows above it go; when its own row goes, the row
    // that takes its place becomes next.
    const int removedAboveNext = static_cast<int>(
        std::count_if(m_selection.begin(), m_selection.end(), [&](int r) { return r < m_next; }));
    const int firstRemoved = *m_selection.begin();
    int focus = -1;
    if (m_focus >= 0 && !m_selection.count(m_focus))
        focus = m_focus - static_cast<int>(std::count_if(m_selection.begin(), m_selection.end(),
                                                         [&](int r) { return r < m_focus; }));
    std::vector<int> kept;
    for (int r = 0; r < RowCount(); ++r)
        if (!m_selection.count(r))
            kept.push_back(m_rows[r]);
    m_rows = std::move(kept);
    m_next -= removedAboveNext;
    if (focus < 0)
        focus = std::min(firstRemoved, RowCount() - 1);
    if (focus < 0)
        focus = 0;
    m_selection.clear();
    if (m_next >= RowCount() && RowCount() > 0)
        m_next = RowCount() - 1;
    if (RowCount() > 0) {
        m_focus = std::min(focus, RowCount() - 1);
        m_selection = {m_focus};
    } else {
        m_focus = -1;
        m_next = 0;
    }
    if (m_services.modified)
        m_services.modified();
    RebuildOrder();
}

void PlaylistRows::RefreshSelected() {
    for (int r : m_selection)
        if (m_services.lookUp)
            m_services.lookUp(m_entries[m_rows[r]]);
    if (!m_selection.empty() && m_services.modified)
        m_services.modified();
    RebuildOrder();
}

void PlaylistRows::ResetLastPlayedOfSelected() {
    for (int r : m_selection)
        m_entries[m_rows[r]].lastPlayed = 0;
}

void PlaylistRows::MoveSelectedTo(int target) {
    if (m_selection.empty())
        return;
    target = std::clamp(target, 0, RowCount());
    const int next = nextEntry();
    const int count = static_cast<int>(m_selection.size());
    if (*m_selection.rbegin() < target)
        target -= count;
    std::vector<int> moved, rest;
    for (int r = 0; r < RowCount(); ++r)
        (m_selection.count(r) ? moved : rest).push_back(m_rows[r]);
    target = std::clamp(target, 0, static_cast<int>(rest.size()));
    rest.insert(rest.begin() + target, moved.begin(), moved.end());
    m_rows = std::move(rest);
    m_selection.clear();
    for (int i = 0; i < count; ++i)
        m_selection.insert(target + i);
    m_focus = target;
    keepNextOn(next);
    if (m_services.modified)
        m_services.modified();
    RebuildOrder();
}

void PlaylistRows::SortByColumn(int column) {
    if (column < 0 || column >= 4)
        return;
    m_ascending = column == m_sortColumn ? !m_ascending : true;
    m_sortColumn = column;
    // The texts sorted by must be the real ones, not those of entries still waiting for their
    // information.
    if (column == 1 || column == 2)
        for (int r = 0; r < RowCount(); ++r)
            ShownEntry(r);
    std::vector<int> selected;
    for (int r : m_selection)
        selected.push_back(m_rows[r]);
    const int focus = m_focus >= 0 && m_focus < RowCount() ? m_rows[m_focus] : -1;
    const int next = nextEntry();
    SortRows(m_rows, m_entries, column, m_ascending);
    // Selection, focus and the next mark stay on their songs.
    m_selection.clear();
    for (int e : selected)
        m_selection.insert(rowOfEntry(e));
    if (focus >= 0)
        m_focus = rowOfEntry(focus);
    keepNextOn(next);
}

bool PlaylistRows::Find(const FindRequest& request, const std::function<bool()>& askWrap) {
    std::vector<std::string> cells;
    cells.reserve(m_rows.size());
    for (int e : m_rows)
        cells.emplace_back(CellText(m_entries[e], 0));
    const int first = m_selection.empty() ? -1 : *m_selection.begin();
    const int found = FindRow(cells, first, request, askWrap);
    m_selection.clear();
    if (found < 0)
        return false;
    m_selection = {found};
    m_focus = found;
    return true;
}

void PlaylistRows::SelectAll() {
    m_selection.clear();
    for (int r = 0; r < RowCount(); ++r)
        m_selection.insert(r);
}

std::string PlaylistRows::DragText() const {
    std::string text;
    for (int r : m_selection) {
        text += m_entries[m_rows[r]].Path();
        text += '|';
    }
    return text;
}

void PlaylistRows::RebuildOrder() {
    std::vector<PlaylistEntry> ordered;
    ordered.reserve(m_rows.size());
    for (int e : m_rows)
        ordered.push_back(m_entries[e]);
    m_entries = std::move(ordered);
    for (int r = 0; r < RowCount(); ++r)
        m_rows[r] = r;
}

std::vector<const PlaylistEntry*> PlaylistRows::EntriesInRowOrder() const {
    std::vector<const PlaylistEntry*> order;
    order.reserve(m_rows.size());
    for (int e : m_rows)
        order.push_back(&m_entries[e]);
    return order;
}

} // namespace playlists
