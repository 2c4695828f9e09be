#include "platform/library.h"

#include <dlfcn.h>

namespace zem {

namespace {
thread_local std::string lastError;
}

LibraryHandle LoadLibraryPath(const char* path) {
    if (!path || !*path) {
        lastError = "no library path";
        return nullptr;
    }
    dlerror();
    void* h = dlopen(path, RTLD_NOW | RTLD_LOCAL);
    if (!h) {
        const char* e = dlerror();
        lastError = e ? e : "cannot load library";
    } else {
        lastError.clear();
    }
    return h;
}

void* GetLibrarySymbol(LibraryHandle handle, const char* name) {
    if (!handle || !name)
        return nullptr;
    dlerror();
    void* sym = dlsym(handle, name);
    if (const char* e = dlerror()) {
        lastError = e;
        return nullptr;
    }
    return sym;
}

void FreeLibraryHandle(LibraryHandle handle) {
    if (handle)
        dlclose(handle);
}

std::string LastLibraryError() {
    return lastError;
}

} // namespace zem
