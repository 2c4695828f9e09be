#include "soundrail/module_backend.h"

namespace soundrail {

namespace {

class ModuleBackend : public Backend {
public:
    ModuleBackend(const SoundrailOutputModule* module, int index)
        : module_(module), index_(index) {}
    ~ModuleBackend() override { Stop(); }

    bool Start(DeviceCore& core, std::string& error) override {
        SoundrailStreamRequest request{};
        request.rate = core.rate.load();
        request.channels = core.channels;
        request.framesPerBuffer = 256;
        request.options = core.options.c_str();
        request.render = [](void* ctx, int16_t* out, unsigned long frames) {
            static_cast<DeviceCore*>(ctx)->Render(out, frames);
        };
        request.ready = [](void* ctx, unsigned long frames) {
            return static_cast<DeviceCore*>(ctx)->Ready(frames) ? 1 : 0;
        };
        request.context = &core;
        char text[256] = {};
        stream_ = module_->openStream(index_, &request, text, sizeof text);
        if (!stream_) {
            error = text[0] ? text : "The device could not be opened.";
            return false;
        }
        return true;
    }

    void Stop() override {
        if (stream_)
            module_->closeStream(stream_);
        stream_ = nullptr;
    }

private:
    const SoundrailOutputModule* module_;
    int index_;
    void* stream_ = nullptr;
};

} // namespace

std::unique_ptr<Backend> MakeModuleBackend(const SoundrailOutputModule* module, int index) {
    return std::make_unique<ModuleBackend>(module, index);
}

} // namespace soundrail
