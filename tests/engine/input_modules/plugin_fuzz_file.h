// What the decoder plug-ins' fuzz targets share: finding the plug-in in the build tree and
// running one input through it as a file.
#pragma once

#include "native_host.h"

#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>
#include <string>
#include <unistd.h>

// The fuzz programs land in <build>/fuzz, the plug-ins in <build>/run/Plugins. The plug-in is
// also kept mapped until the end, so that a leak report at exit can name the library (a decoder
// inside libsndfile) the suppressions know, instead of an unloaded module.
inline std::string FuzzPluginPath(const char* name) {
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe");
    const std::string path =
        (self.parent_path().parent_path() / "run" / "Plugins" / (std::string(name) + ".so"))
            .string();
    dlopen(path.c_str(), RTLD_NOW | RTLD_NODELETE);
    return path;
}

inline int FuzzNativePlugin(NativeHost& host, const uint8_t* data, size_t size,
                            const char* const* extensions, size_t extensionCount) {
    if (!host.ok()) {
        std::fprintf(stderr, "plug-in not found next to the fuzz program\n");
        std::abort();
    }
    // The first byte picks the file name's extension; the rest is the file.
    const char* ext = size ? extensions[data[0] % extensionCount] : extensions[0];
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("zem_fuzz_" + std::to_string(getpid()) + ext);
    if (FILE* f = std::fopen(file.c_str(), "wb")) {
        if (size > 1)
            std::fwrite(data + 1, 1, size - 1, f);
        std::fclose(f);
    }
    if (host.Load(file.string())) {
        const uint32_t length = host.Length();
        std::vector<int16_t> pcm = host.ReadAll(1 << 18);
        if (pcm.size() * 2 > length)
            std::abort();
        const uint32_t target = size > 4 ? (data[1] | data[2] << 8 | data[3] << 16) * 4u : 0;
        host.Seek(target);
        pcm = host.ReadAll(1 << 16);
        if (pcm.size() * 2 > length)
            std::abort();
    }
    std::error_code ec;
    std::filesystem::remove(file, ec);
    return 0;
}
