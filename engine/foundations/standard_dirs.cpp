#include "engine/foundations/standard_dirs.h"

#include "platform/files.h"

#include <cstdio>
#include <string>

namespace {

struct DirectoryTable {
    std::string entries[kZEMPathCount];

    DirectoryTable() {
        static const char* const suffixes[kZEMPathCount] = {"", "/ZEC", "/Plugins", "/INI", "/SFX"};
        // Kept whole however long: a cut path would name some other folder.
        const std::string cwd = zem::CurrentDirectory();
        for (int i = 0; i < kZEMPathCount; ++i)
            entries[i] = cwd + suffixes[i];
    }
};

const DirectoryTable& table() {
    static const DirectoryTable t;
    return t;
}

// Built when the library is loaded, before main() can change the working directory.
[[maybe_unused]] const DirectoryTable& builtAtLoad = table();

} // namespace

const char* ZEM_GetZEMPath(int index) {
    if (index < 0 || index >= kZEMPathCount)
        return nullptr;
    return table().entries[index].c_str();
}

void FNameToZEC(char* buffer) {
    if (!buffer)
        return;
    std::string name(buffer);
    const size_t sep = name.find_last_of("/\\");
    if (sep != std::string::npos)
        name.erase(0, sep + 1);
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos)
        name.erase(dot);
    name += ".zec";
    std::snprintf(buffer, 512, "%s/%s", ZEM_GetZEMPath(1), name.c_str());
}
