// The pages of the "Device settings..." sheet as plain data over the profile: every key with its
// section, type, default and range, the values the user is editing, their checks and how they
// are stored.
//
// Threads: user-interface thread only.
#pragma once

#include <optional>
#include <string>
#include <vector>

class ZemProfile;

namespace zem::settings {

enum class FieldKind {
    Percent,  // stored fraction, shown as percent: stored * 100, written shown * 0.01
    Real,     // stored as shown
    LoopReal, // stored as shown, written with "%f"
    Int,      // an edit field holding a whole number
    Check,    // 0/1
    Radio,    // one of two radio buttons: 0 or 1; other stored values check neither
    Slider,   // a position in min..max
};

struct FieldDef {
    const char* section;
    const char* key;
    FieldKind kind;
    const char* fallback; // the default as the profile would hold it
    double min;
    double max;
    const char* label; // what the control does, with its unit
};

struct Field {
    FieldDef def;
    std::string text; // edit fields: the text shown
    int value = 0;    // check, radio and slider: the state shown
};

class SettingsPage {
public:
    explicit SettingsPage(const std::vector<FieldDef>& defs);

    std::vector<Field>& Fields() { return m_fields; }
    const std::vector<Field>& Fields() const { return m_fields; }
    // The field of that key, or null.
    Field* Find(const std::string& key);

    void Read(ZemProfile& profile);
    // The range message of the first field that does not hold a value in its range.
    std::optional<std::string> Validate() const;
    // Pre: Validate() found nothing.
    void Write(ZemProfile& profile) const;

private:
    std::vector<Field> m_fields;
};

// The message a field shows when its text is not a value in its range.
std::string RangeMessage(const FieldDef& def);

// The pages that edit profile keys, in the sheet's order: Pitch, Jog wheel, Playback, On open,
// Buffering (the DSP and input plug-ins pages keep their own data).
std::vector<SettingsPage> BuildSettingsPages();

} // namespace zem::settings
