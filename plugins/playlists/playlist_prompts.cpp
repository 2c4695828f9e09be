#include "plugins/playlists/playlist_prompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace playlists {

namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

PlaylistPrompts QtPrompts() {
    PlaylistPrompts p;
    p.message = [](const std::string& text) {
        QMessageBox::information(QApplication::activeWindow(), QStringLiteral("ZEM"), Text(text));
    };
    p.askYesNo = [](const std::string& text) {
        return QMessageBox::question(QApplication::activeWindow(), QStringLiteral("ZEM"),
                                     Text(text),
                                     QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    };
    p.saveFileName = [](const std::string& title, const std::string& proposed,
                        const std::string& filter) {
        // The folder must exist; the dialog has no read-only box to hide.
        return QFileDialog::getSaveFileName(QApplication::activeWindow(), Text(title),
                                            Text(proposed), Text(filter))
            .toStdString();
    };
    return p;
}

} // namespace

PlaylistPrompts& Prompts() {
    static PlaylistPrompts prompts = QtPrompts();
    return prompts;
}

} // namespace playlists
