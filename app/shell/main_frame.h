// The main window: the workspace with its tiled background, the status bar with the
// crossfader pane, the menus, files dropped on it, the deck and crossfader commands, channel
// codes in window order, and the question before a playing deck's window closes.
//
// Threads: the user-interface thread only.
#pragma once

#include "app/framework/command_target.h"
#include "app/small_windows/help_menu.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class MixerDevice;
class QLabel;
class QMdiArea;
class QMenu;
class QMimeData;
class ZemChildFrame;
class ZemCommandRouter;
class ZemDocManager;
class ZemDocument;
class ZemProfile;
class ZemRecentFileList;

namespace zem::shell {

class ShellDialogs;

class CMainFrame : public QMainWindow, public ZemCommandTarget {
    Q_OBJECT
public:
    static constexpr int kDefaultWidth = 1280;
    static constexpr int kDefaultHeight = 800;

    // Everything must outlive the frame. The frame becomes the documents' workspace.
    CMainFrame(ZemDocManager& documents, ZemProfile& profile, ShellDialogs& dialogs);
    ~CMainFrame() override;

    QMdiArea* Workspace() const { return m_workspace; }
    ZemCommandRouter* Router() const { return m_router; }

    // The crossfader pane ("100% center" at first, then the board's text).
    void SetCenterText(const QString& text);
    QString CenterText() const;

    // Loads "Skins"/"Background bitmap" and tiles it over the workspace when the background is
    // enabled; tells the user when it cannot be loaded. True when a bitmap is shown.
    bool ApplyBackground();
    bool HasBackgroundBitmap() const { return m_hasBitmap; }

    // Opens path as a document and places its window. Null when nothing opened.
    ZemDocument* OpenDocument(const std::string& path);
    // Where a new child window goes when it has no stored place: the first deck at the left,
    // the second at the right, the mixer board at the bottom centre, further decks cascaded.
    void PlaceChildFrame(ZemChildFrame* frame);

    // What a drop opens: every local file of the URLs, else the text up to its first "|".
    static std::vector<std::string> FilesOfDrop(const QMimeData& data);
    // Opens what a drop on the workspace carries; the number of documents opened.
    int OpenDropped(const QMimeData& data);
    // The answer to one step of a drag of text over the main window (enter 0, over 1, leave 2,
    // drop 3), pos in the window's coordinates: for enter and over, 2 (move) when the point is
    // on the empty workspace or the status bar, else 0; for a drop, 1 when the text's first
    // piece up to "|" was opened, 0 without text; 1 for every other step.
    int AnswerDragStep(int step, const QMimeData* data, const QPoint& pos);

    // The deck window a channel code names (window order from the active child window), or
    // null; and its deck.
    ZemChildFrame* FindDeckFrame(int code) const;
    MixerDevice* FindDeck(int code) const;
    // Activates (and restores) the deck window of the channel code; false when there is none.
    bool ShowDeck(int code);

    // Runs when the user (or a signal) closes the window: the application's close sequence
    // (closing flag, plug-in views, documents). False keeps the window open.
    void SetCloseHandler(std::function<bool()> handler) { m_closeHandler = std::move(handler); }
    // The application's own commands (open, exit, settings) come after the frame's.
    void AddCommandTarget(ZemCommandTarget* target);
    // Re-reads the recent-file list into the File menu.
    void UpdateRecentFiles(const ZemRecentFileList& list);

    bool OnCommand(int id) override;
    bool OnUpdateCommand(int id, ZemCommandState& state) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildMenus();
    QAction* addCommand(QMenu* menu, int id, const char* text);

    ZemDocManager& m_documents;
    ZemProfile& m_profile;
    std::unique_ptr<zem::small::HelpCommands> m_help;
    ShellDialogs& m_dialogs;
    QMdiArea* m_workspace;
    QLabel* m_centerPane;
    ZemCommandRouter* m_router;
    QMenu* m_fileMenu = nullptr;
    QAction* m_recentSeparator = nullptr;
    std::vector<QAction*> m_recentActions;
    std::function<bool()> m_closeHandler;
    bool m_hasBitmap = false;
};

} // namespace zem::shell
