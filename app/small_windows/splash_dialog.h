// The splash shown at start: the logo, the program's name and version and a "Do not show this
// again" box. A click or a key closes it, and so does the countdown (SplashCountdown).
#pragma once

#include "app/small_windows/splash_countdown.h"

#include <QDialog>

#include <functional>
#include <string>

class QCheckBox;
class QTimer;

namespace zem::small {

class CSplashDialog : public QDialog {
    Q_OBJECT
public:
    // logoPath: a bitmap drawn beside the name; missing, the name stands alone.
    CSplashDialog(QWidget* parent, std::function<long long()> clockMs, long long showForMs,
                  const std::string& logoPath);

    // False once the box is ticked: the splash should not show at the next start.
    bool ShowNextTime() const;
    QCheckBox* DoNotShowBox() const { return m_box; }
    const SplashCountdown& Countdown() const { return m_countdown; }
    // What the timer does: closes the splash when the countdown says so.
    void Tick();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    SplashCountdown m_countdown;
    QCheckBox* m_box = nullptr;
    QTimer* m_timer = nullptr;
};

// Shows the splash modally over parent with the program directory's logo; returns whether it
// should show at the next start ("Startup"/"Show splash").
bool ShowSplashDialog(QWidget* parent);

} // namespace zem::small
