#include "soundrail/device_core.h"
#include "soundrail/master_capture.h"

#include "platform/clock.h"

#include <algorithm>
#include <cmath>

namespace soundrail {

DeviceCore::DeviceCore(int index_, std::string name_, int channels_, unsigned rate_,
                       std::unique_ptr<Backend> backend_, bool defaultCandidate_, bool watched_)
    : index(index_), name(std::move(name_)), channels(channels_ >= 4 ? 4 : 2),
      defaultCandidate(defaultCandidate_), watched(watched_), rate(rate_),
      backend(std::move(backend_)), api(new OutputDevice(new OutputDevice::Impl{this})) {
    for (auto& a : assignment)
        a.store(0, std::memory_order_relaxed);
    for (auto& s : slots)
        s.store(nullptr, std::memory_order_relaxed);
}

DeviceCore::~DeviceCore() {
    StopBackend();
    FlushDeviceSettings(*this);
}

bool DeviceCore::EnsureStarted() {
    if (started.load())
        return true;
    if (!backend) { // hand-driven: the test calls Render
        started.store(true);
        return true;
    }
    std::string error;
    {
        std::lock_guard<std::mutex> lock(backendMutex);
        if (!backend->Start(*this, error)) {
            lastError = error.empty() ? "The device could not be opened." : error;
            return false;
        }
        started.store(true);
    }
    lastError.clear();
    return true;
}

void DeviceCore::StopBackend() {
    std::lock_guard<std::mutex> lock(backendMutex);
    if (started.load() && backend)
        backend->Stop();
    started.store(false);
}

const char* DeviceCore::LastError() const {
    if (failed.load())
        return kStoppedResponding;
    return lastError.c_str();
}

uint64_t DeviceCore::StreamCalls() {
    std::lock_guard<std::mutex> lock(backendMutex);
    return backend ? backend->Calls() : 0;
}

void DeviceCore::RenderStandIn(unsigned long frames) {
    std::lock_guard<std::mutex> lock(backendMutex);
    if (!backend || !started.load())
        return;
    while (frames > 0) {
        const unsigned long n = std::min<unsigned long>(frames, kMaxBlock);
        if (!backend->RenderStandIn(*this, standIn_, n))
            return;
        frames -= n;
    }
}

bool DeviceCore::AddGroup(OutputGroup::Impl* group) {
    for (auto& s : slots) {
        OutputGroup::Impl* expected = nullptr;
        if (s.compare_exchange_strong(expected, group, std::memory_order_acq_rel))
            return true;
    }
    lastError = "Too many output groups on this device.";
    return false;
}

bool DeviceCore::RemoveGroup(OutputGroup::Impl* group) {
    bool found = false;
    for (auto& s : slots) {
        if (s.load(std::memory_order_seq_cst) == group) {
            s.store(nullptr, std::memory_order_seq_cst);
            found = true;
        }
    }
    if (!found)
        return true;
    return WaitOutCallback();
}

bool DeviceCore::WaitOutCallback() {
    // Wait until no callback that might still hold the pointer runs. Sequentially consistent
    // with the callback's own increment and slot loads: either the callback sees the empty
    // slot, or this sees it running.
    const uint64_t seen = callbackSeq.load(std::memory_order_seq_cst);
    if (!(seen & 1))
        return true;
    const unsigned long start = zem::ClockMs();
    while (callbackSeq.load(std::memory_order_seq_cst) == seen) {
        if (zem::ClockMs() - start > 2000)
            return false; // a card stuck in its callback: better leak the group than free it
        zem::SleepMs(1);
    }
    return true;
}

int DeviceCore::SubChannelFor(int channel) const {
    if (channel < 0)
        return sfx.load(std::memory_order_acquire);
    if (channel >= kDeckChannels)
        return 0;
    return assignment[channel].load(std::memory_order_acquire);
}

void DeviceCore::Render(int16_t* out, unsigned long frames) {
    callbackSeq.fetch_add(1, std::memory_order_seq_cst);
    while (frames > 0) {
        const unsigned n = static_cast<unsigned>(std::min<unsigned long>(frames, kMaxBlock));
        RenderBlock(out, n);
        out += static_cast<size_t>(n) * channels;
        frames -= n;
    }
    callbackSeq.fetch_add(1, std::memory_order_seq_cst);
}

bool DeviceCore::Ready(unsigned long frames) {
    callbackSeq.fetch_add(1, std::memory_order_seq_cst);
    bool ready = true;
    bool any = false;
    for (auto& s : slots) {
        OutputGroup::Impl* g = s.load(std::memory_order_seq_cst);
        if (!g || g->owner != this || !g->playing.load(std::memory_order_acquire))
            continue;
        any = true;
        const double step = static_cast<double>(g->pitch.load(std::memory_order_relaxed)) *
                            (1.0 + speedOffset.load(std::memory_order_relaxed) / 100.0) /
                            rate.load(std::memory_order_relaxed);
        const int64_t need =
            static_cast<int64_t>((frames * std::min(step, kMaxStep) + kTaps) * g->blockAlign);
        const int64_t have = static_cast<int64_t>(g->writeAbs.load(std::memory_order_acquire) -
                                                  g->readAbs.load(std::memory_order_acquire));
        if (have < need)
            ready = false;
    }
    callbackSeq.fetch_add(1, std::memory_order_seq_cst);
    return any && ready;
}

void DeviceCore::MixInto(float* dstLeft, float* dstRight, unsigned n, GainRamp& ramp, float target,
                         bool jump) {
    if (!ramp.started || jump) {
        ramp.gain = target;
        ramp.started = true;
    }
    float g = ramp.gain;
    if (g == target) {
        if (g == 0.f)
            return;
        for (unsigned i = 0; i < n; ++i) {
            dstLeft[i] += g * left_[i];
            dstRight[i] += g * right_[i];
        }
        return;
    }
    // A full-scale change takes 5 ms: short enough to feel immediate, long enough not to click.
    const float delta = 1.0f / (0.005f * static_cast<float>(rate.load(std::memory_order_relaxed)));
    for (unsigned i = 0; i < n; ++i) {
        if (g < target)
            g = std::min(target, g + delta);
        else if (g > target)
            g = std::max(target, g - delta);
        dstLeft[i] += g * left_[i];
        dstRight[i] += g * right_[i];
    }
    ramp.gain = g;
}

void DeviceCore::RenderBlock(int16_t* out, unsigned n) {
    for (int c = 0; c < channels; ++c)
        std::fill(acc_[c], acc_[c] + n, 0.f);
    const int hpSub = headphones.load(std::memory_order_acquire);
    const unsigned deviceRate = rate.load(std::memory_order_relaxed);
    const double offset = 1.0 + speedOffset.load(std::memory_order_relaxed) / 100.0;
    // Sub-channels 1 and 2 are the first stereo pair, 3 the second pair of a four-channel card.
    auto pairOf = [this](int sub) -> int {
        if (sub == 1 || sub == 2)
            return 0;
        if (sub == 3 && channels >= 4)
            return 2;
        return -1;
    };
    for (auto& s : slots) {
        OutputGroup::Impl* g = s.load(std::memory_order_seq_cst);
        if (!g)
            continue;
        if (g->owner == this) {
            if (!g->playing.load(std::memory_order_acquire)) {
                g->ServiceStopped();
                continue;
            }
            const double step =
                static_cast<double>(g->pitch.load(std::memory_order_relaxed)) * offset / deviceRate;
            g->Render(left_, right_, n, step);
            for (int d = 0; d < kMaxDevices; ++d)
                if (g->taps[d])
                    g->taps[d]->Push(left_, right_, n);
        } else if (soundrail::Tap* tap = g->taps[index].get()) {
            // The feed runs at the owner card's rate; a card at another rate resamples it.
            const double step =
                static_cast<double>(g->owner->rate.load(std::memory_order_relaxed)) / deviceRate;
            if (step == 1.0) {
                tap->Pop(left_, right_, n);
            } else {
                tap->Trim(static_cast<unsigned>(n * step) + kTaps);
                float* out[2] = {left_, right_};
                g->tapResamplers[index].Process(2, out, n, step,
                                                [tap](float* frame) { tap->PopOne(frame); });
            }
        } else {
            continue;
        }
        const bool muted = g->muted.load(std::memory_order_acquire);
        const bool clickless = g->syncType.load(std::memory_order_relaxed) == kSyncClickless;
        const uint32_t jumpSeq = g->jumpSeq.load(std::memory_order_acquire);
        const int mainPair = pairOf(SubChannelFor(g->channel));
        if (mainPair >= 0) {
            GainRamp& ramp = g->mainRamp[index];
            const float target =
                muted ? 0.f : GainFromHundredthsDb(g->volume.load(std::memory_order_relaxed));
            MixInto(acc_[mainPair], acc_[mainPair + 1], n, ramp, target,
                    !clickless || ramp.jumpSeen != jumpSeq);
            ramp.jumpSeen = jumpSeq;
        }
        const int hpPair = pairOf(hpSub);
        if (hpPair >= 0) {
            GainRamp& ramp = g->headphoneRamp[index];
            const bool off = muted || g->headphoneMuted.load(std::memory_order_acquire);
            const float target =
                off ? 0.f
                    : GainFromHundredthsDb(g->headphoneVolume.load(std::memory_order_relaxed));
            MixInto(acc_[hpPair], acc_[hpPair + 1], n, ramp, target, !clickless);
        }
    }
    // Clamp, then round to nearest even by adding and removing 1.5 * 2^23: exact for this
    // range and far cheaper than a library call per sample.
    constexpr float kRound = 12582912.0f;
    for (int c = 0; c < channels; ++c) {
        const float* a = acc_[c];
        int16_t* o = out + c;
        for (unsigned i = 0; i < n; ++i) {
            const float v = std::min(32767.f, std::max(-32768.f, a[i]));
            const float shifted = v + kRound;
            o[static_cast<size_t>(i) * channels] = static_cast<int16_t>(shifted - kRound);
        }
    }
    // The recorder hears exactly what the master sub-channel plays.
    if (CaptureRing* ring = capture.load(std::memory_order_seq_cst))
        ring->Push(out, n, channels, pairOf(master.load(std::memory_order_acquire)));
}

bool DetachGroup(OutputGroup::Impl* group) {
    bool ok = true;
    if (group->owner)
        ok = group->owner->RemoveGroup(group);
    for (DeviceCore* d : group->feedDevices)
        if (d)
            ok = d->RemoveGroup(group) && ok;
    return ok;
}

} // namespace soundrail
