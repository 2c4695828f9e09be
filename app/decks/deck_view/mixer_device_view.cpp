#include "app/decks/deck_view/mixer_device_view.h"

#include "app/decks/app_context.h"
#include "app/decks/deck_view/deck_dialogs.h"
#include "app/decks/deck_view/deck_frame.h"
#include "app/decks/deck_view/deck_widgets.h"
#include "app/decks/deck_view/zem_doc.h"
#include "app/decks/deck_window/deck_commands.h"
#include "app/decks/deck_window/deck_window_settings.h"
#include "app/framework/zem_doc_manager.h"
#include "app/framework/zem_doc_template.h"
#include "app/waveform/wave_overview.h"
#include "contracts/skin_module.h"
#include "engine/deck/mixer_device.h"
#include "engine/foundations/zem_exception.h"

#include <QCheckBox>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QSlider>
#include <QStyle>
#include <QThread>
#include <QTimer>
#include <QTimerEvent>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

using zem::deckwin::CommandOutcome;
using zem::deckwin::MixerDeviceViewLogic;
using zem::deckwin::Modifiers;

namespace {

CMixerDeviceView::Opener& EqualizerOpener() {
    static CMixerDeviceView::Opener opener;
    return opener;
}

CMixerDeviceView::Opener& EffectsOpener() {
    static CMixerDeviceView::Opener opener;
    return opener;
}

CMixerDeviceView::Opener& WaveEditorOpener() {
    static CMixerDeviceView::Opener opener;
    return opener;
}

Modifiers ToModifiers(Qt::KeyboardModifiers keys) {
    return {keys.testFlag(Qt::ControlModifier), keys.testFlag(Qt::ShiftModifier)};
}

bool IsToggleCommand(int command) {
    using namespace zem::deckwin;
    return command == kCmdPitchBendOn || command == kCmdSmoothBendOn || command == kCmdReadOnly ||
           command == kCmdEnableEffects;
}

// The deck window showing deck, when it is open.
CMixerDeviceView* FindDeckView(const MixerDevice* deck) {
    ZemDocManager* documents = AppContext().documents;
    if (!documents)
        return nullptr;
    for (ZemDocTemplate* t : documents->GetTemplates())
        for (ZemDocument* d : t->GetDocuments())
            if (auto* doc = dynamic_cast<CZEMDoc*>(d); doc && doc->GetDevice() == deck)
                return doc->GetDeckView();
    return nullptr;
}

DeckButton* MakeButton(const QString& text, const char* name, QWidget* parent) {
    auto* b = new DeckButton(text, parent);
    b->setObjectName(QString::fromUtf8(name));
    b->setFocusPolicy(Qt::TabFocus);
    // The style's usual minimum is wider than a short label needs; two decks must fit side by
    // side in the main window.
    b->setMinimumWidth(b->fontMetrics().horizontalAdvance(text) + 24);
    return b;
}

// The identifier by which a skinned deck window finds the control.
template <typename W> W* Tag(W* widget, int id) {
    widget->setProperty(kSkinControlProperty, id);
    return widget;
}

} // namespace

QString DroppedPath(const QMimeData& data) {
    for (const QUrl& url : data.urls())
        if (url.isLocalFile())
            return url.toLocalFile();
    QString text = data.text();
    const qsizetype bar = text.indexOf('|');
    if (bar >= 0)
        text.truncate(bar);
    text = text.trimmed();
    if (text.startsWith(QStringLiteral("file:")))
        text = QUrl(text).toLocalFile();
    return text;
}

CMixerDeviceView::CMixerDeviceView(QWidget* parent) : ZemView(parent), m_logic(m_clock, this) {
    setAcceptDrops(true);
    BuildControls();
    BuildMenu();
    SyncAll();
}

CMixerDeviceView::~CMixerDeviceView() {
    // Nothing may run inside a half-destroyed window while the ramp is stopped; the ramp's
    // display updates are queued, so it never waits for this thread.
    m_destroying = true;
    m_displayTimer.stop();
    m_logic.StopRamp();
}

