// The "Keyboard layout" dialog (the command "Settings InterfaceKeyboard"): the key editor's
// categories, commands and keys in widgets, a field that captures the new key, and OK that
// hands the edited copy back to the program's map.
//
// Threads: the user-interface thread only.
#pragma once

#include "app/keys/key_editor.h"

#include <QDialog>
#include <QLineEdit>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace zem::keys {

class CAcceleratorManager;

// Takes key presses instead of text while it has the focus and hands them to the editor as
// virtual keys. Only Tab and Shift+Tab (without Ctrl or Alt) get through, so that the focus
// still moves on; every other key, Escape, Return and the dialog's Alt mnemonics included,
// is captured. Auto-repeats are dropped so that a held key does not start a new combination.
class KeyCaptureField : public QLineEdit {
    Q_OBJECT
public:
    KeyCaptureField(KeyEditor& editor, QWidget* parent = nullptr);
    // Shows the editor's capture text.
    void Refresh();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    KeyEditor& m_editor;
};

class KeyLayoutDialog : public QDialog {
    Q_OBJECT
public:
    // The map must outlive the dialog; it sees nothing of the edits before OK.
    KeyLayoutDialog(CAcceleratorManager& map, QWidget* parent = nullptr);

    // OK: the map takes the edited copy and its table builder rebuilds the key bindings.
    void accept() override;

private:
    void chooseCategory();
    void chooseCommand();
    void fillCurrentKeys(int selectRow);
    void assign();
    void remove();
    void resetAll();

    CAcceleratorManager& m_map;
    KeyEditor m_editor;
    QComboBox* m_category = nullptr;
    QListWidget* m_commands = nullptr;
    QListWidget* m_currentKeys = nullptr;
    KeyCaptureField* m_newKey = nullptr;
    QLabel* m_assignedTo = nullptr;
};

// Runs the dialog modally on parent over the program's map. True on OK, when the map holds the
// edits and its table builder (installed with the key bindings) has rebuilt the main window's
// shortcuts; false on Cancel, with the map untouched.
bool RunKeyLayoutDialog(QWidget* parent, CAcceleratorManager& map);

} // namespace zem::keys
