#include "platform/ini_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <mutex>
#include <string_view>
#include <vector>

namespace zem::ini {

namespace {

std::mutex writeMutex;

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && (isBlank(s.back()) || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

char lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i]))
            return false;
    return true;
}

// One line of the file, without its line end.
struct Line {
    std::string_view text;
    size_t begin; // offset of the line in the file text
    size_t end;   // offset past its line end
};

std::vector<Line> splitLines(std::string_view text) {
    std::vector<Line> lines;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t stop = pos;
        while (stop < text.size() && text[stop] != '\n' && text[stop] != '\r')
            ++stop;
        size_t next = stop;
        if (next < text.size()) {
            if (text[next] == '\r' && next + 1 < text.size() && text[next + 1] == '\n')
                next += 2;
            else
                next += 1;
        }
        lines.push_back({text.substr(pos, stop - pos), pos, next});
        pos = next;
    }
    return lines;
}

// The section name when line is a section header.
bool sectionName(std::string_view line, std::string_view& name) {
    line = trim(line);
    if (line.empty() || line.front() != '[')
        return false;
    line.remove_prefix(1);
    const size_t close = line.find(']');
    name = trim(close == std::string_view::npos ? line : line.substr(0, close));
    return true;
}

// Key and value when line is a key line.
bool keyValue(std::string_view line, std::string_view& key, std::string_view& value) {
    line = trim(line);
    if (line.empty() || line.front() == ';' || line.front() == '#')
        return false;
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos)
        return false;
    key = trim(line.substr(0, eq));
    value = trim(line.substr(eq + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return !key.empty();
}

std::string oneLine(const char* s) {
    std::string out(s);
    for (char& c : out)
        if (c == '\n' || c == '\r')
            c = ' ';
    return out;
}

bool readFile(const std::string& path, std::string& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

bool writeAtomically(const std::string& path, const std::string& text) {
    const size_t slash = path.rfind('/');
    const std::string dir = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    std::string tmp = (slash == std::string::npos ? std::string() : dir) + "." + base + ".XXXXXX";
    std::vector<char> name(tmp.begin(), tmp.end());
    name.push_back('\0');
    const int fd = mkstemp(name.data());
    if (fd < 0)
        return false;
    struct stat st {};
    fchmod(fd, stat(path.c_str(), &st) == 0 ? (st.st_mode & 0777) : 0644);
    bool ok = true;
    for (size_t done = 0; ok && done < text.size();) {
        const ssize_t w = write(fd, text.data() + done, text.size() - done);
        if (w < 0 && errno == EINTR)
            continue;
        if (w <= 0)
            ok = false;
        else
            done += static_cast<size_t>(w);
    }
    if (ok && fsync(fd) != 0)
        ok = false;
    if (close(fd) != 0)
        ok = false;
    if (ok && rename(name.data(), path.c_str()) != 0)
        ok = false;
    if (!ok)
        unlink(name.data());
    return ok;
}

} // namespace

bool FindInText(const std::string& text, const char* section, const char* key, std::string& out) {
    if (!section || !key)
        return false;
    bool inSection = false;
    bool sectionSeen = false;
    for (const Line& line : splitLines(text)) {
        std::string_view name, k, v;
        if (sectionName(line.text, name)) {
            if (sectionSeen && inSection)
                return false; // only the first matching section counts
            inSection = equalNoCase(name, section);
            sectionSeen = sectionSeen || inSection;
            continue;
        }
        if (inSection && keyValue(line.text, k, v) && equalNoCase(k, key)) {
            out.assign(v);
            return true;
        }
    }
    return false;
}

std::string UpdateText(const std::string& text, const char* section, const char* key,
                       const char* value) {
    if (!section)
        return text;
    const std::vector<Line> lines = splitLines(text);
    // Locate the first matching section: its header line, and the line after its last key.
    long header = -1;
    size_t sectionEnd = text.size(); // offset where the section's lines stop
    size_t insertAt = text.size();   // offset past the last non-blank line of the section
    long keyLine = -1;
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string_view name, k, v;
        if (sectionName(lines[i].text, name)) {
            if (header >= 0) {
                sectionEnd = lines[i].begin;
                break;
            }
            if (equalNoCase(name, section)) {
                header = static_cast<long>(i);
                insertAt = lines[i].end;
            }
            continue;
        }
        if (header < 0)
            continue;
        if (!trim(lines[i].text).empty())
            insertAt = lines[i].end;
        if (keyLine < 0 && key && keyValue(lines[i].text, k, v) && equalNoCase(k, key))
            keyLine = static_cast<long>(i);
    }

    if (!key) { // delete the section
        if (header < 0)
            return text;
        return text.substr(0, lines[static_cast<size_t>(header)].begin) + text.substr(sectionEnd);
    }
    // A line break inside a key or value would forge lines of its own.
    const std::string entry = value ? oneLine(key) + "=" + oneLine(value) : std::string();
    if (keyLine >= 0) {
        const Line& l = lines[static_cast<size_t>(keyLine)];
        // Keep the line's own line end.
        const std::string lineEnd(
            text.substr(l.begin + l.text.size(), l.end - l.begin - l.text.size()));
        const std::string replacement = value ? entry + (lineEnd.empty() ? "\n" : lineEnd) : "";
        return text.substr(0, l.begin) + replacement + text.substr(l.end);
    }
    if (!value)
        return text;
    if (header >= 0) {
        std::string before = text.substr(0, insertAt);
        if (!before.empty() && before.back() != '\n' && before.back() != '\r')
            before += '\n';
        return before + entry + "\n" + text.substr(insertAt);
    }
    std::string out = text;
    if (!out.empty() && out.back() != '\n' && out.back() != '\r')
        out += '\n';
    out += "[" + std::string(section) + "]\n" + entry + "\n";
    return out;
}

