#include "app/decks/mixer_view/profile_store.h"

#include "app/decks/app_context.h"

ZemProfile* ProfileSettingsStore::Profile() const {
    return m_profile ? m_profile : AppContext().profile;
}

int ProfileSettingsStore::GetInt(const char* section, const char* key, int def) {
    if (ZemProfile* p = Profile())
        return p->GetProfileInt(section, key, def);
    return m_memory.GetInt(section, key, def);
}

void ProfileSettingsStore::WriteInt(const char* section, const char* key, int value) {
    if (ZemProfile* p = Profile())
        p->WriteProfileInt(section, key, value);
    else
        m_memory.WriteInt(section, key, value);
}
