// Folds a stereo block to mono on both channels, for a single four-channel card where each
// pair of outputs carries one mono feed. (L + R) / 2 keeps the level of a centred signal and
// cannot clip.
#include "plugins/dsp/native_effect.h"

namespace {

class Downmixer {
public:
    bool SetFormat(const WAVEFORMATEX& format, uint32_t) {
        active_ = format.nChannels == 2 && format.wBitsPerSample == 16;
        return active_;
    }
    void Reset() {}
    void Process(int16_t* s, uint32_t frames) {
        if (!active_)
            return;
        for (uint32_t i = 0; i < frames; ++i, s += 2) {
            const auto mono = static_cast<int16_t>((int32_t{s[0]} + int32_t{s[1]}) / 2);
            s[0] = mono;
            s[1] = mono;
        }
    }

private:
    bool active_ = true; // the engine's usual 16-bit stereo until told otherwise
};

} // namespace

extern "C" ZEM_EXPORT bool DllGetEffectsModuleInfo2(EffectsModuleInfo* info) {
    return zemdsp::FillInfo<Downmixer>(info, "ZEM Downmixer", "ZEM Stereo to mono downmixer", 1);
}
