#include "engine/foundations/temp_files.h"

#include "platform/files.h"

#include <fstream>

std::string ZEM_TempFileListPath() {
    return zem::JoinPath(zem::TempDirectory(), "ZEM_TempFiles.dat");
}

std::string ZEM_CreateTempFile() {
    const std::string path = zem::CreateUniqueFile(zem::TempDirectory(), "ZEM");
    if (path.empty())
        return path;
    std::ofstream list(ZEM_TempFileListPath(), std::ios::app);
    if (list)
        list << path << '\n';
    return path;
}

void ZEM_RemoveTempFiles() {
    const std::string listPath = ZEM_TempFileListPath();
    std::ifstream list(listPath);
    if (!list)
        return;
    // Line by line, so paths with spaces are deleted too.
    std::string line;
    while (std::getline(list, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            zem::DeleteFilePath(line);
    }
    list.close();
    zem::DeleteFilePath(listPath);
}