void CMixerDeviceView::BuildControls() {
    using namespace zem::deckwin;
    m_readout = new QLabel(this);
    m_readout->setObjectName(QStringLiteral("readout"));
    Tag(m_readout, SkinDeckControl::kStatusWindow);
    QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    // Read from a step away, in a dark booth.
    mono.setPointSizeF(mono.pointSizeF() * 1.4);
    mono.setBold(true);
    m_readout->setFont(mono);
    m_readout->setFrameShape(QFrame::StyledPanel);
    m_readout->setMargin(4);
    // Room for the widest readout: a three-digit tempo, a two-digit pitch change and minutes.
    const QFontMetrics metrics(mono);
    // A fixed size: the text changes four times a second, and a label of changing size would
    // lay the whole deck window out again each time.
    m_readout->setFixedSize(metrics.horizontalAdvance(QStringLiteral("BPM: 888.88(+88.88%)")) + 16,
                            metrics.lineSpacing() * 2 + 12);

    auto* timeMode = MakeButton(QStringLiteral("Time mode"), "timeModeButton", this);
    timeMode->setToolTip(QStringLiteral("Elapsed time (TE) or time left (TL)"));
    connect(timeMode, &QPushButton::clicked, this, [this] {
        m_logic.ToggleTimeMode();
        AfterGesture();
    });

    m_jog = new JogWheel(this);
    m_jog->setObjectName(QStringLiteral("jogWheel"));
    Tag(m_jog, SkinDeckControl::kJogWheel);
    connect(m_jog, &JogWheel::Turned, this, [this](double amount) {
        m_logic.JogTurn(amount);
        AfterGesture();
    });
    connect(m_jog, &JogWheel::Released, this, [this] {
        m_logic.JogRelease();
        AfterGesture();
    });

    m_position = new PositionSlider(this);
    m_position->setObjectName(QStringLiteral("positionSlider"));
    Tag(m_position, SkinDeckControl::kPositionSlider);
    m_position->setRange(0, MixerDeviceViewLogic::kPositionSliderMax);
    m_position->setTickInterval(MixerDeviceViewLogic::kPositionSliderTick);
    m_position->setPageStep(MixerDeviceViewLogic::kPositionSliderTick);
    m_position->setTickPosition(QSlider::TicksBelow);
    m_position->SetJogWheel(m_jog);
    connect(m_position, &QSlider::sliderMoved, this, [this](int value) {
        m_logic.PositionSliderDragged(value);
        SyncReadout();
    });
    connect(m_position, &QSlider::sliderReleased, this, [this] {
        m_logic.PositionSliderReleased(m_position->value());
        AfterGesture();
    });
    connect(m_position, &QSlider::valueChanged, this, [this](int value) {
        if (m_syncing || m_position->isSliderDown())
            return;
        m_logic.PositionSliderReleased(value); // a click on the groove or a key
        AfterGesture();
    });

    m_overview = new WaveOverview(this);
    m_overview->SetSeekHandler([this](double fraction) {
        m_logic.PositionSliderReleased(
            static_cast<int>(fraction * MixerDeviceViewLogic::kPositionSliderMax + 0.5));
        AfterGesture();
    });

    namespace ids = SkinDeckControl;
    m_play = Tag(MakeButton(QStringLiteral("Play"), "playButton", this), ids::kPlay);
    auto* stop = Tag(MakeButton(QStringLiteral("Stop"), "stopButton", this), ids::kStop);
    auto* toStart = Tag(MakeButton(QStringLiteral("|<"), "toStartButton", this), ids::kToStart);
    auto* back = Tag(MakeButton(QStringLiteral("<<"), "nudgeBackButton", this), ids::kNudgeBack);
    auto* forward =
        Tag(MakeButton(QStringLiteral(">>"), "nudgeForwardButton", this), ids::kNudgeForward);
    m_play->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
    stop->setIcon(style()->standardIcon(QStyle::SP_MediaStop));
    // Room for the icon and the longer "Pause", so the button keeps its size while playing.
    for (DeckButton* b : {m_play, stop})
        b->setMinimumWidth(b->fontMetrics().horizontalAdvance(QStringLiteral("Pause")) + 48);
    toStart->setToolTip(QStringLiteral("To start"));
    back->setToolTip(QStringLiteral("Nudge back (Ctrl: finer)"));
    forward->setToolTip(QStringLiteral("Nudge forward (Ctrl: finer)"));
    connect(m_play, &QPushButton::clicked, this, [this] {
        m_logic.PlayPause(ToModifiers(m_play->GetModifiers()));
        AfterGesture();
    });
    connect(stop, &QPushButton::clicked, this, [this] {
        m_logic.StopButton();
        AfterGesture();
    });
    connect(toStart, &QPushButton::clicked, this, [this] {
        m_logic.ToStart();
        AfterGesture();
    });
    connect(back, &QPushButton::clicked, this, [this, back] {
        m_logic.Nudge(false, ToModifiers(back->GetModifiers()));
        AfterGesture();
    });
    connect(forward, &QPushButton::clicked, this, [this, forward] {
        m_logic.Nudge(true, ToModifiers(forward->GetModifiers()));
        AfterGesture();
    });

    auto* cueRow = new QHBoxLayout;
    cueRow->setSpacing(2);
    for (int i = 0; i < 10; ++i) {
        const QByteArray name = "cue" + QByteArray::number(i);
        m_cues[i] = Tag(MakeButton(QString::number(i), name.constData(), this), ids::kCue0 + i);
        m_cues[i]->setToolTip(QStringLiteral("Cue %1: click jumps, Ctrl-click stores, "
                                             "Shift-click clears")
                                  .arg(i));
        // Ten narrow buttons share the row; a digit needs little room.
        m_cues[i]->setMinimumWidth(
            m_cues[i]->fontMetrics().horizontalAdvance(QStringLiteral("00")) + 16);
        m_cues[i]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        connect(m_cues[i], &QPushButton::clicked, this, [this, i] {
            m_logic.CueButton(i, ToModifiers(m_cues[i]->GetModifiers()));
            AfterGesture();
        });
        cueRow->addWidget(m_cues[i]);
    }
    auto* clearLoop =
        Tag(MakeButton(QStringLiteral("Clear loop"), "clearLoopButton", this), ids::kClearLoop);
    connect(clearLoop, &QPushButton::clicked, this, [this] {
        m_logic.ClearLoop();
        AfterGesture();
    });
    cueRow->addSpacing(6);
    cueRow->addWidget(clearLoop);

    auto* settings =
        Tag(MakeButton(QStringLiteral("Settings..."), "settingsButton", this), ids::kSettings);
    auto* equalizer =
        Tag(MakeButton(QStringLiteral("EQ..."), "equalizerButton", this), ids::kEqualizer);
    auto* notes = Tag(MakeButton(QStringLiteral("Notes..."), "notesButton", this), ids::kNotes);
    auto* load = Tag(MakeButton(QStringLiteral("Load..."), "loadButton", this), ids::kLoad);
    load->setToolTip(QStringLiteral("Load a song into this deck"));
    connect(settings, &QPushButton::clicked, this, &CMixerDeviceView::OpenDeckSettingsDialog);
    connect(equalizer, &QPushButton::clicked, this,
            [this] { ExecuteDeckCommand(kCmdEqualizer, Qt::NoModifier); });
    connect(notes, &QPushButton::clicked, this, &CMixerDeviceView::OpenNotesDialog);
    connect(load, &QPushButton::clicked, this, &CMixerDeviceView::OpenLoadSongDialog);
    auto* menuButton = new QToolButton(this);
    menuButton->setObjectName(QStringLiteral("deckMenuButton"));
    Tag(menuButton, ids::kDeckMenu);
    menuButton->setText(QStringLiteral("Deck"));
    menuButton->setPopupMode(QToolButton::InstantPopup);
    menuButton->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_menu = new QMenu(this);
    menuButton->setMenu(m_menu);

    // Pitch column.
    m_pitch = new MarkedSlider(Qt::Vertical, this);
    m_pitch->setObjectName(QStringLiteral("pitchSlider"));
    Tag(m_pitch, ids::kPitchSlider);
    m_pitch->setRange(0, MixerDeviceViewLogic::kPitchSliderMax);
    m_pitch->setTickInterval(MixerDeviceViewLogic::kPitchSliderTick);
    m_pitch->setPageStep(50);
    m_pitch->setTickPosition(QSlider::TicksBothSides);
    m_pitch->setMinimumHeight(120);
    connect(m_pitch, &QSlider::sliderMoved, this, [this](int value) {
        m_logic.PitchSliderMoved(value, false);
        SyncReadout();
    });
    connect(m_pitch, &QSlider::sliderReleased, this, [this] {
        m_logic.PitchSliderMoved(m_pitch->value(), true);
        AfterGesture();
    });
    connect(m_pitch, &QSlider::valueChanged, this, [this](int value) {
        if (m_syncing || m_pitch->isSliderDown())
            return;
        m_logic.PitchSliderMoved(value, true);
        AfterGesture();
    });
    m_bendSwitch = new QCheckBox(QStringLiteral("Pitch bend"), this);
    m_bendSwitch->setObjectName(QStringLiteral("bendSwitch"));
    Tag(m_bendSwitch, ids::kBendSwitch);
    m_bendSwitch->setFocusPolicy(Qt::TabFocus);
    connect(m_bendSwitch, &QCheckBox::toggled, this, [this](bool on) {
        if (!m_syncing)
            m_logic.SetBendSwitch(on);
    });
    auto* bendDown =
        Tag(MakeButton(QStringLiteral("Bend -"), "bendDownButton", this), ids::kBendDown);
    auto* bendUp = Tag(MakeButton(QStringLiteral("Bend +"), "bendUpButton", this), ids::kBendUp);
    auto* fineDown =
        Tag(MakeButton(QStringLiteral("Fine -"), "finePitchDownButton", this), ids::kFinePitchDown);
    auto* fineUp =
        Tag(MakeButton(QStringLiteral("Fine +"), "finePitchUpButton", this), ids::kFinePitchUp);
    fineDown->setToolTip(QStringLiteral("Small pitch step down (Ctrl: large)"));
    fineUp->setToolTip(QStringLiteral("Small pitch step up (Ctrl: large)"));
    const auto bend = [this](DeckButton* b, int direction, bool press) {
        m_logic.Bend(direction, press, ToModifiers(b->GetModifiers()));
        AfterGesture();
    };
    connect(bendDown, &QPushButton::pressed, this, [=] { bend(bendDown, kBendDown, true); });
    connect(bendDown, &QPushButton::released, this, [=] { bend(bendDown, kBendDown, false); });
    connect(bendUp, &QPushButton::pressed, this, [=] { bend(bendUp, kBendUp, true); });
    connect(bendUp, &QPushButton::released, this, [=] { bend(bendUp, kBendUp, false); });
    connect(fineDown, &QPushButton::clicked, this, [this, fineDown] {
        m_logic.FinePitchButton(false, ToModifiers(fineDown->GetModifiers()));
        AfterGesture();
    });
    connect(fineUp, &QPushButton::clicked, this, [this, fineUp] {
        m_logic.FinePitchButton(true, ToModifiers(fineUp->GetModifiers()));
        AfterGesture();
    });

    m_volume = new QSlider(Qt::Vertical, this);
    m_volume->setObjectName(QStringLiteral("volumeSlider"));
    Tag(m_volume, ids::kVolumeSlider);
    m_volume->setRange(0, 100);
    m_volume->setTickInterval(10);
    m_volume->setTickPosition(QSlider::TicksLeft);
    connect(m_volume, &QSlider::valueChanged, this, [this](int value) {
        if (!m_syncing)
            m_logic.VolumeSliderMoved(value);
    });

    // Layout: the song on the left, pitch and volume on the right.
    auto* top = new QHBoxLayout;
    top->addWidget(m_readout);
    top->addStretch(1);
    top->addWidget(timeMode, 0, Qt::AlignTop);
    auto* transport = new QHBoxLayout;
    for (QWidget* w :
         {static_cast<QWidget*>(toStart), static_cast<QWidget*>(m_play),
          static_cast<QWidget*>(stop), static_cast<QWidget*>(back), static_cast<QWidget*>(forward)})
        transport->addWidget(w);
    transport->addStretch(1);
    transport->addWidget(m_jog);
    auto* bottom = new QHBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(settings), static_cast<QWidget*>(equalizer),
                       static_cast<QWidget*>(notes), static_cast<QWidget*>(load)})
        bottom->addWidget(w);
    bottom->addStretch(1);
    bottom->addWidget(menuButton);
    auto* left = new QVBoxLayout;
    left->addLayout(top);
    left->addWidget(m_overview);
    left->addWidget(m_position);
    left->addLayout(transport);
    left->addLayout(cueRow);
    left->addStretch(1);
    left->addLayout(bottom);

    auto* pitchColumn = new QGridLayout;
    pitchColumn->addWidget(new QLabel(QStringLiteral("Pitch"), this), 0, 0, Qt::AlignHCenter);
    pitchColumn->addWidget(m_pitch, 1, 0, Qt::AlignHCenter);
    pitchColumn->addWidget(m_bendSwitch, 2, 0);
    // Up above down, as on the slider.
    pitchColumn->addWidget(bendUp, 3, 0);
    pitchColumn->addWidget(bendDown, 4, 0);
    pitchColumn->addWidget(fineUp, 5, 0);
    pitchColumn->addWidget(fineDown, 6, 0);
    pitchColumn->setRowStretch(1, 1);
    auto* volumeColumn = new QVBoxLayout;
    volumeColumn->addWidget(new QLabel(QStringLiteral("Vol"), this), 0, Qt::AlignHCenter);
    volumeColumn->addWidget(m_volume, 1, Qt::AlignHCenter);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(pitchColumn);
    layout->addLayout(volumeColumn);
}

