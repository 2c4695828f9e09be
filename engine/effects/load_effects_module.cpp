// Turning a library file into an effect object: a native DSP library first, then a Winamp DSP
// library, which is run from a private copy per object.
#include "engine/effects/effects_module.h"
#include "engine/effects/effects_module_winamp.h"
#include "engine/effects/effects_module_zem.h"
#include "engine/foundations/temp_files.h"
#include "platform/files.h"
#include "platform/ui_hooks.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

namespace {

template <typename Fn> Fn Symbol(zem::LibraryHandle library, const char* name) {
    return reinterpret_cast<Fn>(zem::GetLibrarySymbol(library, name));
}

DLLEffectsModule* TryNative(zem::LibraryHandle library, const char* path) {
    auto getInfo = Symbol<ZEM_DSPGetInfoFn>(library, ZEM_DSP_ENTRY_NAME);
    if (!getInfo) {
        if (zem::GetLibrarySymbol(library, ZEM_DSP_OLD_ENTRY_NAME)) {
            char text[DLLEffectsModule::kPathSize + 256];
            std::snprintf(text, sizeof text,
                          "It appears\n\n%s\n\n was written for a previous version of "
                          "ZEM.\nPlease contact the author of this plugin and let him know a "
                          "newer SDK is available.",
                          path);
            zem::ShowMessageBox(text);
        }
        return nullptr;
    }
    // Heap, not stack: the record is over 5 KB and the plug-in may write all of it.
    auto info = std::make_unique<EffectsModuleInfo>();
    std::memset(info.get(), 0, sizeof *info);
    if (!getInfo(info.get()) || !info->create)
        return nullptr;
    return new DLLEffectsModule_ZEM(library, path, *info);
}

winampDSPHeader* WinampHeader(zem::LibraryHandle library) {
    auto getHeader = Symbol<winampDSPGetHeaderType>(library, WINAMP_DSP_ENTRY_NAME);
    winampDSPHeader* header = getHeader ? getHeader() : nullptr;
    return header && header->getModule ? header : nullptr;
}

DLLEffectsModule* TryWinamp(zem::LibraryHandle& library, const char* path) {
    if (!WinampHeader(library))
        return nullptr;
    // Every object gets its own copy of the library, so two decks never share its globals.
    zem::FreeLibraryHandle(library);
    library = nullptr;
    const std::string copy = ZEM_CreateTempFile();
    if (copy.empty())
        return nullptr;
    if (copy.size() >= DLLEffectsModule::kPathSize || !zem::CopyFileOverwrite(path, copy)) {
        zem::DeleteFilePath(copy);
        return nullptr;
    }
    zem::LibraryHandle privateLib = zem::LoadLibraryPath(copy.c_str());
    winampDSPHeader* header = privateLib ? WinampHeader(privateLib) : nullptr;
    if (header) {
        auto* module = new DLLEffectsModule_WinAMP(privateLib, path, header);
        module->SetTempModulePath(copy.c_str());
        // A library that offers no effect has nothing to run.
        if (module->GetNumEffects() > 0)
            return module;
        delete module; // releases the copy and deletes its file
        return nullptr;
    }
    zem::FreeLibraryHandle(privateLib);
    zem::DeleteFilePath(copy);
    return nullptr;
}

} // namespace

DLLEffectsModule* LoadEffectsModule(const char* path) {
    // The object keeps the path in a fixed field; a cut path would name another file.
    if (!path || !*path || std::strlen(path) >= DLLEffectsModule::kPathSize)
        return nullptr;
    zem::LibraryHandle library = zem::LoadLibraryPath(path);
    if (!library)
        return nullptr;
    if (DLLEffectsModule* native = TryNative(library, path))
        return native;
    if (DLLEffectsModule* winamp = TryWinamp(library, path))
        return winamp;
    zem::FreeLibraryHandle(library);
    return nullptr;
}
