#include "app/shell/host_progress_event.h"

#include "app/shell/request_channel.h"
#include "engine/deck/stream_device.h"

namespace zem::shell {

namespace {

constexpr unsigned long kEndOfSongMs = static_cast<unsigned long>(-1);
constexpr unsigned long kEjectMs = static_cast<unsigned long>(-2);

bool IsEndOfSong(unsigned long ms) {
    return ms == kEndOfSongMs || ms == 0xFFFFFFFFul;
}
bool IsEject(unsigned long ms) {
    return ms == kEjectMs || ms == 0xFFFFFFFEul;
}

bool DeckWaitedOn(const void* deck) {
    return static_cast<const StreamDevice*>(deck)->IsWaitedOn();
}

} // namespace

HostProgressEvent::HostProgressEvent(ZEM_ProgressCallback callback, void* user, int id, int channel,
                                     unsigned long ms)
    : m_callback(callback), m_user(user), m_id(id), m_channel(channel), m_ms(ms) {}

uint32_t HostProgressEvent::DeckTrigger(uint32_t bytesPerSecond, uint32_t blockAlign) const {
    if (IsEndOfSong(m_ms))
        return kTriggerEndOfSong;
    if (IsEject(m_ms))
        return kTriggerShutdown;
    uint64_t bytes = static_cast<uint64_t>(m_ms) * bytesPerSecond / 1000;
    if (blockAlign > 1)
        bytes -= bytes % blockAlign;
    // Past the end of any song the deck can hold: it simply never fires.
    return bytes >= kTriggerShutdown ? kTriggerShutdown - 1 : static_cast<uint32_t>(bytes);
}

bool HostProgressEvent::OnProgress(unsigned long progress) {
    auto* deck = static_cast<StreamDevice*>(owner);
    const uint32_t rate = deck->GetWaveFormatEx()->nAvgBytesPerSec;
    const unsigned long ms =
        rate ? static_cast<unsigned long>(static_cast<uint64_t>(progress) * 1000 / rate) : 0;
    const unsigned long trigger = IsEndOfSong(m_ms) ? kEndOfSongMs
                                  : IsEject(m_ms)   ? kEjectMs
                                                    : m_ms;
    GiveUpWhen stopWaiting(DeckWaitedOn, deck);
    return m_callback(ms, trigger, m_channel, m_id, m_user);
}

} // namespace zem::shell
