#include "app/shell/shell_dialogs.h"

#include "app/shell/shell_texts.h"
#include "engine/foundations/user_interface.h"
#include "platform/ui_hooks.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>

namespace zem::shell {

namespace {

ShellDialogs* g_dialogs = nullptr;

void hookMessage(const char* text) {
    if (g_dialogs)
        g_dialogs->ShowMessage(text ? text : "");
}

bool hookAsk(const char* text, bool defaultAnswer) {
    return g_dialogs ? g_dialogs->AskYesNo(text ? text : "") : defaultAnswer;
}

void hookQuit(int exitCode) {
    // Queued: the request may come from inside a handler the loop must first leave.
    QMetaObject::invokeMethod(
        qApp, [exitCode] { QApplication::exit(exitCode); }, Qt::QueuedConnection);
}

} // namespace

ShellDialogs::~ShellDialogs() = default;

void MessageBoxDialogs::ShowMessage(const std::string& text) {
    if (m_unattended)
        return UnattendedDialogs().ShowMessage(text);
    QMessageBox::information(m_parent, kAppTitle, QString::fromStdString(text));
}

bool MessageBoxDialogs::AskYesNo(const std::string& text) {
    if (m_unattended)
        return UnattendedDialogs().AskYesNo(text);
    return QMessageBox::question(m_parent, kAppTitle, QString::fromStdString(text),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

bool MessageBoxDialogs::AskWarning(const std::string& title, const std::string& text) {
    if (m_unattended)
        return UnattendedDialogs().AskWarning(title, text);
    return QMessageBox::warning(m_parent, QString::fromStdString(title),
                                QString::fromStdString(text), QMessageBox::Yes | QMessageBox::No,
                                QMessageBox::No) == QMessageBox::Yes;
}

void UnattendedDialogs::ShowMessage(const std::string& text) {
    std::fprintf(stderr, "zem: %s\n", text.c_str());
}

bool UnattendedDialogs::AskYesNo(const std::string& text) {
    std::fprintf(stderr, "zem: %s (answered no)\n", text.c_str());
    return false;
}

bool UnattendedDialogs::AskWarning(const std::string& title, const std::string& text) {
    std::fprintf(stderr, "zem: %s: %s (answered no)\n", title.c_str(), text.c_str());
    return false;
}

void InstallUserInterfaceHooks(ShellDialogs* dialogs) {
    g_dialogs = dialogs;
    zem::UiHooks hooks;
    if (dialogs) {
        hooks.messageBox = hookMessage;
        hooks.askYesNo = hookAsk;
        hooks.requestQuit = hookQuit;
    }
    zem::SetUiHooks(hooks);
    ZEM_SetUserInterfaceHooks(hooks);
}

} // namespace zem::shell
