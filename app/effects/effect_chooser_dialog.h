// The effect chooser as a modal dialog over zem::effects::EffectChooser.
#pragma once

#include "app/effects/effect_chooser.h"

#include <QDialog>

class QLineEdit;
class QListWidget;

class CEffectChooserDialog : public QDialog {
    Q_OBJECT
public:
    // Scans the program's plug-in folder.
    explicit CEffectChooserDialog(QWidget* parent = nullptr);
    // After exec: the chosen module, owned by the caller from then on; null after Cancel.
    DLLEffectsModule* GetChosenModule() const { return m_chosen; }
    void done(int result) override;

private:
    zem::effects::EffectChooser m_chooser;
    QListWidget* m_list;
    QLineEdit* m_fileName;
    DLLEffectsModule* m_chosen = nullptr;
};

// Runs the chooser modally: the chosen module (caller owns it) or null.
DLLEffectsModule* RunEffectChooser(QWidget* parent);
