// Loading plug-in libraries by path.
#pragma once

#include <string>

namespace zem {

// Suffix of plug-in library files, and the pattern that scans for them.
inline constexpr const char kPluginSuffix[] = ".so";
inline constexpr const char kPluginPattern[] = "*.so";

using LibraryHandle = void*;

// Loads the library at path (symbols resolved now, kept local to it). Null on failure;
// LastLibraryError tells why.
LibraryHandle LoadLibraryPath(const char* path);
// Null when handle is null or the symbol is missing.
void* GetLibrarySymbol(LibraryHandle handle, const char* name);
// Releases a handle; null is ignored.
void FreeLibraryHandle(LibraryHandle handle);
// The reason of the last failure on this thread, empty when there was none.
std::string LastLibraryError();

} // namespace zem
