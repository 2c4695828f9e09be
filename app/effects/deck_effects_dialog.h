// The deck's "DSP Plugins..." dialog over zem::effects::DeckEffectList, and the page of the
// device settings sheet that edits the global DSP list (zem::effects::GlobalDSPList).
#pragma once

#include "app/effects/deck_effects.h"
#include "app/effects/global_dsp.h"

#include <QDialog>
#include <QWidget>

class MixerDevice;
class QLineEdit;
class QListWidget;

class CDeckEffectsDialog : public QDialog {
    Q_OBJECT
public:
    // choose defaults to the modal effect chooser.
    CDeckEffectsDialog(MixerDevice& deck, QWidget* parent = nullptr,
                       zem::effects::ChooseEffectFn choose = {});
    zem::effects::DeckEffectList& List() { return m_logic; }

private:
    void Refresh();
    zem::effects::DeckEffectList m_logic;
    QListWidget* m_list;
    QLineEdit* m_fileName;
};

class CDeviceSettingsDSP : public QWidget {
    Q_OBJECT
public:
    // The sheet owns the list and writes it on OK and Apply.
    explicit CDeviceSettingsDSP(zem::effects::GlobalDSPList& list, QWidget* parent = nullptr);

private:
    void Refresh();
    zem::effects::GlobalDSPList& m_logic;
    QListWidget* m_list;
    QLineEdit* m_fileName;
};

// The deck window's "&DSP Plugins..." command.
void ShowDeckEffectsDialog(QWidget* parent, MixerDevice& deck);
