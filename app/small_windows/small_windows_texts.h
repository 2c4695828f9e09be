// The fixed texts, command numbers and profile keys of the splash, the tip of the day and the
// about box, as users and saved profiles know them.
#pragma once

namespace zem::small {

inline constexpr char kProgramName[] = "ZEM";
inline constexpr char kVersion[] = "1.80.04";

// Commands: the tip of the day and the framework's about command.
inline constexpr int kCmdTipOfTheDay = 121;
inline constexpr int kCmdAbout = 57664;
inline constexpr char kHelpMenuText[] = "&Help";
inline constexpr char kTipMenuText[] = "Ti&p of the Day...";
inline constexpr char kAboutMenuText[] = "&About ZEM...";

// Profile keys.
inline constexpr char kTipSection[] = "Tip";
inline constexpr char kTipStartUpKey[] = "StartUp";
inline constexpr char kTipFilePosKey[] = "FilePos";
inline constexpr char kTipTimeStampKey[] = "TimeStamp";

// The tips file, relative to the working directory (the program directory).
inline constexpr char kTipsFile[] = "tips.txt";

// Shown when the tips file gives nothing to show.
inline constexpr char kBuiltInTip[] =
    "Press Q to play the deck on the left side of the crossfader and A to play the one on the "
    "right; W and S stop them. Every key can be changed under Settings | Interface | Keyboard "
    "layout...";
inline constexpr char kNoTipsFileNote[] = "(The tips file \"tips.txt\" was not found in the "
                                          "program folder, so this is the only tip.)";
inline constexpr char kUnreadableTipsNote[] =
    "(The tips file \"tips.txt\" holds no readable tips, so this is the only tip.)";

// The splash: the background tile of the program directory is the logo.
inline constexpr char kLogoFile[] = "QXLogo.bmp";
inline constexpr int kSplashShowMs = 3000;

inline constexpr char kCredits[] =
    "A DJ mixing program: decks, mixer board, equalizers, effects and sound pads. Built on Qt, "
    "PortAudio, libsndfile, libmpg123 and libsamplerate, with thanks to their authors.";

} // namespace zem::small
