#include "app/keys/key_editor.h"

#include "app/keys/key_names.h"

#include <algorithm>

namespace zem::keys {

namespace {

constexpr uint16_t kVkShift = 0x10;
constexpr uint16_t kVkControl = 0x11;
constexpr uint16_t kVkMenu = 0x12; // Alt

std::string CategoryOf(const std::string& name) {
    return name.substr(0, name.find(' '));
}

std::string RestOf(const std::string& name) {
    const size_t space = name.find(' ');
    return space == std::string::npos ? std::string() : name.substr(space + 1);
}

} // namespace

KeyEditor::KeyEditor(const CAcceleratorManager& map) {
    m_copy.CopyFrom(map);
}

std::vector<std::string> KeyEditor::Categories() const {
    std::vector<std::string> categories;
    for (uint16_t id : m_copy.RegistrationOrder()) {
        const std::string c = CategoryOf(m_copy.Find(id)->GetName());
        if (std::find(categories.begin(), categories.end(), c) == categories.end())
            categories.push_back(c);
    }
    return categories;
}

std::vector<std::string> KeyEditor::Commands(const std::string& category) const {
    std::vector<std::string> commands;
    for (uint16_t id : m_copy.RegistrationOrder())
        if (const std::string& name = m_copy.Find(id)->GetName(); CategoryOf(name) == category)
            commands.push_back(RestOf(name));
    return commands;
}

bool KeyEditor::SelectCommand(const std::string& category, const std::string& command) {
    m_captured = m_pending = false;
    m_modifiers = 0;
    m_assignedTo.clear();
    uint16_t id = 0;
    if (!m_copy.LookupName(category + " " + command, id))
        return false;
    m_selected = id;
    return true;
}

const CommandKeys* KeyEditor::Selected() const {
    return m_copy.Find(m_selected);
}

std::vector<std::string> KeyEditor::CurrentKeys() const {
    std::vector<std::string> keys;
    if (const CommandKeys* command = Selected())
        for (const CAccelsOb& k : command->Keys())
            keys.push_back(k.GetText());
    return keys;
}

void KeyEditor::CaptureKeyPress(uint16_t vk) {
    if (m_captured || !m_pending) {
        m_captured = false;
        m_modifiers = 0;
        m_pending = true;
    }
    if (vk == kVkShift)
        m_modifiers |= kFlagShift;
    else if (vk == kVkControl)
        m_modifiers |= kFlagControl;
    else if (vk == kVkMenu)
        m_modifiers |= kFlagAlt;
    else {
        m_key = vk;
        m_captured = true;
        m_pending = false;
    }
}

std::string KeyEditor::CaptureText() const {
    if (!m_captured && !m_pending)
        return {};
    std::string text = KeyText(m_modifiers, m_captured ? m_key : 0);
    if (!m_captured && !text.empty() && text.back() == '+')
        text.pop_back();
    return text;
}

bool KeyEditor::Assign() {
    CommandKeys* command = m_copy.Find(m_selected);
    if (!m_captured || !command)
        return false;
    const uint16_t owner = m_copy.FindCommandOfKey(
        m_key, m_modifiers & kFlagControl, m_modifiers & kFlagAlt, m_modifiers & kFlagShift);
    if (owner != 0) {
        m_assignedTo = m_copy.Find(owner)->GetName();
        return false;
    }
    command->Keys().push_back(
        CAccelsOb(static_cast<uint8_t>(kFlagVirtKey | m_modifiers), m_key, false));
    m_captured = m_pending = false;
    m_modifiers = 0;
    m_assignedTo.clear();
    return true;
}

bool KeyEditor::Remove(size_t index, std::string& message) {
    CommandKeys* command = m_copy.Find(m_selected);
    if (!command) {
        message = kRemoveLookupFailedText;
        return false;
    }
    if (index >= command->Keys().size()) {
        message = kRemoveKeyMissingText;
        return false;
    }
    if (command->Keys()[index].IsLocked()) {
        message = kRemoveLockedText;
        return false;
    }
    command->Keys().erase(command->Keys().begin() + static_cast<std::ptrdiff_t>(index));
    return true;
}

void KeyEditor::ResetAll() {
    m_copy.ResetToDefault();
}

void KeyEditor::ApplyTo(CAcceleratorManager& map) const {
    map.CopyFrom(m_copy);
    map.CreateAcceleratorTable();
}

} // namespace zem::keys
