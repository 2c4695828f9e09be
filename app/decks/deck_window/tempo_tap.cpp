#include "app/decks/deck_window/tempo_tap.h"

#include "engine/deck/mixer_device.h"

#include <cstdio>

namespace zem::deckwin {

float TempoTapper::Tap(long nowMs) {
    if (m_taps == 0)
        m_first = nowMs;
    else
        m_last = nowMs;
    ++m_taps;
    return GetTempo();
}

float TempoTapper::GetTempo() const {
    // One tap, or taps within the same millisecond, give no interval to divide by.
    if (m_taps < 2 || m_last <= m_first)
        return 0.f;
    return static_cast<float>((m_taps * 60.0 - 60.0) /
                              (static_cast<double>(m_last - m_first) * 0.001));
}

std::string FormatTempo(float bpm) {
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", static_cast<double>(bpm));
    return text;
}

float ParseTempo(const char* text) {
    float value = 0;
    if (!text || std::sscanf(text, "%f", &value) != 1)
        return 0.f;
    return value;
}

void StoreTappedTempo(MixerDevice& deck, float bpm) {
    BPMInfo* tempo = deck.GetBPMInfo();
    tempo->baseTempo = bpm;
    tempo->currentTempo = bpm;
    deck.SetPitch(deck.GetPitch());
}

} // namespace zem::deckwin
