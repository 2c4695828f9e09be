#include "app/audio_settings/global_dsp_editor.h"

#include "app/audio_settings/audio_texts.h"
#include "engine/effects/global_dsp_list.h"
#include "engine/foundations/standard_dirs.h"

namespace zem::audio {

bool EngineGlobalDspList::Add(const std::string& file, int effect) {
    return AddToGlobalDSPList(file, effect);
}

bool EngineGlobalDspList::Remove(const std::string& file, int effect) {
    return RemoveFromGlobalDSPList(file, effect);
}

std::string DownmixerPath() {
    const char* plugins = ZEM_GetZEMPath(2);
    return std::string(plugins ? plugins : ".") + "/" + kDownmixerFile;
}

} // namespace zem::audio
