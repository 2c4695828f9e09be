// The list of the playlist window: a table model that reads its cells from PlaylistRows (rows
// shown for the first time get their file information then) and a table view that drags rows
// within the list and out of the window as text, and takes drops of text and files.
//
// Thread: the window's thread only.
#pragma once

#include <QAbstractTableModel>
#include <QTableView>

#include <functional>
#include <string>
#include <vector>

namespace playlists {

class PlaylistRows;

class PlaylistTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit PlaylistTableModel(PlaylistRows& rows, QObject* parent = nullptr);
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Everything changed (rows added, removed, moved or sorted).
    void Reset();
    void RowChanged(int row);

private:
    PlaylistRows& m_rows;
};

// What a drag of rows carries besides the paths as text, so that a drop on the same list
// moves the rows instead of adding them again.
inline constexpr const char* kRowsMime = "application/x-zem-playlist-rows";

class PlaylistTable : public QTableView {
    Q_OBJECT
public:
    explicit PlaylistTable(QWidget* parent = nullptr);
    // The text a drag of the selected rows carries.
    std::function<std::string()> dragText;
    // A drop of the list's own rows before row target (rowCount for the end).
    std::function<void(int target)> moveRows;
    // A drop from elsewhere.
    std::function<void(const std::vector<std::string>& paths)> addPaths;

    // The row a drop at pos goes before: the row under it, or the end past the last row.
    int DropRowAt(const QPoint& pos) const;
    // What a drop of data would add (text pieces before each "|", or local files).
    static std::vector<std::string> DroppedPaths(const QMimeData& data);

protected:
    void startDrag(Qt::DropActions supported) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    int m_insertRow = -1; // where the insertion line is drawn during a drag, -1 for none
};

} // namespace playlists
