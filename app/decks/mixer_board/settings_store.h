// The few profile values the board and its settings keep, behind a store of sections and keys,
// so that the board's logic runs without the program's profile code. Sections and keys are
// compared without regard to case, as the profile does.
#pragma once

#include <map>
#include <string>
#include <utility>

namespace zem::board {

class SettingsStore {
public:
    virtual ~SettingsStore();
    virtual int GetInt(const char* section, const char* key, int def) = 0;
    virtual void WriteInt(const char* section, const char* key, int value) = 0;
};

// A store in memory, for tests and for a program that has no profile yet.
class MemorySettingsStore : public SettingsStore {
public:
    int GetInt(const char* section, const char* key, int def) override;
    void WriteInt(const char* section, const char* key, int value) override;
    bool Has(const char* section, const char* key) const;

private:
    static std::pair<std::string, std::string> Key(const char* section, const char* key);
    std::map<std::pair<std::string, std::string>, int> m_values;
};

} // namespace zem::board
