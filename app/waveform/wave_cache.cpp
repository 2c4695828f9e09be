#include "app/waveform/wave_cache.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace zem::wave {

namespace {

constexpr char kMagic[8] = {'Z', 'E', 'M', 'W', 'A', 'V', 'E', '\0'};
constexpr uint32_t kVersion = 1;
constexpr size_t kHeaderSize = 56;
constexpr size_t kBinSize = 6;
constexpr size_t kChecksumSize = 4;
constexpr uint32_t kMaxRate = 1000000;
constexpr uint32_t kMaxChannels = 64;

uint32_t Fnv32(const uint8_t* data, size_t size) {
    uint32_t h = 2166136261u;
    for (size_t i = 0; i < size; ++i)
        h = (h ^ data[i]) * 16777619u;
    return h;
}

uint64_t Fnv64(const std::string& text) {
    uint64_t h = 14695981039346656037ull;
    for (unsigned char c : text)
        h = (h ^ c) * 1099511628211ull;
    return h;
}

// Little-endian whatever the machine, so a copied cache folder still reads.
void Put(std::vector<uint8_t>& out, uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

uint64_t Get(const uint8_t* at, int bytes) {
    uint64_t value = 0;
    for (int i = 0; i < bytes; ++i)
        value |= static_cast<uint64_t>(at[i]) << (8 * i);
    return value;
}

} // namespace

bool StatSong(const std::string& path, SongStamp& out) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    out.size = static_cast<uint64_t>(st.st_size);
    out.mtimeNs = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    return true;
}

std::string CacheFilePath(const std::string& cacheDir, const std::string& songPath) {
    // The settings-file rule: the part after the last separator, without its extension.
    const size_t slash = songPath.find_last_of("/\\");
    std::string name = slash == std::string::npos ? songPath : songPath.substr(slash + 1);
    if (const size_t dot = name.rfind('.'); dot != std::string::npos && dot > 0)
        name.resize(dot);
    char hash[17];
    std::snprintf(hash, sizeof hash, "%016llx", static_cast<unsigned long long>(Fnv64(songPath)));
    return cacheDir + "/" + name + "-" + hash + ".zwf";
}

std::vector<uint8_t> EncodeCache(const WaveSummary& summary, const SongStamp& stamp) {
    const std::vector<WaveBin> bins = summary.Bins();
    std::vector<uint8_t> out;
    out.reserve(kHeaderSize + bins.size() * kBinSize + kChecksumSize);
    // Byte by byte: GCC 12 at -O2 takes a range insert after reserve for an overflow.
    for (const char c : kMagic)
        out.push_back(static_cast<uint8_t>(c));
    Put(out, kVersion, 4);
    Put(out, kFramesPerBin, 4);
    Put(out, stamp.size, 8);
    Put(out, static_cast<uint64_t>(stamp.mtimeNs), 8);
    Put(out, static_cast<uint32_t>(summary.SampleRate()), 4);
    Put(out, static_cast<uint32_t>(summary.Channels()), 4);
    Put(out, summary.FramesRead(), 8);
    Put(out, bins.size(), 8);
    for (const WaveBin& b : bins) {
        Put(out, static_cast<uint16_t>(b.min), 2);
        Put(out, static_cast<uint16_t>(b.max), 2);
        Put(out, b.rms, 2);
    }
    Put(out, Fnv32(out.data(), out.size()), 4);
    return out;
}

bool PeekCacheStamp(const uint8_t* data, size_t size, SongStamp& out) {
    if (!data || size < kHeaderSize)
        return false;
    out.size = Get(data + 16, 8);
    out.mtimeNs = static_cast<int64_t>(Get(data + 24, 8));
    return true;
}

std::shared_ptr<WaveSummary> DecodeCache(const uint8_t* data, size_t size,
                                         const SongStamp& expected) {
    if (!data || size < kHeaderSize + kChecksumSize ||
        std::memcmp(data, kMagic, sizeof kMagic) != 0 || Get(data + 8, 4) != kVersion ||
        Get(data + 12, 4) != kFramesPerBin)
        return nullptr;
    SongStamp stamp;
    PeekCacheStamp(data, size, stamp);
    if (!(stamp == expected))
        return nullptr;
    const uint64_t rate = Get(data + 32, 4);
    const uint64_t channels = Get(data + 36, 4);
    const uint64_t frames = Get(data + 40, 8);
    const uint64_t binCount = Get(data + 48, 8);
    if (rate == 0 || rate > kMaxRate || channels == 0 || channels > kMaxChannels)
        return nullptr;
    // The sizes must agree exactly: no bin more or less than the frames need, nothing after.
    if (binCount != (frames + kFramesPerBin - 1) / kFramesPerBin ||
        binCount > (size - kHeaderSize - kChecksumSize) / kBinSize ||
        size != kHeaderSize + binCount * kBinSize + kChecksumSize)
        return nullptr;
    if (Get(data + size - kChecksumSize, 4) != Fnv32(data, size - kChecksumSize))
        return nullptr;
    std::vector<WaveBin> bins(static_cast<size_t>(binCount));
    const uint8_t* at = data + kHeaderSize;
    for (WaveBin& b : bins) {
        b.min = static_cast<int16_t>(Get(at, 2));
        b.max = static_cast<int16_t>(Get(at + 2, 2));
        b.rms = static_cast<uint16_t>(Get(at + 4, 2));
        at += kBinSize;
        if (b.min > b.max)
            return nullptr;
    }
    auto summary =
        std::make_shared<WaveSummary>(static_cast<int>(rate), static_cast<int>(channels), frames);
    summary->RestoreBins(std::move(bins), frames);
    summary->MarkComplete();
    return summary;
}

bool WriteCacheFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
    // A name of this process's own, so two programs writing the same song do not mix.
    const std::string temp = path + ".tmp" + std::to_string(getpid());
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            out.close();
            std::remove(temp.c_str());
            return false;
        }
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

std::shared_ptr<WaveSummary> ReadCacheFile(const std::string& path, const SongStamp& expected) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return nullptr;
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                     std::istreambuf_iterator<char>());
    return DecodeCache(bytes.data(), bytes.size(), expected);
}

} // namespace zem::wave
