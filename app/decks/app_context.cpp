#include "app/decks/app_context.h"

#include "platform/profile.h"

ZemAppContext& AppContext() {
    static ZemAppContext context;
    return context;
}

int ProgramProfile::GetProfileInt(const std::string& section, const std::string& key, int def) {
    return zem::profile::GetInt(section.c_str(), key.c_str(), def);
}

void ProgramProfile::WriteProfileInt(const std::string& section, const std::string& key,
                                     int value) {
    zem::profile::WriteInt(section.c_str(), key.c_str(), value);
}

std::string ProgramProfile::GetProfileString(const std::string& section, const std::string& key,
                                             const std::string& def) {
    return zem::profile::GetString(section.c_str(), key.c_str(), def.c_str());
}

void ProgramProfile::WriteProfileString(const std::string& section, const std::string& key,
                                        const std::string& value) {
    zem::profile::WriteString(section.c_str(), key.c_str(), value.c_str());
}
