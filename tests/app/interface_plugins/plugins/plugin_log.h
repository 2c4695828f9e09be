// The test plug-ins say what the host made them do by appending a line to the file named by
// ZEM_TEST_PLUGIN_LOG, so that a test can read it even after the library is gone.
#pragma once

#include <cstdio>
#include <cstdlib>

inline void PluginLog(const char* line) {
    const char* path = std::getenv("ZEM_TEST_PLUGIN_LOG");
    if (!path)
        return;
    if (std::FILE* f = std::fopen(path, "a")) {
        std::fprintf(f, "%s\n", line);
        std::fclose(f);
    }
}

#define PLUGIN_EXPORT extern "C" __attribute__((visibility("default")))
