// The playlist's two dialogs: the modeless find dialog and "Playlist settings...".
//
// Thread: the window's thread only.
#pragma once

#include "plugins/playlists/formats/playlist_find.h"
#include "plugins/playlists/playlist_settings.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace playlists {

// Find: the text, whole word, match case, up or down; "Find Next" calls findNext with them.
class FindPanel : public QDialog {
    Q_OBJECT
public:
    explicit FindPanel(QWidget* parent);
    FindRequest Request() const;
    std::function<void(const FindRequest&)> findNext;
    QLineEdit* TextBox() const { return m_text; }

private:
    QLineEdit* m_text;
    QCheckBox* m_wholeWord;
    QCheckBox* m_matchCase;
    QRadioButton* m_up;
    QRadioButton* m_down;
};

class PlaylistSettingsDialog : public QDialog {
    Q_OBJECT
public:
    PlaylistSettingsDialog(QWidget* parent, const PlaylistSettings& settings);
    // What the boxes hold (the two numbers kept within 0 to 10000).
    PlaylistSettings Values() const;

private:
    QSpinBox* m_startFading;
    QCheckBox* m_fadeAtCue9;
    QSpinBox* m_fadeFor;
    QCheckBox* m_playOnInitialOn;
    QCheckBox* m_promptOnError;
    QCheckBox* m_autosave;
};

} // namespace playlists
