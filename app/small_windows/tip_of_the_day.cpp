#include "app/small_windows/tip_of_the_day.h"

#include "app/framework/zem_profile.h"
#include "app/small_windows/small_windows_texts.h"

#include <sys/stat.h>

#include <cstdio>
#include <ctime>
#include <fstream>
#include <iterator>

namespace zem::small {

namespace {

// A tips file is a few kilobytes; anything far larger is not one.
constexpr size_t kMaxFileBytes = 1 << 20;
// A tip longer than this is cut, so a runaway line cannot flood the window.
constexpr size_t kMaxTipChars = 1000;

bool ReadFile(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    text.assign(std::istreambuf_iterator<char>(in), {});
    return true;
}

// Length of the UTF-8 sequence starting at s[i], or 0 when it is not a valid one.
size_t Utf8Length(const std::string& s, size_t i) {
    const auto c = static_cast<unsigned char>(s[i]);
    size_t n = 0;
    unsigned min = 0;
    unsigned cp = 0;
    if (c < 0x80)
        return 1;
    if ((c & 0xE0) == 0xC0) {
        n = 2, min = 0x80, cp = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
        n = 3, min = 0x800, cp = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
        n = 4, min = 0x10000, cp = c & 0x07;
    } else {
        return 0;
    }
    if (i + n > s.size())
        return 0;
    for (size_t k = 1; k < n; ++k) {
        const auto d = static_cast<unsigned char>(s[i + k]);
        if ((d & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (d & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return n;
}

// Cuts at a character boundary.
std::string Shorten(const std::string& s) {
    if (s.size() <= kMaxTipChars)
        return s;
    size_t end = 0;
    while (end < s.size()) {
        const size_t n = Utf8Length(s, end);
        if (end + n > kMaxTipChars)
            break;
        end += n;
    }
    return s.substr(0, end) + "...";
}

} // namespace

bool IsShowableLine(const std::string& line) {
    for (size_t i = 0; i < line.size();) {
        const auto c = static_cast<unsigned char>(line[i]);
        if ((c < 0x20 && c != '\t') || c == 0x7F)
            return false;
        const size_t n = Utf8Length(line, i);
        if (n == 0)
            return false;
        i += n;
    }
    return true;
}

std::string TipOfTheDay::FileTimeText(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return {};
    std::tm utc{};
    gmtime_r(&st.st_mtim.tv_sec, &utc);
    char date[32];
    std::strftime(date, sizeof date, "%Y-%m-%d %H:%M:%S", &utc);
    char text[64];
    std::snprintf(text, sizeof text, "%s.%09ld UTC", date, static_cast<long>(st.st_mtim.tv_nsec));
    return text;
}

TipOfTheDay::TipOfTheDay(ZemProfile& profile, std::string path) : m_profile(profile) {
    m_current = kBuiltInTip;
    const std::string stamp = FileTimeText(path);
    if (stamp.empty() || !ReadFile(path, m_text))
        return;
    // Text never holds NUL bytes; a file that does is binary and its "lines" are noise.
    if (m_text.size() > kMaxFileBytes || m_text.find('\0') != std::string::npos)
        m_text.clear();

    int stored = m_profile.GetProfileInt(kTipSection, kTipFilePosKey, 0);
    if (m_profile.GetProfileString(kTipSection, kTipTimeStampKey, "") != stamp) {
        stored = 0;
        m_profile.WriteProfileString(kTipSection, kTipTimeStampKey, stamp);
    }
    size_t from = stored > 0 ? static_cast<size_t>(stored) : 0;
    if (from > m_text.size())
        from = 0;
    m_source = readFrom(from) ? TipSource::File : TipSource::Unreadable;
    if (m_source != TipSource::File)
        m_pos = from; // keep what the profile holds; there is no better place
}

bool TipOfTheDay::readFrom(size_t from) {
    // A damaged "FilePos" may point into a line: go on from the next one.
    if (from > 0 && from < m_text.size() && m_text[from - 1] != '\n') {
        const size_t nl = m_text.find('\n', from);
        from = nl == std::string::npos ? m_text.size() : nl + 1;
    }
    size_t pos = from;
    bool wrapped = false;
    while (true) {
        if (pos >= m_text.size()) {
            if (wrapped || from == 0)
                return false;
            wrapped = true;
            pos = 0;
        }
        if (wrapped && pos >= from)
            return false;
        size_t end = m_text.find('\n', pos);
        const size_t next = end == std::string::npos ? m_text.size() : end + 1;
        if (end == std::string::npos)
            end = m_text.size();
        std::string line = m_text.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        pos = next;
        if (line.empty() || line[0] == ';' || !IsShowableLine(line) ||
            line.find_first_not_of(" \t") == std::string::npos)
            continue;
        m_current = Shorten(line);
        m_pos = pos;
        return true;
    }
}

void TipOfTheDay::Next() {
    if (m_source == TipSource::File)
        readFrom(m_pos);
}

bool TipOfTheDay::ShowAtStartUp() const {
    return m_profile.GetProfileInt(kTipSection, kTipStartUpKey, 0) == 0;
}

void TipOfTheDay::SetShowAtStartUp(bool on) {
    m_profile.WriteProfileInt(kTipSection, kTipStartUpKey, on ? 0 : 1);
}

void TipOfTheDay::StoreFilePos() {
    if (m_source != TipSource::Missing)
        m_profile.WriteProfileInt(kTipSection, kTipFilePosKey, static_cast<int>(m_pos));
}

} // namespace zem::small
