#include "platform/ui_hooks.h"

#include <atomic>
#include <cstdio>
#include <mutex>

namespace zem {

namespace {
std::mutex hooksMutex;
UiHooks hooks;
std::atomic<bool> quitRequested{false};
} // namespace

void SetUiHooks(const UiHooks& h) {
    std::lock_guard<std::mutex> lock(hooksMutex);
    hooks = h;
}

UiHooks GetUiHooks() {
    std::lock_guard<std::mutex> lock(hooksMutex);
    return hooks;
}

void ShowMessageBox(const char* text) {
    const UiHooks h = GetUiHooks();
    if (h.messageBox) {
        h.messageBox(text ? text : "");
        return;
    }
    std::fprintf(stderr, "ZEM: %s\n", text ? text : "");
}

bool AskYesNo(const char* text, bool defaultAnswer) {
    const UiHooks h = GetUiHooks();
    if (h.askYesNo)
        return h.askYesNo(text ? text : "", defaultAnswer);
    std::fprintf(stderr, "ZEM: %s [%s]\n", text ? text : "", defaultAnswer ? "yes" : "no");
    return defaultAnswer;
}

void RequestQuit(int exitCode) {
    quitRequested.store(true);
    const UiHooks h = GetUiHooks();
    if (h.requestQuit)
        h.requestQuit(exitCode);
}

bool QuitRequested() {
    return quitRequested.load();
}
void ClearQuitRequest() {
    quitRequested.store(false);
}

} // namespace zem