void CMixerDeviceView::BuildMenu() {
    for (const zem::deckwin::DeckMenuCommand& c : zem::deckwin::DeckMenuCommands()) {
        if (!c.text)
            continue; // no menu entry of its own
        QAction* action = m_menu->addAction(QString::fromUtf8(c.text));
        action->setData(c.command);
        action->setCheckable(IsToggleCommand(c.command));
        const int command = c.command;
        connect(action, &QAction::triggered, this, [this, command] {
            ExecuteDeckCommand(command, QGuiApplication::keyboardModifiers());
        });
    }
    connect(m_menu, &QMenu::aboutToShow, this, &CMixerDeviceView::UpdateDeckMenu);
}

void CMixerDeviceView::UpdateDeckMenu() {
    for (QAction* action : m_menu->actions()) {
        bool ok = false;
        const int command = action->data().toInt(&ok);
        if (!ok)
            continue;
        ZemCommandState state;
        OnUpdateCommand(command, state);
        action->setEnabled(state.IsEnabled());
        if (action->isCheckable())
            action->setChecked(state.IsChecked());
    }
}

QSize CMixerDeviceView::sizeHint() const {
    // As small as the controls allow, so that two decks sit side by side above the board.
    return minimumSizeHint().expandedTo(QSize(560, 260));
}

