#include "app/keys/command_table.h"

#include "app/keys/accelerator_map.h"
#include "app/keys/key_names.h"

#include <cstdint>
#include <string>

namespace zem::keys {

namespace {

struct Row {
    uint8_t flags; // without the virtual-key flag the key is a character
    uint16_t id;
    uint16_t key;
    const char* name;
    bool locked;
};

constexpr uint8_t V = kFlagVirtKey | kFlagNoInvert; // a virtual key
constexpr uint8_t C = kFlagNoInvert;                // a character
constexpr uint8_t Ctrl = kFlagControl;
constexpr uint8_t Shift = kFlagShift;

constexpr Row kRows[] = {
    {V | Ctrl, 57601, 'O', "File Open", false},
    {V | Ctrl, 32896, 'S', "File Save", false},
    {0, 32897, 0, "File Save as...", false},
    {0, 57602, 0, "File Close", false},
    {0, 57665, 0, "File Exit", false},
    {V, 32847, 0x6F, "Mixer FadeFaderToLeftChannel", false},
    {V, 32848, 0x6A, "Mixer FadeFaderToRightChannel", false},
    {0, 32847, 0, "Mixer FadeFaderTo", false},
    {C, 32846, '`', "Mixer ToggleFaderTypes", false},
    {V, 32783, '0', "Mixer Crossfader 0,100", false},
    {V, 32775, '1', "Mixer Crossfader 100,0", false},
    {V, 32776, '2', "Mixer Crossfader 100,25", false},
    {V, 32777, '3', "Mixer Crossfader 100,50", false},
    {V, 32778, '4', "Mixer Crossfader 100,75", false},
    {V, 32779, '5', "Mixer Crossfader 100,100", false},
    {V, 32779, '6', "Mixer Crossfader 100,100", false},
    {V, 32780, '7', "Mixer Crossfader 75,100", false},
    {V, 32781, '8', "Mixer Crossfader 50,100", false},
    {V, 32782, '9', "Mixer Crossfader 25,100", false},
    {C, 32792, '-', "Mixer CrossfaderMoveFaderLeft", false},
    {C, 32793, '=', "Mixer CrossfaderMoveFaderRight", false},
    {V, 32905, 0x78, "Mixer Headphone cueing Channel 0", false},
    {V, 32906, 0x79, "Mixer Headphone cueing Channel 1", false},
    {V, 32907, 0x7A, "Mixer Headphone cueing Channel 2", false},
    {V, 32908, 0x7B, "Mixer Headphone cueing Channel 3", false},
    // Key code 0: the row gives the command a key nobody can press.
    {V, 32909, 0, "Mixer Headphone cueing Channel 4", false},
    {V, 32910, 0x76, "Mixer Headphone cueing Toggle left fader channel", false},
    {V, 32911, 0x77, "Mixer Headphone cueing Toggle right fader channel", false},
    {V, 32815, 'Q', "Mixer ControlsPlayLeftChannel", false},
    {V, 32816, 'W', "Mixer ControlsStopLeftChannel", false},
    {V, 32833, 'E', "Mixer ControlsShowLeftChannel", false},
    {V, 32818, 'A', "Mixer ControlsPlayRightFaderChannel", false},
    {V, 32819, 'S', "Mixer ControlsStopRightFaderChannel", false},
    {V, 32834, 'D', "Mixer ControlsShowRightFaderChannel", false},
    {V, 32835, 'C', "Mixer ControlsShowNextChannel", false},
    {0, 32860, 0, "Device Equalizer", false},
    {V | Ctrl, 32805, 'E', "Device EnableDSPEffects", false},
    {0, 32878, 0, "Device DSPModules", false},
    {V, 32811, 0x24, "Device FadePitchTo100", false},
    {V, 32810, 0x23, "Device FadePitchTo0", false},
    {0, 32813, 0, "Device FadePitchTo", false},
    {V, 32820, 'Z', "Device ControlsPlay", false},
    {V, 32822, 'X', "Device ControlsStop", false},
    {C, 32823, '[', "Device ControlsPitchDown", false},
    {C, 32824, ']', "Device ControlsPitchUp", false},
    {C | Ctrl, 32915, '[', "Device ControlsPitchDownMore", false},
    {C | Ctrl, 32916, ']', "Device ControlsPitchUpMore", false},
    {C, 32827, '\\', "Device ControlsBendOnOff", false},
    {C | Ctrl, 32894, '\\', "Device ControlsSmoothBendOnOff", false},
    {V, 32830, 0x08, "Device ControlsPitchTo100", false},
    {V, 32879, 'R', "Device ControlsMatchPitchToLeftFaderChannel", false},
    {V, 32880, 'F', "Device ControlsMatchPitchToRightFaderChannel", false},
    {V, 32881, 'V', "Device ControlsMatchPitchToNextFaderChannel", false},
    // The cue rows (32836 and 32914, ten each) follow below, locked.
    {V, 32837, 0x6E, "Device ControlsClearStopLooping", false},
    {V | Ctrl, 32886, 'R', "Device FileSettingsReadOnly", false},
    {V | Ctrl, 32885, 'W', "Device FileSettingsSaveSettingsNow", false},
    {0, 32859, 0, "Settings SkinsSkinsEnabled", false},
    {0, 32857, 0, "Settings SkinsSkinSettings", false},
    {0, 32868, 0, "Settings SkinsBackgroundEnabled", false},
    {0, 32870, 0, "Settings SkinsBackgroundSettings", false},
    {0, 32890, 0, "Settings InterfaceGeneral", false},
    {0, 32891, 0, "Settings InterfaceKeyboard", false},
    {0, 32874, 0, "Settings InterfacePluginSettings", false},
    {0, 32803, 0, "Settings DeviceSettings", false},
    {0, 32917, 0, "Settings MixerSettings", false},
    {0, 32912, 0, "Settings AudioSettingsWizard", false},
    {0, 32807, 0, "Settings Settings AudioSettingsAdvanced", false},
    {V, 57670, 0x70, "Misc Help", false},
    {V | Shift, 57669, 0x70, "Misc ContextHelp", false},
    {V, 57680, 0x75, "Misc NextWindow", false},
    {V | Shift, 57681, 0x75, "Misc PrevWindow", false},
};

// Where in the table the cue rows stand: after "Match pitch to next channel".
constexpr uint16_t kCueRowsAfter = 32881;

void Register(CAcceleratorManager& map, const Row& row) {
    if (row.flags == 0 && row.key == 0)
        map.AddCommand(row.id, row.name);
    else
        map.AddCommandKey(row.id, row.name, row.flags, row.key, row.locked);
}

} // namespace

void RegisterCommandTable(CAcceleratorManager& map) {
    for (const Row& row : kRows) {
        Register(map, row);
        if (row.id != kCueRowsAfter)
            continue;
        for (uint16_t digit = 0; digit < 10; ++digit)
            Register(map, {V, 32836, static_cast<uint16_t>(0x60 + digit),
                           "Device ControlsGotoCuePosition", true});
        for (uint16_t digit = 0; digit < 10; ++digit)
            Register(map, {V | Ctrl, 32914, static_cast<uint16_t>(0x60 + digit),
                           "Device ControlsStoreCuePosition", true});
    }
}

} // namespace zem::keys
