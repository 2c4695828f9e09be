// The extension list and description of a Winamp input module, derived from its In_Module.
#pragma once

#include "engine/input_modules/device_module_info.h"
#include "engine/input_modules/winamp_in_module.h"

// Fills info.extensions (".mp3;.mp2;") and info.description ("<description> (*.mp3;*.mp2;)")
// from the module's FileExtensions pairs.
void DeriveWinampModuleText(const In_Module& module, DeviceModuleInfo& info);