CZEMDoc* CMixerDeviceView::GetDeckDocument() const {
    return dynamic_cast<CZEMDoc*>(GetDocument());
}

void CMixerDeviceView::DetachDeck() {
    m_logic.SetDevice(nullptr);
}

void CMixerDeviceView::OnInitialUpdate() {
    if (!m_displayTimer.isActive())
        m_displayTimer.start(kDisplayTimerMs, this);
    ZemView::OnInitialUpdate();
}

void CMixerDeviceView::OnUpdate(ZemView* sender, long hint) {
    CZEMDoc* doc = GetDeckDocument();
    m_logic.SetDevice(doc ? doc->GetDevice() : nullptr);
    m_logic.OnSongLoaded();
    if (auto* frame = dynamic_cast<CDeckFrame*>(GetParentFrame()))
        frame->UpdatePlacementKey();
    SyncAll();
    ZemView::OnUpdate(sender, hint);
}

bool CMixerDeviceView::OnCommand(int id) {
    if (!zem::deckwin::IsDeckCommand(id))
        return ZemView::OnCommand(id);
    return ExecuteDeckCommand(id, QGuiApplication::keyboardModifiers());
}

bool CMixerDeviceView::OnUpdateCommand(int id, ZemCommandState& state) {
    if (!zem::deckwin::IsDeckCommand(id))
        return ZemView::OnUpdateCommand(id, state);
    const zem::deckwin::CommandState s = m_logic.GetCommandState(id);
    state.Enable(s.enabled);
    if (IsToggleCommand(id))
        state.SetCheck(s.checked);
    return true;
}

