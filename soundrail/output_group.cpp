#include "soundrail/device_core.h"
#include "soundrail/group_core.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace soundrail {

float GainFromHundredthsDb(long value) {
    if (value >= 0)
        return 1.0f;
    if (value <= -10000)
        return 0.0f;
    return static_cast<float>(std::pow(10.0, static_cast<double>(value) / 2000.0));
}

} // namespace soundrail

namespace {

constexpr unsigned long kMinPitch = 1000;
constexpr unsigned long kMaxPitch = 768000;

// Counts start far from zero, at a whole number of rings, so no cursor goes below zero.
uint64_t Origin(uint64_t size) {
    return ((uint64_t{1} << 62) / size) * size;
}

uint64_t RingIndex(uint64_t abs, uint64_t size) {
    return abs % size;
}

} // namespace

OutputGroup::Impl::Impl(int channel_, const WAVEFORMATEX& format_, uint64_t bytes)
    : channel(channel_), format(format_), blockAlign(format_.nBlockAlign),
      channels(format_.nChannels), size(bytes - bytes % format_.nBlockAlign),
      data(new uint8_t[2 * (bytes - bytes % format_.nBlockAlign)]()), writeAbs(Origin(size)),
      readAbs(Origin(size)), pitch(format_.nSamplesPerSec) {
    snapRead = readAbs.load();
}

// Callback thread of the owner card: takes a read reposition the writer asked for.
bool OutputGroup::Impl::TakeSeek(uint64_t& r) {
    const int64_t seek = seekRequest.exchange(-1, std::memory_order_acq_rel);
    if (seek < 0)
        return false;
    r = static_cast<uint64_t>(seek);
    deficitAtSeek.store(deficit.load(std::memory_order_relaxed), std::memory_order_relaxed);
    playedAtSeek.store(played.load(std::memory_order_relaxed), std::memory_order_relaxed);
    // The frames it had pulled ahead belong to the old position.
    resampler.Reset();
    return true;
}

// Callback thread of the owner card, for a group that is not playing.
void OutputGroup::Impl::ServiceStopped() {
    uint64_t r = 0;
    if (!TakeSeek(r))
        return;
    readAbs.store(r, std::memory_order_release);
    seekEpoch.fetch_add(1, std::memory_order_release);
}

// Callback thread of the owner card.
void OutputGroup::Impl::Render(float* left, float* right, unsigned n, double step) {
    const uint64_t w = writeAbs.load(std::memory_order_acquire);
    uint64_t r = readAbs.load(std::memory_order_relaxed);
    const bool seek = TakeSeek(r);
    uint64_t pulled = 0, dry = 0;
    const unsigned align = blockAlign;
    const uint8_t* ring = data.get();
    const bool stereo = channels == 2;
    auto pull = [&](float* frame) {
        if (static_cast<int64_t>(w - r) >= static_cast<int64_t>(align)) {
            const uint8_t* p = ring + RingIndex(r, size);
            int16_t s[2];
            std::memcpy(s, p, stereo ? 4 : 2);
            frame[0] = s[0];
            frame[1] = stereo ? s[1] : s[0];
            r += align;
        } else {
            frame[0] = frame[1] = 0.f;
            dry += align;
        }
        pulled += align;
    };
    float* out[2] = {left, right};
    resampler.Process(stereo ? 2 : 1, out, n, step, pull);
    if (!stereo)
        std::memcpy(right, left, n * sizeof(float));
    deficit.store(deficit.load(std::memory_order_relaxed) + dry, std::memory_order_release);
    if (dry != 0 && !muted.load(std::memory_order_acquire))
        underrun.store(underrun.load(std::memory_order_relaxed) + dry, std::memory_order_release);
    played.store(played.load(std::memory_order_relaxed) + pulled, std::memory_order_release);
    readAbs.store(r, std::memory_order_release);
    if (seek)
        seekEpoch.fetch_add(1, std::memory_order_release);
}

// Writer: a reposition not yet taken by the card counts as done, but never frees bytes the card
// may still be reading (the earlier of the two cursors wins).
uint64_t OutputGroup::Impl::EffectiveRead(uint64_t readPos) const {
    const int64_t pending = seekRequest.load(std::memory_order_acquire);
    if (pending >= 0 && static_cast<uint64_t>(pending) < readPos)
        return static_cast<uint64_t>(pending);
    return readPos;
}

