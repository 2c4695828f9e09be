// The "Tip of the Day" window: the tip, "Next Tip", "Show tips at start-up" and Close. It only
// forwards to TipOfTheDay; the read position is stored however the window closes, the box
// only by Close (Escape leaves the setting as it was).
#pragma once

#include "app/small_windows/tip_of_the_day.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;
class ZemProfile;

namespace zem::small {

class CTipDlg : public QDialog {
    Q_OBJECT
public:
    // path: the tips file, "tips.txt" of the working directory unless a test names another.
    CTipDlg(QWidget* parent, ZemProfile& profile, const std::string& path = "tips.txt");
    ~CTipDlg() override;

    QString TipText() const;
    QCheckBox* StartUpBox() const { return m_startUp; }
    QPushButton* NextButton() const { return m_next; }
    QPushButton* CloseButton() const { return m_close; }

    void done(int result) override;

private:
    void showCurrent();

    TipOfTheDay m_tips;
    QLabel* m_tip = nullptr;
    QLabel* m_note = nullptr;
    QCheckBox* m_startUp = nullptr;
    QPushButton* m_next = nullptr;
    QPushButton* m_close = nullptr;
    bool m_stored = false;
};

// Shows the tip of the day modally over parent ("Help | Tip of the Day..." and the start).
void ShowTipOfTheDay(QWidget* parent, ZemProfile& profile);

} // namespace zem::small
