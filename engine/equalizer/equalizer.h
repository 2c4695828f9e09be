// The deck equalizer: a cascade of up to ten parametric peak/notch bands over
// interleaved 16-bit stereo PCM, and its small text block format.
//
// Threads. tickVectorStereo runs on the deck's playback (heartbeat) thread; every other
// operation runs on the user-interface thread. No lock is taken: the values both threads touch
// (enabled flag, band count, each band's kill flag, boost and five coefficients, and the filter
// state) are single 32-bit words (or a bool) read and written through relaxed atomic accesses.
// tickVectorStereo reads the settings once at the start of a call, so a block may be filtered
// with a mixture of old and new coefficients of one band, as the design allows. The filter state
// belongs to the heartbeat: clear() from the user-interface thread while a block is filtered may
// be overwritten by the end of that block. Copying, setSR and ReadEqualizer are meant for an
// equalizer that no heartbeat is filtering with at the time.
#pragma once

#include "contracts/export.h"

#include <iosfwd>

class ZEM_EXPORT Equalizer {
public:
    static constexpr int kMaxBands = 10;

    Equalizer();

    // Pre: user-interface thread (any thread for the getters).
    void SetEnable(bool on);
    bool GetEnable() const;
    // Band count 0 to 10 (values outside are limited to that range).
    void SetNumBands(int count);
    int GetNumBands() const;

    // Stores the rate and recomputes bands 0 to count - 1 from their stored values.
    void setSR(float rate);

    // Band settings. Band indices must be below 10; others are ignored (getters give 0).
    void setFreq(int band, float frequency);
    void setBoost(int band, float boost);
    void setBandwidth(int band, float bandwidth);
    void setFreqBoostAndBandWidth(int band, float frequency, float boost, float bandwidth);
    float returnFreq(int band) const;
    float returnBoost(int band) const;
    float returnBandwidth(int band) const;
    // A killed band cuts its centre frequency to a gain of 0.05 whatever its boost.
    void SetKillFreq(int band, bool on);
    bool GetKillFreq(int band) const;
    // Zeroes the band's four state values.
    void clear(int band);

    // The band's magnitude response at `frequency` Hz.
    float returnFreqResponse(int band, float frequency) const;

    // Filters `count` 16-bit values (two per stereo frame) from input into output; the two may
    // be the same buffer. Returns output. Writes nothing when disabled or count is 0.
    // For an odd count the last value is filtered as a left sample whose right partner is
    // silence; nothing beyond input[count - 1] is read and nothing beyond output[count - 1] is
    // written. No allocation, no lock.
    // Pre: the deck's playback thread (one filtering thread at a time).
    short* tickVectorStereo(short* input, short* output, unsigned long count);

    // The text block: "=<count>" and one "%f, %f, %f, %d" line per band in use.
    // ReadEqualizer returns false for a block that announces 0 bands (or that has no count line
    // at all; one character is then consumed) or more than 10 bands (the equalizer is left as
    // it was), true otherwise. A negative count is accepted and changes nothing.
    bool ReadEqualizer(std::istream& in);
    bool ReadEqualizer(std::istream* in);
    bool WriteEqualizer(std::ostream& out) const;

private:
    struct Band {
        bool kill;
        float p1;
        float s0, s1; // left channel state
        float s2, s3; // right channel state
        float p6, p7;
        float p8, p9;
        float frequency;
        float boost;
        float bandwidth;
    };

    void Design(int band);

    Band m_bands[kMaxBands];
    int m_numBands;
    float m_sampleRate;
    bool m_enabled;
};

ZEM_EXPORT std::istream& operator>>(std::istream& in, Equalizer& eq);
ZEM_EXPORT std::ostream& operator<<(std::ostream& out, const Equalizer& eq);
