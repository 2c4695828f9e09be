// The wizard's way into the global effect list, behind an interface so that a test can make
// adding fail.
#pragma once

#include <string>

namespace zem::audio {

class GlobalDspEditor {
public:
    virtual ~GlobalDspEditor() = default;
    // True once the entry is in the list.
    virtual bool Add(const std::string& file, int effect) = 0;
    // True once the entry is out of the list.
    virtual bool Remove(const std::string& file, int effect) = 0;
};

// The engine's "GlobalDSPPlugins.ini".
class EngineGlobalDspList : public GlobalDspEditor {
public:
    bool Add(const std::string& file, int effect) override;
    bool Remove(const std::string& file, int effect) override;
};

// The down-mixer's full path in the plug-in folder.
std::string DownmixerPath();

} // namespace zem::audio
