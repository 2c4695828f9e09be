#include "plugins/playlists/playlist_view.h"

#include "app/framework/zem_doc_manager.h"
#include "app/framework/zem_doc_template.h"
#include "contracts/hostlink.h"
#include "plugins/playlists/auto_dj/hostlink_deck_host.h"
#include "plugins/playlists/formats/playlist_columns.h"
#include "plugins/playlists/formats/playlist_paths.h"
#include "plugins/playlists/playlist_dialogs.h"
#include "plugins/playlists/playlist_doc.h"
#include "plugins/playlists/playlist_prompts.h"
#include "plugins/playlists/playlist_table.h"
#include "plugins/playlists/playlist_texts.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QSizeGrip>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <ctime>

namespace playlists {

namespace {

constexpr int kPollMs = 50;

// The view's keys, as its accelerator table has them.
struct ViewKey {
    int key;
    Qt::KeyboardModifiers mods;
    CPlaylistView::Command command;
};
constexpr ViewKey kViewKeys[] = {
    {Qt::Key_Space, Qt::NoModifier, CPlaylistView::kMarkNext},
    {Qt::Key_Insert, Qt::NoModifier, CPlaylistView::kAddFiles},
    {Qt::Key_Delete, Qt::NoModifier, CPlaylistView::kRemove},
    {Qt::Key_Return, Qt::NoModifier, CPlaylistView::kOpenSelected},
    {Qt::Key_Enter, Qt::NoModifier, CPlaylistView::kOpenSelected},
    {Qt::Key_N, Qt::ControlModifier, CPlaylistView::kFadeToNext},
    {Qt::Key_F, Qt::ControlModifier, CPlaylistView::kFind},
    {Qt::Key_A, Qt::ControlModifier, CPlaylistView::kAutoDj},
};

// Enter only while the list has the focus.
bool CommandOfKey(const QKeyEvent& key, bool inList, CPlaylistView::Command& command) {
    const Qt::KeyboardModifiers mods =
        key.modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
    for (const ViewKey& k : kViewKeys)
        if (k.key == key.key() && k.mods == mods) {
            command = k.command;
            return inList || command != CPlaylistView::kOpenSelected;
        }
    return false;
}

} // namespace

CPlaylistView::CPlaylistView(QWidget* parent)
    : ZemView(parent), m_host(std::make_unique<HostlinkDeckHost>()),
      m_random(static_cast<unsigned>(std::time(nullptr))) {
    m_table = new PlaylistTable(this);
    m_table->setObjectName(QStringLiteral("list"));
    m_menuButton = new QPushButton(QStringLiteral("Playlist menu"), this);
    m_menuButton->setObjectName(QStringLiteral("menu"));
    m_autoDjBox = new QCheckBox(QStringLiteral("Auto DJ"), this);
    m_autoDjBox->setObjectName(QStringLiteral("autoDj"));
    m_nextButton = new QPushButton(QStringLiteral("Next song"), this);
    m_nextButton->setObjectName(QStringLiteral("nextSong"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_menuButton);
    buttons->addStretch(1);
    buttons->addWidget(m_autoDjBox);
    buttons->addWidget(m_nextButton);
    // The grip acts as the window's bottom-right sizing border.
    buttons->addWidget(new QSizeGrip(this), 0, Qt::AlignBottom | Qt::AlignRight);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 0, 0);
    layout->addWidget(m_table, 1);
    layout->addLayout(buttons);

    connect(m_menuButton, &QPushButton::clicked, this,
            [this] { MakeMenu()->exec(m_menuButton->mapToGlobal(QPoint(0, 0))); });
    connect(m_autoDjBox, &QCheckBox::clicked, this, [this] {
        // The Auto DJ sets the box; a click only asks for the toggle.
        m_autoDjBox->setChecked(m_autoDj && m_autoDj->IsOn());
        RunCommand(kAutoDj);
    });
    connect(m_nextButton, &QPushButton::clicked, this, [this] { RunCommand(kFadeToNext); });
    connect(m_table, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { MakeMenu()->exec(m_table->viewport()->mapToGlobal(pos)); });
    connect(m_table, &QAbstractItemView::doubleClicked, this, [this] { OpenFocused(); });
    connect(m_table->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
        if (!m_rows)
            return;
        m_rows->SortByColumn(column);
        m_table->horizontalHeader()->setSortIndicatorShown(true);
        m_table->horizontalHeader()->setSortIndicator(
            column, m_rows->SortAscending() ? Qt::AscendingOrder : Qt::DescendingOrder);
        Sync();
    });
    m_table->dragText = [this] { return m_rows ? m_rows->DragText() : std::string(); };
    m_table->moveRows = [this](int target) {
        if (!m_rows)
            return;
        m_rows->MoveSelectedTo(target);
        afterRowsChanged();
    };
    m_table->addPaths = [this](const std::vector<std::string>& paths) { AddDropped(paths); };

