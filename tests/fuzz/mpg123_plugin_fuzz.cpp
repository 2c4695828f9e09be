// Feeds arbitrary files to our libmpg123 plug-in through its entry points: loading, reading,
// seeking and reading on must neither crash nor hang, and never deliver past the length.
#include "tests/engine/input_modules/plugin_fuzz_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static NativeHost host(FuzzPluginPath("ZEM_IN_MPG123").c_str());
    static const char* const kExtensions[] = {".mp3", ".mp2"};
    return FuzzNativePlugin(host, data, size, kExtensions, 2);
}