uint64_t OutputGroup::Impl::FreeBytes(uint64_t readPos) const {
    readPos = EffectiveRead(readPos);
    const int64_t fill = static_cast<int64_t>(writeAbs.load(std::memory_order_relaxed) - readPos);
    if (fill <= 0)
        return size;
    if (static_cast<uint64_t>(fill) >= size)
        return 0;
    return size - static_cast<uint64_t>(fill);
}

void OutputGroup::Impl::Commit(uint64_t bytes) {
    writeAbs.store(writeAbs.load(std::memory_order_relaxed) + bytes, std::memory_order_release);
}

OutputChannel::~OutputChannel() = default;

OutputGroup::OutputGroup(Impl* impl) : impl_(impl) {}

OutputGroup::~OutputGroup() {
    if (soundrail::DetachGroup(impl_))
        delete impl_;
}

// The engine's calls below run on the heartbeat thread unless noted.

void OutputGroup::Play() {
    impl_->playing.store(true, std::memory_order_release);
}
void OutputGroup::Stop() {
    impl_->playing.store(false, std::memory_order_release);
}
unsigned long OutputGroup::GetBufferBytes() {
    return static_cast<unsigned long>(impl_->size);
}

unsigned char* OutputGroup::Lock(unsigned long& length) {
    if (length > impl_->size)
        length = static_cast<unsigned long>(impl_->size);
    impl_->lockedBytes = length;
    return impl_->data.get() +
           RingIndex(impl_->writeAbs.load(std::memory_order_relaxed), impl_->size);
}

void OutputGroup::Unlock(unsigned long& length) {
    Impl& g = *impl_;
    // Never commit more than was handed out, nor more than the reader has left free.
    const uint64_t r = g.readAbs.load(std::memory_order_acquire);
    uint64_t n = std::min<uint64_t>({length, g.lockedBytes, g.FreeBytes(r)});
    n -= n % g.blockAlign;
    const uint64_t at = RingIndex(g.writeAbs.load(std::memory_order_relaxed), g.size);
    if (at + n > g.size) // bytes written past the end belong at the start
        std::memcpy(g.data.get(), g.data.get() + g.size, at + n - g.size);
    g.lockedBytes = 0;
    g.Commit(n);
    length = static_cast<unsigned long>(n);
}

// shuttingDown needs no special treatment here: silence is written the same way either way.
void OutputGroup::WriteSilence(unsigned long bytes, bool /*shuttingDown*/) {
    Impl& g = *impl_;
    uint64_t n = std::min<uint64_t>(bytes, g.FreeBytes(g.readAbs.load(std::memory_order_acquire)));
    n -= n % g.blockAlign;
    const uint64_t at = RingIndex(g.writeAbs.load(std::memory_order_relaxed), g.size);
    const uint64_t first = std::min(n, g.size - at);
    std::memset(g.data.get() + at, 0, first);
    std::memset(g.data.get(), 0, n - first);
    g.Commit(n);
    // Silence is not owed to the card: the balance counts only audio written, so that it
    // reaches zero once a drained song's last audio has been played.
    g.balanceBase += n;
}

long OutputGroup::GetPlayWriteBalance() {
    const Impl& g = *impl_;
    return static_cast<long>(static_cast<int64_t>(g.writeAbs.load(std::memory_order_relaxed) -
                                                  g.snapRead - g.snapDeficit - g.balanceBase));
}

void OutputGroup::UpdatePositions() {
    Impl& g = *impl_;
    const uint64_t epoch = g.seekEpoch.load(std::memory_order_acquire);
    if (epoch != g.seenSeekEpoch) {
        // The card was repositioned: from now on the balance is what lies between the
        // cursors, less what the card plays dry from here.
        g.seenSeekEpoch = epoch;
        g.balanceBase = 0 - g.deficitAtSeek.load(std::memory_order_relaxed);
        // What it played before it moved is not progress at the new position.
        g.lastPlayedReported = g.playedAtSeek.load(std::memory_order_relaxed);
    }
    g.snapDeficit = g.deficit.load(std::memory_order_acquire);
    g.snapPlayed = g.played.load(std::memory_order_acquire);
    g.snapRead = g.readAbs.load(std::memory_order_acquire);
    g.snapSeek = g.seekRequest.load(std::memory_order_acquire);
}

