#include "app/keys/key_file.h"

#include "app/keys/accelerator_map.h"

#include <fstream>
#include <iterator>

namespace zem::keys {

namespace {

constexpr uint32_t kHeaderMark = 0xFFFF;

void PutLittle(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

uint32_t GetLittle(const std::vector<uint8_t>& in, size_t at, int bytes) {
    uint32_t value = 0;
    for (int i = 0; i < bytes; ++i)
        value |= static_cast<uint32_t>(in[at + static_cast<size_t>(i)]) << (8 * i);
    return value;
}

} // namespace

std::vector<uint32_t> KeyFileWords(const CAcceleratorManager& map) {
    std::vector<uint32_t> words{0};
    uint32_t records = 0;
    for (const auto& [id, command] : map.Commands()) {
        std::vector<uint32_t> keys;
        for (const CAccelsOb& k : command->Keys())
            if (!k.IsLocked())
                keys.push_back(k.Pack());
        if (keys.empty())
            continue;
        words.push_back(id | static_cast<uint32_t>(keys.size()) << 16);
        words.insert(words.end(), keys.begin(), keys.end());
        ++records;
    }
    words[0] = kHeaderMark | records << 16;
    return words;
}

std::vector<uint8_t> SerializeWords(const std::vector<uint32_t>& words) {
    std::vector<uint8_t> bytes;
    if (words.size() < 0xFFFF) {
        PutLittle(bytes, static_cast<uint32_t>(words.size()), 2);
    } else {
        PutLittle(bytes, 0xFFFF, 2);
        PutLittle(bytes, static_cast<uint32_t>(words.size()), 4);
    }
    for (uint32_t w : words)
        PutLittle(bytes, w, 4);
    return bytes;
}

bool DeserializeWords(const std::vector<uint8_t>& bytes, std::vector<uint32_t>& words) {
    words.clear();
    if (bytes.size() < 2)
        return false;
    size_t at = 2;
    uint64_t count = GetLittle(bytes, 0, 2);
    if (count == 0xFFFF) {
        if (bytes.size() < 6)
            return false;
        count = GetLittle(bytes, 2, 4);
        at = 6;
    }
    // The count comes from the file: checked against its size before anything is reserved.
    if (count > (bytes.size() - at) / 4)
        return false;
    words.reserve(static_cast<size_t>(count));
    for (uint64_t i = 0; i < count; ++i, at += 4)
        words.push_back(GetLittle(bytes, at, 4));
    return true;
}

void ApplyKeyFileWords(CAcceleratorManager& map, const std::vector<uint32_t>& words) {
    if (!words.empty() && (words[0] & 0xFFFF) == kHeaderMark) {
        const uint32_t records = words[0] >> 16;
        size_t at = 1;
        for (uint32_t r = 0; r < records && at < words.size(); ++r) {
            const uint16_t id = static_cast<uint16_t>(words[at] & 0xFFFF);
            const size_t count = words[at] >> 16;
            ++at;
            CommandKeys* command = map.Find(id);
            if (command)
                command->RemoveUnlockedKeys();
            for (size_t k = 0; k < count && at < words.size(); ++k, ++at)
                if (command)
                    command->Keys().push_back(CAccelsOb::Unpack(words[at]));
        }
    }
    map.CreateAcceleratorTable();
}

bool WriteKeyFile(const CAcceleratorManager& map, const std::string& path) {
    const std::vector<uint8_t> bytes = SerializeWords(KeyFileWords(map));
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out.flush());
}

void ReadKeyFile(CAcceleratorManager& map, const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return;
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                     std::istreambuf_iterator<char>());
    std::vector<uint32_t> words;
    if (!DeserializeWords(bytes, words))
        words.clear();
    ApplyKeyFileWords(map, words);
}

} // namespace zem::keys
