#include "soundrail/silent_backend.h"

#include "platform/thread.h"

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

namespace soundrail {

namespace {

class SilentBackend : public Backend {
public:
    ~SilentBackend() override { Stop(); }

    bool Start(DeviceCore& core, std::string& error) override {
        core_ = &core;
        buffer_.assign(static_cast<size_t>(kPeriodFrames) * core.channels, 0);
        quit_.store(false);
        if (!thread_.Start([this] { Run(); }, zem::kPriorityHighest)) {
            error = "No thread could be started for the silent device.";
            return false;
        }
        return true;
    }

    void Stop() override {
        quit_.store(true);
        if (thread_.Started())
            thread_.Join(zem::Event::kInfinite);
    }

private:
    static constexpr unsigned kPeriodFrames = 256;

    // Follows absolute deadlines so that the clock does not drift with scheduling delays.
    void Run() {
        using Clock = std::chrono::steady_clock;
        const auto start = Clock::now();
        uint64_t frames = 0;
        const double rate = core_->rate.load();
        while (!quit_.load(std::memory_order_acquire)) {
            core_->Render(buffer_.data(), kPeriodFrames);
            frames += kPeriodFrames;
            const auto due = start + std::chrono::duration_cast<Clock::duration>(
                                         std::chrono::duration<double>(frames / rate));
            std::this_thread::sleep_until(due);
        }
    }

    DeviceCore* core_ = nullptr;
    std::vector<int16_t> buffer_;
    std::atomic<bool> quit_{false};
    zem::Thread thread_;
};

} // namespace

std::unique_ptr<Backend> MakeSilentBackend() {
    return std::make_unique<SilentBackend>();
}

} // namespace soundrail
