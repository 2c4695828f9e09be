// The playlist window's view: the list with its four columns, the "Playlist menu" button, the
// "Auto DJ" box and the "Next song" button. The rows' logic is PlaylistRows, the Auto DJ's is
// AutoDj; the view draws them and forwards clicks, keys and drops.
//
// Thread: the window's thread, except where a function says otherwise.
#pragma once

#include "app/framework/zem_view.h"
#include "plugins/playlists/auto_dj/auto_dj.h"
#include "plugins/playlists/auto_dj/auto_dj_ports.h"
#include "plugins/playlists/playlist_rows.h"

#include <QPointer>

#include <memory>
#include <random>

class QCheckBox;
class QMenu;
class QPushButton;
class ZemProfile;

namespace playlists {

class CPlaylistDoc;
class FindPanel;
class PlaylistTable;
class PlaylistTableModel;

class CPlaylistView : public ZemView, private AutoDjWindow {
    Q_OBJECT
public:
    // The commands of the view's menu and keys.
    enum Command {
        kMarkNext = 1,
        kFadeToNext,
        kRefresh,
        kResetLastPlayed,
        kFind,
        kAddFiles,
        kRemove,
        kAutoDj,
        kRandomPlay,
        kSave,
        kSaveAs,
        kSelectAll,
        kSelectNone,
        kSettings,
        kOpenSelected,
    };

    explicit CPlaylistView(QWidget* parent = nullptr);
    ~CPlaylistView() override;

    void OnInitialUpdate() override;
    // Room for the four columns and a few rows.
    QSize sizeHint() const override;
    // Runs a command as its menu item or key would.
    void RunCommand(Command command);
    bool IsCommandEnabled(Command command);
    bool IsCommandChecked(Command command) const;
    // The popup menu "Menu", built with the commands' current states.
    std::unique_ptr<QMenu> MakeMenu();

    // Closing the window: the autosave, the Auto DJ's events, the column widths. Runs once,
    // before the frame goes.
    void BeforeClose(bool autosave);

    CPlaylistDoc* Document() const;
    PlaylistRows* Rows() const { return m_rows.get(); }
    AutoDj* AutoDjLogic() const { return m_autoDj.get(); }
    PlaylistTable* Table() const { return m_table; }
    // Redraws the rows and puts the selection, focus and next mark on the list.
    void Sync();
    // Opens the focused row into a new deck (Enter, double click).
    void OpenFocused();
    // Adds the files of a drop's text (paths each followed by "|") or file URLs.
    void AddDropped(const std::vector<std::string>& paths);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // AutoDjWindow.
    AutoDjSettings Settings() override;
    bool AskContinueAfterError() override;
    void Post(int kind, int channel) override;
    void SetAutoDjChecked(bool on) override;
    int64_t NowMs() override;
    unsigned Random() override;

    ZemProfile* profile() const;
    void takeSelectionFromList();
    void openFind();
    void runSettingsDialog();
    void afterRowsChanged();

    std::unique_ptr<PlaylistRows> m_rows;
    std::unique_ptr<DeckHost> m_host;
    std::unique_ptr<AutoDj> m_autoDj;
    PlaylistTable* m_table = nullptr;
    PlaylistTableModel* m_model = nullptr;
    QPushButton* m_menuButton = nullptr;
    QCheckBox* m_autoDjBox = nullptr;
    QPushButton* m_nextButton = nullptr;
    QPointer<FindPanel> m_find;
    std::mt19937 m_random;
    bool m_syncing = false;
    bool m_totalDue = false;
    bool m_closed = false;
};

} // namespace playlists
