#include "app/interface_plugins/host_messages.h"

#include "platform/ui_hooks.h"

namespace zem::interface_plugins {

MessageFunction MessageOrDefault(MessageFunction message) {
    if (message)
        return message;
    return [](const std::string& text) { zem::ShowMessageBox(text.c_str()); };
}

std::string FileNamePart(const std::string& path) {
    const size_t separator = path.find_last_of("/\\");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

} // namespace zem::interface_plugins
