// Feeds arbitrary files to our libsndfile plug-in through its entry points: loading, reading,
// seeking and reading on must neither crash nor hang, and never deliver past the length.
#include "tests/engine/input_modules/plugin_fuzz_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static NativeHost host(FuzzPluginPath("ZEM_IN_SndFile").c_str());
    static const char* const kExtensions[] = {".wav", ".flac", ".ogg", ".aiff", ".opus"};
    return FuzzNativePlugin(host, data, size, kExtensions, 5);
}