bool CMixerDeviceView::ExecuteDeckCommand(int command, Qt::KeyboardModifiers keys, int digit) {
    const CommandOutcome outcome = m_logic.Execute(command, ToModifiers(keys), digit);
    switch (outcome) {
    case CommandOutcome::kNotHandled:
        return false;
    case CommandOutcome::kOpenFadeDialog:
        OpenFadeDialog();
        break;
    case CommandOutcome::kOpenEffectsDialog:
        if (EffectsOpener())
            EffectsOpener()(*this);
        break;
    case CommandOutcome::kOpenEqualizer:
        if (EqualizerOpener())
            EqualizerOpener()(*this);
        break;
    case CommandOutcome::kOpenWaveEditor:
        if (WaveEditorOpener())
            WaveEditorOpener()(*this);
        break;
    case CommandOutcome::kDone:
        break;
    }
    AfterGesture();
    return true;
}

void CMixerDeviceView::OnKeyRelease(int command, Qt::KeyboardModifiers keys) {
    m_logic.OnKeyRelease(command, ToModifiers(keys));
    AfterGesture();
}

void CMixerDeviceView::RefreshPlayState() {
    const bool playing = m_logic.GetPlayButtonBitmap() == zem::deckwin::kBitmapPause;
    // A new icon lays the window out again, so only a change of state sets one.
    if (m_playShown == static_cast<int>(playing))
        return;
    m_playShown = playing;
    m_play->setText(playing ? QStringLiteral("Pause") : QStringLiteral("Play"));
    m_play->setIcon(style()->standardIcon(playing ? QStyle::SP_MediaPause : QStyle::SP_MediaPlay));
    PlayStateChanged(playing);
}

