// The deck window's dialogs: "Fade pitch to...", the song's notes, the deck settings with the
// other decks' tempos, and the tempo tap dialog. Each edits through plain code (the deck
// window's logic, DeckSettingsModel, TempoTapper) and only shows the results.
#pragma once

#include "app/decks/deck_view/deck_settings_model.h"
#include "app/decks/deck_window/deck_clock.h"
#include "app/decks/deck_window/tempo_tap.h"

#include <QDialog>

#include <functional>

class MixerDevice;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;

// A target as a tempo (mode 0) or a percentage of the own rate (mode 1), and seconds.
class FadePitchDialog : public QDialog {
    Q_OBJECT
public:
    // Starts in tempo mode at the current tempo when the song has one, else at 100 %.
    FadePitchDialog(MixerDevice& deck, double seconds, QWidget* parent = nullptr);
    double GetValue() const;
    int GetMode() const;
    double GetSeconds() const;
    void SetValues(double value, int mode, double seconds);

private:
    QDoubleSpinBox* m_value;
    QRadioButton* m_tempo;
    QRadioButton* m_percent;
    QDoubleSpinBox* m_seconds;
};

// Edits a copy of the notes; OK copies it back into the deck.
class NotesDialog : public QDialog {
    Q_OBJECT
public:
    NotesDialog(MixerDevice& deck, QWidget* parent = nullptr);
    QPlainTextEdit* GetEditor() const { return m_editor; }
    void accept() override;

private:
    MixerDevice& m_deck;
    QPlainTextEdit* m_editor;
};

// The tap button counts beats; OK stores the edited tempo as the song's base and current tempo.
class TempoDialog : public QDialog {
    Q_OBJECT
public:
    TempoDialog(MixerDevice& deck, const zem::deckwin::DeckClock& clock, QWidget* parent = nullptr);
    void Tap();
    void ResetTaps();
    QLineEdit* GetEdit() const { return m_edit; }
    void accept() override;

private:
    MixerDevice& m_deck;
    const zem::deckwin::DeckClock& m_clock;
    zem::deckwin::TempoTapper m_tapper;
    QLineEdit* m_edit;
};

class DeckSettingsDialog : public QDialog {
    Q_OBJECT
public:
    // changed is told of each deck whose rate or tempo the dialog changed.
    DeckSettingsDialog(MixerDevice& deck, const zem::deckwin::DeckClock& clock,
                       std::function<void(MixerDevice&)> changed, QWidget* parent = nullptr);
    // The deck chosen in the list, or null.
    MixerDevice* GetSelected() const;
    void Refresh();

private:
    void TapTempo(MixerDevice& deck);
    void Changed(MixerDevice& deck);

    zem::deckview::DeckSettingsModel m_model;
    const zem::deckwin::DeckClock& m_clock;
    std::function<void(MixerDevice&)> m_changed;
    QLabel* m_thisTempo;
    QComboBox* m_others;
    QLabel* m_otherTempo;
    QLabel* m_matchChange;
};
