// How the shell talks to the user: a message, a yes/no question, a titled warning question.
// The program shows message boxes; a run without a user (the screenshot option) and the tests
// put their own answers in.
#pragma once

#include <string>

class QWidget;

namespace zem::shell {

class ShellDialogs {
public:
    virtual ~ShellDialogs();
    virtual void ShowMessage(const std::string& text) = 0;
    virtual bool AskYesNo(const std::string& text) = 0;
    // A Yes/No question with a title and a warning icon.
    virtual bool AskWarning(const std::string& title, const std::string& text) = 0;
};

// Message boxes over the main window (set later, once it exists).
class MessageBoxDialogs : public ShellDialogs {
public:
    void SetParent(QWidget* parent) { m_parent = parent; }
    // Once the program is being ended from outside (a signal), nobody is there to answer:
    // what follows goes to standard error and questions are answered no.
    void SetUnattended() { m_unattended = true; }
    void ShowMessage(const std::string& text) override;
    bool AskYesNo(const std::string& text) override;
    bool AskWarning(const std::string& title, const std::string& text) override;

private:
    QWidget* m_parent = nullptr;
    bool m_unattended = false;
};

// Nobody to ask: messages go to standard error, questions are answered no.
class UnattendedDialogs : public ShellDialogs {
public:
    void ShowMessage(const std::string& text) override;
    bool AskYesNo(const std::string& text) override;
    bool AskWarning(const std::string& title, const std::string& text) override;
};

// Routes the engine's and the platform layer's message boxes and questions to dialogs, which
// must outlive the program's run; null puts the defaults (standard error) back.
void InstallUserInterfaceHooks(ShellDialogs* dialogs);

} // namespace zem::shell
