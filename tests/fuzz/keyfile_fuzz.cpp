// "zemkeys.cfg" from any bytes: read into a small command map, which must then write a file
// that reads back to the same words.
#include "app/keys/accelerator_map.h"
#include "app/keys/key_file.h"
#include "app/keys/key_names.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zem::keys;
    CAcceleratorManager map;
    map.AddCommandKey(57601, "File Open", kFlagVirtKey | kFlagControl, 'O');
    map.AddCommandKey(32820, "Device ControlsPlay", kFlagVirtKey, 'Z');
    map.AddCommandKey(32836, "Device ControlsGotoCuePosition", kFlagVirtKey, 0x65, true);
    std::vector<uint32_t> words;
    if (DeserializeWords(std::vector<uint8_t>(data, data + size), words))
        ApplyKeyFileWords(map, words);
    const std::vector<uint32_t> written = KeyFileWords(map);
    std::vector<uint32_t> back;
    if (!DeserializeWords(SerializeWords(written), back) || back != written)
        __builtin_trap();
    return 0;
}
