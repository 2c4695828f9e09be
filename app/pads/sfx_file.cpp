#include "app/pads/sfx_file.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>

namespace zem::pads {

namespace {

// The longest first line read; "1.75" and its line end fit.
constexpr size_t kVersionLineLimit = 9;

uint32_t Get(std::string_view bytes, size_t at, size_t width) {
    uint32_t value = 0;
    for (size_t i = 0; i < width; ++i)
        value |= static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    return value;
}

void Put(std::string& out, uint32_t value, size_t width) {
    for (size_t i = 0; i < width; ++i)
        out.push_back(static_cast<char>(value >> (8 * i) & 0xFF));
}

} // namespace

std::string PadRecord::Path() const {
    return std::string(path, strnlen(path, kPathSize));
}

void PadRecord::SetPath(const std::string& value) {
    std::memset(path, 0, kPathSize);
    std::memcpy(path, value.data(), std::min(value.size(), kPathSize - 1));
}

SfxReadResult ParseSfx(std::string_view bytes, std::vector<PadRecord>& records) {
    records.clear();
    const size_t lineEnd = bytes.substr(0, kVersionLineLimit).find('\n');
    const std::string_view first = bytes.substr(0, std::min(lineEnd, kVersionLineLimit));
    if (first != kSfxVersion)
        return SfxReadResult::PreviousVersion;
    size_t at = lineEnd == std::string_view::npos ? bytes.size() : lineEnd + 1;
    for (; at + kRecordSize <= bytes.size(); at += kRecordSize) {
        PadRecord r;
        r.command = static_cast<uint16_t>(Get(bytes, at + 4, 2));
        std::memcpy(r.path, bytes.data() + at + 6, kPathSize);
        r.path[kPathSize - 1] = '\0';
        r.volume = static_cast<int32_t>(Get(bytes, at + 268, 4));
        r.stopIfPlaying = static_cast<uint8_t>(Get(bytes, at + 272, 1));
        records.push_back(r);
    }
    return SfxReadResult::Read;
}

SfxReadResult ReadSfxFile(const std::string& path, std::vector<PadRecord>& records) {
    records.clear();
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return SfxReadResult::Missing;
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return ParseSfx(bytes, records);
}

std::string SerializeSfx(const std::vector<PadRecord>& records) {
    std::string out = std::string(kSfxVersion) + "\n";
    for (const PadRecord& r : records) {
        Put(out, 0, 4); // the device is the running program's, meaningless in a file
        Put(out, r.command, 2);
        out.append(r.path, kPathSize);
        Put(out, static_cast<uint32_t>(r.volume), 4);
        Put(out, r.stopIfPlaying, 1);
        Put(out, 0, 3);
    }
    return out;
}

bool WriteSfxFile(const std::string& path, const std::vector<PadRecord>& records) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    const std::string bytes = SerializeSfx(records);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out.flush());
}

} // namespace zem::pads
