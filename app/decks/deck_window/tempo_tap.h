// The tempo dialog's tap button: beats per minute over the taps so far.
#pragma once

#include <string>

class MixerDevice;

namespace zem::deckwin {

class TempoTapper {
public:
    // Counts a tap at nowMs and returns the tempo so far.
    float Tap(long nowMs);
    // 0 until two taps lie apart in time.
    float GetTempo() const;
    int GetTaps() const { return m_taps; }
    void Reset() { *this = TempoTapper(); }

private:
    long m_first = 0;
    long m_last = 0;
    int m_taps = 0;
};

// The edit field's text ("%.2f") and its value when the dialog closes ("%f"; 0 when the
// text is no number).
std::string FormatTempo(float bpm);
float ParseTempo(const char* text);

// The closed dialog's tempo becomes the song's tempo: both base and current, then the deck
// recomputes the current tempo for its rate.
void StoreTappedTempo(MixerDevice& deck, float bpm);

} // namespace zem::deckwin
