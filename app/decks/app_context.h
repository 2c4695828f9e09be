// What the program's windows share: the console, the document list and workspace, the main
// window, the profile, and the mixer board's view once it is open. The application object fills
// it in at start-up; deck windows and the mixer board read it.
//
// Threads: set and read on the user-interface thread only.
#pragma once

#include "app/framework/zem_profile.h"

class AppMixer;
class CMixerView;
class QMainWindow;
class QMdiArea;
class ZemDocManager;

struct ZemAppContext {
    AppMixer* mixer = nullptr;
    ZemDocManager* documents = nullptr;
    QMdiArea* workspace = nullptr;
    QMainWindow* mainWindow = nullptr;
    ZemProfile* profile = nullptr;
    // Set by the mixer board when it opens and cleared when it closes; the crossfader commands
    // of the main window go through it.
    CMixerView* mixerView = nullptr;
};

ZemAppContext& AppContext();

// The program's profile (the engine's settings store) behind the framework's interface.
class ProgramProfile : public ZemProfile {
public:
    int GetProfileInt(const std::string& section, const std::string& key, int def) override;
    void WriteProfileInt(const std::string& section, const std::string& key, int value) override;
    std::string GetProfileString(const std::string& section, const std::string& key,
                                 const std::string& def) override;
    void WriteProfileString(const std::string& section, const std::string& key,
                            const std::string& value) override;
};