void CMixerDeviceView::RefreshDisplay() {
    if (!GetDocument() || !m_logic.GetDevice())
        return;
    m_logic.OnDisplayTimer();
    SyncPosition();
    SyncReadout();
    SyncOverview();
    RefreshPlayState();
}

void CMixerDeviceView::timerEvent(QTimerEvent* event) {
    if (event->timerId() == m_displayTimer.timerId())
        RefreshDisplay();
    else
        ZemView::timerEvent(event);
}

// After a click or key: show what the logic now reports.
void CMixerDeviceView::AfterGesture() {
    // The readout shows the new rate or position at once, not at the next tick.
    m_logic.OnDisplayTimer();
    SyncPosition();
    SyncReadout();
    SyncOverview();
    SyncPitch();
    RefreshPlayState();
    m_syncing = true;
    m_bendSwitch->setChecked(m_logic.GetBendSwitch());
    m_syncing = false;
}

void CMixerDeviceView::SyncPitch() {
    const zem::deckwin::SliderMark mark = m_logic.GetPitchSelection();
    m_pitch->SetMark(mark.shown, mark.from, mark.to);
    if (m_pitch->isSliderDown())
        return; // the user's hand holds the slider
    m_syncing = true;
    m_pitch->setValue(m_logic.GetPitchSliderValue());
    m_syncing = false;
}

void CMixerDeviceView::SyncPosition() {
    const zem::deckwin::SliderMark loop = m_logic.GetLoopMark();
    m_position->SetMark(loop.shown, loop.from, loop.to);
    if (m_position->isSliderDown())
        return;
    m_syncing = true;
    m_position->setValue(m_logic.GetPositionSliderValue());
    m_syncing = false;
}

void CMixerDeviceView::SyncOverview() {
    MixerDevice* deck = m_logic.GetDevice();
    if (!deck) {
        m_overview->ShowSong({}, nullptr);
        return;
    }
    char path[MixerDevice::kPathSize + 1] = {};
    deck->GetFullPath(path);
    // A new song starts its summary; the program's loader needs the program's mixer.
    if (m_overview->SongPath() != path)
        m_overview->ShowSong(path, AppContext().mixer && path[0]
                                       ? zem::wave::ProgramWaveSummaryLoader().Load(path)
                                       : nullptr);
    m_overview->Poll(zem::wave::MarksOfDeck(*deck), zem::wave::SpanOfDeck(*deck));
}

void CMixerDeviceView::SyncReadout() {
    m_readout->setText(QString::fromStdString(m_logic.GetReadout()));
}

void CMixerDeviceView::SyncAll() {
    const bool hasDeck = m_logic.GetDevice() != nullptr;
    m_syncing = true;
    if (hasDeck)
        m_volume->setValue(static_cast<int>(m_logic.GetDevice()->GetVolume(kVChannel0)));
    m_syncing = false;
    AfterGesture();
}

void CMixerDeviceView::PitchDisplayChanged() {
    // A ramp sets the rate from its own thread.
    if (QThread::currentThread() == thread()) {
        SyncPitch();
        return;
    }
    QMetaObject::invokeMethod(
        this, [this] { SyncPitch(); }, Qt::QueuedConnection);
}

void CMixerDeviceView::ShowMessage(const char* text) {
    ShowDeckMessage(text);
}

