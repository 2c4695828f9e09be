// The user-interface calls of the engine: a message box, a yes/no question and a request to
// end the application. The program installs its own; until then text goes to standard error,
// questions get the caller's default, and a quit request is only recorded.
//
// Each library holding a copy of this layer has its own hooks; the engine exports a call that
// installs them into its copy.
#pragma once

namespace zem {

struct UiHooks {
    void (*messageBox)(const char* text) = nullptr;
    bool (*askYesNo)(const char* text, bool defaultAnswer) = nullptr;
    void (*requestQuit)(int exitCode) = nullptr;
};

void SetUiHooks(const UiHooks& hooks);
UiHooks GetUiHooks();

// Shows text with a single OK button and returns when the user has dismissed it.
void ShowMessageBox(const char* text);
bool AskYesNo(const char* text, bool defaultAnswer);
// Asks the application to leave its message loop after the current message.
void RequestQuit(int exitCode);
// True once RequestQuit has been called in this process (read by tests and shutdown code).
bool QuitRequested();
void ClearQuitRequest();

} // namespace zem