    for (QWidget* w :
         std::initializer_list<QWidget*>{m_table, m_menuButton, m_autoDjBox, m_nextButton, this})
        w->installEventFilter(this);

    auto* poll = new QTimer(this);
    connect(poll, &QTimer::timeout, this, [this] {
        if (m_autoDj)
            m_autoDj->Poll();
    });
    poll->start(kPollMs);
}

CPlaylistView::~CPlaylistView() {
    BeforeClose(false);
    // Retiring the Auto DJ waits for the progress callbacks inside it: none posts after this.
    m_autoDj.reset();
}

CPlaylistDoc* CPlaylistView::Document() const {
    return dynamic_cast<CPlaylistDoc*>(GetDocument());
}

ZemProfile* CPlaylistView::profile() const {
    ZemDocument* doc = GetDocument();
    ZemDocTemplate* t = doc ? doc->GetDocTemplate() : nullptr;
    ZemDocManager* manager = t ? t->GetDocManager() : nullptr;
    return manager ? manager->GetProfile() : nullptr;
}

void CPlaylistView::OnInitialUpdate() {
    CPlaylistDoc* doc = Document();
    if (!doc)
        return;
    RowsServices services;
    services.lookUp = [this, doc](PlaylistEntry& e) {
        doc->RefreshEntry(static_cast<int>(&e - doc->Entries().data()));
        // Rows looked up as they are drawn change the total: one update once drawing is done.
        if (!m_totalDue) {
            m_totalDue = true;
            QTimer::singleShot(0, this, [this] {
                m_totalDue = false;
                if (CPlaylistDoc* d = Document())
                    d->UpdateTotal();
            });
        }
    };
    services.newChannel = [this](const std::string& path) { return m_host->NewChannel(path); };
    services.now = [] { return static_cast<int32_t>(std::time(nullptr)); };
    services.modified = [doc] { doc->SetModifiedFlag(true); };
    m_rows = std::make_unique<PlaylistRows>(doc->Entries(), services);
    m_autoDj = std::make_unique<AutoDj>(*m_host, *m_rows, static_cast<AutoDjWindow&>(*this));
    doc->SetRowOrder([this] { return m_rows->EntriesInRowOrder(); });

    m_model = new PlaylistTableModel(*m_rows, this);
    m_table->setModel(m_model);
    connect(m_table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { takeSelectionFromList(); });
    connect(m_table->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { takeSelectionFromList(); });
    for (int c = 0; c < 4; ++c) {
        const int stored = profile() ? ReadColumnWidth(*profile(), c) : 0;
        // A column the user never sized is at least as wide as its heading in this font.
        const int width = stored > 0 ? stored
                                     : std::max(kPlaylistColumns[c].defaultWidth,
                                                m_table->horizontalHeader()->sectionSizeHint(c));
        m_table->setColumnWidth(c, width);
    }
    m_rows->Fill();
    Sync();
    doc->UpdateTotal();
}

QSize CPlaylistView::sizeHint() const {
    int columns = 0;
    for (int c = 0; c < 4; ++c)
        columns += m_table->columnWidth(c);
    const int width = columns + 2 * m_table->frameWidth() +
                      m_table->verticalScrollBar()->sizeHint().width() +
                      layout()->contentsMargins().left() + layout()->contentsMargins().right();
    return QSize(std::max(width, ZemView::sizeHint().width()),
                 10 * m_table->verticalHeader()->defaultSectionSize() + 80)
        .expandedTo(QSize(320, 240));
}