void CMixerDeviceView::RefreshTitle() {
    if (CZEMDoc* doc = GetDeckDocument())
        doc->RefreshTitle();
}

void CMixerDeviceView::ProcessMessages() {
    if (!m_destroying)
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

// Dialogs and loading.

void CMixerDeviceView::OpenFadeDialog() {
    MixerDevice* deck = m_logic.GetDevice();
    if (!deck)
        return;
    FadePitchDialog dialog(*deck, zem::deckwin::DeckWindowSettings::Read().pitchFadeTime, this);
    if (dialog.exec() == QDialog::Accepted && m_logic.GetDevice() == deck)
        m_logic.FadeTo(dialog.GetValue(), dialog.GetMode(), dialog.GetSeconds());
    AfterGesture();
}

void CMixerDeviceView::OpenNotesDialog() {
    if (MixerDevice* deck = m_logic.GetDevice()) {
        NotesDialog dialog(*deck, this);
        dialog.exec();
    }
}

void CMixerDeviceView::DeckChanged(MixerDevice& deck) {
    if (&deck == m_logic.GetDevice()) {
        m_logic.AfterDeckSettings();
        AfterGesture();
    } else if (CMixerDeviceView* other = FindDeckView(&deck)) {
        other->m_logic.UpdatePitchDisplay();
        other->RefreshDisplay();
    }
}

void CMixerDeviceView::OpenDeckSettingsDialog() {
    MixerDevice* deck = m_logic.GetDevice();
    if (!deck)
        return;
    DeckSettingsDialog dialog(
        *deck, m_clock, [this](MixerDevice& changed) { DeckChanged(changed); }, this);
    dialog.exec();
    if (m_logic.GetDevice() == deck)
        DeckChanged(*deck);
}

void CMixerDeviceView::OpenLoadSongDialog() {
    QStringList patterns;
    if (ZemDocManager* documents = AppContext().documents)
        for (ZemDocTemplate* t : documents->GetTemplates())
            for (const QString& ext : QString::fromStdString(t->GetDocString(kDocStringFilterExt))
                                          .split(';', Qt::SkipEmptyParts))
                patterns << QStringLiteral("*") + ext.trimmed();
    QString filter;
    if (!patterns.isEmpty())
        filter = QStringLiteral("Songs (%1);;").arg(patterns.join(' '));
    filter += QStringLiteral("All files (*)");
    QString folder;
    if (CZEMDoc* doc = GetDeckDocument())
        folder = QFileInfo(doc->GetPathName()).absolutePath();
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("Load a song into this deck"), folder, filter);
    if (!path.isEmpty())
        LoadSong(path);
}

bool CMixerDeviceView::LoadSong(const QString& path) {
    CZEMDoc* doc = GetDeckDocument();
    if (!doc || path.isEmpty())
        return false;
    bool loaded = false;
    try {
        loaded = doc->LoadSong(path);
    } catch (const ZEMException& e) {
        ZEMException shown(e);
        shown.Display();
    }
    if (!doc->GetDevice()) {
        // The old song went and the new one failed: a window without a deck closes.
        m_logic.SetDevice(nullptr);
        if (ZemChildFrame* frame = GetParentFrame()) {
            QPointer<ZemChildFrame> guard(frame);
            QTimer::singleShot(0, frame, [guard] {
                if (guard)
                    guard->close();
            });
        }
    }
    return loaded;
}

// Menu and drops.

void CMixerDeviceView::contextMenuEvent(QContextMenuEvent* event) {
    m_menu->popup(event->globalPos());
}

void CMixerDeviceView::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData() && !DroppedPath(*event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CMixerDeviceView::dragMoveEvent(QDragMoveEvent* event) {
    if (event->mimeData() && !DroppedPath(*event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CMixerDeviceView::dropEvent(QDropEvent* event) {
    const QString path = event->mimeData() ? DroppedPath(*event->mimeData()) : QString();
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    LoadSong(path);
}

void CMixerDeviceView::SetEqualizerOpener(Opener opener) {
    EqualizerOpener() = std::move(opener);
}

void CMixerDeviceView::SetEffectsDialogOpener(Opener opener) {
    EffectsOpener() = std::move(opener);
}

void CMixerDeviceView::SetWaveEditorOpener(Opener opener) {
    WaveEditorOpener() = std::move(opener);
}
