// How the interface plug-in host tells the user something. The program's message box by
// default; tests hand in a recorder so that nothing blocks.
#pragma once

#include <functional>
#include <string>

namespace zem::interface_plugins {

using MessageFunction = std::function<void(const std::string& text)>;

// message itself, or the platform's message box when it is empty.
MessageFunction MessageOrDefault(MessageFunction message);

// The part of path after its last "/" or "\" (files made on Windows name folders with "\").
std::string FileNamePart(const std::string& path);

} // namespace zem::interface_plugins
