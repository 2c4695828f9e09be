#include "plugins/playlists/playlist_doc.h"

#include "app/framework/zem_child_frame.h"
#include "app/framework/zem_doc_manager.h"
#include "app/framework/zem_doc_template.h"
#include "contracts/hostlink.h"
#include "plugins/playlists/formats/playlist_format.h"
#include "plugins/playlists/playlist_prompts.h"
#include "plugins/playlists/playlist_texts.h"
#include "plugins/playlists/playlist_view.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMainWindow>
#include <QMdiArea>
#include <QStatusBar>

#include <cstdio>
#include <cstring>
#include <string>

namespace playlists {

namespace {

QStatusBar* MainStatusBar() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* main = qobject_cast<QMainWindow*>(w))
            return main->statusBar();
    return nullptr;
}

// The ".zpl" template's filter, from the templates the host registered.
std::string ZplFilter(ZemDocTemplate* own) {
    ZemDocManager* manager = own ? own->GetDocManager() : nullptr;
    if (manager)
        for (ZemDocTemplate* t : manager->GetTemplates())
            if (t->GetDocString(kDocStringFilterExt) == ".zpl")
                return t->GetDocString(kDocStringFilterName);
    return "ZEM Playlist (*.zpl)";
}

} // namespace

bool CPlaylistDoc::OnNewDocument() {
    m_entries.clear();
    UpdateTotal();
    return ZemDocument::OnNewDocument();
}

bool CPlaylistDoc::OnOpenDocument(const QString& path) {
    // A playlist is open once: opening it again (from the command line, the files reopened at
    // start, a drop) shows the window it has, instead of a second Auto DJ over the same list.
    if (CPlaylistDoc* open = OpenElsewhere(path)) {
        if (!open->GetViews().empty())
            if (ZemChildFrame* frame = open->GetViews().front()->GetParentFrame()) {
                frame->show();
                frame->setFocus();
                if (QMdiArea* area = frame->mdiArea())
                    area->setActiveSubWindow(frame);
            }
        return false;
    }
    // Unreadable files give an empty playlist; the plug-in says nothing of its own.
    m_entries = ReadPlaylist(path.toStdString());
    SetModifiedFlag(false);
    return true;
}

CPlaylistDoc* CPlaylistDoc::OpenElsewhere(const QString& path) const {
    ZemDocManager* manager = GetDocTemplate() ? GetDocTemplate()->GetDocManager() : nullptr;
    if (!manager)
        return nullptr;
    const QString canonical = QFileInfo(path).canonicalFilePath();
    if (canonical.isEmpty())
        return nullptr; // a file not there yet is not open anywhere
    for (ZemDocTemplate* t : manager->GetTemplates())
        for (ZemDocument* d : t->GetDocuments()) {
            auto* other = dynamic_cast<CPlaylistDoc*>(d);
            if (other && other != this && !other->GetPathName().isEmpty() &&
                QFileInfo(other->GetPathName()).canonicalFilePath() == canonical)
                return other;
        }
    return nullptr;
}

bool CPlaylistDoc::OnSaveDocument(const QString& path) {
    const std::vector<const PlaylistEntry*> order =
        m_rowOrder ? m_rowOrder() : InArrayOrder(m_entries);
    if (!WritePlaylist(path.toStdString(), order))
        return false;
    SetModifiedFlag(false);
    return true;
}

bool CPlaylistDoc::DoSave(const QString& path, bool replace) {
    const QString folder = QDir::currentPath();
    bool saved = false;
    ZemDocTemplate* t = GetDocTemplate();
    if (t && t->GetDocString(kDocStringFilterExt) == ".m3u") {
        if (!path.isEmpty()) {
            Prompts().message(kCannotSaveM3u);
        } else {
            std::string proposed = GetPathName().toStdString();
            const size_t dot = proposed.rfind('.');
            if (dot != std::string::npos)
                proposed.erase(dot);
            proposed += ".zpl";
            const std::string chosen = Prompts().saveFileName(replace ? "Save As" : "Save Copy As",
                                                              proposed, ZplFilter(t));
            if (!chosen.empty() && OnSaveDocument(QString::fromStdString(chosen))) {
                saved = true;
                Prompts().message(kConversionDone);
            }
        }
    } else {
        saved = ZemDocument::DoSave(path, replace);
    }
    QDir::setCurrent(folder);
    UpdateTotal();
    return saved;
}

void CPlaylistDoc::DeleteContents() {
    m_entries.clear();
}

bool CPlaylistDoc::CanCloseFrame(ZemChildFrame* frame) {
    const bool can = ZemDocument::CanCloseFrame(frame);
    m_asked = can;
    return can;
}

void CPlaylistDoc::OnCloseDocument() {
    if (IsModified() && !m_asked)
        SaveModified(); // closing goes on whatever the answer: the caller cannot stop
    m_asked = true;
    for (ZemView* view : std::vector<ZemView*>(GetViews()))
        if (auto* playlist = dynamic_cast<CPlaylistView*>(view))
            playlist->BeforeClose(true);
    ZemDocument::OnCloseDocument();
}

void CPlaylistDoc::LookUp(PlaylistEntry& e) {
    e.infoPending = false;
    e.bpm = 0;
    e.totalTime = 0;
    ZEM_FileInfo info;
    std::memset(&info, 0, sizeof info);
    std::string path(e.Path());
    ZEM_Interface_GetFullFileInfo(&info, path.data());
    e.bpm = static_cast<float>(info.tempoBPM);
    e.totalTime = static_cast<int32_t>(info.totalMs / 1000);
}

void CPlaylistDoc::RefreshEntry(int index) {
    if (index < 0 || index >= static_cast<int>(m_entries.size()))
        return;
    QStatusBar* bar = MainStatusBar();
    if (bar) {
        char text[300];
        std::snprintf(text, sizeof text, kRefreshingFormat, m_entries[index].path);
        bar->showMessage(QString::fromUtf8(text));
    }
    LookUp(m_entries[index]);
    if (bar)
        bar->clearMessage();
}

void CPlaylistDoc::UpdateTotal() {
    SetTitle(QString::fromStdString(
        PlaylistWindowTitle(GetTitle().toStdString(), TotalSeconds(m_entries), IsModified())));
}

} // namespace playlists
