#include "tools/render/wav_trim.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

namespace {

uint32_t Le32(const unsigned char* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

void PutLe32(unsigned char* p, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<unsigned char>(v >> (8 * i));
}

} // namespace

bool TrimWavFile(const std::string& path, unsigned long long frames) {
    std::FILE* f = std::fopen(path.c_str(), "r+b");
    if (!f)
        return false;
    unsigned char header[44];
    bool ok = std::fread(header, 1, sizeof header, f) == sizeof header &&
              std::memcmp(header, "RIFF", 4) == 0 && std::memcmp(header + 8, "WAVEfmt ", 8) == 0 &&
              Le32(header + 16) == 16 && std::memcmp(header + 36, "data", 4) == 0;
    const unsigned align = ok ? (header[32] | (header[33] << 8)) : 0;
    ok = ok && align > 0;
    if (ok) {
        struct stat st {};
        const unsigned long long have =
            fstat(fileno(f), &st) == 0 && st.st_size > 44
                ? static_cast<unsigned long long>(st.st_size - 44) / align
                : 0;
        const unsigned long long keep = frames < have ? frames : have;
        const unsigned long long bytes = keep * align;
        ok = bytes <= 0xFFFFFFFFull - 36;
        if (ok) {
            PutLe32(header + 4, static_cast<uint32_t>(36 + bytes));
            PutLe32(header + 40, static_cast<uint32_t>(bytes));
            ok = std::fseek(f, 0, SEEK_SET) == 0 &&
                 std::fwrite(header, 1, sizeof header, f) == sizeof header && std::fflush(f) == 0 &&
                 ftruncate(fileno(f), static_cast<off_t>(44 + bytes)) == 0;
        }
    }
    return std::fclose(f) == 0 && ok;
}
