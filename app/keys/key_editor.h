// What the "Keyboard layout..." dialog does, without widgets: it works on a copy of the command
// map, lists categories, commands and their keys, captures a new key, assigns and removes keys
// with the refusals users see, and resets to the default keys. OK hands the copy back.
#pragma once

#include "app/keys/accelerator_map.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zem::keys {

inline constexpr const char* kRemoveLockedText = "Unable to remove this\naccelerator (Locked)";
inline constexpr const char* kRemoveLookupFailedText =
    "internal error (CAccelDlgHelper::Remove : Lookup failed)";
inline constexpr const char* kRemoveKeyMissingText =
    "internal error (CAccelDlgHelper::Remove : pAccel unavailable)";

class KeyEditor {
public:
    explicit KeyEditor(const CAcceleratorManager& map);

    // The first word of every command name, each once, in the order of registration.
    std::vector<std::string> Categories() const;
    // The commands of a category, as the rest of their names.
    std::vector<std::string> Commands(const std::string& category) const;
    // Choosing a command clears the captured key and the assigned-to text. False when there is
    // no such command.
    bool SelectCommand(const std::string& category, const std::string& command);
    const CommandKeys* Selected() const;
    std::vector<std::string> CurrentKeys() const;

    // A key pressed in the capture field: Ctrl, Alt and Shift set their modifier, any other
    // key completes the combination; a key after a completed combination starts a new one.
    void CaptureKeyPress(uint16_t vk);
    bool HasCapture() const { return m_captured; }
    std::string CaptureText() const;

    // Assigns the captured key to the chosen command. False (and the owner's name in
    // AssignedTo) when some command already has this key with these modifiers; false without
    // a captured key or command.
    bool Assign();
    const std::string& AssignedTo() const { return m_assignedTo; }
    // Removes the chosen command's key index; false with the message to show.
    bool Remove(size_t index, std::string& message);
    void ResetAll();

    bool CanEdit() const { return !m_copy.Commands().empty(); }
    bool CanReset() const { return CanEdit() && m_copy.HasDefaultTable(); }
    // OK: the map takes the edited copy and builds its accelerator table again.
    void ApplyTo(CAcceleratorManager& map) const;

private:
    CAcceleratorManager m_copy;
    uint16_t m_selected = 0;
    uint8_t m_modifiers = 0;
    uint16_t m_key = 0;
    bool m_captured = false;
    bool m_pending = false; // modifiers pressed, no key yet
    std::string m_assignedTo;
};

} // namespace zem::keys
