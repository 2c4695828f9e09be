// The open-file prompt of File | Open (and later of the sound-effect dialog): the input
// modules' file types as filters, the last filter and folder from the profile, and a preview
// of the selected song's settings file (its tempo and notes).
#pragma once

#include <QFileDialog>

#include <optional>
#include <string>
#include <vector>

class QLabel;
class QPlainTextEdit;
class ZemProfile;

namespace zem::shell {

struct SongPreview {
    std::string bpm;   // "BPM: %f" of the base tempo
    std::string notes; // line feeds as carriage return and line feed
};

// What the settings file of the song at path holds; nullopt when it cannot be read. A final
// ".lnk" of the path is dropped before the settings file is looked for.
std::optional<SongPreview> ReadSongPreview(const std::string& path);

// "description (*.ext1 *.ext2)" for each module (description, ";"-separated extensions), then
// all files.
QStringList FileFilters(const std::vector<std::pair<std::string, std::string>>& modules);

class OpenFilePrompt : public QFileDialog {
    Q_OBJECT
public:
    OpenFilePrompt(QWidget* parent, ZemProfile& profile, const QStringList& filters,
                   const std::string& startDir);

    // Shows the dialog; true with the chosen file on OK. The filter and the folder are stored.
    bool Run(std::string& chosen);
    // The same with several files allowed.
    bool RunMultiple(std::vector<std::string>& chosen);
    // The preview of path, as the selection change shows it (kept when nothing can be read).
    void ShowPreview(const QString& path);
    QString BpmText() const;
    QString NotesText() const;

private:
    ZemProfile& m_profile;
    QLabel* m_bpm;
    QPlainTextEdit* m_notes;
};

} // namespace zem::shell
