// The audio settings' and the audio setup wizard's own messages and labels.
#pragma once

namespace zem::audio {

inline constexpr const char kGeneralSheetTitle[] = "General audio settings...";
inline constexpr const char kAdvancedSheetTitle[] = "Advanced audio settings...";
inline constexpr const char kWizardTitle[] = "Audio setup wizard";

inline constexpr const char kTooManyCards[] =
    "The Audio Wizard currently does not support automatic configuration of 3 more soundcards.  "
    "Please used Advanced Settings (Settings | Mixer Settings | Advanced Setttings...) to setup "
    "your configuration.";
inline constexpr const char kCardMissing[] =
    "One or more soundcards have not been selected.  Please correct.";
inline constexpr const char kSameCard[] =
    "You have selected the same soundcard for more than one output type.  Please choose only one "
    "soundcard per output type";
inline constexpr const char kDownmixerAdded[] =
    "Please note: ZEM has added ZEM_DSP_Downmixer.so to Global DSPs.  This is necessary for "
    "proper playback using this configuration\n\nTo remove, go to Settings | Device settings... | "
    "Global DSP";
inline constexpr const char kDownmixerFailed[] =
    "Error occured while attempting to add ZEM_DSP_Downmixer.so!!";

inline constexpr const char kNeedsFourChannels[] =
    "This layout needs a four-channel soundcard, and the card you chose has only one stereo "
    "output.  Please choose a four-channel card, or go back and choose speakers with separate "
    "headphones.";

inline constexpr const char kDownmixerFile[] = "ZEM_DSP_Downmixer.so";
inline constexpr int kDownmixerEffect = 0;

inline constexpr const char kSpeedOffsetRange[] =
    "The speed offset must be a number of percent from -10 to 10 (for example 0.25 or -1.5).";
inline constexpr const char kSyncTimeRange[] =
    "The sync time must be a whole number of milliseconds from 0 to 60000.";

inline constexpr float kMinSpeedOffset = -10.f;
inline constexpr float kMaxSpeedOffset = 10.f;
inline constexpr unsigned long kMaxSyncTime = 60000;

// Deck channels 0 to 255 can be routed to a card.
inline constexpr int kDeckChannelCount = 256;

} // namespace zem::audio
