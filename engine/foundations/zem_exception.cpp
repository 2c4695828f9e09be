#include "engine/foundations/zem_exception.h"

#include "engine/foundations/standard_dirs.h"
#include "platform/files.h"
#include "platform/ui_hooks.h"

#include <cstdio>
#include <cstring>
#include <ctime>

bool ZEMException::debugOn = false;

namespace {

// Four lines: date, time (no leading zeros), the message, a rule. One write per record, so
// records from two threads at once interleave at worst by whole records.
void appendLogRecord(const char* message) {
    const char* home = ZEM_GetZEMPath(0);
    if (!home)
        return;
    const std::string path = zem::JoinPath(home, "Zemerr.log");
    std::FILE* f = std::fopen(path.c_str(), "a");
    if (!f)
        return;
    const std::time_t now = std::time(nullptr);
    std::tm t{};
    localtime_r(&now, &t);
    char head[96];
    std::snprintf(head, sizeof head, "Date: %d/%d/%d\nTime: %d:%d\n", t.tm_mon + 1, t.tm_mday,
                  t.tm_year + 1900, t.tm_hour, t.tm_min);
    std::string record = head;
    record += message;
    record += "\n-----\n";
    std::fwrite(record.data(), 1, record.size(), f);
    std::fclose(f);
}

} // namespace

void ZEM_AppendErrorLog(const char* message) {
    appendLogRecord(message ? message : "");
}

ZEMException::ZEMException(const char* message, bool fatal, int code)
    : m_code(code), m_fatal(fatal) {
    std::snprintf(m_message, sizeof m_message, "%s", message ? message : "");
    appendLogRecord(m_message);
}

ZEMException::ZEMException(const ZEMException& other)
    : m_code(other.m_code), m_fatal(other.m_fatal) {
    std::memcpy(m_message, other.m_message, sizeof m_message);
}

ZEMException& ZEMException::operator=(const ZEMException& other) {
    if (this != &other) {
        std::memcpy(m_message, other.m_message, sizeof m_message);
        m_code = other.m_code;
        m_fatal = other.m_fatal;
    }
    return *this;
}

ZEMException::~ZEMException() = default;

void ZEMException::Display() {
    zem::ShowMessageBox(m_message);
    if (m_fatal)
        zem::RequestQuit(0);
}

void ZEMException::SetDebug(bool on) {
    debugOn = on;
}
