// The sound-effect pads' dialog ("Sound FX | Settings..."): the pads by file name; the chosen
// pad's path, volume, stop-if-playing switch and key; Add, Remove, a Test that previews the
// file as it would play, Apply, and a button to the key map dialog.
//
// Threads: the user-interface thread.
#pragma once

#include "app/pads/pad_table.h"

#include <QDialog>

#include <functional>
#include <string>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QSlider;

namespace zem::pads {

inline constexpr char kNoPadToPlayText[] = "No SFX to play!";

struct PadDialogHooks {
    // The file to add; empty when the user cancels.
    std::function<std::string(QWidget* parent)> chooseFile;
    // The text of the first key of a command; empty when it has none.
    std::function<std::string(uint16_t command)> keyText;
    std::function<void(QWidget* parent)> openKeyMap;
};

class PadDialog : public QDialog {
    Q_OBJECT
public:
    PadDialog(CPadTable& pads, Mixer& mixer, PadHost& host, PadDialogHooks hooks,
              QWidget* parent = nullptr);
    // The preview leaves the mixer.
    ~PadDialog() override;

    void accept() override;
    void Select(int row);
    void Apply();
    void AddFile(const std::string& path);
    void RemoveSelected();
    void Test();
    MixerDevice* Preview() const { return m_preview; }

private:
    void Rebuild(int select);
    void ShowSelected();
    void StopPreview();

    CPadTable& m_pads;
    Mixer& m_mixer;
    PadHost& m_host;
    PadDialogHooks m_hooks;
    MixerDevice* m_preview = nullptr;
    QListWidget* m_list = nullptr;
    QLineEdit* m_path = nullptr;
    QSlider* m_volume = nullptr;
    QCheckBox* m_stop = nullptr;
    QLabel* m_key = nullptr;
};

} // namespace zem::pads
