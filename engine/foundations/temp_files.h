// Temporary files that the engine deletes at the next clean-up, even after a crash: each is
// listed in "ZEM_TempFiles.dat" in the system's temporary directory. Main thread only.
#pragma once

#include "contracts/export.h"

#include <string>

// Creates a new empty file "ZEM..." in the temporary directory, lists it, returns its full
// path; empty when it cannot be created.
ZEM_EXPORT std::string ZEM_CreateTempFile();
// Deletes every listed file, then the list itself.
ZEM_EXPORT void ZEM_RemoveTempFiles();
// Full path of the list file.
ZEM_EXPORT std::string ZEM_TempFileListPath();