void OutputGroup::ResetPlayWriteBalance() {
    Impl& g = *impl_;
    g.snapDeficit = g.deficit.load(std::memory_order_acquire);
    g.snapRead = g.readAbs.load(std::memory_order_acquire);
    g.balanceBase = g.writeAbs.load(std::memory_order_relaxed) - g.snapRead - g.snapDeficit;
}

unsigned long OutputGroup::GetBytesPlayed() {
    Impl& g = *impl_;
    const uint64_t d = g.snapPlayed - g.lastPlayedReported;
    g.lastPlayedReported = g.snapPlayed;
    return static_cast<unsigned long>(d);
}

unsigned long OutputGroup::GetWriteBytesAvailable() {
    return static_cast<unsigned long>(impl_->FreeBytes(impl_->snapRead));
}

void OutputGroup::SetLogicalReadPosition(unsigned long position) {
    Impl& g = *impl_;
    uint64_t idx = position % g.size;
    idx -= idx % g.blockAlign;
    // The latest position with that offset that has been written: the card replays from there.
    const uint64_t w = g.writeAbs.load(std::memory_order_relaxed);
    const uint64_t target = w - (RingIndex(w, g.size) + g.size - idx) % g.size;
    g.seekRequest.store(static_cast<int64_t>(target), std::memory_order_release);
}

unsigned long OutputGroup::GetLogicalReadPosition() {
    const Impl& g = *impl_;
    if (g.snapSeek >= 0)
        return static_cast<unsigned long>(RingIndex(static_cast<uint64_t>(g.snapSeek), g.size));
    return static_cast<unsigned long>(RingIndex(g.snapRead, g.size));
}

// Moves the write cursor to ring index position, at or behind the read cursor, so that no
// byte that was not written afterwards is ever played.
void OutputGroup::SetLogicalWritePosition(unsigned long position) {
    Impl& g = *impl_;
    uint64_t idx = position % g.size;
    idx -= idx % g.blockAlign;
    const uint64_t r = g.EffectiveRead(g.readAbs.load(std::memory_order_acquire));
    g.writeAbs.store(r - (RingIndex(r, g.size) + g.size - idx) % g.size, std::memory_order_release);
}

void OutputGroup::SetMute(bool mute) {
    impl_->muted.store(mute, std::memory_order_release);
}

void OutputGroup::SetPitch(unsigned long samplesPerSecond) {
    impl_->pitch.store(std::clamp(samplesPerSecond, kMinPitch, kMaxPitch),
                       std::memory_order_release);
}

unsigned long OutputGroup::GetUnderrunFrames() {
    const uint64_t bytes = impl_->underrun.load(std::memory_order_acquire);
    return static_cast<unsigned long>(bytes / impl_->blockAlign);
}

unsigned long OutputGroup::GetPitch() {
    return impl_->pitch.load(std::memory_order_acquire);
}

// Volumes, mute and headphone calls come from the user-interface thread.

void OutputGroup::SetVolume(long hundredthsDb, bool immediate) {
    impl_->volume.store(std::clamp(hundredthsDb, -10000L, 0L), std::memory_order_release);
    if (immediate)
        impl_->jumpSeq.fetch_add(1, std::memory_order_acq_rel);
}

void OutputGroup::SetHeadphoneVolume(long hundredthsDb) {
    impl_->headphoneVolume.store(std::clamp(hundredthsDb, -10000L, 0L), std::memory_order_release);
}

void OutputGroup::SetHeadphoneMute(bool mute) {
    impl_->headphoneMuted.store(mute, std::memory_order_release);
}

bool OutputGroup::GetHeadphoneMute() {
    return impl_->headphoneMuted.load(std::memory_order_acquire);
}

void OutputGroup::SetSynchronizeType(SynchronizeType type) {
    impl_->syncType.store(type == kSyncClickless ? kSyncClickless : kSyncImmediate,
                          std::memory_order_release);
}
