#include "engine/effects/effects_module.h"

#include "platform/files.h"

#include <cstdio>

DLLEffectsModule::DLLEffectsModule(zem::LibraryHandle library, const char* modulePath)
    : m_library(library) {
    std::snprintf(m_modulePath, sizeof m_modulePath, "%s", modulePath ? modulePath : "");
    m_tempModulePath[0] = '\0';
}

DLLEffectsModule::~DLLEffectsModule() {
    FreeEffectsModule(this);
    if (m_tempModulePath[0])
        zem::DeleteFilePath(m_tempModulePath);
}

void DLLEffectsModule::SetTempModulePath(const char* path) {
    std::snprintf(m_tempModulePath, sizeof m_tempModulePath, "%s", path ? path : "");
}

uint32_t DLLEffectsModule::LimitFrames(uint32_t produced, uint32_t given, uint32_t blockBytes,
                                       uint32_t blockAlign) {
    uint32_t room = given;
    if (blockBytes != 0 && blockAlign != 0) {
        const uint64_t deckRoom = 2ULL * blockBytes / blockAlign;
        if (deckRoom > room)
            room = static_cast<uint32_t>(deckRoom);
    }
    return produced < room ? produced : room;
}

void FreeEffectsModule(DLLEffectsModule* module) {
    if (!module)
        return;
    zem::FreeLibraryHandle(module->m_library);
    module->m_library = nullptr;
}
