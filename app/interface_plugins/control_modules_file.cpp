#include "app/interface_plugins/control_modules_file.h"
#include "app/interface_plugins/host_messages.h"

#include <fstream>
#include <iterator>

namespace zem::interface_plugins {

std::vector<std::string> ParseControlModules(std::string_view text) {
    std::vector<std::string> names;
    size_t at = 0;
    while (at < text.size()) {
        // One read of a line buffer: up to the line end or kControlModulesLine bytes.
        size_t end = at;
        while (end < text.size() && end - at < kControlModulesLine && text[end] != '\n')
            ++end;
        std::string_view line = text.substr(at, end - at);
        at = end < text.size() && text[end] == '\n' ? end + 1 : end;
        // The buffer is read as a C string, so a NUL byte ends it.
        line = line.substr(0, line.find('\0'));
        while (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        std::string name = FileNamePart(std::string(line));
        if (!name.empty())
            names.push_back(std::move(name));
    }
    return names;
}

std::string FormatControlModules(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names)
        text += name + "\n";
    return text;
}

bool ReadControlModules(const std::string& path, std::vector<std::string>& names) {
    names.clear();
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    names = ParseControlModules(text);
    return true;
}

bool WriteControlModules(const std::string& path, const std::vector<std::string>& names) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << FormatControlModules(names);
    out.close();
    return static_cast<bool>(out);
}

} // namespace zem::interface_plugins
