// Reading the "key=value" lines Soundrail hands a module with a stream request.
#pragma once

#include <string>

inline std::string ModuleOption(const char* options, const char* key) {
    const std::string text = options ? options : "";
    const std::string prefix = std::string(key) + "=";
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos)
            end = text.size();
        if (text.compare(at, prefix.size(), prefix) == 0)
            return text.substr(at + prefix.size(), end - at - prefix.size());
        at = end + 1;
    }
    return {};
}
