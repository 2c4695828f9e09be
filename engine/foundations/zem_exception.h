// The engine's one exception type. Thrown and caught by value; every exception is appended to
// the error log "Zemerr.log" in the program directory when it is built.
#pragma once

#include "contracts/export.h"

class ZEM_EXPORT ZEMException {
public:
    static constexpr int kMessageSize = 1024;

    // Copies message (at most 1023 characters are kept) and logs it. Any thread may build one.
    ZEMException(const char* message, bool fatal, int code);
    ZEMException(const ZEMException& other);
    ZEMException& operator=(const ZEMException& other);
    virtual ~ZEMException();

    // Shows the message with an OK button; a fatal one then asks the application to quit.
    void Display();

    const char* GetMessage() const { return m_message; }
    bool IsFatal() const { return m_fatal; }
    int GetCode() const { return m_code; }

    // Set by the program's "-log" option. Nothing depends on it: every exception is logged.
    static void SetDebug(bool on);
    static bool debugOn;

private:
    char m_message[kMessageSize];
    int m_code;
    bool m_fatal;
};

// Appends one record to the error log, as an exception does, for notes that are not errors
// (a setting the engine had to change). Any thread.
ZEM_EXPORT void ZEM_AppendErrorLog(const char* message);
