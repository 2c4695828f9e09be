// The keyboard command map: every command a user may put on a key, under its readable name,
// with its keys. Keys are Windows virtual keys with accelerator flags, as "zemkeys.cfg" keeps
// them; the program turns them into Qt shortcuts.
//
// Threads: the user-interface thread only.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace zem::keys {

// One key of a command.
class CAccelsOb {
public:
    CAccelsOb() = default;
    // A key given as a character (flags without the virtual-key flag) is turned into the key
    // that types it on the US layout; every stored key is a virtual key.
    CAccelsOb(uint8_t flags, uint16_t key, bool locked = false);

    uint8_t GetFlags() const { return m_flags; }
    uint16_t GetKey() const { return m_key; }
    bool IsLocked() const { return m_locked; }
    bool SameKey(uint8_t flags, uint16_t key) const { return m_flags == flags && m_key == key; }
    // "Ctrl+Alt+Shift+KEY".
    std::string GetText() const;

    // Bits 0-15 the key, 16-23 the flags, 24-31 1 when locked, 2 when not.
    uint32_t Pack() const;
    static CAccelsOb Unpack(uint32_t packed);

private:
    uint8_t m_flags = 0;
    uint16_t m_key = 0;
    bool m_locked = false;
};

// One command and its keys; the first key is the one menus show.
class CommandKeys {
public:
    CommandKeys(uint16_t id, std::string name) : m_id(id), m_name(std::move(name)) {}
    uint16_t GetId() const { return m_id; }
    const std::string& GetName() const { return m_name; }
    std::vector<CAccelsOb>& Keys() { return m_keys; }
    const std::vector<CAccelsOb>& Keys() const { return m_keys; }
    bool HasKey(uint8_t flags, uint16_t key) const;
    void RemoveUnlockedKeys();
    // The text of the first key (what menus show); empty without keys.
    std::string FirstKeyText() const {
        return m_keys.empty() ? std::string() : m_keys.front().GetText();
    }

private:
    uint16_t m_id;
    std::string m_name = "Empty command";
    std::vector<CAccelsOb> m_keys;
};

class CAcceleratorManager {
public:
    using TableBuilder = std::function<void(const CAcceleratorManager&)>;

    // A row without a key (flags and key 0). Refused (false) when the name is taken; replaces a
    // command registered earlier under the same identifier, keys and all.
    bool AddCommand(uint16_t id, const std::string& name);
    // A command registered while the program runs (a sound-effect pad) goes again, keys and
    // all; false when there is none.
    bool RemoveCommand(uint16_t id);
    // A row with a key. Refused when the name belongs to another identifier, when the
    // identifier has another name, or when the command already has this key.
    bool AddCommandKey(uint16_t id, const std::string& name, uint8_t flags, uint16_t key,
                       bool locked = false);

    // The unlocked keys of every command, kept for Reset All; only the first call counts.
    void CreateDefaultTable();
    bool HasDefaultTable() const { return m_hasDefaults; }
    // Every command gets back the unlocked keys of the default copy; locked keys stay.
    void ResetToDefault();

    CommandKeys* Find(uint16_t id);
    const CommandKeys* Find(uint16_t id) const;
    // The command that has exactly this key, or null.
    const CommandKeys* OwnerOf(uint8_t flags, uint16_t key) const;
    // The first command, in the map's order, with a key of this code and exactly these
    // modifier states; 0 when none. A released key ends the command it started with it.
    uint16_t FindCommandOfKey(uint16_t key, bool ctrl, bool alt, bool shift) const;
    bool LookupName(const std::string& name, uint16_t& id) const;
    const std::map<uint16_t, std::unique_ptr<CommandKeys>>& Commands() const { return m_commands; }
    // The commands in the order they were first registered, as the key editor lists them.
    const std::vector<uint16_t>& RegistrationOrder() const { return m_order; }

    // Who builds the key table (the main window's shortcuts) from the map; called by
    // CreateAcceleratorTable, and so after reading the key file and after the dialog's OK.
    void SetTableBuilder(TableBuilder builder) { m_builder = std::move(builder); }
    void CreateAcceleratorTable() const;

    // The dialog works on a copy; OK copies it back.
    CAcceleratorManager Clone() const;
    void CopyFrom(const CAcceleratorManager& other);

private:
    std::map<uint16_t, std::unique_ptr<CommandKeys>> m_commands;
    std::map<std::string, uint16_t> m_names;
    std::vector<uint16_t> m_order;
    std::map<uint16_t, std::vector<CAccelsOb>> m_defaults;
    bool m_hasDefaults = false;
    TableBuilder m_builder;
};

} // namespace zem::keys