bool ReadValue(const std::string& path, const char* section, const char* key, std::string& out) {
    std::string text;
    if (!readFile(path, text))
        return false;
    return FindInText(text, section, key, out);
}

std::string GetString(const std::string& path, const char* section, const char* key,
                      const char* def) {
    std::string v;
    if (ReadValue(path, section, key, v))
        return v;
    return def ? def : "";
}

int GetInt(const std::string& path, const char* section, const char* key, int def) {
    std::string v;
    if (!ReadValue(path, section, key, v))
        return def;
    return ParseLeadingInt(v, def);
}

float GetFloat(const std::string& path, const char* section, const char* key, float def) {
    std::string v;
    if (!ReadValue(path, section, key, v))
        return def;
    return ParseLeadingFloat(v, def);
}

bool WriteValue(const std::string& path, const char* section, const char* key, const char* value) {
    if (path.empty() || !section)
        return false;
    std::lock_guard<std::mutex> lock(writeMutex);
    std::string text;
    const bool existed = readFile(path, text);
    if (!existed && (!key || !value))
        return true; // nothing to delete
    const std::string updated = UpdateText(text, section, key, value);
    if (existed && updated == text)
        return true;
    return writeAtomically(path, updated);
}

bool WriteInt(const std::string& path, const char* section, const char* key, int value) {
    return WriteValue(path, section, key, std::to_string(value).c_str());
}

bool WriteFloat(const std::string& path, const char* section, const char* key, float value) {
    return WriteValue(path, section, key, FormatFloat(value).c_str());
}

int ParseLeadingInt(const std::string& text, int def) {
    size_t i = 0;
    while (i < text.size() && (isBlank(text[i]) || text[i] == '\r' || text[i] == '\n'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i >= text.size() || text[i] < '0' || text[i] > '9')
        return def;
    long long v = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        v = v * 10 + (text[i] - '0');
        if (v > static_cast<long long>(INT_MAX) + 1)
            v = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative)
        v = -v;
    if (v > INT_MAX)
        v = INT_MAX;
    if (v < INT_MIN)
        v = INT_MIN;
    return static_cast<int>(v);
}

float ParseLeadingFloat(const std::string& text, float def) {
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    const float v = std::strtof(begin, &end);
    if (end == begin || std::isnan(v))
        return def;
    return v;
}

std::string FormatFloat(float value) {
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value);
    return std::string(buf, res.ptr);
}

} // namespace zem::ini
