// The shell's fixed texts, command numbers and profile sections and keys, as users and saved
// profiles know them.
#pragma once

namespace zem::shell {

inline constexpr char kVersion[] = "1.80.04";
inline constexpr char kAppTitle[] = "ZEM";

// Messages and questions.
inline constexpr char kOleInitFailed[] = "Ole Initialization Failed";
inline constexpr char kFirstRunQuestion[] =
    "It appears that this is the first time you've run ZEM.\n\nWould you like to run the Audio "
    "Setup wizard to configure your soundcard?\n(Required for correct functionality)";
inline constexpr char kWizardLater[] = "To run the Audio Setup wizard at a later time, go to "
                                       "Settings | Mixer Settings | Audio setup wizard...";
inline constexpr char kKeyConfigWriteFailed[] = "Unable to write ZEM key config!";
inline constexpr char kBackgroundLoadFailed[] =
    "Unable to load background \"%s\"\n\nEither the file was not found or was in an invalid "
    "format.\nPlease change the background bitmap under the menu Options | Skins | Background "
    "settings...";
inline constexpr char kInitialCenterText[] = "100% center";
inline constexpr char kPreviewBpmFormat[] = "BPM: %f";

// Status bar pane of the crossfader state.
inline constexpr int kCenterPaneId = 59143;
inline constexpr int kCenterPaneWidth = 75;

// Commands of the main frame and the application (the rest come from the board's table).
inline constexpr int kCmdFileExit = 57665;
inline constexpr int kCmdRecentFileFirst = 57616; // eight in a row
inline constexpr int kCmdPlayLeftChannel = 32815;
inline constexpr int kCmdStopLeftChannel = 32816;
inline constexpr int kCmdPlayRightChannel = 32818;
inline constexpr int kCmdStopRightChannel = 32819;
inline constexpr int kCmdShowLeftChannel = 32833;
inline constexpr int kCmdShowRightChannel = 32834;
inline constexpr int kCmdShowNextChannel = 32835;
// "Mixer | Recorder...": the recorder window.
inline constexpr int kCmdRecorder = 32809;
// Settings menu.
inline constexpr int kCmdDeviceSettings = 32803;
// "General settings..." of the audio settings: the sync time and each card's speed offset.
inline constexpr int kCmdAudioGeneralSettings = 32806;
inline constexpr int kCmdAdvancedSettings = 32807;
inline constexpr int kCmdSkinsEnabled = 32859;
inline constexpr int kCmdSkinSettings = 32857;
inline constexpr int kCmdBackgroundEnabled = 32868;
inline constexpr int kCmdBackgroundSettings = 32870;
inline constexpr int kCmdInterfacePluginSettings = 32874;
inline constexpr int kCmdGeneralSettings = 32890;
inline constexpr int kCmdKeyboardLayout = 32891;
inline constexpr int kCmdAudioSetupWizard = 32912;
// "Sound FX | Settings...": the pads' dialog.
inline constexpr int kCmdSoundFxSettings = 32950;
inline constexpr char kRestartForSkins[] =
    "Please close and restart ZEM for this change to take effect";
inline constexpr char kBackgroundFilter[] = "Bitmap Files (*.bmp)";
// Window menu.
inline constexpr int kCmdWindowCascade = 57650;
inline constexpr int kCmdWindowTile = 57651;

inline constexpr char kMenuOpen[] = "&Open...\tCtrl+O";
inline constexpr char kMenuExit[] = "E&xit";
inline constexpr char kMenuPlayLeft[] = "Play left fader channel\tQ";
inline constexpr char kMenuPlayRight[] = "Play right fader channel\tA";
inline constexpr char kMenuStopLeft[] = "Stop left fader channel\tW";
inline constexpr char kMenuStopRight[] = "Stop right fader channel\tS";
inline constexpr char kMenuShowLeft[] = "Show  left fader channel\tE";
inline constexpr char kMenuShowRight[] = "Show right fader channel\tD";
inline constexpr char kMenuShowNext[] = "Show &next channel\tC";

// Profile sections and keys.
inline constexpr char kInterfaceSection[] = "Interface";
inline constexpr char kThreadPriorityKey[] = "Thread priority";
inline constexpr char kSkinsSection[] = "Skins";
inline constexpr char kSkinFileKey[] = "Skin file";
inline constexpr char kSkinsEnabledKey[] = "Skins enabled";
inline constexpr char kBackgroundEnabledKey[] = "Background enabled";
inline constexpr char kBackgroundBitmapKey[] = "Background bitmap";
inline constexpr char kStartupSection[] = "Startup";
inline constexpr char kShowSplashKey[] = "Show splash";
inline constexpr char kOpenFilesKey[] = "Open files";
inline constexpr char kVersionKey[] = "Version";
inline constexpr char kDefaultFilterKey[] = "Default filter";
inline constexpr char kStartupDirectoryKey[] = "Startup Directory";
inline constexpr char kMixerSection[] = "General mixer settings";
inline constexpr char kSyncTimeKey[] = "Sync time";
inline constexpr char kPluginsScannedSection[] = "Interface Plugins scanned";
inline constexpr char kTipSection[] = "Tip";
inline constexpr char kTipStartUpKey[] = "StartUp";
inline constexpr char kTipFilePosKey[] = "FilePos";
inline constexpr char kTipTimeStampKey[] = "TimeStamp";

inline constexpr char kDefaultSkin[] = "Jog Wheel";
// "." and the file name, joined with the platform's separator.
inline constexpr char kDefaultBackground[] = "./QXLogo.bmp";
inline constexpr char kDefaultOpenFiles[] = ";";
inline constexpr int kDefaultSyncTime = 5000;

// Document templates.
inline constexpr unsigned kDeckTemplateId = 133;
inline constexpr unsigned kMixerTemplateId = 130;
// Field 3 and 4 (filter name and extensions) are replaced by the module's.
inline constexpr char kDeckDocString[] = "\nZEM\n\nZEM Files\n.mp3\nZEM.Document\nZEM Document";
inline constexpr char kMixerDocString[] =
    "\nMixer\nMain Mixer\n\n\nZEM.Mixer.Document\nZEM Mixer Document";

} // namespace zem::shell
