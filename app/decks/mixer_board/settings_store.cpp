#include "app/decks/mixer_board/settings_store.h"

#include <cctype>

namespace zem::board {

SettingsStore::~SettingsStore() = default;

std::pair<std::string, std::string> MemorySettingsStore::Key(const char* section, const char* key) {
    auto lower = [](const char* text) {
        std::string s(text ? text : "");
        for (char& c : s)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return s;
    };
    return {lower(section), lower(key)};
}

int MemorySettingsStore::GetInt(const char* section, const char* key, int def) {
    const auto it = m_values.find(Key(section, key));
    return it == m_values.end() ? def : it->second;
}

void MemorySettingsStore::WriteInt(const char* section, const char* key, int value) {
    m_values[Key(section, key)] = value;
}

bool MemorySettingsStore::Has(const char* section, const char* key) const {
    return m_values.count(Key(section, key)) != 0;
}

} // namespace zem::board
