#include "plugins/playlists/playlist_table.h"

#include "plugins/playlists/formats/playlist_columns.h"
#include "plugins/playlists/formats/playlist_paths.h"
#include "plugins/playlists/playlist_rows.h"

#include <QBrush>
#include <QColor>
#include <QDrag>
#include <QDragEnterEvent>
#include <QHeaderView>
#include <QMimeData>
#include <QPainter>
#include <QUrl>

namespace playlists {

PlaylistTableModel::PlaylistTableModel(PlaylistRows& rows, QObject* parent)
    : QAbstractTableModel(parent), m_rows(rows) {}

int PlaylistTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows.RowCount();
}

int PlaylistTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 4;
}

QVariant PlaylistTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_rows.RowCount())
        return {};
    if (role == Qt::DisplayRole)
        return QString::fromStdString(m_rows.Cell(index.row(), index.column()));
    if (role == Qt::BackgroundRole && index.row() == m_rows.NextRow())
        return QBrush(QColor(0, 255, 0)); // the next mark
    if (role == Qt::ForegroundRole && index.row() == m_rows.NextRow())
        return QBrush(Qt::black); // readable on the green whatever the palette
    if (role == Qt::ToolTipRole && index.column() == 0)
        return QString::fromStdString(std::string(m_rows.ShownEntry(index.row()).Path()));
    return {};
}

QVariant PlaylistTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < 4)
        return QString::fromUtf8(kPlaylistColumns[section].name);
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags PlaylistTableModel::flags(const QModelIndex& index) const {
    return QAbstractTableModel::flags(index) | Qt::ItemIsDragEnabled;
}

void PlaylistTableModel::Reset() {
    beginResetModel();
    endResetModel();
}

void PlaylistTableModel::RowChanged(int row) {
    emit dataChanged(index(row, 0), index(row, 3));
}

PlaylistTable::PlaylistTable(QWidget* parent) : QTableView(parent) {
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setShowGrid(false);
    setWordWrap(false);
    setContextMenuPolicy(Qt::CustomContextMenu);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setSectionsMovable(false);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);
}

int PlaylistTable::DropRowAt(const QPoint& pos) const {
    const int row = rowAt(pos.y());
    return row < 0 ? model()->rowCount() : row;
}

std::vector<std::string> PlaylistTable::DroppedPaths(const QMimeData& data) {
    std::vector<std::string> paths;
    if (data.hasUrls()) {
        for (const QUrl& url : data.urls())
            if (url.isLocalFile())
                paths.push_back(url.toLocalFile().toStdString());
        if (!paths.empty())
            return paths;
    }
    if (data.hasText())
        return SplitDropText(data.text().toStdString());
    return paths;
}

void PlaylistTable::startDrag(Qt::DropActions) {
    if (!dragText)
        return;
    auto* mime = new QMimeData;
    mime->setText(QString::fromStdString(dragText()));
    mime->setData(kRowsMime, QByteArray::number(reinterpret_cast<quintptr>(this)));
    auto* drag = new QDrag(this);
    drag->setMimeData(mime);
    drag->exec(Qt::CopyAction | Qt::MoveAction | Qt::LinkAction, Qt::CopyAction);
    m_insertRow = -1;
    viewport()->update();
}

void PlaylistTable::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasText() || event->mimeData()->hasUrls())
        event->acceptProposedAction();
    else
        event->ignore();
}

void PlaylistTable::dragMoveEvent(QDragMoveEvent* event) {
    if (!event->mimeData()->hasText() && !event->mimeData()->hasUrls()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    const int row =
        event->mimeData()->hasFormat(kRowsMime) ? DropRowAt(event->position().toPoint()) : -1;
    if (row != m_insertRow) {
        m_insertRow = row;
        viewport()->update();
    }
}

void PlaylistTable::dragLeaveEvent(QDragLeaveEvent* event) {
    m_insertRow = -1;
    viewport()->update();
    QTableView::dragLeaveEvent(event);
}

void PlaylistTable::dropEvent(QDropEvent* event) {
    const QMimeData* data = event->mimeData();
    const bool own = data->hasFormat(kRowsMime) &&
                     data->data(kRowsMime) == QByteArray::number(reinterpret_cast<quintptr>(this));
    const int target = DropRowAt(event->position().toPoint());
    m_insertRow = -1;
    viewport()->update();
    if (own) {
        // A copy to the drag's source, so that it removes nothing itself.
        event->setDropAction(Qt::CopyAction);
        event->accept();
        if (moveRows)
            moveRows(target);
        return;
    }
    const std::vector<std::string> paths = DroppedPaths(*data);
    if (paths.empty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    if (addPaths)
        addPaths(paths);
}

void PlaylistTable::paintEvent(QPaintEvent* event) {
    QTableView::paintEvent(event);
    if (m_insertRow < 0)
        return;
    // The insertion line: above the row the rows would go before, below the last one at the end.
    int y = 0;
    if (m_insertRow < model()->rowCount())
        y = rowViewportPosition(m_insertRow);
    else if (model()->rowCount() > 0)
        y = rowViewportPosition(model()->rowCount() - 1) + rowHeight(model()->rowCount() - 1);
    QPainter p(viewport());
    p.setPen(QPen(palette().color(QPalette::Text), 2));
    p.drawLine(0, y, viewport()->width(), y);
}

} // namespace playlists
