// The plain deck window: transport and cue buttons, the position slider with the loop, the
// volume and pitch sliders, bends and fine steps, the jog wheel, the readout, the deck menu,
// its dialogs and file drops. Every gesture goes to MixerDeviceViewLogic; the widgets show
// what it reports.
//
// Threads: the user-interface thread; PitchDisplayChanged may come from a ramp thread and is
// queued to this one.
#pragma once

#include "app/decks/deck_window/deck_clock.h"
#include "app/decks/deck_window/mixer_device_view_logic.h"
#include "app/framework/zem_view.h"

#include <QBasicTimer>

#include <functional>

class CZEMDoc;
class DeckButton;
class JogWheel;
class MarkedSlider;
class MixerDevice;
class PositionSlider;
class QCheckBox;
class QLabel;
class QMenu;
class QSlider;
class WaveOverview;

class CMixerDeviceView : public ZemView, private zem::deckwin::DeckViewHost {
    Q_OBJECT
public:
    static constexpr int kDisplayTimerMs = 250;
    using Opener = std::function<void(CMixerDeviceView&)>;

    explicit CMixerDeviceView(QWidget* parent = nullptr);
    // Stops a running ramp and the display timer.
    ~CMixerDeviceView() override;

    CZEMDoc* GetDeckDocument() const;
    MixerDevice* GetDevice() const { return m_logic.GetDevice(); }
    zem::deckwin::MixerDeviceViewLogic& GetLogic() { return m_logic; }
    // The document's deck is about to go.
    void DetachDeck();

    // Starts the display timer, then shows the song.
    void OnInitialUpdate() override;
    // A song was loaded: the logic takes the document's deck and the controls follow it.
    void OnUpdate(ZemView* sender, long hint) override;

    // The deck commands, by the logic's table.
    bool OnCommand(int id) override;
    bool OnUpdateCommand(int id, ZemCommandState& state) override;
    // A deck command with its modifier keys and, for the cue commands, the keypad digit.
    bool ExecuteDeckCommand(int command, Qt::KeyboardModifiers keys, int digit = 0);
    // The keyboard layer's release of a pitch key.
    void OnKeyRelease(int command, Qt::KeyboardModifiers keys);

    // Play button image (play or pause) from the deck's state.
    void RefreshPlayState();
    // What the play button shows: true for pause (the deck plays).
    bool IsPauseShown() const { return m_playShown == 1; }
    // One tick of the display timer: the position slider and the readout follow the deck.
    void RefreshDisplay();

    // Loads path into this deck; a failure is shown with the engine's message. A deck left
    // without a song (the new one failed after the old one went) closes its window.
    bool LoadSong(const QString& path);
    void OpenFadeDialog();
    void OpenNotesDialog();
    void OpenDeckSettingsDialog();
    void OpenLoadSongDialog();

    QMenu* GetDeckMenu() const { return m_menu; }
    // The song's waveform above the position slider.
    WaveOverview* GetWaveOverview() const { return m_overview; }
    // Sets enabling and check marks of the deck menu.
    void UpdateDeckMenu();
    QSize sizeHint() const override;

    // The equalizer window, the effect chooser and the wave editor are other windows'; the program
    // installs how they are opened for a deck window.
    static void SetEqualizerOpener(Opener opener);
    static void SetEffectsDialogOpener(Opener opener);
    static void SetWaveEditorOpener(Opener opener);

protected:
    // The play button changed between play and pause.
    virtual void PlayStateChanged(bool playing) { (void)playing; }
    void timerEvent(QTimerEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // DeckViewHost.
    void PitchDisplayChanged() override;
    void ShowMessage(const char* text) override;
    void RefreshTitle() override;
    void ProcessMessages() override;

    void BuildControls();
    void BuildMenu();
    void AfterGesture();
    void SyncPitch();
    void SyncPosition();
    void SyncReadout();
    void SyncOverview();
    void SyncAll();
    void DeckChanged(MixerDevice& deck);

    zem::deckwin::SystemDeckClock m_clock;
    zem::deckwin::MixerDeviceViewLogic m_logic;
    QBasicTimer m_displayTimer;
    bool m_syncing = false;
    bool m_destroying = false;

    QLabel* m_readout = nullptr;
    DeckButton* m_play = nullptr;
    DeckButton* m_cues[10] = {};
    PositionSlider* m_position = nullptr;
    WaveOverview* m_overview = nullptr;
    MarkedSlider* m_pitch = nullptr;
    QSlider* m_volume = nullptr;
    QCheckBox* m_bendSwitch = nullptr;
    JogWheel* m_jog = nullptr;
    QMenu* m_menu = nullptr;
    // What the play button shows: -1 not set yet, 0 play, 1 pause.
    int m_playShown = -1;
};

// Where a drop's path lies: the first local file of its URLs, else its text up to the first
// "|" (the main window hands dropped files on as "a.mp3|b.mp3|"). Empty when there is none.
class QMimeData;
QString DroppedPath(const QMimeData& data);
