// Shared by the effect tests: the engine's message boxes caught as text, a private temporary
// directory for the engine's copies of plug-in libraries, and 16-bit stereo formats.
#pragma once

#include "contracts/wave_format.h"
#include "engine/foundations/user_interface.h"
#include "platform/files.h"
#include "tests/platform/test_dir.h"

#include <cstdlib>
#include <string>
#include <vector>

inline std::vector<std::string>& Messages() {
    static std::vector<std::string> shown;
    return shown;
}

// Catches the engine's message boxes for the life of the object.
class MessageCatcher {
public:
    MessageCatcher() {
        Messages().clear();
        zem::UiHooks hooks;
        hooks.messageBox = [](const char* text) { Messages().emplace_back(text); };
        ZEM_SetUserInterfaceHooks(hooks);
    }
    ~MessageCatcher() { ZEM_SetUserInterfaceHooks(zem::UiHooks{}); }
    const std::vector<std::string>& shown() const { return Messages(); }
};

// Points the engine's temporary files at a fresh folder for the life of the object.
class TempFolder {
public:
    TempFolder() {
        const char* old = std::getenv("TMPDIR");
        hadOld_ = old != nullptr;
        if (old)
            old_ = old;
        setenv("TMPDIR", dir_.path().c_str(), 1);
    }
    ~TempFolder() {
        if (hadOld_)
            setenv("TMPDIR", old_.c_str(), 1);
        else
            unsetenv("TMPDIR");
    }
    const std::string& path() const { return dir_.path(); }
    // Files in the folder other than the engine's list of temporary files.
    size_t CopyCount() const {
        size_t n = 0;
        for (const auto& name : zem::ScanDirectory(dir_.path(), "*"))
            n += name != "ZEM_TempFiles.dat";
        return n;
    }

private:
    TestDir dir_;
    std::string old_;
    bool hadOld_ = false;
};

inline WAVEFORMATEX StereoFormat(uint32_t rate = 44100) {
    return {WAVE_FORMAT_PCM, 2, rate, rate * 4, 4, 16, 0};
}
