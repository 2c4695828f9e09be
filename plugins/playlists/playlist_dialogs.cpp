#include "plugins/playlists/playlist_dialogs.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace playlists {

FindPanel::FindPanel(QWidget* parent)
    : QDialog(parent), m_text(new QLineEdit(this)),
      m_wholeWord(new QCheckBox(QStringLiteral("Match &whole word only"), this)),
      m_matchCase(new QCheckBox(QStringLiteral("Match &case"), this)),
      m_up(new QRadioButton(QStringLiteral("&Up"), this)),
      m_down(new QRadioButton(QStringLiteral("&Down"), this)) {
    setWindowTitle(QStringLiteral("Find"));
    setObjectName(QStringLiteral("find"));
    m_text->setObjectName(QStringLiteral("findText"));
    m_down->setChecked(true);
    auto* grid = new QGridLayout(this);
    auto* label = new QLabel(QStringLiteral("Fi&nd what:"), this);
    label->setBuddy(m_text);
    grid->addWidget(label, 0, 0);
    grid->addWidget(m_text, 0, 1);
    auto* next = new QPushButton(QStringLiteral("&Find Next"), this);
    next->setObjectName(QStringLiteral("findNext"));
    next->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    grid->addWidget(next, 0, 2);
    grid->addWidget(cancel, 1, 2);
    auto* direction = new QGroupBox(QStringLiteral("Direction"), this);
    auto* directions = new QHBoxLayout(direction);
    directions->addWidget(m_up);
    directions->addWidget(m_down);
    auto* options = new QVBoxLayout;
    options->addWidget(m_wholeWord);
    options->addWidget(m_matchCase);
    grid->addLayout(options, 1, 0, 1, 1);
    grid->addWidget(direction, 1, 1);
    connect(next, &QPushButton::clicked, this, [this] {
        if (findNext)
            findNext(Request());
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::close);
    setAttribute(Qt::WA_DeleteOnClose);
}

FindRequest FindPanel::Request() const {
    FindRequest r;
    r.text = m_text->text().toStdString();
    r.down = m_down->isChecked();
    r.wholeWord = m_wholeWord->isChecked();
    r.matchCase = m_matchCase->isChecked();
    return r;
}

PlaylistSettingsDialog::PlaylistSettingsDialog(QWidget* parent, const PlaylistSettings& s)
    : QDialog(parent), m_startFading(new QSpinBox(this)),
      m_fadeAtCue9(new QCheckBox(QStringLiteral("Start fading at &cue point 9"), this)),
      m_fadeFor(new QSpinBox(this)),
      m_playOnInitialOn(
          new QCheckBox(QStringLiteral("Play when AutoDJ turned on initially"), this)),
      m_promptOnError(new QCheckBox(QStringLiteral("On error, &prompt for AutoDJ continue"), this)),
      m_autosave(new QCheckBox(
          QStringLiteral("Auto save (BPM, last time played, etc) if order unchanged"), this)) {
    setWindowTitle(QStringLiteral("Playlist settings..."));
    for (QSpinBox* box : {m_startFading, m_fadeFor})
        box->setRange(0, 10000);
    m_startFading->setObjectName(QStringLiteral("startFading"));
    m_fadeFor->setObjectName(QStringLiteral("fadeFor"));
    m_startFading->setValue(s.autoDj.startFadingSeconds);
    m_fadeAtCue9->setChecked(s.autoDj.fadeAtCue9);
    m_fadeFor->setValue(s.autoDj.fadeSeconds);
    m_playOnInitialOn->setChecked(s.autoDj.playOnInitialOn);
    m_promptOnError->setChecked(s.autoDj.promptOnError);
    m_autosave->setChecked(s.autosave);

    auto* control = new QGroupBox(QStringLiteral("Playlist control"), this);
    auto* grid = new QGridLayout(control);
    auto* startLabel = new QLabel(QStringLiteral("&Start fading when there are"), control);
    startLabel->setBuddy(m_startFading);
    grid->addWidget(startLabel, 0, 0);
    grid->addWidget(m_startFading, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("seconds left in song"), control), 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("or"), control), 1, 0);
    grid->addWidget(m_fadeAtCue9, 2, 0, 1, 3);
    auto* fadeLabel = new QLabel(QStringLiteral("&Fade for "), control);
    fadeLabel->setBuddy(m_fadeFor);
    grid->addWidget(fadeLabel, 3, 0);
    grid->addWidget(m_fadeFor, 3, 1);
    grid->addWidget(new QLabel(QStringLiteral("seconds"), control), 3, 2);

    auto* autoDj = new QGroupBox(QStringLiteral("Auto DJ"), this);
    auto* autoDjBoxes = new QVBoxLayout(autoDj);
    autoDjBoxes->addWidget(m_playOnInitialOn);
    autoDjBoxes->addWidget(m_promptOnError);
    auto* misc = new QGroupBox(QStringLiteral("Misc"), this);
    auto* miscBoxes = new QVBoxLayout(misc);
    miscBoxes->addWidget(m_autosave);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(control);
    layout->addWidget(autoDj);
    layout->addWidget(misc);
    layout->addWidget(buttons);
}

PlaylistSettings PlaylistSettingsDialog::Values() const {
    PlaylistSettings s;
    s.autoDj.startFadingSeconds = m_startFading->value();
    s.autoDj.fadeAtCue9 = m_fadeAtCue9->isChecked();
    s.autoDj.fadeSeconds = m_fadeFor->value();
    s.autoDj.playOnInitialOn = m_playOnInitialOn->isChecked();
    s.autoDj.promptOnError = m_promptOnError->isChecked();
    s.autosave = m_autosave->isChecked();
    return s;
}

} // namespace playlists
