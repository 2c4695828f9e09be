// Lets the program route the engine's message boxes, questions and quit requests to its own
// windows (the engine library keeps its own copy of the platform's hooks).
#pragma once

#include "contracts/export.h"
#include "platform/ui_hooks.h"

ZEM_EXPORT void ZEM_SetUserInterfaceHooks(const zem::UiHooks& hooks);
// True once a fatal exception (or anything else in the engine) asked the program to quit.
ZEM_EXPORT bool ZEM_QuitRequested();
