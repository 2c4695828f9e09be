#include "app/shell/open_file_prompt.h"

#include "app/shell/shell_settings.h"
#include "app/shell/shell_texts.h"
#include "engine/deck/mixer_device.h"
#include "engine/foundations/standard_dirs.h"
#include "engine/foundations/zem_exception.h"

#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>

#include <cstdio>
#include <cstring>

namespace zem::shell {

std::optional<SongPreview> ReadSongPreview(const std::string& path) {
    std::string song = path;
    if (song.size() >= 4 && song.compare(song.size() - 4, 4, ".lnk") == 0)
        song.resize(song.size() - 4);
    char zec[512];
    std::snprintf(zec, sizeof zec, "%s", song.c_str());
    FNameToZEC(zec);
    MixerDevice deck;
    try {
        if (!deck.ReadConfig(zec))
            return std::nullopt;
    } catch (const ZEMException&) {
        return std::nullopt;
    }
    SongPreview preview;
    char bpm[64];
    std::snprintf(bpm, sizeof bpm, kPreviewBpmFormat, deck.GetBPMInfo()->baseTempo);
    preview.bpm = bpm;
    for (const char* p = deck.GetNotesText(); *p; ++p) {
        if (*p == '\n')
            preview.notes += '\r';
        preview.notes += *p;
    }
    return preview;
}

QStringList FileFilters(const std::vector<std::pair<std::string, std::string>>& modules) {
    QStringList filters;
    for (const auto& [description, extensions] : modules) {
        QStringList patterns;
        for (const QString& ext : QString::fromStdString(extensions).split(';', Qt::SkipEmptyParts))
            patterns << "*" + ext.trimmed();
        if (!patterns.isEmpty())
            filters << QString::fromStdString(description) + " (" + patterns.join(' ') + ")";
    }
    filters << "All files (*)";
    return filters;
}

OpenFilePrompt::OpenFilePrompt(QWidget* parent, ZemProfile& profile, const QStringList& filters,
                               const std::string& startDir)
    : QFileDialog(parent), m_profile(profile), m_bpm(new QLabel(this)),
      m_notes(new QPlainTextEdit(this)) {
    // The preview sits inside the dialog, which only Qt's own dialog allows.
    setOption(QFileDialog::DontUseNativeDialog);
    setFileMode(QFileDialog::ExistingFile);
    setAcceptMode(QFileDialog::AcceptOpen);
    setNameFilters(filters);
    ShellSettings settings(profile);
    const int filter = settings.DefaultFilter();
    if (filter <= filters.size())
        selectNameFilter(filters[filter - 1]);
    setDirectory(QString::fromStdString(settings.StartupDirectory(startDir)));

    m_bpm->setObjectName("1020");
    m_notes->setObjectName("1019");
    m_notes->setReadOnly(true);
    m_notes->setMaximumHeight(80);
    if (auto* grid = qobject_cast<QGridLayout*>(layout())) {
        const int row = grid->rowCount();
        grid->addWidget(m_bpm, row, 0, 1, grid->columnCount());
        grid->addWidget(m_notes, row + 1, 0, 1, grid->columnCount());
    }
    connect(this, &QFileDialog::currentChanged, this, &OpenFilePrompt::ShowPreview);
}

void OpenFilePrompt::ShowPreview(const QString& path) {
    const std::optional<SongPreview> preview = ReadSongPreview(path.toStdString());
    if (!preview)
        return;
    m_bpm->setText(QString::fromStdString(preview->bpm));
    // The edit field breaks lines at line feeds alone.
    m_notes->setPlainText(QString::fromStdString(preview->notes).remove('\r'));
}

QString OpenFilePrompt::BpmText() const {
    return m_bpm->text();
}

QString OpenFilePrompt::NotesText() const {
    return m_notes->toPlainText();
}

bool OpenFilePrompt::Run(std::string& chosen) {
    std::vector<std::string> files;
    if (!RunMultiple(files))
        return false;
    chosen = files.front();
    return true;
}

bool OpenFilePrompt::RunMultiple(std::vector<std::string>& chosen) {
    const bool ok = exec() == QDialog::Accepted && !selectedFiles().isEmpty();
    ShellSettings settings(m_profile);
    settings.SetDefaultFilter(static_cast<int>(nameFilters().indexOf(selectedNameFilter())) + 1);
    settings.SetStartupDirectory(directory().absolutePath().toStdString());
    if (ok)
        for (const QString& f : selectedFiles())
            chosen.push_back(f.toStdString());
    return ok;
}

} // namespace zem::shell
