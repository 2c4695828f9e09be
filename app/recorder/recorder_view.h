// The recorder window's form: source and format, the folder, a big Record/Stop button, the
// elapsed time, file size and file name, and a level bar with a clip light per channel. It
// forwards every choice to the document's recorder and redraws from a 50 ms timer.
#pragma once

#include "app/framework/zem_view.h"

#include <functional>
#include <string>

class CRecorderDoc;
class LevelMeterWidget;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

class CRecorderView : public ZemView {
    Q_OBJECT
public:
    // Asks for a folder, starting at the current one; empty when the user cancels.
    using FolderDialog = std::function<std::string(const std::string& current)>;

    explicit CRecorderView(QWidget* parent = nullptr);

    CRecorderDoc* GetRecorderDoc() const;
    void OnInitialUpdate() override;
    void OnUpdate(ZemView* sender, long hint) override;

    // What the timer does: ends a failed recording, then shows time, size and levels.
    void Refresh();
    // The system's folder dialog by default.
    static void SetFolderDialog(FolderDialog dialog);

private:
    void build();
    void fillChoices();
    void toggleRecording();
    void browse();

    QComboBox* m_source = nullptr;
    QComboBox* m_format = nullptr;
    QLineEdit* m_folder = nullptr;
    QPushButton* m_browse = nullptr;
    QPushButton* m_record = nullptr;
    QLabel* m_time = nullptr;
    QLabel* m_size = nullptr;
    QLabel* m_file = nullptr;
    LevelMeterWidget* m_meters[2] = {};
    QTimer* m_timer = nullptr;
};
