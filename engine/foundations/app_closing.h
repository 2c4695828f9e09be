// The process-wide flag that tells plug-in code and long loops the application is closing.
// Written by the main thread, read by any thread.
#pragma once

#include "contracts/export.h"

ZEM_EXPORT void SetAppClosing(bool closing);
ZEM_EXPORT bool GetAppClosing();