void CPlaylistView::Sync() {
    if (!m_rows)
        return;
    m_syncing = true;
    m_model->Reset();
    QItemSelectionModel* selection = m_table->selectionModel();
    QItemSelection rows;
    for (int r : m_rows->Selection())
        rows.select(m_model->index(r, 0), m_model->index(r, 3));
    selection->select(rows, QItemSelectionModel::ClearAndSelect);
    const int focus = m_rows->FocusRow();
    if (focus >= 0 && focus < m_rows->RowCount()) {
        selection->setCurrentIndex(m_model->index(focus, 0), QItemSelectionModel::NoUpdate);
        m_table->scrollTo(m_model->index(focus, 0));
    }
    m_syncing = false;
}

void CPlaylistView::takeSelectionFromList() {
    if (m_syncing || !m_rows)
        return;
    std::set<int> rows;
    for (const QModelIndex& i : m_table->selectionModel()->selectedRows())
        rows.insert(i.row());
    m_rows->SetSelection(std::move(rows));
    const QModelIndex current = m_table->selectionModel()->currentIndex();
    m_rows->SetFocusRow(current.isValid() ? current.row() : -1);
}

void CPlaylistView::afterRowsChanged() {
    Sync();
    if (CPlaylistDoc* doc = Document())
        doc->UpdateTotal();
}

void CPlaylistView::OpenFocused() {
    if (!m_rows)
        return;
    // A failure is not reported here: the deck's own message said why.
    m_rows->OpenRow(m_rows->FocusRow());
    if (m_rows->FocusRow() >= 0 && m_rows->FocusRow() < m_rows->RowCount())
        m_model->RowChanged(m_rows->FocusRow());
}

void CPlaylistView::AddDropped(const std::vector<std::string>& paths) {
    if (!m_rows || paths.empty())
        return;
    m_rows->AddPaths(paths);
    afterRowsChanged();
}

bool CPlaylistView::IsCommandEnabled(Command command) {
    if (command == kFadeToNext)
        return m_autoDj && m_autoDj->CanFadeToNext();
    return m_rows != nullptr;
}

bool CPlaylistView::IsCommandChecked(Command command) const {
    if (command == kAutoDj)
        return m_autoDj && m_autoDj->IsOn();
    if (command == kRandomPlay)
        return m_rows && m_rows->RandomPlay();
    return false;
}

void CPlaylistView::RunCommand(Command command) {
    if (!m_rows || !IsCommandEnabled(command))
        return;
    CPlaylistDoc* doc = Document();
    switch (command) {
    case kMarkNext:
        m_rows->MarkFocusedAsNext();
        Sync();
        break;
    case kFadeToNext:
        m_autoDj->FadeToNext();
        break;
    case kRefresh:
        m_rows->RefreshSelected();
        afterRowsChanged();
        break;
    case kResetLastPlayed:
        m_rows->ResetLastPlayedOfSelected();
        Sync();
        break;
    case kFind:
        openFind();
        break;
    case kAddFiles:
        if (char* chosen = ZEM_Interface_FileOpenDlg(512)) {
            const std::vector<std::string> paths = SplitDialogPaths(chosen);
            std::free(chosen);
            m_rows->AddPaths(paths);
            afterRowsChanged();
        }
        break;
    case kRemove:
        m_rows->RemoveSelected();
        afterRowsChanged();
        break;
    case kAutoDj:
        m_autoDj->Toggle();
        Sync();
        break;
    case kRandomPlay:
        m_rows->SetRandomPlay(!m_rows->RandomPlay());
        break;
    case kSave:
        if (doc)
            doc->DoFileSave();
        break;
    case kSaveAs:
        if (doc)
            doc->DoSave(QString(), true);
        break;
    case kSelectAll:
        m_rows->SelectAll();
        Sync();
        break;
    case kSelectNone:
        m_rows->SetSelection({});
        Sync();
        break;
    case kSettings:
        runSettingsDialog();
        break;
    case kOpenSelected:
        OpenFocused();
        break;
    }
}

