#include "app/device_settings/settings_pages.h"

#include "app/framework/zem_profile.h"
#include "platform/number_text.h"

#include <algorithm>
#include <cstdio>

namespace zem::settings {

namespace {

constexpr const char kDevice[] = "General device settings";
constexpr const char kJog[] = "Jog wheel";
constexpr const char kPlayback[] = "Playback";
constexpr const char kEqualizer[] = "Equalizer";

// Shown numbers keep six significant digits, as a float edit field does: 0.15 * 100 shows
// "15", not its binary remainder.
constexpr int kShownDigits = 6;
constexpr int kStoredDigits = 4;

bool IsEdit(FieldKind kind) {
    return kind == FieldKind::Percent || kind == FieldKind::Real || kind == FieldKind::LoopReal ||
           kind == FieldKind::Int;
}

double StoredReal(ZemProfile& profile, const FieldDef& def) {
    const std::string text = profile.GetProfileString(def.section, def.key, def.fallback);
    if (const auto value = ParseReal(text))
        return *value;
    return ParseReal(def.fallback).value_or(0.0);
}

// The value an edit field holds when it holds one in range.
std::optional<double> Checked(const Field& field) {
    const FieldDef& s = field.def;
    std::optional<double> value;
    if (s.kind == FieldKind::Int) {
        if (const auto i = ParseInt(field.text))
            value = *i;
    } else {
        value = ParseReal(field.text);
    }
    if (!value || *value < s.min || *value > s.max)
        return std::nullopt;
    return value;
}

} // namespace

std::string RangeMessage(const FieldDef& def) {
    char buffer[160];
    if (def.kind == FieldKind::Int)
        std::snprintf(buffer, sizeof buffer, "Please enter an integer between %d and %d.",
                      static_cast<int>(def.min), static_cast<int>(def.max));
    else
        std::snprintf(buffer, sizeof buffer, "Please enter a number between %s and %s.",
                      FormatSignificant(def.min, kShownDigits).c_str(),
                      FormatSignificant(def.max, kShownDigits).c_str());
    return buffer;
}

SettingsPage::SettingsPage(const std::vector<FieldDef>& defs) {
    for (const FieldDef& def : defs)
        m_fields.push_back({def, {}, 0});
}

Field* SettingsPage::Find(const std::string& key) {
    for (Field& field : m_fields)
        if (key == field.def.key)
            return &field;
    return nullptr;
}

void SettingsPage::Read(ZemProfile& profile) {
    for (Field& field : m_fields) {
        const FieldDef& s = field.def;
        switch (s.kind) {
        case FieldKind::Percent:
            field.text = FormatSignificant(StoredReal(profile, s) * 100.0, kShownDigits);
            break;
        case FieldKind::Real:
        case FieldKind::LoopReal:
            field.text = FormatSignificant(StoredReal(profile, s), kShownDigits);
            break;
        case FieldKind::Int:
            field.text = std::to_string(
                profile.GetProfileInt(s.section, s.key, ParseInt(s.fallback).value_or(0)));
            break;
        case FieldKind::Check:
        case FieldKind::Radio:
            field.value = profile.GetProfileInt(s.section, s.key, ParseInt(s.fallback).value_or(0));
            break;
        case FieldKind::Slider:
            // A slider cannot show a position outside its range.
            field.value = std::clamp(
                profile.GetProfileInt(s.section, s.key, ParseInt(s.fallback).value_or(0)),
                static_cast<int>(s.min), static_cast<int>(s.max));
            break;
        }
    }
}

std::optional<std::string> SettingsPage::Validate() const {
    for (const Field& field : m_fields)
        if (IsEdit(field.def.kind) && !Checked(field))
            return RangeMessage(field.def);
    return std::nullopt;
}

void SettingsPage::Write(ZemProfile& profile) const {
    for (const Field& field : m_fields) {
        const FieldDef& s = field.def;
        switch (s.kind) {
        case FieldKind::Percent:
            profile.WriteProfileString(s.section, s.key,
                                       FormatSignificant(*Checked(field) * 0.01, kStoredDigits));
            break;
        case FieldKind::Real:
            profile.WriteProfileString(s.section, s.key,
                                       FormatSignificant(*Checked(field), kStoredDigits));
            break;
        case FieldKind::LoopReal:
            profile.WriteProfileString(s.section, s.key, FormatFixed(*Checked(field)));
            break;
        case FieldKind::Int:
            profile.WriteProfileInt(s.section, s.key, static_cast<int>(*Checked(field)));
            break;
        case FieldKind::Check:
            profile.WriteProfileInt(s.section, s.key, field.value != 0 ? 1 : 0);
            break;
        case FieldKind::Radio:
        case FieldKind::Slider:
            profile.WriteProfileInt(s.section, s.key, field.value);
            break;
        }
    }
}

std::vector<SettingsPage> BuildSettingsPages() {
    using K = FieldKind;
    std::vector<SettingsPage> pages;
    pages.emplace_back(std::vector<FieldDef>{
        {kDevice, "Pitch change", K::Percent, "0.15", 0, 100, "Pitch slider range (%)"},
        {kDevice, "Fine Pitch change", K::Percent, "0.0006", 0, 100, "Large fine pitch step (%)"},
        {kDevice, "Finer Pitch change", K::Percent, "0.0003", 0, 100, "Small fine pitch step (%)"},
        {kDevice, "Bend change", K::Percent, "0.075", 0, 100, "Pitch bend amount (%)"},
        {kDevice, "Bend change time", K::Real, "0.5", 0, 60,
         "Time of a full smooth bend (seconds)"},
        {kDevice, "Pitch fade time2", K::Real, ".75", 0, 60,
         "Time of a pitch fade to 0 % or 100 % (seconds)"},
    });
    pages.emplace_back(std::vector<FieldDef>{
        {kJog, "Pitch Decay", K::Int, "1000", 0, 30000, "Pitch decay (0 to 30000)"},
        {kJog, "Pitch Sensitivity", K::Int, "500", -10000, 10000,
         "Pitch sensitivity while playing (-10000 to 10000)"},
        {kJog, "Position Sensitivity", K::Int, "1000", -10000, 10000,
         "Position sensitivity while stopped (-10000 to 10000)"},
    });
    pages.emplace_back(std::vector<FieldDef>{
        {kPlayback, "Paused looping enabled", K::Check, "0", 0, 1,
         "Pausing a deck starts a paused loop"},
        {kPlayback, "Loop amount", K::LoopReal, "0.1", 0, 1, "Paused loop length (seconds)"},
        {kPlayback, "Goto Cue 0 on stop", K::Check, "0", 0, 1,
         "Stop returns to cue 0 instead of the start"},
        {kPlayback, "Stop Device on Cue", K::Check, "0", 0, 1,
         "Jumping to a cue stops a playing deck"},
        {kPlayback, "Timing Method", K::Radio, "1", 0, 1, "Playback timing"},
        {kPlayback, "Priority", K::Slider, "0", 0, 3, "Playback thread priority"},
    });
    pages.emplace_back(std::vector<FieldDef>{
        {kPlayback, "On open load EQ", K::Check, "0", 0, 1, "Open the deck's equalizer window"},
        {kPlayback, "On open TimeLeft", K::Check, "0", 0, 1, "Show the time left"},
        {kPlayback, "On open goto cue 0", K::Check, "1", 0, 1, "Go to cue 0"},
        {kPlayback, "On open headphone cue", K::Check, "1", 0, 1,
         "Switch headphone cue on for a new deck"},
        {kEqualizer, "Auto-load default", K::Check, "1", 0, 1,
         "Load the default equalizer when the song names none"},
        {kEqualizer, "EQ Enabled on load", K::Check, "1", 0, 1,
         "Switch the equalizer on for a new deck"},
    });
    pages.emplace_back(std::vector<FieldDef>{
        {kPlayback, "Buffer size", K::Int, "1500", 0, 10000,
         "Output buffer length (ms, 0 to 10000)"},
        {kPlayback, "Block size (k)", K::Int, "60", 0, 1000, "Output block size (KiB, 0 to 1000)"},
    });
    return pages;
}

} // namespace zem::settings
