#include "engine/input_modules/winamp_module_text.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

// FileExtensions is read as one block of this size at most.
constexpr std::size_t kExtensionBlock = 512;

std::string ReplaceAll(const std::string& text, char from, const char* to) {
    std::string out;
    for (char c : text) {
        if (c == from)
            out += to;
        else
            out += c;
    }
    return out;
}

// Copies a list of "item;" entries, cutting at the last whole entry that fits, so that a list
// too long for the field never ends in half an extension.
void CopyList(char* to, std::size_t size, const std::string& list) {
    std::string cut = list;
    if (cut.size() >= size) {
        cut.resize(size - 1);
        const std::size_t last = cut.rfind(';');
        cut.resize(last == std::string::npos ? 0 : last + 1);
    }
    std::memcpy(to, cut.c_str(), cut.size() + 1);
}

} // namespace

void DeriveWinampModuleText(const In_Module& module, DeviceModuleInfo& info) {
    std::string extensions;
    std::string wildcards;
    const char* block = module.FileExtensions;
    // Walk the NUL-terminated strings without reading past the terminating empty item: the
    // list may be shorter than the block.
    std::size_t at = 0;
    bool isItem = true;
    while (block && at < kExtensionBlock) {
        const std::size_t len = strnlen(block + at, kExtensionBlock - at);
        if (at + len >= kExtensionBlock)
            break; // cut by the end of the block
        if (isItem) {
            if (len == 0)
                break;
            const std::string item(block + at, len);
            extensions += "." + ReplaceAll(item, ';', ";.") + ";";
            wildcards += "*." + ReplaceAll(item, ';', ";*.") + ";";
        }
        at += len + 1;
        isItem = !isItem;
    }
    if (extensions == ".ack;")
        extensions = ".mp3;.mp2;.mpg;";
    CopyList(info.extensions, sizeof info.extensions, extensions);
    std::snprintf(info.description, sizeof info.description, "%s (%s)",
                  module.description ? module.description : "", wildcards.c_str());
}
