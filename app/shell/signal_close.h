// SIGTERM and SIGINT close the main window as the user would. The handler only writes a byte
// into a pipe; the user-interface thread reads it through a socket notifier and runs the close.
#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

namespace zem::shell {

class SignalClose : public QObject {
    Q_OBJECT
public:
    // onSignal runs on the user-interface thread, once per signal received.
    explicit SignalClose(std::function<void()> onSignal, QObject* parent = nullptr);
    // Puts the default handlers back.
    ~SignalClose() override;
    bool IsInstalled() const { return m_notifier != nullptr; }

private:
    void readPipe();

    std::function<void()> m_onSignal;
    QSocketNotifier* m_notifier = nullptr;
};

} // namespace zem::shell
