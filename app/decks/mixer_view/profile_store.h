// The board's settings store over the program's profile; in memory while there is none.
#pragma once

#include "app/decks/mixer_board/settings_store.h"

class ZemProfile;

class ProfileSettingsStore : public zem::board::SettingsStore {
public:
    // profile: the store to use; null takes the program's profile at each call.
    explicit ProfileSettingsStore(ZemProfile* profile = nullptr) : m_profile(profile) {}
    int GetInt(const char* section, const char* key, int def) override;
    void WriteInt(const char* section, const char* key, int value) override;

private:
    ZemProfile* Profile() const;
    ZemProfile* m_profile;
    zem::board::MemorySettingsStore m_memory;
};