std::unique_ptr<QMenu> CPlaylistView::MakeMenu() {
    auto menu = std::make_unique<QMenu>(QStringLiteral("Menu"));
    const auto add = [this](QMenu* into, const char* text, Command command) {
        // The text after the tab is the key, shown as Qt shows shortcuts.
        QString label = QString::fromUtf8(text);
        const qsizetype tab = label.indexOf('\t');
        QAction* a = into->addAction(tab < 0 ? label : label.left(tab));
        if (tab >= 0)
            a->setShortcut(QKeySequence(label.mid(tab + 1)));
        a->setShortcutVisibleInContextMenu(true);
        a->setEnabled(IsCommandEnabled(command));
        if (command == kAutoDj || command == kRandomPlay) {
            a->setCheckable(true);
            a->setChecked(IsCommandChecked(command));
        }
        a->setData(static_cast<int>(command));
        // The keys themselves are handled by the view; the shortcut only labels the item.
        a->setShortcutContext(Qt::WidgetShortcut);
        connect(a, &QAction::triggered, this, [this, command] { RunCommand(command); });
        return a;
    };
    QMenu* m = menu.get();
    add(m, kMenuMarkNext, kMarkNext);
    add(m, kMenuFadeToNext, kFadeToNext);
    add(m, kMenuRefresh, kRefresh);
    add(m, kMenuResetLastPlayed, kResetLastPlayed);
    add(m, kMenuFind, kFind);
    m->addSeparator();
    add(m, kMenuAddFiles, kAddFiles);
    add(m, kMenuRemove, kRemove);
    m->addSeparator();
    add(m, kMenuAutoDj, kAutoDj);
    add(m, kMenuRandomPlay, kRandomPlay);
    m->addSeparator();
    QMenu* file = m->addMenu(QString::fromUtf8(kMenuFile));
    add(file, kMenuSave, kSave);
    add(file, kMenuSaveAs, kSaveAs);
    QMenu* edit = m->addMenu(QString::fromUtf8(kMenuEdit));
    add(edit, kMenuSelectAll, kSelectAll);
    add(edit, kMenuSelectNone, kSelectNone);
    m->addSeparator();
    add(m, kMenuSettings, kSettings);
    return menu;
}

bool CPlaylistView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
        return ZemView::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    Command command;
    if (!CommandOfKey(*key, watched == m_table, command))
        return ZemView::eventFilter(watched, event);
    if (event->type() == QEvent::ShortcutOverride) {
        // The playlist's keys win over the program's while the playlist has the focus, as a
        // child window's accelerators do.
        event->accept();
        return true;
    }
    RunCommand(command);
    return true;
}

void CPlaylistView::openFind() {
    if (m_find) {
        m_find->raise();
        m_find->activateWindow();
        return;
    }
    m_find = new FindPanel(this);
    m_find->findNext = [this](const FindRequest& request) {
        const bool found =
            m_rows->Find(request, [] { return Prompts().askYesNo(kFindWrapQuestion); });
        Sync();
        if (found)
            m_table->setFocus();
        if (m_find)
            m_find->activateWindow();
    };
    m_find->show();
}

void CPlaylistView::runSettingsDialog() {
    ZemProfile* p = profile();
    if (!p)
        return;
    PlaylistSettingsDialog dialog(this, ReadPlaylistSettings(*p));
    if (dialog.exec() == QDialog::Accepted)
        WritePlaylistSettings(*p, dialog.Values());
}

void CPlaylistView::BeforeClose(bool autosave) {
    if (m_closed || !m_rows)
        return;
    m_closed = true;
    CPlaylistDoc* doc = Document();
    ZemProfile* p = profile();
    if (autosave && doc && p && ReadPlaylistSettings(*p).autosave && !doc->IsModified() &&
        m_rows->RowCount() > 0)
        doc->DoFileSave();
    if (m_autoDj)
        m_autoDj->OnWindowClose();
    if (p)
        for (int c = 0; c < 4; ++c)
            WriteColumnWidth(*p, c, m_table->columnWidth(c));
    if (m_find)
        m_find->close();
}

AutoDjSettings CPlaylistView::Settings() {
    ZemProfile* p = profile();
    return p ? ReadPlaylistSettings(*p).autoDj : AutoDjSettings{};
}

bool CPlaylistView::AskContinueAfterError() {
    return Prompts().askYesNo(kOpenErrorQuestion);
}

void CPlaylistView::Post(int kind, int channel) {
    // Thread-safe; a step still queued when the view goes is dropped with it.
    QMetaObject::invokeMethod(
        this,
        [this, kind, channel] {
            if (m_autoDj)
                m_autoDj->OnDeviceEvent(kind, channel);
            Sync();
        },
        Qt::QueuedConnection);
}

void CPlaylistView::SetAutoDjChecked(bool on) {
    m_autoDjBox->setChecked(on);
}

int64_t CPlaylistView::NowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

unsigned CPlaylistView::Random() {
    return m_random();
}

} // namespace playlists
