#include "soundrail/module_backend.h"
#include "soundrail/stream_gate.h"

#include <cstring>

namespace soundrail {

namespace {

class ModuleBackend : public Backend {
public:
    ModuleBackend(const SoundrailOutputModule* module, int index)
        : module_(module), index_(index) {}
    ~ModuleBackend() override { Stop(); }

    bool Start(DeviceCore& core, std::string& error) override {
        gate_ = std::make_shared<StreamGate>(&core, core.channels);
        SoundrailStreamRequest request{};
        request.rate = core.rate.load();
        request.channels = core.channels;
        request.framesPerBuffer = 256;
        request.options = core.options.c_str();
        request.render = [](void* ctx, int16_t* out, unsigned long frames) {
            auto* gate = static_cast<StreamGate*>(ctx);
            if (!gate->Enter()) { // cut off, or the watchdog's stand-in has the card
                std::memset(out, 0, frames * static_cast<size_t>(gate->channels()) * 2);
                return;
            }
            static_cast<DeviceCore*>(gate->target())->Render(out, frames);
            gate->Leave();
        };
        request.ready = [](void* ctx, unsigned long frames) {
            auto* gate = static_cast<StreamGate*>(ctx);
            if (!gate->Enter())
                return 0;
            const bool ready = static_cast<DeviceCore*>(gate->target())->Ready(frames);
            gate->Leave();
            return ready ? 1 : 0;
        };
        request.context = gate_.get();
        char text[256] = {};
        stream_ = module_->openStream(index_, &request, text, sizeof text);
        if (!stream_) {
            gate_.reset();
            error = text[0] ? text : "The device could not be opened.";
            return false;
        }
        return true;
    }

    uint64_t Calls() const override { return gate_ ? gate_->Calls() : 0; }

    bool RenderStandIn(DeviceCore& core, int16_t* out, unsigned long frames) override {
        if (!gate_ || !gate_->TryEnter())
            return false;
        core.Render(out, frames);
        gate_->Leave();
        return true;
    }

    void Stop() override {
        CloseGatedStream(module_, stream_, std::move(gate_));
        stream_ = nullptr;
        gate_.reset();
    }

private:
    const SoundrailOutputModule* module_;
    int index_;
    void* stream_ = nullptr;
    std::shared_ptr<StreamGate> gate_;
};

} // namespace

std::unique_ptr<Backend> MakeModuleBackend(const SoundrailOutputModule* module, int index) {
    return std::make_unique<ModuleBackend>(module, index);
}

} // namespace soundrail
