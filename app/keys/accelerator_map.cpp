#include "app/keys/accelerator_map.h"

#include "app/keys/key_names.h"
#include "app/keys/virtual_keys.h"

#include <algorithm>

namespace zem::keys {

CAccelsOb::CAccelsOb(uint8_t flags, uint16_t key, bool locked)
    : m_flags(flags), m_key(key), m_locked(locked) {
    if (!(flags & kFlagVirtKey)) {
        uint16_t vk = 0;
        bool shift = false;
        if (key <= 0x7F && VirtualKeyFromCharacter(static_cast<char>(key), vk, shift))
            m_key = vk;
        m_flags = static_cast<uint8_t>(flags | kFlagVirtKey);
    }
}

std::string CAccelsOb::GetText() const {
    return KeyText(m_flags, m_key);
}

uint32_t CAccelsOb::Pack() const {
    return static_cast<uint32_t>(m_key) | static_cast<uint32_t>(m_flags) << 16 |
           static_cast<uint32_t>(m_locked ? 1 : 2) << 24;
}

CAccelsOb CAccelsOb::Unpack(uint32_t packed) {
    CAccelsOb key;
    key.m_key = static_cast<uint16_t>(packed & 0xFFFF);
    key.m_flags = static_cast<uint8_t>(packed >> 16 & 0xFF);
    key.m_locked = (packed >> 24) == 1;
    return key;
}

bool CommandKeys::HasKey(uint8_t flags, uint16_t key) const {
    return std::any_of(m_keys.begin(), m_keys.end(),
                       [&](const CAccelsOb& k) { return k.SameKey(flags, key); });
}

void CommandKeys::RemoveUnlockedKeys() {
    std::erase_if(m_keys, [](const CAccelsOb& k) { return !k.IsLocked(); });
}

bool CAcceleratorManager::AddCommand(uint16_t id, const std::string& name) {
    if (m_names.count(name))
        return false;
    if (auto old = m_commands.find(id); old != m_commands.end())
        m_names.erase(old->second->GetName());
    else
        m_order.push_back(id);
    m_commands[id] = std::make_unique<CommandKeys>(id, name);
    m_names[name] = id;
    return true;
}

bool CAcceleratorManager::RemoveCommand(uint16_t id) {
    auto it = m_commands.find(id);
    if (it == m_commands.end())
        return false;
    m_names.erase(it->second->GetName());
    m_commands.erase(it);
    m_order.erase(std::remove(m_order.begin(), m_order.end(), id), m_order.end());
    m_defaults.erase(id);
    return true;
}

bool CAcceleratorManager::AddCommandKey(uint16_t id, const std::string& name, uint8_t flags,
                                        uint16_t key, bool locked) {
    if (auto n = m_names.find(name); n != m_names.end() && n->second != id)
        return false;
    const CAccelsOb accel(flags, key, locked);
    auto it = m_commands.find(id);
    if (it == m_commands.end()) {
        it = m_commands.emplace(id, std::make_unique<CommandKeys>(id, name)).first;
        m_order.push_back(id);
    } else if (it->second->GetName() != name ||
               it->second->HasKey(accel.GetFlags(), accel.GetKey())) {
        return false;
    }
    it->second->Keys().push_back(accel);
    m_names[name] = id;
    return true;
}

void CAcceleratorManager::CreateDefaultTable() {
    if (m_hasDefaults)
        return;
    for (const auto& [id, command] : m_commands) {
        std::vector<CAccelsOb>& keys = m_defaults[id];
        for (const CAccelsOb& k : command->Keys())
            if (!k.IsLocked())
                keys.push_back(k);
    }
    m_hasDefaults = true;
}

void CAcceleratorManager::ResetToDefault() {
    if (!m_hasDefaults)
        return;
    for (auto& [id, command] : m_commands) {
        command->RemoveUnlockedKeys();
        if (auto d = m_defaults.find(id); d != m_defaults.end())
            for (const CAccelsOb& k : d->second)
                command->Keys().push_back(k);
    }
}

CommandKeys* CAcceleratorManager::Find(uint16_t id) {
    const auto it = m_commands.find(id);
    return it == m_commands.end() ? nullptr : it->second.get();
}

const CommandKeys* CAcceleratorManager::Find(uint16_t id) const {
    const auto it = m_commands.find(id);
    return it == m_commands.end() ? nullptr : it->second.get();
}

const CommandKeys* CAcceleratorManager::OwnerOf(uint8_t flags, uint16_t key) const {
    for (const auto& [id, command] : m_commands)
        if (command->HasKey(flags, key))
            return command.get();
    return nullptr;
}

uint16_t CAcceleratorManager::FindCommandOfKey(uint16_t key, bool ctrl, bool alt,
                                               bool shift) const {
    const auto on = [](uint8_t flags, uint8_t flag) { return (flags & flag) != 0; };
    for (const auto& [id, command] : m_commands)
        for (const CAccelsOb& k : command->Keys())
            if (k.GetKey() == key && on(k.GetFlags(), kFlagControl) == ctrl &&
                on(k.GetFlags(), kFlagAlt) == alt && on(k.GetFlags(), kFlagShift) == shift)
                return id;
    return 0;
}

bool CAcceleratorManager::LookupName(const std::string& name, uint16_t& id) const {
    const auto it = m_names.find(name);
    if (it == m_names.end())
        return false;
    id = it->second;
    return true;
}

void CAcceleratorManager::CreateAcceleratorTable() const {
    if (m_builder)
        m_builder(*this);
}

CAcceleratorManager CAcceleratorManager::Clone() const {
    CAcceleratorManager copy;
    copy.CopyFrom(*this);
    copy.m_builder = m_builder;
    return copy;
}

void CAcceleratorManager::CopyFrom(const CAcceleratorManager& other) {
    m_commands.clear();
    for (const auto& [id, command] : other.m_commands)
        m_commands[id] = std::make_unique<CommandKeys>(*command);
    m_names = other.m_names;
    m_order = other.m_order;
    m_defaults = other.m_defaults;
    m_hasDefaults = other.m_hasDefaults;
}

} // namespace zem::keys
