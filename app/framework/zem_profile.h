// The section/key store the framework keeps its memories in (recent files, child-window
// placement, the files open at exit). The program hands in its own profile; the framework never
// owns one. Sections and keys are meant to compare without regard to case.
#pragma once

#include "app/framework/framework_export.h"

#include <string>

class ZEM_FRAMEWORK_EXPORT ZemProfile {
public:
    virtual ~ZemProfile();
    virtual int GetProfileInt(const std::string& section, const std::string& key, int def) = 0;
    virtual void WriteProfileInt(const std::string& section, const std::string& key, int value) = 0;
    virtual std::string GetProfileString(const std::string& section, const std::string& key,
                                         const std::string& def) = 0;
    virtual void WriteProfileString(const std::string& section, const std::string& key,
                                    const std::string& value) = 0;
};
