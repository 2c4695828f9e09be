#include "engine/input_modules/device_module_loader.h"

#include "engine/foundations/temp_files.h"
#include "engine/input_modules/winamp_module_text.h"
#include "platform/files.h"
#include "platform/library.h"

#include <cstring>
#include <string>

void ClearDeviceModuleInfo(DeviceModuleInfo& info) {
    info.path[0] = '\0';
    info.description[0] = '\0';
    info.extensions[0] = '\0';
    info.type = 0;
    info.reserved = 0;
    info.createInstance = nullptr;
    info.winampModule = nullptr;
}

void* LoadDeviceModule(const char* path, DeviceModuleInfo& info, bool privateCopy) {
    if (!path || !*path)
        return nullptr;
    std::string loadPath = path;
    if (privateCopy) {
        // A copy of its own gives the library its own globals, so several decks can run the
        // same plug-in at once.
        loadPath = ZEM_CreateTempFile();
        if (loadPath.empty())
            return nullptr;
        if (!zem::CopyFileOverwrite(path, loadPath)) {
            zem::DeleteFilePath(loadPath);
            return nullptr;
        }
    }
    const auto discard = [&](void* handle) -> void* {
        zem::FreeLibraryHandle(handle);
        if (privateCopy)
            zem::DeleteFilePath(loadPath);
        return nullptr;
    };
    // The record must name the file it loaded: a path cut to fit would name another file.
    if (loadPath.size() >= sizeof info.path)
        return discard(nullptr);
    void* handle = zem::LoadLibraryPath(loadPath.c_str());
    if (!handle)
        return discard(nullptr);
    info.hInstance = handle;

    bool accepted = false;
    if (auto native = reinterpret_cast<DllGetDeviceModuleInfoFn>(
            zem::GetLibrarySymbol(handle, kNativeProbeName))) {
        accepted = native(&info);
    }
    if (!accepted) {
        if (auto winamp = reinterpret_cast<winampGetInModule2Fn>(
                zem::GetLibrarySymbol(handle, kWinampProbeName))) {
            if (In_Module* module = winamp()) {
                info.type = kModuleTypeWinamp;
                info.reserved = 0;
                info.winampModule = module;
                DeriveWinampModuleText(*module, info);
                accepted = true;
            }
        }
    }
    if (!accepted) {
        info.hInstance = nullptr;
        return discard(handle);
    }
    std::memcpy(info.path, loadPath.c_str(), loadPath.size() + 1);
    return handle;
}

void FreeDeviceModule(DeviceModuleInfo& info) {
    if (info.path[0] == '\0')
        return;
    // The path stays: the owner of a private copy still needs it to delete the file.
    zem::FreeLibraryHandle(info.hInstance);
    info.hInstance = nullptr;
}
